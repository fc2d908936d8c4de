/* Dialogs about files and folders: progress, the source disk, the radio
 * decisions about one file, the shortcut folder and floating information. */
#include "dialogs.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../resources/resource.h"
#include <string.h>

/* ---- progress (template 4, modeless) ---- */

BOOL fnResetProgressDlg(HWND hDlg)
{
    if (!hDlg)
        return FALSE;
    EnableWindow(GetDlgItem(hDlg, IDCANCEL), TRUE);
    for (int nId = IDC_PROGRESS_TEXT1; nId <= IDC_PROGRESS_TEXT4; nId++)
        SetDlgItemTextA(hDlg, nId, "");
    SendDlgItemMessageA(hDlg, IDC_PROGRESS_METER, PM_SETRANGE, 10000, 0);
    SendDlgItemMessageA(hDlg, IDC_PROGRESS_METER, PM_SETPOS, 0, 0);
    return TRUE;
}

BOOL fnProgressCancelled(HWND hDlg)
{
    fnPumpMessages();
    return hDlg && IsWindow(hDlg) && !IsWindowEnabled(GetDlgItem(hDlg, IDCANCEL));
}

/* OK, Cancel and closing all ask before the work stops; the owner
   destroys the dialog after the section, since the work loops still use it. */
static void fnProgressCancel(HWND hDlg)
{
    HWND hCancel = GetDlgItem(hDlg, IDCANCEL);
    if (!IsWindowEnabled(hCancel))
        return;
    if (fnConfirmExit()) {
        EnableWindow(hCancel, FALSE);
        fnDebugTrace("ProgressDlgProc", "%s", "Cancel confirmed: the work stops");
    }
}

INT_PTR CALLBACK ProgressDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    switch (uMsg) {
    case WM_INITDIALOG:
        fnDlgInit(hDlg, TRUE, FALSE);
        fnResetProgressDlg(hDlg);
        return TRUE;
    case WM_SHOWWINDOW:
        if (wParam)
            fnResetProgressDlg(hDlg);
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            fnProgressCancel(hDlg);
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        fnProgressCancel(hDlg);
        return TRUE;
    }
    return FALSE;
}

HWND fnCreateProgressDlg(HWND hWndOwner)
{
    /* A quiet run opens no progress window. */
    if (g_bQuiet)
        return NULL;
    HWND hDlg = CreateDialogParamA(g_hInstance, MAKEINTRESOURCEA(IDD_PROGRESS), hWndOwner,
                                   ProgressDlgProc, 0);
    if (hDlg)
        ShowWindow(hDlg, SW_SHOW);
    return hDlg;
}

/* ---- radio decisions (templates 6, 9, 10, 27) ---- */

struct RadioDlgStruct {
    UINT uTemplate;
    int nFirst, nLast, nExit;       /* the radio range and its Exit choice */
    int nFileId, nDirId, nOtherId;  /* text controls, 0: none */
    BOOL bBeep;
};

static const RadioDlgStruct s_aRadioDlgs[] = {
    { IDD_INUSE, IDC_INUSE_LATER, IDC_INUSE_EXIT, IDC_INUSE_EXIT, IDC_INUSE_FILE, 0, 0, TRUE },
    { IDD_ELSEWHERE, IDC_ELSE_FIRST, IDC_ELSE_EXIT, IDC_ELSE_EXIT, IDC_ELSE_FILE, IDC_ELSE_DIR,
      IDC_ELSE_OTHER, TRUE },
    { IDD_EXISTS, IDC_EXISTS_FIRST, IDC_EXISTS_EXIT, IDC_EXISTS_EXIT, IDC_EXISTS_FILE,
      IDC_EXISTS_DIR, 0, TRUE },
    { IDD_FILECONFLICT, IDC_FC_FIRST, IDC_FC_EXIT, IDC_FC_EXIT, IDC_FC_FILE, 0, 0, TRUE },
};

static const RadioDlgStruct *fnFindRadioDlg(UINT uTemplate)
{
    for (size_t i = 0; i < sizeof(s_aRadioDlgs) / sizeof(s_aRadioDlgs[0]); i++)
        if (s_aRadioDlgs[i].uTemplate == uTemplate)
            return &s_aRadioDlgs[i];
    return NULL;
}

