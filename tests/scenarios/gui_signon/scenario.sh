# The sign-on and information screens: four lines use the short screen,
# five the tall one; Cancel is confirmed; quiet runs never wait.
height() { sed -n "s/^rect $2 //p" "$1" | awk '{print $4 - $2}' | head -n 1; }
run_robot "$SCEN_DIR/four.txt" "-d=$WDEST"
expect_rc 0
SHORT=$(height "$WORK/record.txt" 100)
run_robot "$SCEN_DIR/five.txt" "-d=$WDEST" -i=TALL.INF
expect_rc 2
TALL=$(height "$WORK/record.txt" 100)
[ -n "$SHORT" ] && [ -n "$TALL" ] && [ "$TALL" -gt $((SHORT * 3 / 2)) ] ||
  fail "text box heights: short $SHORT, tall $TALL"
run_robot "$SCEN_DIR/info.txt" "-d=$WDEST" -i=INFO.INF
expect_rc 1
grep -q 'control 65535 Static ".*not.*installed' "$WORK/record.txt" ||
  fail "no 'not installed' closing message after Cancel on [Info]"
run_robot "$SCEN_DIR/nokey.txt" "-d=$WDEST" -i=NOKEY.INF
expect_rc 0
# Quiet: sign-on and information end at once with OK; the run succeeds.
for inf in KESTREL8.INF TALL.INF INFO.INF; do
  run_setup -t 15 -q "-d=$WDEST" -i=$inf -v=3
  expect_rc 0
  expect_grep "$(TRACE_FILE)" 'Quiet: ".*" ends with 1'
done
