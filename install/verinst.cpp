/* The bytes of one install: copying as is, expanding through the LZ
 * library (which copies uncompressed files unchanged), appending the
 * parts of split files, and the version install, which expands into a
 * temporary copy beside the destination, compares version resources and
 * only then puts the copy in place. */
#include "engine.h"
#include "install.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../resources/resource.h"
#include <lzexpand.h>
#include <stdlib.h>
#include <string.h>
#include <ctype.h>

#define APPEND_BLOCK 32760

static BOOL fnIsLockError(DWORD dwError)
{
    return dwError == ERROR_SHARING_VIOLATION || dwError == ERROR_LOCK_VIOLATION;
}

static BOOL fnIsDiskFullError(DWORD dwError)
{
    return dwError == ERROR_DISK_FULL || dwError == ERROR_HANDLE_DISK_FULL;
}

/* ---- paths ---- */

/* Full, long, case-folded form for comparing two spellings of a path. */
static BOOL fnNormalPath(const char *lpszPath, char (&szOut)[KSTL8_PATH])
{
    char szFull[KSTL8_PATH], szLong[KSTL8_PATH];
    char *lpszName = NULL;
    DWORD cch = GetFullPathNameA(lpszPath, sizeof(szFull), szFull, &lpszName);
    if (cch == 0 || cch >= sizeof(szFull))
        return FALSE;
    if (fnPathExists(szFull) && fnGetLongPathName(szFull, szLong, sizeof(szLong)) && szLong[0])
        fnStrCopy(szFull, szLong);
    size_t n = strlen(szFull);
    /* C:\DIR\ and C:\DIR are one directory; C:\ keeps its backslash. */
    if (n > 3 && (szFull[n - 1] == '\\' || szFull[n - 1] == '/'))
        szFull[n - 1] = '\0';
    return fnStrCopy(szOut, szFull);
}

BOOL fnSamePath(const char *lpszFirst, const char *lpszSecond)
{
    char szA[KSTL8_PATH], szB[KSTL8_PATH];
    if (!lpszFirst || !lpszSecond)
        return FALSE;
    if (!fnNormalPath(lpszFirst, szA) || !fnNormalPath(lpszSecond, szB))
        return fnStrCmpI(lpszFirst, lpszSecond) == 0;
    return fnStrCmpI(szA, szB) == 0;
}

/* ---- bits from system errors ---- */

/* A target that does not open for writing. */
static DWORD fnOpenErrorBits(DWORD dwError)
{
    if (fnIsLockError(dwError))
        return IR_SHARINGVIOL;
    return dwError == ERROR_ACCESS_DENIED ? IR_ACCESSVIOL : IR_CANNOTCREATE;
}

/* A negative LZCopy result. */
static DWORD fnLzErrorBits(LONG lResult, const char *lpszTarget, DWORD dwError)
{
    switch (lResult) {
    case LZERROR_WRITE:
        return (fnIsDiskFullError(dwError) || fnGetDiskSpace(lpszTarget) == 0) ? IR_OUTOFSPACE
                                                                             : IR_CANNOTCREATE;
    case LZERROR_BADOUTHANDLE:
        return IR_CANNOTCREATE;
    case LZERROR_GLOBALLOC:
    case LZERROR_GLOBLOCK:
        return IR_OUTOFMEMORY;
    default:    /* read errors, a bad input handle, a bad or unknown format */
        return IR_CANNOTREADSRC;
    }
}

/* The temporary copy could not replace the destination. */
static DWORD fnReplaceErrorBits(DWORD dwError)
{
    switch (dwError) {
    case ERROR_ACCESS_DENIED:       return IR_ACCESSVIOL | IR_TEMPFILE;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:         return IR_OUTOFMEMORY | IR_TEMPFILE;
    case ERROR_WRITE_PROTECT:       return IR_WRITEPROT | IR_TEMPFILE;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:      return IR_SHARINGVIOL | IR_TEMPFILE;
    case ERROR_DISK_FULL:           return IR_OUTOFSPACE | IR_TEMPFILE;
    default:                        return IR_CANNOTCREATE | IR_TEMPFILE;
    }
}

