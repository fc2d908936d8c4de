# A command file replaces the switches beside it: its DESTDIR wins over
# -d=, and a field it lacks is left empty (the -a= answer is dropped).
# BEQUIET=TRUE makes the run quiet although -q is not given.
mkdir -p "$WORK/fromfile"
printf '[START]\r\nBEQUIET=TRUE\r\nDESTDIR=%s\r\n' "$(winpath "$WORK/fromfile")" > "$APP/RUN.CMD"
run_setup -v=3 "-d=$WDEST" -a=ANSWER -c=RUN.CMD
expect_rc 0
expect_file "$WORK/fromfile/CMD.LOG"
expect_no_file "$DEST/CMD.LOG"
expect_line "$(TRACE_FILE)" "g_szAskForResponse=,"
expect_line "$(TRACE_FILE)" "g_bQuiet=1,"
