# The source-disk dialog, the shortcut-folder dialog and the floating
# information window, each opened alone in the dialog host and driven by
# the robot: texts, ids, results, what each leaves for its caller, and
# where the floating window is placed.
HOST="$BUILDX/dialog_host.exe"
cp "$BUILDX/robot.exe" "$WORK/robot.exe"
# host_robot NAME [-x ROBOT_RC] ARGS...: the host under the robot with
# NAME.txt; sets RC and leaves the record in $WORK/NAME.rec.
host_robot() {
  local name=$1 want=0; shift
  if [ "$1" = -x ]; then want=$2; shift 2; fi
  local answers="$SCEN_DIR/$name.txt"
  [ -f "$answers" ] || answers="$WORK/$name.txt"
  (cd "$WORK" && timeout -k 5 60 "$WINE" "$WORK/robot.exe" "$(winpath "$answers")" \
     "$(winpath "$WORK/$name.rec")" -- "$HOST" "$@" </dev/null >/dev/null 2>&1)
  local rrc=$?
  RC=$(sed -n 's/^exit=//p' "$WORK/$name.rec" 2>/dev/null | tail -n 1)
  [ "$rrc" -eq "$want" ] || { fail "$name: robot ended with $rrc, expected $want"; cat "$WORK/$name.rec"; }
}
# host_quiet ARGS...: the host with -q, no robot; sets RC.
host_quiet() {
  (cd "$WORK" && timeout -k 5 20 "$WINE" "$HOST" -q "$@" </dev/null >/dev/null 2>&1)
  RC=$?
}
out_is() { expect_same "$WORK/$1" "$2"; rm -f "$WORK/$1"; }

