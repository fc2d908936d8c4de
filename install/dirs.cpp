/* Directory sections (created under the destination and logged) and the
 * directory pass of the to-disk copy. */
#include "dirs.h"
#include "install.h"
#include "../script/handlers.h"
#include "../script/reader.h"
#include "../script/macro.h"
#include "../dialogs/dialogs.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../resources/resource.h"
#include <string.h>

/* Skip to entry line n of the section; FALSE when it has fewer lines. */
static BOOL fnGetNthLine(char *lpszSection, int n, char *lpszLine, size_t cchLine)
{
    char *p = lpszSection;
    for (int i = 1; i <= n; i++) {
        p = p ? fnGetSectionLine(p, lpszLine, cchLine) : NULL;
        if (!p)
            return FALSE;
    }
    return TRUE;
}

int fnInfGetDir(char *lpszSection, int n, char *lpszDir, size_t cchDir)
{
    char szLine[KSTL8_LINE];
    if (cchDir)
        lpszDir[0] = '\0';
    if (n < 1 || !fnGetNthLine(lpszSection, n, szLine, sizeof(szLine)))
        return GETDIR_END;
    fnDebugTrace("fnInfGetDir", "szLine=%s", szLine);
    char szKey[KSTL8_SHORT];
    if (!fnGetParam(szLine, 0, szKey, sizeof(szKey)))
        return fnGetParam(szLine, 1, lpszDir, cchDir);
    char szValue[KSTL8_PATH];
    fnGetParam(szLine, 1, szValue, sizeof(szValue));
    if (fnStrCmpI(szKey, "ExpandDelims") == 0) {
        fnSetExpandDelims(szValue);
        return GETDIR_SKIP;
    }
    if (fnCompareValues(szKey, szValue) == COND_FAILS)
        return GETDIR_SKIP;
    return fnGetParam(szLine, 2, lpszDir, cchDir);
}

/* The full directory of one line: a full path as written; a line whose
   macros all gave values, expanded (relative to the current directory
   when still relative); otherwise g_szDestDir joined with the line as
   written.  FALSE when the result does not fit a path. */
static BOOL fnResolveDirLine(const char *lpszLine, char *lpszOut, size_t cchOut)
{
    if (fnIsFullPath(lpszLine))
        return fnStrCopyN(lpszOut, cchOut, lpszLine);
    char szExp[KSTL8_PATH];
    if (!fnStrCopy(szExp, lpszLine))
        return FALSE;
    if (fnExpandOpts(szExp, sizeof(szExp)) != MACRO_OK)
        return fnMakePath(g_szDestDir, lpszLine, lpszOut, cchOut);
    if (fnIsFullPath(szExp))
        return fnStrCopyN(lpszOut, cchOut, szExp);
    char szCurrent[KSTL8_PATH];
    DWORD cch = GetCurrentDirectoryA(sizeof(szCurrent), szCurrent);
    if (cch == 0 || cch >= sizeof(szCurrent))
        return FALSE;
    return fnMakePath(szCurrent, szExp, lpszOut, cchOut);
}

/* A tree that cannot be made: the missing drive, or else message 1054. */
static void fnReportTreeFailure(HWND hWnd, const char *lpszDir)
{
    if (fnTestDrive(hWnd, lpszDir, FALSE))
        fnMessageBox(IDS_DIRTREEFAIL, NULL, MB_OK | MB_ICONINFORMATION, lpszDir);
}

/* One directory line: 1 made, 2 failed, 0 the section ends, 4 skipped. */
static int fnCreateOneDir(HWND hWnd, HWND hWndProgress, char *lpszSection, int n, BOOL bLog)
{
    char szLine[KSTL8_LINE];
    fnDebugTrace("fnCreateDirectories call fnInfGetDir", "nDirNum=%d, lpszInf=%.200s", n,
                 lpszSection);
    int nGot = fnInfGetDir(lpszSection, n, szLine, sizeof(szLine));
    if (nGot == GETDIR_SKIP || nGot == FALSE)
        return nGot;
    char szDir[KSTL8_PATH];
    if (!fnResolveDirLine(szLine, szDir, sizeof(szDir))) {
        /* A name too long for a path is never made shorter. */
        fnDebugTrace("fnCreateDirectories", "Directory too long:\n%.300s", szLine);
        fnMessageBox(IDS_DIRTREEFAIL, NULL, MB_OK | MB_ICONINFORMATION, szLine);
        return MAKEDIRS_FAILED;
    }
    if (hWndProgress) {
        SetDlgItemTextA(hWndProgress, IDC_PROGRESS_TEXT2, szDir);
        SetDlgItemTextA(hWndProgress, IDC_PROGRESS_TEXT3, "");
        SetDlgItemTextA(hWndProgress, IDC_PROGRESS_TEXT4, "");
    }
    fnDebugTrace("fnCreateDirectories call fnCreateDirTreeLog", "szTmpBuffer=%s, bLog=%d", szDir,
                 bLog);
    if (!fnCreateDirTreeLog(szDir, bLog)) {
        fnReportTreeFailure(hWnd, szDir);
        return MAKEDIRS_FAILED;
    }
    /* A following line that expands relative is made inside this one. */
    SetCurrentDirectoryA(szDir);
    return 1;
}

