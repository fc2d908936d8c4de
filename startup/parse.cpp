/* The start-up sequence of the command line: directories, Windows
 * version, switches or command file, trace file, script search, loader. */
#include "../registry/registry.h"
#include "../script/macro.h"
#include "startup.h"
#include "../shell/shell.h"
#include "../install/install.h"
#include "../resources/resource.h"
#include "../script/script.h"
#include <string.h>
#include <stdlib.h>

static BOOL fnFail(void)
{
    g_nExitCode = KSTL8_EXIT_FAILED;
    return FALSE;
}

static BOOL fnSettleDirectories(void)
{
    fnStrCopy(g_szWinDir, "C:\\WINDOWS");
    fnStrCopy(g_szSysDir, "C:\\WINDOWS\\SYSTEM");
    if (!GetWindowsDirectoryA(g_szWinDir, sizeof(g_szWinDir))) {
        fnMessageBox(0, NULL, MB_OK | MB_ICONSTOP, "Error!  Could not determine Windows directory.");
        return FALSE;
    }
    if (!GetSystemDirectoryA(g_szSysDir, sizeof(g_szSysDir))) {
        fnMessageBox(0, NULL, MB_OK | MB_ICONSTOP,
                     "Error!  Could not determine Windows system directory.");
        return FALSE;
    }
    if (g_szSysDir[0] == '\\' || fnGetDriveType(g_szSysDir) == DRIVE_REMOTE)
        fnStrCopy(g_szSysDir, g_szWinDir);
    if (!GetTempPathA(sizeof(g_szTmpPath), g_szTmpPath) || !g_szTmpPath[0])
        fnMakePath(g_szWinDir, "TEMP", g_szTmpPath, sizeof(g_szTmpPath));
    size_t cch = strlen(g_szTmpPath);
    if (cch > 0 && (g_szTmpPath[cch - 1] == '\\' || g_szTmpPath[cch - 1] == '/') &&
        !(cch == 3 && g_szTmpPath[1] == ':'))
        g_szTmpPath[cch - 1] = '\0';
    fnCreateDirTree(g_szTmpPath);
    return TRUE;
}

static BOOL fnSettleHomeAndVersion(void)
{
    if (!GetModuleFileNameA(NULL, g_szOwnPath, sizeof(g_szOwnPath)) ||
        !fnGetDirPart(g_szOwnPath, g_szHomeDir, sizeof(g_szHomeDir)) ||
        !fnGetOSVersionInfo(&g_OSInfo)) {
        fnMessageBox(0, NULL, MB_OK | MB_ICONSTOP, "Error!  Could not initialize.");
        return FALSE;
    }
    if (g_OSInfo.bWinNT)
        g_bSecurity = fnLoadSecurityApis();
    char szVersion[KSTL8_SHORT];
    char szLine[KSTL8_PATH];
    if (fnGetOwnVersion(szVersion, sizeof(szVersion))) {
        char szFormat[KSTL8_PATH];
        fnLoadString(IDS_VERSIONLINE, szFormat, sizeof(szFormat));
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
        fnStrFormat(szLine, szFormat, szVersion);
#pragma GCC diagnostic pop
        fnStrFormat(g_szVersionText, "\n%s\nWindows %s\n", szLine, g_OSInfo.szWinVersionText);
    } else {
        fnStrCopy(g_szVersionText, "Install and Setup");
    }
    return TRUE;
}

/* Fold the parsed switches (or the command file that replaces them)
   into the globals. */
static void fnApplyCmdLine(const SwitchStruct *lpSw)
{
    CmdLineStruct *lpCmd = &g_CmdLine;
    if (lpCmd->szCmdFile[0]) {
        char szCmdFile[KSTL8_PATH];
        if (!fnResolveNamedFile(lpCmd->szCmdFile, g_szSourceDir, g_szHomeDir, szCmdFile,
                                sizeof(szCmdFile)))
            fnStrCopy(szCmdFile, lpCmd->szCmdFile);
        fnReadCmdFile(szCmdFile, lpCmd);
    }
    if (lpCmd->szIniFile[0])
        fnStrCopy(g_szIniFile, lpCmd->szIniFile);
    if (lpCmd->szSourceDir[0])
        fnStrCopy(g_szSourceDir, lpCmd->szSourceDir);
    if (lpCmd->szDestDir[0]) {
        fnStrCopy(g_szDestDir, lpCmd->szDestDir);
        fnStrCopy(g_szStartDestDir, lpCmd->szDestDir);
    }
    if (lpCmd->szAskFor[0])
        fnStrCopy(g_szAskForResponse, lpCmd->szAskFor);
    g_bTempExec = lpCmd->bTempExec && g_szOwnPath[0];
    if (lpCmd->bNoPrompts)
        g_bNoPrompts = TRUE;
    g_bQuiet = lpCmd->bBeQuiet;
    if (lpCmd->bStartupMsg) {
        g_bMessage = TRUE;
        if (lpCmd->szStartupMsg[0])
            fnStrCopy(g_szStartupMsg, lpCmd->szStartupMsg);
    }
    if (lpSw->bDebugSet)
        g_uDebug = lpSw->uDebug;
    if (lpSw->bShowSet)
        g_uShowVSWin = lpSw->uShowVSWin;
    g_uCipherMode = lpSw->uCipherMode;
    char szResolved[KSTL8_PATH];
    if (fnResolveNamedFile(g_szIniFile, g_szSourceDir, g_szHomeDir, szResolved,
                           sizeof(szResolved)))
        fnStrCopy(g_szIniFile, szResolved);
}