/* ---- removable drives ---- */

static BOOL fnIsRemovable(const char *lpszPath)
{
    return fnGetDriveType(lpszPath) == DRIVE_REMOVABLE;
}

/* Source and target on one removable drive: the source disk goes in first. */
static DWORD fnAskSourceDisk(const char *lpszRead, const char *lpszWrite)
{
    if (lpszRead[0] && lpszRead[1] == ':' && lpszWrite[1] == ':' &&
        toupper((unsigned char)lpszRead[0]) == toupper((unsigned char)lpszWrite[0]) &&
        fnIsRemovable(lpszRead) &&
        /* Quiet: OK, the copy goes on with whatever disk is in the drive. */
        fnMessageBoxQ(IDOK, IDS_INSERTSOURCE, NULL,
                      MB_OKCANCEL | MB_ICONINFORMATION | MB_TASKMODAL) != IDOK)
        return IR_CANNOTREADSRC;
    return 0;
}

/* A removable target drive must hold a disk: its root must become current. */
static DWORD fnAskWriteDisk(const char *lpszWrite)
{
    if (!fnIsRemovable(lpszWrite) || lpszWrite[1] != ':')
        return 0;
    char szCurDir[KSTL8_PATH] = "";
    char szRoot[4] = { lpszWrite[0], ':', '\\', '\0' };
    GetCurrentDirectoryA(sizeof(szCurDir), szCurDir);
    UINT uOldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    DWORD dwResult = 0;
    while (!SetCurrentDirectoryA(szRoot)) {
        /* Quiet: Cancel, since nobody can insert a disk. */
        if (fnMessageBoxQ(IDCANCEL, IDS_INSERTDISKIN, NULL, MB_OKCANCEL | MB_ICONEXCLAMATION,
                          szRoot) != IDOK) {
            dwResult = IR_CANNOTREADDST;
            break;
        }
    }
    SetErrorMode(uOldMode);
    if (szCurDir[0])
        SetCurrentDirectoryA(szCurDir);
    return dwResult;
}

/* An existing target that does not open for writing. */
static DWORD fnTestTargetWritable(const char *lpszPath)
{
    DWORD dwAttrib = 0;
    if (fnGetFileAttrib(lpszPath, &dwAttrib) && (dwAttrib & FILE_ATTRIBUTE_READONLY))
        return IR_WRITEPROT;
    HANDLE hFile = fnOpenFile(lpszPath, OPEN_WRITE);
    if (hFile == INVALID_HANDLE_VALUE)
        return fnIsLockError(GetLastError()) ? IR_SHARINGVIOL : IR_WRITEPROT;
    CloseHandle(hFile);
    return 0;
}

/* ---- copy as is ---- */

static DWORD fnCopyPlain(const char *lpszRead, const char *lpszWrite, BOOL bKeepAttrib)
{
    DWORD dwFree = fnGetDiskSpace(lpszWrite);
    if (dwFree == 0 || dwFree < fnGetFileSize(lpszRead))
        return IR_OUTOFSPACE;
    if (fnFileExists(lpszWrite)) {
        DWORD dwBits = fnTestTargetWritable(lpszWrite);
        if (dwBits)
            return dwBits;
    }
    if (!CopyFileA(lpszRead, lpszWrite, FALSE)) {
        DWORD dwError = GetLastError();
        fnDebugTrace("fnCopyFileAsIs Error", "lpszReadFile=%s,\nlpszWriteFile=%s,\ndwError=%lu",
                     lpszRead, lpszWrite, (unsigned long)dwError);
        return fnIsDiskFullError(dwError) ? IR_OUTOFSPACE : IR_ACCESSVIOL;
    }
    /* The system copy keeps the time stamp and the attributes. */
    if (!bKeepAttrib)
        SetFileAttributesA(lpszWrite, FILE_ATTRIBUTE_NORMAL);
    return 0;
}

