# Each exist action on a target that is already there, in quiet runs:
# B backs up (backup name and bytes, by BackUpMethod ORIEXT and UNIQUE),
# U installs under a unique name, S skips, N overwrites, and P, which
# would ask, takes the backup.  The install log names what was written.
mkdir -p "$APP/NEW"
for f in B1 B2 B0 U1 S1 S0 N1 P1 B3 B4 U2; do printf 'new %s\r\n' "$f" > "$APP/NEW/$f.DAT"; done
touch -d '2004-04-04 04:04:04' "$APP"/NEW/*.DAT
cp "$BUILDX/ver_4001.exe" "$APP/V4001.DLL"
for f in B1 B2 U1 S1 N1 P1 B3 B4 U2; do printf 'old %s\r\n' "$f" > "$DEST/$f.DAT"; done
printf 'an older backup\r\n' > "$DEST/B2.ORI"
printf 'taken\r\n' > "$DEST/B4.{00}.SAV.DAT"
cp "$BUILDX/ver_4002.exe" "$DEST/BS.DLL"
touch -d '1994-02-02 02:02:02' "$DEST"/*
content() { [ "$(tr -d '\r' < "$1" 2>/dev/null)" = "$2" ] || fail "$1 holds '$(tr -d '\r' < "$1" 2>/dev/null)', expected '$2'"; }
old_time() { [ "$(stat -c %Y "$1")" = "$(date -d '1994-02-02 02:02:02' +%s)" ] || fail "$1 lost the old file's time"; }
new_time() { [ "$(stat -c %Y "$1")" = "$(date -d '2004-04-04 04:04:04' +%s)" ] || fail "$1 lacks the source's time"; }

run_setup -q "-d=$WDEST"
expect_rc 0
U=${WDEST^^}
LOG="$DEST/EXISTS.LOG"
# B, ORIEXT: the old file goes to NAME.ORI, the new one in its place.
content "$DEST/B1.DAT" "new B1"; new_time "$DEST/B1.DAT"
content "$DEST/B1.ORI" "old B1"; old_time "$DEST/B1.ORI"
# NAME.ORI taken: a numbered name instead; the older backup stays.
content "$DEST/B2.DAT" "new B2"
content "$DEST/B2.ORI" "an older backup"
content "$DEST/B2.{00}.SAV.DAT" "old B2"
# No target: nothing to back up.
content "$DEST/B0.DAT" "new B0"
expect_no_file "$DEST/B0.ORI"
# A backup forces the install: an older version goes in, the newer is kept aside.
cmp -s "$APP/V4001.DLL" "$DEST/BS.DLL" || fail "BS.DLL: the older file was not installed after its backup"
cmp -s "$BUILDX/ver_4002.exe" "$DEST/BS.ORI" || fail "BS.ORI is not the old BS.DLL"
# U: the old file stays, the new one gets a unique name, by ORIEXT NAME.ORI.
content "$DEST/U1.DAT" "old U1"
content "$DEST/U1.ORI" "new U1"; new_time "$DEST/U1.ORI"
# S: skipped when there, installed when not.
content "$DEST/S1.DAT" "old S1"; old_time "$DEST/S1.DAT"
content "$DEST/S0.DAT" "new S0"
# N: overwritten, no backup.
content "$DEST/N1.DAT" "new N1"
expect_no_file "$DEST/N1.ORI"
# P asks; a quiet run takes the backup.
content "$DEST/P1.DAT" "new P1"
content "$DEST/P1.ORI" "old P1"
got=$(cd "$DEST" && ls | sort | tr '\n' ' ')
[ "$got" = "B0.DAT B1.DAT B1.ORI B2.DAT B2.ORI B2.{00}.SAV.DAT B3.DAT B4.DAT B4.{00}.SAV.DAT BS.DLL BS.ORI EXISTS.LOG N1.DAT P1.DAT P1.ORI S0.DAT S1.DAT U1.DAT U1.ORI U2.DAT " ] ||
  fail "destination holds: $got"
expect_line "$LOG" "$U\\B1.DAT, N"
expect_line "$LOG" "$U\\B2.DAT, N"
expect_line "$LOG" "$U\\B0.DAT, N"
expect_line "$LOG" "$U\\BS.DLL, S"
expect_line "$LOG" "$U\\U1.ORI, N"
expect_line "$LOG" "$U\\S0.DAT, N"
expect_line "$LOG" "$U\\N1.DAT, N"
expect_line "$LOG" "$U\\P1.DAT, N"
expect_no_grep "$LOG" 'S1\.DAT'
[ "$(grep -c ', [NS]' "$LOG")" = 8 ] || fail "expected 8 file lines in $LOG"

# B, UNIQUE: numbered backup names, the first free one.
run_setup -q "-d=$WDEST" "-i=$(winpath "$APP/UNIQUE.INF")"
expect_rc 0
content "$DEST/B3.DAT" "new B3"
content "$DEST/B3.{00}.SAV.DAT" "old B3"; old_time "$DEST/B3.{00}.SAV.DAT"
expect_no_file "$DEST/B3.ORI"
content "$DEST/B4.DAT" "new B4"
content "$DEST/B4.{00}.SAV.DAT" "taken"
content "$DEST/B4.{01}.SAV.DAT" "old B4"
expect_line "$DEST/UNIQUE.LOG" "$U\\B3.DAT, N"
expect_line "$DEST/UNIQUE.LOG" "$U\\B4.DAT, N"
# U, UNIQUE: the new file under the first free numbered name.
content "$DEST/U2.DAT" "old U2"
content "$DEST/U2.{00}.SAV.DAT" "new U2"
expect_line "$DEST/UNIQUE.LOG" "$U\\U2.{00}.SAV.DAT, N"
