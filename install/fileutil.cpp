/* Path and file utilities. */
#include "install.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include <string.h>
#include <stdlib.h>

static BOOL fnIsSep(char c)
{
    return c == '\\' || c == '/' || c == ':';
}

BOOL fnMakePath(const char *lpszDir, const char *lpszName, char *lpszOut, size_t cchOut)
{
    if (!lpszOut || cchOut == 0)
        return FALSE;
    char szDir[KSTL8_PATH], szName[KSTL8_PATH];
    /* A part that alone fills a path makes a joined path that is too long. */
    if (!fnStrCopy(szDir, lpszDir ? lpszDir : "") || !fnStrCopy(szName, lpszName ? lpszName : "")) {
        lpszOut[0] = '\0';
        return FALSE;
    }
    fnStripQuotes(szDir);
    fnStripQuotes(szName);
    char szResult[KSTL8_PATH];
    BOOL bFit;
    if (!szDir[0]) {
        bFit = fnStrCopy(szResult, szName);
    } else if (!szName[0]) {
        bFit = fnStrCopy(szResult, szDir);
    } else {
        const char *lpszName2 = szName[0] == '\\' ? szName + 1 : szName;
        BOOL bSlash = szDir[strlen(szDir) - 1] == '\\';
        bFit = fnStrFormat(szResult, "%s%s%s", szDir, bSlash ? "" : "\\", lpszName2);
    }
    if (!bFit || !fnStrCopyN(lpszOut, cchOut, szResult)) {
        lpszOut[0] = '\0';
        return FALSE;
    }
    return TRUE;
}

const char *fnGetFilePart(const char *lpszPath)
{
    const char *lpszName = lpszPath;
    for (const char *p = lpszPath; *p; p++)
        if (fnIsSep(*p))
            lpszName = p + 1;
    return lpszName;
}

BOOL fnGetDirPart(const char *lpszPath, char *lpszOut, size_t cchOut)
{
    const char *lpszName = fnGetFilePart(lpszPath);
    size_t cch = (size_t)(lpszName - lpszPath);
    if (cch > 0 && lpszPath[cch - 1] == '\\' && !(cch >= 2 && lpszPath[cch - 2] == ':'))
        cch--;
    if (cch >= cchOut) {
        if (cchOut)
            lpszOut[0] = '\0';
        return FALSE;
    }
    memcpy(lpszOut, lpszPath, cch);
    lpszOut[cch] = '\0';
    return TRUE;
}

const char *fnGetExtension(const char *lpszPath)
{
    const char *lpszName = fnGetFilePart(lpszPath);
    const char *lpszDot = strrchr(lpszName, '.');
    return (lpszDot && lpszDot != lpszName) ? lpszDot + 1 : "";
}

