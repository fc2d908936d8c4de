/* Browsing for a folder (the shell's folder picker) and for a file (the
 * common open-file dialog). */
#include "dialogs.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include <shlobj.h>
#include <commdlg.h>
#include <string.h>

int CALLBACK fnBrowseFolderCallback(HWND hWnd, UINT uMsg, LPARAM lParam, LPARAM lpData)
{
    char szPath[MAX_PATH];
    switch (uMsg) {
    case BFFM_INITIALIZED:
        /* Open at the caller's path and show it in the status line. */
        SendMessageA(hWnd, BFFM_SETSELECTIONA, TRUE, lpData);
        SendMessageA(hWnd, BFFM_SETSTATUSTEXTA, 0, lpData);
        break;
    case BFFM_SELCHANGED:
        if (SHGetPathFromIDListA((LPCITEMIDLIST)lParam, szPath))
            SendMessageA(hWnd, BFFM_SETSTATUSTEXTA, 0, (LPARAM)szPath);
        break;
    }
    return 0;
}

BOOL fnBrowseForFolder(HWND hWndOwner, char *lpszPath, const char *lpszTitle)
{
    char szDisplay[MAX_PATH];
    BROWSEINFOA bi;
    memset(&bi, 0, sizeof(bi));
    bi.hwndOwner = hWndOwner;
    bi.pidlRoot = NULL;
    bi.pszDisplayName = szDisplay;
    bi.lpszTitle = lpszTitle ? lpszTitle : "Select a folder(directory).\nCurrent selection:";
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
    bi.lpfn = fnBrowseFolderCallback;
    bi.lParam = (LPARAM)lpszPath;
    LPITEMIDLIST pidl = SHBrowseForFolderA(&bi);
    if (!pidl)
        return FALSE;
    char szChosen[MAX_PATH];
    BOOL bOk = SHGetPathFromIDListA(pidl, szChosen);
    if (bOk)
        bOk = fnStrCopyN(lpszPath, KSTL8_PATH, szChosen);
    IMalloc *lpMalloc = NULL;
    if (SUCCEEDED(SHGetMalloc(&lpMalloc)) && lpMalloc) {
        lpMalloc->Free(pidl);
        lpMalloc->Release();
    }
    fnDebugTrace("fnBrowseForFolder", "lpszPath=%s, bOk=%d", lpszPath, bOk);
    return bOk;
}

BOOL fnSplitChosenPath(const char *lpszPath, UINT uFileOffset, char *lpszDir, size_t cchDir,
                       char *lpszFile, size_t cchFile)
{
    size_t cch = strlen(lpszPath);
    if (uFileOffset > cch)
        return FALSE;
    /* The directory is the path cut at the name's offset (with its separator). */
    size_t cchPart = uFileOffset;
    if (cchPart >= cchDir || cch - uFileOffset >= cchFile)
        return FALSE;
    memcpy(lpszDir, lpszPath, cchPart);
    lpszDir[cchPart] = '\0';
    return fnStrCopyN(lpszFile, cchFile, lpszPath + uFileOffset);
}

static BOOL fnBrowseFile(HWND hWndOwner, char *lpszDir, char *lpszFile, const char *lpszTitle,
                         DWORD dwExtraFlags)
{
    /* "All Files|*.*|": the bars become string terminators. */
    char szFilter[] = "All Files|*.*|";
    for (char *p = szFilter; *p; p++)
        if (*p == '|')
            *p = '\0';
    char szPath[MAX_PATH];
    fnStrCopy(szPath, lpszFile);
    OPENFILENAMEA ofn;
    memset(&ofn, 0, sizeof(ofn));
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = hWndOwner;
    ofn.lpstrFilter = szFilter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = szPath;
    ofn.nMaxFile = sizeof(szPath);
    ofn.lpstrInitialDir = lpszDir;
    ofn.lpstrTitle = lpszTitle;
    /* The picker would otherwise make the folder it shows the current
       directory, even when cancelled, and relative names of the rest of
       the run would resolve there. */
    ofn.Flags = OFN_EXPLORER | OFN_LONGNAMES | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | dwExtraFlags;
    if (!GetOpenFileNameA(&ofn))
        return FALSE;
    char szDir[KSTL8_PATH], szFile[KSTL8_PATH];
    if (!fnSplitChosenPath(szPath, ofn.nFileOffset, szDir, sizeof(szDir), szFile, sizeof(szFile)))
        return FALSE;
    fnStrCopyN(lpszDir, KSTL8_PATH, szDir);
    fnStrCopyN(lpszFile, KSTL8_PATH, szFile);
    fnDebugTrace("fnBrowseForFile", "lpszDir=%s, lpszFile=%s", lpszDir, lpszFile);
    return TRUE;
}

BOOL fnBrowseForFile(HWND hWndOwner, char *lpszDir, char *lpszFile)
{
    return fnBrowseFile(hWndOwner, lpszDir, lpszFile, "Select File", OFN_FILEMUSTEXIST);
}

BOOL fnBrowseForFileTitle(HWND hWndOwner, char *lpszDir, char *lpszFile, const char *lpszTitle)
{
    return fnBrowseFile(hWndOwner, lpszDir, lpszFile, lpszTitle, 0);
}
