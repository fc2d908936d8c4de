/* Line and field reader: sections, entry lines, keys and parameters, and
 * the condition that may stand in front of an entry. */
#include "reader.h"
#include "macro.h"
#include "script.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../resources/resource.h"
#include <string.h>

static BOOL fnIsBreak(char c)
{
    return c == '\r' || c == '\n';
}

static BOOL fnIsBlank(char c)
{
    return c == ' ' || c == '\t';
}

/* One physical line: its first LINE_MAX_CHARS characters, trimmed, into
   lpszOut; returns the position after its line break (or at the end). */
static char *fnTakeLine(char *p, char *lpszOut, size_t cchOut)
{
    char *lpszStart = p;
    while (*p && !fnIsBreak(*p))
        p++;
    size_t cch = (size_t)(p - lpszStart);
    size_t cchMax = cchOut - 1 < LINE_MAX_CHARS ? cchOut - 1 : LINE_MAX_CHARS;
    if (cch > cchMax) {
        /* The tail of a long line is skipped, never read as an entry. */
        fnDebugTrace("fnGetSectionLine", "Line of %u characters cut at %u:\n%.60s", (UINT)cch,
                     (UINT)cchMax, lpszStart);
        cch = cchMax;
    }
    memcpy(lpszOut, lpszStart, cch);
    lpszOut[cch] = '\0';
    fnTrim(lpszOut);
    while (fnIsBreak(*p))
        p++;
    return p;
}

char *fnLocateSection(char *lpszText, const char *lpszHeader)
{
    char szLine[LINE_MAX_CHARS + 1];
    char *p = lpszText;
    while (p && *p) {
        p = fnTakeLine(p, szLine, sizeof(szLine));
        /* A header is its bracketed name: text after the ']' is ignored. */
        char szName[KSTL8_SHORT];
        if (szLine[0] != '[' || !fnGetSectionName(szLine, szName, sizeof(szName)))
            continue;
        if (fnStrCmpI(szName, "[End]") == 0)
            return NULL;
        if (fnStrCmpI(szName, lpszHeader) == 0)
            return p;
    }
    return NULL;
}

char *fnGetSectionLine(char *lpszPos, char *lpszLine, size_t cchLine)
{
    lpszLine[0] = '\0';
    fnPumpMessages();
    char *p = lpszPos;
    while (p && *p) {
        char *lpszNext = fnTakeLine(p, lpszLine, cchLine);
        if (lpszLine[0] == '[') {
            lpszLine[0] = '\0';
            return NULL;
        }
        if (lpszLine[0] && lpszLine[0] != ';')
            return lpszNext;
        lpszLine[0] = '\0';
        p = lpszNext;
    }
    return NULL;
}

UINT fnCountSectionLines(char *lpszText, const char *lpszHeader, UINT uMax)
{
    char *p = lpszHeader ? fnLocateSection(lpszText, lpszHeader) : lpszText;
    char szLine[LINE_MAX_CHARS + 1];
    UINT u = 0;
    while (p && u < uMax && (p = fnGetSectionLine(p, szLine, sizeof(szLine))) != NULL)
        u++;
    return u;
}

/* Past one parameter: to the next delimiter outside quotes, and past it.
   NULL when the text ends first. */
static const char *fnSkipParam(const char *p, const char *lpszDelims)
{
    BOOL bQuoted = FALSE;
    for (; *p; p++) {
        if (*p == '"')
            bQuoted = !bQuoted;
        else if (!bQuoted && strchr(lpszDelims, *p))
            return p + 1;
    }
    return NULL;
}

/* Copy one parameter with the quote rule: an opening quote is dropped, a
   closing one kept, delimiters inside quotes are text.  FALSE when it does
   not fit the buffer. */
