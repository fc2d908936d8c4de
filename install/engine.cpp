/* The file install engine. */
/* TEMPORARY STAND-IN, to be replaced by the real engine: it copies the
 * source onto the target (copy mode J appends), writes the install-log
 * line and moves the meter, so that the copy sections link and run. */
#include "engine.h"
#include "install.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../resources/resource.h"

DWORD g_dwInstallResult = 0;

/* Append the whole of one file to another (created when missing). */
static BOOL fnStandInAppend(const char *lpszSrc, const char *lpszDst)
{
    HANDLE hIn = fnOpenFile(lpszSrc, OPEN_READ);
    if (hIn == INVALID_HANDLE_VALUE)
        return FALSE;
    HANDLE hOut = fnOpenFile(lpszDst, OPEN_APPEND);
    BOOL bOk = hOut != INVALID_HANDLE_VALUE && fnSeekEnd(hOut);
    char ab[8192];
    DWORD cbRead = 0, cbWritten = 0;
    while (bOk && ReadFile(hIn, ab, sizeof(ab), &cbRead, NULL) && cbRead > 0)
        bOk = WriteFile(hOut, ab, cbRead, &cbWritten, NULL) && cbWritten == cbRead;
    if (hOut != INVALID_HANDLE_VALUE)
        CloseHandle(hOut);
    CloseHandle(hIn);
    return bOk;
}

int fnInstallFileVer(HWND hWnd, IFStruct *lpIF)
{
    (void)hWnd;
    char szSrc[KSTL8_PATH], szDst[KSTL8_PATH];
    if (!fnMakePath(lpIF->szSrcFilePath, lpIF->szSrcFileName, szSrc, sizeof(szSrc)) ||
        !fnMakePath(lpIF->szDstDir, lpIF->szDstFileName, szDst, sizeof(szDst)))
        return 2;
    if (!fnFileExists(szSrc)) {
        fnDebugTrace("fnInstallFileVer", "Source missing: %s", szSrc);
        return lpIF->bPromptDisk ? 2 : 1;
    }
    BOOL bOk;
    if (lpIF->uCopyMode == CM_J) {
        if (lpIF->uInstallMode == IM_R && lpIF->uJoinPart == JP_FIRST)
            DeleteFileA(szDst);
        bOk = fnStandInAppend(szSrc, szDst);
    } else {
        bOk = fnCopyFile(szSrc, szDst, FALSE, TRUE);
    }
    g_dwInstallResult = bOk ? 0 : IR_CANNOTCREATE;
    if (!bOk) {
        fnDebugTrace("fnInstallFileVer", "Copy failed: %s", szDst);
        fnMessageBox(IDS_CANTCREATEFILE, NULL, MB_OK | MB_ICONSTOP);
        return 2;
    }
    fnLogWrite(TRUE, "%s, %s", szDst, lpIF->uInstallMode == IM_S ? "S" : "N");
    if (lpIF->hWndStatus)
        SendDlgItemMessageA(lpIF->hWndStatus, 100, PM_SETPOS, lpIF->uFileNum, 0);
    return 0;
}
