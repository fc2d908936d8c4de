# The cipher modes rewrite only the file named, and only when they can do
# it completely.
ORIG="$WORK/original.inf"; cp "$APP/KESTREL8.INF" "$ORIG"
# A missing named script is not replaced by another one from the list.
run_setup -q -e=NOSUCH.INF
expect_rc 1
cmp -s "$APP/KESTREL8.INF" "$ORIG" || fail "another script was rewritten"
expect_no_file "$APP/KESTREL8.INF.^00"
# Deciphering a plain script leaves it as it is and runs nothing.
run_setup -q -u=KESTREL8.INF
expect_rc 1
cmp -s "$APP/KESTREL8.INF" "$ORIG" || fail "plain script changed by -u"
expect_no_file "$DEST/RUN.LOG"
# A script over the size limit is refused whole, never cut.
python3 -c "import sys; sys.stdout.write('[Big]\r\n' + 'k=' + 'x' * 262200 + '\r\n')" > "$APP/BIG.INF"
cp "$APP/BIG.INF" "$WORK/big.orig"
run_setup -q -e=BIG.INF
expect_rc 1
cmp -s "$APP/BIG.INF" "$WORK/big.orig" || fail "oversized script was rewritten"
# An offset byte outside 1-126 is a deciphering failure, not a table row.
for b in '\000' '\177' '\377'; do
  printf "@$b[Config]\r\nLogFile=BAD.LOG\r\n" > "$APP/KESTREL8.INF"
  run_setup -q -v=3 "-d=$WDEST"
  expect_rc 1
  expect_no_file "$DEST/BAD.LOG"
done
expect_grep "$(TRACE_FILE)" "Error reading .*KESTREL8.INF!"
