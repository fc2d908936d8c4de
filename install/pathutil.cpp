/* Path strings: quotes, extensions, splitting, qualified paths, drive
 * tests, temporary and numbered names, and the search for source files. */
#include "install.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../resources/strings.h"
#include <string.h>

static BOOL fnIsSep(char c)
{
    return c == '\\' || c == '/' || c == ':';
}

static BOOL fnIsQuote(char c)
{
    return c == '"' || c == '\'';
}

char *fnStripQuotes(char *lpszPath)
{
    if (!lpszPath || !fnIsQuote(lpszPath[0]))
        return lpszPath;
    BOOL bDouble = FALSE, bSingle = FALSE;
    size_t cchLead = 0;
    for (; fnIsQuote(lpszPath[cchLead]); cchLead++) {
        if (lpszPath[cchLead] == '"')
            bDouble = TRUE;
        else
            bSingle = TRUE;
    }
    /* Closing quotes of a kind that opened are cut; the other kind is
       stepped over. */
    size_t cch = strlen(lpszPath);
    for (size_t i = cch; i > cchLead && fnIsQuote(lpszPath[i - 1]); i--) {
        char c = lpszPath[i - 1];
        if ((c == '"' && bDouble) || (c == '\'' && bSingle))
            lpszPath[i - 1] = '\0';
    }
    memmove(lpszPath, lpszPath + cchLead, strlen(lpszPath + cchLead) + 1);
    return lpszPath;
}

BOOL fnAddExtension(char *lpszOut, size_t cchOut, const char *lpszName, const char *lpszExt)
{
    if (!lpszName || !*lpszName)
        return FALSE;
    if (!lpszExt)
        lpszExt = "";
    if (*lpszExt == '.')
        lpszExt++;
    size_t cchName = strlen(lpszName);
    const char *lpszDot = lpszName[cchName - 1] == '.' ? "" : ".";
    if (!fnStrFormatN(lpszOut, cchOut, "%s%s%s", lpszName, lpszDot, lpszExt)) {
        lpszOut[0] = '\0';
        return FALSE;
    }
    return TRUE;
}

/* Index of the fourth backslash of a UNC path (the one after the share),
   or -1. */
static int fnUncRootEnd(const char *lpszPath, size_t cch)
{
    int nSlash = 0;
    for (size_t i = 0; i < cch; i++)
        if (lpszPath[i] == '\\' && ++nSlash == 4)
            return (int)i;
    return -1;
}

/* Index of the last separator, or -1. */
static int fnLastSep(const char *lpszPath)
{
    int nLast = -1;
    for (int i = 0; lpszPath[i]; i++)
        if (fnIsSep(lpszPath[i]))
            nLast = i;
    return nLast;
}

static BOOL fnCopyPart(char *lpszOut, const char *lpszFrom, size_t cch)
{
    if (cch >= KSTL8_PATH)
        cch = KSTL8_PATH - 1;
    memcpy(lpszOut, lpszFrom, cch);
    lpszOut[cch] = '\0';
    return TRUE;
}

static BOOL fnSplitDrive(const char *lpszPath, char *lpszDrive)
{
    if (lpszPath[0] && lpszPath[0] != ':' && lpszPath[1] == ':')
        return fnCopyPart(lpszDrive, lpszPath, 2);
    lpszDrive[0] = '\0';
    if (lpszPath[0] == '\\' && lpszPath[1] == '\\') {
        int nEnd = fnUncRootEnd(lpszPath, strlen(lpszPath));
        if (nEnd > 0)
            return fnCopyPart(lpszDrive, lpszPath, (size_t)nEnd);
    }
    return FALSE;
}

static BOOL fnSplitExt(const char *lpszPath, char *lpszExt)
{
    const char *lpszName = lpszPath + fnLastSep(lpszPath) + 1;
    const char *lpszDot = strrchr(lpszName, '.');
    lpszExt[0] = '\0';
    /* A dot that begins the name (.PROFILE) starts no extension. */
    if (!lpszDot || lpszDot == lpszName)
        return FALSE;
    return fnCopyPart(lpszExt, lpszDot + 1, strlen(lpszDot + 1));
}

