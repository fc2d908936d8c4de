# Macros in the real program: the log name from the Windows family and an
# answer given with -a= (upper-cased), and a command file whose values come from the
# user's shell folders, a short path, a function, the environment, the end
# mark and plain text.
check_family() {  # VERSION WANTED-V9
  set_winver "$1"
  rm -f "$DEST"/*
  K8_SCEN=envtext run_setup -q "-d=$WDEST" "-a=red,green blue"
  expect_rc 0
  expect_file "$DEST/LOG-$2-GREEN BLUE.TXT"
  local cmd="$DEST/FACTS.CMD"
  expect_file "$cmd"
  expect_line "$cmd" "ASKFOR=BLUE\"envtext"
  expect_line "$cmd" "STARTUPMSG=@W40@$(date -u +%Y%m%d)"
  expect_no_grep "$cmd" '%'
  expect_grep "$cmd" '^DESTDIR=C:\\users\\.*\\Desktop'
  expect_no_line "$cmd" "SOURCEDIR=${WAPP}"
  expect_grep "$cmd" '^SOURCEDIR=Z:\\'
}
check_family win95 W95
check_family winxp W2K
