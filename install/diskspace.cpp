/* Disk-space sections: how much space a set of files takes, which becomes
 * the space the installation needs; and the free-space test with its
 * three messages. */
#include "dirs.h"
#include "install.h"
#include "../script/handlers.h"
#include "../script/reader.h"
#include "../script/macro.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../resources/resource.h"
#include <string.h>
#include <stdlib.h>

PFNGETDISKSPACE g_pfnGetDiskSpace = fnGetDiskSpace;

/* What one disk-space section asks for. */
struct DiskSpaceStruct {
    char szPath[KSTL8_PATH];
    char szFiles[KSTL8_LINE];
    char szSkipDirs[KSTL8_LINE];
    BOOL bSpaceUsed;
    BOOL bEntireTree;
};

ULONGLONG fnRoundUp(ULONGLONG ullValue, DWORD dwUnit)
{
    if (dwUnit == 0)
        return 0;
    return (ullValue + dwUnit - 1) / dwUnit * dwUnit;
}

/* Length of "X:\" or "\\server\share\" at the start of a full path. */
static size_t fnRootLen(const char *lpszPath)
{
    if (lpszPath[0] && lpszPath[1] == ':')
        return lpszPath[2] == '\\' ? 3 : 2;
    if (lpszPath[0] != '\\' || lpszPath[1] != '\\')
        return 0;
    int nSep = 0;
    size_t i = 0;
    for (; lpszPath[i]; i++)
        if (lpszPath[i] == '\\' && ++nSep == 4)
            return i + 1;
    return i;
}

BOOL fnGetDriveName(const char *lpszPath, char *lpszOut, size_t cchOut)
{
    if (cchOut)
        lpszOut[0] = '\0';
    if (!lpszPath || !cchOut)
        return FALSE;
    size_t cch = fnRootLen(lpszPath);
    while (cch > 0 && lpszPath[cch - 1] == '\\' && cch > 2)
        cch--;
    if (cch == 0 || cch >= cchOut)
        return FALSE;
    memcpy(lpszOut, lpszPath, cch);
    lpszOut[cch] = '\0';
    return TRUE;
}

DWORD fnGetClusterSize(const char *lpszPath)
{
    char szFull[KSTL8_PATH], szRoot[KSTL8_PATH];
    DWORD cch = GetFullPathNameA(lpszPath, sizeof(szFull), szFull, NULL);
    if (cch == 0 || cch >= sizeof(szFull))
        return 0;
    size_t cchRoot = fnRootLen(szFull);
    if (cchRoot == 0 || cchRoot + 2 > sizeof(szRoot))
        return 0;
    memcpy(szRoot, szFull, cchRoot);
    szRoot[cchRoot] = '\0';
    if (szRoot[cchRoot - 1] != '\\')
        fnStrAppend(szRoot, "\\");
    DWORD dwSectors = 0, dwBytes = 0, dwFree = 0, dwTotal = 0;
    if (!GetDiskFreeSpaceA(szRoot, &dwSectors, &dwBytes, &dwFree, &dwTotal)) {
        fnDebugTrace("fnGetDirSpaceInUse", "GetDiskFreeSpace(%s) failed, dwError=%lu", szRoot,
                     GetLastError());
        return 0;
    }
    return dwSectors * dwBytes;
}

/* Is lpszName one of the comma-separated, macro-expanded names? */
static BOOL fnIsSkipDir(const char *lpszName, const char *lpszSkipDirs)
{
    if (!lpszSkipDirs || !*lpszSkipDirs)
        return FALSE;
    UINT uFields = 1;
    for (const char *p = lpszSkipDirs; *p; p++)
        if (*p == ',')
            uFields++;
    char szSkip[KSTL8_PATH];
    for (UINT i = 1; i <= uFields; i++) {
        if (!fnGetDelimParam(lpszSkipDirs, ",", i, szSkip, sizeof(szSkip)) || !szSkip[0])
            continue;
        fnExpandOpts(szSkip, sizeof(szSkip));
        if (fnStrCmpI(szSkip, lpszName) == 0)
            return TRUE;
    }
    return FALSE;
}

