/* What a copy section reads besides its file lines: the header keys,
 * [CopyConfig], the disks section, and the count of files for the meter. */
#include "copylist.h"
#include "install.h"
#include "../script/reader.h"
#include "../script/macro.h"
#include "../script/script.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../resources/resource.h"
#include <string.h>

/* The number made of the digits of a text (other characters skipped). */
static UINT fnDigitsValue(const char *lpszText)
{
    UINT u = 0;
    for (const char *p = lpszText; *p; p++)
        if (*p >= '0' && *p <= '9' && u < 100000000)
            u = u * 10 + (UINT)(*p - '0');
    return u;
}

static BOOL fnIsYes(const char *lpszValue)
{
    return lpszValue[0] == 'Y' || lpszValue[0] == 'y';
}

/* "[Name]" for a section name given with or without its brackets. */
static void fnSetSectionName(char *lpszOut, size_t cchOut, const char *lpszValue)
{
    BOOL bOk = lpszValue[0] == '[' ? fnStrCopyN(lpszOut, cchOut, lpszValue)
                                   : fnStrFormatN(lpszOut, cchOut, "[%s]", lpszValue);
    if (!bOk) {
        /* A name this long names no section: nothing will be found. */
        fnDebugTrace("fnReadCopyHeader", "Section name too long: %.200s", lpszValue);
        lpszOut[0] = '\0';
    }
}

static BOOL fnIsHeaderKey(const char *lpszKey, BOOL bDiskFormat)
{
    static const char *const s_aKeys[] = { "TotalFiles", "BeQuiet", "ExpandDelims",
                                           "DisksSection", "DirsSection" };
    /* DirsSection belongs to to-disk sections only. */
    size_t uKeys = bDiskFormat ? 5 : 4;
    for (size_t i = 0; i < uKeys; i++)
        if (fnStrCmpI(lpszKey, s_aKeys[i]) == 0)
            return TRUE;
    return FALSE;
}

static void fnApplyHeaderKey(const char *lpszKey, char *lpszValue, CopyHeaderStruct *lpHdr)
{
    if (fnStrCmpI(lpszKey, "TotalFiles") == 0) {
        lpHdr->uTotalFiles = fnDigitsValue(lpszValue);
        lpHdr->bTotalFiles = lpHdr->uTotalFiles != 0;
    } else if (fnStrCmpI(lpszKey, "BeQuiet") == 0) {
        lpHdr->bBeQuiet = TRUE;
        lpHdr->bQuietValue = fnIsYes(lpszValue);
    } else if (fnStrCmpI(lpszKey, "ExpandDelims") == 0) {
        fnSetExpandDelims(lpszValue);
    } else if (fnStrCmpI(lpszKey, "DisksSection") == 0) {
        fnExpandOpts(lpszValue, KSTL8_LINE);
        fnSetSectionName(lpHdr->szDisksSection, sizeof(lpHdr->szDisksSection), lpszValue);
    } else {
        fnExpandOpts(lpszValue, KSTL8_LINE);
        fnSetSectionName(lpHdr->szDirsSection, sizeof(lpHdr->szDirsSection), lpszValue);
    }
}

char *fnReadCopyHeader(char *lpszFirst, CopyHeaderStruct *lpHdr, BOOL bDiskFormat)
{
    fnZeroMem(lpHdr, sizeof(*lpHdr));
    fnStrCopy(lpHdr->szDisksSection, "[Disks]");
    fnStrCopy(lpHdr->szDirsSection, "[MakeDirs]");
    char *p = lpszFirst;
    char szLine[KSTL8_LINE], szKey[KSTL8_LINE], szValue[KSTL8_LINE];
    for (;;) {
        char *lpszNext = p ? fnGetSectionLine(p, szLine, sizeof(szLine)) : NULL;
        if (!lpszNext)
            return p;
        /* A header key may carry a test in front; a false one is passed by. */
        char szEntry[KSTL8_LINE];
        fnStrCopy(szEntry, szLine);
        int nCond = fnTestLineCondition(szEntry, sizeof(szEntry));
        if (!fnGetParam(szEntry, 0, szKey, sizeof(szKey)))
            return p;
        fnGetParam(szEntry, 1, szValue, sizeof(szValue));
        if (!fnIsHeaderKey(szKey, bDiskFormat))
            return p;
        if (nCond != COND_FAILS)
            fnApplyHeaderKey(szKey, szValue, lpHdr);
        p = lpszNext;
    }
}

char *fnFindScriptSection(const char *lpszHeader)
{
    if (!lpszHeader || !lpszHeader[0])
        return NULL;
    /* The walk cuts the script before the next section; later sections
       are reached through its cursor. */
    char *p = g_lpszInfText ? fnLocateSection(g_lpszInfText, lpszHeader) : NULL;
    if (!p && g_lpszInfNext && g_lpszInfNext != g_lpszInfText)
        p = fnLocateSection(g_lpszInfNext, lpszHeader);
    return p;
}

