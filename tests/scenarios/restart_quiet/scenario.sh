# A quiet run whose script asks for a restart at the end takes the restart
# question's default (Yes) without waiting, logs the answer, and restarts
# Windows: in a prefix of its own, whose pending renames the restart then
# carries out.
private_prefix
WIN="$WINEPREFIX/drive_c/windows"
echo "moved" > "$WIN/before.txt"
printf '[rename]\r\nC:\\windows\\after.txt=C:\\windows\\before.txt\r\n' > "$WIN/wininit.ini"
run_setup -t 30 -q "-d=$WDEST"
expect_rc 0
LOG="$DEST/RESTART.LOG"
expect_grep "$LOG" '^Message: Windows must be restarted to complete installation\..*Is it OK to restart Windows\? \(answer 6\)'
expect_line "$LOG" "ExitWindows=2,accepted"
# The restart ran the renames (Wine does them as it restarts the prefix).
for _ in $(seq 1 50); do [ -f "$WIN/after.txt" ] && break; sleep 0.2; done
expect_file "$WIN/after.txt"
expect_no_file "$WIN/before.txt"
