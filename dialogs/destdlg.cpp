/* The destination (or source) directory dialog, templates 3 and 14. */
#include "dialogs.h"
#include "../script/macro.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../resources/resource.h"
#include <ctype.h>
#include <string.h>

BOOL fnNormalizeDestText(char *lpszPath, size_t cchPath)
{
    if (isalpha((unsigned char)lpszPath[0]) && lpszPath[1] == ':' && lpszPath[2] == '\0')
        return fnStrAppendN(lpszPath, cchPath, "\\");
    return TRUE;
}

/* Fill a help record from the dialog's description; FALSE without help. */
static BOOL fnFillDestHelp(const ReadSectStruct *lpRead, HelpStruct *lpHelp)
{
    if (!lpRead->lpszHelp || !lpRead->lpszHelp[0])
        return FALSE;
    memset(lpHelp, 0, sizeof(*lpHelp));
    lpHelp->uKind = lpRead->uHelpKind == 3 ? HELP_PLATFORM : HELP_WINDOW;
    fnStrCopy(lpHelp->szTopic, lpRead->szCaption);
    fnStrCopy(lpHelp->szKey, lpRead->szHelpKey);
    /* Help text beyond the window's block is not kept. */
    fnStrCopy(lpHelp->szText, lpRead->lpszHelp);
    return TRUE;
}

/* Show the help (bClose FALSE) or close what was shown (TRUE). */
static void fnDestHelp(HWND hDlg, const ReadSectStruct *lpRead, BOOL bClose)
{
    HelpStruct *lpHelp = (HelpStruct *)HeapAlloc(GetProcessHeap(), 0, sizeof(HelpStruct));
    if (!lpHelp)
        return;
    if (fnFillDestHelp(lpRead, lpHelp)) {
        if (bClose)
            fnCloseHelp(hDlg, lpHelp);
        else
            fnShowHelp(hDlg, lpHelp);
    }
    HeapFree(GetProcessHeap(), 0, lpHelp);
}

/* Store the chosen path where the openers read it. */
static void fnStoreDestPath(ReadSectStruct *lpRead, const char *lpszPath)
{
    int nEntry = lpRead->nNum < 0 ? 0 : lpRead->nNum;
    if (nEntry < 9)
        fnStrCopy(g_szDirList[nEntry], lpszPath);
    if (lpRead->nNum == 0)
        fnStrCopy(g_szDestDir, lpszPath);
    fnStrCopy(lpRead->szPath, lpszPath);
    fnDebugTrace("GetDestDirDlgProc", "g_szDestDir=%s,\nlpReadSectStruct->szPath=%s", g_szDestDir,
                 lpRead->szPath);
}

static void fnDestDirOk(HWND hDlg, ReadSectStruct *lpRead)
{
    char szPath[KSTL8_PATH];
    GetDlgItemTextA(hDlg, IDC_DEST_PATH, szPath, sizeof(szPath));
    if (!szPath[0] || !fnNormalizeDestText(szPath, sizeof(szPath)))
        return;     /* a path that would not fit stays in the edit */
    fnStoreDestPath(lpRead, szPath);
    fnDestHelp(hDlg, lpRead, TRUE);
    EndDialog(hDlg, IDOK);
}

static void fnDestDirEnableOk(HWND hDlg)
{
    EnableWindow(GetDlgItem(hDlg, IDOK),
                 GetWindowTextLengthA(GetDlgItem(hDlg, IDC_DEST_PATH)) > 0);
}

static BOOL fnDestDirInit(HWND hDlg, ReadSectStruct *lpRead)
{
    SetWindowLongPtrA(hDlg, DWLP_USER, (LONG_PTR)lpRead);
    fnDlgInit(hDlg, FALSE, FALSE);
    SetWindowTextA(hDlg, lpRead->szCaption);
    SendDlgItemMessageA(hDlg, IDC_DEST_PATH, EM_LIMITTEXT, KSTL8_PATH - 1, 0);
    SetDlgItemTextA(hDlg, IDC_DEST_PATH, lpRead->szPath);
    SetDlgItemTextA(hDlg, IDC_DEST_MSG1, lpRead->szMsg[0]);
    SetDlgItemTextA(hDlg, IDC_DEST_MSG2, lpRead->szMsg[1]);
    BOOL bHelp = lpRead->lpszHelp && lpRead->lpszHelp[0];
    ShowWindow(GetDlgItem(hDlg, IDC_DEST_HELP), bHelp ? SW_SHOW : SW_HIDE);
    fnDestDirEnableOk(hDlg);
    /* Quiet: OK with the preset path (an empty one is kept as it is). */
    if (g_bQuiet) {
        if (lpRead->szPath[0])
            fnStoreDestPath(lpRead, lpRead->szPath);
        fnDlgQuietEnd(hDlg, IDOK);
    }
    return TRUE;
}

static void fnDestDirBrowse(HWND hDlg)
{
    char szPath[KSTL8_PATH];
    GetDlgItemTextA(hDlg, IDC_DEST_PATH, szPath, sizeof(szPath));
    if (fnBrowseForFolder(hDlg, szPath, "Select destination directory(folder).\nCurrent selection:"))
        SetDlgItemTextA(hDlg, IDC_DEST_PATH, szPath);
}

INT_PTR CALLBACK GetDestDirDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    ReadSectStruct *lpRead = (ReadSectStruct *)GetWindowLongPtrA(hDlg, DWLP_USER);
    switch (uMsg) {
    case WM_INITDIALOG:
        return fnDestDirInit(hDlg, (ReadSectStruct *)lParam);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            fnDestDirOk(hDlg, lpRead);
            return TRUE;
        case IDCANCEL:
            fnDestHelp(hDlg, lpRead, TRUE);
            EndDialog(hDlg, IDCANCEL);
            return TRUE;
        case IDC_BROWSE:
            fnDestDirBrowse(hDlg);
            return TRUE;
        case IDC_DEST_HELP:
            fnDestHelp(hDlg, lpRead, FALSE);
            return TRUE;
        case IDC_DEST_PATH:
            if (HIWORD(wParam) == EN_CHANGE)
                fnDestDirEnableOk(hDlg);
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        fnDestHelp(hDlg, lpRead, TRUE);
        EndDialog(hDlg, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

int fnShowDestDirDlg(HWND hWndOwner, UINT uTemplate, ReadSectStruct *lpRead)
{
    return (int)fnDialogBox(hWndOwner, uTemplate, GetDestDirDlgProc, (LPARAM)lpRead);
}
