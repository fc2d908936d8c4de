# The walk runs every section in order, an indented header included, passes
# over unknown sections and stops at [End] (any case): the section after it
# never runs.  Quiet runs write the closing message to the log.
run_setup -q "-d=$WDEST"
expect_rc 0
LOG="$DEST/WALK.LOG"
expect_same "$LOG" "[Kestrel8 Log]
InstallDir=${WDEST^^}

[Files]

[IniEdits]

[Registry]
Message: The software has been installed successfully. (answer 1)"