DWORD fnCopyFileAsIs(const char *lpszReadDir, const char *lpszReadName, const char *lpszWriteDir,
                     const char *lpszWriteName, BOOL bKeepAttrib)
{
    char szRead[KSTL8_PATH], szWrite[KSTL8_PATH];
    if (!fnMakePath(lpszReadDir, lpszReadName, szRead, sizeof(szRead)))
        return IR_CANNOTREADSRC;
    if (!fnMakePath(lpszWriteDir, lpszWriteName, szWrite, sizeof(szWrite)))
        return IR_CANNOTCREATE;
    fnDebugTrace("fnCopyFileAsIs",
                 "lpszReadDir=%s,\nlpszReadName=%s,\nlpszWriteDir=%s,\nlpszWriteName=%s,\n"
                 "szReadFile=%s,\nszWriteFile=%s",
                 lpszReadDir, lpszReadName, lpszWriteDir, lpszWriteName, szRead, szWrite);
    DWORD dwBits = fnAskSourceDisk(szRead, szWrite);
    if (!dwBits && !fnFileExists(szRead))
        dwBits = IR_CANNOTREADSRC;
    if (!dwBits)
        dwBits = fnAskWriteDisk(szWrite);
    return dwBits ? dwBits : fnCopyPlain(szRead, szWrite, bKeepAttrib);
}

/* ---- expansion ---- */

/* An existing target is made plain and writable first. */
static DWORD fnPrepareTarget(const char *lpszTarget)
{
    if (!fnFileExists(lpszTarget))
        return 0;
    if (fnClearFileAttrib(lpszTarget, TRUE) ||
        SetFileAttributesA(lpszTarget, FILE_ATTRIBUTE_NORMAL))
        return 0;
    return IR_ACCESSVIOL;
}

/* The LZ library's own open tries the compressed name (X.DL_) when a
   file does not open, and would create that instead of the target; files
   are opened here and handed to it as plain handles. */
static HFILE fnToHFile(HANDLE hFile)
{
    return (HFILE)(LONG_PTR)hFile;
}

#define PLAIN_BLOCK 65536

/* An uncompressed source is copied in large blocks: the LZ library's own
   copy moves 1,000 bytes a call. */
static LONG fnCopyPlainHandle(HANDLE hSource, HANDLE hTarget)
{
    char *lpBuffer = (char *)malloc(PLAIN_BLOCK);
    if (!lpBuffer)
        return LZERROR_GLOBALLOC;
    LONG lResult = 0;
    for (;;) {
        DWORD cbRead = 0, cbDone = 0;
        if (!ReadFile(hSource, lpBuffer, PLAIN_BLOCK, &cbRead, NULL)) {
            lResult = LZERROR_READ;
            break;
        }
        if (cbRead == 0)
            break;
        if (!WriteFile(hTarget, lpBuffer, cbRead, &cbDone, NULL) || cbDone != cbRead) {
            lResult = LZERROR_WRITE;
            break;
        }
    }
    free(lpBuffer);
    return lResult;
}

/* Expand hSource (an LZ handle, or hPlain itself for an uncompressed
   file) into the target; install bits. */
