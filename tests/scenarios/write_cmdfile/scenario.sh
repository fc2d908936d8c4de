# [WriteCmdFile] writes a command file for the next run; that run reads it
# with -c= and becomes quiet, with the destination and answer it names.
mkdir -p "$APP/SECOND"
run_setup -q "-d=$WDEST"
expect_rc 0
CMD="$APP/NEXT.CMD"
expect_line "$CMD" "[START]"
expect_line "$CMD" "BEQUIET=TRUE"
expect_line "$CMD" "DESTDIR=${WAPP}\\SECOND"
expect_line "$CMD" "ASKFOR=second run"
expect_line "$CMD" "INIFILE=${WAPP}\\SECOND.INF"
expect_no_file "$APP/WRONG.CMD"
# The second run: no -q on the command line, the command file makes it
# quiet and names the script (it replaces every field of the command line).
run_setup -v=3 "-c=$(winpath "$CMD")"
expect_rc 0
expect_file "$APP/SECOND/SECOND.LOG"
expect_line "$(TRACE_FILE)" "g_szAskForResponse=second run,"
