/* Renames, and the replacement of a file in use at the next Windows
 * start.  The family comes from the detected version: under Wine the NT
 * calls also work when the prefix says Windows 95, so trying them first
 * would never take the 9x path. */
#include "install.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include <string.h>
#include <stdlib.h>

static BOOL fnIsNT(void)
{
    return g_OSInfo.uWinFamily == 3;
}

static void fnTraceBeep(void)
{
    if (!g_uDebug)
        return;
    for (int i = 0; i < 3; i++)
        MessageBeep(MB_OK);
}

/* Windows 9x has no replacing move (MoveFileExA is a stub there): an
   existing target is renamed aside first and put back when the move
   fails, so the target is never lost to a failed move. */
static BOOL fnMoveReplace9x(const char *lpszOld, const char *lpszNew)
{
    char szAside[KSTL8_PATH] = "";
    if (fnFileExists(lpszNew)) {
        if (!fnUniqueShortName(lpszNew, szAside, sizeof(szAside), FALSE) ||
            !MoveFileA(lpszNew, szAside))
            return FALSE;
    }
    if (!MoveFileA(lpszOld, lpszNew)) {
        DWORD dwError = GetLastError();
        if (szAside[0])
            MoveFileA(szAside, lpszNew);
        SetLastError(dwError);
        return FALSE;
    }
    if (szAside[0] && !fnDeleteFile(szAside)) {
        SetFileAttributesA(szAside, FILE_ATTRIBUTE_NORMAL);
        fnDeleteFile(szAside);
    }
    return TRUE;
}

/* Move lpszOld onto lpszNew, replacing it, by the family's own means. */
BOOL fnMoveReplace(const char *lpszOld, const char *lpszNew)
{
    if (fnIsNT())
        return MoveFileExA(lpszOld, lpszNew, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED);
    return fnMoveReplace9x(lpszOld, lpszNew);
}

BOOL fnRename(const char *lpszOld, const char *lpszNew)
{
    fnTraceBeep();
    char szOld[KSTL8_PATH], szNew[KSTL8_PATH];
    if (!lpszOld || !lpszNew || !fnStrCopy(szOld, lpszOld) || !fnStrCopy(szNew, lpszNew))
        return FALSE;
    fnStripQuotes(szOld);
    fnStripQuotes(szNew);
    BOOL bRC;
    if (fnIsNT()) {
        fnDebugTrace("fnRename - NT", "lpszOld=%s,\nlpszNew=%s", szOld, szNew);
        bRC = fnMoveReplace(szOld, szNew);
        fnDebugTrace("fnRename - NT result", "bRC=%d, lpszOld=%s,\nlpszNew=%s", bRC, szOld, szNew);
    } else {
        bRC = fnMoveReplace9x(szOld, szNew);
        fnDebugTrace("fnRename - 9X", "bRC=%d, lpszOld=%s,\nlpszNew=%s", bRC, szOld, szNew);
    }
    return bRC;
}

/* Start of the line after the one at p (or the end of the text). */
static const char *fnNextLine(const char *p)
{
    while (*p && *p != '\n')
        p++;
    return *p ? p + 1 : p;
}

static BOOL fnIsHeader(const char *p, const char *lpszName)
{
    while (*p == ' ' || *p == '\t')
        p++;
    if (*p != '[')
        return FALSE;
    if (!lpszName)
        return TRUE;
    size_t cch = strlen(lpszName);
    if (fnStrCmpNI(p + 1, lpszName, cch) != 0 || p[1 + cch] != ']')
        return FALSE;
    for (p += cch + 2; *p == ' ' || *p == '\t'; p++)
        ;
    return *p == '\r' || *p == '\n' || *p == '\0';
}

static BOOL fnIsBlankLine(const char *p)
{
    while (*p == ' ' || *p == '\t')
        p++;
    return *p == '\r' || *p == '\n' || *p == '\0';
}

/* Where a new [rename] entry goes: after the last non-empty line of the
   section, so entries keep the order in which they were arranged.  NULL
   when the text has no [rename] section. */
static const char *fnRenameInsertPoint(const char *lpszText)
{
    const char *p = lpszText;
    while (*p && !fnIsHeader(p, "rename"))
        p = fnNextLine(p);
    if (!*p)
        return NULL;
    const char *lpszAfter = fnNextLine(p);
    for (p = lpszAfter; *p && !fnIsHeader(p, NULL); p = fnNextLine(p))
        if (!fnIsBlankLine(p))
            lpszAfter = fnNextLine(p);
    return lpszAfter;
}

/* Add one entry to the [rename] section of WININIT.INI, writing a
   complete new copy and putting it in place by a rename. */
