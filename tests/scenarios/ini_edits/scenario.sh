# [IniEdits] in the real program: profile, list, text and PATH edits with
# ORIEXT backups, then a NOMOD run that leaves its file untouched.
printf '[Boot]\r\nShell=OLD.EXE\r\nOld=1\r\n[drivers]\r\na.drv\r\n' > "$DEST/APP.INI"
printf '[Other]\r\nx=1\r\n' > "$DEST/TEXT.INI"
printf '@ECHO OFF\r\nPATH C:\\DOS;C:\\OLD\r\nWIN\r\n' > "$DEST/AUTOEXEC.BAT"
cp "$DEST/APP.INI" "$WORK/app.orig"
cp "$DEST/AUTOEXEC.BAT" "$WORK/autoexec.orig"
run_setup -q "-d=$WDEST"
expect_rc 0
expect_line "$DEST/APP.INI" "Shell=NEW.EXE"
expect_no_line "$DEST/APP.INI" "Old=1"
expect_line "$DEST/APP.INI" "a.drv"
expect_line "$DEST/APP.INI" "extra.drv"
cmp -s "$DEST/APP.ORI" "$WORK/app.orig" || fail "APP.ORI is not the original APP.INI"
printf '[Other]\r\nx=1\r\n[Boot]\r\nShell=NEW.EXE\r\n' > "$WORK/text.want"
cmp -s "$DEST/TEXT.INI" "$WORK/text.want" || { fail "TEXT.INI differs"; od -c "$DEST/TEXT.INI" | head; }
printf '@ECHO OFF\r\nSET KDEMO=1\r\nPATH C:\\APP;C:\\DOS\r\nWIN\r\n' > "$WORK/autoexec.want"
cmp -s "$DEST/AUTOEXEC.BAT" "$WORK/autoexec.want" || { fail "AUTOEXEC.BAT differs"; od -c "$DEST/AUTOEXEC.BAT" | head; }
cmp -s "$DEST/AUTOEXEC.ORI" "$WORK/autoexec.orig" || fail "AUTOEXEC.ORI is not the original"
LOG="$DEST/EDITS.LOG"
UDEST=${WDEST^^}   # @D gives the destination in capitals
expect_line "$LOG" "$UDEST\\APP.INI, \"Boot\", \"Shell\", \"OLD.EXE\", \"NEW.EXE\", I"
expect_line "$LOG" "$UDEST\\AUTOEXEC.BAT, \"PATH \", \"\", \"PATH C:\\DOS;C:\\OLD\",\"PATH C:\\APP;C:\\DOS;C:\\OLD\", P"
expect_line "$LOG" "$UDEST\\TEXT.INI, \"[Boot]\", \"Shell\", \"\",\"Shell=NEW.EXE\", W"
ls "$WTEMP"/_*.tmp >/dev/null 2>&1 && fail "temporary files left in $WTEMP"

printf '[Boot]\r\nShell=OLD.EXE\r\n' > "$DEST/N.INI"
cp "$DEST/N.INI" "$WORK/n.orig"
run_setup NOMOD.INF -q "-d=$WDEST"
expect_rc 0
cmp -s "$DEST/N.INI" "$WORK/n.orig" || fail "NOMOD changed N.INI"
expect_line "$DEST/N.MOD" "Shell=NEW.EXE"
expect_line "$DEST/N.MOD" "Added=1"
