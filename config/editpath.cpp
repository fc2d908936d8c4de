/* PATH lines of batch files: a directory is added to, replaced in or
 * removed from the list of every PATH line, or a PATH line is added. */
#include "config.h"
#include "cfgint.h"
#include "../shell/shell.h"
#include <string.h>

/* Longer forms first, so "PATH = " is not taken for "PATH ". */
static const char *const s_apszPathPrefixes[] = {
    "SET PATH = ", "SET PATH =", "SET PATH= ", "SET PATH=",
    "@SET PATH = ", "@SET PATH =", "@SET PATH= ", "@SET PATH=",
    "PATH = ", "PATH =", "PATH= ", "PATH ", "PATH=",
    "@PATH = ", "@PATH =", "@PATH= ", "@PATH ", "@PATH=",
};

const char *fnFindPathLine(const char *lpszLine)
{
    for (size_t i = 0; i < sizeof(s_apszPathPrefixes) / sizeof(s_apszPathPrefixes[0]); i++)
        if (fnStrBeginsI(lpszLine, s_apszPathPrefixes[i]))
            return lpszLine + strlen(s_apszPathPrefixes[i]);
    return NULL;
}

/* One PATH edit: the normalised prefix and the entries to find and add. */
struct PathEditStruct {
    const char *lpszFile;
    const char *lpszKey;
    char cAction;
    char szPrefix[CFG_LINE];
    char szTestKey[CFG_LINE];
    char szNewValue[CFG_LINE];
    char szAddLine[CFG_LINE];
    BOOL bTooLong;
};

static BOOL fnAddSemicolon(char *lpszText, size_t cchText)
{
    size_t cch = strlen(lpszText);
    if (cch && lpszText[cch - 1] != ';')
        return fnStrAppendN(lpszText, cchText, ";");
    return TRUE;
}

static void fnDropSemicolon(char *lpszText)
{
    size_t cch = strlen(lpszText);
    if (cch && lpszText[cch - 1] == ';')
        lpszText[cch - 1] = '\0';
}

BOOL fnFindListEntry(const char *lpszList, const char *lpszEntry, size_t *lpuStart,
                            size_t *lpuEnd)
{
    size_t cchEntry = strlen(lpszEntry);
    if (cchEntry < 2)
        return FALSE;   /* an empty entry never matches */
    for (size_t i = 0; lpszList[i];) {
        const char *lpszSemi = strchr(lpszList + i, ';');
        size_t uEnd = lpszSemi ? (size_t)(lpszSemi - lpszList) + 1 : strlen(lpszList);
        if (uEnd - i == cchEntry && fnStrNCmpI(lpszList + i, lpszEntry, cchEntry) == 0) {
            *lpuStart = i;
            *lpuEnd = uEnd;
            return TRUE;
        }
        i = uEnd;
    }
    return FALSE;
}

/* The new text of one PATH line (lpszList: its directory list);
   FALSE when it does not fit. */
static BOOL fnBuildPathLine(PathEditStruct *e, const char *lpszList, char *lpszOut,
                            size_t cchOut, BOOL *lpbFound)
{
    char szList[CFG_LINE];
    fnCopyNoLineEnd(szList, sizeof(szList), lpszList);
    fnTrim(szList);
    fnAddSemicolon(szList, sizeof(szList));
    size_t uStart = 0;
    size_t uEnd = 0;
    *lpbFound = fnFindListEntry(szList, e->szTestKey, &uStart, &uEnd);
    BOOL bOk = fnStrCopyN(lpszOut, cchOut, e->szPrefix);
    if (*lpbFound) {
        char szBefore[CFG_LINE];
        fnStrCopyN(szBefore, uStart + 1, szList);
        bOk = bOk && fnStrAppendN(lpszOut, cchOut, szBefore);
        if (e->cAction != 'D')
            bOk = bOk && fnStrAppendN(lpszOut, cchOut, e->szNewValue);
        bOk = bOk && fnStrAppendN(lpszOut, cchOut, szList + uEnd);
    } else if (e->cAction == 'E') {
        bOk = bOk && fnStrAppendN(lpszOut, cchOut, szList) &&
              fnStrAppendN(lpszOut, cchOut, e->szNewValue);
    } else {
        bOk = bOk && fnStrAppendN(lpszOut, cchOut, e->szNewValue) &&
              fnStrAppendN(lpszOut, cchOut, szList);
    }
    fnDropSemicolon(lpszOut);
    return bOk;
}

