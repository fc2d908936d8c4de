# While one instance runs (waiting at its closing message), a second one
# runs with the class and title suffixed "-2".
(cd "$APP" && timeout 60 "$WINE" "$APP/SETUP32.EXE" </dev/null >/dev/null 2>&1 &)
sleep 3
run_robot "$SCEN_DIR/answers.txt" -v=3 "-d=$WDEST"
expect_rc 0
expect_line "$(TRACE_FILE)" "~-Install and Setup-2: fnParseCmdLine-~"
