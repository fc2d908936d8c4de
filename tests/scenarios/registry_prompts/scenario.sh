# The questions of the registry section answered both ways by the robot:
# a Check's own message and its program, message 1277 after a failed
# delete, 1286 and 1284 from a Check, and a fatal Check's own text.
K='HKCU\Software\K8Prompt'
# reg's answer, without CRs, in $WORK/reg.txt (read as a file: a pipe into
# grep -q can end its writer early).
reg() {
  "$WINE" reg "$@" </dev/null >"$WORK/reg.raw" 2>&1
  tr -d '\r' < "$WORK/reg.raw" > "$WORK/reg.txt"
}
has() {  # NAME: the value exists
  reg query "$K" /v "$1"
  grep -qE "^ +$1 +REG_SZ" "$WORK/reg.txt"
}
start() {
  reg delete "$K" /f
  reg add "$K" /v Ver /d 2.0 /f
}
start
run_robot "$SCEN_DIR/one.txt" "-d=$WDEST" -a=one
expect_rc 1
for i in $(seq 1 50); do has Ran && break; sleep 0.1; done
has Ran || fail "the Check's program did not run after Yes"
has AfterYes || fail "Yes to 1277 did not go on"
has NotReached && fail "No to 1277 did not stop the section"

start
run_robot "$SCEN_DIR/two.txt" "-d=$WDEST" -a=two
expect_rc 1
has NotReached && fail "a fatal Check did not stop the section"
grep -q '^control 1 Button "OK"' "$WORK/record.txt" || fail "the fatal box has no OK button"
grep -qE '^control (2|6|7) Button' "$WORK/record.txt" && fail "the fatal box has more than OK"

start
run_robot "$SCEN_DIR/three.txt" "-d=$WDEST" -a=three
expect_rc 1
sleep 0.5
has Ran && fail "the program ran after No"
has NotReached && fail "No to 1284 did not stop the section"
reg delete "$K" /f
