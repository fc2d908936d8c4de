# A to-disk section with the real windows: each line that asks for a new
# disk shows 1062 with the next disk number; OK goes on with the file on
# the new disk, Cancel stops the section and the run says the software is
# not installed.
FLOPPY="$WINEPREFIX/dosdevices/k:"
rm -rf "$FLOPPY"/*
rm -f "$WINEPREFIX/drive_c/K8GUI.LOG"
run_robot "$SCEN_DIR/answers.txt" '-d=K:\KDISK'
expect_rc 1
expect_file "$FLOPPY/KDISK/A.TXT"
expect_file "$FLOPPY/KDISK/B.TXT"
expect_no_file "$FLOPPY/KDISK/C.TXT"
expect_grep "$WORK/record.txt" 'Insert disk 2\.'
expect_grep "$WORK/record.txt" 'Insert disk 3\.'
rm -rf "$FLOPPY"/*

# A disk too small for the line (64 KB mounted behind K:): OK at 1062
# measures again, and 1050 then says how much is free and needed.
FLOPPYDIR=$(readlink -f "$FLOPPY")
if mount -t tmpfs -o size=64k tmpfs "$FLOPPYDIR" 2>"$WORK/mount.txt"; then
  run_robot "$SCEN_DIR/space.txt" SPACE.INF '-d=K:\KDISK'
  expect_rc 1
  expect_file "$FLOPPY/KDISK/A.TXT"
  expect_no_file "$FLOPPY/KDISK/B.TXT"
  expect_grep "$WORK/record.txt" 'This software requires a minimum of 100000 bytes\.'
  umount "$FLOPPYDIR" || fail "could not unmount $FLOPPYDIR"
else
  fail "a small disk for K: cannot be mounted: $(cat "$WORK/mount.txt")"
fi
