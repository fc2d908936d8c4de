# A script that is empty, or holds only a NUL byte, cannot be run: message
# 1033 (in a quiet run: trace and exit code 1).  Nothing hangs.
TF=$(TRACE_FILE)
: > "$APP/KESTREL8.INF"
run_setup -q -v=3
expect_rc 1
expect_grep "$TF" 'does not contain any information\.'
printf '\000[Config]\r\n' > "$APP/KESTREL8.INF"
run_setup -q -v=3
expect_rc 1
# A script without any section runs nothing and ends normally.
printf 'just text\r\nno headers\r\n' > "$APP/KESTREL8.INF"
run_setup -q
expect_rc 0
# A script larger than the buffer is cut at 262,139 bytes, not overrun:
# the sections before the cut run, the one after it does not.
python3 - "$APP/KESTREL8.INF" <<'PY'
import sys
head = b"[Config]\r\nLogFile=CUT.LOG\r\n[Registry]\r\n"
pad = b"; " + b"x" * 1000 + b"\r\n"
body = head + pad * 262
open(sys.argv[1], "wb").write(body + b"[Exec]\r\n")
PY
rm -f "$TF"
run_setup -q -v=3 "-d=$WDEST"
expect_rc 0
expect_line "$DEST/CUT.LOG" "[Registry]"
expect_no_line "$DEST/CUT.LOG" "[Exec]"
# The cut is not silent: the trace names it.
expect_grep "$TF" 'KESTREL8.INF is cut at 262139 bytes
