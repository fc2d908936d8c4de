/* Restart of the program from a copy in the temporary directory, asked
 * for by the script before the install begins. */
#include "process.h"
#include "../install/install.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../resources/resource.h"

/* The copy's path in the temporary directory.  The unique name that
   fnGetTempFile leaves behind is only a probe of the directory: removed. */
static BOOL fnReloadCopyPath(char *lpszCopy, size_t cchCopy)
{
    char szProbe[KSTL8_PATH], szTempDir[KSTL8_PATH];
    if (!fnGetTempFile("_0", szProbe, sizeof(szProbe), szTempDir, sizeof(szTempDir)))
        return FALSE;
    fnDeleteFile(szProbe);
    return fnMakePath(szTempDir, g_szDefaultExec, lpszCopy, cchCopy);
}

/* The window classes are per process; they go before the copy starts so
   nothing of this instance stays registered while the copy runs. */
static BOOL fnUnregisterReloadClasses(void)
{
    static const UINT s_auIds[] = { IDS_PROGRESSCLASS, IDS_MISMATCHCLASS };
    for (size_t i = 0; i < sizeof(s_auIds) / sizeof(s_auIds[0]); i++) {
        char szClass[KSTL8_SHORT];
        fnLoadString(s_auIds[i], szClass, sizeof(szClass));
        if (!UnregisterClassA(szClass, g_hInstance)) {
            fnDebugTrace("fnReloadExec", "UnregisterClass %s failed, dwError=%lu", szClass,
                         GetLastError());
            return FALSE;
        }
    }
    return TRUE;
}

static BOOL fnStartReloadCopy(const char *lpszCopy)
{
    char szCmdLine[KSTL8_LINE * 2];
    if (!fnBuildLoaderCmdLine(lpszCopy, szCmdLine, sizeof(szCmdLine))) {
        fnDebugTrace("fnReloadExec", "%s", "The command line of the copy does not fit");
        return FALSE;
    }
    fnDebugTrace("fnReloadExec run", "szTempFile=%s,\nszSetupCmdLine=%s", lpszCopy, szCmdLine);
    STARTUPINFOA si;
    PROCESS_INFORMATION pi;
    ZeroMemory(&si, sizeof(si));
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    if (!CreateProcessA(lpszCopy, szCmdLine, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) {
        fnDebugTrace("fnReloadExec", "CreateProcess failed, dwError=%lu", GetLastError());
        return FALSE;
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return TRUE;
}

BOOL fnReloadExec(const char *lpszOwnPath)
{
    char szCopy[KSTL8_PATH];
    if (!fnReloadCopyPath(szCopy, sizeof(szCopy))) {
        fnDebugTrace("fnReloadExec", "%s", "No temporary file can be made");
        return FALSE;
    }
    DWORD dwSize = fnGetFileSize(lpszOwnPath);
    DWORD dwFree = fnGetDiskSpace(szCopy);
    fnDebugTrace("fnReloadExec", "lpszSetupExec=%s,\nszTempFile=%s,\ndwFileSpace=%lu,\ndwFreeSpace=%lu",
                 lpszOwnPath, szCopy, (unsigned long)dwSize, (unsigned long)dwFree);
    if (dwSize == 0 || dwSize > dwFree) {
        /* Quiet: traced and logged, no box. */
        fnMessageBox(IDS_TEMPSPACE, NULL, MB_OK | MB_ICONSTOP | MB_TASKMODAL, szCopy[0]);
        return FALSE;
    }
    /* A copy that was not made is a failure, never a silent end. */
    if (!fnCopyFile(lpszOwnPath, szCopy, FALSE, TRUE) || !fnFileExists(szCopy)) {
        fnDebugTrace("fnReloadExec", "The copy %s could not be made", szCopy);
        return FALSE;
    }
    return fnUnregisterReloadClasses() && fnStartReloadCopy(szCopy);
}
