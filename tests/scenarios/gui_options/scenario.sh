# The install-options dialog with one to four options, its help, the
# script each option loads, Exit, and quiet runs that take option 1.
height() { sed -n "s/^rect $2 //p" "$1" | awk '{print $4 - $2}' | head -n 1; }
run_robot "$SCEN_DIR/one.txt" "-d=$WDEST" -i=OPT1.INF
expect_rc 0
H1=$(height "$WORK/record.txt" 0)
run_robot "$SCEN_DIR/two.txt" "-d=$WDEST" -i=OPT2.INF
expect_rc 0
H2=$(height "$WORK/record.txt" 0)
# Without help the dialog ends above the Help button: one option row and
# the help row shorter than the two-option dialog with help.
[ -n "$H1" ] && [ -n "$H2" ] && [ "$H1" -lt "$H2" ] || fail "dialog heights: one $H1, two $H2"
run_robot "$SCEN_DIR/three.txt" "-d=$WDEST" -i=OPT3.INF
expect_rc 0
run_robot "$SCEN_DIR/four.txt" "-d=$WDEST" -i=OPT4.INF
expect_rc 2
run_robot "$SCEN_DIR/self.txt" "-d=$WDEST" -i=SELF.INF
expect_rc 2
# Quiet: option 1 at once.  SELF.INF goes on with itself instead of
# reloading for ever; OPT2.INF goes on with its own script.
for inf in SELF.INF OPT2.INF OPT4.INF; do
  run_setup -t 15 -q "-d=$WDEST" -i=$inf -v=3
  expect_rc 0
  expect_grep "$(TRACE_FILE)" "Quiet: \".* Option.*\" ends with 112"
done
