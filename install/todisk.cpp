/* To-disk sections: files copied as they are onto a series of target
 * disks in the drive of the destination, with a disk switch when a line
 * asks for one or the disk is too full. */
#include "copylist.h"
#include "install.h"
#include "dirs.h"
#include "../script/reader.h"
#include "../script/script.h"
#include "../dialogs/dialogs.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../resources/resource.h"
#include <string.h>

/* The disks of one to-disk section. */
struct DiskRunStruct {
    int nDisk;              /* the number the next disk prompt asks for */
    BOOL bSwitched;         /* this line switched disks already */
    BOOL bNewDisk;          /* the directory pass is due on the disk in the drive */
    char szLabel[80];       /* label of the current disk */
};

/* Message 1062: TRUE on OK.  A quiet run can't change disks: Cancel. */
static BOOL fnAskForDisk(int nDisk)
{
    return fnMessageBoxQ(IDCANCEL, IDS_INSERTDISKNUM, NULL, MB_OKCANCEL | MB_ICONINFORMATION,
                         nDisk) == IDOK;
}

static void fnNextDisk(DiskRunStruct *lpRun)
{
    lpRun->nDisk++;
    lpRun->bSwitched = TRUE;
    lpRun->bNewDisk = TRUE;
}

/* Until the disk has room for the line: ask for another one. */
static BOOL fnWaitForRoom(DWORD dwBytes, DiskRunStruct *lpRun)
{
    DWORD dwFree = fnGetDiskSpace(g_szDestDir);
    while (dwFree < dwBytes) {
        if (lpRun->bSwitched)
            lpRun->nDisk--;
        if (!fnAskForDisk(lpRun->nDisk))
            return FALSE;
        fnNextDisk(lpRun);
        dwFree = fnGetDiskSpace(g_szDestDir);
        if (dwFree >= dwBytes)
            break;
        char szDrive[KSTL8_PATH], szDest[KSTL8_PATH];
        fnStrCopy(szDest, g_szDestDir);
        fnSplitPath(szDest, szDrive, NULL, NULL, NULL, NULL, NULL);
        /* OK would only ask again: a quiet run gives up. */
        if (fnMessageBoxQ(IDCANCEL, IDS_SPACEINSERTDISK, NULL, MB_OKCANCEL | MB_ICONINFORMATION,
                          szDrive, (unsigned long)dwFree, (unsigned long)dwBytes) != IDOK)
            return FALSE;
    }
    return TRUE;
}

static void fnShowDiskLabel(CopySectStruct *lpS, DiskRunStruct *lpRun)
{
    const char *lpszLabel = lpS->ifs.szDescription;
    if (!lpszLabel[0])
        return;
    fnStrCopy(lpRun->szLabel, lpszLabel);
    if (!lpS->hWndStatus)
        return;
    SetDlgItemTextA(lpS->hWndStatus, IDC_PROGRESS_TEXT2, lpRun->szLabel);
    SetDlgItemTextA(lpS->hWndStatus, IDC_PROGRESS_TEXT3, "");
    SetDlgItemTextA(lpS->hWndStatus, IDC_PROGRESS_TEXT4, "");
}

