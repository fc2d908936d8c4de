/* Copy sections: the entry the dispatcher calls for all four names, the
 * start they share, and the install section with its joins of split files. */
#include "copylist.h"
#include "install.h"
#include "../script/handlers.h"
#include "../script/reader.h"
#include "../dialogs/dialogs.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../resources/resource.h"
#include <string.h>

int fnInfCopyFiles(HWND hWnd, char *lpszSection, const char *lpszName, UserInputStruct *lpUI)
{
    (void)lpUI;
    BOOL bDisks = fnStrCmpI(lpszName, "[MakeDisks]") == 0 ||
                  fnStrCmpI(lpszName, "[CopyFilesToDisk]") == 0;
    fnDebugTrace("fnInfCopyFiles", "lpszSection=%s, bToDisks=%d", lpszName, bDisks);
    /* NULL in a quiet run.  Kept hidden until the section knows that it
       uses it (BeQuiet, or nothing to copy, leave it unseen). */
    HWND hDlg = fnCreateProgressDlg(hWnd);
    if (hDlg)
        ShowWindow(hDlg, SW_HIDE);
    BOOL bOk = bDisks ? fnInfCopyFilesToDisks(hWnd, hDlg, lpszSection, lpszName)
                      : fnInfCopyFilesSection(hWnd, hDlg, lpszSection, lpszName);
    if (hDlg && IsWindow(hDlg))
        DestroyWindow(hDlg);
    if (bOk)
        return 1;
    /* A notice: a quiet run writes it to the trace and the log. */
    fnMessageBox(IDS_NOTINSTALLED, NULL,
                 MB_OK | MB_ICONINFORMATION | MB_TASKMODAL | MB_SETFOREGROUND);
    return 0;
}

void fnSetCopyMeter(HWND hWndStatus, UINT uPos)
{
    if (hWndStatus)
        SendDlgItemMessageA(hWndStatus, IDC_PROGRESS_METER, PM_SETPOS, uPos, 0);
}

BOOL fnBadCopyLine(UINT uLine, const char *lpszName)
{
    fnDebugTrace("fnInfCopyFiles", "Bad line %u in section %s", uLine, lpszName);
    fnMessageBox(IDS_BADLINE, NULL, MB_OK | MB_ICONINFORMATION, uLine, lpszName);
    return FALSE;
}

/* The number of files for the meter: TotalFiles, [CopyConfig], or counted. */
static UINT fnCopyFileTotal(CopySectStruct *lpS)
{
    if (!lpS->hdr.bTotalFiles)
        fnReadCopyConfig(&lpS->hdr);
    if (lpS->hdr.bTotalFiles)
        return lpS->hdr.uTotalFiles;
    return fnCountCopyFiles(lpS->hWnd, lpS->cur.lpszFirst, COPY_MAX_LINES);
}

static void fnStartProgress(CopySectStruct *lpS, HWND hWndStatus)
{
    lpS->hWndStatus = (hWndStatus && !lpS->ifs.bQuiet) ? hWndStatus : NULL;
    lpS->ifs.hWndStatus = lpS->hWndStatus;
    if (!lpS->hWndStatus) {
        if (hWndStatus)
            ShowWindow(hWndStatus, SW_HIDE);
        return;
    }
    ShowWindow(hWndStatus, SW_SHOW);
    SendDlgItemMessageA(hWndStatus, IDC_PROGRESS_METER, PM_SETPOS, 0, 0);
    SendDlgItemMessageA(hWndStatus, IDC_PROGRESS_METER, PM_SETRANGE, lpS->uMaxFiles, 0);
}