static DWORD fnLzCopyTo(INT hSource, HANDLE hPlain, const char *lpszTarget)
{
    /* The expanded length, so a compressed source is measured as it will be. */
    LONG lSize = LZSeek(hSource, 0, 2);
    LZSeek(hSource, 0, 0);
    if (lSize > 0 && fnGetDiskSpace(lpszTarget) < (DWORD)lSize)
        return IR_OUTOFSPACE;
    DWORD dwBits = fnPrepareTarget(lpszTarget);
    if (dwBits)
        return dwBits;
    HANDLE hTarget = CreateFileA(lpszTarget, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, NULL);
    if (hTarget == INVALID_HANDLE_VALUE) {
        DWORD dwError = GetLastError();
        fnDebugTrace("fnExpandFile", "Target does not open: dwError=%lu,\nlpszTarget=%s",
                     (unsigned long)dwError, lpszTarget);
        return fnOpenErrorBits(dwError);
    }
    BOOL bPlain = hSource == fnToHFile(hPlain);
    LONG lCopied = bPlain ? fnCopyPlainHandle(hPlain, hTarget) : LZCopy(hSource, fnToHFile(hTarget));
    DWORD dwError = GetLastError();
    if (!CloseHandle(hTarget) && lCopied >= 0)
        lCopied = LZERROR_WRITE;
    if (lCopied >= 0)
        return 0;
    fnDebugTrace("fnExpandFile", "LZCopy error %ld, dwError=%lu,\nlpszTarget=%s", (long)lCopied,
                 (unsigned long)dwError, lpszTarget);
    return fnLzErrorBits(lCopied, lpszTarget, dwError);
}

static DWORD fnExpandPaths(const char *lpszSource, const char *lpszTarget, BOOL bKeepAttrib)
{
    FILETIME ft;
    DWORD dwAttrib = 0;
    if (!fnGetFileTime(lpszSource, &ft) || (bKeepAttrib && !fnGetFileAttrib(lpszSource, &dwAttrib)))
        return IR_CANNOTREADSRC;
    HANDLE hFile = fnOpenFile(lpszSource, OPEN_READ);
    if (hFile == INVALID_HANDLE_VALUE)
        return IR_CANNOTREADSRC;
    /* LZClose closes the file LZInit took; after a failed LZInit it is still ours. */
    INT hSource = LZInit(fnToHFile(hFile));
    if (hSource < 0) {
        fnDebugTrace("fnExpandFile", "LZInit error %d,\nlpszSource=%s", hSource, lpszSource);
        CloseHandle(hFile);
        return hSource == LZERROR_GLOBALLOC ? IR_OUTOFMEMORY : IR_CANNOTREADSRC;
    }
    DWORD dwBits = fnLzCopyTo(hSource, hFile, lpszTarget);
    LZClose(hSource);
    if (dwBits)
        return dwBits;
    if (!fnSetFileTime(lpszTarget, &ft) ||
        (bKeepAttrib && !SetFileAttributesA(lpszTarget, dwAttrib)))
        return IR_ACCESSVIOL;
    return 0;
}

DWORD fnExpandFile(const char *lpszSrcDir, const char *lpszSrcName, const char *lpszDstDir,
                   const char *lpszDstName, BOOL bKeepAttrib)
{
    char szSource[KSTL8_PATH], szTarget[KSTL8_PATH];
    if (!fnMakePath(lpszSrcDir, lpszSrcName, szSource, sizeof(szSource)))
        return IR_CANNOTREADSRC;
    if (!fnMakePath(lpszDstDir, lpszDstName, szTarget, sizeof(szTarget)))
        return IR_CANNOTCREATE;
    fnDebugTrace("fnExpandFile", "szSourceFile=%s,\nszTargetFile=%s,\nbKeepAttrib=%d", szSource,
                 szTarget, bKeepAttrib);
    DWORD dwBits = fnAskSourceDisk(szSource, szTarget);
    if (!dwBits && !fnFileExists(szSource))
        dwBits = IR_CANNOTREADSRC;
    if (!dwBits)
        dwBits = fnAskWriteDisk(szTarget);
    return dwBits ? dwBits : fnExpandPaths(szSource, szTarget, bKeepAttrib);
}

/* ---- appending parts ---- */

/* The target opened at its end (created when missing); its old length
   goes to *lpliStart so a failed append can be taken back. */
static HANDLE fnOpenForAppend(const char *lpszWrite, LARGE_INTEGER *lpliStart)
{
    lpliStart->QuadPart = 0;
    if (!fnFileExists(lpszWrite))
        return fnOpenFile(lpszWrite, OPEN_CREATE);
    HANDLE hFile = fnOpenFile(lpszWrite, OPEN_WRITE);
    LARGE_INTEGER liZero;
    liZero.QuadPart = 0;
    if (hFile != INVALID_HANDLE_VALUE &&
        !SetFilePointerEx(hFile, liZero, lpliStart, FILE_END)) {
        CloseHandle(hFile);
        return INVALID_HANDLE_VALUE;
    }
    return hFile;
}