int fnCreateDirectories(HWND hWnd, HWND hWndProgress, char *lpszSection, const char *lpszName,
                        UINT uLines, UINT uBase, BOOL bProgress, BOOL bLog)
{
    fnDebugTrace("fnCreateDirectories", "lpszName=%s,\nuLines=%u", lpszName, uLines);
    HCURSOR hCursor = SetCursor(LoadCursorA(NULL, (LPCSTR)IDC_WAIT));
    int nResult = MAKEDIRS_DONE;
    for (UINT n = 1; n <= uLines && n <= MAX_DIR_LINES; n++) {
        fnPumpMessages();
        if (bProgress && hWndProgress && fnProgressCancelled(hWndProgress)) {
            nResult = MAKEDIRS_FAILED;
            break;
        }
        int nOne = fnCreateOneDir(hWnd, hWndProgress, lpszSection, (int)n, bLog);
        if (nOne == MAKEDIRS_FAILED) {
            nResult = MAKEDIRS_FAILED;
            break;
        }
        if (nOne == GETDIR_END)
            break;
        if (bProgress && hWndProgress)
            SendDlgItemMessageA(hWndProgress, IDC_PROGRESS_METER, PM_SETPOS, uBase + n + 1, 0);
    }
    SetCursor(hCursor);
    return nResult;
}

/* Make g_szDestDir current, creating it when needed. */
static BOOL fnEnterDestDir(HWND hWnd)
{
    if (SetCurrentDirectoryA(g_szDestDir))
        return TRUE;
    if (fnCreateDirTree(g_szDestDir) && SetCurrentDirectoryA(g_szDestDir))
        return TRUE;
    fnReportTreeFailure(hWnd, g_szDestDir);
    return FALSE;
}

/* The section's lines in lpszText, else in lpszText2; NULL when missing. */
static char *fnFindDirSection(char *lpszText, char *lpszText2, const char *lpszName)
{
    char *lpszSect = lpszText ? fnLocateSection(lpszText, lpszName) : NULL;
    if (!lpszSect && lpszText2)
        lpszSect = fnLocateSection(lpszText2, lpszName);
    return lpszSect;
}

static HWND fnOpenDirsProgress(HWND hWnd, UINT uLines)
{
    HWND hDlg = fnCreateProgressDlg(hWnd);
    if (!hDlg)
        return NULL;
    SendDlgItemMessageA(hDlg, IDC_PROGRESS_METER, PM_SETRANGE, uLines + 1, 0);
    SendDlgItemMessageA(hDlg, IDC_PROGRESS_METER, PM_SETPOS, 0, 0);
    SetDlgItemTextA(hDlg, IDC_PROGRESS_TEXT1, "Creating directories...");
    SetDlgItemTextA(hDlg, IDC_PROGRESS_TEXT2, g_szDestDir);
    return hDlg;
}

BOOL fnMakeDirsSection(HWND hWnd, char *lpszText, char *lpszText2, const char *lpszName)
{
    char *lpszSect = fnFindDirSection(lpszText, lpszText2, lpszName);
    UINT uLines = lpszSect ? fnCountSectionLines(lpszSect, NULL, MAX_DIR_LINES) : 0;
    fnDebugTrace("fnInfMakeDirs", "nMaxDirs=%u, lpszSection=%s, lpszTmp=%.200s", uLines, lpszName,
                 lpszSect ? lpszSect : "");
    if (uLines == 0)
        return TRUE;
    HWND hDlg = fnOpenDirsProgress(hWnd, uLines);
    BOOL bOk = fnEnterDestDir(hWnd);
    if (bOk) {
        if (hDlg)
            SendDlgItemMessageA(hDlg, IDC_PROGRESS_METER, PM_SETPOS, 1, 0);
        bOk = fnCreateDirectories(hWnd, hDlg, lpszSect, lpszName, uLines, 0, TRUE, TRUE) !=
              MAKEDIRS_FAILED;
    }
    if (hDlg)
        DestroyWindow(hDlg);
    return bOk;
}

BOOL fnMakeDiskDirs(HWND hWnd, char *lpszText, const char *lpszName)
{
    char *lpszSect = fnFindDirSection(lpszText, NULL, lpszName);
    UINT uLines = lpszSect ? fnCountSectionLines(lpszSect, NULL, MAX_DIR_LINES) : 0;
    fnDebugTrace("fnMakeDiskDirs", "nMaxDirs=%u, lpszSection=%s", uLines, lpszName);
    if (uLines == 0)
        return TRUE;
    if (!fnEnterDestDir(hWnd))
        return FALSE;
    /* Directories on a removable target disk are not logged. */
    return fnCreateDirectories(hWnd, NULL, lpszSect, lpszName, uLines, 0, FALSE, FALSE) !=
           MAKEDIRS_FAILED;
}

int fnInfMakeDirs(HWND hWnd, char *lpszSection, const char *lpszName, UserInputStruct *lpUI)
{
    (void)lpUI;
    /* From the section's own header: a second section of the same name
       is found as itself. */
    return fnMakeDirsSection(hWnd, lpszSection, NULL, lpszName);
}
