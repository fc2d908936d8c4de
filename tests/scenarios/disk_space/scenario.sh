# Disk-space sections measured on the real files, and the destination
# test against a real small volume: a 1 MB tmpfs linked as drive M: in a
# prefix of this scenario's own.  A need above the free space ends the
# quiet run with message 1048; a need that fits installs there.
private_prefix
MNT="$WORK/small"
mkdir -p "$MNT"
if ! mount -t tmpfs -o size=1m tmpfs "$MNT"; then
  fail "a 1 MB tmpfs could not be mounted (the scenario needs root)"
fi
ln -s "$MNT" "$WINEPREFIX/dosdevices/m:"
UDEST=${WDEST^^}
mkdir -p "$APP/DATA/SUB/TEMP" "$APP/DATA/TEMP" "$APP/EMPTY"
head -c 1500000 /dev/zero > "$APP/DATA/BIG.BIN"
head -c 3000000 /dev/zero > "$APP/DATA/SUB/TEMP/SKIP.BIN"
head -c 3000000 /dev/zero > "$APP/DATA/TEMP/SKIP2.BIN"
head -c 100 /dev/zero > "$APP/DATA/SUB/SMALL.TXT"
# A link back up the tree: never followed, or the files would count again.
ln -s "$APP/DATA" "$APP/DATA/SUB/LOOP"
inf() { local f=$1; shift; printf '%s\r\n' "$@" > "$APP/$f"; }
space() {  # NAME FILES-LINE...: a script that measures DATA, then installs onto M:
  local name=$1; shift
  inf "$name.INF" "[Config]" "LogFile=$WDEST\\$name.LOG" "[CheckDiskSpace]" "$@" \
      "[AppInit]" "DefaultDir=M:\\$name" "[MakeDirs]" "BIN"
}

# 1.5 MB of files counted (the TEMP trees skipped at every depth): more
# than the volume holds.
space BIG "Path=@H1\\DATA" "Files=*.BIN" "SkipDirs=TEMP" "SpaceUsed=Y"
run_setup -t 20 BIG.INF -q
expect_rc 1
expect_grep "$DEST/BIG.LOG" "^Message: Drive M: contains [0-9]+ bytes of free disk space\\. This software requires a minimum of 150[0-9]{4} bytes\\. Press OK to Exit"
[ -e "$MNT/BIG" ] && fail "the short destination was made"

# Without SkipDirs the 6 MB below TEMP count too.
space ALL "Path=@H1\\DATA" "Files=*.BIN" "SpaceUsed=N"
run_setup -t 20 ALL.INF -q
expect_rc 1
expect_grep "$DEST/ALL.LOG" "requires a minimum of 7500000 bytes"

# The small file alone fits: installed on M:, its directory logged.
space SMALL "Path=@H1\\DATA" "Files=*.TXT" "SpaceUsed=Y"
run_setup -t 20 SMALL.INF -q
expect_rc 0
[ -d "$MNT/SMALL/BIN" ] || fail "not installed onto M:"
expect_line "$DEST/SMALL.LOG" "M:\\SMALL\\BIN, D"

# EntireTree=N: SMALL.TXT lies below DATA, so nothing is measured and the
# section fails.
space FLAT "Path=@H1\\DATA" "Files=*.TXT" "EntireTree=N"
run_setup -t 20 FLAT.INF -q
expect_rc 1
[ -e "$MNT/FLAT" ] && fail "a failed measure went on"

# An empty directory measures 0 and fails; a missing one gives 1036.
space EMPTY "Path=@H1\\EMPTY"
run_setup -t 20 EMPTY.INF -q
expect_rc 1
space NOPATH "Path=@H1\\NODATA"
run_setup -t 20 NOPATH.INF -q
expect_rc 1
expect_grep "$DEST/NOPATH.LOG" "^Message: Directory .*NODATA does not exist\\. \\(answer 1\\)"

# SpaceNeeded alone is the need: 2,000,000 bytes do not fit on M:.
space NEEDED "SpaceNeeded=2000000"
run_setup -t 20 NEEDED.INF -q
expect_rc 1
expect_grep "$DEST/NEEDED.LOG" "requires a minimum of 2000000 bytes"

rm -f "$WINEPREFIX/dosdevices/m:"
umount "$MNT" || fail "the small volume could not be unmounted"
