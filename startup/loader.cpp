/* Loader: started from a removable disk (or for an "RNF" script) the
 * program copies itself to the temporary directory and carries on from
 * that copy, so the disk can be changed during the install. */
#include "startup.h"
#include "../shell/shell.h"
#include "../install/install.h"
#include "../resources/resource.h"
#include <string.h>

BOOL fnLoaderWanted(void)
{
    if (g_bTempExec || g_uCipherMode != 0)
        return FALSE;   /* the cipher modes do their work in this process */
    if (fnStrCmpI(fnGetExtension(g_szIniFile), "RNF") == 0)
        return TRUE;
    return fnGetDriveType(g_szHomeDir) == DRIVE_REMOVABLE;
}

/* Free bytes of the drive of a path, in 64 bits. */
static ULONGLONG fnFreeBytes(const char *lpszPath)
{
    char szRoot[4] = { lpszPath[0], ':', '\\', '\0' };
    HMODULE hKernel = GetModuleHandleA("KERNEL32.DLL");
    PFNGETDISKFREESPACEEXA pfnEx = hKernel
        ? (PFNGETDISKFREESPACEEXA)(void *)GetProcAddress(hKernel, "GetDiskFreeSpaceExA") : NULL;
    ULARGE_INTEGER uFree, uTotal, uTotalFree;
    if (pfnEx && pfnEx(szRoot, &uFree, &uTotal, &uTotalFree))
        return uFree.QuadPart;
    DWORD dwSpc, dwBps, dwFree, dwTotal;
    if (!GetDiskFreeSpaceA(szRoot, &dwSpc, &dwBps, &dwFree, &dwTotal))
        return 0;
    return (ULONGLONG)dwSpc * dwBps * dwFree;
}

/* One argument in double quotes; quotes inside it would end it early. */
static BOOL fnAppendQuoted(char *lpszOut, size_t cchOut, const char *lpszPrefix,
                           const char *lpszValue)
{
    char szValue[KSTL8_PATH];
    fnStrCopy(szValue, lpszValue);
    for (char *p = szValue; *p; p++)
        if (*p == '"')
            *p = '\'';
    BOOL bOk = fnStrAppendN(lpszOut, cchOut, *lpszOut ? " \"" : "\"");
    bOk = fnStrAppendN(lpszOut, cchOut, lpszPrefix) && bOk;
    bOk = fnStrAppendN(lpszOut, cchOut, szValue) && bOk;
    /* Backslashes before the closing quote are doubled, or "K:\" would
       read as an escaped quote and swallow the arguments after it. */
    for (size_t i = strlen(szValue); i > 0 && szValue[i - 1] == '\\'; i--)
        bOk = fnStrAppendN(lpszOut, cchOut, "\\") && bOk;
    return fnStrAppendN(lpszOut, cchOut, "\"") && bOk;
}

BOOL fnBuildLoaderCmdLine(const char *lpszCopy, char *lpszOut, size_t cchOut)
{
    char szNum[16];
    lpszOut[0] = '\0';
    BOOL bOk = fnAppendQuoted(lpszOut, cchOut, "", lpszCopy);
    bOk = fnAppendQuoted(lpszOut, cchOut, "", g_szIniFile) && bOk;
    bOk = fnAppendQuoted(lpszOut, cchOut, "", g_szHomeDir) && bOk;
    bOk = fnAppendQuoted(lpszOut, cchOut, "", g_szDestDir) && bOk;
    bOk = fnStrAppendN(lpszOut, cchOut, " -t") && bOk;
    /* The copy keeps every setting of this run, not only the paths. */
    if (g_bQuiet)
        bOk = fnStrAppendN(lpszOut, cchOut, " -q") && bOk;
    if (g_bNoPrompts)
        bOk = fnStrAppendN(lpszOut, cchOut, " -n") && bOk;
    if (g_szAskForResponse[0])
        bOk = fnAppendQuoted(lpszOut, cchOut, "-a=", g_szAskForResponse) && bOk;
    if (g_bMessage)
        bOk = fnAppendQuoted(lpszOut, cchOut, "-m=", g_szStartupMsg) && bOk;
    if (g_uDebug) {
        fnStrFormat(szNum, " -v=%u", g_uDebug);
        bOk = fnStrAppendN(lpszOut, cchOut, szNum) && bOk;
    }
    fnStrFormat(szNum, " -w=%u", g_uShowVSWin);
    return fnStrAppendN(lpszOut, cchOut, szNum) && bOk;
}