static BOOL fnFindScript(void)
{
    if (fnFileExists(g_szIniFile))
        return TRUE;
    /* The cipher modes rewrite a file: never a different one than named. */
    if (g_uCipherMode == 0 &&
        fnSearchDefaultScripts(g_szHomeDir, g_szIniFile, sizeof(g_szIniFile)))
        return TRUE;
    fnMessageBox(0, "ERROR!", MB_OK | MB_ICONSTOP, "%s", "Cannot find information file.");
    return FALSE;
}

BOOL fnParseCmdLine(HINSTANCE hInstance, HWND hWndOwner, int nCmdShow)
{
    (void)hInstance;
    (void)hWndOwner;
    (void)nCmdShow;
    if (!fnSettleDirectories() || !fnSettleHomeAndVersion())
        return fnFail();
    fnReadRegGlobals();
    g_bQuiet = FALSE;
    g_bMessage = FALSE;
    g_uCipherMode = 0;
    memset(&g_CmdLine, 0, sizeof(g_CmdLine));
    fnStrCopy(g_szSourceDir, g_szHomeDir);
    fnMakePath(g_szHomeDir, "KESTREL8.INF", g_szIniFile, sizeof(g_szIniFile));

    SwitchStruct sw;
    memset(&sw, 0, sizeof(sw));
    int nParsed = fnParseSwitches(__argc, __argv, &g_CmdLine, &sw);
    if (nParsed == CMDLINE_PARSED)
        fnApplyCmdLine(&sw);
    if (g_uDebug > 2 && !fnOpenDebugFile())
        return fnFail();
    fnDebugTrace("fnParseCmdLine",
                 "Win %lu.%lu,\ng_szTmpPath=%s,\ng_szDebugFile=%s,\ng_szHomeDir=%s,\ng_szIniFile=%s,\ng_szDestDir=%s,\ng_szAskForResponse=%s,\ng_bQuiet=%d,\ng_uShowVSWin=%u",
                 (unsigned long)g_OSInfo.dwWinMajor, (unsigned long)g_OSInfo.dwWinMinor,
                 g_szTmpPath, g_szDebugFile, g_szHomeDir, g_szIniFile, g_szDestDir,
                 g_szAskForResponse, g_bQuiet, g_uShowVSWin);
    if (nParsed == CMDLINE_USAGE)
        return FALSE;
    if (!fnFindScript())
        return fnFail();
    fnStrCopy(g_szStartSourceDir, g_szSourceDir);
    fnInitMacroTables();
    if (fnLoaderWanted() && !fnInitLoader(g_hInstance, g_nCmdShow, g_szOwnPath)) {
        fnMessageBox(0, NULL, MB_OK | MB_ICONSTOP, "Error!  Could not initialize.");
        return fnFail();
    }
    fnDebugTrace("fnInitialize - VersionInfo",
                 "bWinNT=%lu,\ndwWinMajor=%lu,\ndwWinMinor=%lu,\nuWinFamily=%u,\nuWinVersion=%u,\nuWinSR=%u,\ndwWinBuild=%lu,\ndwWinPlatformID=%lu,\nszWinID=%s,\nszWinVersionText=%s,\nszWinVSDescription=%s",
                 (unsigned long)g_OSInfo.bWinNT, (unsigned long)g_OSInfo.dwWinMajor,
                 (unsigned long)g_OSInfo.dwWinMinor, g_OSInfo.uWinFamily, g_OSInfo.uWinVersion,
                 g_OSInfo.uWinSR, (unsigned long)g_OSInfo.dwWinBuild,
                 (unsigned long)g_OSInfo.dwWinPlatformID, g_OSInfo.szWinID,
                 g_OSInfo.szWinVersionText, g_OSInfo.szWinVSDescription);
    return TRUE;
}
