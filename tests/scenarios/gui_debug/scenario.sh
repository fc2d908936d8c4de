# The Debug dialog of trace mode 2: its buttons, its timer and Stop.
run_robot "$SCEN_DIR/answers.txt" -v=2 "-d=$WDEST"
expect_rc 0
