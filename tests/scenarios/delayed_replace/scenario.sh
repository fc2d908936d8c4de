# Replacement of files in use at the next Windows start, on both families,
# and what a Wine restart then does: on NT a delayed move recorded in the
# registry, on Windows 95 a WININIT.INI [rename] line with short names.
# Also a directory tree on a UNC share.  In a prefix of its own, since the
# restart carries out every pending rename of the prefix.
private_prefix
TOOL="$BUILDX/pathtool.exe"
C="$WINEPREFIX/drive_c"
WIN="$C/windows"
D="$C/k8r"
mkdir -p "$D"
rm -f "$WIN/wininit.ini" "$WIN/WININIT.INI" "$WIN/wininit.bak"
tool() { "$WINE" "$TOOL" "$@" </dev/null >"$WORK/tool.out" 2>&1; RC=$?; }
pending() {
  "$WINE" reg query 'HKLM\System\CurrentControlSet\Control\Session Manager' \
    /v PendingFileRenameOperations </dev/null >"$WORK/pending.txt" 2>&1
}
content() { [ "$(tr -d '\r' < "$1" 2>/dev/null)" = "$2" ] || fail "$1 holds '$(cat "$1" 2>/dev/null)', expected '$2'"; }

# NT: Wine's own version.
tool family; expect_line "$WORK/tool.out" "3"
echo new > "$D/nt_new.dll"; echo old > "$D/nt_target.dll"; echo doomed > "$D/nt_delete.tmp"
tool replace 'C:\k8r\nt_new.dll' 'C:\k8r\nt_target.dll'; expect_rc 0
tool replace 'C:\k8r\nt_delete.tmp' nul; expect_rc 0
pending
expect_grep "$WORK/pending.txt" 'nt_new\.dll'
expect_grep "$WORK/pending.txt" 'nt_target\.dll'
expect_grep "$WORK/pending.txt" 'nt_delete\.tmp'
content "$D/nt_target.dll" old
[ -e "$WIN/wininit.ini" ] || [ -e "$WIN/WININIT.INI" ] && fail "NT wrote WININIT.INI"

# Windows 95: the family comes from the version, though the NT call works here.
set_winver win95
tool family; expect_line "$WORK/tool.out" "2"
echo new95 > "$D/Long Name New.dll"; echo old95 > "$D/Long Target Name.dll"; echo x > "$D/del95.tmp"
tool replace 'C:\k8r\Long Name New.dll' 'C:\k8r\Long Target Name.dll'; expect_rc 0
tool replace 'C:\k8r\del95.tmp' NUL; expect_rc 0
INI=$(ls "$WIN"/[Ww][Ii][Nn][Ii][Nn][Ii][Tt].[Ii][Nn][Ii] 2>/dev/null | head -1)
[ -n "$INI" ] || fail "no WININIT.INI in $WIN"
INI=${INI:-$WIN/WININIT.INI}
expect_line "$INI" '[rename]'
# Short names on both sides: Wine's hashed 8.3 names hold a ~.
grep -qiE $'^C:\\\\k8r\\\\[^=\\\\]*~[^=\\\\]*=C:\\\\k8r\\\\[^=\\\\]*~[^=\\\\]*\r$' "$INI" ||
  fail "no short-name entry in $INI: $(cat "$INI")"
grep -qiE $'^NUL=C:\\\\k8r\\\\del95\\.tmp\r$' "$INI" || fail "no NUL entry in $INI: $(cat "$INI")"
[ "$(grep -c . "$INI")" = 3 ] || fail "WININIT.INI should hold 3 lines: $(cat "$INI")"
pending
expect_no_grep "$WORK/pending.txt" 'Long Name New'
content "$D/Long Target Name.dll" old95
set_winver ""
# The version was set in this prefix only, which goes at the end: the
# bench's prefix needs no resetting (a reset would boot a new prefix).
SCEN_WINVER_SET=0

# The restart carries out both lists.
"$WINE" wineboot -r </dev/null >/dev/null 2>&1
for _ in $(seq 1 50); do [ -e "$D/nt_new.dll" ] || [ -e "$D/Long Name New.dll" ] || break; sleep 0.2; done
content "$D/nt_target.dll" new
expect_no_file "$D/nt_new.dll"
expect_no_file "$D/nt_delete.tmp"
content "$D/Long Target Name.dll" new95
expect_no_file "$D/Long Name New.dll"
expect_no_file "$D/del95.tmp"
expect_no_file "$INI"

# A tree on a UNC share: the walk starts after \\server\share\.
mkdir -p "$WORK/share" "$WINEPREFIX/dosdevices/unc/KSRV"
ln -sfn "$WORK/share" "$WINEPREFIX/dosdevices/unc/KSRV/SHARE"
tool mkdir '\\KSRV\SHARE\a\b\c'; expect_rc 0
[ -d "$WORK/share/a/b/c" ] || fail "UNC tree not made"
tool mkdir '\\KSRV\NOSHARE\a'; expect_rc 1
