/* Instance naming, window classes and the main window inside whose life
 * the whole install runs. */
#include "startup.h"
#include "../shell/shell.h"
#include "../resources/resource.h"
#include "../script/script.h"
#include <string.h>

void fnFindPreviousInstance(char *lpszClass, size_t cchClass, char *lpszTitle,
                            size_t cchTitle, char *lpszInstance, size_t cchInstance)
{
    if (!FindWindowA(lpszClass, lpszTitle)) {
        fnStrCopyN(lpszInstance, cchInstance, "1");
        return;
    }
    char szBaseClass[KSTL8_SHORT];
    char szBaseTitle[KSTL8_SHORT];
    fnStrCopy(szBaseClass, lpszClass);
    fnStrCopy(szBaseTitle, lpszTitle);
    for (UINT n = 2; n < 1000; n++) {
        char szClass[KSTL8_SHORT + 8];
        char szTitle[KSTL8_SHORT + 8];
        fnStrFormat(szClass, "%s-%u", szBaseClass, n);
        fnStrFormat(szTitle, "%s-%u", szBaseTitle, n);
        if (!FindWindowA(szClass, szTitle)) {
            fnStrCopyN(lpszClass, cchClass, szClass);
            fnStrCopyN(lpszTitle, cchTitle, szTitle);
            fnStrFormatN(lpszInstance, cchInstance, "%u", n);
            return;
        }
    }
}

/* A class derived from a system class, keeping the base procedure. */
static BOOL fnRegisterDerived(HINSTANCE hInstance, const char *lpszBase, UINT uNameId,
                              WNDPROC *lppfnBase, WNDPROC pfnProc)
{
    char szName[KSTL8_SHORT];
    fnLoadString(uNameId, szName, sizeof(szName));
    WNDCLASSA wc;
    if (!GetClassInfoA(NULL, lpszBase, &wc))
        return FALSE;
    if (lppfnBase)
        *lppfnBase = wc.lpfnWndProc;
    wc.lpfnWndProc = pfnProc;
    wc.hInstance = hInstance;
    wc.lpszClassName = szName;
    return RegisterClassA(&wc) != 0;
}

WNDPROC g_pfnListBoxProc;

BOOL fnRegisterClasses(HINSTANCE hInstance)
{
    WNDCLASSA wc;
    memset(&wc, 0, sizeof(wc));
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = hInstance;
    wc.hIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(IDI_SETUP));
    wc.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = g_szClassName;
    if (!RegisterClassA(&wc)) {
        fnMessageBox(0, NULL, MB_OK | MB_ICONINFORMATION,
                     "Error!  Could not register main class.\nApplication may already be running.");
        return FALSE;
    }
    if (!fnRegisterDerived(hInstance, "STATIC", IDS_SPLASHCLASS, &g_pfnStaticProc, StatusWndProc)) {
        fnMessageBox(0, NULL, MB_OK | MB_ICONINFORMATION,
                     "Error!  Could not register splash window.\nApplication may already be running.");
        return FALSE;
    }
    char szMeter[KSTL8_SHORT];
    fnLoadString(IDS_PROGRESSCLASS, szMeter, sizeof(szMeter));
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ProgressMeterProc;
    wc.cbWndExtra = PM_EXTRA;
    wc.hIcon = NULL;
    wc.lpszClassName = szMeter;
    if (!RegisterClassA(&wc)) {
        fnMessageBox(0, NULL, MB_OK | MB_ICONINFORMATION,
                     "Error!  Could not register progress meter control.\nApplication may already be running.");
        return FALSE;
    }
    if (!fnRegisterDerived(hInstance, "LISTBOX", IDS_MISMATCHCLASS, &g_pfnListBoxProc,
                           MisMatchLBProc)) {
        fnMessageBox(0, NULL, MB_OK | MB_ICONINFORMATION,
                     "Error!  Could not register mismatch listbox control.\nApplication may already be running.");
        return FALSE;
    }
    return TRUE;
}

void fnTakeStartTime(void)
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    fnStrFormat(g_szDate, "%u%02u%02u", st.wYear, st.wMonth, st.wDay);
    fnStrFormat(g_szTime, "%02u%02u%02u", st.wHour, st.wMinute, st.wSecond);
}

BOOL fnInitInstance(HINSTANCE hInstance, int nCmdShow)
{
    fnTakeStartTime();
    fnDebugTrace("fnInitInstance",
                 "Win %lu.%lu,\ng_szTmpPath=%s,\ng_szDebugFile=%s,\ng_szHomeDir=%s,\ng_szIniFile=%s,\ng_szDestDir=%s,\ng_bQuiet=%d,\ng_uShowVSWin=%u,\ng_bMessage=%d,\ng_szDate=%s,\ng_szTime=%s",
                 (unsigned long)g_OSInfo.dwWinMajor, (unsigned long)g_OSInfo.dwWinMinor,
                 g_szTmpPath, g_szDebugFile, g_szHomeDir, g_szIniFile, g_szDestDir, g_bQuiet,
                 g_uShowVSWin, g_bMessage, g_szDate, g_szTime);
    if (g_bMessage) {
        g_hWndMain = CreateWindowA(g_szClassName, g_szTitle, WS_POPUP | WS_VISIBLE, 0, 0,
                                   GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                   NULL, NULL, hInstance, NULL);
        g_bSplash = TRUE;
    } else {
        int cx = g_bQuiet ? 0 : 399, cy = g_bQuiet ? 0 : 80;
        g_hWndMain = CreateWindowA(g_szClassName, g_szTitle, WS_POPUP, 0, 0, cx, cy, NULL,
                                   NULL, hInstance, NULL);
    }
    if (!g_hWndMain)
        return FALSE;
    if (g_bSplash && !g_bQuiet) {
        ShowWindow(g_hWndMain, nCmdShow);
        UpdateWindow(g_hWndMain);
    }
    if (g_uShowVSWin == 0)
        ShowWindow(g_hWndMain, SW_HIDE);
    BringWindowToTop(g_hWndMain);
    fnLoadInf(g_hWndMain);
    DestroyWindow(g_hWndMain);
    return TRUE;
}

