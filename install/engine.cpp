/* The file install engine: one file from its record to the destination.
 * It finds the source (asking for the disk), looks for copies already on
 * the machine, decides by the line's codes or by asking where and how to
 * install, backs up or renames around an existing file, reports failures,
 * and installs a file in use under a unique name that replaces it at the
 * next Windows start. */
#include "engine.h"
#include "install.h"
#include "../dialogs/dialogs.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../resources/resource.h"
#include <string.h>

DWORD g_dwInstallResult;
PFNENGINEDIALOG g_pfnEngineDialog = fnDialogBox;
PFNCLOSEFILEOWNER g_pfnCloseFileOwner;
PFNVERFINDFILE g_pfnVerFindFile = VerFindFileA;

/* fnInstallFile asks its loop to start again. */
#define INSTALL_AGAIN  (-1)
/* No error bit: go on with the version bits. */
#define INSTALL_NOERR  (-2)
/* fnFindFileInfoVer: look for the copy again; go on to step 4. */
#define FIND_AGAIN     (-1)
#define FIND_ON        (-2)
/* fnCheckExisting: the install goes ahead. */
#define EXIST_GO       (-1)
/* fnInstallFileVer: start again at the source (step 2). */
#define INSTALL_LOOK   3

/* Bits that fnInstallFile reports as errors. */
#define IR_ERRORS (IR_WRITEPROT | IR_FILEINUSE | IR_OUTOFSPACE | IR_ACCESSVIOL | IR_SHARINGVIOL | \
                   IR_CANNOTCREATE | IR_CANNOTDELETE | IR_CANNOTRENAME | IR_OUTOFMEMORY |      \
                   IR_CANNOTREADDST)
#define IR_VERSION (IR_MISMATCH | IR_SRCOLD | IR_DIFFLANG | IR_DIFFCODEPG | IR_DIFFTYPE)

/* What one call of fnInstallFileVer carries between its steps. */
struct InstallCallStruct {
    HWND hWnd;
    IFStruct *lpIF;
    char szTmpFile[KSTL8_PATH];     /* temporary copy's name in szSuggestDstDir */
    char szRealDst[KSTL8_PATH];     /* the file in use, while its unique copy installs */
    char szUnique[KSTL8_PATH];      /* the unique copy's full path */
    DWORD dwKeepFlags;              /* flags of the first placement, for the unique copy */
    BOOL bBackupDone;
    BOOL bInUseDone;
};

/* ---- progress window ---- */

static void fnStatusText(HWND hWndStatus, int nId, const char *lpszFmt, const char *lpszArg)
    __attribute__((format(gnu_printf, 3, 0)));

static void fnStatusText(HWND hWndStatus, int nId, const char *lpszFmt, const char *lpszArg)
{
    if (!hWndStatus)
        return;
    char szText[KSTL8_LINE];
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    /* Only the engine's own formats reach here. */
    fnStrFormatN(szText, sizeof(szText), lpszFmt, lpszArg ? lpszArg : "");
#pragma GCC diagnostic pop
    SetDlgItemTextA(hWndStatus, nId, szText);
}

static void fnMoveMeter(HWND hWndStatus, UINT uFileNum)
{
    if (hWndStatus)
        SendDlgItemMessageA(hWndStatus, IDC_PROGRESS_METER, PM_SETPOS, uFileNum, 0);
}

