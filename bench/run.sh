#!/usr/bin/env bash
# Builds and runs the benchmarks under wine64 (not part of the tests).
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
export BUILD=${BUILD:-$ROOT/build}
"$ROOT/scripts/install-deps.sh" || exit 1
"$ROOT/scripts/build.sh" || exit 1
cmake --build "$BUILD/x64" --target walk_bench install_bench || exit 1
. "$ROOT/scripts/wine-bench.sh"
trap bench_stop EXIT
bench_start
rc=0
for b in walk_bench install_bench; do
  echo "== $b"
  "$WINE" "$BUILD/x64/$b.exe" </dev/null >"$BUILD/bench-$b.txt" 2>&1 || rc=1
  cat "$BUILD/bench-$b.txt"
done
exit $rc