# ---- source disk (template 5) ----
DISK=(sourcedisk "Disk 2 - Tools" TOOLS.DLL 'A:\')
host_robot disk_ok "${DISK[@]}"
[ "$RC" = 1 ] || fail "source disk OK gave $RC"
out_is DISK.OUT 'location=C:\DISK2\TOOLS
file=TOOLS.DLL'
host_robot disk_skip "${DISK[@]}"
[ "$RC" = 100 ] || fail "source disk Skip gave $RC"
out_is DISK.OUT 'location=A:\
file=TOOLS.DLL'
host_robot disk_exit "${DISK[@]}"
[ "$RC" = 2 ] || fail "source disk Exit gave $RC"
rm -f "$WORK/DISK.OUT"
host_robot disk_close "${DISK[@]}"
[ "$RC" = 2 ] || fail "closing the source disk dialog gave $RC"
rm -f "$WORK/DISK.OUT"
rm -f "$WINEPREFIX/drive_c/windows/DISK.OUT"
host_robot disk_browse sourcedisk "Disk 2 - Tools" TOOLS.DLL 'C:\windows'
# The picker leaves the current directory alone: the host writes its
# result where it was started, not in the folder the picker showed.
expect_no_file "$WINEPREFIX/drive_c/windows/DISK.OUT"
[ "$RC" = 100 ] || fail "source disk after a cancelled Browse gave $RC"
out_is DISK.OUT 'location=C:\windows
file=TOOLS.DLL'
# Quiet: nobody can insert a disk; the file is skipped at once.
host_quiet "${DISK[@]}"
[ "$RC" = 100 ] || fail "quiet source disk gave $RC"
rm -f "$WORK/DISK.OUT"

# ---- shortcut folder (template 22) ----
PARENT="$WORK/Programs"
mkdir -p "$PARENT/Accessories" "$PARENT/Games" "$PARENT/Zeta Tools"
echo x > "$PARENT/readme.txt"
WPARENT=$(winpath "$PARENT")
SC=(scfolder "$WPARENT" "My App" "Put the icons in:")
host_robot sc_choose "${SC[@]}"
[ "$RC" = 1 ] || fail "shortcut folder OK gave $RC"
out_is SCFOLDER.OUT "folder=$WPARENT\\Games"
host_robot sc_count -x 3 "${SC[@]}"
expect_grep "$WORK/sc_count.rec" '^step 2 FAIL'
rm -f "$WORK/SCFOLDER.OUT"
host_robot sc_typed "${SC[@]}"
[ "$RC" = 1 ] || fail "shortcut folder typed gave $RC"
out_is SCFOLDER.OUT "folder=$WPARENT\\New Group"
host_robot sc_cancel "${SC[@]}"
[ "$RC" = 2 ] || fail "shortcut folder Cancel gave $RC"
out_is SCFOLDER.OUT "folder=My App"
host_robot sc_exit "${SC[@]}"
[ "$RC" = 135 ] || fail "shortcut folder Exit gave $RC"
out_is SCFOLDER.OUT "folder=My App"
host_robot sc_noparent scfolder "$WPARENT\\Missing" "My App" "Put the icons in:"
[ "$RC" = 1 ] || fail "shortcut folder without a parent gave $RC"
out_is SCFOLDER.OUT "folder=$WPARENT\\Missing\\Tools"
# Quiet: OK with the default name.
host_quiet "${SC[@]}"
[ "$RC" = 1 ] || fail "quiet shortcut folder gave $RC"
out_is SCFOLDER.OUT "folder=$WPARENT\\My App"

# ---- floating information (template 33, modeless) ----
# float_run POS BUTTON: the window at position POS, with a button labelled
# BUTTON ("" for none); its rectangles go to float_POS.rec.
float_run() {
  local pos=$1 button=$2 name="float_$1"
  {
    echo "wait \"Float $pos\" 10000"
    echo "expect 0 \"Float $pos\""
    echo "expect 110 \"Copying the files of position $pos.\""
    if [ -n "$button" ]; then
      echo "expectvisible 2 1"
      echo "expect 2 \"$button\""
    else
      echo "expectvisible 2 0"
    fi
    echo "rect 0"; echo "rect 110"; echo "rect 2"
    if [ -n "$button" ]; then echo "press 2"; else echo "close"; fi
    echo "gone 3000"
    echo "end 8000"
  } > "$WORK/$name.txt"
  rm -f "$WORK/FLOAT.OUT"
  host_robot "$name" floatinfo "$pos" "Float $pos" "Copying the files of position $pos." $button
  [ "$RC" = 1 ] || fail "floating window $pos: exit $RC, the window did not end"
}
rect_of() { sed -n "s/^rect $2 //p" "$WORK/$1.rec" | head -n 1; }
# Expected left/top for code POS (0 is TopCenter) in the work area.
expect_place() {
  local pos=$1
  read -r WL WT WR WB <<< "$(sed -n 's/^work=//p' "$WORK/FLOAT.OUT" | tr -d '\r')"
  read -r L T R B <<< "$(rect_of "float_$pos" 0)"
  [ -n "$WL" ] && [ -n "$L" ] || { fail "floating window $pos: no work area or rectangle"; return; }
  local cx=$((R - L)) cy=$((B - T)) across down
  case $pos in
    0|3) across=1 down=0;; 1) across=0 down=0;; 2) across=2 down=0;;
    4) across=0 down=1;; 5) across=1 down=1;; 6) across=2 down=1;;
    7) across=0 down=2;; 8) across=1 down=2;; 9) across=2 down=2;;
  esac
  local x=$WL y=$WT
  [ "$across" = 1 ] && x=$((WL + (WR - WL - cx) / 2))
  [ "$across" = 2 ] && x=$((WR - cx))
  [ "$down" = 1 ] && y=$((WT + (WB - WT - cy) / 2))
  [ "$down" = 2 ] && y=$((WB - cy))
  [ "$L $T" = "$x $y" ] || fail "floating window $pos at $L $T, expected $x $y (work area $WL $WT $WR $WB)"
}
float_run 1 "&Stop"
expect_place 1
read -r _ _ BTNRIGHT _ <<< "$(rect_of float_1 2)"
read -r _ _ TEXTRIGHT _ <<< "$(rect_of float_1 110)"
[ -n "$TEXTRIGHT" ] && [ "$TEXTRIGHT" -lt "$BTNRIGHT" ] || fail "with a button the message ends at $TEXTRIGHT, left of the button's edge $BTNRIGHT"
for pos in 5 9 0; do
  float_run "$pos" ""
  expect_place "$pos"
  # No button: the message reaches the button's right edge.
  read -r _ _ BR _ <<< "$(rect_of "float_$pos" 2)"
  read -r _ _ TR _ <<< "$(rect_of "float_$pos" 110)"
  [ -n "$TR" ] && [ "$TR" = "$BR" ] || fail "floating window $pos: message ends at $TR, the button's right edge is $BR"
done