static BOOL fnRadioInit(HWND hDlg, const RadioDlgStruct *lpDef, const FileChoiceStruct *lpChoice)
{
    SetWindowLongPtrA(hDlg, DWLP_USER, (LONG_PTR)lpDef);
    fnDlgInit(hDlg, TRUE, lpDef->bBeep);
    if (lpDef->nFileId)
        SetDlgItemTextA(hDlg, lpDef->nFileId, lpChoice->szFile);
    if (lpDef->nDirId)
        SetDlgItemTextA(hDlg, lpDef->nDirId, lpChoice->szDir);
    if (lpDef->nOtherId)
        SetDlgItemTextA(hDlg, lpDef->nOtherId, lpChoice->szOtherDir);
    CheckRadioButton(hDlg, lpDef->nFirst, lpDef->nLast, lpDef->nFirst);
    /* Quiet: the preselected choice. */
    if (fnDlgQuietEnd(hDlg, lpDef->nFirst))
        return TRUE;
    SetFocus(GetDlgItem(hDlg, IDOK));
    return FALSE;
}

static INT_PTR fnRadioDlgProc(const RadioDlgStruct *lpDef, HWND hDlg, UINT uMsg, WPARAM wParam,
                              LPARAM lParam)
{
    switch (uMsg) {
    case WM_INITDIALOG:
        return fnRadioInit(hDlg, lpDef, (const FileChoiceStruct *)lParam);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            int nId = fnGetCheckedRadio(hDlg, lpDef->nFirst, lpDef->nLast);
            if (nId == -1)
                return TRUE;
            /* The Exit choice leaves the installation: confirmed first. */
            if (nId == lpDef->nExit && !fnConfirmExit())
                return TRUE;
            EndDialog(hDlg, nId);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(hDlg, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        EndDialog(hDlg, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK InUseDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    return fnRadioDlgProc(fnFindRadioDlg(IDD_INUSE), hDlg, uMsg, wParam, lParam);
}

INT_PTR CALLBACK ExistsElsewhereDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    return fnRadioDlgProc(fnFindRadioDlg(IDD_ELSEWHERE), hDlg, uMsg, wParam, lParam);
}

INT_PTR CALLBACK AlreadyExistsDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    return fnRadioDlgProc(fnFindRadioDlg(IDD_EXISTS), hDlg, uMsg, wParam, lParam);
}

INT_PTR CALLBACK FileConflictDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    return fnRadioDlgProc(fnFindRadioDlg(IDD_FILECONFLICT), hDlg, uMsg, wParam, lParam);
}

int fnShowFileChoice(HWND hWndOwner, UINT uTemplate, const FileChoiceStruct *lpChoice)
{
    static const struct {
        UINT uTemplate;
        DLGPROC pfnProc;
    } s_aProcs[] = {
        { IDD_INUSE, InUseDlgProc },
        { IDD_ELSEWHERE, ExistsElsewhereDlgProc },
        { IDD_EXISTS, AlreadyExistsDlgProc },
        { IDD_FILECONFLICT, FileConflictDlgProc },
    };
    for (size_t i = 0; i < sizeof(s_aProcs) / sizeof(s_aProcs[0]); i++)
        if (s_aProcs[i].uTemplate == uTemplate)
            return (int)fnDialogBox(hWndOwner, uTemplate, s_aProcs[i].pfnProc, (LPARAM)lpChoice);
    return -1;
}

/* ---- source disk (template 5) ---- */

char g_szDiskLocation[260];
char g_szDiskFile[260];

static void fnSourceDiskEnableOk(HWND hDlg)
{
    EnableWindow(GetDlgItem(hDlg, IDOK),
                 GetWindowTextLengthA(GetDlgItem(hDlg, IDC_DISK_LOCATION)) > 0);
}

