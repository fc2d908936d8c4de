# The Windows version as each faked Windows reports it.
TF=$(TRACE_FILE)
check_ver() {  # VERSION ID FAMILY VERSIONCODE NT TEXT
  set_winver "$1"
  rm -f "$TF"
  run_setup -q -v=3
  expect_rc 0
  expect_line "$TF" "szWinID=$2,"
  expect_line "$TF" "uWinFamily=$3,"
  expect_line "$TF" "uWinVersion=$4,"
  expect_line "$TF" "bWinNT=$5,"
  expect_line "$TF" "szWinVersionText=$6,"
}
check_ver win95 W95 2 1 0 "95, Vs. 4.0, build 950"
check_ver win98 W98 2 2 0 "98, Vs. 4.10, build 2222"
check_ver winme WME 2 5 0 "ME, Vs. 4.90, build 3000"
check_ver nt40 WNT 3 3 1 "NT, Vs. 4.0, build 1381, Service Pack 6a"
check_ver win2k W2K 3 4 1 "2000, Vs. 5.0, build 2195, Service Pack 4"
check_ver winxp WXP 3 6 1 "XP, Vs. 5.1, build 2600, Service Pack 3"
check_ver "" WXP 3 6 1 "XP, Vs. 6.1, build 7601, Service Pack 1"