static DWORD fnCopyBlocks(HANDLE hRead, HANDLE hWrite, char *lpBuffer)
{
    for (;;) {
        DWORD cbRead = 0, cbDone = 0;
        if (!ReadFile(hRead, lpBuffer, APPEND_BLOCK, &cbRead, NULL))
            return IR_CANNOTREADSRC;
        if (cbRead == 0)
            return 0;
        if (!WriteFile(hWrite, lpBuffer, cbRead, &cbDone, NULL))
            return fnIsDiskFullError(GetLastError()) ? IR_OUTOFSPACE : IR_ACCESSVIOL;
        /* A short write without an error: the volume is full. */
        if (cbDone != cbRead)
            return IR_OUTOFSPACE;
    }
}

static DWORD fnAppendOpened(HANDLE hWrite, const char *lpszRead, FILETIME *lpft)
{
    if (!fnGetFileTime(lpszRead, lpft))
        return IR_CANNOTREADSRC;
    HANDLE hRead = fnOpenFile(lpszRead, OPEN_READ);
    if (hRead == INVALID_HANDLE_VALUE)
        return IR_CANNOTREADSRC;
    char *lpBuffer = (char *)malloc(APPEND_BLOCK);
    DWORD dwBits = lpBuffer ? fnCopyBlocks(hRead, hWrite, lpBuffer) : IR_OUTOFMEMORY;
    free(lpBuffer);
    CloseHandle(hRead);
    return dwBits;
}

DWORD fnAppendToFile(const char *lpszReadFile, const char *lpszWriteFile)
{
    fnDebugTrace("fnAppendToFile", "lpszReadFile=%s,\nlpszWriteFile=%s", lpszReadFile,
                 lpszWriteFile);
    LARGE_INTEGER liStart;
    HANDLE hWrite = fnOpenForAppend(lpszWriteFile, &liStart);
    if (hWrite == INVALID_HANDLE_VALUE)
        return IR_ACCESSVIOL;
    FILETIME ft;
    DWORD dwBits = fnAppendOpened(hWrite, lpszReadFile, &ft);
    /* A failed part leaves the target as it was, so Retry appends it once. */
    if (dwBits && (!SetFilePointerEx(hWrite, liStart, NULL, FILE_BEGIN) || !SetEndOfFile(hWrite)))
        fnDebugTrace("fnAppendToFile", "Target not cut back: dwError=%lu",
                     (unsigned long)GetLastError());
    CloseHandle(hWrite);
    if (!dwBits && !fnSetFileTime(lpszWriteFile, &ft))
        dwBits = IR_ACCESSVIOL;
    fnDebugTrace("fnAppendToFile", "dwResult=%lX", (unsigned long)dwBits);
    return dwBits;
}

/* ---- version install ---- */

/* What one version install works with. */
struct VerInstallStruct {
    char szSrcFile[KSTL8_PATH];
    char szDstFile[KSTL8_PATH];
    char szOldFile[KSTL8_PATH];     /* an old copy elsewhere, or "" */
    char szTmpFile[KSTL8_PATH];     /* full path of the temporary copy */
    FILETIME ftSource;
    DWORD dwSrcAttrib;
};

static BOOL fnIsCompareMode(UINT uInstallMode)
{
    return uInstallMode == IM_S || uInstallMode == IM_V || uInstallMode == IM_T ||
           uInstallMode == IM_M;
}

/* The old copy elsewhere goes once the new file is in place, unless the
   caller keeps old copies. */
