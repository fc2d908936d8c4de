# Helpers for scenarios.  A scenario's scenario.sh runs the program with
# run_setup (or run_robot) and then checks with the expect_* helpers;
# every failed check is counted and the scenario fails at the end.
: "${WINE:=/usr/lib/wine/wine64}"
SCEN_FAILS=0

# Windows path of a Unix path (through drive Z:).
winpath() { local p="$1"; echo "Z:${p//\//\\}"; }

# A program left running by an earlier scenario would be taken for a
# previous instance: end any that survive.
scen_kill_strays() {
  local pid
  for pid in $(pgrep -f '(_KSTL8_|SETUP32)\.EXE|robot\.exe'); do
    # Only this bench's programs: other benches may run beside it.
    tr '\0' '\n' < "/proc/$pid/environ" 2>/dev/null | grep -xF "WINEPREFIX=$WINEPREFIX" >/dev/null &&
      kill -9 "$pid" 2>/dev/null
  done
  return 0
}

scen_prepare() {
  SCEN_DIR=$1; BUILDX=$2; SCEN_NAME=$3
  scen_kill_strays
  WORK="$BUILDX/scenarios/$SCEN_NAME"
  rm -rf "$WORK"; mkdir -p "$WORK/app" "$WORK/dest"
  [ -d "$SCEN_DIR/app" ] && cp -r "$SCEN_DIR/app/." "$WORK/app/"
  cp "$BUILDX/SETUP32.EXE" "$WORK/app/"
  APP="$WORK/app"; DEST="$WORK/dest"
  WAPP=$(winpath "$APP"); WDEST=$(winpath "$DEST")
  WTEMP="$WINEPREFIX/drive_c/users/$(id -un)/Temp"
  mkdir -p "$WTEMP"
  rm -f "$WTEMP/KStl8Dbg.LOG" "$WTEMP/_KSTL8_.EXE"
  SCEN_WINVER_SET=0
}

# private_prefix: the rest of the scenario runs in a prefix of its own, a
# copy of the bench's template with its own wineserver, so that an exit or
# restart of Windows ends nothing but this scenario's programs.
private_prefix() {
  SCEN_PRIVATE_PREFIX="$WORK/prefix"
  cp -a "$BUILDX/../wineprefix.template" "$SCEN_PRIVATE_PREFIX"
  export WINEPREFIX="$SCEN_PRIVATE_PREFIX"
  "$WINESERVER" -p </dev/null >/dev/null 2>&1
  "$WINE" wineboot </dev/null >/dev/null 2>&1
  WTEMP="$WINEPREFIX/drive_c/users/$(id -un)/Temp"
  mkdir -p "$WTEMP"
}

scen_finish() {
  scen_kill_strays
  if [ -n "${SCEN_PRIVATE_PREFIX:-}" ]; then
    "$WINESERVER" -k </dev/null >/dev/null 2>&1
    "$WINESERVER" -w </dev/null >/dev/null 2>&1
    rm -rf "$SCEN_PRIVATE_PREFIX"
  fi
  [ "$SCEN_WINVER_SET" = 1 ] && set_winver ""
  if [ "$SCEN_FAILS" -ne 0 ]; then
    echo "scenario $SCEN_NAME: $SCEN_FAILS check(s) failed (work folder $WORK)"
    exit 1
  fi
  echo "scenario $SCEN_NAME: passed"
}

fail() { echo "FAIL: $*"; SCEN_FAILS=$((SCEN_FAILS + 1)); }

# The Windows version the prefix reports: win95 win98 winme nt40 win2k winxp, "" for Wine's own.
set_winver() {
  SCEN_WINVER_SET=1
  if [ -n "$1" ]; then
    "$WINE" reg add 'HKCU\Software\Wine' /v Version /d "$1" /f </dev/null >/dev/null 2>&1
  else
    "$WINE" reg delete 'HKCU\Software\Wine' /v Version /f </dev/null >/dev/null 2>&1
  fi
  return 0
}