static void fnBringToTop(const char *lpszClass)
{
    HWND hWnd = FindWindowA(lpszClass, NULL);
    if (!hWnd)
        return;
    BringWindowToTop(hWnd);
    HWND hPopup = GetLastActivePopup(hWnd);
    if (hPopup && hPopup != hWnd)
        BringWindowToTop(hPopup);
}

static BOOL fnCreateLoaderWindow(HINSTANCE hInstance, int nCmdShow)
{
    char szClass[KSTL8_SHORT];
    fnLoadString(IDS_LOADERCLASS, szClass, sizeof(szClass));
    WNDCLASSA wc;
    memset(&wc, 0, sizeof(wc));
    wc.lpfnWndProc = LoaderWndProc;
    wc.hInstance = hInstance;
    wc.hIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(IDI_SETUP));
    wc.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = szClass;
    if (!RegisterClassA(&wc))
        return FALSE;
    HWND hWnd;
    if (g_bMessage) {
        hWnd = CreateWindowA(szClass, g_szTitle, WS_POPUP | WS_VISIBLE, 0, 0,
                             GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                             NULL, NULL, hInstance, NULL);
        g_bSplash = TRUE;
    } else {
        int cx = g_bQuiet ? 0 : 399, cy = g_bQuiet ? 0 : 80;
        hWnd = CreateWindowA(szClass, g_szTitle, WS_POPUP, 0, 0, cx, cy, NULL, NULL,
                             hInstance, NULL);
    }
    if (!hWnd)
        return FALSE;
    if (g_bSplash && !g_bQuiet)
        ShowWindow(hWnd, nCmdShow);
    if (g_uShowVSWin == 0)
        ShowWindow(hWnd, SW_HIDE);
    return TRUE;
}

static BOOL fnStartCopy(const char *lpszCopy, const char *lpszOwnPath)
{
    char szCmdLine[KSTL8_LINE * 2];
    if (!fnBuildLoaderCmdLine(lpszCopy, szCmdLine, sizeof(szCmdLine)))
        return FALSE;
    fnDebugTrace("fnInitLoader run",
                 "lpszSetupExec=%s,\nszTempFile=%s,\ng_szDefaultExec=%s,\nszSetupCmdLine=%s",
                 lpszOwnPath, lpszCopy, g_szDefaultExec, szCmdLine);
    STARTUPINFOA si;
    PROCESS_INFORMATION pi;
    memset(&si, 0, sizeof(si));
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    if (!CreateProcessA(lpszCopy, szCmdLine, NULL, NULL, FALSE, 0, NULL, g_szTmpPath, &si, &pi))
        return FALSE;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    g_bLoaderStarted = TRUE;
    return TRUE;
}

BOOL fnInitLoader(HINSTANCE hInstance, int nCmdShow, const char *lpszOwnPath)
{
    char szMainClass[KSTL8_SHORT];
    fnLoadString(IDS_CLASSNAME, szMainClass, sizeof(szMainClass));
    HWND hOther = FindWindowA(szMainClass, NULL);
    if (hOther) {
        fnBringToTop(szMainClass);
        return TRUE;
    }
    char szCopy[KSTL8_PATH];
    if (!fnMakePath(g_szTmpPath, g_szDefaultExec, szCopy, sizeof(szCopy)))
        return FALSE;
    DeleteFileA(szCopy);
    HANDLE hOwn = CreateFileA(lpszOwnPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD dwFileSpace = 0;
    if (hOwn != INVALID_HANDLE_VALUE) {
        dwFileSpace = GetFileSize(hOwn, NULL);
        CloseHandle(hOwn);
    }
    ULONGLONG ullFree = fnFreeBytes(g_szTmpPath);
    fnDebugTrace("fnInitLoader",
                 "DiskSpace lpszSetupExec=%s,\nszTempFile=%s,\ng_szDefaultExec=%s,\ndwFileSpace=%lu,\ndwFreeSpace=%llu",
                 lpszOwnPath, szCopy, g_szDefaultExec, (unsigned long)dwFileSpace, ullFree);
    if (dwFileSpace == 0 || dwFileSpace == INVALID_FILE_SIZE || ullFree < dwFileSpace) {
        fnMessageBox(IDS_TEMPSPACE, NULL, MB_OK | MB_ICONSTOP, g_szTmpPath[0]);
        return FALSE;
    }
    BOOL bResult = TRUE;
    if (CopyFileA(lpszOwnPath, szCopy, FALSE) && fnFileExists(szCopy)) {
        if (!fnCreateLoaderWindow(hInstance, nCmdShow))
            return FALSE;
        bResult = fnStartCopy(szCopy, lpszOwnPath);
    }
    fnBringToTop(g_szClassName);
    return bResult;
}
