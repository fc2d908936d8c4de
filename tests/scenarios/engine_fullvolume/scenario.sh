# Installs onto a volume that is too small (a 64 KB tmpfs, reached through
# drive Z:): a backup is made, the new file does not fit, message 1124
# (quiet: OK, skip the file) and the original stays, its backup gone; a
# split-file part that does not fit is an error and is taken back whole.
HOST="$BUILDX/dialog_host.exe"
SMALL="$WORK/small"
mkdir -p "$SMALL" "$WORK/src"
if ! mount -t tmpfs -o size=64k tmpfs "$SMALL"; then
  fail "cannot mount a small tmpfs volume at $SMALL (the scenario needs root)"
  return 0
fi
trap 'umount "$SMALL" 2>/dev/null' EXIT
WSRC=$(winpath "$WORK/src"); WSMALL=$(winpath "$SMALL")
install() {
  "$WINE" "$HOST" -q install "$WSRC" "$1" "$WSMALL" "$2" "$3" </dev/null >/dev/null 2>&1
  RC=$?
}
fill() { head -c "$2" /dev/zero | tr '\0' "$3" > "$1"; }

# Backup made, then too little room for the new file.
fill "$SMALL/APP.DAT" 24576 o
fill "$WORK/src/APP.DAT" 49152 n
install APP.DAT APP.DAT NNB
expect_rc 1
cmp -s "$SMALL/APP.DAT" <(head -c 24576 /dev/zero | tr '\0' o) || fail "APP.DAT is not the original"
ls "$SMALL" | grep -q '{' && fail "a backup or unique file is left: $(ls "$SMALL")"
rm -f "$SMALL/APP.DAT"

# Parts of a split file: the first fits, the second does not.
fill "$WORK/src/PART1" 8192 a
fill "$WORK/src/PART2" 90000 b
install PART1 JOINED NJN
expect_rc 0
install PART2 JOINED NJN
expect_rc 2        # quiet Abort of message 1112 (out of space)
[ "$(stat -c %s "$SMALL/JOINED" 2>/dev/null)" = 8192 ] ||
  fail "JOINED holds $(stat -c %s "$SMALL/JOINED" 2>/dev/null) bytes, expected the 8192 of part 1"
# Shown to a person: Retry appends the part again from the old end (a
# failed part is taken back), and Ignore skips it.
cp "$BUILDX/robot.exe" "$WORK/robot.exe"
(cd "$WORK" && timeout -k 5 60 "$WINE" "$WORK/robot.exe" "$(winpath "$SCEN_DIR/retry.txt")" \
   "$(winpath "$WORK/retry.rec")" -- "$HOST" install "$WSRC" PART2 "$WSMALL" JOINED NJN \
   </dev/null >/dev/null 2>&1)
RRC=$?
RC=$(sed -n 's/^exit=//p' "$WORK/retry.rec" 2>/dev/null | tail -n 1)
[ "$RRC" -eq 0 ] || { fail "retry: robot ended with $RRC"; cat "$WORK/retry.rec"; }
[ "$RC" = 1 ] || fail "retry then ignore gave $RC, expected 1 (skipped)"
[ "$(stat -c %s "$SMALL/JOINED" 2>/dev/null)" = 8192 ] ||
  fail "after Retry and Ignore JOINED holds $(stat -c %s "$SMALL/JOINED" 2>/dev/null) bytes"
umount "$SMALL" && trap - EXIT
