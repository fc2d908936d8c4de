# [IsStringInFile] through the program: a text across the 65,500-byte block
# boundary is found, the codes reach @I, and EXITMATCH ends the install
# without the closing message (exit code 2; the sections after it never run).
python3 - "$APP/BIG.DAT" <<'PY'
import sys
data = b"x" * 65490 + b"BOUNDARY MARK" + b"y" * 9000
open(sys.argv[1], "wb").write(data)
PY
run_setup -q "-d=$WDEST"
expect_rc 2
expect_line "$DEST/RESULTS.CMD" "ASKFOR=0-0-1-2"
expect_no_file "$DEST/NEVER.CMD"
expect_line "$DEST/FIND.LOG" "[IsStringInFile]"
expect_no_grep "$DEST/FIND.LOG" "installed successfully"
