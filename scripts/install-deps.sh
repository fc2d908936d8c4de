#!/usr/bin/env bash
# Installs the Debian packages the build and the test bench need, once.
set -euo pipefail
PKGS=(cmake ninja-build python3 mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
      gcc-mingw-w64-x86-64-posix gcc-mingw-w64-i686-posix googletest wine64 xvfb xauth
      imagemagick mscompress gcab)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "installing: ${missing[*]}"
SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
$SUDO apt-get update -q
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
