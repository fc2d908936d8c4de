# The version-conflict dialog in the dialog host, driven by the robot: the
# conflict text, the file name, both version lists, the buttons' results,
# and the exit question on Exit and on closing.
HOST="$BUILDX/dialog_host.exe"
cp "$BUILDX/robot.exe" "$WORK/robot.exe"
cp "$BUILDX/ver_4002.exe" "$WORK/APP.DLL"
cp "$BUILDX/ver_4001.exe" "$WORK/_VS1.TMP"
EXISTING=$(winpath "$WORK/APP.DLL")
NEWCOPY=$(winpath "$WORK/_VS1.TMP")
host_robot() {
  local name=$1; shift
  (cd "$WORK" && timeout -k 5 60 "$WINE" "$WORK/robot.exe" "$(winpath "$SCEN_DIR/$name.txt")" \
     "$(winpath "$WORK/$name.rec")" -- "$HOST" "$@" </dev/null >/dev/null 2>&1)
  local rrc=$?
  RC=$(sed -n 's/^exit=//p' "$WORK/$name.rec" 2>/dev/null | tail -n 1)
  [ "$rrc" -eq 0 ] || { fail "$name: robot ended with $rrc"; cat "$WORK/$name.rec"; }
}
# Bits 0x7: temporary copy, mismatch, source older.
host_robot keep conflict "$EXISTING" "$NEWCOPY" APP.DLL 7
[ "$RC" = 7 ] || fail "Keep gave $RC"
host_robot install conflict "$EXISTING" "$NEWCOPY" APP.DLL 0x23
[ "$RC" = 6 ] || fail "Install gave $RC"
host_robot exit conflict "$EXISTING" "$NEWCOPY" APP.DLL 3
[ "$RC" = 3 ] || fail "Exit gave $RC"
host_robot close conflict "$EXISTING" "$NEWCOPY" APP.DLL 0xB
[ "$RC" = 3 ] || fail "closing gave $RC"
# Quiet: the existing file is kept and nothing is shown.
(cd "$WORK" && timeout -k 5 30 "$WINE" "$HOST" -q conflict "$EXISTING" "$NEWCOPY" APP.DLL 7 \
   </dev/null >/dev/null 2>&1)
RC=$?
[ "$RC" = 7 ] || fail "quiet gave $RC"
