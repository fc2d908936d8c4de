# Copy modes W and C.  W installs into the Windows directory of the
# prefix.  C installs into the destination and removes the copies of the
# same name from the Windows and system directories; a line whose source
# is missing removes nothing.
WIN="$WINEPREFIX/drive_c/windows"
SYS="$WIN/system32"
clean() { rm -f "$WIN"/K8W?.DAT "$WIN"/K8C?.DAT "$SYS"/K8C?.DAT "$DEST"/K8*.DAT; }
clean
printf 'old win\r\n' > "$WIN/K8W2.DAT"
printf 'old c in windows\r\n' > "$WIN/K8C1.DAT"
printf 'old c in system\r\n' > "$SYS/K8C1.DAT"
printf 'kept c3 windows\r\n' > "$WIN/K8C3.DAT"
printf 'kept c3 system\r\n' > "$SYS/K8C3.DAT"
run_setup -q "-d=$WDEST"
expect_rc 0
cmp -s "$APP/K8W1.DAT" "$WIN/K8W1.DAT" || fail "K8W1.DAT not in the Windows directory"
cmp -s "$APP/K8W2.DAT" "$WIN/K8W2.DAT" || fail "K8W2.DAT did not replace the Windows directory's copy"
expect_no_file "$DEST/K8W1.DAT"
expect_no_file "$DEST/SUB/K8W2.DAT"
cmp -s "$APP/K8C1.DAT" "$DEST/K8C1.DAT" || fail "K8C1.DAT not in the destination"
expect_no_file "$WIN/K8C1.DAT"
expect_no_file "$SYS/K8C1.DAT"
expect_file "$WIN/K8C3.DAT"
expect_file "$SYS/K8C3.DAT"
expect_no_file "$DEST/K8C3.DAT"
# The prefix's Windows directory, as the system names it.
W='C:\windows'
LOG="$DEST/WINSYS.LOG"
U=${WDEST^^}
expect_line "$LOG" "$W\\K8W1.DAT, N"
expect_line "$LOG" "$W\\K8W2.DAT, N"
expect_line "$LOG" "$U\\K8C1.DAT, N"
[ "$(grep -c ', N$' "$LOG" | tr -d '\r')" = 0 ] || true
[ "$(grep -c 'DAT, N' "$LOG")" = 3 ] || fail "expected 3 file lines in $LOG"
clean
rm -f "$WIN/K8C3.DAT" "$SYS/K8C3.DAT"
