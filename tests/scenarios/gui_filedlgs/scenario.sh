# Dialogs about files, run in the dialog host: the progress dialog's
# confirmed Cancel, the radio decisions, and the progress meter read back
# from screenshots.
HOST="$BUILDX/dialog_host.exe"
cp "$BUILDX/robot.exe" "$WORK/robot.exe"
host_robot() {
  local name=$1; shift
  (cd "$WORK" && timeout -k 5 60 "$WINE" "$WORK/robot.exe" "$(winpath "$SCEN_DIR/$name.txt")" \
     "$(winpath "$WORK/$name.rec")" -- "$HOST" "$@" </dev/null >/dev/null 2>&1)
  local rrc=$?
  RC=$(sed -n 's/^exit=//p' "$WORK/$name.rec" 2>/dev/null | tail -n 1)
  [ "$rrc" -eq 0 ] || { fail "$name: robot ended with $rrc"; cat "$WORK/$name.rec"; }
}
host_robot progress progress 400
# The work went on after No and stopped after Yes, well before its end.
[ -n "$RC" ] && [ "$RC" -gt 5 ] && [ "$RC" -lt 400 ] || fail "progress: $RC steps done"
host_robot inuse choice 6 FILE.DLL
[ "$RC" = 103 ] || fail "in-use choice gave $RC"
host_robot inuse_exit choice 6 FILE.DLL
[ "$RC" = 104 ] || fail "in-use exit gave $RC"
host_robot exists choice 10 A.TXT 'C:\Dest'
[ "$RC" = 102 ] || fail "already-exists gave $RC"
host_robot elsewhere choice 9 B.DLL 'C:\Dest' 'C:\Windows\System'
[ "$RC" = 105 ] || fail "exists-elsewhere gave $RC"
host_robot conflict choice 27 C.INI
[ "$RC" = 2 ] || fail "conflict closed gave $RC"

# pixel FILE X Y: "r g b" of a 24-bit bottom-up BMP.
pixel() {
  python3 - "$1" "$2" "$3" <<'PY'
import struct, sys
d = open(sys.argv[1], 'rb').read()
off, = struct.unpack_from('<I', d, 10)
w, h = struct.unpack_from('<ii', d, 18)
x, y = int(sys.argv[2]), int(sys.argv[3])
row = (w * 3 + 3) & ~3
p = off + (h - 1 - y) * row + x * 3
b, g, r = d[p], d[p + 1], d[p + 2]
print(r, g, b)
PY
}
# The system colours as Wine reports them (COLOR_WINDOW 5, COLOR_WINDOWTEXT 8).
WINDOW=$("$WINE" reg query 'HKCU\Control Panel\Colors' /v Window </dev/null 2>/dev/null | tr -d '\r' | awk '/Window/ {print $3, $4, $5}')
WINDOWTEXT=$("$WINE" reg query 'HKCU\Control Panel\Colors' /v WindowText </dev/null 2>/dev/null | tr -d '\r' | awk '/WindowText/ {print $3, $4, $5}')
[ -n "$WINDOW" ] || WINDOW="255 255 255"
[ -n "$WINDOWTEXT" ] || WINDOWTEXT="0 0 0"
# Range 10,000 at 5,000: the left half inverted (dark), the right half not.
host_robot meter meter 10000 5000
read -r L T R B <<< "$(sed -n 's/^rect 100 //p' "$WORK/meter.rec")"
if [ -f "$WORK/meter.bmp" ] && [ -n "$L" ]; then
  MID=$(( (T + B) / 2 ))
  left=$(pixel "$WORK/meter.bmp" $((L + 3)) $((T + 3)))
  right=$(pixel "$WORK/meter.bmp" $((R - 3)) $((T + 3)))
  justleft=$(pixel "$WORK/meter.bmp" $(( (L + R) / 2 - 2 )) $((B - 3)))
  justright=$(pixel "$WORK/meter.bmp" $(( (L + R) / 2 + 2 )) $((B - 3)))
  # Inverted: the bar has the text colour, the rest the window colour.
  [ "$left" = "$justleft" ] && [ "$right" = "$justright" ] && [ "$left" != "$right" ] ||
    fail "meter 50%: left $left / $justleft, right $right / $justright"
  [ "$left" = "$WINDOWTEXT" ] && [ "$right" = "$WINDOW" ] ||
    fail "meter 50%: bar $left (text colour $WINDOWTEXT), rest $right (window colour $WINDOW)"
  # The text "50%" sits in the middle: both colours appear on the middle row.
  cols=$(for x in $(seq $((L + 1)) $((R - 2))); do pixel "$WORK/meter.bmp" $x $MID; done | sort -u | wc -l)
  [ "$cols" -ge 2 ] || fail "meter 50%: no text on the middle row"
else
  fail "no meter screenshot or rectangle"
fi
# Range 0: 0%, nothing inverted.
host_robot meter0 meter 0 5000
if [ -f "$WORK/meter0.bmp" ]; then
  left=$(pixel "$WORK/meter0.bmp" $((L + 3)) $((T + 3)))
  [ "$left" = "$WINDOW" ] || fail "meter range 0: left edge is $left, not the window colour"
else
  fail "no screenshot of the range-0 meter"
fi
