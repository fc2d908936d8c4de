# Where a quiet install goes: the command-line destination wins over the
# script's DefaultDir; without one DefaultDir applies; without either the
# temporary directory.  The [MakeDirs] section shows where.  A missing
# destination drive ends a quiet run at once instead of asking again, and
# a required key without a value fails it.
UDEST=${WDEST^^}
inf() { printf '%s\r\n' "$@" > "$APP/$INF"; }

INF=PLACE.INF
inf "[Config]" "LogFile=$WDEST\\PLACE.LOG" "[AppInit]" "DefaultDir=$WDEST\\SCRIPT" \
    "SpaceNeeded=1000" "[MakeDirs]" "APPDIR"
run_setup PLACE.INF -q "-d=$WDEST\\CMD"
expect_rc 0
[ -d "$DEST/CMD/APPDIR" ] || fail "not installed into the command-line destination"
[ -e "$DEST/SCRIPT" ] && fail "DefaultDir was used although -d= was given"
expect_line "$DEST/PLACE.LOG" "$UDEST\\CMD\\APPDIR, D"

rm -rf "$DEST/CMD" "$DEST/PLACE.LOG"
run_setup PLACE.INF -q
expect_rc 0
[ -d "$DEST/SCRIPT/APPDIR" ] || fail "without -d= the quiet install did not go into DefaultDir"
[ -e "$DEST/CMD" ] && fail "the command-line destination of the last run stayed"

# Neither: the walk's start, the temporary directory.
INF=NOINIT.INF
inf "[MakeDirs]" "K8DESTDIR_TMPCHECK"
rm -rf "$WTEMP/K8DESTDIR_TMPCHECK"
run_setup NOINIT.INF -q
expect_rc 0
[ -d "$WTEMP/K8DESTDIR_TMPCHECK" ] || fail "without [AppInit] and -d= the install did not go into TMP"
rm -rf "$WTEMP/K8DESTDIR_TMPCHECK"

# A missing drive: message 1071 once in the log, failed, no loop.
INF=NODRIVE.INF
inf "[Config]" "LogFile=$WDEST\\NODRIVE.LOG" "[AppInit]" "DefaultDir=Q:\\NOWHERE" "[MakeDirs]" "X"
start=$(date +%s)
run_setup -t 15 NODRIVE.INF -q
expect_rc 1
[ $(( $(date +%s) - start )) -lt 10 ] || fail "the missing drive took too long"
n=$(tr -d '\r' < "$DEST/NODRIVE.LOG" | grep -c '^Message: Drive Q: is not available')
[ "$n" = 1 ] || { fail "message 1071 logged $n times"; cat "$DEST/NODRIVE.LOG"; }

# A required key without a value fails the run before anything is made.
INF=BADKEY.INF
inf "[AppInit]" "DefaultDir=$WDEST\\BAD" "Caption=" "[MakeDirs]" "X"
run_setup -t 15 BADKEY.INF -q
expect_rc 1
[ -e "$DEST/BAD" ] && fail "a failed [AppInit] went on"

# A log named by [AppInit] starts after that section: the later sections'
# records are in it, under the log's header.  (The directories the set-up
# step itself makes come before the log exists, so the directory section
# of this script is kept out of it.)
INF=APPLOG.INF
inf "[AppInit]" "DefaultDir=$WDEST\\ALOG" "LogFile=$WDEST\\ALOG\\APP.LOG" "DirSection=[None]" \
    "[MakeDirs]" "SUBDIR"
rm -rf "$DEST/ALOG"
run_setup APPLOG.INF -q
expect_rc 0
expect_line "$DEST/ALOG/APP.LOG" "[Kestrel8 Log]"
expect_line "$DEST/ALOG/APP.LOG" "[MakeDirs]"
expect_line "$DEST/ALOG/APP.LOG" "$WDEST\\ALOG\\SUBDIR, D"
