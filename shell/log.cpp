/* Install log: a text file of CR LF lines that records what the run did. */
#include "shell.h"
#include "../startup/startup.h"
#include "../install/install.h"
#include <stdarg.h>
#include <string.h>

char g_szLogFile[260];
BOOL g_bLogWanted;
BOOL g_bLogStarted;

BOOL fnAppendText(const char *lpszFile, const char *lpszText, size_t cchText)
{
    /* Open or create, never truncate: a sharing failure must not fall
       through to a create that would empty the file. */
    HANDLE hFile = CreateFileA(lpszFile, GENERIC_WRITE, FILE_SHARE_READ, NULL, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD dwWritten = 0;
    BOOL bOk = SetFilePointer(hFile, 0, NULL, FILE_END) != INVALID_SET_FILE_POINTER &&
               WriteFile(hFile, lpszText, (DWORD)cchText, &dwWritten, NULL) &&
               dwWritten == cchText;
    CloseHandle(hFile);
    return bOk;
}

static BOOL fnAppendLineV(const char *lpszFile, BOOL bLineBreak, const char *lpszFmt,
                          va_list args)
{
    char szLine[1024 + 3];
    fnStrFormatVN(szLine, 1025, lpszFmt, args);
    if (bLineBreak)
        fnStrAppendN(szLine, sizeof(szLine), "\r\n");
    return fnAppendText(lpszFile, szLine, strlen(szLine));
}

BOOL fnAppendLine(const char *lpszFile, BOOL bLineBreak, const char *lpszFmt, ...)
{
    va_list args;
    va_start(args, lpszFmt);
    BOOL bOk = fnAppendLineV(lpszFile, bLineBreak, lpszFmt, args);
    va_end(args);
    return bOk;
}

BOOL fnLogWrite(BOOL bLineBreak, const char *lpszFmt, ...)
{
    if (!g_szLogFile[0] || !g_bLogWanted)
        return TRUE;
    va_list args;
    va_start(args, lpszFmt);
    BOOL bOk = fnAppendLineV(g_szLogFile, bLineBreak, lpszFmt, args);
    va_end(args);
    return bOk;
}

static BOOL fnIsDriveQualified(const char *lpszName)
{
    return ((lpszName[0] >= 'A' && lpszName[0] <= 'Z') ||
            (lpszName[0] >= 'a' && lpszName[0] <= 'z')) && lpszName[1] == ':';
}

BOOL fnResolveLogPath(const char *lpszName, char *lpszOut, size_t cchOut)
{
    if (fnIsDriveQualified(lpszName) || (lpszName[0] == '\\' && lpszName[1] == '\\'))
        return fnStrCopyN(lpszOut, cchOut, lpszName);
    const char *lpszDir = g_szDestDir[0] ? g_szDestDir
                        : g_szStartDestDir[0] ? g_szStartDestDir : g_szTmpPath;
    return fnMakePath(lpszDir, fnGetFilePart(lpszName), lpszOut, cchOut);
}

/* Keep an old log under a free backup name; empty it only when the copy
   exists, otherwise go on appending to it. */
static void fnSaveOldLog(const char *lpszPath)
{
    char szDir[KSTL8_PATH];
    char szBackup[KSTL8_PATH];
    fnGetDirPart(lpszPath, szDir, sizeof(szDir));
    int nUnique = fnUniqueFileName(szDir, fnGetFilePart(lpszPath), szBackup, sizeof(szBackup));
    if (nUnique == 0 || !CopyFileA(lpszPath, szBackup, TRUE)) {
        fnDebugTrace("fnStartLog", "Could not keep %s; appending to it.", lpszPath);
        return;
    }
    HANDLE hFile = CreateFileA(lpszPath, GENERIC_WRITE, FILE_SHARE_READ, NULL,
                               TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile != INVALID_HANDLE_VALUE)
        CloseHandle(hFile);
    fnDebugTrace("fnStartLog", "Old log kept as %s", szBackup);
}

BOOL fnStartLog(const char *lpszLogName)
{
    if (g_bLogStarted || !lpszLogName || !lpszLogName[0])
        return FALSE;
    char szPath[KSTL8_PATH];
    if (!fnResolveLogPath(lpszLogName, szPath, sizeof(szPath))) {
        fnDebugTrace("fnStartLog", "Log name too long: %s", lpszLogName);
        return FALSE;
    }
    if (fnFileExists(szPath)) {
        fnSaveOldLog(szPath);
    } else {
        char szDir[KSTL8_PATH];
        /* The destination may not exist yet when the log starts. */
        if (fnGetDirPart(szPath, szDir, sizeof(szDir)) && szDir[0])
            fnCreateDirTree(szDir);
    }
    fnStrCopy(g_szLogFile, szPath);
    g_bLogStarted = TRUE;
    fnDebugTrace("fnStartLog", "g_szLogFile=%s", g_szLogFile);
    if (!fnAppendLine(g_szLogFile, TRUE, "%s", "[Kestrel8 Log]"))
        return FALSE;
    if (g_szDestDir[0])
        fnAppendLine(g_szLogFile, TRUE, "InstallDir=%s", g_szDestDir);
    return TRUE;
}