static void fnDeleteOldCopy(const VerInstallStruct *lpVI, DWORD dwFlags)
{
    if (!lpVI->szOldFile[0] || (dwFlags & IF_DONTDELETEOLD))
        return;
    DWORD dwAttrib = 0;
    if (fnGetFileAttrib(lpVI->szOldFile, &dwAttrib) && (dwAttrib & FILE_ATTRIBUTE_READONLY) &&
        !fnClearFileAttrib(lpVI->szOldFile, TRUE))
        SetFileAttributesA(lpVI->szOldFile, FILE_ATTRIBUTE_NORMAL);
    BOOL bOk = fnDeleteFile(lpVI->szOldFile);
    fnDebugTrace("fnVerInstallFile", "Old copy deleted: bRC=%d,\nszOldFile=%s", bOk,
                 lpVI->szOldFile);
}

/* Give the destination the source's time and, when asked, attributes. */
static DWORD fnFinishDestination(const VerInstallStruct *lpVI, BOOL bKeepAttrib)
{
    if (!fnSetFileTime(lpVI->szDstFile, &lpVI->ftSource) ||
        (bKeepAttrib && !SetFileAttributesA(lpVI->szDstFile, lpVI->dwSrcAttrib)))
        return IR_ACCESSVIOL;
    return 0;
}

/* Force or no comparison: straight onto the destination. */
static DWORD fnVerInstallDirect(const VerInstallStruct *lpVI, DWORD dwFlags, const char *lpszSrcDir,
                                const char *lpszSrcName, const char *lpszDstDir,
                                const char *lpszDstName, BOOL bKeepAttrib)
{
    if ((dwFlags & IF_FORCEINSTALL) && fnFileExists(lpVI->szDstFile) &&
        !fnClearFileAttrib(lpVI->szDstFile, TRUE) &&
        !SetFileAttributesA(lpVI->szDstFile, FILE_ATTRIBUTE_NORMAL))
        return IR_FILEINUSE;
    DWORD dwBits = fnExpandFile(lpszSrcDir, lpszSrcName, lpszDstDir, lpszDstName, bKeepAttrib);
    if (dwBits == 0)
        fnDeleteOldCopy(lpVI, dwFlags);
    return dwBits;
}

/* The temporary copy beside the destination, expanded from the source. */
static DWORD fnMakeTempCopy(VerInstallStruct *lpVI, const char *lpszSrcDir, const char *lpszSrcName,
                            const char *lpszDstDir, char *lpszTmpFile, size_t cchTmp)
{
    if (!fnGetTempFileName(lpszDstDir, "_VS", lpVI->szTmpFile, sizeof(lpVI->szTmpFile)))
        return IR_CANNOTCREATE;
    const char *lpszTmpName = fnGetFilePart(lpVI->szTmpFile);
    DWORD dwBits = fnStrCopyN(lpszTmpFile, cchTmp, lpszTmpName) ? 0 : IR_CANNOTCREATE;
    if (!dwBits)
        dwBits = fnExpandFile(lpszSrcDir, lpszSrcName, lpszDstDir, lpszTmpName, FALSE);
    if (dwBits) {
        /* Nothing to show the user: the failed copy goes at once. */
        fnDeleteFile(lpVI->szTmpFile);
        if (cchTmp)
            lpszTmpFile[0] = '\0';
        return dwBits | IR_CANNOTCREATE;
    }
    return 0;
}

/* The comparison of the temporary copy with the destination as install
   bits; ~0 when the copy goes ahead. */
