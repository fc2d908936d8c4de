#!/usr/bin/env bash
# Runs one scenario: a folder with scenario.sh (what to run and what to
# expect) and app/ (the fixture tree, copied fresh beside SETUP32.EXE).
# Usage: run_scenario.sh SCENARIO_DIR BUILD_DIR
set -uo pipefail
SCEN=$(cd "$1" && pwd)
BUILDX=$(cd "$2" && pwd)
NAME=$(basename "$SCEN")
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/scenario-lib.sh"
scen_prepare "$SCEN" "$BUILDX" "$NAME"
. "$SCEN/scenario.sh"
scen_finish
