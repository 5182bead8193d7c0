#!/usr/bin/env bash
# Takes the pictures in docs/screenshots/ (README and user guide) from the program itself, under a
# virtual display. Rerun after changing a window. BUILD names the build folder (default build/debug,
# configured with the debug preset when missing).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build/debug}
if [ ! -f "$BUILD/build.ninja" ]; then
    cmake --preset debug
fi
cmake --build "$BUILD" --target nakva-screenshots
xvfb-run -a -s "-screen 0 1280x800x24" "$BUILD/app/gui/nakva-screenshots" docs/screenshots
