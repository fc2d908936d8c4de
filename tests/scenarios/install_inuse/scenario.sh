# A target held open by another program without sharing: the new file goes
# in under a unique name, the replacement at restart is recorded, and the
# quiet run ends by asking Windows to restart.  The holder refuses to end,
# so that restart is cancelled and the record can be read; once the holder
# lets go, a Wine restart carries the replacement out.  NT: a delayed move
# in the registry; Windows 98: a WININIT.INI [rename] line.  In a prefix of
# its own, since the restart runs every pending rename of the prefix.
private_prefix
HOLD="$BUILDX/holdwin.exe"
WIN="$WINEPREFIX/drive_c/windows"
D="$WINEPREFIX/drive_c/k8h"
TF=$(TRACE_FILE)
content() { [ "$(tr -d '\r' < "$1" 2>/dev/null)" = "$2" ] || fail "$1 holds '$(tr -d '\r' < "$1" 2>/dev/null)', expected '$2'"; }
pending() {
  "$WINE" reg query 'HKLM\System\CurrentControlSet\Control\Session Manager' \
    /v PendingFileRenameOperations </dev/null >"$WORK/pending.txt" 2>&1
}
hold() {
  "$WINE" "$HOLD" "C:\\k8h\\$1" 60 </dev/null >/dev/null 2>&1 &
  for _ in $(seq 1 100); do [ -e "$D/$1.held" ] && return 0; sleep 0.1; done
  fail "the holder did not take $1"
}
release() {
  touch "$D/$1.release"
  for _ in $(seq 1 100); do [ -e "$D/$1.held" ] || return 0; sleep 0.1; done
  fail "the holder did not let go of $1"
}
# inuse_run FAMILY TAG: one quiet install over a held HELD.DLL, checked up
# to the point where the replacement is recorded but not yet carried out.
inuse_run() {
  rm -rf "$D"; mkdir -p "$D"
  rm -f "$WIN"/[Ww][Ii][Nn][Ii][Nn][Ii][Tt].* "$TF"
  printf 'old held\r\n' > "$D/HELD.DLL"; printf 'old free\r\n' > "$D/FREE.DLL"
  hold HELD.DLL
  run_setup -t 40 -q -v=3 '-d=C:\k8h'
  expect_rc 0
  expect_line "$TF" "uWinFamily=$1,"
  expect_line "$D/INUSE.LOG" 'C:\K8H\HELD.ORI, N'
  expect_line "$D/INUSE.LOG" 'Replaced at restart: C:\K8H\HELD.DLL by C:\K8H\HELD.ORI'
  expect_line "$D/INUSE.LOG" 'C:\K8H\FREE.DLL, N'
  expect_line "$D/INUSE.LOG" 'ExitWindows=2,accepted'
  expect_grep "$TF" "^~-Install and Setup: fnReplaceFileInUse - $2 - Result-~"
  # The restart is asked for after the program has ended; the holder
  # refuses it.
  for _ in $(seq 1 100); do [ -e "$D/HELD.DLL.asked" ] && break; sleep 0.1; done
  expect_file "$D/HELD.DLL.asked"
  sleep 0.5
  content "$D/HELD.DLL" "old held"
  content "$D/HELD.ORI" "new held"
  content "$D/FREE.DLL" "new free"
  release HELD.DLL
}
# restart_check: a Wine restart carries the replacement out.
restart_check() {
  "$WINE" wineboot -r </dev/null >/dev/null 2>&1
  for _ in $(seq 1 50); do [ -e "$D/HELD.ORI" ] || break; sleep 0.2; done
  content "$D/HELD.DLL" "new held"
  expect_no_file "$D/HELD.ORI"
}
ini_file() { ls "$WIN"/[Ww][Ii][Nn][Ii][Nn][Ii][Tt].[Ii][Nn][Ii] 2>/dev/null | head -1; }

inuse_run 3 NT
pending
expect_grep "$WORK/pending.txt" 'C:\\K8H\\HELD\.ORI.*C:\\K8H\\HELD\.DLL'
[ -n "$(ini_file)" ] && fail "NT wrote WININIT.INI"
restart_check

set_winver win98
inuse_run 2 9x
INI=$(ini_file)
[ -n "$INI" ] || fail "no WININIT.INI in $WIN"
if [ -n "$INI" ]; then
  expect_line "$INI" '[rename]'
  grep -qiE $'^C:\\\\k8h\\\\HELD\\.DLL=C:\\\\k8h\\\\HELD\\.ORI\r$' "$INI" || fail "no rename line in $INI: $(cat "$INI")"
fi
pending
expect_no_grep "$WORK/pending.txt" 'HELD'
restart_check
expect_no_file "$INI"
set_winver ""
SCEN_WINVER_SET=0
