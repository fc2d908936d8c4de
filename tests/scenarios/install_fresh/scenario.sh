# A fresh install into an empty destination: plain files copied and
# compressed ones expanded byte for byte, by install modes N and S, each
# keeping its source's time stamp and logged with its mode letter.
# The compressed sources are made here by mscompress from known bytes.
fresh_fixtures() {
  local d="$WORK/orig"
  mkdir -p "$d" "$APP/DOCS"
  printf 'MZ setup stand-in\r\n%.0s' $(seq 1 60) > "$d/SETUP.EXE"
  printf 'driver bytes %s\r\n' $(seq 1 300) > "$d/DRIVER.SYS"
  seq 1 4000 | awk 'BEGIN { srand(3) } { printf "%05d %s %d\r\n", $1, ($1 % 5 ? "again again" : "y"), int(rand() * 9999) }' > "$d/BIG.DAT"
  printf 'read me\r\n' > "$APP/README.TXT"
  printf 'guide text\r\n' > "$APP/DOCS/GUIDE.TXT"
  (cd "$d" && cp SETUP.EXE DRIVER.SYS BIG.DAT "$APP/" && cd "$APP" &&
     mscompress SETUP.EXE DRIVER.SYS BIG.DAT >/dev/null 2>&1)
  # mscompress appends _; the expanded names come from the script here.
  mv "$APP/SETUP.EXE_" "$APP/SETUP.EX_"
  mv "$APP/DRIVER.SYS_" "$APP/DRIVER.SY_"
  mv "$APP/BIG.DAT_" "$APP/BIG.DA_"
  rm -f "$APP/SETUP.EXE" "$APP/DRIVER.SYS" "$APP/BIG.DAT"
  touch -d '1996-04-01 10:20:30' "$APP/README.TXT"
  touch -d '1997-05-02 11:21:31' "$APP/SETUP.EX_"
  touch -d '1998-06-03 12:22:32' "$APP/BIG.DA_"
  touch -d '1999-07-04 13:23:33' "$APP/DRIVER.SY_"
  touch -d '2001-08-05 14:24:34' "$APP/DOCS/GUIDE.TXT"
}
fresh_fixtures
# The compressed files really are compressed (else expansion proves nothing).
for f in SETUP.EX_ DRIVER.SY_ BIG.DA_; do
  [ "$(head -c 4 "$APP/$f")" = "SZDD" ] || fail "$f is not an SZDD file"
done
same_time() { [ "$(stat -c %Y "$1")" = "$(stat -c %Y "$2")" ] || fail "time of $2 is $(stat -c %y "$2"), expected that of $1"; }

run_setup -q "-d=$WDEST"
expect_rc 0
cmp -s "$APP/README.TXT" "$DEST/README.TXT" || fail "README.TXT differs"
cmp -s "$WORK/orig/SETUP.EXE" "$DEST/BIN/SETUP.EXE" || fail "BIN/SETUP.EXE not expanded byte for byte"
cmp -s "$WORK/orig/BIG.DAT" "$DEST/DATA/BIG.DAT" || fail "DATA/BIG.DAT not expanded byte for byte"
cmp -s "$WORK/orig/DRIVER.SYS" "$DEST/DRIVER.SYS" || fail "DRIVER.SYS not expanded byte for byte"
cmp -s "$APP/DOCS/GUIDE.TXT" "$DEST/DOCS/GUIDE.TXT" || fail "DOCS/GUIDE.TXT differs"
same_time "$APP/README.TXT" "$DEST/README.TXT"
same_time "$APP/SETUP.EX_" "$DEST/BIN/SETUP.EXE"
same_time "$APP/BIG.DA_" "$DEST/DATA/BIG.DAT"
same_time "$APP/DRIVER.SY_" "$DEST/DRIVER.SYS"
same_time "$APP/DOCS/GUIDE.TXT" "$DEST/DOCS/GUIDE.TXT"
# Nothing else is left in the destination (no temporary copies).
got=$(cd "$DEST" && find . -type f | sort | tr '\n' ' ')
[ "$got" = "./BIN/SETUP.EXE ./DATA/BIG.DAT ./DOCS/GUIDE.TXT ./DRIVER.SYS ./FRESH.LOG ./README.TXT " ] ||
  fail "destination holds: $got"
LOG="$DEST/FRESH.LOG"
U=${WDEST^^}
expect_line "$LOG" "[Files]"
expect_line "$LOG" "$U\\README.TXT, N"
expect_line "$LOG" "$U\\BIN\\SETUP.EXE, S"
expect_line "$LOG" "$U\\DATA\\BIG.DAT, N"
expect_line "$LOG" "$U\\DRIVER.SYS, S"
expect_line "$LOG" "$U\\DOCS\\GUIDE.TXT, S"
[ "$(grep -c ', [NS]' "$LOG")" = 5 ] || fail "expected 5 file lines in the log"