static DWORD fnCompareTempCopy(VerInstallStruct *lpVI, UINT uInstallMode, char *lpszTmpFile,
                               size_t cchTmp)
{
    fnDebugTrace("fnCmpFileVersion", "szTempFile=%s,\nszDestFile=%s", lpVI->szTmpFile,
                 lpVI->szDstFile);
    DWORD dwTargetError = 0;
    UINT uCmp = fnCmpFileVersionInfoErr(lpVI->szTmpFile, lpVI->szDstFile, &dwTargetError);
    if ((uCmp == 1 || uCmp == 4) && fnIsLockError(dwTargetError)) {
        /* A locked destination is in use, not unreadable: the unique-name
           path takes it. */
        fnDeleteFile(lpVI->szTmpFile);
        if (cchTmp)
            lpszTmpFile[0] = '\0';
        return IR_FILEINUSE | IR_SHARINGVIOL;
    }
    if ((uInstallMode == IM_T || uInstallMode == IM_M) && uCmp == 1 &&
        fnCompareFileTimes(lpVI->szTmpFile, lpVI->szDstFile) == 3)
        return IR_TEMPFILE | IR_MISMATCH | IR_SRCOLD;
    switch (uCmp) {
    case 0:
        if (!fnDeleteFile(lpVI->szTmpFile))
            return IR_CANNOTDELETE | IR_TEMPFILE;
        if (cchTmp)
            lpszTmpFile[0] = '\0';
        return 0;
    case 3:  return IR_CANNOTREADSRC | IR_TEMPFILE;
    case 4:  return IR_CANNOTREADDST | IR_TEMPFILE;
    case 5:
    case 6:  return IR_MISMATCH | IR_TEMPFILE;
    case 7:  return IR_SRCOLD | IR_MISMATCH | IR_TEMPFILE;
    case 8:
    case 9:  return IR_DIFFTYPE | IR_MISMATCH | IR_TEMPFILE;
    case 10: return IR_DIFFLANG | IR_MISMATCH | IR_TEMPFILE;
    default: return ~(DWORD)0;  /* 1, 2 and anything above 10 */
    }
}

/* The temporary copy takes the destination's place.  A rename in the one
   directory: the bytes are written once, and the destination is either
   the old file or the new one, never a part. */
static DWORD fnPlaceTempCopy(const VerInstallStruct *lpVI)
{
    DWORD dwAttrib = 0;
    if (fnGetFileAttrib(lpVI->szDstFile, &dwAttrib) && (dwAttrib & FILE_ATTRIBUTE_READONLY))
        return IR_WRITEPROT | IR_TEMPFILE;
    if (fnMoveReplace(lpVI->szTmpFile, lpVI->szDstFile))
        return 0;
    DWORD dwError = GetLastError();
    fnDebugTrace("fnCopyFile", "dwError=%lu,\nszTempFile=%s,\nszDestFile=%s",
                 (unsigned long)dwError, lpVI->szTmpFile, lpVI->szDstFile);
    return fnReplaceErrorBits(dwError);
}

static DWORD fnVerInstallCompared(VerInstallStruct *lpVI, DWORD dwFlags, const char *lpszSrcDir,
                                  const char *lpszSrcName, const char *lpszDstDir,
                                  const char *lpszCurDir, char *lpszTmpFile, size_t cchTmp,
                                  UINT uInstallMode, BOOL bKeepAttrib)
{
    if ((uInstallMode == IM_V || uInstallMode == IM_T) &&
        fnCmpFileVersionInfo(lpVI->szSrcFile, lpVI->szDstFile) == 0)
        return 0;   /* identical: nothing to copy */
    DWORD dwBits = fnMakeTempCopy(lpVI, lpszSrcDir, lpszSrcName, lpszDstDir, lpszTmpFile, cchTmp);
    if (dwBits)
        return dwBits;
    if (lpszCurDir && lpszCurDir[0]) {
        dwBits = fnCompareTempCopy(lpVI, uInstallMode, lpszTmpFile, cchTmp);
        if (dwBits != ~(DWORD)0)
            return dwBits;
    }
    dwBits = fnPlaceTempCopy(lpVI);
    if (dwBits)
        return dwBits;
    if (cchTmp)
        lpszTmpFile[0] = '\0';
    dwBits = fnFinishDestination(lpVI, bKeepAttrib);
    if (dwBits == 0)
        fnDeleteOldCopy(lpVI, dwFlags);
    return dwBits;
}

