/* Loading the script: one block, deciphered in memory when it starts with
 * "@", then the three opening sections and the walk. */
#include "script.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../resources/resource.h"
#include <stdlib.h>
#include <string.h>

char *g_lpszInfText;
char *g_lpszInfNext;
char g_szFieldDelims[12] = ",=";

BOOL fnCleanUp(HCURSOR hCursor, char *lpBuffer, HWND hWndStatus)
{
    fnPumpMessages();
    fnDebugTrace("fnCleanUp", "%s", "Clean up for Exit");
    if (hCursor)
        SetCursor(hCursor);
    free(lpBuffer);
    fnDestroyStatusWindow(hWndStatus);
    return TRUE;
}

/* Read the script into a new block; NULL after the failure message. */
static char *fnReadScript(DWORD *lpcbRead)
{
    fnPumpMessages();
    HANDLE hFile = CreateFileA(g_szIniFile, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE) {
        fnMessageBox(IDS_FILENOTFOUND, NULL, MB_OK | MB_ICONSTOP, g_szIniFile);
        return NULL;
    }
    char *lpBuf = (char *)calloc(INF_BUFFER_SIZE, 1);
    if (!lpBuf) {
        CloseHandle(hFile);
        fnMessageBox(IDS_NOMEMORY, NULL, MB_OK | MB_ICONSTOP);
        return NULL;
    }
    DWORD cbRead = 0;
    /* The terminating zero stays inside the block. */
    if (!ReadFile(hFile, lpBuf, INF_BUFFER_SIZE - 1, &cbRead, NULL))
        cbRead = 0;
    DWORD dwHigh = 0;
    DWORD dwSize = GetFileSize(hFile, &dwHigh);
    CloseHandle(hFile);
    lpBuf[cbRead] = '\0';
    if (dwHigh || (dwSize != INVALID_FILE_SIZE && dwSize > cbRead))
        fnDebugTrace("fnLoadInf", "%s is cut at %lu bytes", g_szIniFile, (unsigned long)cbRead);
    if (!lpBuf[0]) {
        fnMessageBox(IDS_FILEEMPTY, NULL, MB_OK | MB_ICONSTOP, g_szIniFile);
        free(lpBuf);
        return NULL;
    }
    *lpcbRead = cbRead;
    return lpBuf;
}

/* The usable text of a loaded block, deciphered when it starts with "@";
   NULL after message 1041 when it can't be. */
static char *fnUsableText(char *lpBuf, DWORD cbRead)
{
    if (lpBuf[0] != '@')
        return lpBuf;
    UINT uOffset = (unsigned char)lpBuf[1];
    /* An offset outside 1-126 names no row of the table. */
    if (cbRead < 3 || uOffset < 1 || uOffset > 126 ||
        !fnShiftDeCrypt(lpBuf + 2, uOffset, cbRead - 2)) {
        fnMessageBox(IDS_READERROR, NULL, MB_OK | MB_ICONSTOP, g_szIniFile);
        return NULL;
    }
    fnDebugTrace("fnLoadInf", "After fnShiftDeCrypt - \nuOffset=%u,\ndwInfSize=%lu\nlpszInf=%.1024s",
                 uOffset, (unsigned long)cbRead, lpBuf + 2);
    return lpBuf + 2;
}

/* The opening sections and the walk on one loaded script.  Returns TRUE
   when another script was chosen and must be loaded. */
static BOOL fnRunScript(HWND hWndMain, char *lpszText)
{
    g_lpszInfText = lpszText;
    g_lpszInfNext = lpszText;
    int nConfig = fnReadConfig(hWndMain, lpszText);
    if (nConfig == CONFIG_RESTARTED)
        return FALSE;
    if (nConfig == SECTION_STOP) {
        fnMessageBox(IDS_READERROR, NULL, MB_OK | MB_ICONSTOP, g_szIniFile);
        g_nExitCode = KSTL8_EXIT_FAILED;
        return FALSE;
    }
    if (!g_bQuiet && g_uShowVSWin != 0)
        ShowWindow(hWndMain, SW_SHOWNOACTIVATE);
    g_lpszInfText = lpszText;
    fnPumpMessages();
    int nOptions = fnReadInstallOptions(hWndMain, lpszText);
    if (nOptions >= 112 && nOptions <= 115)
        return TRUE;
    if (nOptions != SECTION_GOON) {
        g_nExitCode = KSTL8_EXIT_STOPPED;
        return FALSE;
    }
    if (g_uShowVSWin == 0)
        ShowWindow(hWndMain, SW_HIDE);
    if (!*lpszText)
        return FALSE;
    if (fnReadSignon(hWndMain, lpszText) == 0) {
        g_nExitCode = KSTL8_EXIT_STOPPED;
        return FALSE;
    }
    fnDebugTrace("fnLoadInf", "Before fnReadInf\nlpszInf=%.1024s", lpszText);
    UserInputStruct ui;
    fnReadInf(hWndMain, lpszText, &ui);
    return FALSE;
}

BOOL fnLoadInf(HWND hWndMain)
{
    g_lpszInfText = NULL;
    g_lpszInfNext = NULL;
    HCURSOR hCursor = SetCursor(LoadCursorA(NULL, (LPCSTR)IDC_WAIT));
    SetWindowPos(hWndMain, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    HWND hWndStatus = NULL;
    if (g_bSplash && !g_bQuiet)
        hWndStatus = fnCreateStatusWindow(hWndMain, "Initializing");
    if (g_uShowVSWin == 0)
        ShowWindow(hWndMain, SW_HIDE);
    fnLoadString(IDS_DELIMS, g_szFieldDelims, sizeof(g_szFieldDelims));
    fnDebugTrace("fnLoadInf", "%s", "Begin");

    if (g_uCipherMode != 0) {
        /* -e / -u rewrite the named script and run nothing. */
        if (!fnCipherScriptFile(g_szIniFile, g_uCipherMode))
            g_nExitCode = KSTL8_EXIT_FAILED;
        return fnCleanUp(hCursor, NULL, hWndStatus);
    }
    for (;;) {
        DWORD cbRead = 0;
        char *lpBuf = fnReadScript(&cbRead);
        if (!lpBuf) {
            g_nExitCode = KSTL8_EXIT_FAILED;
            return fnCleanUp(hCursor, NULL, hWndStatus);
        }
        char *lpszText = fnUsableText(lpBuf, cbRead);
        if (!lpszText) {
            g_nExitCode = KSTL8_EXIT_FAILED;
            return fnCleanUp(hCursor, lpBuf, hWndStatus);
        }
        fnDestroyStatusWindow(hWndStatus);
        hWndStatus = NULL;
        SetCursor(hCursor);
        fnPumpMessages();
        g_bSplash = TRUE;
        BOOL bReload = fnRunScript(hWndMain, lpszText);
        g_lpszInfText = NULL;
        g_lpszInfNext = NULL;
        free(lpBuf);
        if (!bReload)
            break;
    }
    fnCleanUp(hCursor, NULL, NULL);
    fnDebugTrace("fnLoadInf", "%s", "Exit");
    return TRUE;
}
