/* Files by name: the numbered open modes, copies with time stamps, lines
 * read and written, attributes, file times, free space and directories. */
#include "install.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../resources/strings.h"
#include <string.h>

BOOL g_bUseDiskFreeSpaceEx = TRUE;

/* An unquoted copy of a path; FALSE when it does not fit. */
static BOOL fnUnquotedCopy(char (&szOut)[KSTL8_PATH], const char *lpszPath)
{
    if (!lpszPath || !fnStrCopy(szOut, lpszPath))
        return FALSE;
    fnStripQuotes(szOut);
    return TRUE;
}

HANDLE fnOpenFile(const char *lpszPath, UINT uMode)
{
    char szPath[KSTL8_PATH];
    if (!fnUnquotedCopy(szPath, lpszPath) || !szPath[0])
        return INVALID_HANDLE_VALUE;
    DWORD dwAccess, dwShare = 0, dwDisp;
    switch (uMode) {
    case OPEN_READ:      dwAccess = GENERIC_READ; dwShare = FILE_SHARE_READ; dwDisp = OPEN_EXISTING; break;
    case OPEN_WRITE:     dwAccess = GENERIC_WRITE; dwDisp = OPEN_EXISTING; break;
    case OPEN_READWRITE: dwAccess = GENERIC_READ | GENERIC_WRITE; dwDisp = OPEN_EXISTING; break;
    case OPEN_CREATE:    dwAccess = GENERIC_READ | GENERIC_WRITE; dwDisp = CREATE_ALWAYS; break;
    case OPEN_APPEND:    dwAccess = GENERIC_WRITE; dwDisp = OPEN_ALWAYS; break;
    case OPEN_ALWAYS_RW: dwAccess = GENERIC_READ | GENERIC_WRITE; dwDisp = OPEN_ALWAYS; break;
    case OPEN_DELETE:
        return DeleteFileA(szPath) ? NULL : INVALID_HANDLE_VALUE;
    case OPEN_EXIST: {
        WIN32_FIND_DATAA fd;
        HANDLE hFind = FindFirstFileA(szPath, &fd);
        if (hFind == INVALID_HANDLE_VALUE)
            return INVALID_HANDLE_VALUE;
        FindClose(hFind);
        return NULL;
    }
    default:
        return INVALID_HANDLE_VALUE;
    }
    return CreateFileA(szPath, dwAccess, dwShare, NULL, dwDisp, FILE_ATTRIBUTE_NORMAL, NULL);
}

BOOL fnDeleteFile(const char *lpszPath)
{
    if (!lpszPath || !*lpszPath || !fnFileExists(lpszPath))
        return FALSE;
    return fnOpenFile(lpszPath, OPEN_DELETE) != INVALID_HANDLE_VALUE;
}

BOOL fnCreateEmptyFile(const char *lpszPath)
{
    if (fnFileExists(lpszPath))
        return TRUE;
    HANDLE hFile = fnOpenFile(lpszPath, OPEN_CREATE);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    return CloseHandle(hFile);
}

DWORD fnGetFileSize(const char *lpszPath)
{
    HANDLE hFile = fnOpenFile(lpszPath, OPEN_READ);
    if (hFile == INVALID_HANDLE_VALUE)
        return 0;
    DWORD dwSize = GetFileSize(hFile, NULL);
    CloseHandle(hFile);
    return dwSize == INVALID_FILE_SIZE ? 0 : dwSize;
}

BOOL fnCopyFile(const char *lpszSource, const char *lpszTarget, BOOL bFailIfExists,
                BOOL bKeepTime)
{
    fnDebugTrace("fnCopyFile", "lpszReadFile=%s,\nlpszWriteFile=%s", lpszSource, lpszTarget);
    char szSource[KSTL8_PATH], szTarget[KSTL8_PATH];
    if (!fnUnquotedCopy(szSource, lpszSource) || !fnUnquotedCopy(szTarget, lpszTarget))
        return FALSE;
    FILETIME ft;
    if (bKeepTime && !fnGetFileTime(szSource, &ft))
        return FALSE;
    if (!CopyFileA(szSource, szTarget, bFailIfExists)) {
        DWORD dwError = GetLastError();
        if (bFailIfExists && !fnPathExists(szTarget))
            return FALSE;
        if (bFailIfExists)
            fnDebugTrace("fnCopyFile",
                         "Destination file already exists!\nlpszReadFile=%s,\nlpszWriteFile=%s,\n"
                         "dwError=%lu", szSource, szTarget, dwError);
        else
            fnDebugTrace("fnCopyFile", "lpszReadFile=%s,\nlpszWriteFile=%s,\ndwError=%lu",
                         szSource, szTarget, dwError);
        return FALSE;
    }
    if (!fnClearFileAttrib(szTarget, TRUE))
        SetFileAttributesA(szTarget, FILE_ATTRIBUTE_NORMAL);
    return bKeepTime ? fnSetFileTime(szTarget, &ft) : TRUE;
}