int fnStartCopySection(HWND hWnd, HWND hWndStatus, char *lpszText, const char *lpszName,
                       BOOL bDiskFormat, CopySectStruct *lpS)
{
    fnZeroMem(lpS, sizeof(*lpS));
    lpS->hWnd = hWnd;
    fnStrCopy(lpS->szName, lpszName);
    char *lpszFirst = lpszText ? fnLocateSection(lpszText, lpszName) : NULL;
    if (!lpszFirst || !*lpszFirst)
        return 2;
    fnInitCopyCursor(&lpS->cur, fnReadCopyHeader(lpszFirst, &lpS->hdr, bDiskFormat));
    lpS->uMaxLines = fnCountFileLines(lpS->cur.lpszFirst, COPY_MAX_LINES + 1);
    if (lpS->uMaxLines > COPY_MAX_LINES) {
        /* Lines past the limit would never be installed: refuse the section. */
        fnDebugTrace("fnInfCopyFiles", "Section %s has more than %u lines", lpszName,
                     COPY_MAX_LINES);
        return fnBadCopyLine(COPY_MAX_LINES + 1, lpszName);
    }
    if (lpS->uMaxLines == 0)
        return 2;
    lpS->uMaxFiles = fnCopyFileTotal(lpS);
    if (lpS->uMaxFiles == 0)
        return 2;
    lpS->ifs.bQuiet = lpS->hdr.bBeQuiet ? lpS->hdr.bQuietValue : g_bQuiet;
    fnStartProgress(lpS, hWndStatus);
    lpS->lpszDisks = fnFindScriptSection(lpS->hdr.szDisksSection);
    return 1;
}

void fnSetDiskName(CopySectStruct *lpS)
{
    IFStruct *lpIF = &lpS->ifs;
    lpIF->szDiskName[0] = '\0';
    if (lpIF->szDiskID[0] && lpS->lpszDisks)
        fnLookupDiskName(lpS->lpszDisks, lpIF->szDiskID, lpIF->szDiskName,
                         sizeof(lpIF->szDiskName));
}

BOOL fnPrepareCopyDirs(CopySectStruct *lpS)
{
    IFStruct *lpIF = &lpS->ifs;
    if (!fnCreateDirTree(lpIF->szDstDir)) {
        /* The drive test shows its own message when the drive is missing. */
        if (fnTestDrive(lpS->hWnd, lpIF->szDstDir, FALSE))
            fnMessageBox(IDS_DIRTREEFAIL, NULL, MB_OK | MB_ICONINFORMATION, lpIF->szDstDir);
        return FALSE;
    }
    if (!fnResolveSourceDir(lpIF->szSrcFilePath, sizeof(lpIF->szSrcFilePath)))
        return fnBadCopyLine(lpS->cur.uLine, lpS->szName);
    return TRUE;
}

BOOL fnCopyWildLine(CopySectStruct *lpS)
{
    IFStruct *lpIF = &lpS->ifs;
    fnStrCopy(lpIF->szWildSpec, lpIF->szSrcFileName);
    fnDebugTrace("fnCopyFiles - Wild", "IFStruct.szSrcFileName=%s\nIFStruct.szDstDir=%s",
                 lpIF->szSrcFileName, lpIF->szDstDir);
    /* Each match counts one file. */
    lpIF->uFileNum--;
    return fnWildInstallFiles(lpS->hWnd, lpIF) != 0;
}

/* ---- joins of split files ---- */

static void fnJoinNotInstalled(CopySectStruct *lpS, const char *lpszWhy)
{
    char szTarget[KSTL8_PATH];
    fnMakePath(lpS->szJoinDstDir, lpS->szJoinDstName, szTarget, sizeof(szTarget));
    fnDebugTrace("fnCopyFiles - Join", "Not installed (%s): %s", lpszWhy, szTarget);
    fnLogWrite(TRUE, "Not installed (%s): %s", lpszWhy, szTarget);
}

/* The temporary file goes on every way out of a join. */
static void fnJoinClose(CopySectStruct *lpS, UINT uState)
{
    if (lpS->szJoinTmp[0])
        DeleteFileA(lpS->szJoinTmp);
    lpS->szJoinTmp[0] = '\0';
    lpS->uJoin = uState;
}

