#!/usr/bin/env bash
# Builds and runs the benchmarks under wine64 (not part of the tests).
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
export BUILD=${BUILD:-$ROOT/build}
"$ROOT/scripts/install-deps.sh" || exit 1
"$ROOT/scripts/build.sh" || exit 1
cmake --build "$BUILD/x64" --target walk_bench || exit 1
. "$ROOT/scripts/wine-bench.sh"
trap bench_stop EXIT
bench_start
"$WINE" "$BUILD/x64/walk_bench.exe" </dev/null >"$BUILD/bench.txt" 2>&1
rc=$?
cat "$BUILD/bench.txt"
exit $rc
