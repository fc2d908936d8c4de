# Split files in the real program: three parts JN1, JN2, JN0 give one file
# made of the three in order, and no temporary file is left behind.  A
# join with a part missing installs no file at all; a last part without
# its first part is a bad line.

# The middle part holds every byte value, 3,072 bytes in all.
for _ in 1 2 3 4 5 6 7 8 9 10 11 12; do
  for i in $(seq 0 255); do printf "\\$(printf %03o "$i")"; done
done > "$APP/PIECE2.BIN"
[ "$(stat -c %s "$APP/PIECE2.BIN")" = 3072 ] || fail "PIECE2.BIN was not made"
rm -f "$WTEMP"/_RJ*
run_setup -q "-d=$WDEST"
expect_rc 0
cat "$APP/PIECE1.BIN" "$APP/PIECE2.BIN" "$APP/PIECE3.BIN" > "$WORK/joined.want"
cmp -s "$WORK/joined.want" "$DEST/JOINED.BIN" || fail "JOINED.BIN is not the three parts in order"
expect_file "$DEST/AFTER.TXT"
expect_line "$DEST/JOIN.LOG" "${WDEST^^}\\JOINED.BIN, N"
ls "$WTEMP"/_RJ* >/dev/null 2>&1 && fail "join temporary files left in $WTEMP"

run_setup LOST.INF -q "-d=$WDEST"
expect_rc 0
expect_no_file "$DEST/LOST.BIN"
expect_file "$DEST/AFTER2.TXT"
expect_grep "$DEST/LOST.LOG" 'Not installed.*LOST\.BIN'
ls "$WTEMP"/_RJ* >/dev/null 2>&1 && fail "join temporary files left after a failed join"

run_setup ORPHAN.INF -q "-d=$WDEST"
expect_rc 1
expect_no_file "$DEST/ORPHAN.BIN"
expect_line "$DEST/ORPHAN.LOG" "Message: Error reading line 1 in section [Files] of information file! Cannot continue. (answer 1)"