BOOL fnCopyFileTo(const char *lpszSource, const char *lpszName, const char *lpszDir)
{
    char szTarget[KSTL8_PATH];
    if (!fnMakePath(lpszDir, lpszName, szTarget, sizeof(szTarget)))
        return FALSE;
    return fnCopyFile(lpszSource, szTarget, FALSE, TRUE);
}

int fnWriteToFile(HANDLE hFile, const char *lpszText)
{
    size_t cch = lpszText ? strlen(lpszText) : 0;
    if (cch == 0)
        return 0;
    DWORD cbWritten = 0;
    if (!WriteFile(hFile, lpszText, (DWORD)cch, &cbWritten, NULL) || cbWritten != cch) {
        fnDebugTrace("fnWriteToFile", "ERROR! dwError=%lu, uBytesWritten=%u, uBytes=%u",
                     GetLastError(), (UINT)cbWritten, (UINT)cch);
        return -1;
    }
    return 0;
}

BOOL fnWriteLine(HANDLE hFile, const char *lpszText)
{
    if (!lpszText || !*lpszText)
        return TRUE;
    return fnWriteToFile(hFile, lpszText) == 0 && fnWriteToFile(hFile, "\r\n") == 0;
}

static BOOL fnSeekTo(HANDLE hFile, LONG lOffset, DWORD dwFrom)
{
    SetLastError(NO_ERROR);
    DWORD dw = SetFilePointer(hFile, lOffset, NULL, dwFrom);
    return dw != INVALID_SET_FILE_POINTER || GetLastError() == NO_ERROR;
}

BOOL fnSeekStart(HANDLE hFile)
{
    return fnSeekTo(hFile, 0, FILE_BEGIN);
}

BOOL fnSeekEnd(HANDLE hFile)
{
    return fnSeekTo(hFile, 0, FILE_END);
}

BOOL fnSeekBy(HANDLE hFile, LONG lOffset)
{
    return fnSeekTo(hFile, lOffset, FILE_CURRENT);
}

/* The buffer keeps one byte for the terminator, and every call moves the
   file pointer on by at least one byte, so a NUL byte in the file ends a
   line instead of stopping the reader where it is. */
int fnReadFileLine(HANDLE hFile, char *lpszBuf, size_t cbBuf, BOOL *lpbNul)
{
    if (lpbNul)
        *lpbNul = FALSE;
    if (!lpszBuf || cbBuf < 2)
        return -1;
    memset(lpszBuf, 0, cbBuf);
    DWORD dwStart = SetFilePointer(hFile, 0, NULL, FILE_CURRENT);
    if (dwStart == INVALID_SET_FILE_POINTER)
        return -1;
    DWORD cbMax = (DWORD)(cbBuf - 1), cbRead = 0;
    if (!ReadFile(hFile, lpszBuf, cbMax, &cbRead, NULL) || cbRead == 0) {
        lpszBuf[0] = '\0';
        return 1;
    }
    if (lpszBuf[0] == 26) {
        lpszBuf[0] = '\0';
        return fnSeekTo(hFile, (LONG)(dwStart + 1), FILE_BEGIN) ? 1 : -1;
    }
    DWORD i = 0;
    while (i < cbRead && lpszBuf[i] && lpszBuf[i] != '\r' && lpszBuf[i] != '\n' &&
           lpszBuf[i] != 26)
        i++;
    DWORD dwNext;
    BOOL bCtrlZ = FALSE;
    if (i == cbRead) {
        /* No line end in what was read: the last line, or one too long. */
        if (cbRead == cbMax)
            return -1;
        dwNext = cbRead;
    } else if (lpszBuf[i] == '\0') {
        if (lpbNul)
            *lpbNul = TRUE;
        dwNext = i + 1;
    } else {
        dwNext = i;
        if (lpszBuf[dwNext] == 26) {
            bCtrlZ = TRUE;
            dwNext++;
        }
        if (dwNext < cbRead && lpszBuf[dwNext] == '\r')
            dwNext++;
        if (dwNext < cbRead && lpszBuf[dwNext] == '\n')
            dwNext++;
        lpszBuf[dwNext] = '\0';
        if (bCtrlZ)
            lpszBuf[i] = '\0';
    }
    lpszBuf[dwNext < cbRead ? dwNext : cbRead] = '\0';
    if (!fnSeekTo(hFile, (LONG)(dwStart + dwNext), FILE_BEGIN))
        return -1;
    if (bCtrlZ)
        return 1;
    return (cbRead < cbMax && dwNext == cbRead) ? 1 : 0;
}

