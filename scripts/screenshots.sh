#!/usr/bin/env bash
# Takes the pictures in docs/screenshots/ (README and user guide) from the program itself, under a
# virtual display, on sample data imported with nakva-cli. Rerun after changing a window. BUILD names
# the build folder (default build/debug, configured with the debug preset when missing).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build/debug}
if [ ! -f "$BUILD/build.ninja" ]; then
    cmake --preset debug
fi
cmake --build "$BUILD" --target nakva-screenshots nakva-cli
# The sample data the pictures show: each scripts/screenshot-data/<Table>.csv imported into its table of a
# working folder of the pictures' own, as an administrator would load it: the tables that others name
# (room types, service and resident groups, countries, payers, cleaners, registrations) first, since an
# import checks the names it meets.
DATA=$(mktemp -d)
trap 'rm -rf "$DATA"' EXIT
FIRST="KmbTipai PaslGrp Grupes Valstyb Klient Valyt Saskait"
for table in $FIRST; do
    "$BUILD/app/cli/nakva-cli" import "$table" "scripts/screenshot-data/$table.csv" --dir "$DATA"
done
for csv in scripts/screenshot-data/*.csv; do
    table=$(basename "$csv" .csv)
    case " $FIRST " in *" $table "*) continue ;; esac
    "$BUILD/app/cli/nakva-cli" import "$table" "$csv" --dir "$DATA"
done
xvfb-run -a -s "-screen 0 1280x800x24" "$BUILD/app/gui/nakva-screenshots" docs/screenshots "$DATA"