static BOOL fnAddRenameEntry(const char *lpszIni, const char *lpszEntry)
{
    DWORD cbOld = 0;
    BOOL bCut = FALSE;
    char *lpszOld = NULL;
    if (fnFileExists(lpszIni)) {
        lpszOld = fnReadWholeFile(lpszIni, 1024 * 1024, &cbOld, &bCut);
        if (!lpszOld || bCut || strlen(lpszOld) != cbOld) {
            free(lpszOld);
            fnDebugTrace("fnReplaceFileInUse - 9x", "lpszIni=%s cannot be read whole", lpszIni);
            return FALSE;
        }
    }
    const char *lpszText = lpszOld ? lpszOld : "";
    const char *lpszAt = fnRenameInsertPoint(lpszText);
    size_t cbNew = cbOld + strlen(lpszEntry) + 16;
    char *lpszNew = (char *)malloc(cbNew);
    if (!lpszNew) {
        free(lpszOld);
        return FALSE;
    }
    size_t cchHead = lpszAt ? (size_t)(lpszAt - lpszText) : cbOld;
    memcpy(lpszNew, lpszText, cchHead);
    lpszNew[cchHead] = '\0';
    /* A last line without its line end would take the entry into itself. */
    if (cchHead > 0 && lpszNew[cchHead - 1] != '\n')
        fnStrAppendN(lpszNew, cbNew, "\r\n");
    if (!lpszAt)
        fnStrAppendN(lpszNew, cbNew, "[rename]\r\n");
    fnStrAppendN(lpszNew, cbNew, lpszEntry);
    fnStrAppendN(lpszNew, cbNew, "\r\n");
    size_t cchFront = strlen(lpszNew);
    memcpy(lpszNew + cchFront, lpszText + cchHead, cbOld - cchHead);
    DWORD cbWrite = (DWORD)(cchFront + cbOld - cchHead);
    free(lpszOld);

    char szDir[KSTL8_PATH], szTemp[KSTL8_PATH];
    BOOL bOk = fnGetDirPart(lpszIni, szDir, sizeof(szDir)) &&
               fnGetTempFileName(szDir, "WII", szTemp, sizeof(szTemp));
    if (bOk) {
        HANDLE hFile = fnOpenFile(szTemp, OPEN_CREATE);
        DWORD cbDone = 0;
        bOk = hFile != INVALID_HANDLE_VALUE && WriteFile(hFile, lpszNew, cbWrite, &cbDone, NULL) &&
              cbDone == cbWrite;
        if (hFile != INVALID_HANDLE_VALUE)
            bOk = CloseHandle(hFile) && bOk;
        bOk = bOk && fnMoveReplace(szTemp, lpszIni);
        if (!bOk)
            DeleteFileA(szTemp);
    }
    free(lpszNew);
    return bOk;
}

static BOOL fnReplaceInUse9x(const char *lpszSource, const char *lpszTarget, BOOL bDelete)
{
    fnDebugTrace("fnReplaceFileInUse - 9x", "lpszSourceFile=%s,\nlpszTargetFile=%s", lpszSource,
                 lpszTarget);
    /* Short names exist only for existing files. */
    char szShortSource[KSTL8_PATH], szShortTarget[KSTL8_PATH];
    if (!fnCreateEmptyFile(lpszSource) ||
        !fnGetShortPathName(lpszSource, szShortSource, sizeof(szShortSource)))
        return FALSE;
    /* NUL=file deletes the file; NUL itself is never created or shortened. */
    if (bDelete)
        fnStrCopy(szShortTarget, "NUL");
    else if (!fnCreateEmptyFile(lpszTarget) ||
             !fnGetShortPathName(lpszTarget, szShortTarget, sizeof(szShortTarget)))
        return FALSE;
    char szIni[KSTL8_PATH], szEntry[KSTL8_PATH * 2 + 2];
    if (!fnMakePath(g_szWinDir, "WININIT.INI", szIni, sizeof(szIni)) ||
        !fnStrFormat(szEntry, "%s=%s", szShortTarget, szShortSource))
        return FALSE;
    BOOL bRC = fnAddRenameEntry(szIni, szEntry);
    fnDebugTrace("fnReplaceFileInUse - 9x - Result", "bRC=%d,\nszEntry=%s", bRC, szEntry);
    return bRC;
}

BOOL fnReplaceFileInUse(const char *lpszSource, const char *lpszTarget)
{
    fnTraceBeep();
    char szSource[KSTL8_PATH], szTarget[KSTL8_PATH];
    if (!lpszSource || !fnStrCopy(szSource, lpszSource) ||
        !fnStrCopy(szTarget, lpszTarget ? lpszTarget : "NUL"))
        return FALSE;
    fnStripQuotes(szSource);
    fnStripQuotes(szTarget);
    BOOL bDelete = fnStrCmpI(szTarget, "NUL") == 0;
    if (!fnIsNT())
        return fnReplaceInUse9x(szSource, szTarget, bDelete);
    fnDebugTrace("fnReplaceFileInUse - NT", "lpszSourceFile=%s,\nlpszTargetFile=%s", szSource,
                 szTarget);
    BOOL bRC = MoveFileExA(szSource, bDelete ? NULL : szTarget,
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT);
    fnDebugTrace("fnReplaceFileInUse - NT - Result", "bRC=%d,\nlpszSourceFile=%s,\nlpszTargetFile=%s",
                 bRC, szSource, szTarget);
    return bRC;
}
