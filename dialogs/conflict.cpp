/* The version-conflict dialog (7): why the new file conflicts with the
 * existing one, and both files' version data side by side in two list
 * boxes that select and scroll together. */
#include "dialogs.h"
#include "../install/engine.h"
#include "../install/install.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../resources/resource.h"
#include <string.h>

UINT fnConflictTextId(DWORD dwResult)
{
    static const struct {
        DWORD dwBit;
        UINT uId;
    } s_aRules[] = {
        { IR_MISMATCH, IDS_VERMISMATCH }, { IR_SRCOLD, IDS_VEROLDER },
        { IR_DIFFLANG, IDS_VERLANGUAGE }, { IR_DIFFCODEPG, IDS_VERCODEPAGE },
        { IR_DIFFTYPE, IDS_VERTYPE },
    };
    UINT uId = 0;
    /* A later rule replaces an earlier one. */
    for (size_t i = 0; i < sizeof(s_aRules) / sizeof(s_aRules[0]); i++)
        if (dwResult & s_aRules[i].dwBit)
            uId = s_aRules[i].uId;
    return uId;
}

/* The other list takes the same selected line and the same top line. */
static void fnTieLists(HWND hDlg, int nFrom)
{
    HWND hFrom = GetDlgItem(hDlg, nFrom);
    HWND hTo = GetDlgItem(hDlg, nFrom == IDC_VC_EXISTING ? IDC_VC_NEW : IDC_VC_EXISTING);
    LRESULT nSel = SendMessageA(hFrom, LB_GETCURSEL, 0, 0);
    LRESULT nTop = SendMessageA(hFrom, LB_GETTOPINDEX, 0, 0);
    SendMessageA(hTo, LB_SETCURSEL, nSel == LB_ERR ? (WPARAM)-1 : (WPARAM)nSel, 0);
    if (nTop != LB_ERR)
        SendMessageA(hTo, LB_SETTOPINDEX, (WPARAM)nTop, 0);
}

/* Each list box passes its scrolling on to the dialog as a selection
   change, so that the other list follows it. */
static LRESULT CALLBACK TiedListProc(HWND hList, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    WNDPROC pfnOld = (WNDPROC)GetWindowLongPtrA(hList, GWLP_USERDATA);
    if (!pfnOld)
        return DefWindowProcA(hList, uMsg, wParam, lParam);
    if (uMsg == WM_NCDESTROY) {
        SetWindowLongPtrA(hList, GWLP_WNDPROC, (LONG_PTR)pfnOld);
        SetWindowLongPtrA(hList, GWLP_USERDATA, 0);
        return CallWindowProcA(pfnOld, hList, uMsg, wParam, lParam);
    }
    LRESULT lr = CallWindowProcA(pfnOld, hList, uMsg, wParam, lParam);
    if (uMsg == WM_VSCROLL || uMsg == WM_MOUSEWHEEL || uMsg == WM_KEYDOWN)
        SendMessageA(GetParent(hList), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(hList), LBN_SELCHANGE), (LPARAM)hList);
    return lr;
}

static void fnTieList(HWND hList)
{
    LONG_PTR pfnOld = SetWindowLongPtrA(hList, GWLP_WNDPROC, (LONG_PTR)TiedListProc);
    SetWindowLongPtrA(hList, GWLP_USERDATA, pfnOld);
}

static BOOL fnConflictInit(HWND hDlg, const VersionConflictStruct *lpVC)
{
    fnDlgInit(hDlg, TRUE, TRUE);
    char szText[KSTL8_LINE] = "";
    UINT uId = fnConflictTextId(lpVC->dwResult);
    if (uId)
        fnLoadString(uId, szText, sizeof(szText));
    SetDlgItemTextA(hDlg, IDC_VC_TEXT, szText);
    SetDlgItemTextA(hDlg, IDC_VC_FILE, lpVC->szDstName);
    char szDir[KSTL8_PATH] = "";
    fnGetDirPart(lpVC->szExisting, szDir, sizeof(szDir));
    SetDlgItemTextA(hDlg, IDC_VC_DIR, szDir);
    fnFillVersionList(lpVC->szExisting, GetDlgItem(hDlg, IDC_VC_EXISTING));
    fnFillVersionList(lpVC->szTemp, GetDlgItem(hDlg, IDC_VC_NEW));
    fnTieList(GetDlgItem(hDlg, IDC_VC_EXISTING));
    fnTieList(GetDlgItem(hDlg, IDC_VC_NEW));
    /* Quiet: keep the existing file. */
    if (fnDlgQuietEnd(hDlg, IDC_VC_KEEP))
        return TRUE;
    SetFocus(GetDlgItem(hDlg, IDC_VC_KEEP));
    return FALSE;
}

INT_PTR CALLBACK VersionConflictDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_INITDIALOG:
        return fnConflictInit(hDlg, (const VersionConflictStruct *)lParam);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_VC_KEEP:
        case IDC_VC_INSTALL:
            EndDialog(hDlg, LOWORD(wParam));
            return TRUE;
        case IDC_VC_EXIT:
        case IDCANCEL:
            /* Leaving the installation is confirmed first. */
            if (fnConfirmExit())
                EndDialog(hDlg, IDC_VC_EXIT);
            return TRUE;
        case IDC_VC_EXISTING:
        case IDC_VC_NEW:
            if (HIWORD(wParam) == LBN_SELCHANGE)
                fnTieLists(hDlg, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        if (fnConfirmExit())
            EndDialog(hDlg, IDC_VC_EXIT);
        return TRUE;
    }
    return FALSE;
}

int fnShowVersionConflict(HWND hWnd, const VersionConflictStruct *lpConflict)
{
    if (g_bQuiet) {
        fnDebugTrace("fnShowVersionConflict", "Quiet: %s conflicts (%lX); the existing file is kept",
                     lpConflict->szDstName, (unsigned long)lpConflict->dwResult);
        return IDC_VC_KEEP;
    }
    INT_PTR nChoice = g_pfnEngineDialog(hWnd, IDD_VERCONFLICT, VersionConflictDlgProc,
                                        (LPARAM)lpConflict);
    /* Anything but Install or a confirmed Exit keeps the existing file. */
    return (nChoice == IDC_VC_INSTALL || nChoice == IDC_VC_EXIT) ? (int)nChoice : IDC_VC_KEEP;
}