static BOOL fnSplitBase(const char *lpszPath, char *lpszBase)
{
    const char *lpszName = lpszPath + fnLastSep(lpszPath) + 1;
    const char *lpszDot = lpszName[0] ? strchr(lpszName + 1, '.') : NULL;
    size_t cch = lpszDot ? (size_t)(lpszDot - lpszName) : strlen(lpszName);
    fnCopyPart(lpszBase, lpszName, cch);
    BOOL bRC = lpszPath[0] != '\0';
    fnDebugTrace("fnSplitPath", "bRC=%d,\nlpszStart=%s,\nlpszFileName=%s", bRC, lpszPath,
                 lpszBase);
    return bRC;
}

static BOOL fnSplitDirDrive(const char *lpszPath, char *lpszDir)
{
    int nSep = fnLastSep(lpszPath);
    if (nSep < 0) {
        lpszDir[0] = '\0';
        return FALSE;
    }
    size_t cch = (size_t)nSep;
    /* C:\FILE keeps C:\ and C:FILE keeps C: */
    if (lpszPath[nSep] == ':' || (nSep > 0 && lpszPath[nSep - 1] == ':'))
        cch++;
    fnCopyPart(lpszDir, lpszPath, cch);
    if (lpszPath[0] == '\\' && lpszPath[1] == '\\') {
        int nSlash = 0;
        for (const char *p = lpszDir; *p; p++)
            if (*p == '\\')
                nSlash++;
        if (nSlash == 3)
            fnStrAppendN(lpszDir, KSTL8_PATH, "\\");
    }
    return TRUE;
}

static BOOL fnSplitDir(const char *lpszPath, char *lpszDir)
{
    lpszDir[0] = '\0';
    int nSep = fnLastSep(lpszPath);
    if (nSep < 0)
        return FALSE;
    size_t cchStart;
    if (lpszPath[0] && lpszPath[0] != ':' && lpszPath[1] == ':') {
        cchStart = 2;
    } else if (lpszPath[0] == '\\' && lpszPath[1] == '\\') {
        int nEnd = fnUncRootEnd(lpszPath, (size_t)nSep);
        if (nEnd < 0)
            return FALSE;
        cchStart = (size_t)nEnd;
    } else {
        return FALSE;
    }
    if ((size_t)nSep > cchStart)
        fnCopyPart(lpszDir, lpszPath + cchStart, (size_t)nSep - cchStart);
    return TRUE;
}

BOOL fnSplitPath(char *lpszPath, char *lpszDrive, char *lpszDir, char *lpszBase,
                 char *lpszExt, char *lpszFile, char *lpszDirDrive)
{
    if (!lpszPath)
        return FALSE;
    fnStripQuotes(lpszPath);
    BOOL bRC = TRUE;
    if (lpszDrive && !fnSplitDrive(lpszPath, lpszDrive))
        bRC = FALSE;
    if (lpszExt && !fnSplitExt(lpszPath, lpszExt))
        bRC = FALSE;
    if (lpszFile)
        fnCopyPart(lpszFile, lpszPath + fnLastSep(lpszPath) + 1,
                   strlen(lpszPath + fnLastSep(lpszPath) + 1));
    if (lpszBase && !fnSplitBase(lpszPath, lpszBase))
        bRC = FALSE;
    if (lpszDirDrive && !fnSplitDirDrive(lpszPath, lpszDirDrive))
        bRC = FALSE;
    if (lpszDir && !fnSplitDir(lpszPath, lpszDir))
        bRC = FALSE;
    return bRC;
}

BOOL fnIsFullPath(const char *lpszPath)
{
    return lpszPath && lpszPath[0] &&
           (lpszPath[1] == ':' || (lpszPath[0] == '\\' && lpszPath[1] == '\\'));
}