static BOOL fnJoinOpen(CopySectStruct *lpS)
{
    IFStruct *lpIF = &lpS->ifs;
    if (lpS->uJoin == JOIN_OPEN) {
        fnJoinNotInstalled(lpS, "its last part is missing");
        fnJoinClose(lpS, JOIN_NONE);
    }
    fnStrCopy(lpS->szJoinDstDir, lpIF->szDstDir);
    fnStrCopy(lpS->szJoinDstName, lpIF->szDstFileName);
    if (!fnGetTempFile("_RJ", lpS->szJoinTmp, sizeof(lpS->szJoinTmp), NULL, 0)) {
        lpS->szJoinTmp[0] = '\0';
        fnDebugTrace("fnCopyFiles - Join", "%s", "No temporary file for the join");
        return FALSE;
    }
    lpS->uJoin = JOIN_OPEN;
    return TRUE;
}

/* A middle or last part belongs to the open join of the same target. */
static BOOL fnJoinPartFits(const CopySectStruct *lpS)
{
    return lpS->uJoin == JOIN_OPEN && fnStrCmpI(lpS->szJoinDstDir, lpS->ifs.szDstDir) == 0 &&
           fnStrCmpI(lpS->szJoinDstName, lpS->ifs.szDstFileName) == 0;
}

/* The parts are all in: install the joined file under the target's name. */
static BOOL fnJoinFinish(CopySectStruct *lpS)
{
    IFStruct *lpIF = &lpS->ifs;
    fnGetDirPart(lpS->szJoinTmp, lpIF->szSrcFilePath, sizeof(lpIF->szSrcFilePath));
    fnStrCopy(lpIF->szSrcFileName, fnGetFilePart(lpS->szJoinTmp));
    fnStrCopy(lpIF->szDstDir, lpS->szJoinDstDir);
    fnStrCopy(lpIF->szDstFileName, lpS->szJoinDstName);
    lpIF->uCopyMode = lpIF->uJoinCopyMode;
    lpIF->uJoinPart = JP_NONE;
    fnDebugTrace("fnCopyFiles - Join-Expand",
                 "IFStruct.szSrcFilePath=%s,\nIFStruct.szSrcFileName=%s,\nIFStruct.szDstDir=%s,"
                 "\nIFStruct.szDstFileName=%s",
                 lpIF->szSrcFilePath, lpIF->szSrcFileName, lpIF->szDstDir, lpIF->szDstFileName);
    int nResult = fnInstallFileVer(lpS->hWnd, lpIF);
    if (nResult == 1)
        fnJoinNotInstalled(lpS, "skipped");
    fnJoinClose(lpS, JOIN_NONE);
    return nResult != 2;
}

/* One part of a split file: appended to the join's temporary file. */
static BOOL fnCopyJoinPart(CopySectStruct *lpS)
{
    IFStruct *lpIF = &lpS->ifs;
    UINT uPart = lpIF->uJoinPart;
    if (uPart == JP_FIRST) {
        if (!fnJoinOpen(lpS))
            return FALSE;
    } else if (lpS->uJoin == JOIN_ABANDONED) {
        /* The join already failed: its remaining parts are passed by. */
        fnSetCopyMeter(lpS->hWndStatus, lpIF->uFileNum);
        if (uPart == JP_LAST)
            lpS->uJoin = JOIN_NONE;
        return TRUE;
    } else if (!fnJoinPartFits(lpS)) {
        /* Without its first part there is nothing to append to. */
        return fnBadCopyLine(lpS->cur.uLine, lpS->szName);
    }
    fnGetDirPart(lpS->szJoinTmp, lpIF->szDstDir, sizeof(lpIF->szDstDir));
    fnStrCopy(lpIF->szDstFileName, fnGetFilePart(lpS->szJoinTmp));
    fnDebugTrace("fnCopyFiles - Join",
                 "IFStruct.szSrcFileName=%s,\nIFStruct.szDstDir=%s,\nIFStruct.szDstFileName=%s,"
                 "\nIFStruct.szDstDir=%s",
                 lpIF->szSrcFileName, lpS->szJoinDstDir, lpS->szJoinDstName, lpIF->szDstDir);
    int nResult = fnInstallFileVer(lpS->hWnd, lpIF);
    if (nResult != 0) {
        fnJoinNotInstalled(lpS, nResult == 2 ? "stopped" : "a part was not added");
        fnJoinClose(lpS, (nResult == 2 || uPart == JP_LAST) ? JOIN_NONE : JOIN_ABANDONED);
        return nResult != 2;
    }
    return uPart == JP_LAST ? fnJoinFinish(lpS) : TRUE;
}

