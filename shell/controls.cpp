/* The program's own controls, the progress meter and the mismatch list,
 * and small helpers for dialog controls. */
#include "shell.h"
#include "../startup/startup.h"

/* Window extra slots of the progress meter. */
#define PM_SLOT_RANGE 0
#define PM_SLOT_POS   1
#define PM_SLOT_FONT  2

static LONG_PTR fnMeterGet(HWND hWnd, int nSlot)
{
    return GetWindowLongPtrA(hWnd, nSlot * (int)sizeof(LONG_PTR));
}

static void fnMeterSet(HWND hWnd, int nSlot, LONG_PTR lValue)
{
    SetWindowLongPtrA(hWnd, nSlot * (int)sizeof(LONG_PTR), lValue);
}

int fnMeterPercent(UINT uRange, UINT uPos, int *lpnBarWidth, int cxWidth)
{
    if (uRange == 0) {
        /* A range of 0 counts as 1 with position 0. */
        uRange = 1;
        uPos = 0;
    }
    /* A position past its range (wildcard lines count as one) stops at 100%. */
    if (uPos > uRange)
        uPos = uRange;
    if (lpnBarWidth)
        *lpnBarWidth = (int)((LONGLONG)uPos * cxWidth / uRange);
    return (int)((ULONGLONG)uPos * 100 / uRange);
}

static void fnMeterPaint(HWND hWnd)
{
    PAINTSTRUCT ps;
    HDC hDC = BeginPaint(hWnd, &ps);
    RECT rc;
    GetClientRect(hWnd, &rc);
    int cxBar = 0;
    int nPercent = fnMeterPercent((UINT)fnMeterGet(hWnd, PM_SLOT_RANGE),
                                  (UINT)fnMeterGet(hWnd, PM_SLOT_POS), &cxBar, rc.right);
    char szText[16];
    fnStrFormat(szText, "%d%%", nPercent);
    HFONT hFont = (HFONT)fnMeterGet(hWnd, PM_SLOT_FONT);
    HGDIOBJ hOld = SelectObject(hDC, hFont ? (HGDIOBJ)hFont : GetStockObject(DEFAULT_GUI_FONT));
    SIZE sz;
    GetTextExtentPoint32A(hDC, szText, lstrlenA(szText), &sz);
    int x = (rc.right - sz.cx) / 2, y = (rc.bottom - sz.cy) / 2;
    COLORREF crText = GetSysColor(COLOR_WINDOWTEXT), crBack = GetSysColor(COLOR_WINDOW);
    /* The bar in inverted colours, so the text changes colour where it ends. */
    RECT rcBar = { 0, 0, cxBar, rc.bottom };
    SetTextColor(hDC, crBack);
    SetBkColor(hDC, crText);
    ExtTextOutA(hDC, x, y, ETO_OPAQUE | ETO_CLIPPED, &rcBar, szText, (UINT)lstrlenA(szText), NULL);
    RECT rcRest = { cxBar, 0, rc.right, rc.bottom };
    SetTextColor(hDC, crText);
    SetBkColor(hDC, crBack);
    ExtTextOutA(hDC, x, y, ETO_OPAQUE | ETO_CLIPPED, &rcRest, szText, (UINT)lstrlenA(szText), NULL);
    SelectObject(hDC, hOld);
    EndPaint(hWnd, &ps);
}

static void fnMeterRepaint(HWND hWnd)
{
    InvalidateRect(hWnd, NULL, FALSE);
    UpdateWindow(hWnd);
}

LRESULT CALLBACK ProgressMeterProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_CREATE:
        fnMeterSet(hWnd, PM_SLOT_RANGE, 10000);
        fnMeterSet(hWnd, PM_SLOT_POS, 5000);
        fnMeterSet(hWnd, PM_SLOT_FONT, 0);
        return 0;
    case PM_SETRANGE:
        fnMeterSet(hWnd, PM_SLOT_RANGE, (LONG_PTR)(WORD)wParam);
        fnMeterRepaint(hWnd);
        return 0;
    case PM_GETRANGE:
        return fnMeterGet(hWnd, PM_SLOT_RANGE);
    case PM_SETPOS:
        fnMeterSet(hWnd, PM_SLOT_POS, (LONG_PTR)(WORD)wParam);
        fnMeterRepaint(hWnd);
        return 0;
    case PM_GETPOS:
        return fnMeterGet(hWnd, PM_SLOT_POS);
    case WM_SETFONT:
        fnMeterSet(hWnd, PM_SLOT_FONT, (LONG_PTR)wParam);
        if (LOWORD(lParam))
            fnMeterRepaint(hWnd);
        return 0;
    case WM_GETFONT:
        return fnMeterGet(hWnd, PM_SLOT_FONT);
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        fnMeterPaint(hWnd);
        return 0;
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

extern WNDPROC g_pfnListBoxProc;

/* Every scroll of the list is told to its dialog (code 1 with the id),
   so that a dialog can keep two lists in step. */
LRESULT CALLBACK MisMatchLBProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_HSCROLL || uMsg == WM_VSCROLL) {
        int nId = GetDlgCtrlID(hWnd);
        SendMessageA(GetParent(hWnd), WM_COMMAND, MAKEWPARAM(nId, 1), (LPARAM)hWnd);
    }
    if (!g_pfnListBoxProc)
        return DefWindowProcA(hWnd, uMsg, wParam, lParam);
    return CallWindowProcA(g_pfnListBoxProc, hWnd, uMsg, wParam, lParam);
}

/* ---- dialog utilities ---- */

BOOL fnGetDlgCtrlRect(HWND hDlg, int nId, RECT *lprc)
{
    HWND hCtrl = GetDlgItem(hDlg, nId);
    if (!hCtrl || !GetWindowRect(hCtrl, lprc))
        return FALSE;
    /* Screen to the dialog's client coordinates. */
    MapWindowPoints(NULL, hDlg, (POINT *)lprc, 2);
    return TRUE;
}

BOOL fnSwapDlgButton(HWND hDlg, int nOldId, int nNewId)
{
    RECT rc;
    HWND hNew = GetDlgItem(hDlg, nNewId);
    if (!hNew || !fnGetDlgCtrlRect(hDlg, nOldId, &rc))
        return FALSE;
    ShowWindow(GetDlgItem(hDlg, nOldId), SW_HIDE);
    SetWindowPos(hNew, NULL, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hNew, SW_SHOW);
    return TRUE;
}

BOOL fnShortenDialog(HWND hDlg, int nLastId)
{
    RECT rcCtrl, rcWnd, rcClient;
    if (!fnGetDlgCtrlRect(hDlg, nLastId, &rcCtrl) || !GetWindowRect(hDlg, &rcWnd) ||
        !GetClientRect(hDlg, &rcClient))
        return FALSE;
    RECT rcMargin = { 0, 0, 7, 7 };
    MapDialogRect(hDlg, &rcMargin);
    int cyFrame = (rcWnd.bottom - rcWnd.top) - rcClient.bottom;
    int cy = rcCtrl.bottom + rcMargin.bottom + cyFrame;
    return SetWindowPos(hDlg, NULL, 0, 0, rcWnd.right - rcWnd.left, cy,
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int fnGetCheckedRadio(HWND hDlg, int nFirstId, int nLastId)
{
    for (int nId = nFirstId; nId <= nLastId; nId++)
        if (IsDlgButtonChecked(hDlg, nId) == BST_CHECKED)
            return nId;
    return -1;
}
