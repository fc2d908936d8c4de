# Started from a floppy disk (drive K: of the bench), the program runs from
# its temporary copy, and the copy takes its files from the disk it was
# started from.
FLOPPY="$WINEPREFIX/dosdevices/k:"
rm -rf "$FLOPPY"/*
cp -r "$APP/." "$FLOPPY/"
(cd "$APP" && timeout 20 "$WINE" 'K:\SETUP32.EXE' -q -v=3 "-d=$WDEST" </dev/null >/dev/null 2>&1)
RC=$?
expect_rc 0
wait_for_line "$DEST/FLOPPY.LOG" "[ShellExec]"
expect_grep "$(TRACE_FILE)" 'szSetupCmdLine=".*_KSTL8_\.EXE" "K:\\KESTREL8\.INF" "K:\\\\" '
expect_grep "$(TRACE_FILE)" 'g_szHomeDir=C:\\users\\.*\\Temp,'
rm -rf "$FLOPPY"/*
