/* The sign-on and information text screens and the install-options
 * dialog with one to four options. */
#include "dialogs.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../resources/resource.h"

/* ---- text screens (templates 20 and 21) ---- */

static BOOL fnTextPromptInit(HWND hDlg, const TextPromptStruct *lpText)
{
    fnDlgInit(hDlg, FALSE, FALSE);
    SetWindowTextA(hDlg, lpText->szCaption[0] ? lpText->szCaption : g_szTitle);
    SetDlgItemTextA(hDlg, IDC_TEXT_PROMPT, lpText->szPrompt);
    SetDlgItemTextA(hDlg, IDC_TEXT_BODY, lpText->szText);
    if (fnDlgQuietEnd(hDlg, IDOK))
        return TRUE;
    SetFocus(GetDlgItem(hDlg, IDOK));
    return FALSE;
}

INT_PTR CALLBACK TextPromptDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_INITDIALOG:
        return fnTextPromptInit(hDlg, (const TextPromptStruct *)lParam);
    case WM_CTLCOLORSTATIC:
        /* The read-only text in the window colours. */
        return fnDlgWindowColours(hDlg, IDC_TEXT_BODY, wParam, lParam);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(hDlg, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        EndDialog(hDlg, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

int fnShowTextPrompt(HWND hWndOwner, const TextPromptStruct *lpText)
{
    UINT uTemplate = lpText->uLines >= 5 ? IDD_TEXTTALL : IDD_TEXTSHORT;
    fnDebugTrace("fnShowTextPrompt", "uLines=%u, template %u", lpText->uLines, uTemplate);
    return (int)fnDialogBox(hWndOwner, uTemplate, TextPromptDlgProc, (LPARAM)lpText);
}

/* ---- install options (templates 16-19) ---- */

UINT fnCountInstallOptions(const InstallOptionsStruct *lpOpt)
{
    BOOL b2 = lpOpt->aszOptMsg[1][0] != '\0';
    BOOL b3 = lpOpt->aszOptMsg[2][0] != '\0';
    BOOL b4 = lpOpt->aszOptMsg[3][0] != '\0';
    if (b2 && b3 && b4)
        return 4;
    if (b2 && b3)
        return 3;
    if (b2 && !b3 && !b4)
        return 2;
    return 1;
}

static const int s_anOptText[4] = { IDC_OPT1_TEXT, IDC_OPT2_TEXT, IDC_OPT3_TEXT, IDC_OPT4_TEXT };

static BOOL fnInstallOptionsInit(HWND hDlg, InstallOptionsStruct *lpOpt)
{
    SetWindowLongPtrA(hDlg, DWLP_USER, (LONG_PTR)lpOpt);
    fnDlgInit(hDlg, FALSE, FALSE);
    SetWindowTextA(hDlg, lpOpt->szCaption[0] ? lpOpt->szCaption : g_szTitle);
    SetDlgItemTextA(hDlg, IDC_OPT_INTRO, lpOpt->szIntro);
    UINT uCount = fnCountInstallOptions(lpOpt);
    for (UINT i = 0; i < uCount; i++) {
        /* Option 1 always; texts 2-4 and their labels only when not empty. */
        if (i == 0 || lpOpt->aszOptMsg[i][0])
            SetDlgItemTextA(hDlg, s_anOptText[i], lpOpt->aszOptMsg[i]);
        if (i == 0 || lpOpt->aszOptBtn[i][0])
            SetDlgItemTextA(hDlg, IDC_OPT1 + (int)i, lpOpt->aszOptBtn[i]);
    }
    SetDlgItemTextA(hDlg, IDC_OPT_EXIT_TEXT, lpOpt->szExitMsg);
    SetDlgItemTextA(hDlg, IDC_OPT_EXIT, lpOpt->szExitBtn);
    SetDlgItemTextA(hDlg, IDC_OPT_HELP_TEXT, lpOpt->szHelpMsg);
    SetDlgItemTextA(hDlg, IDC_OPT_HELP, lpOpt->szHelpBtn);
    if (lpOpt->help.uKind == HELP_NONE) {
        /* Without help the dialog ends above the Help button. */
        ShowWindow(GetDlgItem(hDlg, IDC_OPT_HELP), SW_HIDE);
        ShowWindow(GetDlgItem(hDlg, IDC_OPT_HELP_TEXT), SW_HIDE);
        fnShortenDialog(hDlg, IDC_OPT_EXIT);
    }
    fnStrCopy(lpOpt->help.szTopic, lpOpt->szCaption[0] ? lpOpt->szCaption : g_szTitle);
    if (fnDlgQuietEnd(hDlg, IDC_OPT1))
        return TRUE;
    SetFocus(GetDlgItem(hDlg, IDC_OPT1));
    return FALSE;
}

static void fnInstallOptionsEnd(HWND hDlg, int nResult)
{
    InstallOptionsStruct *lpOpt = (InstallOptionsStruct *)GetWindowLongPtrA(hDlg, DWLP_USER);
    if (lpOpt)
        fnCloseHelp(hDlg, &lpOpt->help);
    EndDialog(hDlg, nResult);
}

INT_PTR CALLBACK InstallOptionsDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_INITDIALOG:
        return fnInstallOptionsInit(hDlg, (InstallOptionsStruct *)lParam);
    case WM_COMMAND: {
        int nId = LOWORD(wParam);
        if (nId >= IDC_OPT1 && nId <= IDC_OPT4) {
            fnInstallOptionsEnd(hDlg, nId);
        } else if (nId == IDC_OPT_EXIT || nId == IDCANCEL) {
            /* Exit leaves without confirmation, as does closing. */
            fnInstallOptionsEnd(hDlg, IDC_OPT_EXIT);
        } else if (nId == IDC_OPT_HELP) {
            InstallOptionsStruct *lpOpt = (InstallOptionsStruct *)GetWindowLongPtrA(hDlg, DWLP_USER);
            if (lpOpt)
                fnShowHelp(hDlg, &lpOpt->help);
        } else if (nId == IDOK) {
            /* Enter presses the default button, option 1. */
            fnInstallOptionsEnd(hDlg, IDC_OPT1);
        } else {
            return FALSE;
        }
        return TRUE;
    }
    case WM_CLOSE:
        fnInstallOptionsEnd(hDlg, IDC_OPT_EXIT);
        return TRUE;
    }
    return FALSE;
}

int fnShowInstallOptions(HWND hWndOwner, InstallOptionsStruct *lpOpt)
{
    UINT uCount = fnCountInstallOptions(lpOpt);
    fnDebugTrace("fnShowInstallOptions", "%u option(s), help kind %u", uCount, lpOpt->help.uKind);
    return (int)fnDialogBox(hWndOwner, IDD_OPTIONS1 + uCount - 1, InstallOptionsDlgProc,
                            (LPARAM)lpOpt);
}
