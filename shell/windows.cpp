/* The program's own windows: the main window, the loader window and the
 * "please wait" status window. */
#include "shell.h"
#include "../startup/startup.h"
#include "../resources/resource.h"

BOOL g_bExitingWindows;

static void fnPaintStartupText(HWND hWnd)
{
    PAINTSTRUCT ps;
    HDC hDC = BeginPaint(hWnd, &ps);
    if (g_bSplash) {
        RECT rc;
        GetClientRect(hWnd, &rc);
        SetBkMode(hDC, TRANSPARENT);
        DrawTextA(hDC, g_szStartupMsg, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        rc.top = rc.bottom - 80;
        DrawTextA(hDC, g_szVersionText, -1, &rc, DT_CENTER);
    }
    EndPaint(hWnd, &ps);
}

LRESULT CALLBACK MainWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_QUERYENDSESSION:
        /* Our own restart request must pass; anyone else's is refused and
           turned into a restart question at the end of the install. */
        if (g_bExitingWindows)
            return TRUE;
        g_uOnExit = 4;
        return FALSE;
    case WM_PAINT:
        fnPaintStartupText(hWnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(g_nExitCode);
        return 0;
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

LRESULT CALLBACK LoaderWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_PAINT) {
        fnPaintStartupText(hWnd);
        return 0;
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

void fnCenterWindow(HWND hWnd)
{
    RECT rcWork, rc;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    GetWindowRect(hWnd, &rc);
    int x = rcWork.left + ((rcWork.right - rcWork.left) - (rc.right - rc.left)) / 2;
    int y = rcWork.top + ((rcWork.bottom - rcWork.top) - (rc.bottom - rc.top)) / 2;
    SetWindowPos(hWnd, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND fnCreateStatusWindow(HWND hWndParent, const char *lpszText)
{
    if (g_bQuiet || !lpszText || !*lpszText)
        return NULL;
    char szFormat[KSTL8_LINE];
    char szText[512];
    fnLoadString(IDS_PLEASEWAIT, szFormat, sizeof(szFormat));
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    fnStrFormat(szText, szFormat, lpszText);
#pragma GCC diagnostic pop
    HWND hWnd = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "STATIC", szText,
                                WS_POPUP | WS_BORDER | SS_CENTER, 0, 0, 393, 75, hWndParent,
                                NULL, g_hInstance, NULL);
    if (!hWnd)
        return NULL;
    fnCenterWindow(hWnd);
    ShowWindow(hWnd, SW_SHOWNOACTIVATE);
    UpdateWindow(hWnd);
    return hWnd;
}

void fnDestroyStatusWindow(HWND hWnd)
{
    if (hWnd && IsWindow(hWnd))
        DestroyWindow(hWnd);
}
