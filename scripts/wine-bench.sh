# Sourced: the Wine test bench.  bench_start makes a fresh prefix inside the
# build folder, starts Xvfb and a persistent wineserver; bench_stop ends
# what bench_start started.  Wine's own service processes inherit open
# descriptors, so every Wine command here has its stdio redirected.
: "${BUILD:?}"
export WINE=/usr/lib/wine/wine64
export WINESERVER=/usr/lib/wine/wineserver
export WINEPREFIX="$BUILD/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES='winemenubuilder.exe=d;mscoree,mshtml='
export HOME="$BUILD/home"
export TZ=UTC
export WINEARCH=win64
mkdir -p "$HOME"

wine_quiet() { "$WINE" "$@" </dev/null >/dev/null 2>&1; }

bench_free_display() {
  local n
  for n in $(seq 90 130); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { echo "$n"; return; }
  done
  echo 131
}

bench_template() {
  # A booted prefix with the virtual desktop on, kept to be copied.
  local tpl="$BUILD/wineprefix.template"
  [ -f "$tpl/.ready" ] && return 0
  rm -rf "$tpl"
  WINEPREFIX="$tpl" wine_quiet wineboot -i
  WINEPREFIX="$tpl" wine_quiet reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f
  WINEPREFIX="$tpl" wine_quiet reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f
  # Drive K: is a floppy disk whose content is the folder $BUILD/floppy; the
  # drive type is read when the prefix starts, so it is set here.
  WINEPREFIX="$tpl" wine_quiet reg add 'HKLM\Software\Wine\Drives' /v k: /d floppy /f
  ln -sfn "$BUILD/floppy" "$tpl/dosdevices/k:"
  WINEPREFIX="$tpl" "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
  WINEPREFIX="$tpl" "$WINESERVER" -w </dev/null >/dev/null 2>&1 || true
  touch "$tpl/.ready"
}

bench_start() {
  local disp
  disp=$(bench_free_display)
  Xvfb ":$disp" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
  echo $! > "$BUILD/xvfb.pid"
  export DISPLAY=":$disp"
  bench_template
  rm -rf "$WINEPREFIX"
  mkdir -p "$BUILD/floppy"
  cp -a "$BUILD/wineprefix.template" "$WINEPREFIX"
  "$WINESERVER" -p </dev/null >/dev/null 2>&1
  wine_quiet wineboot
  for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$disp" ] && break; sleep 0.1; done
}

bench_stop() {
  "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
  if [ -f "$BUILD/xvfb.pid" ]; then
    kill "$(cat "$BUILD/xvfb.pid")" 2>/dev/null || true
    rm -f "$BUILD/xvfb.pid"
  fi
}
