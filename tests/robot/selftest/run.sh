#!/bin/bash
# Self-test of the dialog robot against target.exe.
#
#   run.sh ROBOT_EXE TARGET_EXE
#
# The caller provides a booted prefix with a running wineserver and an X
# display: WINEPREFIX, DISPLAY and WINEDEBUG must be set. Builds nothing.
# Exits non-zero when any case fails.
set -u

if [ $# -ne 2 ] || [ ! -f "$1" ] || [ ! -f "$2" ]; then
  echo "usage: run.sh ROBOT_EXE TARGET_EXE" >&2
  exit 2
fi
: "${WINEPREFIX:?}" "${DISPLAY:?}" "${WINEDEBUG:?}"

WINE=/usr/lib/wine/wine64
HERE=$(cd "$(dirname "$0")" && pwd)
ROBOT=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
TARGET=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
WORK=$(mktemp -d /tmp/robot-selftest.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
cd "$WORK" || exit 2

passed=0
failed=0
problems=()

# Windows name of a Linux path (drive Z: is the Linux root).
winpath() { local p=$1; printf 'Z:%s' "${p//\//\\}"; }

problem() { problems+=("$1"); }

# run_robot NAME ANSWERS [ARGS...]: runs the robot on target.exe; sets rc and secs.
run_robot() {
  local name=$1 answers=$2
  shift 2
  local t0 t1
  t0=$(date +%s%N)
  "$WINE" "$ROBOT" "$(winpath "$HERE/$answers")" "$(winpath "$WORK/$name.rec")" -- \
    "$(winpath "$TARGET")" "$@" </dev/null >"$WORK/$name.out" 2>"$WORK/$name.err"
  rc=$?
  t1=$(date +%s%N)
  secs=$(( (t1 - t0) / 1000000 ))
  rec="$WORK/$name.rec"
}

expect_rc() { [ "$rc" -eq "$1" ] || problem "robot exit code $rc, expected $1"; }
has_line() { grep -qFx -- "$1" "$rec" 2>/dev/null || problem "record lacks line: $1"; }
has_match() { grep -qE -- "$1" "$rec" 2>/dev/null || problem "record lacks a line matching: $1"; }
lacks_match() { ! grep -qE -- "$1" "$rec" 2>/dev/null || problem "record has a line matching: $1"; }
last_line() { [ "$(tail -n 1 "$rec" 2>/dev/null)" = "$1" ] || problem "last record line is not: $1"; }
faster_than() { [ "$secs" -lt "$1" ] || problem "took ${secs} ms, limit $1 ms"; }

# Counts the commands of an answers file (not blank, not a comment).
commands_in() { grep -cvE '^[[:space:]]*(#|$)' "$HERE/$1"; }

finish_case() {
  local name=$1
  if [ ${#problems[@]} -eq 0 ]; then
    echo "PASS $name (${secs} ms)"
    passed=$((passed + 1))
  else
    echo "FAIL $name (${secs} ms)"
    printf '  %s\n' "${problems[@]}"
    echo "  --- record:"; sed 's/^/  | /' "$rec" 2>/dev/null
    echo "  --- robot stderr:"; sed 's/^/  | /' "$WORK/$name.err"
    failed=$((failed + 1))
  fi
  problems=()
}

# The screenshot is 1024x768 and shows the dialog where the record placed it.
check_shot() {
  local bmp="$WORK/robot-shot.bmp" png="$WORK/robot-shot.png"
  [ -f "$bmp" ] || { problem "no robot-shot.bmp"; return; }
  convert "$bmp" "$png" >"$WORK/convert.out" 2>&1 || { problem "convert failed: $(cat "$WORK/convert.out")"; return; }
  identify -format '%w %h' "$png" >"$WORK/size.txt" 2>&1
  [ "$(cat "$WORK/size.txt")" = "1024 768" ] || problem "shot size $(cat "$WORK/size.txt"), expected 1024 768"
  local l t r b
  read -r _ _ l t r b < <(grep -E '^rect 0 ' "$rec")
  [ -n "${b:-}" ] || { problem "no rect line for the shot"; return; }
  local inside="$(( (l + r) / 2 )),$(( t + (b - t) * 3 / 4 ))"
  convert "$png" -format "%[pixel:p{2,2}] %[pixel:p{$inside}]" info: >"$WORK/pixels.txt" 2>&1
  local outer inner
  read -r outer inner <"$WORK/pixels.txt"
  if [ -z "$inner" ] || [ "$outer" = "$inner" ]; then
    problem "dialog not visible in the shot: desktop $outer, dialog $inner at $inside"
  fi
}

# 1. Every window answered as planned: exit 0 and the code the answers imply
#    (selection 2, "hello world" 11 characters, box checked, OK = 21111).
#    The argument with a blank reaches the target whole (dialog title).
run_robot all answer-all.txt "self test"
expect_rc 0
lacks_match ' FAIL |^unexpected '
[ "$(grep -c '^step [0-9]* ok ' "$rec")" = "$(commands_in answer-all.txt)" ] || problem "not every step logged ok"
target_w=$(winpath "$TARGET")
has_line "start \"${target_w//\\/\\\\} \\\"self test\\\"\""
has_line 'window "#32770" "Robot Dialog - self test"'
has_line 'control 65535 Static "Thanks,\nhello world." visible=1'
has_line 'control 201 Edit "abc" visible=1'
has_line 'control 231 Button "&Remember" visible=1'
has_line 'control 65535 Static "Start the dialog?" visible=1'
has_match '^rect 0 -?[0-9]+ -?[0-9]+ -?[0-9]+ -?[0-9]+$'
last_line 'exit=21111'
check_shot
faster_than 15000
finish_case all

# 2. A wrong expect fails the run; the watcher answers the box (No) and the
#    target ends within a few seconds.
run_robot wrong answer-wrong.txt
expect_rc 3
has_line 'step 2 FAIL line 4: control 0 has "Robot Target", expected "Robot Target (wrong)"'
lacks_match '^step 3 '
has_line 'unexpected "#32770" "Robot Target"'
has_line 'answer press 7'
last_line 'exit=7'
faster_than 10000
finish_case wrong

# 2b. A leading wildcard must still match the rest of the text.
run_robot wild answer-wild.txt
expect_rc 3
has_line 'step 2 FAIL line 3: control 0 has "Robot Target", expected "*Targets"'
last_line 'exit=7'
faster_than 10000
finish_case wild

# 3. Answers that stop early: the dialog is logged as unexpected with its
#    controls and cancelled (edit "abc", box off, Cancel = 302).
run_robot early answer-early.txt
expect_rc 3
has_line 'step 2 ok press 6'
has_line 'unexpected "#32770" "Robot Dialog - none"'
has_line 'control 201 Edit "abc" visible=1'
has_line 'control 110 Static "box off" visible=1'
has_line 'answer press 2'
last_line 'exit=302'
faster_than 10000
finish_case early

# 4. Pressing a button the window does not have fails the step.
run_robot missing answer-missing.txt
expect_rc 3
has_line 'step 2 FAIL line 3: no control 2'
has_line 'answer press 7'
last_line 'exit=7'
faster_than 10000
finish_case missing

# 5. A program that never ends is terminated at the time limit: exit 4.
ROBOT_LIMIT_MS=3000 run_robot sleep answer-sleep.txt --sleep
expect_rc 4
has_line 'step 1 FAIL line 3: program still running after 500 ms'
has_line 'timeout after 3000 ms: terminating the program'
last_line 'exit=65535'
faster_than 10000
finish_case sleep

# 6. close, uncheck and an empty text: the dialog ends as cancelled with
#    an empty edit and the box off (exit 2).
run_robot close answer-close.txt
expect_rc 0
lacks_match ' FAIL |^unexpected '
[ "$(grep -c '^step [0-9]* ok ' "$rec")" = "$(commands_in answer-close.txt)" ] || problem "not every step logged ok"
last_line 'exit=2'
faster_than 10000
finish_case close

# 7. A program that cannot be started: exit 2 and the error in the record.
TARGET="$WORK/missing.exe" run_robot nostart answer-close.txt
expect_rc 2
has_line 'start FAIL error 2'
finish_case nostart

# 8. A bad answers file is refused before the program starts: exit 2, no record.
run_robot bad answer-bad.txt
expect_rc 2
[ ! -e "$rec" ] || problem "a record was written"
grep -qF 'answer-bad.txt:3: argument 1 of press is not a number' "$WORK/bad.err" ||
  problem "no syntax message on stderr"
finish_case bad

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
