# -v=3 writes the trace file KStl8Dbg.LOG in the temporary directory; a
# quiet run keeps an old trace and appends to it; -v=5 creates the file
# but traces nothing.
TF=$(TRACE_FILE)
run_setup -q -v=3 "-d=$WDEST"
expect_rc 0
expect_line "$TF" "~-Install and Setup: fnParseCmdLine-~"
expect_line "$TF" "~-Install and Setup: fnInitialize - VersionInfo-~"
expect_line "$TF" "~-Install and Setup: fnReadInf-~"
expect_line "$TF" "g_bQuiet=1,"
expect_line "$TF" "Exit loop"
n1=$(grep -c 'fnParseCmdLine-~' "$TF")
run_setup -q -v=3 "-d=$WDEST"
n2=$(grep -c 'fnParseCmdLine-~' "$TF")
[ "$n2" -eq $((n1 + 1)) ] || fail "old trace not kept: $n1 then $n2 records"
rm -f "$TF"
run_setup -q -v=5 "-d=$WDEST"
expect_rc 0
expect_file "$TF"
[ -s "$TF" ] && fail "-v=5 wrote trace records"
# A record's text is never a format: percent signs in paths pass as they are.
mkdir -p "$WORK/pct%s%n"
cp "$APP/KESTREL8.INF" "$WORK/pct%s%n/"
rm -f "$TF"
run_setup -q -v=3 "-d=$WDEST" "-i=$(winpath "$WORK/pct%s%n/KESTREL8.INF")"
expect_rc 0
expect_grep "$TF" 'PCT%S%N'