BOOL fnIsQualifiedPath(const char *lpszPath)
{
    if (!lpszPath || !lpszPath[0])
        return FALSE;
    const char *p = lpszPath;
    BOOL bSlash0 = p[0] == '\\' || p[0] == '/';
    BOOL bSlash1 = p[1] == '\\' || p[1] == '/';
    if (bSlash0 && bSlash1)
        return TRUE;
    if (p[0] == '.' && bSlash1)
        return TRUE;
    if (p[0] == '.' && p[1] == '.' && (p[2] == '\\' || p[2] == '/'))
        return TRUE;
    return fnIsDotDir(p) || p[1] == ':';
}

BOOL fnIsDotDir(const char *lpszName)
{
    return lpszName && (strcmp(lpszName, ".") == 0 || strcmp(lpszName, "..") == 0);
}

BOOL fnSkipDrive(const char *lpszPath, char *lpszOut, size_t cchOut)
{
    const char *p = (lpszPath && *lpszPath) ? lpszPath + 1 : "";
    while (*p == ':' || *p == '\\')
        p++;
    return fnStrCopyN(lpszOut, cchOut, p);
}

BOOL fnTestDrive(HWND hWnd, const char *lpszPath, BOOL bEnterAnother)
{
    (void)hWnd; /* the message routine owns its boxes */
    UINT uType = fnGetDriveType(lpszPath);
    if (uType != DRIVE_UNKNOWN && uType != DRIVE_NO_ROOT_DIR)
        return TRUE;
    char szPath[KSTL8_PATH];
    char szDrive[KSTL8_PATH];
    fnStrCopy(szPath, lpszPath);
    if (!fnSplitPath(szPath, szDrive, NULL, NULL, NULL, NULL, NULL))
        fnStrCopy(szDrive, szPath);
    fnDebugTrace("fnTestDrive", "lpszPath=%s,\nuType=%u", lpszPath, uType);
    fnMessageBoxQ(IDOK, bEnterAnother ? IDS_DRIVEENTERANOTHER : IDS_DRIVEUNAVAILABLE, NULL,
                  MB_OK | MB_ICONINFORMATION | MB_TASKMODAL, szDrive);
    return FALSE;
}

BOOL fnGetTempFileName(const char *lpszDir, const char *lpszPrefix, char *lpszOut, size_t cchOut)
{
    char szTemp[MAX_PATH + 1] = "";
    BOOL bOk = GetTempFileNameA(lpszDir, lpszPrefix, 0, szTemp) != 0;
    if (bOk && !fnStrCopyN(lpszOut, cchOut, szTemp)) {
        DeleteFileA(szTemp);
        bOk = FALSE;
    }
    if (!bOk) {
        fnDebugTrace("fnGetTempFileName",
                     "dwError=%lu,\nlpszTempPath=%s,\nlpszTempPrefix=%s,\nlpszTempFile=%s",
                     GetLastError(), lpszDir, lpszPrefix, szTemp);
        if (cchOut)
            lpszOut[0] = '\0';
    }
    return bOk;
}

BOOL fnGetTempFile(const char *lpszPrefix, char *lpszOut, size_t cchOut, char *lpszTempDir,
                   size_t cchTempDir)
{
    char szDir[KSTL8_PATH];
    DWORD cch = GetTempPathA(sizeof(szDir), szDir);
    if (cch == 0 || cch >= sizeof(szDir))
        fnStrCopy(szDir, "C:\\");
    if (lpszTempDir && !fnStrCopyN(lpszTempDir, cchTempDir, szDir))
        return FALSE;
    return fnGetTempFileName(szDir, lpszPrefix, lpszOut, cchOut);
}

