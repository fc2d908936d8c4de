# The number of files for the meter and the line limit, in the real
# program.  TotalFiles gives the number, TotalFiles=0 counts (wildcards by
# their matches), [CopyConfig] FilesToCopy replaces the count only when
# TotalFiles is absent, and FilesToCopy=0 counts rather than skipping
# every file.  A section of 9,000 lines runs to its last line; one of
# 9,001 is refused with 1046 before anything is installed.
TRACE=$(TRACE_FILE)
rm -f "$TRACE"
run_setup -q -v=3 "-d=$WDEST"
expect_rc 0
expect_grep "$TRACE" 'lpszSection=\[Files\], uMaxLines=2, uMaxFiles=5'
expect_grep "$TRACE" 'lpszSection=\[CopyFiles\], uMaxLines=2, uMaxFiles=4'
for f in T1.TXT T2.TXT C/1.DAT C/2.DAT C/3.DAT C/A.TXT; do expect_file "$DEST/$f"; done

rm -f "$TRACE"
run_setup CONFIG.INF -q -v=3 "-d=$WDEST"
expect_rc 0
expect_grep "$TRACE" 'lpszSection=\[Files\], uMaxLines=1, uMaxFiles=9'
expect_grep "$TRACE" 'lpszSection=\[CopyFiles\], uMaxLines=1, uMaxFiles=2'

rm -f "$TRACE"
run_setup ZERO.INF -q -v=3 "-d=$WDEST"
expect_rc 0
expect_grep "$TRACE" 'lpszSection=\[Files\], uMaxLines=3, uMaxFiles=3'
for f in Z1.TXT Z2.TXT Z3.TXT; do expect_file "$DEST/$f"; done

# 9,000 lines: the first and the last install, the 8,998 between have false tests.
make_long() {  # FILE LINES
  { printf '[Config]\r\nLogFile=@D\\LONG.LOG\r\n[Files]\r\n0,A.TXT,FIRST.TXT\r\n'
    for _ in $(seq 3 "$2"); do printf 'X=Y,0,A.TXT,NEVER.TXT\r\n'; done
    printf '0,A.TXT,LAST.TXT\r\n'; } > "$1"
}
make_long "$APP/LONG.INF" 9000
start=$(date +%s)
run_setup -t 60 LONG.INF -q "-d=$WDEST"
expect_rc 0
expect_file "$DEST/FIRST.TXT"
expect_file "$DEST/LAST.TXT"
expect_no_file "$DEST/NEVER.TXT"
echo "9,000 lines took $(( $(date +%s) - start )) s"

rm -f "$DEST/FIRST.TXT" "$DEST/LAST.TXT"
make_long "$APP/OVER.INF" 9001
run_setup -t 60 OVER.INF -q "-d=$WDEST"
expect_rc 1
expect_no_file "$DEST/FIRST.TXT"
expect_no_file "$DEST/LAST.TXT"
expect_line "$DEST/LONG.LOG" "Message: Error reading line 9001 in section [Files] of information file! Cannot continue. (answer 1)"
