/* The program's own windows: the main window, the loader window, the
 * "please wait" status windows and the placement helpers. */
#include "shell.h"
#include "../startup/startup.h"
#include "../resources/resource.h"
#include <stdarg.h>

BOOL g_bExitingWindows;
char g_szStatusText[512];
WNDPROC g_pfnStaticProc;

/* ---- placement ---- */

BOOL fnGetWorkArea(RECT *lprc)
{
    if (SystemParametersInfoA(SPI_GETWORKAREA, 0, lprc, 0) && lprc->right > lprc->left &&
        lprc->bottom > lprc->top)
        return TRUE;
    /* No work area: the whole desktop. */
    return GetWindowRect(GetDesktopWindow(), lprc);
}

/* Offset of a window of size cx inside an area of cxArea for one axis:
   0 start, 1 centre, 2 end.  Kept between 0 and cxArea - cx. */
static int fnAxisOffset(int cxArea, int cx, int nWhere)
{
    int n = nWhere == 0 ? 0 : nWhere == 1 ? (cxArea - cx) / 2 : cxArea - cx;
    if (n > cxArea - cx)
        n = cxArea - cx;
    return n < 0 ? 0 : n;
}

/* Horizontal and vertical placement of the nine positions. */
static const struct {
    int nAcross, nDown;
} s_aPositions[10] = {
    { 1, 0 },                               /* 0: TopCenter */
    { 0, 0 }, { 2, 0 }, { 1, 0 },           /* TopLeft, TopRight, TopCenter */
    { 0, 1 }, { 1, 1 }, { 2, 1 },           /* CenterLeft, Center, CenterRight */
    { 0, 2 }, { 1, 2 }, { 2, 2 },           /* BottomLeft, BottomCenter, BottomRight */
};

BOOL fnPositionInArea(const RECT *lprcArea, int cx, int cy, UINT uPosition, POINT *lppt)
{
    if (uPosition > 9)
        return FALSE;
    lppt->x = lprcArea->left + fnAxisOffset(lprcArea->right - lprcArea->left, cx,
                                            s_aPositions[uPosition].nAcross);
    lppt->y = lprcArea->top + fnAxisOffset(lprcArea->bottom - lprcArea->top, cy,
                                           s_aPositions[uPosition].nDown);
    return TRUE;
}