# run_setup [-t SECONDS] ARGS...: runs SETUP32.EXE from the app folder; sets RC.
run_setup() {
  local limit=20
  if [ "${1:-}" = "-t" ]; then limit=$2; shift 2; fi
  (cd "$APP" && timeout -k 5 "$limit" "$WINE" "$APP/SETUP32.EXE" "$@" \
     </dev/null >"$WORK/stdout.txt" 2>"$WORK/stderr.txt")
  RC=$?
  [ "$RC" -eq 124 ] && fail "SETUP32.EXE did not end within $limit s"
  return 0
}

# run_robot ANSWERS ARGS...: runs SETUP32.EXE under the dialog robot; sets RC
# (the program's exit code) and ROBOT_RC, and keeps the record in $WORK/record.txt.
run_robot() {
  local answers=$1; shift
  cp "$answers" "$WORK/answers.txt"
  cp "$BUILDX/robot.exe" "$WORK/robot.exe"
  (cd "$APP" && timeout -k 5 90 "$WINE" "$WORK/robot.exe" "$(winpath "$WORK/answers.txt")" \
     "$(winpath "$WORK/record.txt")" -- "$APP/SETUP32.EXE" "$@" \
     </dev/null >"$WORK/stdout.txt" 2>"$WORK/stderr.txt")
  ROBOT_RC=$?
  RC=$(sed -n 's/^exit=//p' "$WORK/record.txt" 2>/dev/null | tail -n 1)
  [ "$ROBOT_RC" -eq 0 ] || { fail "robot ended with $ROBOT_RC"; cat "$WORK/record.txt" 2>/dev/null; }
  return 0
}

expect_rc() { [ "$RC" = "$1" ] || fail "exit code $RC, expected $1"; }
expect_file() { [ -f "$1" ] || fail "missing file $1"; }
expect_no_file() { [ ! -e "$1" ] || fail "file should not exist: $1"; }
# expect_contains FILE TEXT: a line of FILE (CR stripped) equals TEXT.
expect_line() {
  [ -f "$1" ] || { fail "missing file $1"; return; }
  tr -d '\r' < "$1" | grep -xF -- "$2" >/dev/null || { fail "no line '$2' in $1"; sed 's/^/  | /' "$1" | head -40; }
}
expect_no_line() {
  [ -f "$1" ] && tr -d '\r' < "$1" | grep -xF -- "$2" >/dev/null && fail "unexpected line '$2' in $1"
  return 0
}
expect_grep() {
  [ -f "$1" ] || { fail "missing file $1"; return; }
  grep -qE -- "$2" "$1" || { fail "no match for /$2/ in $1"; head -40 "$1" | sed 's/^/  | /'; }
}
expect_no_grep() {
  [ -f "$1" ] || { fail "missing file $1"; return; }
  grep -qE -- "$2" "$1" && { fail "unexpected match for /$2/ in $1"; head -40 "$1" | sed 's/^/  | /'; }
  return 0
}
# expect_same FILE TEXT: the file (CR stripped) is exactly TEXT.
expect_same() {
  local got; got=$(tr -d '\r' < "$1" 2>/dev/null)
  [ "$got" = "$2" ] || { fail "content of $1 differs"; diff <(echo "$2") <(echo "$got") | head -20; }
}
TRACE_FILE() { echo "$WTEMP/KStl8Dbg.LOG"; }

# wait_for_line FILE TEXT [SECONDS]: polls until a line of FILE equals TEXT.
wait_for_line() {
  local i
  for i in $(seq 1 $(( ${3:-15} * 10 ))); do
    [ -f "$1" ] && tr -d '\r' < "$1" | grep -xF -- "$2" >/dev/null && return 0
    sleep 0.1
  done
  fail "no line '$2' in $1 after ${3:-15} s"
}
