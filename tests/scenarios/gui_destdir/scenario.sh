# The destination dialog driven by the robot, in a prefix of its own with
# drive X: on a scratch folder and M: on a 1 MB tmpfs: its texts and ids,
# OK only with text, a bare drive stored as "X:\", Cancel, Browse, and the
# space questions with each of their answers.
private_prefix
XDRIVE="$WORK/xdrive"
mkdir -p "$XDRIVE"
ln -s "$XDRIVE" "$WINEPREFIX/dosdevices/x:"
MNT="$WORK/small"
mkdir -p "$MNT"
mount -t tmpfs -o size=1m tmpfs "$MNT" || fail "a 1 MB tmpfs could not be mounted (the scenario needs root)"
ln -s "$MNT" "$WINEPREFIX/dosdevices/m:"

run_robot "$SCEN_DIR/drive.txt" -i=GUI.INF -v=3
expect_rc 0
[ -d "$XDRIVE/APPDIR" ] || fail "X: with its backslash did not become the destination"
expect_line "$(TRACE_FILE)" 'lpReadSectStruct->szPath=X:\'

run_robot "$SCEN_DIR/browse.txt" -i=GUI.INF
expect_rc 1
[ -e "$XDRIVE/PRESET" ] && fail "a cancelled destination was made"

run_robot "$SCEN_DIR/retry.txt" -i=ARI.INF
expect_rc 0
[ -d "$XDRIVE/OTHER/BIN" ] || fail "Retry did not install into the other directory"
[ -e "$MNT/SP" ] && fail "Retry still made the short destination"

run_robot "$SCEN_DIR/ignore.txt" -i=ARI.INF
expect_rc 0
[ -d "$MNT/SP/BIN" ] || fail "Ignore did not install onto the small drive"
rm -rf "$MNT/SP"

run_robot "$SCEN_DIR/abort.txt" -i=ARI.INF
expect_rc 1
[ -e "$MNT/SP" ] && fail "Abort made the destination"

run_robot "$SCEN_DIR/one.txt" -i=ONE.INF
expect_rc 2
[ -e "$MNT/SP" ] && fail "a cancelled test made the destination"

run_robot "$SCEN_DIR/nodrive.txt" -n -i=NODRIVE.INF
expect_rc 1

run_robot "$SCEN_DIR/source.txt" -i=SRC.INF
expect_rc 1
[ -e "$XDRIVE/S" ] && fail "a missing source still went on to the destination"

# The dialog alone in the host: template 14, then quiet runs of both
# templates, which end at once with OK and the preset path.
HOST="$BUILDX/dialog_host.exe"
cp "$BUILDX/robot.exe" "$WORK/robot.exe"
rm -f "$WORK/DESTDIR.OUT"
(cd "$WORK" && timeout -k 5 60 "$WINE" "$WORK/robot.exe" "$(winpath "$SCEN_DIR/t14.txt")" \
   "$(winpath "$WORK/t14.rec")" -- "$HOST" destdir 14 2 'C:\START' "Only one text." "" "Some help." \
   </dev/null >/dev/null 2>&1) || { fail "template 14: robot failed"; cat "$WORK/t14.rec"; }
expect_line "$WORK/t14.rec" "exit=1"
expect_no_grep "$WORK/t14.rec" '^control 103 '
expect_line "$WORK/DESTDIR.OUT" 'path=D:\'
expect_line "$WORK/DESTDIR.OUT" 'entry=D:\'
expect_line "$WORK/DESTDIR.OUT" 'dest='
for t in 3 14; do
  rm -f "$WORK/DESTDIR.OUT"
  start=$(date +%s%N)
  (cd "$WORK" && timeout -k 2 10 "$WINE" "$HOST" -q destdir $t 0 'C:\PRE' a b </dev/null >/dev/null 2>&1)
  rc=$?
  ms=$(( ($(date +%s%N) - start) / 1000000 ))
  [ "$rc" = 1 ] || fail "quiet template $t: result $rc, expected 1"
  [ "$ms" -lt 3000 ] || fail "quiet template $t took $ms ms"
  expect_line "$WORK/DESTDIR.OUT" 'path=C:\PRE'
  expect_line "$WORK/DESTDIR.OUT" 'dest=C:\PRE'
done

rm -f "$WINEPREFIX/dosdevices/x:" "$WINEPREFIX/dosdevices/m:"
umount "$MNT" || fail "the small volume could not be unmounted"