static void fnRedrawStatus(HWND hWndStatus)
{
    if (hWndStatus)
        RedrawWindow(hWndStatus, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

/* Skip the file: the meter moves on, result 1. */
static int fnSkipFile(const IFStruct *lpIF)
{
    fnMoveMeter(lpIF->hWndStatus, lpIF->uFileNum);
    return 1;
}

static BOOL fnDestPath(const IFStruct *lpIF, char (&szOut)[KSTL8_PATH])
{
    return fnMakePath(lpIF->szSuggestDstDir, lpIF->szDstFileName, szOut, sizeof(szOut));
}

/* ---- asking ---- */

int fnAskInUse(HWND hWnd, const char *lpszFile)
{
    if (g_bQuiet) {
        fnDebugTrace("fnAskInUse", "Quiet: %s is in use; replaced at the next start (%d)",
                     lpszFile, INUSE_RESTART);
        return INUSE_RESTART;
    }
    FileChoiceStruct choice;
    memset(&choice, 0, sizeof(choice));
    fnStrCopy(choice.szFile, lpszFile);
    return (int)g_pfnEngineDialog(hWnd, IDD_INUSE, InUseDlgProc, (LPARAM)&choice);
}

/* Dialog 9; closing it keeps the other copy (never deletes it). */
static int fnAskElsewhere(HWND hWnd, const IFStruct *lpIF)
{
    if (g_bQuiet) {
        fnDebugTrace("fnFindFileInfoVer", "Quiet: %s also in %s; installed, that copy kept",
                     lpIF->szDstFileName, lpIF->szCurDir);
        return 14;
    }
    FileChoiceStruct choice;
    memset(&choice, 0, sizeof(choice));
    fnStrCopy(choice.szFile, lpIF->szDstFileName);
    fnStrCopy(choice.szDir, lpIF->szDstDir);
    fnStrCopy(choice.szOtherDir, lpIF->szCurDir);
    switch (g_pfnEngineDialog(hWnd, IDD_ELSEWHERE, ExistsElsewhereDlgProc, (LPARAM)&choice)) {
    case ELSE_DELETE:  return 0;
    case ELSE_REPLACE: return 13;
    case ELSE_SKIP:    return 12;
    case ELSE_EXIT:    return 11;
    default:           return 14;   /* ELSE_KEEP, closed, no dialog */
    }
}

/* Dialog 10: the exist action chosen, EA_S to skip, 0 to stop. */
static UINT fnAskExists(HWND hWnd, const IFStruct *lpIF)
{
    if (g_bQuiet) {
        fnDebugTrace("fnInstallFileVer", "Quiet: %s exists; backed up before the install",
                     lpIF->szDstFileName);
        return EA_B;
    }
    FileChoiceStruct choice;
    memset(&choice, 0, sizeof(choice));
    fnStrCopy(choice.szFile, lpIF->szDstFileName);
    fnStrCopy(choice.szDir, lpIF->szSuggestDstDir);
    switch (g_pfnEngineDialog(hWnd, IDD_EXISTS, AlreadyExistsDlgProc, (LPARAM)&choice)) {
    case EXISTS_BACKUP: return EA_B;
    case EXISTS_UNIQUE: return EA_U;
    case EXISTS_OVER:   return EA_N;
    case EXISTS_EXIT:   return 0;
    default:            return EA_S;    /* skip, closed, no dialog */
    }
}

/* ---- the source disk ---- */

static BOOL fnTakeDiskLocation(char *lpszSrcDir, size_t cchSrcDir, char *lpszSrcName,
                               size_t cchSrcName)
{
    char szDir[KSTL8_PATH], szName[KSTL8_PATH];
    fnStrCopy(szDir, g_szDiskLocation);
    fnStrCopy(szName, g_szDiskFile);
    if (strlen(szDir) >= cchSrcDir || strlen(szName) >= cchSrcName)
        return FALSE;
    fnStrCopyN(lpszSrcDir, cchSrcDir, szDir);
    fnStrCopyN(lpszSrcName, cchSrcName, szName);
    return TRUE;
}

int fnInsertDisk(HWND hWnd, HWND hWndStatus, UINT uFileNum, BOOL bPrompt, const char *lpszDiskName,
                 char *lpszSrcDir, size_t cchSrcDir, char *lpszSrcName, size_t cchSrcName)
{
    fnDebugTrace("fnInsertDisk", "bPrompt=%d,\nlpszSrcDir=%s,\nlpszSrcName=%s", bPrompt, lpszSrcDir,
                 lpszSrcName);
    if (!bPrompt) {
        fnMoveMeter(hWndStatus, uFileNum);
        return 1;
    }
    if (g_bQuiet) {
        /* Nobody can insert a disk: the section stops. */
        fnDebugTrace("fnInsertDisk", "Quiet: source %s\\%s missing; the section stops",
                     lpszSrcDir, lpszSrcName);
        fnLogWrite(TRUE, "Source missing: %s\\%s", lpszSrcDir, lpszSrcName);
        return 2;
    }
    /* The dialog (and its browsing) starts in the destination directory;
       the process keeps its own current directory afterwards. */
    char szCurDir[KSTL8_PATH] = "";
    GetCurrentDirectoryA(sizeof(szCurDir), szCurDir);
    SetCurrentDirectoryA(g_szDestDir);
    fnStrCopy(g_szDiskLocation, lpszSrcDir);
    fnStrCopy(g_szDiskFile, lpszSrcName);
    SourceDiskStruct disk;
    memset(&disk, 0, sizeof(disk));
    fnStrCopy(disk.szLabel, lpszDiskName ? lpszDiskName : "");
    INT_PTR nChoice = g_pfnEngineDialog(hWnd, IDD_SOURCEDISK, SourceDiskDlgProc, (LPARAM)&disk);
    if (szCurDir[0])
        SetCurrentDirectoryA(szCurDir);
    fnRedrawStatus(hWndStatus);
    if (nChoice == IDOK && fnTakeDiskLocation(lpszSrcDir, cchSrcDir, lpszSrcName, cchSrcName))
        return 3;
    if (nChoice == IDCANCEL)
        return 2;
    fnMoveMeter(hWndStatus, uFileNum);
    return 1;
}

/* ---- where and how ---- */

struct FindPathsStruct {
    char szSrcPath[KSTL8_PATH];
    char szExistsPath[KSTL8_PATH];
    char szDestPath[KSTL8_PATH];
    DWORD dwVFF;
};

static void fnFindCurrentCopy(IFStruct *lpIF, FindPathsStruct *lpFP)
{
    char szCur[KSTL8_PATH] = "", szDest[KSTL8_PATH] = "";
    UINT cchCur = sizeof(szCur), cchDest = sizeof(szDest);
    HCURSOR hOld = SetCursor(LoadCursorA(NULL, (LPCSTR)IDC_WAIT));
    lpFP->dwVFF = g_pfnVerFindFile(0, lpIF->szDstFileName, NULL, lpIF->szDstDir, szCur,
                                   &cchCur, szDest, &cchDest);
    SetCursor(hOld);
    /* The platform's suggested destination is not used. */
    if (!fnStrCopy(lpIF->szCurDir, szCur))
        lpIF->szCurDir[0] = '\0';
    fnMakePath(lpIF->szSrcFilePath, lpIF->szSrcFileName, lpFP->szSrcPath, sizeof(lpFP->szSrcPath));
    lpFP->szExistsPath[0] = '\0';
    if (lpIF->szCurDir[0])
        fnMakePath(lpIF->szCurDir, lpIF->szDstFileName, lpFP->szExistsPath,
                   sizeof(lpFP->szExistsPath));
    fnMakePath(lpIF->szSuggestDstDir, lpIF->szDstFileName, lpFP->szDestPath,
               sizeof(lpFP->szDestPath));
    fnDebugTrace("VerFindFile - Paths", "szSrcPath=%s,\nszExistsPath=%s\nszDestPath=%s\nuVFFResult=%u",
                 lpFP->szSrcPath, lpFP->szExistsPath, lpFP->szDestPath, (UINT)lpFP->dwVFF);
}

static BOOL fnIsCompareMode(UINT uInstallMode)
{
    return uInstallMode == IM_S || uInstallMode == IM_V || uInstallMode == IM_T ||
           uInstallMode == IM_M;
}

/* Step 3: the copy found is in use. */
static int fnExistingInUse(HWND hWnd, IFStruct *lpIF, const FindPathsStruct *lpFP, UINT *lpuInUse,
                           BOOL *lpbCloseTried)
{
    if (lpIF->uCopyMode == CM_S || *lpuInUse == IU_S)
        return 12;
    if (!fnIsCompareMode(lpIF->uInstallMode) && fnSamePath(lpIF->szDstDir, lpIF->szCurDir))
        return 17;
    if (lpIF->uCopyMode != CM_F && fnCompareFileTimes(lpFP->szSrcPath, lpFP->szExistsPath) == 4)
        return fnSamePath(lpFP->szSrcPath, lpFP->szDestPath) ? 12 : 0;
    if (*lpuInUse == IU_C) {
        /* One try at closing the program; the dialog after that. */
        *lpuInUse = IU_P;
        if (!*lpbCloseTried) {
            *lpbCloseTried = TRUE;
            if (g_pfnCloseFileOwner && g_pfnCloseFileOwner(hWnd, lpFP->szExistsPath))
                return FIND_AGAIN;
        }
    }
    if (*lpuInUse == IU_R)
        return 0;
    if (*lpuInUse != IU_P)
        return FIND_ON;
    switch (fnAskInUse(hWnd, lpFP->szExistsPath)) {
    case INUSE_EXIT:    return 11;
    case INUSE_AGAIN:   return FIND_AGAIN;
    case INUSE_RESTART: return 0;
    case INUSE_SKIP:    return 12;
    default:            return FIND_ON;     /* closed */
    }
}

/* Step 4: a copy in another directory than the destination. */
static int fnExistsElsewhere(HWND hWnd, IFStruct *lpIF)
{
    if (!lpIF->szCurDir[0] || fnSamePath(lpIF->szCurDir, lpIF->szDstDir))
        return 0;
    switch (lpIF->uCopyMode) {
    case CM_P: return fnAskElsewhere(hWnd, lpIF);
    case CM_F: return 17;
    case CM_W: return 16;
    default: break;
    }
    if (fnSamePath(lpIF->szCurDir, g_szSourceDir))
        return 14;
    return lpIF->uCopyMode == CM_C ? 0 : 14;
}

int fnFindFileInfoVer(HWND hWnd, IFStruct *lpIF)
{
    UINT uInUse = lpIF->uInUseAction;
    BOOL bCloseTried = FALSE;
    for (;;) {
        FindPathsStruct fp;
        fnFindCurrentCopy(lpIF, &fp);
        if (fnSamePath(fp.szSrcPath, fp.szDestPath))
            return 12;
        if (fp.dwVFF & VFF_BUFFTOOSMALL)
            return 15;
        if (fp.szExistsPath[0] && fnSamePath(fp.szSrcPath, fp.szExistsPath))
            return 14;
        if (fp.dwVFF & VFF_FILEINUSE) {
            int n = fnExistingInUse(hWnd, lpIF, &fp, &uInUse, &bCloseTried);
            if (n == FIND_AGAIN)
                continue;
            if (n != FIND_ON)
                return n;
        }
        return fnExistsElsewhere(hWnd, lpIF);
    }
}

/* ---- installing: errors and version conflicts ---- */

/* The message for the error bits, a later rule replacing an earlier one. */
static UINT fnErrorMessageId(DWORD dwResult)
{
    static const struct {
        DWORD dwBit;
        UINT uId;
    } s_aRules[] = {
        { IR_CANNOTCREATE, IDS_CANTCREATEFILE }, { IR_CANNOTDELETE, IDS_CANTDELETEFILE },
        { IR_CANNOTRENAME, IDS_CANTRENAMEFILE }, { IR_OUTOFSPACE, IDS_OUTOFSPACE },
        { IR_ACCESSVIOL, IDS_ACCESSVIOLATION },  { IR_SHARINGVIOL, IDS_SHARINGVIOLATION },
        { IR_FILEINUSE, IDS_FILEINUSE },         { IR_OUTOFMEMORY, IDS_INSTALLNOMEMORY },
        { IR_CANNOTREADDST, IDS_CANTREADDEST },  { IR_WRITEPROT, IDS_WRITEPROTECTED },
    };
    UINT uId = 0;
    for (size_t i = 0; i < sizeof(s_aRules) / sizeof(s_aRules[0]); i++)
        if (dwResult & s_aRules[i].dwBit)
            uId = s_aRules[i].uId;
    return uId;
}

static void fnDeleteTempCopy(const IFStruct *lpIF, char *lpszTmpFile)
{
    char szTemp[KSTL8_PATH];
    if (lpszTmpFile[0] && fnMakePath(lpIF->szSuggestDstDir, lpszTmpFile, szTemp, sizeof(szTemp)))
        fnDeleteFile(szTemp);
    lpszTmpFile[0] = '\0';
}

/* The backup of this install goes when the destination was not touched. */
static void fnDeleteBackup(IFStruct *lpIF)
{
    if (lpIF->uExistAction == EA_B && lpIF->szBackupFile[0] && fnDeleteFile(lpIF->szBackupFile))
        lpIF->szBackupFile[0] = '\0';
}

/* After a failure the destination may hold part of the new file: the
   original is copied back from the backup, which goes only then. */
static void fnRestoreBackup(IFStruct *lpIF)
{
    char szDest[KSTL8_PATH];
    if (lpIF->uExistAction != EA_B || !lpIF->szBackupFile[0] || !fnDestPath(lpIF, szDest))
        return;
    if (fnFileExists(szDest) && !fnClearFileAttrib(szDest, TRUE))
        SetFileAttributesA(szDest, FILE_ATTRIBUTE_NORMAL);
    if (CopyFileA(lpIF->szBackupFile, szDest, FALSE)) {
        fnDeleteBackup(lpIF);
        return;
    }
    fnDebugTrace("fnInstallFile", "Original not restored: dwError=%lu,\nszBackupFile=%s",
                 (unsigned long)GetLastError(), lpIF->szBackupFile);
    fnMessageBox(IDS_BACKUPKEPT, NULL, MB_OK | MB_ICONINFORMATION, szDest, lpIF->szBackupFile);
}

/* Steps 6 and 7: the message and the user's answer, INSTALL_NOERR
   without an error bit. */
static int fnReportError(HWND hWnd, IFStruct *lpIF, DWORD dwResult, char *lpszTmpFile)
{
    (void)hWnd;
    UINT uId = fnErrorMessageId(dwResult);
    if (uId == 0)
        return INSTALL_NOERR;
    if (dwResult & IR_TEMPFILE)
        fnDeleteTempCopy(lpIF, lpszTmpFile);
    /* In use, access or sharing violation: the unique-name path, no message. */
    if (uId == IDS_FILEINUSE || uId == IDS_ACCESSVIOLATION || uId == IDS_SHARINGVIOLATION)
        return 14;
    char szMsgPath[KSTL8_PATH];
    const char *lpszDir = ((lpIF->uInstallMode == IM_S || lpIF->uInstallMode == IM_R) &&
                           lpIF->szCurDir[0]) ? lpIF->szCurDir : lpIF->szSuggestDstDir;
    fnMakePath(lpszDir, lpIF->szDstFileName, szMsgPath, sizeof(szMsgPath));
    BOOL bRemovable = fnGetDriveType(szMsgPath) == DRIVE_REMOVABLE;
    int nAnswer;
    if (uId == IDS_OUTOFSPACE && bRemovable)
        nAnswer = fnMessageBox(IDS_CREATEABORTRETRY, NULL, MB_ABORTRETRYIGNORE | MB_ICONINFORMATION,
                               szMsgPath);
    else if (uId == IDS_OUTOFSPACE || uId == IDS_CANTREADDEST)
        /* OK skips the file, Cancel stops; a quiet run skips. */
        nAnswer = fnMessageBox(IDS_CREATEOKCANCEL, NULL, MB_OKCANCEL | MB_ICONINFORMATION,
                               szMsgPath) == IDOK ? IDIGNORE : IDABORT;
    else
        /* Quiet: Abort, the box's default (a quiet run never retries). */
        nAnswer = fnMessageBox(uId, NULL, MB_ABORTRETRYIGNORE | MB_ICONQUESTION, szMsgPath);
    if (nAnswer == IDRETRY) {
        char szDest[KSTL8_PATH];
        if ((dwResult & IR_WRITEPROT) && fnDestPath(lpIF, szDest))
            fnClearFileAttrib(szDest, TRUE);
        return INSTALL_AGAIN;
    }
    fnRestoreBackup(lpIF);
    return nAnswer == IDIGNORE ? 12 : 11;
}

/* Dialog 7 for the conflict; quiet runs keep the existing file unseen. */
static int fnAskConflict(HWND hWnd, const IFStruct *lpIF, const char *lpszTmpFile, DWORD dwResult)
{
    VersionConflictStruct vc;
    memset(&vc, 0, sizeof(vc));
    fnMakePath(lpIF->szCurDir, lpIF->szDstFileName, vc.szExisting, sizeof(vc.szExisting));
    fnMakePath(lpIF->szSrcFilePath, lpIF->szSrcFileName, vc.szSource, sizeof(vc.szSource));
    fnMakePath(lpIF->szSuggestDstDir, lpszTmpFile, vc.szTemp, sizeof(vc.szTemp));
    fnStrCopy(vc.szDstName, lpIF->szDstFileName);
    vc.dwResult = dwResult;
    return fnShowVersionConflict(hWnd, &vc);
}

/* Step 9: a version mismatch. */
static int fnVersionMismatch(HWND hWnd, IFStruct *lpIF, DWORD *lpdwFlags, char *lpszTmpFile,
                             DWORD dwResult)
{
    fnDebugTrace("fnInstallFile - Version mismatch", "dwResult=%lX", (unsigned long)dwResult);
    if (lpIF->uCopyMode == CM_S) {
        fnDeleteBackup(lpIF);
        fnDeleteTempCopy(lpIF, lpszTmpFile);
        return 12;
    }
    if (lpIF->uCopyMode == CM_F ||
        (lpIF->uInstallMode == IM_T && lpIF->uCopyMode == CM_N && !(dwResult & IR_SRCOLD))) {
        fnDeleteTempCopy(lpIF, lpszTmpFile);
        fnDebugTrace("fnInstallFile - Version mismatch but force install", "%s",
                     lpIF->szDstFileName);
        *lpdwFlags |= IF_FORCEINSTALL;
        return INSTALL_AGAIN;
    }
    fnDebugTrace("fnInstallFile Version prompt", "uVerAction=%u", lpIF->uVerAction);
    int nChoice = 7;
    if (lpIF->uVerAction == VA_C)
        nChoice = 3;
    else if (lpIF->uVerAction != VA_K)
        nChoice = fnAskConflict(hWnd, lpIF, lpszTmpFile, dwResult);
    fnDeleteTempCopy(lpIF, lpszTmpFile);
    if (nChoice == 6) {
        *lpdwFlags |= IF_FORCEINSTALL;
        return INSTALL_AGAIN;
    }
    fnDeleteBackup(lpIF);
    return nChoice == 3 ? 11 : 12;
}

/* Step 4 of fnInstallFile: copy as is, or the version install. */
static DWORD fnInstallBytes(IFStruct *lpIF, DWORD *lpdwFlags, char *lpszTmpFile, size_t cchTmp)
{
    if (lpIF->uInstallMode == IM_A)
        return fnCopyFileAsIs(lpIF->szSrcFilePath, lpIF->szSrcFileName, lpIF->szSuggestDstDir,
                              lpIF->szDstFileName, TRUE);
    if (lpIF->uVerAction == VA_I) {
        *lpdwFlags |= IF_FORCEINSTALL;
        lpIF->uCopyMode = CM_F;
    }
    return fnVerInstallFile(*lpdwFlags, lpIF->szSrcFileName, lpIF->szDstFileName,
                            lpIF->szSrcFilePath, lpIF->szSuggestDstDir, lpIF->szCurDir, lpszTmpFile,
                            cchTmp, lpIF->uInstallMode,
                            lpIF->bKeepAttrib || lpIF->uInstallMode == IM_K);
}

/* Step 2: the destination tree; 11 when it cannot be made. */
static int fnMakeDestTree(HWND hWnd, const IFStruct *lpIF)
{
    if (fnCreateDirTree(lpIF->szSuggestDstDir))
        return 0;
    if (fnTestDrive(hWnd, lpIF->szSuggestDstDir, FALSE))
        fnMessageBox(IDS_DIRTREEFAIL, NULL, MB_OK | MB_ICONINFORMATION, lpIF->szSuggestDstDir);
    return 11;
}

int fnInstallFile(HWND hWnd, DWORD dwFlags, IFStruct *lpIF, char *lpszTmpFile, size_t cchTmp)
{
    char szDummy[KSTL8_PATH];
    if (!lpszTmpFile || cchTmp == 0) {
        lpszTmpFile = szDummy;
        cchTmp = sizeof(szDummy);
    }
    for (;;) {
        fnPumpMessages();
        lpszTmpFile[0] = '\0';
        g_dwInstallResult = 0;
        int n = fnMakeDestTree(hWnd, lpIF);
        if (n)
            return n;
        char szSource[KSTL8_PATH];
        if (!fnMakePath(lpIF->szSrcFilePath, lpIF->szSrcFileName, szSource, sizeof(szSource)) ||
            !fnFileExists(szSource))
            return 13;
        HCURSOR hOld = SetCursor(LoadCursorA(NULL, (LPCSTR)IDC_WAIT));
        DWORD dwResult = fnInstallBytes(lpIF, &dwFlags, lpszTmpFile, cchTmp);
        SetCursor(hOld);
        g_dwInstallResult = dwResult;
        n = fnReportError(hWnd, lpIF, dwResult, lpszTmpFile);
        if (n == INSTALL_AGAIN)
            continue;
        if (n != INSTALL_NOERR)
            return n;
        if (dwResult & IR_CANNOTREADSRC) {
            fnDeleteTempCopy(lpIF, lpszTmpFile);
            return 13;
        }
        if (!(dwResult & IR_VERSION)) {
            fnDebugTrace("fnInstallFile (Done)", "dwResult=%lX", (unsigned long)dwResult);
            return 0;
        }
        n = fnVersionMismatch(hWnd, lpIF, &dwFlags, lpszTmpFile, dwResult);
        if (n != INSTALL_AGAIN)
            return n;
    }
}

/* ---- one file ---- */

/* Step 1: the progress window's lines. */
static void fnShowStart(const IFStruct *lpIF)
{
    fnStatusText(lpIF->hWndStatus, IDC_PROGRESS_TEXT1, "%s", "Installing files...");
    if (lpIF->szDescription[0])
        fnStatusText(lpIF->hWndStatus, IDC_PROGRESS_TEXT2, "Description: %s", lpIF->szDescription);
    fnStatusText(lpIF->hWndStatus, IDC_PROGRESS_TEXT3, "Source file: %s", lpIF->szSrcFileName);
    fnStatusText(lpIF->hWndStatus, IDC_PROGRESS_TEXT4, "%s", "");
}

/* Step 2: 0 when the source is there, else fnInsertDisk's 1 or 2. */
static int fnLocateSource(HWND hWnd, IFStruct *lpIF)
{
    for (;;) {
        fnStrCopy(lpIF->szSuggestDstDir, lpIF->uCopyMode == CM_W ? g_szWinDir : lpIF->szDstDir);
        char szDest[KSTL8_PATH], szSource[KSTL8_PATH];
        fnDestPath(lpIF, szDest);
        fnStatusText(lpIF->hWndStatus, IDC_PROGRESS_TEXT4, "Install as: %s", szDest);
        if (fnMakePath(lpIF->szSrcFilePath, lpIF->szSrcFileName, szSource, sizeof(szSource)) &&
            fnFileExists(szSource))
            return 0;
        int n = fnInsertDisk(hWnd, lpIF->hWndStatus, lpIF->uFileNum, lpIF->bPromptDisk,
                             lpIF->szDiskName, lpIF->szSrcFilePath, sizeof(lpIF->szSrcFilePath),
                             lpIF->szSrcFileName, sizeof(lpIF->szSrcFileName));
        if (n != 3)
            return n;
    }
}

/* Step 3: where and how, without a search for modes that copy as is. */
static int fnChooseWay(HWND hWnd, IFStruct *lpIF)
{
    fnDebugTrace("fnInstallFileVer- fnFindFileInfoVer (before)", "szDstFileName=%s",
                 lpIF->szDstFileName);
    int nFind = 0;
    if (lpIF->uInstallMode == IM_A || lpIF->uInstallMode == IM_K || lpIF->uCopyMode == CM_J)
        lpIF->szCurDir[0] = '\0';   /* no old copy of an earlier line is ever deleted */
    else
        nFind = fnFindFileInfoVer(hWnd, lpIF);
    fnRedrawStatus(lpIF->hWndStatus);
    fnDebugTrace("fnInstallFileVer - fnFindFileInfoVer (after)", "nResult=%d,\nszCurDir=%s", nFind,
                 lpIF->szCurDir);
    return nFind;
}

/* Step 4: the directory and the flags for the find result. */
static DWORD fnPlaceFile(IFStruct *lpIF, int nFind)
{
    DWORD dwFlags = nFind == 14 ? IF_DONTDELETEOLD : 0;
    if (nFind == 13)
        fnStrCopy(lpIF->szSuggestDstDir, lpIF->szCurDir);
    if (lpIF->uCopyMode == CM_F || nFind == 17) {
        fnStrCopy(lpIF->szSuggestDstDir, lpIF->szDstDir);
        dwFlags |= IF_DONTDELETEOLD;
    }
    if (lpIF->uCopyMode == CM_W) {
        fnStrCopy(lpIF->szSuggestDstDir, g_szWinDir);
        dwFlags |= IF_DONTDELETEOLD;
    }
    if (lpIF->uCopyMode == CM_C)
        fnStrCopy(lpIF->szSuggestDstDir, lpIF->szDstDir);
    return dwFlags;
}

/* The part of a full path below lpszDir (its file name otherwise). */
static BOOL fnNameBelow(const char *lpszDir, const char *lpszFull, char (&szOut)[KSTL8_PATH])
{
    size_t cch = strlen(lpszDir);
    if (cch && fnStrCmpNI(lpszFull, lpszDir, cch) == 0) {
        const char *p = lpszFull + cch;
        while (*p == '\\')
            p++;
        return fnStrCopy(szOut, p);
    }
    return fnStrCopy(szOut, fnGetFilePart(lpszFull));
}

/* Exist action B: a copy of the existing file under a free backup name. */
static int fnBackUpExisting(InstallCallStruct *lpCall, DWORD *lpdwFlags, const char *lpszDest)
{
    IFStruct *lpIF = lpCall->lpIF;
    char szBackup[KSTL8_PATH], szDir[KSTL8_PATH];
    if (fnUniqueFileName(lpIF->szSuggestDstDir, lpIF->szDstFileName, szBackup, sizeof(szBackup)) ==
            0 ||
        !fnGetDirPart(szBackup, szDir, sizeof(szDir))) {
        fnMessageBox(IDS_CANTBACKUP, NULL, MB_OK | MB_ICONINFORMATION, lpIF->szDstFileName);
        return fnSkipFile(lpIF);
    }
    fnStatusText(lpIF->hWndStatus, IDC_PROGRESS_TEXT3, "Backing up file: %s", lpszDest);
    fnStatusText(lpIF->hWndStatus, IDC_PROGRESS_TEXT4, "To file: %s", szBackup);
    char szSrcDir[KSTL8_PATH];
    DWORD dwBits = fnGetDirPart(lpszDest, szSrcDir, sizeof(szSrcDir))
                       ? fnCopyFileAsIs(szSrcDir, fnGetFilePart(lpszDest), szDir,
                                        fnGetFilePart(szBackup), TRUE)
                       : IR_CANNOTREADSRC;
    if (dwBits) {
        fnDebugTrace("fnInstallFileVer", "Backup failed: dwResult=%lX,\nszBackup=%s",
                     (unsigned long)dwBits, szBackup);
        fnMessageBox(IDS_CANTBACKUP, NULL, MB_OK | MB_ICONINFORMATION, lpIF->szDstFileName);
        lpIF->szBackupFile[0] = '\0';
        return fnSkipFile(lpIF);
    }
    fnStrCopy(lpIF->szBackupFile, szBackup);
    lpCall->bBackupDone = TRUE;
    *lpdwFlags |= IF_FORCEINSTALL;
    return EXIST_GO;
}

/* Exist action U: the file goes in under a free unique name. */
static int fnUseUniqueName(IFStruct *lpIF)
{
    char szUnique[KSTL8_PATH], szName[KSTL8_PATH];
    if (fnUniqueFileName(lpIF->szSuggestDstDir, lpIF->szDstFileName, szUnique, sizeof(szUnique)) ==
            0 ||
        !fnNameBelow(lpIF->szSuggestDstDir, szUnique, szName)) {
        fnMessageBox(IDS_CANTINSTALL, NULL, MB_OK | MB_ICONINFORMATION, lpIF->szDstFileName);
        return fnSkipFile(lpIF);
    }
    fnStatusText(lpIF->hWndStatus, IDC_PROGRESS_TEXT3, "Installing file: %s", lpIF->szDstFileName);
    fnStatusText(lpIF->hWndStatus, IDC_PROGRESS_TEXT4, "as file: %s", szName);
    fnStrCopy(lpIF->szDstFileName, szName);
    return EXIST_GO;
}

/* Step 5: an existing target, by the exist action. */
static int fnCheckExisting(InstallCallStruct *lpCall, DWORD *lpdwFlags)
{
    IFStruct *lpIF = lpCall->lpIF;
    BOOL bFirstR = lpIF->uInstallMode == IM_R && lpIF->uJoinPart == JP_FIRST;
    if (lpIF->uCopyMode == CM_J && !bFirstR)
        return EXIST_GO;
    char szDest[KSTL8_PATH];
    if (!fnDestPath(lpIF, szDest))
        return fnSkipFile(lpIF);
    if (lpIF->uExistAction != EA_N && lpIF->uExistAction != EA_K && fnFileExists(szDest)) {
        if (lpIF->uExistAction == EA_P) {
            UINT uAction = fnAskExists(lpCall->hWnd, lpIF);
            if (uAction == 0)
                return 2;
            lpIF->uExistAction = uAction;
        }
        int n = EXIST_GO;
        if (lpIF->uExistAction == EA_B && !lpCall->bBackupDone)
            n = fnBackUpExisting(lpCall, lpdwFlags, szDest);
        else if (lpIF->uExistAction == EA_U)
            n = fnUseUniqueName(lpIF);
        else if (lpIF->uExistAction == EA_S)
            n = fnSkipFile(lpIF);
        if (n != EXIST_GO)
            return n;
    }
    if (bFirstR && fnFileExists(szDest) && !fnDeleteFile(szDest))
        fnDebugTrace("fnInstallFileVer", "First part: %s not deleted", szDest);
    return EXIST_GO;
}

/* Step 6, copy mode J: append the part; failures ask Abort, Retry or
   Ignore.  0 appended, 11 stop, 12 skip. */
static int fnAppendPart(IFStruct *lpIF, const char *lpszDest)
{
    char szSource[KSTL8_PATH];
    if (!fnMakePath(lpIF->szSrcFilePath, lpIF->szSrcFileName, szSource, sizeof(szSource)))
        return 13;
    for (;;) {
        DWORD dwBits = fnAppendToFile(szSource, lpszDest);
        g_dwInstallResult = dwBits;
        if (dwBits == 0)
            return 0;
        /* Quiet: Abort, the box's default. */
        int nAnswer = fnMessageBox(dwBits & IR_OUTOFSPACE ? IDS_OUTOFSPACE : IDS_CANTCREATEFILE,
                                   NULL, MB_ABORTRETRYIGNORE | MB_ICONQUESTION);
        if (nAnswer != IDRETRY)
            return nAnswer == IDIGNORE ? 12 : 11;
    }
}

/* Copy mode C: once the file is in, the copies of its name in the Windows
   and system directories go; the destination itself never does. */
static void fnRemoveWindowsCopies(const IFStruct *lpIF, const char *lpszDest)
{
    if (lpIF->uCopyMode != CM_C || lpIF->uExistAction != EA_N)
        return;
    const char *apszDirs[] = { g_szWinDir, g_szSysDir };
    for (size_t i = 0; i < 2; i++) {
        char szCopy[KSTL8_PATH];
        if (!apszDirs[i][0] ||
            !fnMakePath(apszDirs[i], fnGetFilePart(lpszDest), szCopy, sizeof(szCopy)) ||
            !fnFileExists(szCopy) || fnSamePath(szCopy, lpszDest))
            continue;
        BOOL bOk = fnDeleteFile(szCopy);
        fnDebugTrace("fnInstallFileVer", "Copy mode C: bRC=%d, deleted %s", bOk, szCopy);
    }
}

/* Step 7: the target is in use.  The unique name is prepared here; the
   replacement is arranged only once the file is there (fnArrangeRestart). */
static int fnPrepareInUse(InstallCallStruct *lpCall, DWORD dwFlags)
{
    IFStruct *lpIF = lpCall->lpIF;
    if (lpCall->bInUseDone)
        return fnSkipFile(lpIF);
    lpCall->bInUseDone = TRUE;
    char szDest[KSTL8_PATH], szName[KSTL8_PATH];
    fnDestPath(lpIF, szDest);
    fnDebugTrace("fnInstallFileVer (InstallAndRestart)", "szDest=%s", szDest);
    if (fnUniqueFileName(lpIF->szSuggestDstDir, lpIF->szDstFileName, lpCall->szUnique,
                         sizeof(lpCall->szUnique)) != 2 ||
        !fnNameBelow(lpIF->szSuggestDstDir, lpCall->szUnique, szName)) {
        fnMessageBox(IDS_CANTINSTALL, NULL, MB_OK | MB_ICONINFORMATION, lpIF->szDstFileName);
        lpCall->szUnique[0] = '\0';
        return fnSkipFile(lpIF);
    }
    fnStrCopy(lpCall->szRealDst, szDest);
    fnStatusText(lpIF->hWndStatus, IDC_PROGRESS_TEXT3, "Installing file: %s", lpIF->szDstFileName);
    fnStatusText(lpIF->hWndStatus, IDC_PROGRESS_TEXT4, "as file: %s", szName);
    fnStrCopy(lpIF->szDstFileName, szName);
    if (lpIF->uExistAction == EA_U)
        lpIF->uExistAction = EA_N;
    lpCall->dwKeepFlags = dwFlags & IF_DONTDELETEOLD;
    return INSTALL_LOOK;
}

/* The unique copy is installed: it replaces the file in use at the next
   start.  0 arranged, 1 skipped, 2 stop. */
static int fnArrangeRestart(InstallCallStruct *lpCall)
{
    if (fnReplaceFileInUse(lpCall->szUnique, lpCall->szRealDst)) {
        g_uOnExit = 4;
        fnLogWrite(TRUE, "Replaced at restart: %s by %s", lpCall->szRealDst, lpCall->szUnique);
        return 0;
    }
    fnDebugTrace("fnInstallFileVer", "Replacement not arranged: dwError=%lu,\nszUnique=%s",
                 (unsigned long)GetLastError(), lpCall->szUnique);
    fnDeleteFile(lpCall->szUnique);
    /* Quiet: Yes, the file is skipped and the install goes on. */
    return fnMessageBox(IDS_CANTINSTALL, NULL, MB_YESNO | MB_ICONINFORMATION,
                        lpCall->szRealDst) == IDYES ? fnSkipFile(lpCall->lpIF) : 2;
}

/* Step 8: the outcome of the install. */
static int fnFinishFile(InstallCallStruct *lpCall, int nInstall)
{
    IFStruct *lpIF = lpCall->lpIF;
    char szDest[KSTL8_PATH];
    fnDestPath(lpIF, szDest);
    if (lpCall->szRealDst[0] && nInstall != 0) {
        /* The unique copy did not go in: nothing replaces the file in use. */
        fnDeleteFile(lpCall->szUnique);
        return nInstall == 11 ? 2 : fnSkipFile(lpIF);
    }
    if (nInstall == 11)
        return 2;
    if (nInstall == 12)
        return fnSkipFile(lpIF);
    if (nInstall == 13) {
        int n = fnInsertDisk(lpCall->hWnd, lpIF->hWndStatus, lpIF->uFileNum, lpIF->bPromptDisk,
                             lpIF->szDiskName, lpIF->szSrcFilePath, sizeof(lpIF->szSrcFilePath),
                             lpIF->szSrcFileName, sizeof(lpIF->szSrcFileName));
        return n == 3 ? INSTALL_LOOK : n;
    }
    if (lpCall->szRealDst[0]) {
        int n = fnArrangeRestart(lpCall);
        if (n != 0)
            return n;
    }
    fnRemoveWindowsCopies(lpIF, lpCall->szRealDst[0] ? lpCall->szRealDst : szDest);
    fnLogWrite(TRUE, lpIF->uInstallMode == IM_S ? "%s, S" : "%s, N", szDest);
    fnDebugTrace("fnInstallFileVer (Done)", "szDest=%s", szDest);
    fnMoveMeter(lpIF->hWndStatus, lpIF->uFileNum);
    return 0;
}

/* Steps 4 to 8 for a find result: 0, 1, 2, or INSTALL_LOOK for step 2. */
static int fnInstallPlaced(InstallCallStruct *lpCall, int nFind)
{
    IFStruct *lpIF = lpCall->lpIF;
    for (;;) {
        DWORD dwFlags = fnPlaceFile(lpIF, nFind) | lpCall->dwKeepFlags;
        int n = fnCheckExisting(lpCall, &dwFlags);
        if (n != EXIST_GO)
            return n;
        char szDest[KSTL8_PATH];
        if (!fnDestPath(lpIF, szDest))
            return fnSkipFile(lpIF);
        fnStatusText(lpIF->hWndStatus, IDC_PROGRESS_TEXT4, "Install as: %s", szDest);
        if (lpIF->uCopyMode == CM_J)
            n = fnAppendPart(lpIF, szDest);
        else
            n = fnInstallFile(lpCall->hWnd, dwFlags, lpIF, lpCall->szTmpFile,
                              sizeof(lpCall->szTmpFile));
        fnDebugTrace("fnInstallFileVer (After)", "nResult=%d,\nszDest=%s", n, szDest);
        fnRedrawStatus(lpIF->hWndStatus);
        if (n == 14) {
            n = fnPrepareInUse(lpCall, dwFlags);
            if (n != INSTALL_LOOK)
                return n;
            nFind = 0;
            continue;
        }
        return fnFinishFile(lpCall, n);
    }
}

int fnInstallFileVer(HWND hWnd, IFStruct *lpIF)
{
    InstallCallStruct call;
    memset(&call, 0, sizeof(call));
    call.hWnd = hWnd;
    call.lpIF = lpIF;
    lpIF->szBackupFile[0] = '\0';
    fnShowStart(lpIF);
    for (;;) {
        int n = fnLocateSource(hWnd, lpIF);
        if (n != 0)
            return n;
        int nFind = fnChooseWay(hWnd, lpIF);
        if (nFind == 11 || nFind == 15)
            return 2;
        if (nFind == 12)
            return fnSkipFile(lpIF);
        n = fnInstallPlaced(&call, nFind);
        if (n != INSTALL_LOOK)
            return n;
    }
}