BOOL fnGetFileAttrib(const char *lpszPath, DWORD *lpdwAttrib)
{
    char szPath[KSTL8_PATH];
    DWORD dw = fnUnquotedCopy(szPath, lpszPath) ? GetFileAttributesA(szPath)
                                                 : INVALID_FILE_ATTRIBUTES;
    if (dw == INVALID_FILE_ATTRIBUTES) {
        fnDebugTrace("fnGetFileAttrib", "lpszPath=%s,\nlpdwAttrib=%lX,\ndwError=%lu", lpszPath,
                     (unsigned long)dw, GetLastError());
        return FALSE;
    }
    *lpdwAttrib = dw;
    return TRUE;
}

/* Without bAll only the read-only bit goes: hidden, system and archive
   stay as they were. */
BOOL fnClearFileAttrib(const char *lpszPath, BOOL bAll)
{
    DWORD dwAttrib;
    if (!fnGetFileAttrib(lpszPath, &dwAttrib))
        return FALSE;
    DWORD dwNew = bAll ? FILE_ATTRIBUTE_NORMAL : (dwAttrib & ~(DWORD)FILE_ATTRIBUTE_READONLY);
    if (dwNew == 0)
        dwNew = FILE_ATTRIBUTE_NORMAL;
    char szPath[KSTL8_PATH];
    return fnUnquotedCopy(szPath, lpszPath) && SetFileAttributesA(szPath, dwNew);
}

BOOL fnGetFileTime(const char *lpszPath, FILETIME *lpTime)
{
    HANDLE hFile = fnOpenFile(lpszPath, OPEN_READ);
    BOOL bOk = hFile != INVALID_HANDLE_VALUE && GetFileTime(hFile, NULL, NULL, lpTime);
    DWORD dwError = GetLastError();
    if (hFile != INVALID_HANDLE_VALUE)
        CloseHandle(hFile);
    if (!bOk)
        fnDebugTrace("fnGetFileTime", "lpszPath=%s,\ndwError=%lu", lpszPath, dwError);
    return bOk;
}

BOOL fnSetFileTime(const char *lpszPath, const FILETIME *lpTime)
{
    char szPath[KSTL8_PATH];
    DWORD dwAttrib;
    if (!fnUnquotedCopy(szPath, lpszPath) || !fnFileExists(szPath) ||
        !fnGetFileAttrib(szPath, &dwAttrib))
        return FALSE;
    HANDLE hFile = fnOpenFile(szPath, OPEN_READWRITE);
    if (hFile == INVALID_HANDLE_VALUE) {
        if (!fnClearFileAttrib(szPath, TRUE))
            SetFileAttributesA(szPath, FILE_ATTRIBUTE_NORMAL);
        hFile = fnOpenFile(szPath, OPEN_READWRITE);
        if (hFile == INVALID_HANDLE_VALUE) {
            SetFileAttributesA(szPath, dwAttrib);
            return FALSE;
        }
    }
    BOOL bOk = SetFileTime(hFile, NULL, NULL, lpTime);
    DWORD dwError = GetLastError();
    CloseHandle(hFile);
    if (!bOk)
        fnDebugTrace("fnSetFileTime", "lpszPath=%s,\ndwError=%lu", szPath, dwError);
    BOOL bAttrib = SetFileAttributesA(szPath, dwAttrib);
    return bOk && bAttrib;
}

