# Mutated scripts run quietly: every run ends within 10 seconds with exit
# code 0, 1 or 2, and none crashes or hangs.
SEED=${KSTL8_SEED:-20261207}
COUNT=${KSTL8_MUTANTS:-300}
echo "robustness: $COUNT scripts, seed $SEED; free space: $(df -h "$WORK" | tail -n 1)"
python3 "$SCEN_DIR/mutate.py" "$APP" "$WORK/mutants" "$COUNT" "$SEED"
# A script may switch quiet mode off (BeQuiet=N), and then rightly waits
# for a person: no mutant may touch that key.
sed -i '/[Bb][Ee][Qq][Uu][Ii][Ee][Tt]/d' "$WORK"/mutants/*.INF
bad=0
for f in "$WORK"/mutants/*.INF; do
  (cd "$APP" && timeout -k 2 10 "$WINE" "$APP/SETUP32.EXE" -q "-d=$WDEST" "-i=$(winpath "$f")" \
     </dev/null >/dev/null 2>&1)
  rc=$?
  case $rc in
    0|1|2) ;;
    *) fail "$(basename "$f") ($(wc -c < "$f") bytes) ended with $rc (kept in $WORK/mutants)"; bad=$((bad + 1))
       [ "$bad" -ge 5 ] && break ;;
  esac
  scen_kill_strays
  # Passing scripts and their trace are removed at once, so the run needs
  # little disk; failing ones stay for a look.
  case $rc in 0|1|2) rm -f "$f" "$WTEMP/KStl8Dbg.LOG" ;; esac
done