static BOOL fnCopyParam(const char *p, const char *lpszDelims, char *lpszOut, size_t cchOut)
{
    while (*p == ' ' || *p == '\t' || fnIsBreak(*p))
        p++;
    size_t j = 0;
    BOOL bQuoted = FALSE;
    for (; *p; p++) {
        if (*p == '"') {
            bQuoted = !bQuoted;
            if (bQuoted)
                continue;
        } else if (!bQuoted && strchr(lpszDelims, *p)) {
            break;
        }
        if (j + 1 >= cchOut) {
            lpszOut[0] = '\0';
            fnDebugTrace("fnGetParam", "Parameter longer than %u characters", (UINT)(cchOut - 1));
            return FALSE;
        }
        lpszOut[j++] = *p;
    }
    while (j > 0 && (fnIsBlank(lpszOut[j - 1]) || fnIsBreak(lpszOut[j - 1])))
        j--;
    while (j > 0 && lpszOut[j - 1] == '"')
        j--;
    lpszOut[j] = '\0';
    return TRUE;
}

/* Where the first ',' or '=' of a line is, and whether it is a key's '='. */
static const char *fnFindKeyEnd(const char *lpszLine, BOOL *lpbKey)
{
    UINT uQuotes = 0;
    const char *p = lpszLine;
    for (; *p && *p != '=' && *p != ','; p++)
        if (*p == '"')
            uQuotes++;
    *lpbKey = *p == '=' && (uQuotes % 2) == 0;
    return p;
}

BOOL fnGetParam(const char *lpszLine, UINT n, char *lpszOut, size_t cchOut)
{
    if (!lpszOut || cchOut == 0)
        return FALSE;
    lpszOut[0] = '\0';
    if (!lpszLine)
        return FALSE;
    BOOL bKey;
    const char *lpszEnd = fnFindKeyEnd(lpszLine, &bKey);
    const char *p = lpszLine;
    if (n == 0) {
        if (!bKey)
            return FALSE;
    } else {
        if (bKey)
            p = lpszEnd + 1;
        for (UINT i = 1; i < n; i++) {
            p = fnSkipParam(p, ",=");
            if (!p)
                return FALSE;
        }
    }
    return fnCopyParam(p, ",=", lpszOut, cchOut);
}

BOOL fnGetParamMsg(const char *lpszLine, UINT n, char *lpszOut, size_t cchOut)
{
    if (fnGetParam(lpszLine, n, lpszOut, cchOut))
        return TRUE;
    if (!g_bQuiet)
        fnMessageBox(IDS_BADPARAM, NULL, MB_OK | MB_ICONSTOP, n, lpszLine);
    return FALSE;
}

BOOL fnGetKeyParam(const char *lpszLine, char *lpszKey, size_t cchKey, char *lpszDest,
                   size_t cchDest, const char *lpszWanted)
{
    if (!lpszKey[0] || fnStrCmpI(lpszKey, lpszWanted) != 0)
        return FALSE;
    char szValue[KSTL8_LINE];
    fnGetParam(lpszLine, 1, szValue, sizeof(szValue));
    fnExpandOpts(szValue, sizeof(szValue));
    fnStrCopyN(lpszDest, cchDest, szValue);
    fnZeroMem(lpszKey, cchKey);
    return TRUE;
}

int fnCompareValues(const char *lpszValue, const char *lpszPattern)
{
    char szValue[KSTL8_PATH];
    char szPattern[KSTL8_PATH];
    fnStrCopy(szValue, lpszValue);
    fnStrCopy(szPattern, lpszPattern);
    fnExpandOpts(szValue, sizeof(szValue));
    fnExpandOpts(szPattern, sizeof(szPattern));
    const char *lpszPat = szPattern;
    BOOL bNegate = FALSE;
    /* "<" and ">" compare for equality, as "~" without the negation. */
    if (*lpszPat == '~' || *lpszPat == '<' || *lpszPat == '>') {
        bNegate = *lpszPat == '~';
        lpszPat++;
    }
    BOOL bEqual = fnStrCmpI(szValue, lpszPat) == 0;
    return (bEqual != bNegate) ? COND_HOLDS : COND_FAILS;
}

