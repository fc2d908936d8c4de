/* Version strings of a file's version resource. */
#include "install.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include <stdlib.h>
#include <string.h>

static void fnTraceVersionError(DWORD dwError, DWORD dwSize, const char *lpszFile)
{
    const char *lpszWhat = "";
    if ((dwError >= 2 && dwError <= 5) || dwError == 18 || dwError == 32 || dwError == 54)
        lpszWhat = "File problem, ";
    else if (dwError == 14)
        lpszWhat = "Out of memeory, ";
    fnDebugTrace("fnGetFileVersion, GetFileVersionInfo Failed.",
                 "%sdwError=%lu, dwVerSize=%lu.\nlpszFile=%s", lpszWhat, (unsigned long)dwError,
                 (unsigned long)dwSize, lpszFile);
}

/* One string value of the block under the prefix, bounded. */
static void fnQueryVersionString(void *lpBlock, const char *lpszPrefix, const char *lpszName,
                                 char *lpszOut, size_t cchOut)
{
    char szPath[128];
    char *lpszValue = NULL;
    UINT cch = 0;
    if (!lpszOut)
        return;
    if (fnStrFormat(szPath, "%s%s", lpszPrefix, lpszName) &&
        VerQueryValueA(lpBlock, szPath, (void **)&lpszValue, &cch) && lpszValue && cch)
        fnStrCopyN(lpszOut, cchOut, lpszValue);
}

BOOL fnGetFileVersion(const char *lpszFile, char *lpszFileVer, size_t cchFileVer,
                      char *lpszProductVer, size_t cchProductVer, char *lpszCopyright,
                      size_t cchCopyright)
{
    if (lpszFileVer && cchFileVer)
        lpszFileVer[0] = '\0';
    if (lpszProductVer && cchProductVer)
        lpszProductVer[0] = '\0';
    if (lpszCopyright && cchCopyright)
        lpszCopyright[0] = '\0';
    DWORD dwHandle = 0;
    DWORD dwSize = GetFileVersionInfoSizeA(lpszFile, &dwHandle);
    if (dwSize == 0) {
        fnTraceVersionError(GetLastError(), dwSize, lpszFile);
        return FALSE;
    }
    void *lpBlock = calloc(dwSize + 128, 1);
    if (!lpBlock) {
        fnTraceVersionError(ERROR_OUTOFMEMORY, dwSize, lpszFile);
        return FALSE;
    }
    if (!GetFileVersionInfoA(lpszFile, 0, dwSize, lpBlock)) {
        fnTraceVersionError(GetLastError(), dwSize, lpszFile);
        free(lpBlock);
        return FALSE;
    }
    char szPrefix[48] = "\\StringFileInfo\\040904E4\\";
    BYTE *lpTrans = NULL;
    UINT cbTrans = 0;
    if (VerQueryValueA(lpBlock, "\\VarFileInfo\\Translation", (void **)&lpTrans, &cbTrans) &&
        lpTrans && cbTrans >= 4)
        fnStrFormat(szPrefix, "\\StringFileInfo\\%02x%02x%02x%02x\\", lpTrans[1], lpTrans[0],
                    lpTrans[3], lpTrans[2]);
    fnQueryVersionString(lpBlock, szPrefix, "FileVersion", lpszFileVer, cchFileVer);
    fnQueryVersionString(lpBlock, szPrefix, "ProductVersion", lpszProductVer, cchProductVer);
    fnQueryVersionString(lpBlock, szPrefix, "LegalCopyRight", lpszCopyright, cchCopyright);
    free(lpBlock);
    return TRUE;
}
