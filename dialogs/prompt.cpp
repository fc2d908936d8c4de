/* The script prompt (template 1): a message and the buttons its style
 * code chooses.  Every button ends the dialog with its own id. */
#include "dialogs.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../resources/resource.h"

/* Buttons moved into OK's or Cancel's place hide the button they replace.
   A quiet run never takes Retry: it takes the answer that gives up. */
static const PromptStyleStruct s_aStyles[] = {
    /* style  into OK       into Cancel   hidden                         shown     focus         quiet */
    { 101, 0,            0,            { 0, 0, 0 },                       0,        IDOK,         IDOK },
    { 102, IDYES,        IDNO,         { 0, 0, 0 },                       0,        IDYES,        IDYES },
    { 103, 0,            0,            { IDCANCEL, 0, 0 },                IDC_EXIT, IDOK,         IDOK },
    { 104, 0,            0,            { IDCANCEL, 0, 0 },                0,        IDOK,         IDOK },
    { 105, IDC_CONTINUE, 0,            { IDCANCEL, IDC_EXIT, 0 },         0,        IDC_CONTINUE, IDC_CONTINUE },
    { 106, IDC_EXIT,     0,            { IDCANCEL, IDC_CONTINUE, 0 },     0,        IDC_EXIT,     IDC_EXIT },
    { 107, IDC_EXIT,     IDC_CONTINUE, { 0, 0, 0 },                       0,        IDC_EXIT,     IDC_EXIT },
    { 108, IDRETRY,      IDC_CONTINUE, { 0, 0, 0 },                       0,        IDRETRY,      IDC_CONTINUE },
    { 109, IDRETRY,      0,            { 0, 0, 0 },                       0,        IDRETRY,      IDCANCEL },
    { 110, IDRETRY,      IDC_EXIT,     { 0, 0, 0 },                       0,        IDRETRY,      IDC_EXIT },
    { 111, IDCANCEL,     0,            { 0, 0, 0 },                       0,        0,            IDCANCEL },
};

static const struct {
    const char *lpszKeyword;
    UINT uStyle;
} s_aKeywords[] = {
    { "OKCANCEL", 101 }, { "YESNO", 102 }, { "OKEXIT", 103 }, { "OK", 104 },
    { "RETRYCONTINUE", 108 }, { "RETRYEXIT", 110 }, { "CANCEL", 111 },
};

const PromptStyleStruct *fnFindPromptStyle(UINT uStyle)
{
    for (size_t i = 0; i < sizeof(s_aStyles) / sizeof(s_aStyles[0]); i++)
        if (s_aStyles[i].uStyle == uStyle)
            return &s_aStyles[i];
    return NULL;
}

UINT fnPromptStyleOfKeyword(const char *lpszKeyword)
{
    for (size_t i = 0; i < sizeof(s_aKeywords) / sizeof(s_aKeywords[0]); i++)
        if (fnStrCmpI(lpszKeyword, s_aKeywords[i].lpszKeyword) == 0)
            return s_aKeywords[i].uStyle;
    return 0;
}

static BOOL fnPromptInit(HWND hDlg, const PromptStruct *lpPrompt)
{
    fnDlgInit(hDlg, TRUE, FALSE);
    SetDlgItemTextA(hDlg, IDC_PROMPT_TEXT, lpPrompt->szMessage);
    const PromptStyleStruct *lpStyle = fnFindPromptStyle(lpPrompt->uStyle);
    if (!lpStyle)
        lpStyle = fnFindPromptStyle(101);
    /* Cancel's place first: moving into OK's place may hide Cancel itself. */
    if (lpStyle->nIntoCancel)
        fnSwapDlgButton(hDlg, IDCANCEL, lpStyle->nIntoCancel);
    if (lpStyle->nIntoOk)
        fnSwapDlgButton(hDlg, IDOK, lpStyle->nIntoOk);
    for (int i = 0; i < 3 && lpStyle->anHide[i]; i++)
        ShowWindow(GetDlgItem(hDlg, lpStyle->anHide[i]), SW_HIDE);
    if (lpStyle->nShow)
        ShowWindow(GetDlgItem(hDlg, lpStyle->nShow), SW_SHOW);
    /* OK is the template's default button: only a style that keeps OK
       leaves Enter on it. */
    if (lpStyle->nIntoOk) {
        SendDlgItemMessageA(hDlg, IDOK, BM_SETSTYLE, BS_PUSHBUTTON, FALSE);
        SendMessageA(hDlg, DM_SETDEFID, lpStyle->nFocus ? lpStyle->nFocus : lpStyle->nIntoOk, 0);
    }
    if (fnDlgQuietEnd(hDlg, lpStyle->nQuiet))
        return TRUE;
    if (lpStyle->nFocus) {
        SetFocus(GetDlgItem(hDlg, lpStyle->nFocus));
        return FALSE;
    }
    /* No focus button: the message keeps the focus. */
    SetFocus(GetDlgItem(hDlg, IDC_PROMPT_TEXT));
    return FALSE;
}

INT_PTR CALLBACK MsgBoxDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_INITDIALOG:
        return fnPromptInit(hDlg, (const PromptStruct *)lParam);
    case WM_CTLCOLORSTATIC:
        return fnDlgWindowColours(hDlg, IDC_PROMPT_TEXT, wParam, lParam);
    case WM_COMMAND: {
        int nId = LOWORD(wParam);
        switch (nId) {
        case IDOK: case IDCANCEL: case IDRETRY: case IDYES: case IDNO:
        case IDC_EXIT: case IDC_CONTINUE:
            /* Enter on a hidden OK, or Esc with Cancel hidden, must not
               answer with a button the user cannot see. */
            if (nId == IDOK && !IsWindowVisible(GetDlgItem(hDlg, IDOK)))
                return TRUE;
            EndDialog(hDlg, nId);
            return TRUE;
        }
        return FALSE;
    }
    case WM_CLOSE:
        EndDialog(hDlg, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

int fnShowPrompt(HWND hWndOwner, const PromptStruct *lpPrompt)
{
    fnDebugTrace("fnShowPrompt", "uStyle=%u,\nszMessage=%s", lpPrompt->uStyle,
                 lpPrompt->szMessage);
    int nResult = (int)fnDialogBox(hWndOwner, IDD_PROMPT, MsgBoxDlgProc, (LPARAM)lpPrompt);
    fnDebugTrace("fnShowPrompt", "Result %d", nResult);
    return nResult;
}
