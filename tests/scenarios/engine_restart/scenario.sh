# A target held open by another program: the install engine puts the new
# file in under a unique name and arranges the replacement; a Wine restart
# carries it out.  NT: the delayed move in the registry; Windows 98: a
# WININIT.INI [rename] line.  In a prefix of its own, since the restart
# runs every pending rename of the prefix.
private_prefix
HOST="$BUILDX/dialog_host.exe"
HOLD="$BUILDX/holdfile.exe"
C="$WINEPREFIX/drive_c"
WIN="$C/windows"
D="$C/k8e"
mkdir -p "$D/src"
rm -f "$WIN/wininit.ini" "$WIN/WININIT.INI" "$WIN/wininit.bak"
content() { [ "$(tr -d '\r' < "$1" 2>/dev/null)" = "$2" ] || fail "$1 holds '$(cat "$1" 2>/dev/null)', expected '$2'"; }
pending() {
  "$WINE" reg query 'HKLM\System\CurrentControlSet\Control\Session Manager' \
    /v PendingFileRenameOperations </dev/null >"$WORK/pending.txt" 2>&1
}
# hold NAME: a holder process keeps C:\k8e\NAME open without sharing.
hold() {
  "$WINE" "$HOLD" "C:\\k8e\\$1" 60 </dev/null >/dev/null 2>&1 &
  for _ in $(seq 1 100); do [ -e "$D/$1.held" ] && return 0; sleep 0.1; done
  fail "holdfile did not take $1"
}
release() {
  touch "$D/$1.release"
  for _ in $(seq 1 100); do [ -e "$D/$1.held" ] || return 0; sleep 0.1; done
  fail "holdfile did not let go of $1"
}
install() {
  "$WINE" "$HOST" -q install 'C:\k8e\src' "$1" 'C:\k8e' "$2" NNN </dev/null >/dev/null 2>&1
  RC=$?
}

# NT (Wine's own version).
echo new > "$D/src/NT.DLL"; echo old > "$D/NT.DLL"
hold NT.DLL
install NT.DLL NT.DLL
expect_rc 40        # installed (0), restart requested (g_uOnExit 4)
release NT.DLL
content "$D/NT.DLL" old
content "$D/NT.{00}.SAV.DLL" new
pending
expect_grep "$WORK/pending.txt" 'NT\.\{00\}\.SAV\.DLL'
[ -e "$WIN/wininit.ini" ] || [ -e "$WIN/WININIT.INI" ] && fail "NT wrote WININIT.INI"

# Windows 98: the family comes from the reported version.
set_winver win98
echo new98 > "$D/src/OLD98.DLL"; echo old98 > "$D/OLD98.DLL"
hold OLD98.DLL
install OLD98.DLL OLD98.DLL
expect_rc 40
release OLD98.DLL
content "$D/OLD98.DLL" old98
content "$D/OLD98.{00}.SAV.DLL" new98
INI=$(ls "$WIN"/[Ww][Ii][Nn][Ii][Nn][Ii][Tt].[Ii][Nn][Ii] 2>/dev/null | head -1)
[ -n "$INI" ] || fail "no WININIT.INI in $WIN"
INI=${INI:-$WIN/WININIT.INI}
expect_line "$INI" '[rename]'
grep -qiE $'^C:\\\\k8e\\\\OLD98\\.DLL=C:\\\\k8e\\\\[^=\\\\]*~[^=\\\\]*\r$' "$INI" ||
  fail "no rename line for OLD98.DLL in $INI: $(cat "$INI")"
pending
expect_no_grep "$WORK/pending.txt" 'OLD98'
set_winver ""
SCEN_WINVER_SET=0

# A target that is not in use is simply replaced: no restart.
echo plain > "$D/src/FREE.DLL"; echo before > "$D/FREE.DLL"
install FREE.DLL FREE.DLL
expect_rc 0
content "$D/FREE.DLL" plain

# The restart carries out both.
"$WINE" wineboot -r </dev/null >/dev/null 2>&1
for _ in $(seq 1 50); do [ -e "$D/NT.{00}.SAV.DLL" ] || [ -e "$D/OLD98.{00}.SAV.DLL" ] || break; sleep 0.2; done
content "$D/NT.DLL" new
expect_no_file "$D/NT.{00}.SAV.DLL"
content "$D/OLD98.DLL" new98
expect_no_file "$D/OLD98.{00}.SAV.DLL"
expect_no_file "$INI"
