#!/usr/bin/env bash
# Configures and builds both targets: x86_64 (with tests) and i686.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${BUILD:-$ROOT/build}
cmake -S "$ROOT" -B "$BUILD/x64" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-x86_64.cmake" -DKSTL8_WERROR=ON \
  -DKSTL8_TESTS="${KSTL8_TESTS:-ON}" > "$BUILD/cmake-x64.log"
cmake --build "$BUILD/x64" -j2
cmake -S "$ROOT" -B "$BUILD/i686" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-i686.cmake" -DKSTL8_WERROR=ON \
  -DKSTL8_TESTS=OFF > "$BUILD/cmake-i686.log"
cmake --build "$BUILD/i686" -j2 --target setup32