static BOOL fnFindAttributes(const char *lpszPath, DWORD *lpdwAttrib)
{
    char szPath[KSTL8_PATH];
    if (!lpszPath || !fnStrCopy(szPath, lpszPath))
        return FALSE;
    fnStripQuotes(szPath);
    if (!szPath[0])
        return FALSE;
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA(szPath, &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return FALSE;
    FindClose(hFind);
    *lpdwAttrib = fd.dwFileAttributes;
    return TRUE;
}

BOOL fnFileExists(const char *lpszPath)
{
    DWORD dwAttrib;
    return fnFindAttributes(lpszPath, &dwAttrib) && !(dwAttrib & FILE_ATTRIBUTE_DIRECTORY);
}

BOOL fnPathExists(const char *lpszPath)
{
    DWORD dwAttrib;
    return fnFindAttributes(lpszPath, &dwAttrib);
}

/* Length of a drive root at the start of the path ("C:", "C:\",
   "\\server\share" with or without its backslash), 0 when there is none. */
static size_t fnRootPrefix(const char *lpszPath)
{
    if (lpszPath[0] && lpszPath[1] == ':')
        return lpszPath[2] == '\\' ? 3 : 2;
    if (lpszPath[0] == '\\' && lpszPath[1] == '\\') {
        int nSlash = 0;
        size_t i = 0;
        for (; lpszPath[i]; i++)
            if (lpszPath[i] == '\\' && ++nSlash == 4)
                return i + 1;
        return nSlash == 3 ? i : 0;
    }
    return 0;
}

/* A directory search finds no name with a trailing backslash, and the
   drive type is no directory test (Wine gives 3 for any directory):
   trailing separators go, and only a root asks for its drive type. */
BOOL fnDirExists(const char *lpszPath)
{
    char szPath[KSTL8_PATH];
    if (!lpszPath || !fnStrCopy(szPath, lpszPath))
        return FALSE;
    fnStripQuotes(szPath);
    size_t cch = strlen(szPath);
    size_t cchRoot = fnRootPrefix(szPath);
    while (cch > cchRoot && cch > 1 && (szPath[cch - 1] == '\\' || szPath[cch - 1] == '/'))
        szPath[--cch] = '\0';
    if (!szPath[0])
        return FALSE;
    if (cchRoot && cch <= cchRoot) {
        if (szPath[cch - 1] != '\\' && !fnStrAppend(szPath, "\\"))
            return FALSE;
        UINT uType = GetDriveTypeA(szPath);
        if (uType != DRIVE_UNKNOWN && uType != DRIVE_NO_ROOT_DIR)
            return TRUE;
        DWORD dw = GetFileAttributesA(szPath);
        return dw != INVALID_FILE_ATTRIBUTES && (dw & FILE_ATTRIBUTE_DIRECTORY);
    }
    DWORD dwAttrib;
    return fnFindAttributes(szPath, &dwAttrib) && (dwAttrib & FILE_ATTRIBUTE_DIRECTORY);
}

UINT fnGetDriveType(const char *lpszPath)
{
    char szRoot[KSTL8_PATH];
    if (lpszPath[0] && lpszPath[1] == ':') {
        szRoot[0] = (lpszPath[0] >= 'a' && lpszPath[0] <= 'z') ? (char)(lpszPath[0] - 32) : lpszPath[0];
        szRoot[1] = ':';
        szRoot[2] = '\\';
        szRoot[3] = '\0';
    } else if (lpszPath[0] == '\\' && lpszPath[1] == '\\') {
        /* \\server\share\ */
        int nSlash = 0;
        size_t i = 0;
        for (; lpszPath[i] && i + 2 < sizeof(szRoot); i++) {
            szRoot[i] = lpszPath[i];
            if (lpszPath[i] == '\\' && ++nSlash == 4)
                break;
        }
        szRoot[i] = '\\';
        szRoot[i + 1] = '\0';
    } else {
        return GetDriveTypeA(NULL);
    }
    return GetDriveTypeA(szRoot);
}

BOOL fnCreateDirTree(const char *lpszPath)
{
    return fnCreateDirTreeLog(lpszPath, FALSE);
}

int fnUniqueFileName(const char *lpszDir, const char *lpszName, char *lpszOut, size_t cchOut)
{
    char szFull[KSTL8_PATH];
    if (!fnMakePath(lpszDir, lpszName, szFull, sizeof(szFull)))
        return 0;
    if (!fnPathExists(szFull))
        return fnStrCopyN(lpszOut, cchOut, szFull) ? 1 : 0;

    char szSubDir[KSTL8_PATH];
    char szBase[KSTL8_PATH];
    fnGetDirPart(lpszName, szSubDir, sizeof(szSubDir));
    fnStrCopy(szBase, fnGetFilePart(lpszName));
    const char *lpszExt = fnGetExtension(lpszName);
    char *lpszDot = strchr(szBase + 1, '.');
    if (szBase[0] && lpszDot)
        *lpszDot = '\0';

    if (g_uBackUpMethod == BACKUP_NOMOD || g_uBackUpMethod == BACKUP_ORIEXT) {
        char szName[KSTL8_PATH];
        char szTry[KSTL8_PATH];
        if (fnStrFormat(szName, "%s.%s", szBase, g_uBackUpMethod == BACKUP_NOMOD ? "MOD" : "ORI") &&
            fnMakePath(lpszDir, szName, szTry, sizeof(szTry)) && !fnPathExists(szTry))
            return fnStrCopyN(lpszOut, cchOut, szTry) ? 2 : 0;
    }
    szBase[24] = '\0';
    char szLast[KSTL8_PATH] = "";
    char szTry[KSTL8_PATH];
    for (int n = 99; n >= 0; n--) {
        char szName[KSTL8_PATH];
        char szRel[KSTL8_PATH];
        BOOL bFit = *lpszExt ? fnStrFormat(szName, "%s.{%02d}.SAV.%s", szBase, n, lpszExt)
                             : fnStrFormat(szName, "%s.{%02d}.SAV.", szBase, n);
        bFit = bFit && (szSubDir[0] ? fnStrFormat(szRel, "%s\\%s", szSubDir, szName)
                                    : fnStrCopy(szRel, szName));
        if (!bFit || !fnMakePath(lpszDir, szRel, szTry, sizeof(szTry)))
            return 0;
        if (fnPathExists(szTry))
            break;
        fnStrCopy(szLast, szTry);
    }
    fnDebugTrace("fnUniqueFileName",
                 "lpszTargetDir=%s,\nlpszTargetName=%s,\nszTryFile=%s,\nszLastFile=%s,\nszFullSpec=%s",
                 lpszDir, lpszName, szTry, szLast, szFull);
    if (!szLast[0])
        return 0;
    return fnStrCopyN(lpszOut, cchOut, szLast) ? 2 : 0;
}

char *fnReadWholeFile(const char *lpszPath, DWORD cbMax, DWORD *lpcbRead, BOOL *lpbCut)
{
    *lpcbRead = 0;
    if (lpbCut)
        *lpbCut = FALSE;
    HANDLE hFile = CreateFileA(lpszPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return NULL;
    char *lpBuf = (char *)calloc(cbMax, 1);
    if (!lpBuf) {
        CloseHandle(hFile);
        return NULL;
    }
    DWORD cbRead = 0;
    /* Leave room for the terminating zero inside the block. */
    if (!ReadFile(hFile, lpBuf, cbMax - 1, &cbRead, NULL))
        cbRead = 0;
    if (lpbCut) {
        DWORD dwHigh = 0;
        DWORD dwLow = GetFileSize(hFile, &dwHigh);
        *lpbCut = dwHigh != 0 || (dwLow != INVALID_FILE_SIZE && dwLow > cbRead);
    }
    CloseHandle(hFile);
    lpBuf[cbRead] = '\0';
    *lpcbRead = cbRead;
    return lpBuf;
}

BOOL fnWriteFileSafely(const char *lpszPath, const void *lpData, DWORD cbData)
{
    char szTemp[KSTL8_PATH];
    if (!fnStrFormat(szTemp, "%s.$$$", lpszPath))
        return FALSE;
    HANDLE hFile = CreateFileA(szTemp, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD cbWritten = 0;
    BOOL bOk = WriteFile(hFile, lpData, cbData, &cbWritten, NULL) && cbWritten == cbData;
    bOk = CloseHandle(hFile) && bOk;
    if (bOk)
        bOk = fnMoveReplace(szTemp, lpszPath);
    if (!bOk)
        DeleteFileA(szTemp);
    return bOk;
}

/* The system's short (8.3) form of a path; FALSE when the path does not
   exist or the result does not fit (lpszOut is then empty). */
BOOL fnGetShortPathName(const char *lpszLong, char *lpszOut, size_t cchOut)
{
    char szShort[KSTL8_PATH];
    DWORD cch = GetShortPathNameA(lpszLong, szShort, sizeof(szShort));
    if (cch == 0 || cch >= sizeof(szShort) || !fnStrCopyN(lpszOut, cchOut, szShort)) {
        if (cchOut)
            lpszOut[0] = '\0';
        fnDebugTrace("fnGetShortPathName Error", "dwError=%lu,\nlpszLong=%s", GetLastError(),
                     lpszLong);
        return FALSE;
    }
    fnDebugTrace("fnGetShortPathName OK", "lpszLong=%s,\nlpszShort=%s", lpszLong, lpszOut);
    return TRUE;
}

/* The long form of a path.  Windows 95 has no such call: the path is then
   given back as it is. */
BOOL fnGetLongPathName(const char *lpszShort, char *lpszOut, size_t cchOut)
{
    typedef DWORD(WINAPI * GetLongPathNameFn)(LPCSTR, LPSTR, DWORD);
    static GetLongPathNameFn s_pfn = (GetLongPathNameFn)(void (*)(void))GetProcAddress(
        GetModuleHandleA("KERNEL32.DLL"), "GetLongPathNameA");
    char szLong[KSTL8_PATH];
    DWORD cch = s_pfn ? s_pfn(lpszShort, szLong, sizeof(szLong)) : 0;
    if (!s_pfn)
        return fnStrCopyN(lpszOut, cchOut, lpszShort);
    if (cch == 0 || cch >= sizeof(szLong) || !fnStrCopyN(lpszOut, cchOut, szLong)) {
        if (cchOut)
            lpszOut[0] = '\0';
        return FALSE;
    }
    return TRUE;
}
