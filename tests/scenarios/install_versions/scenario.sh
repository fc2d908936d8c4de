# New files over existing ones by install modes S, V, T, M and N, with
# identical, older and newer version resources, in a quiet run: what is
# copied, what is kept, the log lines and the exit code.  Once under the
# NT family and once under Windows 98 (in a prefix of its own).
cp "$BUILDX/ver_4001.exe" "$APP/V4001.DLL"
cp "$BUILDX/ver_4002.exe" "$APP/V4002.DLL"
cp "$BUILDX/ver_none.exe" "$APP/VNONE.DLL"
touch -d '2003-03-03 03:03:03' "$APP/V4001.DLL" "$APP/V4002.DLL" "$APP/VNONE.DLL"
KEPT="SAME_S SAME_V SAME_M OLD_S OLD_T OLD_M NEW_K NEW_S NEW_M NEW_SS"

# versions_run TAG: a destination $DEST/TAG filled with the existing files,
# one quiet run into it, and the checks.
versions_run() {
  local tag=$1 family=$2 d="$DEST/$1" f
  mkdir -p "$d"
  # The same resources as the source but other bytes after them, so a
  # copy would show; an old time stamp, so a copied time would show too.
  for f in SAME_S SAME_V SAME_M; do
    { cat "$BUILDX/ver_4002.exe"; printf 'existing tail'; } > "$d/$f.DLL"
  done
  for f in OLD_S OLD_T OLD_M OLD_I OLD_N NONE_S; do cp "$BUILDX/ver_4002.exe" "$d/$f.DLL"; done
  for f in NEW_K NEW_T NEW_S NEW_M NEW_SF NEW_SS; do cp "$BUILDX/ver_4001.exe" "$d/$f.DLL"; done
  touch -d '1995-01-01 00:00:00' "$d"/*.DLL
  mkdir -p "$WORK/before_$tag"; cp -p "$d"/*.DLL "$WORK/before_$tag/"
  rm -f "$(TRACE_FILE)"
  run_setup -q -v=3 "-d=$(winpath "$d")"
  expect_rc 0
  expect_line "$(TRACE_FILE)" "uWinFamily=$family,"
  for f in $KEPT; do
    cmp -s "$WORK/before_$tag/$f.DLL" "$d/$f.DLL" || fail "$tag: $f.DLL was replaced"
    [ "$(stat -c %Y "$d/$f.DLL")" = "$(stat -c %Y "$WORK/before_$tag/$f.DLL")" ] || fail "$tag: time of $f.DLL changed"
  done
  cmp -s "$APP/V4001.DLL" "$d/OLD_I.DLL" || fail "$tag: OLD_I.DLL not forced in"
  cmp -s "$APP/V4001.DLL" "$d/OLD_N.DLL" || fail "$tag: OLD_N.DLL not overwritten"
  cmp -s "$APP/V4002.DLL" "$d/NEW_T.DLL" || fail "$tag: NEW_T.DLL not installed"
  cmp -s "$APP/V4002.DLL" "$d/NEW_SF.DLL" || fail "$tag: NEW_SF.DLL not installed"
  cmp -s "$APP/VNONE.DLL" "$d/NONE_S.DLL" || fail "$tag: NONE_S.DLL not installed"
  for f in OLD_I OLD_N NEW_T NEW_SF NONE_S; do
    [ "$(stat -c %Y "$d/$f.DLL")" = "$(stat -c %Y "$APP/V4001.DLL")" ] || fail "$tag: $f.DLL lacks the source's time"
  done
  # No temporary copies are left behind.
  ls "$d" | grep -i '^_VS' >/dev/null && fail "$tag: temporary copies left: $(ls "$d")"
  local LOG="$d/VERS.LOG" U
  U=$(winpath "$d"); U=${U^^}
  # Identical files count as installed; kept ones are not logged.
  expect_line "$LOG" "$U\\SAME_S.DLL, S"
  expect_line "$LOG" "$U\\SAME_V.DLL, N"
  expect_line "$LOG" "$U\\SAME_M.DLL, N"
  expect_line "$LOG" "$U\\OLD_I.DLL, S"
  expect_line "$LOG" "$U\\OLD_N.DLL, N"
  expect_line "$LOG" "$U\\NEW_T.DLL, N"
  expect_line "$LOG" "$U\\NEW_SF.DLL, S"
  expect_line "$LOG" "$U\\NONE_S.DLL, S"
  [ "$(grep -c '\.DLL, ' "$LOG")" = 8 ] || { fail "$tag: expected 8 file lines"; cat "$LOG"; }
}

versions_run nt 3
private_prefix
set_winver win98
versions_run w98 2
set_winver ""
SCEN_WINVER_SET=0