/* Paths, the old copy, the source's time and attributes. */
static DWORD fnVerInstallPrepare(VerInstallStruct *lpVI, const char *lpszSrcName,
                                 const char *lpszDstName, const char *lpszSrcDir,
                                 const char *lpszDstDir, const char *lpszCurDir, BOOL bKeepAttrib)
{
    memset(lpVI, 0, sizeof(*lpVI));
    if (!fnMakePath(lpszSrcDir, lpszSrcName, lpVI->szSrcFile, sizeof(lpVI->szSrcFile)) ||
        !fnFileExists(lpVI->szSrcFile))
        return IR_CANNOTREADSRC;
    if (!fnMakePath(lpszDstDir, lpszDstName, lpVI->szDstFile, sizeof(lpVI->szDstFile)))
        return IR_CANNOTCREATE;
    /* An old copy is one in another place: the same file under another
       spelling is the destination itself and is never deleted. */
    if (lpszCurDir && lpszCurDir[0] &&
        fnMakePath(lpszCurDir, lpszDstName, lpVI->szOldFile, sizeof(lpVI->szOldFile)) &&
        (!fnFileExists(lpVI->szOldFile) || fnSamePath(lpVI->szOldFile, lpVI->szDstFile)))
        lpVI->szOldFile[0] = '\0';
    if (!fnGetFileTime(lpVI->szSrcFile, &lpVI->ftSource) ||
        (bKeepAttrib && !fnGetFileAttrib(lpVI->szSrcFile, &lpVI->dwSrcAttrib)))
        return IR_CANNOTREADSRC;
    return 0;
}

DWORD fnVerInstallFile(DWORD dwFlags, const char *lpszSrcName, const char *lpszDstName,
                       const char *lpszSrcDir, const char *lpszDstDir, const char *lpszCurDir,
                       char *lpszTmpFile, size_t cchTmp, UINT uInstallMode, BOOL bKeepAttrib)
{
    VerInstallStruct vi;
    if (lpszTmpFile && cchTmp)
        lpszTmpFile[0] = '\0';
    else
        cchTmp = 0;
    DWORD dwBits = fnVerInstallPrepare(&vi, lpszSrcName, lpszDstName, lpszSrcDir, lpszDstDir,
                                       lpszCurDir, bKeepAttrib);
    if (dwBits)
        return dwBits;
    BOOL bCompare = fnIsCompareMode(uInstallMode) && fnFileExists(vi.szDstFile);
    fnDebugTrace("fnVerInstallFile",
                 "dwFlags=%lu,\nlpszSrcFileName=%s,\nlpszDestFileName=%s,\nlpszSrcDir=%s,\n"
                 "lpszDestDir=%s,\nlpszCurDir=%s,\nlpszTmpFile=%s,\nszSrcFile=%s,\nszDestFile=%s",
                 (unsigned long)dwFlags, lpszSrcName, lpszDstName, lpszSrcDir, lpszDstDir,
                 lpszCurDir ? lpszCurDir : "", cchTmp ? lpszTmpFile : "", vi.szSrcFile,
                 vi.szDstFile);
    if ((dwFlags & IF_FORCEINSTALL) || !bCompare)
        return fnVerInstallDirect(&vi, dwFlags, lpszSrcDir, lpszSrcName, lpszDstDir, lpszDstName,
                                  bKeepAttrib);
    return fnVerInstallCompared(&vi, dwFlags, lpszSrcDir, lpszSrcName, lpszDstDir, lpszCurDir,
                                lpszTmpFile, cchTmp, uInstallMode, bKeepAttrib);
}

/* ---- in use ---- */

int fnTestInUse(HWND hWnd, BOOL bPrompt, DWORD dwError, const char *lpszFile)
{
    fnDebugTrace("fnTestInUse", "lpszFile=%s,dwError=%lu", lpszFile ? lpszFile : "",
                 (unsigned long)dwError);
    if (dwError != ERROR_ACCESS_DENIED && !fnIsLockError(dwError) &&
        dwError != ERROR_ALREADY_EXISTS)
        return 202;
    if (!bPrompt)
        return 201;
    return fnAskInUse(hWnd, lpszFile);
}
