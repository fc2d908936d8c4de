# A script that touches every name list: each section reaches its own entry
# point, in order, with its status text and its log line; unknown names, a
# group name no set-up section has named, an empty section and everything
# after [End] reach nothing.
run_setup -q -v=3 "-d=$WDEST"
expect_rc 0
TF=$(TRACE_FILE)
got=$(tr -d '\r' < "$TF" | sed -n 's/^~-Install and Setup: \(fnInf[A-Za-z]*\|fnParseInfGetUserInput\|fnReadShortCutSections\)-~$/\1/p' | tr '\n' ' ')
want="fnInfInfo fnInfFloatInfo fnInfCheckFors fnInfFileCheck fnInfVersionTest fnInfInitOptions fnInfRegistry fnInfSetEnvironment fnInfReadDefaults fnInfIniEdits fnInfCloseFiles fnInfExec fnInfShellExec fnInfInputSection fnInfLaunchAndBack fnInfWriteCmdFile fnInfIsStringInFile fnParseInfGetUserInput fnInfCheckSpace fnInfMakeDirs fnInfGetDir fnInfMoveFiles fnInfCopyFiles "
got=$(echo $got)
want=$(echo $want)
[ "$got" = "$want" ] || fail "entry points in order:
  got  $got
  want $want"
for pair in "[VersionTest]|Reading version information" "[ReadRegistry]|Processing registry" \
            "[SetEnvironment]|Processing environment variables" "[ReadIniFiles]|Reading defaults" \
            "[IniEdits]|Editing configuration files" "[CloseAfter]|Closing program" \
            "[ExecBefore]|Executing program" "[ShellExec]|Executing shell" "[FloatInfo]|"; do
  name=${pair%%|*}; text=${pair#*|}
  tr -d '\r' < "$TF" | grep -A1 -xF "Section=$name," | grep -xF "lpszAddMsg=$text" >/dev/null \
    || fail "status text of $name is not '$text'"
done
want_log="[Kestrel8 Log]
InstallDir=${WDEST^^}

[FloatInfo]

[TestBefore]

[FileCheck]

[VersionTest]

[InitOptions]

[ReadRegistry]

[SetEnvironment]

[ReadIniFiles]

[IniEdits]

[CloseAfter]

[ExecBefore]

[ShellExec]

[FromCombo]

[LaunchAndBack]

[WriteCmdFile]

[IsStringInFile]

[PMGroups]

[CheckDiskSpace]

[DestSubDirs]

[MoveFilesAfter]

[CopyFilesToDisk]

[Exec]"
expect_same "$DEST/LISTS.LOG" "$want_log"
