# An old trace file is overwritten on Yes and kept (appended to) on No.
TF=$(TRACE_FILE)
printf 'OLD TRACE\r\n' > "$TF"
run_robot "$SCEN_DIR/no.txt" -v=3 "-d=$WDEST"
expect_rc 0
expect_line "$TF" "OLD TRACE"
expect_line "$TF" "~-Install and Setup: fnParseCmdLine-~"
run_robot "$SCEN_DIR/yes.txt" -v=3 "-d=$WDEST"
expect_rc 0
expect_no_line "$TF" "OLD TRACE"
expect_line "$TF" "~-Install and Setup: fnParseCmdLine-~"
