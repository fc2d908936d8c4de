/* Wildcard lines of copy sections: every matching file of the source
 * directory, and with + the same in each subdirectory tree below it. */
#include "copylist.h"
#include "install.h"
#include "../dialogs/dialogs.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include <string.h>

/* What a search entry is: a file, a subdirectory to descend into, or
   neither ("." and "..", and links to directories, which may loop). */
static BOOL fnIsPlainFile(const WIN32_FIND_DATAA *lpFd)
{
    return !(lpFd->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

static BOOL fnIsSubDir(const WIN32_FIND_DATAA *lpFd)
{
    return (lpFd->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(lpFd->dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
           !fnIsDotDir(lpFd->cFileName);
}

UINT fnCountWildFiles(const char *lpszDir, const char *lpszSpec, BOOL bRecurse)
{
    char szSearch[KSTL8_PATH];
    if (!fnMakePath(lpszDir, lpszSpec, szSearch, sizeof(szSearch)))
        return 0;
    UINT uFiles = 0;
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA(szSearch, &fd);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            if (fnIsPlainFile(&fd))
                uFiles++;
        } while (FindNextFileA(hFind, &fd));
        FindClose(hFind);
    }
    if (!bRecurse || !fnMakePath(lpszDir, "*.*", szSearch, sizeof(szSearch)))
        return uFiles;
    hFind = FindFirstFileA(szSearch, &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return uFiles;
    do {
        char szSub[KSTL8_PATH];
        if (fnIsSubDir(&fd) && fnMakePath(lpszDir, fd.cFileName, szSub, sizeof(szSub)))
            uFiles += fnCountWildFiles(szSub, lpszSpec, TRUE);
    } while (FindNextFileA(hFind, &fd));
    FindClose(hFind);
    return uFiles;
}

/* The directories and names a wildcard call found at its entry. */
struct WildSavedStruct {
    char szSrcFilePath[KSTL8_PATH];
    char szDstDir[KSTL8_PATH];
    char szSrcFileName[KSTL8_PATH];
    char szDstFileName[KSTL8_PATH];
};

static void fnWildRemember(const IFStruct *lpIF, WildSavedStruct *lpSaved)
{
    fnStrCopy(lpSaved->szSrcFilePath, lpIF->szSrcFilePath);
    fnStrCopy(lpSaved->szDstDir, lpIF->szDstDir);
    fnStrCopy(lpSaved->szSrcFileName, lpIF->szSrcFileName);
    fnStrCopy(lpSaved->szDstFileName, lpIF->szDstFileName);
}

static void fnWildRestore(IFStruct *lpIF, const WildSavedStruct *lpSaved)
{
    fnStrCopy(lpIF->szSrcFilePath, lpSaved->szSrcFilePath);
    fnStrCopy(lpIF->szDstDir, lpSaved->szDstDir);
    fnStrCopy(lpIF->szSrcFileName, lpSaved->szSrcFileName);
    fnStrCopy(lpIF->szDstFileName, lpSaved->szDstFileName);
}

/* Install one match; FALSE when the install said stop. */
static BOOL fnWildInstallOne(HWND hWnd, IFStruct *lpIF, const char *lpszFound)
{
    fnStrCopy(lpIF->szSrcFileName, lpszFound);
    fnStrCopy(lpIF->szDstFileName, lpszFound);
    /* Copies as they are keep the name; others are installed expanded. */
    if (lpIF->uInstallMode != IM_A) {
        char szFull[KSTL8_PATH], szExpanded[KSTL8_PATH];
        if (fnMakePath(lpIF->szSrcFilePath, lpszFound, szFull, sizeof(szFull)) &&
            fnGetExpandedName(szFull, szExpanded, sizeof(szExpanded)) && szExpanded[0])
            fnStrCopy(lpIF->szDstFileName, szExpanded);
    }
    lpIF->uFileNum++;
    lpIF->uJoinPart = JP_NONE;
    fnDebugTrace("fnWildInstallFiles - File",
                 "szSrcFilePath=%s,\nszSrcFileName=%s,\nszDstDir=%s,\nszDstFileName=%s",
                 lpIF->szSrcFilePath, lpIF->szSrcFileName, lpIF->szDstDir, lpIF->szDstFileName);
    return fnInstallFileVer(hWnd, lpIF) != 2;
}

/* Every file matching szWildSpec: 1 done, 0 stopped. */
static int fnWildInstallMatches(HWND hWnd, IFStruct *lpIF, const WildSavedStruct *lpSaved)
{
    char szSearch[KSTL8_PATH];
    if (!fnMakePath(lpIF->szSrcFilePath, lpIF->szWildSpec, szSearch, sizeof(szSearch)))
        return 0;
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA(szSearch, &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return 1;
    int nResult = 1;
    do {
        if (fnProgressCancelled(lpIF->hWndStatus)) {
            nResult = 0;
            break;
        }
        if (!fnIsPlainFile(&fd))
            continue;
        fnWildRestore(lpIF, lpSaved);
        if (!fnWildInstallOne(hWnd, lpIF, fd.cFileName)) {
            nResult = 0;
            break;
        }
    } while (FindNextFileA(hFind, &fd));
    FindClose(hFind);
    return nResult;
}

/* Every subdirectory of the source: 1 done, 2 nothing found, 0 stopped. */
static int fnWildInstallSubDirs(HWND hWnd, IFStruct *lpIF, const WildSavedStruct *lpSaved)
{
    char szSearch[KSTL8_PATH];
    if (!fnMakePath(lpSaved->szSrcFilePath, "*.*", szSearch, sizeof(szSearch)))
        return 0;
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA(szSearch, &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return 2;
    int nResult = 1;
    do {
        if (!fnIsSubDir(&fd))
            continue;
        /* Each subdirectory starts from the directories of this level. */
        fnWildRestore(lpIF, lpSaved);
        fnStrCopy(lpIF->szSrcFileName, fd.cFileName);
        fnStrCopy(lpIF->szDstFileName, fd.cFileName);
        fnDebugTrace("fnWildInstallFiles - Dir", "szSrcFilePath=%s,\nszDir=%s",
                     lpIF->szSrcFilePath, fd.cFileName);
        if (!fnWildInstallDirectory(hWnd, lpIF, fd.cFileName)) {
            nResult = 0;
            break;
        }
    } while (FindNextFileA(hFind, &fd));
    FindClose(hFind);
    return nResult;
}

int fnWildInstallFiles(HWND hWnd, IFStruct *lpIF)
{
    WildSavedStruct saved;
    fnWildRemember(lpIF, &saved);
    fnDebugTrace("fnWildInstallFiles - Begin", "szSrcFilePath=%s,\nszDstFilePath=%s",
                 lpIF->szSrcFilePath, lpIF->szDstDir);
    int nResult = fnWildInstallMatches(hWnd, lpIF, &saved);
    if (nResult != 0 && lpIF->bRecurse)
        nResult = fnWildInstallSubDirs(hWnd, lpIF, &saved);
    fnWildRestore(lpIF, &saved);
    return nResult;
}

BOOL fnWildInstallDirectory(HWND hWnd, IFStruct *lpIF, const char *lpszSubDir)
{
    char szSrc[KSTL8_PATH], szDst[KSTL8_PATH];
    if (!fnMakePath(lpIF->szSrcFilePath, lpszSubDir, szSrc, sizeof(szSrc)) ||
        !fnMakePath(lpIF->szDstDir, lpszSubDir, szDst, sizeof(szDst))) {
        fnDebugTrace("fnWildInstallDirectory", "Path too long: %s\\%s", lpIF->szDstDir,
                     lpszSubDir);
        return FALSE;
    }
    if (!fnCreateDir(szDst, FALSE))
        return FALSE;
    fnDebugTrace("fnWildInstallDirectory - Begin",
                 "szDstFilePath=%s, lpIFStruct->szDstDir=%s, lpIFStruct->szDstFileName=%s", szDst,
                 lpIF->szDstDir, lpIF->szDstFileName);
    fnStrCopy(lpIF->szSrcFilePath, szSrc);
    fnStrCopy(lpIF->szDstDir, szDst);
    fnStrCopy(lpIF->szSrcFileName, lpIF->szWildSpec);
    fnStrCopy(lpIF->szDstFileName, lpIF->szWildSpec);
    return fnWildInstallFiles(hWnd, lpIF) != 0;
}
