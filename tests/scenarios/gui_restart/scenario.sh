# Interactive end of the run: the script's restart question (shown as
# text, never as a format) and the exit question, both answered No: the
# system is never asked and the program ends normally.
run_robot "$SCEN_DIR/own.txt" "-d=$WDEST"
expect_rc 0
expect_file "$DEST/ASK.LOG"
expect_no_grep "$DEST/ASK.LOG" '^ExitWindows='
run_robot "$SCEN_DIR/exitwin.txt" "-d=$WDEST" -i=EXITWIN.INF
expect_rc 0
expect_file "$DEST/EXIT.LOG"
expect_no_grep "$DEST/EXIT.LOG" '^ExitWindows='
