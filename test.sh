#!/usr/bin/env bash
# Installs what is missing, builds both targets, starts the Wine test bench
# and runs every test through ctest.
set -uo pipefail
ROOT=$(cd "$(dirname "$0")" && pwd)
export BUILD=${BUILD:-$ROOT/build}
mkdir -p "$BUILD"
"$ROOT/scripts/install-deps.sh" || exit 1
"$ROOT/scripts/build.sh" || exit 1
. "$ROOT/scripts/wine-bench.sh"
trap bench_stop EXIT
bench_start
cd "$BUILD/x64"
ctest --output-on-failure --timeout 300 "$@" </dev/null > "$BUILD/ctest.log" 2>&1
rc=$?
# The full log stays in build/ctest.log; show failures and the summary.
grep -E '(\*\*\*Failed|\*\*\*Timeout|Not Run|Exception)' "$BUILD/ctest.log" | head -50
sed -n "/tests passed/,\$p" "$BUILD/ctest.log"
exit $rc