/* The position after the first c of the text outside quotes, or NULL. */
static const char *fnFindUnquoted(const char *p, char c)
{
    BOOL bQuoted = FALSE;
    for (; *p; p++) {
        if (*p == '"')
            bQuoted = !bQuoted;
        else if (!bQuoted && *p == c)
            return p + 1;
    }
    return NULL;
}

int fnTestLineCondition(char *lpszLine, size_t cchLine)
{
    const char *lpszEq = fnFindUnquoted(lpszLine, '=');
    const char *lpszComma = lpszEq ? fnFindUnquoted(lpszEq, ',') : NULL;
    const char *lpszEntry = lpszComma ? fnFindUnquoted(lpszComma, '=') : NULL;
    if (!lpszEntry)
        return COND_NONE;
    char szLeft[KSTL8_PATH];
    char szRight[KSTL8_PATH];
    /* Without a key the line keeps its first field: nothing is cut. */
    if (!fnGetParam(lpszLine, 0, szLeft, sizeof(szLeft)))
        return COND_NONE;
    int nResult = fnGetParam(lpszLine, 1, szRight, sizeof(szRight))
                      ? fnCompareValues(szLeft, szRight) : COND_FAILS;
    memmove(lpszLine, lpszComma, strlen(lpszComma) + 1);
    fnTrim(lpszLine);
    (void)cchLine;
    return nResult;
}

int fnTestListCondition(char *lpszLine, size_t cchLine)
{
    const char *lpszEq = fnFindUnquoted(lpszLine, '=');
    const char *lpszComma = fnFindUnquoted(lpszLine, ',');
    if (!lpszEq || !lpszComma || lpszEq > lpszComma)
        return COND_NONE;
    char szLeft[KSTL8_PATH];
    char szRight[KSTL8_PATH];
    int nResult = COND_FAILS;
    if (fnGetParam(lpszLine, 0, szLeft, sizeof(szLeft)) &&
        fnGetParam(lpszLine, 1, szRight, sizeof(szRight)))
        nResult = fnCompareValues(szLeft, szRight);
    memmove(lpszLine, lpszComma, strlen(lpszComma) + 1);
    fnTrim(lpszLine);
    (void)cchLine;
    return nResult;
}

BOOL fnGetDelimParam(const char *lpszText, const char *lpszDelims, UINT n, char *lpszOut,
                     size_t cchOut)
{
    if (!lpszOut || cchOut == 0)
        return FALSE;
    lpszOut[0] = '\0';
    const char *p = lpszText ? lpszText : "";
    for (UINT i = 1; i < n; i++) {
        p = fnSkipParam(p, lpszDelims);
        if (!p)
            return TRUE;
    }
    return fnCopyParam(p, lpszDelims, lpszOut, cchOut);
}

BOOL fnIsParamInLine(const char *lpszLine, const char *lpszText)
{
    char szParam[KSTL8_PATH];
    for (UINT n = 1; fnGetParam(lpszLine, n, szParam, sizeof(szParam)); n++) {
        fnExpandOpts(szParam, sizeof(szParam));
        if (fnStrCmpI(szParam, lpszText) == 0)
            return TRUE;
    }
    return FALSE;
}

char *fnReadDlgLine(char *lpszText, char *lpszOut, size_t cchOut)
{
    char *lpszCr = strchr(lpszText, '\r');
    if (!lpszCr)
        return NULL;
    size_t cch = (size_t)(lpszCr - lpszText);
    if (cch >= KSTL8_LINE || cch >= cchOut)
        return NULL;
    memcpy(lpszOut, lpszText, cch);
    lpszOut[cch] = '\0';
    char *p = lpszCr + 1;
    if (*p == '\n')
        p++;
    return p;
}
