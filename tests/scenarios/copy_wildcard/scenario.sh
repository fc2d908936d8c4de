# Wildcard lines in the real program: with + the source tree is rebuilt
# under the target, each subdirectory in its own place beside the others
# (none nested inside the one before); without + only the top directory.
run_setup -q "-d=$WDEST"
expect_rc 0
for f in 1.DAT SUB1/2.DAT SUB1/DEEP/3.DAT SUB2/4.DAT SUB2/5.DAT SUB3/6.DAT; do
  cmp -s "$APP/DATA/$f" "$DEST/APP/$f" || fail "APP/$f missing or different"
done
expect_no_file "$DEST/APP/NOTE.TXT"
expect_no_file "$DEST/APP/SUB1/SUB2"
expect_no_file "$DEST/APP/SUB2/SUB3"
expect_no_file "$DEST/APP/SUB1/DEEP/SUB2"
n=$(cd "$DEST/APP" && find . -type f | wc -l)
[ "$n" -eq 6 ] || fail "APP holds $n files, expected 6"
cmp -s "$APP/DATA/1.DAT" "$DEST/FLAT/1.DAT" || fail "FLAT/1.DAT missing or different"
expect_no_file "$DEST/FLAT/SUB1"
expect_line "$DEST/WILD.LOG" "${WDEST^^}\\APP\\SUB2\\4.DAT, N"
expect_line "$DEST/WILD.LOG" "${WDEST^^}\\APP\\SUB1\\DEEP\\3.DAT, N"
