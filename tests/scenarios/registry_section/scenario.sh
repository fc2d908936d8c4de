# The registry sections in a quiet run, checked through the prefix's own
# registry: every type written, values read into the slots and used by a
# later section, numbered subkeys, deletes (and the refused ones), an
# unknown keyword, and a Check whose failure stops the walk.
K='HKCU\Software\K8Scen'
# reg's answer, without CRs, in $WORK/reg.txt (read as a file: a pipe into
# grep -q can end its writer early).
reg() {
  "$WINE" reg "$@" </dev/null >"$WORK/reg.raw" 2>&1
  tr -d '\r' < "$WORK/reg.raw" > "$WORK/reg.txt"
}
reg delete "$K" /f
for i in 0000 0001 0002 0003; do
  desc=Printer; [ $i = 0002 ] && desc=Modem
  reg add "$K\\Ports\\$i" /v Desc /d "$desc $i" /f
done
reg add "$K\\Doomed" /v One /d 1 /f
reg add "$K\\Doomed" /v Two /d 2 /f
reg add "$K\\Doomed\\Values" /v A /d 1 /f
reg add "$K\\Doomed\\Values" /v B /d 2 /f
reg add "$K\\Doomed\\Values\\Sub" /v C /d 3 /f
reg add "$K\\Doomed\\Key" /v A /d 1 /f
reg add "$K\\Doomed\\Key\\Sub\\Deeper" /v A /d 1 /f
reg add "$K\\Doomed\\Branch\\Sub" /v A /d 1 /f
K8SCEN='C:\k8scen' run_setup -q "-d=$WDEST"
expect_rc 1

# query KEY NAME TYPE DATA: one value as reg query shows it.
query() {
  reg query "$1" /v "$2"
  grep -qE "^ +$2 +$3 +$4\$" "$WORK/reg.txt" \
    || { fail "$1 $2: expected $3 $4"; sed 's/^/  | /' "$WORK/reg.txt"; }
}
absent() {
  if [ -n "${2:-}" ]; then reg query "$1" /v "$2"; else reg query "$1"; fi
  grep -q "^HKEY" "$WORK/reg.txt" && { fail "should be gone: $1 ${2:-}"; }
  return 0
}
T="$K\\Types"
query "$T" Sz REG_SZ 'plain text'
query "$T" Exp REG_EXPAND_SZ 'C:\\k8scen\\bin'
query "$T" Bin REG_BINARY 01020A
query "$T" Hex REG_BINARY FF00
query "$T" D1 REG_DWORD 0x1
query "$T" D2 REG_DWORD 0x1f
query "$T" D3 REG_DWORD 0x1f
query "$T" D4 REG_DWORD 0x1f
query "$T" Big REG_DWORD_BIG_ENDIAN '.*'
# Most significant byte first in the stored data.
"$WINE" reg export "$T" "$(winpath "$WORK/types.reg")" /y </dev/null >/dev/null 2>&1
# reg export writes UTF-16.
iconv -f UTF-16 -t UTF-8 "$WORK/types.reg" > "$WORK/types.txt" 2>/dev/null
expect_grep "$WORK/types.txt" '^"Big"=hex\(5\):01,02,03,04'
query "$T" Multi REG_MULTI_SZ only
query "$T" None REG_NONE '.*'
C="$K\\Copies"
query "$C" K0 REG_SZ 'plain text'
query "$C" K1 REG_SZ 'C:\\k8scen\\bin'
query "$C" K2 REG_SZ 01020a
query "$C" K3 REG_SZ 1f
query "$C" K4 REG_SZ 1020304
query "$C" K5 REG_SZ '\.'
query "$C" K6 REG_SZ 0002
query "$C" K7 REG_SZ 0004
query "$C" K8 REG_SZ 0003
absent "$K\\Doomed" One
query "$K\\Doomed" Two REG_SZ 2
absent "$K\\Doomed\\Values" A
absent "$K\\Doomed\\Values" B
query "$K\\Doomed\\Values\\Sub" C REG_SZ 3
absent "$K\\Doomed\\Key"
absent "$K\\Doomed\\Branch"
query "$K" AfterDeletes REG_SZ yes
absent "$K" AfterUnknown
absent "$K" AfterFailure
# The root was never touched: the prefix's own keys are still there.
reg query 'HKCU\Software\Wine\Explorer'
grep -q '^HKEY' "$WORK/reg.txt" || fail "HKCU\\Software\\Wine\\Explorer is gone"
LOG="$DEST/INSTALL.LOG"
expect_line "$LOG" "[RegEdit]"
expect_line "$LOG" "DeleteBranch: HKEY_CURRENT_USER\\Software\\K8Scen\\Doomed\\Branch"
expect_line "$LOG" "[TestRegistryBefore]"
expect_no_line "$LOG" "[EditRegistry]"
reg delete "$K" /f
