# -e enciphers the script in place with a backup beside it; the enciphered
# script runs like the plain one; -u gives back the exact original.
ORIG="$WORK/original.inf"
cp "$APP/KESTREL8.INF" "$ORIG"
run_setup -q -e=KESTREL8.INF
expect_rc 0
expect_file "$APP/KESTREL8.INF.^00"
cmp -s "$APP/KESTREL8.INF.^00" "$ORIG" || fail "backup differs from the original"
first=$(head -c 1 "$APP/KESTREL8.INF")
[ "$first" = "@" ] || fail "enciphered script does not start with @"
offset=$(od -An -tu1 -j1 -N1 "$APP/KESTREL8.INF" | tr -d ' ')
{ [ "$offset" -ge 1 ] && [ "$offset" -le 126 ]; } || fail "offset byte $offset out of 1-126"
[ "$(stat -c %s "$APP/KESTREL8.INF")" -eq $(( $(stat -c %s "$ORIG") + 2 )) ] || fail "enciphered size"
grep -q "IniEdits" "$APP/KESTREL8.INF" && fail "section name readable after enciphering"
# Nothing ran: no log.
expect_no_file "$DEST/CIPHER.LOG"
run_setup -q "-d=$WDEST"
expect_rc 0
expect_line "$DEST/CIPHER.LOG" "[IniEdits]"
expect_line "$DEST/CIPHER.LOG" "[Exec]"
run_setup -q -u=KESTREL8.INF
expect_rc 0
cmp -s "$APP/KESTREL8.INF" "$ORIG" || fail "deciphered script differs from the original"
expect_file "$APP/KESTREL8.INF.^01"
