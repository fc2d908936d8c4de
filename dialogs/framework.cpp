/* What every dialog shares: placement and caption, quiet runs, the
 * confirmation of leaving the installation, and help. */
#include "dialogs.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../resources/resource.h"

HWND g_hHelpDlg;
PFNWINHELP g_pfnWinHelp = WinHelpA;

BOOL fnDlgInit(HWND hDlg, BOOL bSetCaption, BOOL bBeep)
{
    fnPlaceBelow(g_hWndMain, hDlg);
    if (bSetCaption)
        SetWindowTextA(hDlg, g_szTitle);
    if (g_bQuiet)
        ShowWindow(hDlg, SW_HIDE);
    else if (bBeep)
        MessageBeep(MB_OK);
    return TRUE;
}

BOOL fnDlgQuietEnd(HWND hDlg, INT_PTR nResult)
{
    if (!g_bQuiet)
        return FALSE;
    /* A quiet run never waits: the dialog ends before it is shown. */
    char szCaption[KSTL8_SHORT];
    GetWindowTextA(hDlg, szCaption, sizeof(szCaption));
    fnDebugTrace("fnDlgInit", "Quiet: \"%s\" ends with %d", szCaption, (int)nResult);
    EndDialog(hDlg, nResult);
    return TRUE;
}

INT_PTR fnDialogBox(HWND hWndOwner, UINT uTemplate, DLGPROC pfnProc, LPARAM lParam)
{
    INT_PTR nResult = DialogBoxParamA(g_hInstance, MAKEINTRESOURCEA(uTemplate), hWndOwner,
                                      pfnProc, lParam);
    if (nResult == -1 || nResult == 0)
        fnDebugTrace("fnDialogBox", "Dialog %u gave %d, error %lu", uTemplate, (int)nResult,
                     (unsigned long)GetLastError());
    return nResult;
}

BOOL fnConfirmExit(void)
{
    /* Quiet: Yes, the box's default (quiet runs never reach a Cancel). */
    return fnMessageBoxQ(IDYES, IDS_CONFIRMEXIT, NULL, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

/* ---- help ---- */

static void fnHelpInit(HWND hDlg, const HelpStruct *lpHelp)
{
    char szCaption[160];
    fnStrFormat(szCaption, "Help: %s", lpHelp->szTopic);
    SetWindowTextA(hDlg, szCaption);
    SetDlgItemTextA(hDlg, IDC_HELP_TEXT, lpHelp->szText);
    fnPlaceBelow(g_hWndMain, hDlg);
}

INT_PTR fnDlgWindowColours(HWND hDlg, int nId, WPARAM wParam, LPARAM lParam)
{
    if ((HWND)lParam != GetDlgItem(hDlg, nId))
        return FALSE;
    SetTextColor((HDC)wParam, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor((HDC)wParam, GetSysColor(COLOR_WINDOW));
    return (INT_PTR)GetSysColorBrush(COLOR_WINDOW);
}

INT_PTR CALLBACK HelpDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_INITDIALOG:
        fnHelpInit(hDlg, (const HelpStruct *)lParam);
        return TRUE;
    case WM_CTLCOLORSTATIC:
        /* The read-only text in the window colours, not the dialog face. */
        return fnDlgWindowColours(hDlg, IDC_HELP_TEXT, wParam, lParam);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_HELP_DONE || LOWORD(wParam) == IDCANCEL ||
            LOWORD(wParam) == IDOK) {
            g_hHelpDlg = NULL;
            DestroyWindow(hDlg);
        }
        return TRUE;
    case WM_CLOSE:
        g_hHelpDlg = NULL;
        DestroyWindow(hDlg);
        return TRUE;
    }
    return FALSE;
}

HWND fnCreateHelpWindow(HWND hWndOwner, const HelpStruct *lpHelp)
{
    if (g_hHelpDlg && IsWindow(g_hHelpDlg))
        DestroyWindow(g_hHelpDlg);
    g_hHelpDlg = CreateDialogParamA(g_hInstance, MAKEINTRESOURCEA(IDD_HELP), hWndOwner,
                                    HelpDlgProc, (LPARAM)lpHelp);
    if (g_hHelpDlg)
        ShowWindow(g_hHelpDlg, SW_SHOW);
    return g_hHelpDlg;
}

BOOL fnShowHelp(HWND hDlg, const HelpStruct *lpHelp)
{
    if (!lpHelp || lpHelp->uKind == HELP_NONE || g_bQuiet)
        return FALSE;
    if (lpHelp->uKind == HELP_PLATFORM) {
        fnDebugTrace("fnShowHelp", "Help file %s, key \"%s\"", lpHelp->szText, lpHelp->szKey);
        if (!lpHelp->szKey[0])
            return g_pfnWinHelp(hDlg, lpHelp->szText, HELP_CONTENTS, 0);
        return g_pfnWinHelp(hDlg, lpHelp->szText, HELP_KEY, (ULONG_PTR)lpHelp->szKey);
    }
    if (!fnCreateHelpWindow(hDlg, lpHelp))
        return FALSE;
    /* The help window's keys are served first; the owner stays usable. */
    MSG msg;
    while (g_hHelpDlg) {
        BOOL bGot = GetMessageA(&msg, NULL, 0, 0);
        if (bGot == 0 || bGot == -1) {
            /* Leave the quit message for the loop that owns it. */
            if (bGot == 0)
                PostQuitMessage((int)msg.wParam);
            break;
        }
        if (g_hHelpDlg && IsDialogMessageA(g_hHelpDlg, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return TRUE;
}

void fnCloseHelp(HWND hDlg, const HelpStruct *lpHelp)
{
    if (lpHelp && lpHelp->uKind == HELP_PLATFORM && !g_bQuiet)
        g_pfnWinHelp(hDlg, lpHelp->szText, HELP_QUIT, 0);
    if (g_hHelpDlg && IsWindow(g_hHelpDlg))
        SendMessageA(g_hHelpDlg, WM_CLOSE, 0, 0);
    g_hHelpDlg = NULL;
}