/* ---- the install section ---- */

/* One line whose test did not fail.  FALSE when the section stops. */
static BOOL fnCopyLine(CopySectStruct *lpS)
{
    IFStruct *lpIF = &lpS->ifs;
    if (!fnPrepareCopyDirs(lpS))
        return FALSE;
    if (fnIsWildName(lpIF->szSrcFileName)) {
        if (!fnCopyWildLine(lpS))
            return FALSE;
    } else if (lpIF->uCopyMode == CM_J && lpIF->uJoinPart != JP_NONE &&
               lpIF->uInstallMode != IM_R) {
        if (!fnCopyJoinPart(lpS))
            return FALSE;
    } else {
        int nResult = fnInstallFileVer(lpS->hWnd, lpIF);
        if (nResult == 2)
            return FALSE;
        /* Parts appended straight onto the target (install mode R): a part
           not added leaves the target incomplete. */
        if (nResult == 1 && lpIF->uCopyMode == CM_J && lpIF->uJoinPart != JP_NONE) {
            fnStrCopy(lpS->szJoinDstDir, lpIF->szDstDir);
            fnStrCopy(lpS->szJoinDstName, lpIF->szDstFileName);
            fnJoinNotInstalled(lpS, "a part was not added");
        }
    }
    fnPumpMessages();
    return !fnProgressCancelled(lpS->hWndStatus);
}

static BOOL fnCopyLines(CopySectStruct *lpS)
{
    IFStruct *lpIF = &lpS->ifs;
    lpIF->uFileNum = 1;
    for (UINT uLine = 1; uLine <= lpS->uMaxLines; uLine++, lpIF->uFileNum++) {
        fnPumpMessages();
        if (fnProgressCancelled(lpS->hWndStatus))
            return FALSE;
        int nCond = COND_NONE;
        int nRead = fnReadCopyFiles(lpS->hWnd, &lpS->cur, uLine, lpIF, &nCond);
        if (nRead == CL_END)
            return TRUE;
        if (nRead == CL_BAD)
            return fnBadCopyLine(uLine, lpS->szName);
        fnSetDiskName(lpS);
        if (nCond == COND_FAILS)
            fnSetCopyMeter(lpS->hWndStatus, lpIF->uFileNum);
        else if (!fnCopyLine(lpS))
            return FALSE;
    }
    return TRUE;
}

BOOL fnInfCopyFilesSection(HWND hWnd, HWND hWndStatus, char *lpszText, const char *lpszName)
{
    CopySectStruct sect;
    int nStart = fnStartCopySection(hWnd, hWndStatus, lpszText, lpszName, FALSE, &sect);
    if (nStart != 1)
        return nStart == 2;
    fnDebugTrace("fnInfCopyFiles", "lpszSection=%s, uMaxLines=%u, uMaxFiles=%u\nlpszInf=%.300s",
                 lpszName, sect.uMaxLines, sect.uMaxFiles, sect.cur.lpszFirst);
    BOOL bOk = fnCopyLines(&sect);
    if (sect.uJoin == JOIN_OPEN && bOk)
        fnJoinNotInstalled(&sect, "its last part is missing");
    fnJoinClose(&sect, JOIN_NONE);
    return bOk;
}
