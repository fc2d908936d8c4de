# The script prompt's eleven style codes, driven in the dialog host: which
# buttons show, where the moved ones sit, what each button returns; then
# the same styles in a quiet run, which must end at once.
HOST="$BUILDX/dialog_host.exe"
cp "$BUILDX/robot.exe" "$WORK/robot.exe"

# host_robot NAME ARGS...: the host under the robot with $WORK/NAME.txt;
# sets RC and leaves the record in $WORK/NAME.rec.
host_robot() {
  local name=$1; shift
  (cd "$WORK" && timeout -k 5 60 "$WINE" "$WORK/robot.exe" "$(winpath "$WORK/$name.txt")" \
     "$(winpath "$WORK/$name.rec")" -- "$HOST" "$@" </dev/null >/dev/null 2>&1)
  local rrc=$?
  RC=$(sed -n 's/^exit=//p' "$WORK/$name.rec" 2>/dev/null | tail -n 1)
  [ "$rrc" -eq 0 ] || { fail "$name: robot ended with $rrc"; cat "$WORK/$name.rec"; }
}
rect_of() { sed -n "s/^rect $2 //p" "$WORK/$1.rec" | head -n 1; }

# style  visible(1 2 6 7 4 115 116)  into-OK  into-Cancel  button-to-press
STYLES="
101 1100000 1 2 1
101 1100000 1 2 2
102 0011000 6 7 6
102 0011000 6 7 7
102 0011000 6 7 esc
103 1000010 1 - 115
104 1000000 1 - 1
105 0000001 116 - 116
106 0000010 115 - 115
107 0000011 115 116 116
108 0000101 4 116 4
109 0100100 4 2 4
110 0000110 4 115 115
111 0100000 2 - 2
"
IDS="1 2 6 7 4 115 116"
n=0
echo "$STYLES" | while read -r style vis intook intocancel press; do
  [ -n "$style" ] || continue
  n=$((n + 1)); name="s${style}_$n"
  {
    echo "waitbox \"Install and Setup\" 10000"
    echo "expect 110 \"Style $style asks:*\""
    set -- $IDS; v=$vis
    for id in "$@"; do echo "expectvisible $id ${v:0:1}"; v=${v:1}; done
    for id in "$@"; do echo "rect $id"; done
    if [ "$press" = esc ]; then echo "close"; else echo "press $press"; fi
    echo "end 8000"
  } > "$WORK/$name.txt"
  host_robot "$name" prompt "$style" "Style $style asks: go on?"
  want=$press; [ "$press" = esc ] && want=2
  [ "$RC" = "$want" ] || fail "style $style, button $press: result $RC, expected $want"
  # Moved buttons take the places of OK and Cancel of the template.
  [ "$n" -eq 1 ] && { OKRECT=$(rect_of "$name" 1); CANCELRECT=$(rect_of "$name" 2); echo "$OKRECT" > "$WORK/ok.rect"; echo "$CANCELRECT" > "$WORK/cancel.rect"; }
  OKRECT=$(cat "$WORK/ok.rect"); CANCELRECT=$(cat "$WORK/cancel.rect")
  [ "$(rect_of "$name" "$intook")" = "$OKRECT" ] || fail "style $style: button $intook is not in OK's place"
  if [ "$intocancel" != - ]; then
    [ "$(rect_of "$name" "$intocancel")" = "$CANCELRECT" ] || fail "style $style: button $intocancel is not in Cancel's place"
  fi
  # OKEXIT: Exit keeps a place of its own, beside OK.
  if [ "$style" = 103 ]; then
    r=$(rect_of "$name" 115)
    [ "$r" != "$OKRECT" ] && [ "$r" != "$CANCELRECT" ] || fail "style 103: Exit is not in its own place"
  fi
  echo "$SCEN_FAILS" > "$WORK/fails.$n"
done
# The loop ran in a subshell: collect its failures.
for f in "$WORK"/fails.*; do [ -f "$f" ] && SCEN_FAILS=$((SCEN_FAILS > $(cat "$f") ? SCEN_FAILS : $(cat "$f"))); done

# Quiet: each style ends at once with its focus button, Retry never.
for pair in 101:1 102:6 103:1 104:1 105:116 106:115 107:115 108:116 109:2 110:115 111:2; do
  style=${pair%%:*}; want=${pair##*:}
  start=$(date +%s%N)
  (cd "$WORK" && timeout -k 2 10 "$WINE" "$HOST" -q prompt "$style" "quiet" </dev/null >/dev/null 2>&1)
  rc=$?
  ms=$(( ($(date +%s%N) - start) / 1000000 ))
  [ "$rc" = "$want" ] || fail "quiet style $style: result $rc, expected $want"
  [ "$ms" -lt 3000 ] || fail "quiet style $style took $ms ms"
done
