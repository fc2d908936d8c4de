# A bad line in the real program: a code field of five letters stops the
# section at that line with 1046, the run says the software is not
# installed (1061) and ends as failed; later sections do not run.  An
# invalid character is reported with 1104 before 1046.
run_setup -q "-d=$WDEST"
expect_rc 1
expect_file "$DEST/A.TXT"
expect_no_file "$DEST/B.TXT"
expect_no_file "$DEST/C.TXT"
expect_no_file "$DEST/D.TXT"
LOG="$DEST/BAD.LOG"
expect_line "$LOG" "Message: Error reading line 2 in section [Files] of information file! Cannot continue. (answer 1)"
expect_line "$LOG" "Message: The software has not been successfully installed. You must re-install before using the software. (answer 1)"
expect_no_line "$LOG" "[CopyFiles]"

run_setup CHARS.INF -q "-d=$WDEST"
expect_rc 1
LOG="$DEST/CHAR.LOG"
expect_line "$LOG" "Message: File E<F.TXT contains invalid character(s). (answer 1)"
expect_line "$LOG" "Message: Error reading line 1 in section [Files] of information file! Cannot continue. (answer 1)"
n1=$(grep -n 'invalid character' "$LOG" | cut -d: -f1); n2=$(grep -n 'Error reading line 1' "$LOG" | cut -d: -f1)
[ -n "$n1" ] && [ -n "$n2" ] && [ "$n1" -lt "$n2" ] || fail "1104 does not come before 1046"