static BOOL fnSourceDiskInit(HWND hDlg, const SourceDiskStruct *lpDisk)
{
    fnDlgInit(hDlg, TRUE, TRUE);
    SetDlgItemTextA(hDlg, IDC_DISK_LABEL, lpDisk ? lpDisk->szLabel : "");
    SetDlgItemTextA(hDlg, IDC_DISK_FILE, g_szDiskFile);
    SendDlgItemMessageA(hDlg, IDC_DISK_LOCATION, EM_LIMITTEXT, 260, 0);
    SetDlgItemTextA(hDlg, IDC_DISK_LOCATION, g_szDiskLocation);
    fnSourceDiskEnableOk(hDlg);
    /* Quiet: the disk can't be inserted by anyone; the file is skipped. */
    fnDlgQuietEnd(hDlg, IDC_SKIPFILE);
    return TRUE;
}

static void fnSourceDiskBrowse(HWND hDlg)
{
    char szDir[KSTL8_PATH], szFile[KSTL8_PATH];
    GetDlgItemTextA(hDlg, IDC_DISK_LOCATION, szDir, sizeof(szDir));
    fnStrCopy(szFile, g_szDiskFile);
    if (fnBrowseForFile(hDlg, szDir, szFile)) {
        SetDlgItemTextA(hDlg, IDC_DISK_LOCATION, szDir);
        fnStrCopy(g_szDiskFile, szFile);
        SetDlgItemTextA(hDlg, IDC_DISK_FILE, szFile);
    }
}

