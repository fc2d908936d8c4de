# A source file that is not there.  Disk field 0: the file is skipped
# without a word and the install goes on.  A disk field that asks for the
# disk, in a quiet run: nobody can insert it, so the section stops, the
# run says the software is not installed (1061) and ends with 1.
U=${WDEST^^}
S=$(winpath "$APP")
run_setup -q "-d=$WDEST"
expect_rc 0
cmp -s "$APP/PRESENT.DAT" "$DEST/PRESENT.DAT" || fail "PRESENT.DAT not installed"
expect_no_file "$DEST/MISSING.DAT"
expect_line "$DEST/SKIP.LOG" "$U\\PRESENT.DAT, N"
expect_no_grep "$DEST/SKIP.LOG" 'MISSING\.DAT|Message:'

run_setup -q "-d=$WDEST" "-i=$S\\PROMPT.INF"
expect_rc 1
cmp -s "$APP/PRESENT.DAT" "$DEST/FIRST.DAT" || fail "FIRST.DAT not installed"
expect_no_file "$DEST/MISSING.DAT"
expect_no_file "$DEST/AFTER.DAT"
# The walk stops: the next copy section does not run either.
expect_no_file "$DEST/LATER.DAT"
LOG="$DEST/PROMPT.LOG"
expect_line "$LOG" "$U\\FIRST.DAT, N"
expect_line "$LOG" "Source missing: $S\\MISSING.DAT"
expect_line "$LOG" "Message: The software has not been successfully installed. You must re-install before using the software. (answer 1)"
expect_no_grep "$LOG" 'AFTER|LATER'
