# Without KESTREL8.INF the default list is searched in order: HCSETUP.INF
# comes before SETUP.INF.  A named script that is missing is not followed
# by KESTREL8.INF but by the same list.
run_setup -q "-d=$WDEST"
expect_rc 0
expect_file "$DEST/WRONG.LOG"
rm -f "$APP/HCSETUP.INF" "$DEST/WRONG.LOG"
run_setup -q "-d=$WDEST"
expect_rc 0
expect_file "$DEST/FOUND.LOG"
printf '[Config]\r\nLogFile=K8.LOG\r\n' > "$APP/KESTREL8.INF"
rm -f "$DEST/FOUND.LOG"
run_setup -q "-d=$WDEST" -i=MISSING.INF
expect_rc 0
expect_file "$DEST/FOUND.LOG"
expect_no_file "$DEST/K8.LOG"
# No script at all: the run fails with a message, and says so in its exit code.
rm -f "$APP"/*.INF
run_setup -q -v=3 "-d=$WDEST"
expect_rc 1
expect_grep "$(TRACE_FILE)" "Cannot find information file\."