void fnReadCopyConfig(CopyHeaderStruct *lpHdr)
{
    char *p = fnFindScriptSection("[CopyConfig]");
    char szLine[KSTL8_LINE], szKey[KSTL8_LINE], szValue[KSTL8_LINE];
    while (p && (p = fnGetSectionLine(p, szLine, sizeof(szLine))) != NULL) {
        if (!fnGetParam(szLine, 0, szKey, sizeof(szKey)))
            return;
        fnGetParam(szLine, 1, szValue, sizeof(szValue));
        fnExpandOpts(szValue, sizeof(szValue));
        if (fnStrCmpI(szKey, "FilesToCopy") == 0) {
            /* 0 counts the files, as TotalFiles=0 does. */
            lpHdr->uTotalFiles = fnDigitsValue(szValue);
            lpHdr->bTotalFiles = lpHdr->uTotalFiles != 0;
        } else if (fnStrCmpI(szKey, "BeQuiet") == 0) {
            g_bQuiet = fnIsYes(szValue);
        } else {
            return;
        }
    }
}

UINT fnCountFileLines(char *lpszFirst, UINT uMax)
{
    char szLine[KSTL8_LINE];
    UINT u = 0;
    char *p = lpszFirst;
    while (p && u < uMax && (p = fnGetSectionLine(p, szLine, sizeof(szLine))) != NULL)
        u++;
    return u;
}

/* Files one line stands for: its matches when the source is a wildcard,
   else 1; -1 when a field is missing (the count ends there). */
static long fnCountLine(const char *lpszLine)
{
    char szKey[KSTL8_LINE], szDisk[KSTL8_LINE], szSource[KSTL8_LINE], szTarget[KSTL8_LINE];
    char szCodes[KSTL8_LINE];
    UINT n = fnGetParam(lpszLine, 0, szKey, sizeof(szKey)) ? 2 : 1;
    if (!fnGetParam(lpszLine, n, szDisk, sizeof(szDisk)) || !szDisk[0] ||
        !fnGetParam(lpszLine, n + 1, szSource, sizeof(szSource)) || !szSource[0] ||
        !fnGetParam(lpszLine, n + 2, szTarget, sizeof(szTarget)) || !szTarget[0])
        return -1;
    fnExpandOpts(szSource, sizeof(szSource));
    const char *lpszName = fnGetFilePart(szSource);
    if (!fnIsWildName(lpszName))
        return 1;
    fnGetParam(lpszLine, n + 3, szCodes, sizeof(szCodes));
    char szDir[KSTL8_PATH];
    if (!fnGetDirPart(szSource, szDir, sizeof(szDir)) || !szDir[0])
        fnStrCopy(szDir, ".");
    if (!fnResolveSourceDir(szDir, sizeof(szDir)))
        return 1;
    return (long)fnCountWildFiles(szDir, lpszName, szCodes[0] == '+');
}

UINT fnCountCopyFiles(HWND hWnd, char *lpszFirst, UINT uLimit)
{
    HWND hWndCount = fnStatusWindow(hWnd, IDS_PLEASEWAIT, 1, 7, 0, "Counting files");
    char szLine[KSTL8_LINE];
    UINT uFiles = 0, uLines = 0;
    char *p = lpszFirst;
    while (p && uLines < uLimit && (p = fnGetSectionLine(p, szLine, sizeof(szLine))) != NULL) {
        uLines++;
        long lFiles = fnCountLine(szLine);
        if (lFiles < 0)
            break;
        uFiles += (UINT)lFiles;
    }
    fnDestroyStatusWindow(hWndCount);
    fnDebugTrace("fnCountCopyFiles", "uLines=%u, uFiles=%u", uLines, uFiles);
    return uFiles;
}

/* One line of the disks section: FALSE when it has no key (the search
   ends there); *lpbMatch when its key, past a true test, is the disk id. */
static BOOL fnDiskLineMatches(const char *lpszLine, const char *lpszDiskID, char *lpszValue,
                              size_t cchValue, BOOL *lpbMatch)
{
    char szEntry[KSTL8_LINE], szKey[KSTL8_LINE];
    *lpbMatch = FALSE;
    fnStrCopy(szEntry, lpszLine);
    int nCond = fnTestLineCondition(szEntry, sizeof(szEntry));
    if (!fnGetParam(szEntry, 0, szKey, sizeof(szKey)))
        return FALSE;
    if (nCond != COND_FAILS && fnStrCmpI(szKey, lpszDiskID) == 0) {
        fnGetParam(szEntry, 1, lpszValue, cchValue);
        *lpbMatch = TRUE;
    }
    return TRUE;
}

BOOL fnLookupDiskName(char *lpszDisks, const char *lpszDiskID, char *lpszOut, size_t cchOut)
{
    lpszOut[0] = '\0';
    char szLine[KSTL8_LINE], szValue[KSTL8_LINE];
    char *p = lpszDisks;
    while (p && (p = fnGetSectionLine(p, szLine, sizeof(szLine))) != NULL) {
        BOOL bMatch;
        if (!fnDiskLineMatches(szLine, lpszDiskID, szValue, sizeof(szValue), &bMatch))
            return FALSE;
        if (!bMatch)
            continue;
        fnExpandOpts(szValue, sizeof(szValue));
        /* The name is only shown: a long one is cut to the field. */
        if (!fnStrCopyN(lpszOut, cchOut, szValue))
            fnDebugTrace("fnLookupDiskName", "Disk name cut: %.200s", szValue);
        return TRUE;
    }
    return FALSE;
}
