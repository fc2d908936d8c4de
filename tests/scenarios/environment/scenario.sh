# [ReadDefaults] and [SetEnvironment] in a quiet run, in a prefix of the
# scenario's own (its registry and C:\AUTOEXEC.BAT go with it): defaults
# read from INI and text files reach later values through @P; user and
# system variables, single and list, a list of thousands of characters
# edited whole; AUTOEXEC.BAT set and PATH lines, backed up once; a second
# run adds nothing twice.
private_prefix
ENVK='HKCU\Environment'
SYSK='HKLM\System\CurrentControlSet\Control\Session Manager\Environment'
reg() {
  "$WINE" reg "$@" </dev/null >"$WORK/reg.raw" 2>&1
  tr -d '\r' < "$WORK/reg.raw" > "$WORK/reg.txt"
}
LONG=$(for i in $(seq 0 149); do printf 'C:\\Program Files\\Vendor Number %03d\\bin;' "$i"; done)
LONG=${LONG%;}
[ ${#LONG} -gt 4000 ] || fail "the long list is only ${#LONG} characters"
reg add "$ENVK" /v K8SC_PATH /d 'C:\DOS' /f
reg add "$ENVK" /v K8SC_LONG /d "$LONG" /f
reg add "$SYSK" /v K8SC_SYS /t REG_EXPAND_SZ /d '%SystemRoot%\k8' /f
AUTOEXEC="$WINEPREFIX/drive_c/AUTOEXEC.BAT"
printf '@ECHO OFF\r\nPATH C:\\DOS\r\nset temp=C:\\OLD\r\n' > "$AUTOEXEC"

# query KEY NAME TYPE DATA: the value as reg query shows it, exactly.
query() {
  reg query "$1" /v "$2"
  grep -qxF "    $2    $3    $4" "$WORK/reg.txt" \
    || { fail "$1 $2: expected $3 $4"; cut -c1-300 "$WORK/reg.txt" | sed 's/^/  | /'; }
}
absent() {
  reg query "$1" /v "$2"
  grep -q "^HKEY" "$WORK/reg.txt" && fail "should not exist: $1 $2"
  return 0
}
check_all() {
  query "$ENVK" K8SC_PATH REG_SZ 'C:\DOS;C:\APP'
  query "$ENVK" K8SC_DATA REG_SZ 'C:\OLDDATA'
  query "$ENVK" K8SC_NODATA REG_SZ 'C:\NODATA'
  query "$ENVK" K8SC_OLDTEMP REG_SZ 'C:\OLDTMP'
  query "$ENVK" K8SC_LONG REG_SZ "$LONG;C:\\APP"
  # The system value keeps its reference and its type.
  query "$SYSK" K8SC_SYS REG_EXPAND_SZ 'C:\APP;%SystemRoot%\k8'
  absent "$ENVK" K8SC_SYS
  absent "$ENVK" K8SC_GONE
  absent "$ENVK" K8SC_NOVALUE
  # TEMP, PATH and K8SC_AUTO went to AUTOEXEC.BAT only.
  absent "$ENVK" K8SC_AUTO
  expect_same "$AUTOEXEC" 'set K8SC_AUTO=on
@ECHO OFF
PATH C:\APP;C:\DOS
set TEMP=C:\TMP'
  expect_line "$DEST/AFTER.CMD" "ASKFOR=reached"
}

run_setup -q "-d=$WDEST"
expect_rc 0
check_all
# One backup for the three AUTOEXEC.BAT lines, holding the original.
expect_same "$WINEPREFIX/drive_c/AUTOEXEC.ORI" '@ECHO OFF
PATH C:\DOS
set temp=C:\OLD'
LOG="$DEST/ENV.LOG"
expect_line "$LOG" "[ReadDefaults]"
expect_line "$LOG" "[SetEnvironment]"
expect_line "$LOG" 'K8SC_PATH, C:\APP, E, 1, 0, 1, 1, 0'
expect_line "$LOG" 'K8SC_SYS, C:\APP, B, 1, 0, 1, 0, 0'
expect_line "$LOG" 'TEMP, C:\TMP, N, 0, 0, 0, 1, 1'
expect_line "$LOG" 'K8SC_AUTO, on, NT, 0, 0, 0, 1, 1'

# The same script again: every entry and line is there already.
run_setup -q "-d=$WDEST"
expect_rc 0
check_all