static BOOL fnIsSubDir(const WIN32_FIND_DATAA *lpFd)
{
    /* A link (reparse point) may lead back up the tree: never followed. */
    return (lpFd->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(lpFd->dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
           !fnIsDotDir(lpFd->cFileName);
}

/* The matching files of one directory; FALSE when the search can't be named. */
static BOOL fnSumFiles(const char *lpszPath, const char *lpszPattern, DWORD dwCluster,
                       ULONGLONG *lpullSize, ULONGLONG *lpullUsed)
{
    char szSearch[KSTL8_PATH];
    if (!fnMakePath(lpszPath, lpszPattern, szSearch, sizeof(szSearch)))
        return FALSE;
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA(szSearch, &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return TRUE;    /* no match is not a failure */
    do {
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        ULONGLONG ullSize = ((ULONGLONG)fd.nFileSizeHigh << 32) | fd.nFileSizeLow;
        *lpullSize += ullSize;
        *lpullUsed += fnRoundUp(ullSize, dwCluster);
        fnDebugTrace("fnBytesUsedByFiles", "FFStruct.cFileName=%s,\nszFileSpec=%s,\ndwFileSize=%llu",
                     fd.cFileName, szSearch, ullSize);
        fnPumpMessages();
    } while (FindNextFileA(hFind, &fd));
    FindClose(hFind);
    return TRUE;
}

int fnBytesUsedByFiles(const char *lpszPath, const char *lpszPattern, const char *lpszSkipDirs,
                       BOOL bRecurse, DWORD dwCluster, ULONGLONG *lpullSize,
                       ULONGLONG *lpullUsed)
{
    if (!fnSumFiles(lpszPath, lpszPattern, dwCluster, lpullSize, lpullUsed))
        return 0;
    if (!bRecurse)
        return 1;
    char szSearch[KSTL8_PATH];
    if (!fnMakePath(lpszPath, "*.*", szSearch, sizeof(szSearch)))
        return 0;
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA(szSearch, &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return 2;
    int nResult = 1;
    do {
        fnPumpMessages();
        if (!fnIsSubDir(&fd))
            continue;
        if (fnIsSkipDir(fd.cFileName, lpszSkipDirs)) {
            fnDebugTrace("fnBytesUsedByFiles", "Skipping directoy=%s", fd.cFileName);
            continue;
        }
        char szSub[KSTL8_PATH];
        if (!fnMakePath(lpszPath, fd.cFileName, szSub, sizeof(szSub))) {
            /* Deeper than a path can name: the walk stops here. */
            fnDebugTrace("fnBytesUsedByFiles", "Path too long below %s", lpszPath);
            continue;
        }
        if (fnBytesUsedByFiles(szSub, lpszPattern, lpszSkipDirs, TRUE, dwCluster, lpullSize,
                               lpullUsed) == 0) {
            nResult = 0;
            break;
        }
    } while (FindNextFileA(hFind, &fd));
    FindClose(hFind);
    return nResult;
}

ULONGLONG fnGetDirSpaceInUse(const char *lpszPath, const char *lpszPattern,
                             const char *lpszSkipDirs, BOOL bSpaceUsed, BOOL bEntireTree)
{
    if (!lpszPath || !*lpszPath)
        return 0;
    const char *lpszSpec = (lpszPattern && *lpszPattern) ? lpszPattern : "*.*";
    DWORD dwCluster = fnGetClusterSize(lpszPath);
    if (dwCluster == 0)
        return 0;
    ULONGLONG ullSize = 0, ullUsed = 0;
    int nResult = fnBytesUsedByFiles(lpszPath, lpszSpec, lpszSkipDirs, bEntireTree, dwCluster,
                                     &ullSize, &ullUsed);
    fnDebugTrace("fnGetDirSpaceInUse",
                 "dwResult=%d,\ndwBytesPerCluster=%lu,\ndwSize=%llu,\ndwUsed=%llu,\nlpszPath=%s,\nlpszFileSpec=%s",
                 nResult, (unsigned long)dwCluster, ullSize, ullUsed, lpszPath, lpszSpec);
    if (nResult == 0)
        return 0;
    return bSpaceUsed ? ullUsed : ullSize;
}

static BOOL fnIsYes(const char *lpszValue)
{
    return lpszValue[0] == 'Y' || lpszValue[0] == 'y';
}

/* The value of a keyed line as written: everything after its '='. */
static const char *fnRawValue(const char *lpszLine)
{
    const char *p = strchr(lpszLine, '=');
    p = p ? p + 1 : "";
    while (*p == ' ' || *p == '\t')
        p++;
    return p;
}

static DWORD fnCapNeed(ULONGLONG ull)
{
    return ull > 0xFFFFFFFFull ? 0xFFFFFFFF : (DWORD)ull;
}

/* One keyed line: 1 read, 0 a known key without a value (or one that does
   not fit), -1 a key that ends the reading. */
static int fnReadSpaceKey(const char *lpszLine, const char *lpszKey, DiskSpaceStruct *lpDs,
                          DWORD *lpdwNeeded)
{
    static const char *const s_apszKeys[] = { "Path", "Files", "SkipDirs", "SpaceUsed",
                                              "EntireTree", "SpaceNeeded" };
    UINT uKey = 0;
    while (uKey < 6 && fnStrCmpI(lpszKey, s_apszKeys[uKey]) != 0)
        uKey++;
    if (uKey == 6)
        return -1;
    const char *lpszValue = fnRawValue(lpszLine);
    if (!*lpszValue)
        return 0;
    switch (uKey) {
    case 0:
        if (!fnGetParam(lpszLine, 1, lpDs->szPath, sizeof(lpDs->szPath)))
            return 0;
        fnExpandOpts(lpDs->szPath, sizeof(lpDs->szPath));
        return 1;
    case 1:
        return fnStrCopy(lpDs->szFiles, lpszValue) ? 1 : 0;
    case 2:
        return fnStrCopy(lpDs->szSkipDirs, lpszValue) ? 1 : 0;
    case 3:
        lpDs->bSpaceUsed = fnIsYes(lpszValue);
        return 1;
    case 4:
        lpDs->bEntireTree = fnIsYes(lpszValue);
        return 1;
    default:
        *lpdwNeeded = fnCapNeed(_strtoui64(lpszValue, NULL, 10));
        return 1;
    }
}

/* Read the section's lines into lpDs; FALSE on a bad line. */
static BOOL fnReadDiskSpace(char *lpszSect, DiskSpaceStruct *lpDs, DWORD *lpdwNeeded)
{
    char szLine[KSTL8_LINE];
    char *p = lpszSect;
    while ((p = fnGetSectionLine(p, szLine, sizeof(szLine))) != NULL) {
        if (fnTestLineCondition(szLine, sizeof(szLine)) == COND_FAILS)
            continue;
        char szKey[KSTL8_SHORT];
        if (!fnGetParam(szLine, 0, szKey, sizeof(szKey)))
            return FALSE;
        int nRead = fnReadSpaceKey(szLine, szKey, lpDs, lpdwNeeded);
        if (nRead == 0)
            return FALSE;
        if (nRead < 0)
            break;
    }
    return TRUE;
}

/* Every pattern of Files in turn, summed in 64 bits. */
static ULONGLONG fnMeasureFiles(const DiskSpaceStruct *lpDs)
{
    UINT uFields = 1;
    for (const char *p = lpDs->szFiles; *p; p++)
        if (*p == ',')
            uFields++;
    ULONGLONG ullTotal = 0;
    for (UINT n = 1; n <= uFields; n++) {
        char szSpec[KSTL8_PATH];
        if (!fnGetDelimParam(lpDs->szFiles, ",", n, szSpec, sizeof(szSpec)))
            continue;
        if (!szSpec[0] && uFields > 1)
            continue;
        fnExpandOpts(szSpec, sizeof(szSpec));
        ULONGLONG ullUsed = fnGetDirSpaceInUse(lpDs->szPath, szSpec, lpDs->szSkipDirs,
                                               lpDs->bSpaceUsed, lpDs->bEntireTree);
        ullTotal += ullUsed;
        fnDebugTrace("fnCheckDiskSpace",
                     "nFiles=%u,\ndwSpaceUsed=%llu,\ndwTotalSpaceUsed=%llu,\nszPath=%s,\nszFileSpec=%s",
                     n, ullUsed, ullTotal, lpDs->szPath, szSpec);
    }
    return ullTotal;
}

BOOL fnCheckDiskSpace(HWND hWnd, char *lpszText, DWORD *lpdwNeeded, const char *lpszName)
{
    (void)hWnd;
    char *lpszSect = fnLocateSection(lpszText, lpszName);
    if (!lpszSect || fnCountSectionLines(lpszSect, NULL, 1) == 0)
        return TRUE;
    DiskSpaceStruct ds;
    memset(&ds, 0, sizeof(ds));
    ds.bEntireTree = TRUE;
    BOOL bRead = fnReadDiskSpace(lpszSect, &ds, lpdwNeeded);
    fnDebugTrace("fnCheckDiskSpace", "szPath=%s,\nszFileSpec=%s,\nszSkipDirs=%s,\nszFiles=%s",
                 ds.szPath, ds.szFiles[0] ? ds.szFiles : "*.*", ds.szSkipDirs, ds.szFiles);
    if (!bRead)
        return FALSE;
    if (!ds.szPath[0])
        return TRUE;
    if (!fnDirExists(ds.szPath)) {
        fnMessageBox(IDS_DIRNOTEXIST, NULL, MB_OK | MB_ICONSTOP, ds.szPath);
        return FALSE;
    }
    if (!ds.szFiles[0])
        fnStrCopy(ds.szFiles, "*.*");
    ULONGLONG ullTotal = fnMeasureFiles(&ds);
    if (ullTotal == 0)
        return FALSE;
    /* Beyond 32 bits the need is held as the largest 32-bit value. */
    *lpdwNeeded = fnCapNeed(ullTotal);
    return TRUE;
}

int fnInfCheckSpace(HWND hWnd, char *lpszSection, const char *lpszName, UserInputStruct *lpUI)
{
    fnDebugTrace("fnInfCheckSpace", "lpszSection=%s,\ndwDiskSpaceNeeded=%lu", lpszName,
                 (unsigned long)lpUI->dwDiskSpaceNeeded);
    return fnCheckDiskSpace(hWnd, lpszSection, &lpUI->dwDiskSpaceNeeded, lpszName);
}

BOOL fnTestFreeSpace(HWND hWnd, const char *lpszPath, DWORD dwNeeded, DWORD dwMinimum,
                     BOOL bWinDrive)
{
    (void)hWnd;
    if (dwNeeded == 0)
        return TRUE;
    DWORD dwFree = g_pfnGetDiskSpace(lpszPath);
    if (dwFree >= dwNeeded)
        return TRUE;
    char szDrive[KSTL8_PATH];
    fnGetDriveName(lpszPath, szDrive, sizeof(szDrive));
    fnDebugTrace("fnTestFreeSpace", "szDrive=%s,\ndwFree=%lu,\ndwNeeded=%lu,\ndwMinimum=%lu",
                 szDrive, (unsigned long)dwFree, (unsigned long)dwNeeded,
                 (unsigned long)dwMinimum);
    UINT uStyle = MB_OKCANCEL | MB_ICONQUESTION | MB_TASKMODAL;
    /* Quiet: a short Windows drive, or one above the minimum, takes OK
       (the box's default) and the install goes on. */
    if (bWinDrive)
        return fnMessageBoxQ(IDOK, IDS_WINDRIVESPACE, NULL, uStyle, szDrive,
                             (unsigned long)dwFree, (unsigned long)dwNeeded) == IDOK;
    if (dwMinimum != dwNeeded && dwFree >= dwMinimum)
        return fnMessageBoxQ(IDOK, IDS_SPACEINSTALLANYWAY, NULL, uStyle, szDrive,
                             (unsigned long)dwFree, (unsigned long)dwNeeded) == IDOK;
    fnMessageBox(IDS_SPACESELECTDRIVE, NULL, MB_OK | MB_ICONINFORMATION | MB_TASKMODAL, szDrive,
                 (unsigned long)dwFree, (unsigned long)dwNeeded);
    return FALSE;
}