UINT fnCompareFileTimes(const char *lpszFirst, const char *lpszSecond)
{
    FILETIME ft1, ft2;
    if (!fnGetFileTime(lpszFirst, &ft1))
        return 0;
    if (!fnGetFileTime(lpszSecond, &ft2))
        return 1;
    LONG l = CompareFileTime(&ft1, &ft2);
    return l > 0 ? 2 : (l < 0 ? 3 : 4);
}

BOOL fnTestWriteToFile(const char *lpszPath)
{
    if (!fnFileExists(lpszPath))
        return FALSE;
    HANDLE hFile = fnOpenFile(lpszPath, OPEN_READWRITE);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    CloseHandle(hFile);
    return TRUE;
}

BOOL fnEnableWriteToFile(const char *lpszPath, DWORD *lpdwAttrib)
{
    if (!fnFileExists(lpszPath) || !fnGetFileAttrib(lpszPath, lpdwAttrib))
        return FALSE;
    HANDLE hFile = fnOpenFile(lpszPath, OPEN_READWRITE);
    if (hFile == INVALID_HANDLE_VALUE) {
        /* A quiet run makes the file writable, as the box's default does. */
        if (fnMessageBoxQ(IDYES, IDS_READONLY, NULL, MB_YESNO | MB_ICONQUESTION, lpszPath) != IDYES)
            return FALSE;
        if (!fnClearFileAttrib(lpszPath, TRUE))
            SetFileAttributesA(lpszPath, FILE_ATTRIBUTE_NORMAL);
        hFile = fnOpenFile(lpszPath, OPEN_READWRITE);
        if (hFile == INVALID_HANDLE_VALUE)
            return FALSE;
    }
    CloseHandle(hFile);
    if (!fnClearFileAttrib(lpszPath, FALSE))
        SetFileAttributesA(lpszPath, FILE_ATTRIBUTE_NORMAL);
    return TRUE;
}

/* The extended query fails for a path that does not exist yet, so it is
   asked about the nearest existing directory, or else the root. */
static BOOL fnExistingDirOf(const char *lpszPath, const char *lpszRoot, char (&szOut)[KSTL8_PATH])
{
    if (!fnStrCopy(szOut, lpszPath))
        return FALSE;
    fnStripQuotes(szOut);
    while (szOut[0] && !fnDirExists(szOut)) {
        char szUp[KSTL8_PATH];
        if (!fnGetDirPart(szOut, szUp, sizeof(szUp)) || strcmp(szUp, szOut) == 0)
            break;
        fnStrCopy(szOut, szUp);
    }
    if (!szOut[0] || !fnDirExists(szOut))
        return fnStrCopy(szOut, lpszRoot);
    return TRUE;
}

DWORD fnGetDiskSpace(const char *lpszPath)
{
    char szPath[KSTL8_PATH], szRoot[KSTL8_PATH], szDrive[KSTL8_PATH];
    if (!fnStrCopy(szPath, lpszPath ? lpszPath : ""))
        return 0;
    fnSplitPath(szPath, szDrive, NULL, NULL, NULL, NULL, NULL);
    if (!fnStrFormat(szRoot, "%s\\", szDrive))
        return 0;
    HMODULE hKernel = g_bUseDiskFreeSpaceEx ? LoadLibraryA("kernel32.dll") : NULL;
    PFNGETDISKFREESPACEEXA pfnEx =
        hKernel ? (PFNGETDISKFREESPACEEXA)(void (*)(void))GetProcAddress(hKernel,
                                                                         "GetDiskFreeSpaceExA")
                : NULL;
    DWORD dwResult = 0;
    BOOL bDone = FALSE;
    char szAsk[KSTL8_PATH];
    if (pfnEx && fnExistingDirOf(szPath, szRoot, szAsk)) {
        ULARGE_INTEGER ulAvail, ulTotal, ulFree;
        if (pfnEx(szAsk, &ulAvail, &ulTotal, &ulFree)) {
            dwResult = ulAvail.QuadPart > 0xFFFFFFFFull ? 0xFFFFFFFF : (DWORD)ulAvail.QuadPart;
            bDone = TRUE;
            fnDebugTrace("fnGetDiskSpace (Ex)", "dwResult=%lu,\nulFreeBytes=%lu",
                         (unsigned long)dwResult, (unsigned long)ulAvail.QuadPart);
        }
    }
    if (hKernel)
        FreeLibrary(hKernel);
    if (bDone)
        return dwResult;
    /* The classic product passes 32 bits on large volumes: 64 bits, capped. */
    DWORD dwSectors = 0, dwBytes = 0, dwFreeClusters = 0, dwClusters = 0;
    if (GetDiskFreeSpaceA(szDrive[0] ? szRoot : NULL, &dwSectors, &dwBytes, &dwFreeClusters,
                          &dwClusters)) {
        unsigned long long ull = (unsigned long long)dwFreeClusters * dwBytes * dwSectors;
        dwResult = ull > 0xFFFFFFFFull ? 0xFFFFFFFF : (DWORD)ull;
    }
    fnDebugTrace("fnGetDiskSpace", "szDrive=%s,\ndwResult=%lu,\ndwNumberOfFreeClusters=%lu",
                 szRoot, (unsigned long)dwResult, (unsigned long)dwFreeClusters);
    return dwResult;
}

