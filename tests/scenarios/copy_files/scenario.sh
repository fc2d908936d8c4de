# A plain copy list in the real program: files land byte for byte in the
# destination and its subdirectories, each with its install-log line; a
# line whose test is false installs nothing, and a second copy section
# runs after the first.
run_setup -q "-d=$WDEST"
expect_rc 0
cmp -s "$APP/README.TXT" "$DEST/README.TXT" || fail "README.TXT differs"
cmp -s "$APP/BIN/TOOL.EXE" "$DEST/BIN/TOOL.EXE" || fail "BIN/TOOL.EXE differs"
cmp -s "$APP/DATA/ONE.DAT" "$DEST/DATA/ONE.DAT" || fail "DATA/ONE.DAT differs"
cmp -s "$APP/DATA/TWO.DAT" "$DEST/TWO.DAT" || fail "TWO.DAT (true test) differs"
cmp -s "$APP/README.TXT" "$DEST/SECOND/README.TXT" || fail "SECOND/README.TXT differs"
expect_no_file "$DEST/SKIP.TXT"
LOG="$DEST/COPY.LOG"
UDEST=${WDEST^^}
expect_line "$LOG" "[Files]"
expect_line "$LOG" "$UDEST\\README.TXT, N"
expect_line "$LOG" "$UDEST\\BIN\\TOOL.EXE, N"
expect_line "$LOG" "$UDEST\\DATA\\ONE.DAT, N"
expect_line "$LOG" "$UDEST\\TWO.DAT, N"
expect_line "$LOG" "[CopyFiles]"
expect_line "$LOG" "$UDEST\\SECOND\\README.TXT, N"
expect_no_grep "$LOG" 'SKIP\.TXT'