BOOL fnUniqueShortName(const char *lpszPath, char *lpszOut, size_t cchOut, BOOL bKeepName)
{
    if (!fnPathExists(lpszPath))
        return fnStrCopyN(lpszOut, cchOut, lpszPath);
    char szStem[KSTL8_PATH];
    if (bKeepName) {
        char szPath[KSTL8_PATH], szDir[KSTL8_PATH], szBase[KSTL8_PATH], szExt[KSTL8_PATH];
        if (!fnStrCopy(szPath, lpszPath))
            return FALSE;
        fnSplitPath(szPath, NULL, NULL, szBase, szExt, NULL, szDir);
        char szFirst[2] = { szExt[0] ? szExt[0] : '^', '\0' };
        BOOL bFit = szDir[0] ? fnStrFormat(szStem, "%s\\%s.%s", szDir, szBase, szFirst)
                             : fnStrFormat(szStem, "%s.%s", szBase, szFirst);
        if (!bFit)
            return FALSE;
    } else if (!fnStrFormat(szStem, "%s.^", lpszPath)) {
        return FALSE;
    }
    char szLast[KSTL8_PATH] = "";
    for (int n = 99; n >= 0; n--) {
        char szTry[KSTL8_PATH];
        if (!fnStrFormat(szTry, "%s%02d", szStem, n))
            return FALSE;
        if (fnPathExists(szTry))
            break;
        fnStrCopy(szLast, szTry);
    }
    if (!szLast[0])
        return FALSE;
    return fnStrCopyN(lpszOut, cchOut, szLast);
}

/* Sources of a multi-disk layout copied into one folder: a file missing
   from ...\DISKn is looked for in the folder above.  The probe runs
   whether or not the DISKn folder exists, since it only ever accepts a
   file that exists. */
static BOOL fnFindInDiskParent(char *lpszFile, size_t cchFile, const char *lpszFullPath)
{
    char szPath[KSTL8_PATH], szDir[KSTL8_PATH], szName[KSTL8_PATH];
    fnStrCopy(szPath, lpszFullPath);
    if (!fnSplitPath(szPath, NULL, NULL, NULL, NULL, szName, szDir) || !szName[0])
        return FALSE;
    char *lpszLast = (char *)fnGetFilePart(szDir);
    if (fnStrCmpNI(lpszLast, "DISK", 4) != 0 || lpszLast == szDir)
        return FALSE;
    char szParent[KSTL8_PATH], szFound[KSTL8_PATH];
    if (!fnGetDirPart(szDir, szParent, sizeof(szParent)) ||
        !fnMakePath(szParent, szName, szFound, sizeof(szFound)) || !fnFileExists(szFound))
        return FALSE;
    fnDebugTrace("fnFindSourceFile Found", "lpszFile=%s,\nszFile=%s,\nszPath=%s,\nszFullPath=%s",
                 lpszFile, szName, szParent, szFound);
    return fnStrCopyN(lpszFile, cchFile, szFound);
}

BOOL fnFindSourceFile(char *lpszFile, size_t cchFile)
{
    if (fnFileExists(lpszFile))
        return TRUE;
    char szFull[KSTL8_PATH];
    if (!fnMakePath(g_szSourceDir, lpszFile, szFull, sizeof(szFull)))
        return FALSE;
    char szFullCopy[KSTL8_PATH], szFile[KSTL8_PATH], szPath[KSTL8_PATH];
    fnStrCopy(szFullCopy, szFull);
    fnSplitPath(szFullCopy, NULL, NULL, NULL, NULL, szFile, szPath);
    fnDebugTrace("fnFindSourceFile",
                 "lpszFile=%s,\nszFileSpec=%s,\nszFile=%s,\nszPath=%s,\nszFullPath=%s", lpszFile,
                 lpszFile, szFile, szPath, szFull);
    if (fnFileExists(szFull))
        return TRUE;
    if (fnFindInDiskParent(lpszFile, cchFile, szFull))
        return TRUE;
    fnDebugTrace("fnFindSourceFile Not Found", "lpszFile=%s,\nszFullPath=%s", lpszFile, szFull);
    return FALSE;
}