/* One line of the file (without its leading blanks). */
static BOOL fnEditPathLine(PathEditStruct *e, LineWriterStruct *lpWr, const char *p,
                           BOOL *lpbPathLine)
{
    const char *lpszList = fnFindPathLine(p);
    if (!lpszList)
        return fnWriteCfgLine(lpWr, p);
    *lpbPathLine = TRUE;
    char szNew[CFG_LINE];
    BOOL bFound = FALSE;
    if (!fnBuildPathLine(e, lpszList, szNew, sizeof(szNew), &bFound)) {
        e->bTooLong = TRUE;
        return FALSE;
    }
    if (bFound && e->cAction == 'S')
        return fnWriteCfgLine(lpWr, p);
    /* Not found with R or D: the line stays as it was. */
    if (!bFound && (e->cAction == 'R' || e->cAction == 'D'))
        fnCopyNoLineEnd(szNew, sizeof(szNew), p);
    char szOld[CFG_LINE];
    fnCopyNoLineEnd(szOld, sizeof(szOld), p);
    if (e->cAction != 'S')
        fnLogWrite(TRUE, "%s, \"%s\", \"%s\", \"%s\",\"%s\", P", e->lpszFile, e->szPrefix,
                   e->lpszKey, szOld, szNew);
    char szOut[CFG_LINE];
    if (!fnStrCopy(szOut, szNew) || !fnStrAppend(szOut, p + strlen(p) - fnLineEndLen(p)) ||
        strlen(szNew) + 2 >= CFG_LINE) {
        e->bTooLong = TRUE;
        return FALSE;
    }
    return fnWriteCfgLine(lpWr, szOut);
}

static BOOL fnPreparePathEdit(PathEditStruct *e, const char *lpszPrefix, const char *lpszValue)
{
    /* No prefix given: the plain PATH command. */
    BOOL bOk = fnStrCopy(e->szPrefix, lpszPrefix[0] ? lpszPrefix : "PATH");
    size_t cch = strlen(e->szPrefix);
    if (cch && fnUpperChar(e->szPrefix[cch - 1]) == 'H')
        bOk = bOk && fnStrAppend(e->szPrefix, " ");
    cch = strlen(e->szPrefix);
    if (cch && e->szPrefix[cch - 1] != '=' && e->szPrefix[cch - 1] != ' ')
        bOk = bOk && fnStrAppend(e->szPrefix, "=");
    bOk = bOk && fnStrCopy(e->szTestKey, e->lpszKey) &&
          fnAddSemicolon(e->szTestKey, sizeof(e->szTestKey));
    bOk = bOk && fnStrCopy(e->szNewValue, lpszValue) &&
          fnAddSemicolon(e->szNewValue, sizeof(e->szNewValue));
    bOk = bOk && fnStrFormat(e->szAddLine, "%s%s", e->szPrefix, lpszValue);
    fnDropSemicolon(e->szAddLine);
    return bOk && strlen(e->szAddLine) + 2 < CFG_LINE;
}

BOOL fnEditPath(const char *lpszFile, const char *lpszTempFile, const char *lpszPrefix,
                const char *lpszKey, const char *lpszValue, char cAction,
                const char *lpszOption)
{
    PathEditStruct e;
    memset(&e, 0, sizeof(e));
    e.lpszFile = lpszFile;
    e.lpszKey = lpszKey;
    e.cAction = fnUpperChar(cAction ? cAction : 'N');
    char cPlace = fnUpperChar(lpszOption ? lpszOption[0] : 'E');
    fnDebugTrace("fnEditPath",
                 "lpszFile=%s,\nlpszTempFile=%s,\nlpszPrefix=%s,\nlpszKey=%s,\nlpszValue=%.200s,\n"
                 "pszAction=%c,\ncPlace=%c",
                 lpszFile, lpszTempFile, lpszPrefix, lpszKey, lpszValue, e.cAction,
                 cPlace ? cPlace : ' ');
    if (!fnPreparePathEdit(&e, lpszPrefix, lpszValue)) {
        fnDebugTrace("fnEditPath", "PATH line too long for %s", lpszFile);
        return FALSE;
    }
    LineReaderStruct rd;
    LineWriterStruct wr;
    if (!fnOpenLineReader(&rd, lpszFile))
        return FALSE;
    BOOL bOk = fnOpenLineWriter(&wr, lpszTempFile, rd.szLineEnd);
    BOOL bPathLine = FALSE;
    if (bOk) {
        char szLine[CFG_LINE];
        int nRead;
        while (bOk && (nRead = fnReadCfgLine(&rd, szLine, sizeof(szLine))) == READ_LINE)
            bOk = fnEditPathLine(&e, &wr, fnSkipBlanks(szLine), &bPathLine);
        if (bOk && nRead == READ_ERROR)
            bOk = FALSE;
        if (bOk && !bPathLine && e.cAction != 'R' && e.cAction != 'D') {
            if (cPlace == 'A' || cPlace == 'B')
                bOk = fnRestartOutput(&wr) && fnRewindLineReader(&rd) &&
                      fnRewriteWithLine(&rd, &wr, e.szAddLine, cPlace == 'A' ? 'A' : 'T', TRUE);
            else
                bOk = fnWriteCfgNewLine(&wr, e.szAddLine);
            if (e.cAction != 'S')
                fnLogWrite(TRUE, "%s, \"%s\", \"%s\",\"\", \"%s\", P", lpszFile, e.szPrefix,
                           lpszKey, e.szAddLine);
        }
        bOk = fnCloseLineWriter(&wr) && bOk;
    }
    fnCloseLineReader(&rd);
    if (e.bTooLong)
        bOk = FALSE;
    fnDebugTrace("fnEditPath", "bPathLine=%d, result %d", bPathLine, bOk);
    return bOk;
}