BOOL fnSetZOrder(HWND hWnd, HWND hWndAfter)
{
    if (!hWnd)
        return FALSE;
    BOOL bOk = SetWindowPos(hWnd, hWndAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (hWndAfter == HWND_TOPMOST)
        SetForegroundWindow(hWnd);
    return bOk;
}

BOOL fnPlaceWindow(HWND hWnd, HWND hWndAfter, UINT uPosition)
{
    RECT rcWork, rc;
    POINT pt;
    if (!hWnd || !fnGetWorkArea(&rcWork) || !GetWindowRect(hWnd, &rc) ||
        !fnPositionInArea(&rcWork, rc.right - rc.left, rc.bottom - rc.top, uPosition, &pt))
        return FALSE;
    BOOL bOk = SetWindowPos(hWnd, NULL, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (hWndAfter != NULL)
        fnSetZOrder(hWnd, hWndAfter);
    return bOk;
}

BOOL fnPlaceBelow(HWND hWndFirst, HWND hWndSecond)
{
    RECT rcWork, rcFirst, rc;
    if (!hWndSecond || !fnGetWorkArea(&rcWork) || !GetWindowRect(hWndSecond, &rc))
        return FALSE;
    if (!hWndFirst || !GetWindowRect(hWndFirst, &rcFirst))
        return fnPlaceWindow(hWndSecond, NULL, 5);
    int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    int x = rcFirst.left;
    int y = rcWork.top + (rcFirst.bottom - rcFirst.top);
    if (x + cx > rcWork.right)
        x = rcWork.right - cx;
    if (x < rcWork.left)
        x = rcWork.left;
    if (y + cy > rcWork.bottom)
        y = rcWork.bottom - cy;
    if (y < rcWork.top)
        y = rcWork.top;
    return SetWindowPos(hWndSecond, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

/* ---- main and loader windows ---- */

/* With the start-up message: the desktop colour and the message on one
   line; otherwise the window colour and lpszText centred. */
static void fnPaintMainText(HWND hWnd, const char *lpszText, UINT uFormat)
{
    PAINTSTRUCT ps;
    HDC hDC = BeginPaint(hWnd, &ps);
    RECT rc;
    GetClientRect(hWnd, &rc);
    if (g_bMessage) {
        FillRect(hDC, &rc, GetSysColorBrush(COLOR_DESKTOP));
        SetTextColor(hDC, GetSysColor(COLOR_CAPTIONTEXT));
        lpszText = g_szStartupMsg;
        uFormat = DT_SINGLELINE;
    } else {
        FillRect(hDC, &rc, GetSysColorBrush(COLOR_WINDOW));
        SetTextColor(hDC, GetSysColor(COLOR_WINDOWTEXT));
    }
    SetBkMode(hDC, TRANSPARENT);
    HGDIOBJ hOld = SelectObject(hDC, GetStockObject(DEFAULT_GUI_FONT));
    if (uFormat & DT_SINGLELINE) {
        DrawTextA(hDC, lpszText, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    } else {
        /* Centre a text of several lines down the window as well. */
        RECT rcText = rc;
        DrawTextA(hDC, lpszText, -1, &rcText, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
        int cy = rcText.bottom - rcText.top;
        rcText = rc;
        if (cy < rc.bottom - rc.top)
            rcText.top += (rc.bottom - rc.top - cy) / 2;
        DrawTextA(hDC, lpszText, -1, &rcText, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    }
    SelectObject(hDC, hOld);
    EndPaint(hWnd, &ps);
}

/* Main window placements by g_uShowVSWin: 1 TopLeft, 2 TopCenter, 3 TopRight. */
UINT fnMainWindowPosition(UINT uShowVSWin)
{
    return uShowVSWin == 2 ? 3 : uShowVSWin == 3 ? 2 : 1;
}

LRESULT CALLBACK MainWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_CREATE:
        if (!g_bMessage)
            fnPlaceWindow(hWnd, NULL, fnMainWindowPosition(g_uShowVSWin));
        return 0;
    case WM_QUERYENDSESSION:
        /* Our own restart request must pass; anyone else's is refused and
           turned into a restart question at the end of the install. */
        if (g_bExitingWindows)
            return TRUE;
        fnDebugTrace("MainWndProc", "%s", "Windows asked to end: refused, restart asked at exit");
        g_uOnExit = 4;
        return FALSE;
    case WM_ENDSESSION:
        if (wParam && !g_bExitingWindows)
            g_uOnExit = 4;
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        fnPaintMainText(hWnd, g_szVersionText, 0);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(g_nExitCode);
        return 0;
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

LRESULT CALLBACK LoaderWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_CREATE:
        if (!g_bMessage)
            fnPlaceWindow(hWnd, NULL, fnMainWindowPosition(g_uShowVSWin));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        char szText[KSTL8_SHORT];
        fnLoadString(IDS_ONEMOMENT, szText, sizeof(szText));
        fnPaintMainText(hWnd, szText, DT_SINGLELINE);
        return 0;
    }
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

/* ---- status windows ---- */

/* The status class: the shared text centred and word-wrapped on the
   dialog face colour in the GUI font. */
LRESULT CALLBACK StatusWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_ERASEBKGND)
        return 1;
    if (uMsg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC hDC = BeginPaint(hWnd, &ps);
        RECT rc;
        GetClientRect(hWnd, &rc);
        FillRect(hDC, &rc, GetSysColorBrush(COLOR_BTNFACE));
        SetBkMode(hDC, TRANSPARENT);
        SetTextColor(hDC, GetSysColor(COLOR_BTNTEXT));
        HGDIOBJ hOld = SelectObject(hDC, GetStockObject(DEFAULT_GUI_FONT));
        DrawTextA(hDC, g_szStatusText, -1, &rc, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(hDC, hOld);
        EndPaint(hWnd, &ps);
        return 0;
    }
    if (g_pfnStaticProc)
        return CallWindowProcA(g_pfnStaticProc, hWnd, uMsg, wParam, lParam);
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

int fnStatusHeight(UINT uSize)
{
    static const int s_anHeight[4] = { 75, 40, 75, 110 };
    return uSize < 4 ? s_anHeight[uSize] : 75;
}

HWND fnStatusWindow(HWND hWndOwner, UINT uId, UINT uSize, UINT uPosition, DWORD dwMillis, ...)
{
    if (g_bQuiet)
        return NULL;
    char szFormat[512];
    fnLoadString(uId, szFormat, sizeof(szFormat));
    va_list args;
    va_start(args, dwMillis);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    /* Only string-table texts are formats; script text comes as arguments. */
    fnStrFormatVN(g_szStatusText, sizeof(g_szStatusText), szFormat, args);
#pragma GCC diagnostic pop
    va_end(args);
    char szClass[KSTL8_SHORT];
    fnLoadString(IDS_SPLASHCLASS, szClass, sizeof(szClass));
    HWND hWnd = CreateWindowExA(WS_EX_TOOLWINDOW, szClass, "", WS_POPUP | WS_BORDER, 0, 0, 393,
                                fnStatusHeight(uSize), hWndOwner, NULL, g_hInstance, NULL);
    if (!hWnd) {
        fnDebugTrace("fnStatusWindow", "CreateWindowEx failed, error %lu",
                     (unsigned long)GetLastError());
        return NULL;
    }
    fnPlaceWindow(hWnd, HWND_TOPMOST, uPosition == 0 || uPosition > 9 ? 3 : uPosition);
    fnShowWindow(hWnd, TRUE);
    if (dwMillis) {
        HCURSOR hCursor = GetCursor();
        fnPumpMessages();
        Sleep(dwMillis);
        DestroyWindow(hWnd);
        SetCursor(hCursor);
        fnPumpMessages();
        return NULL;
    }
    return hWnd;
}

BOOL fnShowWindow(HWND hWnd, BOOL bUpdate)
{
    if (g_bQuiet || !hWnd)
        return FALSE;
    ShowWindow(hWnd, SW_SHOWNOACTIVATE);
    if (bUpdate) {
        InvalidateRect(hWnd, NULL, TRUE);
        UpdateWindow(hWnd);
    }
    return TRUE;
}

HWND fnCreateStatusWindow(HWND hWndParent, const char *lpszText)
{
    if (!lpszText || !*lpszText)
        return NULL;
    /* Sections and loading: the small size at the bottom left. */
    return fnStatusWindow(hWndParent, IDS_PLEASEWAIT, 1, 7, 0, lpszText);
}

void fnDestroyStatusWindow(HWND hWnd)
{
    if (hWnd && IsWindow(hWnd))
        DestroyWindow(hWnd);
}

void fnCenterWindow(HWND hWnd)
{
    fnPlaceWindow(hWnd, NULL, 5);
}
