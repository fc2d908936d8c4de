# Directory sections in the real program: lines made under the
# destination and logged, a line whose macro expands relative made inside
# the line before it, an ExpandDelims line that makes nothing; then a tree
# that cannot be made, which fails the quiet run at once (message 1054 in
# the log, the rest of the script not run).
mkdir -p "$DEST/PREVIOUS"
run_setup -q "-d=$WDEST" "-a=INNER"
expect_rc 0
for d in APP DATA APP/BIN/X86 APP/BIN/X86/INNER SECOND; do
  [ -d "$DEST/$d" ] || fail "directory $d was not made"
done
[ -e "$DEST/INNER" ] && fail "INNER was made under the destination, not inside APP\\BIN\\X86"
[ -e "$DEST/ExpandDelims=;" ] || [ -e "$DEST/;" ] && fail "the ExpandDelims line made a directory"
LOG="$DEST/MD.LOG"
UDEST=${WDEST^^}
expect_line "$LOG" "[MakeDirs]"
expect_line "$LOG" "$UDEST\\APP, D"
expect_line "$LOG" "$UDEST\\DATA, D"
expect_line "$LOG" "$UDEST\\APP\\BIN\\X86, D"
expect_line "$LOG" "$UDEST\\APP\\BIN\\X86\\INNER, D"
expect_line "$LOG" "[DestSubDirs]"
expect_line "$LOG" "$UDEST\\SECOND, D"

# A second run: every directory exists already, none is logged again.
rm -f "$LOG"
run_setup -q "-d=$WDEST" "-a=INNER"
expect_rc 0
expect_no_grep "$LOG" ', D$'

printf 'x' > "$DEST/BLOCKER"
run_setup -t 15 FAIL.INF -q "-d=$WDEST"
expect_rc 1
LOG="$DEST/FAIL.LOG"
[ -d "$DEST/GOOD" ] || fail "GOOD was not made"
[ -e "$DEST/NEVER" ] && fail "the section went on after the failing tree"
[ -e "$DEST/NOTREACHED" ] && fail "the walk went on after the failed section"
expect_grep "$LOG" "^Message: The .*BLOCKER\\\\SUB directory tree cannot be created\\. \\(answer 1\\)"
