# Dialogs of an interactive install run, driven by the robot.
# The version-conflict dialog opened by the program itself in an
# interactive run: Keep leaves the existing file, Install puts the older
# file in, Exit asks 1055 and on Yes stops the run.  The section does
# without its progress window, whose title
# would be taken for the dialog's.
cp "$BUILDX/ver_4001.exe" "$APP/V4001.DLL"
cp "$BUILDX/ver_4002.exe" "$DEST/KEEP.DLL"
cp "$BUILDX/ver_4002.exe" "$DEST/TAKE.DLL"
run_robot "$SCEN_DIR/answers.txt" "-d=$WDEST"
expect_rc 0
cmp -s "$BUILDX/ver_4002.exe" "$DEST/KEEP.DLL" || fail "KEEP.DLL was replaced"
cmp -s "$APP/V4001.DLL" "$DEST/TAKE.DLL" || fail "TAKE.DLL was not installed"
U=${WDEST^^}
expect_line "$DEST/GUI.LOG" "$U\\TAKE.DLL, S"
expect_no_grep "$DEST/GUI.LOG" 'KEEP\.DLL'
ls "$DEST" | grep -i '^_VS' >/dev/null && fail "temporary copies left: $(ls "$DEST")"

# Exit, confirmed at 1055: nothing more is installed and the run fails.
cp "$BUILDX/ver_4002.exe" "$DEST/TAKE.DLL"
rm -f "$DEST/GUI.LOG"
run_robot "$SCEN_DIR/exit.txt" "-d=$WDEST"
expect_rc 1
cmp -s "$BUILDX/ver_4002.exe" "$DEST/KEEP.DLL" || fail "Exit: KEEP.DLL was replaced"
cmp -s "$BUILDX/ver_4002.exe" "$DEST/TAKE.DLL" || fail "Exit: TAKE.DLL was installed after Exit"
expect_no_grep "$DEST/GUI.LOG" 'DLL, S'
ls "$DEST" | grep -i '^_VS' >/dev/null && fail "Exit: temporary copies left: $(ls "$DEST")"

# The insert-disk dialog for missing sources: Skip goes on with the next
# file, Exit (Yes at 1055) stops the section.
run_robot "$SCEN_DIR/disk.txt" "-d=$WDEST" "-i=$(winpath "$APP")\\DISK.INF"
expect_rc 1
cmp -s "$APP/PRESENT.DAT" "$DEST/PRESENT.DAT" || fail "disk: PRESENT.DAT not installed after Skip"
expect_no_file "$DEST/AFTER.DAT"
expect_line "$DEST/DISK.LOG" "${WDEST^^}\\PRESENT.DAT, N"
expect_no_grep "$DEST/DISK.LOG" 'GONE|AFTER'
