#!/usr/bin/env bash
# Four stations on one DATA folder for about a minute, through nakva-cli (scripts/soak-stations.sh).
# At the end `nakva-cli check` must pass and the tables must hold exactly what the stations say they
# left.
#
#   scripts/soak.sh [BUILD_DIR] [SECONDS]        (make soak)
set -euo pipefail

build=${1:-build/debug}
seconds=${2:-60}
cli=$(realpath "$build/app/cli/nakva-cli")
source "$(dirname "$(realpath "$0")")/soak-stations.sh"
work=$(mktemp -d /tmp/nakva-soak.XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$work"

soak_setup
soak_start_stations
soak_wait_stations
soak_verify
echo "soak: clean"
