# An interactive run ends with the closing message; -? shows the usage text.
run_robot "$SCEN_DIR/answers.txt" "-d=$WDEST"
expect_rc 0
run_robot "$SCEN_DIR/usage.txt" -?
expect_rc 0
