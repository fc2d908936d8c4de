# An "RNF" script makes the program copy itself to the temporary directory
# as _KSTL8_.EXE and carry on from there with -t; this process ends at once.
# The copy keeps the quiet mode and the trace mode of the run.
TF=$(TRACE_FILE)
run_setup -q -v=3 "-d=$WDEST"
expect_rc 0
expect_file "$WTEMP/_KSTL8_.EXE"
# A quiet run shows no closing message: the copy's end is its exit trace.
wait_for_line "$TF" "~-Install and Setup: fnUserExit-~"
expect_line "$DEST/RNF.LOG" "[SetEnvironment]"
[ "$(grep -c 'fnInitLoader run-~' "$TF")" -eq 1 ] || fail "expected exactly one loader start"
expect_grep "$TF" 'szSetupCmdLine=".*_KSTL8_\.EXE" ".*SETUP\.RNF" ".*\\app" ".*DEST" -t -q -v=3 -w=0'
