#!/usr/bin/env bash
# The main job on the bundled example: builds, makes a Wine prefix and runs
# SETUP32.EXE on examples/demoapp, quietly unless --gui is given, then shows
# where the install went and its log.
#   ./demo.sh          quiet install into C:\KDEMO of the prefix
#   ./demo.sh --gui    the real windows (with no display: Xvfb and screenshots)
set -uo pipefail
ROOT=$(cd "$(dirname "$0")" && pwd)
export BUILD=${BUILD:-$ROOT/build}
GUI=0; [ "${1:-}" = "--gui" ] && GUI=1
mkdir -p "$BUILD"
"$ROOT/scripts/install-deps.sh" || exit 1
"$ROOT/scripts/build.sh" || exit 1
HAD_DISPLAY=${DISPLAY:-}
. "$ROOT/scripts/wine-bench.sh"
trap bench_stop EXIT
bench_start
[ "$GUI" = 1 ] && [ -n "$HAD_DISPLAY" ] && export DISPLAY="$HAD_DISPLAY"

DISK="$BUILD/demo/disk"
rm -rf "$BUILD/demo"; mkdir -p "$DISK"
cp -r "$ROOT/examples/demoapp/disk/." "$DISK/"
cp "$BUILD/x64/SETUP32.EXE" "$BUILD/x64/DEMO.EXE" "$DISK/"
DEST='C:\KDEMO'
DESTUNIX="$WINEPREFIX/drive_c/KDEMO"
rm -rf "$DESTUNIX"
WDISK="Z:${DISK//\//\\}"
echo "Installing the example from $DISK into $DEST of the prefix $WINEPREFIX"
if [ "$GUI" = 0 ]; then
  (cd "$DISK" && "$WINE" "$DISK/SETUP32.EXE" -q "-d=$DEST" </dev/null >"$BUILD/demo/out.txt" 2>&1)
  rc=$?
elif [ -n "$HAD_DISPLAY" ]; then
  (cd "$DISK" && "$WINE" "$DISK/SETUP32.EXE" "-d=$DEST" </dev/null >"$BUILD/demo/out.txt" 2>&1)
  rc=$?
else
  # No display of our own: answer the windows with the robot and keep screenshots.
  cp "$BUILD/x64/robot.exe" "$BUILD/demo/"
  W="Z:${BUILD//\//\\}\\demo"
  printf '%s\n' 'wait "Install and Setup" 15000' "shot $W\\closing.bmp" 'press 1' 'end' \
    > "$BUILD/demo/answers.txt"
  (cd "$DISK" && "$WINE" "$BUILD/demo/robot.exe" "$W\\answers.txt" "$W\\record.txt" -- \
     "$DISK/SETUP32.EXE" "-d=$DEST" </dev/null >"$BUILD/demo/out.txt" 2>&1)
  rc=$(sed -n 's/^exit=//p' "$BUILD/demo/record.txt" | tail -n 1)
  for b in "$BUILD"/demo/*.bmp; do
    [ -f "$b" ] && convert "$b" "${b%.bmp}.png" && echo "screenshot: ${b%.bmp}.png"
  done
fi
echo "SETUP32.EXE exit code: $rc"
echo "Installed into $DEST ($DESTUNIX):"
(cd "$DESTUNIX" 2>/dev/null && find . -type f | sort | sed 's/^/  /') || echo "  (nothing)"
for f in "$DESTUNIX"/*.INI "$DESTUNIX"/*.BAT; do
  [ -f "$f" ] || continue
  echo "Configuration file $(basename "$f"):"
  sed 's/\r$//; s/^/  | /' "$f"
done
# Registry and environment changes, read back from the prefix's registry.
"$WINE" reg query 'HKCU\Software\Kestrel Demo' </dev/null >"$BUILD/demo/reg.txt" 2>&1
"$WINE" reg query 'HKCU\Environment' </dev/null >"$BUILD/demo/env.txt" 2>&1
echo "Registry key HKCU\Software\Kestrel Demo:"
sed 's/\r$//' "$BUILD/demo/reg.txt" | grep -E 'REG_' | sed 's/^ */  | /'
echo "User environment (HKCU\Environment):"
sed 's/\r$//' "$BUILD/demo/env.txt" | grep -iE '^ *(KDEMO_HOME|PATH) ' | sed 's/^ */  | /'
echo "Install log:"
sed 's/\r$//; s/^/  | /' "$DESTUNIX/DEMO.LOG" 2>/dev/null || echo "  (no log)"
exit "${rc:-1}"
