# To-disk sections in the real program, onto the bench's floppy drive K:.
# Files are copied as they are into the destination's directories on the
# disk, wildcards included, and a line whose test is false copies nothing
# (nor asks for a disk).  A quiet run cannot change disks: a line that asks
# for the next disk gets Cancel at 1062 and the run ends as failed, with
# only what came before on the disk.
FLOPPY="$WINEPREFIX/dosdevices/k:"
rm -rf "$FLOPPY"/*
C="$WINEPREFIX/drive_c"
rm -f "$C/K8DISK.LOG" "$C/K8SWITCH.LOG"
run_setup -q '-d=K:\KDISK'
expect_rc 0
cmp -s "$APP/A.TXT" "$FLOPPY/KDISK/A.TXT" || fail "A.TXT not on the disk"
cmp -s "$APP/SUB/B.TXT" "$FLOPPY/KDISK/SUB/B.TXT" || fail "SUB/B.TXT not on the disk"
cmp -s "$APP/SUB/1.DAT" "$FLOPPY/KDISK/WILD/1.DAT" || fail "WILD/1.DAT not on the disk"
cmp -s "$APP/SUB/2.DAT" "$FLOPPY/KDISK/WILD/2.DAT" || fail "WILD/2.DAT not on the disk"
expect_no_file "$FLOPPY/KDISK/NEVER.TXT"
expect_line "$C/K8DISK.LOG" "[MakeDisks]"
expect_line "$C/K8DISK.LOG" 'K:\KDISK\A.TXT, N'
expect_no_grep "$C/K8DISK.LOG" 'Insert disk'

rm -rf "$FLOPPY"/*
run_setup SWITCH.INF -q '-d=K:\KDISK'
expect_rc 1
expect_file "$FLOPPY/KDISK/FIRST.TXT"
expect_no_file "$FLOPPY/KDISK/SECOND.TXT"
expect_line "$C/K8SWITCH.LOG" "Message: Insert disk 2. Press OK when ready, or press Cancel to exit. (answer 2)"
expect_line "$C/K8SWITCH.LOG" "Message: The software has not been successfully installed. You must re-install before using the software. (answer 1)"
rm -rf "$FLOPPY"/*

# A disk too small for a line: the line asks for the next disk (1062),
# which a quiet run cancels.  The disk is a 64 KB file system mounted on
# the folder behind K:.
FLOPPYDIR=$(readlink -f "$FLOPPY")
if mount -t tmpfs -o size=64k tmpfs "$FLOPPYDIR" 2>"$WORK/mount.txt"; then
  run_setup SPACE.INF -q '-d=K:\KDISK'
  expect_rc 1
  expect_file "$FLOPPY/KDISK/A.TXT"
  expect_no_file "$FLOPPY/KDISK/B.TXT"
  expect_line "$C/K8SPACE.LOG" "Message: Insert disk 2. Press OK when ready, or press Cancel to exit. (answer 2)"
  umount "$FLOPPYDIR" || fail "could not unmount $FLOPPYDIR"
else
  fail "a small disk for K: cannot be mounted: $(cat "$WORK/mount.txt")"
fi
