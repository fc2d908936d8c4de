/* The opening sections: [Config], [Install Options] and [Signon]. */
#include "script.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include <string.h>
#include <stdlib.h>

/* Split "key=value" in place: the value, or NULL without '='. */
static char *fnSplitKey(char *lpszLine)
{
    char *lpszEq = strchr(lpszLine, '=');
    if (!lpszEq)
        return NULL;
    *lpszEq = '\0';
    for (char *p = lpszEq - 1; p >= lpszLine && (*p == ' ' || *p == '\t'); p--)
        *p = '\0';
    char *lpszValue = lpszEq + 1;
    while (*lpszValue == ' ' || *lpszValue == '\t')
        lpszValue++;
    return lpszValue;
}

static BOOL fnIsYes(const char *lpszValue)
{
    return lpszValue[0] == 'Y' || lpszValue[0] == 'y';
}

/* FIXME: the full key list, macros and line conditions arrive with the
   line reader; this takes the keys that decide the run's channels. */
static BOOL fnConfigKey(const char *lpszKey, const char *lpszValue)
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
    } else if (fnStrCmpI(lpszKey, "LogFile") == 0) {
        fnStrCopy(g_szLogFile, lpszValue);
        g_bLogWanted = lpszValue[0] != '\0';
    } else {
        return fnStrCmpI(lpszKey, "Restart") == 0 || fnStrCmpI(lpszKey, "StayHome") == 0 ||
               fnStrCmpI(lpszKey, "MustRestartAtExit") == 0 ||
               fnStrCmpI(lpszKey, "WinPause") == 0 || fnStrCmpI(lpszKey, "BackUpMethod") == 0 ||
               fnStrCmpI(lpszKey, "ExitMessage") == 0 || fnStrCmpI(lpszKey, "OnExit") == 0;
    }
    return TRUE;
}

int fnReadConfig(HWND hWnd, char *lpszText)
{
    (void)hWnd;
    char *p = fnLocateSection(lpszText, "Config");
    char szLine[KSTL8_LINE];
    while (p && (p = fnNextSectionLine(p, szLine, sizeof(szLine))) != NULL) {
        char *lpszValue = fnSplitKey(szLine);
        if (!lpszValue || !fnConfigKey(szLine, lpszValue))
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
