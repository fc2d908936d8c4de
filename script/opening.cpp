/* The first opening section: [Config]. */
#include "script.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "reader.h"
#include "macro.h"
#include "../process/process.h"
#include <string.h>
#include <stdlib.h>

static BOOL fnIsYes(const char *lpszValue)
{
    return lpszValue[0] == 'Y' || lpszValue[0] == 'y';
}

char g_szConfigExitMsg[1024];
char g_szConfigExitExec[260];
char g_szConfigRestartMsg[1024];
BOOL g_bConfigRestart;

static BOOL fnBackUpMethodKey(const char *lpszValue)
{
    static const char *const s_apsz[] = { "PROMPT", "ORIEXT", "UNIQUE", "TIME",
                                          "DATE", "DATETIME", "NOMOD" };
    for (UINT i = 0; i < sizeof(s_apsz) / sizeof(s_apsz[0]); i++)
        if (fnStrCmpI(lpszValue, s_apsz[i]) == 0) {
            g_uBackUpMethod = 500 + i;
            return TRUE;
        }
    return TRUE;
}

/* OnExit=word[,parameter]: g_uOnExit and the text that goes with it. */
static void fnOnExitKey(const char *lpszLine, const char *lpszValue)
{
    char szParam[1024];
    BOOL bParam = fnGetParam(lpszLine, 2, szParam, sizeof(szParam)) && szParam[0];
    if (bParam)
        fnExpandOpts(szParam, sizeof(szParam));
    if (fnStrCmpI(lpszValue, "ExitWin") == 0) {
        g_uOnExit = 1;
    } else if (fnStrCmpI(lpszValue, "Exec") == 0) {
        if (bParam && fnStrCopy(g_szConfigExitExec, szParam))
            g_uOnExit = 2;
    } else if (fnStrCmpI(lpszValue, "RestartWin") == 0) {
        g_uOnExit = 3;
    } else if (fnStrCmpI(lpszValue, "Reboot") == 0) {
        g_uOnExit = 5;
    } else if (fnStrCmpI(lpszValue, "RestartWithMsg") == 0) {
        g_uOnExit = 6;
        fnStrCopy(g_szConfigRestartMsg, bParam ? szParam : "");
    }
}

static BOOL fnConfigKey(const char *lpszLine, const char *lpszKey, char *lpszValue,
                        size_t cchValue)
{
    if (fnStrCmpI(lpszKey, "BeQuiet") == 0) {
        BOOL bQuiet = fnIsYes(lpszValue);
        if (bQuiet != g_bQuiet)
            fnDebugTrace("fnReadConfig", "BeQuiet changes quiet mode to %d", bQuiet);
        g_bQuiet = bQuiet;
        if (bQuiet)
            g_uShowVSWin = 0;
    } else if (fnStrCmpI(lpszKey, "Debug") == 0) {
        g_uDebug = (UINT)strtoul(lpszValue, NULL, 10);
        if (g_uDebug > 2 && !g_szDebugFile[0])
            fnOpenDebugFile();
    } else if (fnStrCmpI(lpszKey, "ShowVSWindow") == 0) {
        g_uShowVSWin = (UINT)strtoul(lpszValue, NULL, 10);
    } else if (fnStrCmpI(lpszKey, "WinPause") == 0) {
        UINT u = (UINT)strtoul(lpszValue, NULL, 10);
        g_uWinPause = u > 1000 ? 1000 : u;
    } else if (fnStrCmpI(lpszKey, "LogFile") == 0) {
        /* Expanded once here; a name that expands to nothing is not taken. */
        if (fnExpandOpts(lpszValue, cchValue) != MACRO_EMPTY) {
            fnStrCopy(g_szLogFile, lpszValue);
            g_bLogWanted = lpszValue[0] != '\0';
        }
    } else if (fnStrCmpI(lpszKey, "MustRestartAtExit") == 0) {
        g_bMustRestart = fnIsYes(lpszValue);
    } else if (fnStrCmpI(lpszKey, "BackUpMethod") == 0) {
        fnBackUpMethodKey(lpszValue);
    } else if (fnStrCmpI(lpszKey, "ExitMessage") == 0) {
        char szText[1024];
        fnGetParam(lpszLine, 1, szText, sizeof(szText));
        fnExpandOpts(szText, sizeof(szText));
        fnStrCopy(g_szConfigExitMsg, szText);
    } else if (fnStrCmpI(lpszKey, "OnExit") == 0) {
        fnOnExitKey(lpszLine, lpszValue);
    } else if (fnStrCmpI(lpszKey, "StayHome") == 0) {
        g_bStayHome = fnIsYes(lpszValue);
    } else if (fnStrCmpI(lpszKey, "Restart") == 0) {
        g_bConfigRestart = fnIsYes(lpszValue);
    } else {
        return FALSE;
    }
    return TRUE;
}

/* Restart=Y: the install runs from a temporary copy and this run ends.
   The copy itself (-t) goes on. */
static int fnConfigRestart(HWND hWnd)
{
    if (!g_bConfigRestart)
        return SECTION_GOON;
    if (g_bTempExec || !g_szOwnPath[0]) {
        fnDebugTrace("fnReadConfig", "Restart passed over: g_bTempExec=%d, g_szOwnPath=%s",
                     g_bTempExec, g_szOwnPath);
        return SECTION_GOON;
    }
    /* The copy must not take this ending instance for a previous one and
       rename itself: the main window loses the title it is found by. */
    if (hWnd)
        SetWindowTextA(hWnd, "");
    if (!fnReloadExec(g_szOwnPath))
        return SECTION_STOP;
    return CONFIG_RESTARTED;
}

int fnReadConfig(HWND hWnd, char *lpszText)
{
    char *p = fnLocateSection(lpszText, "[Config]");
    g_bMustRestart = FALSE;
    g_bStayHome = FALSE;
    g_bConfigRestart = FALSE;
    g_szConfigExitMsg[0] = g_szConfigExitExec[0] = g_szConfigRestartMsg[0] = '\0';
    char szLine[KSTL8_LINE];
    while (p && (p = fnGetSectionLine(p, szLine, sizeof(szLine))) != NULL) {
        if (fnTestLineCondition(szLine, sizeof(szLine)) == COND_FAILS)
            continue;
        char szKey[KSTL8_SHORT];
        char szValue[KSTL8_PATH];
        if (!fnGetParam(szLine, 0, szKey, sizeof(szKey))) {
            /* A bare StayHome or Restart sets the option and ends the reading. */
            if (fnStrCmpI(szLine, "StayHome") == 0)
                g_bStayHome = TRUE;
            else if (fnStrCmpI(szLine, "Restart") == 0)
                g_bConfigRestart = TRUE;
            break;
        }
        fnGetParam(szLine, 1, szValue, sizeof(szValue));
        if (!fnConfigKey(szLine, szKey, szValue, sizeof(szValue)))
            break;
    }
    if (g_bLogWanted && g_szLogFile[0]) {
        char szName[KSTL8_PATH];
        fnStrCopy(szName, g_szLogFile);
        g_szLogFile[0] = '\0';
        fnStartLog(szName);
    }
    return fnConfigRestart(hWnd);
}