INT_PTR CALLBACK SourceDiskDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_INITDIALOG:
        return fnSourceDiskInit(hDlg, (const SourceDiskStruct *)lParam);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            GetDlgItemTextA(hDlg, IDC_DISK_LOCATION, g_szDiskLocation, sizeof(g_szDiskLocation));
            EndDialog(hDlg, IDOK);
            return TRUE;
        case IDCANCEL:
            if (fnConfirmExit())
                EndDialog(hDlg, IDCANCEL);
            return TRUE;
        case IDC_SKIPFILE:
            EndDialog(hDlg, IDC_SKIPFILE);
            return TRUE;
        case IDC_BROWSE:
            fnSourceDiskBrowse(hDlg);
            return TRUE;
        case IDC_DISK_LOCATION:
            if (HIWORD(wParam) == EN_CHANGE)
                fnSourceDiskEnableOk(hDlg);
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        EndDialog(hDlg, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

/* ---- shortcut folder (template 22) ---- */

BOOL fnFillFolderList(HWND hList, const char *lpszParent)
{
    char szPattern[KSTL8_PATH + 4];
    fnStrFormat(szPattern, "%s\\*.*", lpszParent);
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA(szPattern, &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return FALSE;
    do {
        if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && strcmp(fd.cFileName, ".") != 0 &&
            strcmp(fd.cFileName, "..") != 0)
            SendMessageA(hList, LB_ADDSTRING, 0, (LPARAM)fd.cFileName);
    } while (FindNextFileA(hFind, &fd));
    FindClose(hFind);
    return TRUE;
}

static BOOL fnShortcutFolderInit(HWND hDlg, ShortcutFolderStruct *lpSc)
{
    SetWindowLongPtrA(hDlg, DWLP_USER, (LONG_PTR)lpSc);
    fnDlgInit(hDlg, TRUE, FALSE);
    SendDlgItemMessageA(hDlg, IDC_SC_EDIT, EM_LIMITTEXT, 260, 0);
    SetDlgItemTextA(hDlg, IDC_SC_EDIT, lpSc->szFolder);
    SetDlgItemTextA(hDlg, IDC_SC_LABEL, lpSc->szLabel);
    HWND hList = GetDlgItem(hDlg, IDC_SC_LIST);
    if (!fnFillFolderList(hList, lpSc->szParent)) {
        char szText[KSTL8_SHORT];
        fnLoadString(IDS_SCNOFOLDER, szText, sizeof(szText));
        SendMessageA(hList, LB_ADDSTRING, 0, (LPARAM)szText);
        EnableWindow(hList, FALSE);
    }
    EnableWindow(GetDlgItem(hDlg, IDOK), lpSc->szFolder[0] != '\0');
    if (fnDlgQuietEnd(hDlg, IDOK)) {
        /* Quiet: OK with the default folder. */
        char szPath[KSTL8_PATH];
        fnStrFormat(szPath, "%s\\%s", lpSc->szParent, lpSc->szFolder);
        fnStrCopy(lpSc->szFolder, szPath);
    }
    return TRUE;
}

static void fnShortcutFolderOk(HWND hDlg, ShortcutFolderStruct *lpSc)
{
    char szName[KSTL8_PATH], szPath[KSTL8_PATH];
    GetDlgItemTextA(hDlg, IDC_SC_EDIT, szName, sizeof(szName));
    if (!fnStrFormat(szPath, "%s\\%s", lpSc->szParent, szName))
        return;     /* a folder name that does not fit is never cut */
    fnStrCopy(lpSc->szFolder, szPath);
    EndDialog(hDlg, IDOK);
}

INT_PTR CALLBACK ShortcutFolderDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    ShortcutFolderStruct *lpSc = (ShortcutFolderStruct *)GetWindowLongPtrA(hDlg, DWLP_USER);
    switch (uMsg) {
    case WM_INITDIALOG:
        return fnShortcutFolderInit(hDlg, (ShortcutFolderStruct *)lParam);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            fnShortcutFolderOk(hDlg, lpSc);
            return TRUE;
        case IDCANCEL:
            EndDialog(hDlg, IDCANCEL);
            return TRUE;
        case IDC_SC_EXIT:
            if (fnConfirmExit())
                EndDialog(hDlg, IDC_SC_EXIT);
            return TRUE;
        case IDC_SC_EDIT:
            if (HIWORD(wParam) == EN_CHANGE)
                EnableWindow(GetDlgItem(hDlg, IDOK),
                             GetWindowTextLengthA(GetDlgItem(hDlg, IDC_SC_EDIT)) > 0);
            return TRUE;
        case IDC_SC_LIST:
            if (HIWORD(wParam) == LBN_SELCHANGE || HIWORD(wParam) == LBN_DBLCLK) {
                char szItem[KSTL8_PATH];
                HWND hList = GetDlgItem(hDlg, IDC_SC_LIST);
                LRESULT n = SendMessageA(hList, LB_GETCURSEL, 0, 0);
                if (n != LB_ERR && SendMessageA(hList, LB_GETTEXTLEN, n, 0) < (LRESULT)sizeof(szItem)) {
                    SendMessageA(hList, LB_GETTEXT, n, (LPARAM)szItem);
                    SetDlgItemTextA(hDlg, IDC_SC_EDIT, szItem);
                }
            }
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        EndDialog(hDlg, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

/* ---- floating information (template 33, modeless) ---- */

static BOOL fnFloatInfoInit(HWND hDlg, const FloatInfoStruct *lpInfo)
{
    SetWindowTextA(hDlg, lpInfo->szCaption[0] ? lpInfo->szCaption : g_szTitle);
    SetDlgItemTextA(hDlg, IDC_FLOAT_TEXT, lpInfo->szMessage);
    if (lpInfo->szButton[0]) {
        SetDlgItemTextA(hDlg, IDCANCEL, lpInfo->szButton);
    } else {
        /* No button: the message reaches to the button's right edge. */
        RECT rcButton, rcText;
        ShowWindow(GetDlgItem(hDlg, IDCANCEL), SW_HIDE);
        if (fnGetDlgCtrlRect(hDlg, IDCANCEL, &rcButton) &&
            fnGetDlgCtrlRect(hDlg, IDC_FLOAT_TEXT, &rcText))
            SetWindowPos(GetDlgItem(hDlg, IDC_FLOAT_TEXT), NULL, 0, 0,
                         rcButton.right - rcText.left, rcText.bottom - rcText.top,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    fnPlaceWindow(hDlg, NULL, lpInfo->uPosition);
    return TRUE;
}

INT_PTR CALLBACK FloatInfoDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_INITDIALOG:
        return fnFloatInfoInit(hDlg, (const FloatInfoStruct *)lParam);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            DestroyWindow(hDlg);
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        DestroyWindow(hDlg);
        return TRUE;
    }
    return FALSE;
}