/* One line whose test did not fail.  FALSE when the section stops. */
static BOOL fnCopyDiskLine(CopySectStruct *lpS, DiskRunStruct *lpRun, DWORD dwBytes,
                           BOOL bSwitch)
{
    IFStruct *lpIF = &lpS->ifs;
    lpRun->bSwitched = FALSE;
    if (bSwitch) {
        if (!fnAskForDisk(lpRun->nDisk))
            return FALSE;
        fnNextDisk(lpRun);
    }
    if (!fnWaitForRoom(dwBytes, lpRun))
        return FALSE;
    if (lpRun->bNewDisk) {
        char *lpszScript = g_lpszInfText ? g_lpszInfText : lpS->cur.lpszFirst;
        if (!fnMakeDiskDirs(lpS->hWnd, lpszScript, lpS->hdr.szDirsSection)) {
            fnMessageBox(IDS_DIRTREEFAIL, NULL, MB_OK | MB_ICONINFORMATION, g_szDestDir);
            return FALSE;
        }
        lpRun->bNewDisk = FALSE;
    }
    fnShowDiskLabel(lpS, lpRun);
    if (!fnPrepareCopyDirs(lpS))
        return FALSE;
    fnDebugTrace("fnInfCopyFilesToDisks",
                 "Install g_szSourceDir=%s,\nIFStruct.szSrcFileName=%s,\nIFStruct.szSrcFilePath=%s,"
                 "\nIFStruct.szDstFileName=%s,\nIFStruct.szDstDir=%s",
                 g_szSourceDir, lpIF->szSrcFileName, lpIF->szSrcFilePath, lpIF->szDstFileName,
                 lpIF->szDstDir);
    if (fnIsWildName(lpIF->szSrcFileName))
        return fnCopyWildLine(lpS);
    if (fnProgressCancelled(lpS->hWndStatus))
        return FALSE;
    lpIF->uJoinPart = JP_NONE;
    return fnInstallFileVer(lpS->hWnd, lpIF) != 2;
}

static BOOL fnCopyDiskLines(CopySectStruct *lpS)
{
    IFStruct *lpIF = &lpS->ifs;
    DiskRunStruct run;
    fnZeroMem(&run, sizeof(run));
    run.nDisk = 2;      /* the first disk is in the drive already */
    run.bNewDisk = TRUE;
    lpIF->uFileNum = 1;
    for (UINT uLine = 1; uLine <= lpS->uMaxLines; uLine++, lpIF->uFileNum++) {
        fnPumpMessages();
        if (fnProgressCancelled(lpS->hWndStatus))
            return FALSE;
        DWORD dwBytes = 1;
        BOOL bSwitch = FALSE;
        int nCond = COND_NONE;
        int nRead = fnReadCopyFilesToDisks(lpS->hWnd, &lpS->cur, uLine, lpIF, &dwBytes,
                                           &bSwitch, &nCond);
        if (nRead == CL_END)
            return TRUE;
        if (nRead == CL_BAD)
            return fnBadCopyLine(uLine, lpS->szName);
        fnSetDiskName(lpS);
        fnDebugTrace("fnInfCopyFilesToDisks",
                     "fnReadCopyFilesToDisks returned,\nIFStruct.szSrcFileName=%s,"
                     "\nIFStruct.szSrcFilePath=%s,\nIFStruct.szDstFileName=%s,"
                     "\nIFStruct.szDstDir=%s,\ndwDiskSpaceNeeded=%lu,\nuSwitchDisk=%u,\nuTest=%u",
                     lpIF->szSrcFileName, lpIF->szSrcFilePath, lpIF->szDstFileName,
                     lpIF->szDstDir, (unsigned long)dwBytes, (UINT)bSwitch, (UINT)nCond);
        if (nCond == COND_FAILS)
            fnSetCopyMeter(lpS->hWndStatus, lpIF->uFileNum);
        else if (!fnCopyDiskLine(lpS, &run, dwBytes, bSwitch))
            return FALSE;
        fnDebugTrace("fnInfCopyFilesToDisks", "Next \nuLineNum = %u, uMaxLines = %u, "
                     "IFStruct.uFileNum = %u", uLine, lpS->uMaxLines, lpIF->uFileNum);
        if (fnProgressCancelled(lpS->hWndStatus))
            return FALSE;
    }
    return TRUE;
}

BOOL fnInfCopyFilesToDisks(HWND hWnd, HWND hWndStatus, char *lpszText, const char *lpszName)
{
    CopySectStruct sect;
    int nStart = fnStartCopySection(hWnd, hWndStatus, lpszText, lpszName, TRUE, &sect);
    if (nStart != 1)
        return nStart == 2;
    fnDebugTrace("fnInfCopyFilesToDisk",
                 "lpszSection=%s, uMaxLines=%u, uMaxFiles=%u\nlpszInf=%.300s", lpszName,
                 sect.uMaxLines, sect.uMaxFiles, sect.cur.lpszFirst);
    return fnCopyDiskLines(&sect);
}
