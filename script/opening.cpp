/* The opening sections: [Config], [Install Options] and [Signon]. */
#include "script.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "reader.h"
#include "macro.h"
#include <string.h>
#include <stdlib.h>

static BOOL fnIsYes(const char *lpszValue)
{
    return lpszValue[0] == 'Y' || lpszValue[0] == 'y';
}

/* FIXME: Restart, StayHome, MustRestartAtExit, BackUpMethod, ExitMessage
   and OnExit arrive with the exit screens; this takes the keys that decide
   the run's channels. */
static BOOL fnConfigKey(const char *lpszKey, char *lpszValue, size_t cchValue)
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
    } else {
        return fnStrCmpI(lpszKey, "Restart") == 0 || fnStrCmpI(lpszKey, "StayHome") == 0 ||
               fnStrCmpI(lpszKey, "MustRestartAtExit") == 0 ||
               fnStrCmpI(lpszKey, "BackUpMethod") == 0 ||
               fnStrCmpI(lpszKey, "ExitMessage") == 0 || fnStrCmpI(lpszKey, "OnExit") == 0;
    }
    return TRUE;
}

int fnReadConfig(HWND hWnd, char *lpszText)
{
    (void)hWnd;
    char *p = fnLocateSection(lpszText, "[Config]");
    char szLine[KSTL8_LINE];
    while (p && (p = fnGetSectionLine(p, szLine, sizeof(szLine))) != NULL) {
        if (fnTestLineCondition(szLine, sizeof(szLine)) == COND_FAILS)
            continue;
        char szKey[KSTL8_SHORT];
        char szValue[KSTL8_PATH];
        if (!fnGetParam(szLine, 0, szKey, sizeof(szKey)))
            break;
        fnGetParam(szLine, 1, szValue, sizeof(szValue));
        if (!fnConfigKey(szKey, szValue, sizeof(szValue)))
            break;
    }
    if (g_bLogWanted && g_szLogFile[0]) {
        char szName[KSTL8_PATH];
        fnStrCopy(szName, g_szLogFile);
        g_szLogFile[0] = '\0';
        fnStartLog(szName);
    }
    return SECTION_GOON;
}

/* FIXME: the install-options and sign-on dialogs arrive with the dialog
   framework; until then both go on with the current script. */
int fnReadInstallOptions(HWND hWnd, char *lpszText)
{
    (void)hWnd;
    (void)lpszText;
    return SECTION_GOON;
}

int fnReadSignon(HWND hWnd, char *lpszText)
{
    (void)hWnd;
    (void)lpszText;
    return 1;
}
