# The walk runs every section in order, an indented header included, passes
# over unknown sections and stops at [End] (any case): the section after it
# never runs.  A quiet run shows no closing message, so the log ends with
# the last section it ran.
run_setup -q "-d=$WDEST"
expect_rc 0
LOG="$DEST/WALK.LOG"
expect_same "$LOG" "[Kestrel8 Log]
InstallDir=${WDEST^^}

[Files]

[IniEdits]

[Registry]"