BOOL fnCreateDir(const char *lpszDir, BOOL bLog)
{
    fnDebugTrace("fnCreateDir - Begin", "lpszDir=%s", lpszDir);
    char szDir[KSTL8_PATH];
    if (!fnUnquotedCopy(szDir, lpszDir) || !szDir[0])
        return FALSE;
    BOOL bMade = CreateDirectoryA(szDir, NULL);
    if (!bMade) {
        fnDebugTrace("fnCreateDir - CreateDirectory error", "lpszDir=%s,\ndwError=%lu", szDir,
                     GetLastError());
        /* Present when the program can make it current and come back. */
        char szCurrent[KSTL8_PATH];
        DWORD cch = GetCurrentDirectoryA(sizeof(szCurrent), szCurrent);
        fnDebugTrace("fnCreateDir - GetCurrentDirectory", "lpszDir=%s, szCurrentDir=%s", szDir,
                     szCurrent);
        if (cch == 0 || cch >= sizeof(szCurrent) || !SetCurrentDirectoryA(szDir))
            return FALSE;
        fnDebugTrace("fnCreateDir - GetCurrentDirectory", "lpszDir=%s, szCurrentDir=%s", szDir,
                     szCurrent);
        if (!SetCurrentDirectoryA(szCurrent))
            return FALSE;
    }
    /* Only directories this run made are logged, so that a removal by the
       log never takes one that was there before. */
    if (bLog && bMade)
        fnLogWrite(TRUE, "%s, D", szDir);
    fnDebugTrace("fnCreateDir - End", "lpszDir=%s,\nbMade=%d", szDir, bMade);
    return TRUE;
}

/* Length of the drive prefix that the walk never creates: "C:\" or
   "\\server\share\" (or the whole text when the share has no end). */
static size_t fnRootLength(const char *lpszPath)
{
    if (lpszPath[0] && lpszPath[1] == ':')
        return (lpszPath[2] == '\\' || lpszPath[2] == '/') ? 3 : 2;
    if ((lpszPath[0] == '\\' || lpszPath[0] == '/') && (lpszPath[1] == '\\' || lpszPath[1] == '/')) {
        int nSep = 0;
        size_t i = 0;
        for (; lpszPath[i]; i++)
            if ((lpszPath[i] == '\\' || lpszPath[i] == '/') && ++nSep == 4)
                return i + 1;
        return i;
    }
    return 0;
}

BOOL fnCreateDirTreeLog(const char *lpszPath, BOOL bLog)
{
    char szPath[KSTL8_PATH];
    if (!fnUnquotedCopy(szPath, lpszPath))
        return FALSE;
    if (!szPath[0])
        return TRUE;
    if (fnCreateDir(szPath, bLog))
        return TRUE;
    size_t cchRoot = fnRootLength(szPath);
    for (size_t i = cchRoot; ; i++) {
        char c = szPath[i];
        if (c != '\0' && c != '\\' && c != '/')
            continue;
        /* Doubled separators give empty levels: nothing to make there. */
        if (i > cchRoot && szPath[i - 1] != '\\' && szPath[i - 1] != '/') {
            szPath[i] = '\0';
            BOOL bWhole = c == '\0' || szPath[i + 1] == '\0';
            BOOL bOk = fnCreateDir(szPath, bLog && bWhole);
            szPath[i] = c;
            if (!bOk)
                return FALSE;
        }
        if (c == '\0')
            return fnDirExists(szPath);
    }
}
