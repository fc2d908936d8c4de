# [Config] Restart: the program copies itself to the temporary directory
# as _KSTL8_.EXE, starts the copy with -t and ends with 0; the install runs
# once, in the copy.  A copy that cannot be made (its name taken by a
# directory) fails the run with message 1041, in a quiet run in the trace
# and the log, in an interactive one in a box.
TF=$(TRACE_FILE)
# count FILE PATTERN: lines of FILE matching the pattern.
count() { tr -d '\r' < "$1" 2>/dev/null | grep -cE -- "$2"; }
# The copy runs on after this process has ended: wait for its end.
wait_copy_end() {
  wait_for_line "$TF" "~-Install and Setup: fnUserExit-~" 20
  local _
  for _ in $(seq 1 50); do
    pgrep -f '_KSTL8_\.EXE' >/dev/null || break
    sleep 0.2
  done
}

run_setup -q -v=3 "-d=$WDEST"
expect_rc 0
wait_copy_end
expect_file "$WTEMP/_KSTL8_.EXE"
cmp -s "$WTEMP/_KSTL8_.EXE" "$APP/SETUP32.EXE" || fail "the temporary copy is not the program"
expect_line "$DEST/APP.INI" "Shell=NEW.EXE"
expect_grep "$TF" 'szSetupCmdLine=".*_KSTL8_\.EXE" ".*\\app\\KESTREL8\.INF" ".*\\app" ".*\\DEST" -t -q -v=3'
# The copy read the same Restart and went on: it is the temporary copy.
expect_grep "$TF" 'Restart passed over: g_bTempExec=1, g_szOwnPath=.*\\_KSTL8_\.EXE'
[ "$(count "$TF" 'fnReloadExec run-~')" -eq 1 ] || fail "expected exactly one restart"
[ "$(count "$TF" '^Before fnReadInf')" -eq 1 ] || fail "the walk ran $(count "$TF" '^Before fnReadInf') times, expected once"
# The copy kept the instance title (no "-2": the ending run was not taken
# for a second instance) and wrote the log of the install.
expect_no_grep "$TF" 'Install and Setup-2'
[ "$(count "$DEST/RELOAD.LOG" '^\[IniEdits\]$')" -eq 1 ] || fail "RELOAD.LOG does not hold the edits once"
expect_no_grep "$DEST/RELOAD.LOG" '^Message:'

# The bare word does the same.
rm -f "$TF" "$WTEMP/_KSTL8_.EXE"
run_setup -q -v=3 -i=BARE.INF "-d=$WDEST"
expect_rc 0
wait_copy_end
expect_line "$DEST/BARE.INI" "Shell=BARE.EXE"
expect_grep "$TF" 'szSetupCmdLine=".*_KSTL8_\.EXE" ".*\\app\\BARE\.INF" '
[ "$(count "$TF" '^Before fnReadInf')" -eq 1 ] || fail "bare Restart: the walk did not run once"

# The copy's name is taken by a directory: no copy, message 1041, result 1,
# and nothing of the install is done.
rm -f "$TF" "$WTEMP/_KSTL8_.EXE" "$DEST/APP.INI" "$DEST/RELOAD.LOG"
mkdir -p "$WTEMP/_KSTL8_.EXE"
run_setup -q -v=3 "-d=$WDEST"
expect_rc 1
expect_grep "$TF" 'The copy .*_KSTL8_\.EXE could not be made'
expect_grep "$TF" '^Error reading .*\\app\\KESTREL8\.INF!'
expect_grep "$DEST/RELOAD.LOG" '^Message: Error reading .*\\app\\KESTREL8\.INF! Cannot continue\. \(answer 1\)'
expect_no_file "$DEST/APP.INI"
[ "$(count "$TF" '^Before fnReadInf')" -eq 0 ] || fail "the walk ran after a failed restart"
[ "$(count "$TF" 'fnReloadExec run-~')" -eq 0 ] || fail "a copy was started although none was made"

# Interactive: the same failure is a stop box the user must close.
run_robot "$SCEN_DIR/failed.txt" "-d=$WDEST"
expect_rc 1
expect_grep "$WORK/record.txt" 'control 65535 Static "Error reading .*KESTREL8\.INF!\\nCannot continue\."'
expect_no_file "$DEST/APP.INI"
rmdir "$WTEMP/_KSTL8_.EXE" || fail "the directory in the copy's place could not be removed"
