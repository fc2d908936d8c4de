/* Text edits of configuration files: the file is copied line by line to
 * a temporary file with one line found and changed, or a new line added.
 * The type letter decides how the line is recognised and what the
 * section field means; the table below holds those differences. */
#include "config.h"
#include "cfgint.h"
#include "../shell/shell.h"
#include <string.h>

#define MATCH_KEYPART  1    /* the text before "=" begins with the key */
#define MATCH_BEGINS   2    /* the line begins with the key */
#define MATCH_PREFIX   3    /* begins with the section text, the key after it */
#define MATCH_BOTH     4    /* holds the key and the section text */
#define MATCH_EXCLUDE  5    /* holds the key, does not begin with the section text */
#define MATCH_REPLACE  6    /* every occurrence of the key is replaced */
#define MATCH_ENTRY    7    /* the whole line is the key or the new entry */

struct IniTypeStruct {
    char cType;
    UINT uMatch;
    BOOL bValueIsLine;      /* a non-empty value is the whole new line */
    BOOL bWholeFile;        /* the section field is a match text, not a scope */
    BOOL bKeepBlanks;       /* compare the line with its leading blanks */
    BOOL bPlacement;        /* option T, A or B places a new line */
    BOOL bNeedOption;       /* the value part must hold the option text */
    BOOL bNoTrim;           /* key and value parts are compared untrimmed */
    BOOL bFirstWord;        /* only the key's first word is compared */
};

static const IniTypeStruct s_aTypes[] = {
    /* type match          line   whole  blanks place  option notrim word */
    { 'W', MATCH_KEYPART, FALSE, FALSE, FALSE, FALSE, FALSE, FALSE, FALSE },
    { 'M', MATCH_KEYPART, FALSE, FALSE, FALSE, FALSE, TRUE,  FALSE, FALSE },
    { 'S', MATCH_KEYPART, FALSE, FALSE, FALSE, FALSE, TRUE,  FALSE, FALSE },
    { 'F', MATCH_KEYPART, FALSE, FALSE, FALSE, FALSE, FALSE, TRUE,  TRUE  },
    { 'N', MATCH_BEGINS,  TRUE,  FALSE, TRUE,  FALSE, FALSE, FALSE, FALSE },
    { 'O', MATCH_BEGINS,  TRUE,  FALSE, FALSE, FALSE, FALSE, FALSE, FALSE },
    { 'C', MATCH_BEGINS,  TRUE,  FALSE, FALSE, TRUE,  FALSE, FALSE, FALSE },
    { 'K', MATCH_BEGINS,  TRUE,  FALSE, FALSE, TRUE,  FALSE, TRUE,  FALSE },
    { 'L', MATCH_PREFIX,  TRUE,  TRUE,  FALSE, TRUE,  FALSE, FALSE, FALSE },
    { 'B', MATCH_BOTH,    TRUE,  TRUE,  FALSE, TRUE,  FALSE, FALSE, FALSE },
    { 'X', MATCH_EXCLUDE, TRUE,  TRUE,  FALSE, FALSE, FALSE, FALSE, FALSE },
    { 'R', MATCH_REPLACE, FALSE, FALSE, TRUE,  FALSE, FALSE, FALSE, FALSE },
};
/* The entry list of a profile section (type I, option G). */
static const IniTypeStruct s_ListType =
    { 'G', MATCH_ENTRY,   FALSE, FALSE, FALSE, FALSE, FALSE, FALSE, FALSE };
/* Any other letter: W without the brackets (the caller adds those). */
static const IniTypeStruct s_DefaultType =
    { '?', MATCH_KEYPART, FALSE, FALSE, FALSE, FALSE, FALSE, FALSE, FALSE };

static const IniTypeStruct *fnFindIniType(char cType)
{
    for (size_t i = 0; i < sizeof(s_aTypes) / sizeof(s_aTypes[0]); i++)
        if (s_aTypes[i].cType == cType)
            return &s_aTypes[i];
    return &s_DefaultType;
}

/* One text edit: its fields, the state of the walk over the lines, and
   both files. */
struct TextEditStruct {
    const IniTypeStruct *lpType;
    const char *lpszFile;
    const char *lpszSection;
    const char *lpszKey;
    const char *lpszValue;
    const char *lpszOption;
    char cType;
    char cAction;
    char szTypeInfo[CFG_LINE];
    char szNewIniLine[CFG_LINE];
    size_t uKeyLen;
    BOOL bWholeFile;
    BOOL bEndAnyEntry;          /* type N: any entry line ends the section */
    const char *lpszEndMark;    /* "" for none */
    BOOL bInSection;
    BOOL bSectionFound;
    BOOL bDone;
    BOOL bTooLong;              /* a line to write did not fit */
    LineReaderStruct rd;
    LineWriterStruct wr;
};

static BOOL fnIsBlankChar(char c)
{
    return c == ' ' || c == '\t';
}

static void fnLogAdded(TextEditStruct *e)
{
    fnLogWrite(TRUE, "%s, \"%s\", \"%s\", \"\",\"%s\", %s", e->lpszFile, e->lpszSection,
               e->lpszKey, e->szNewIniLine, e->szTypeInfo);
}

static void fnLogFound(TextEditStruct *e, const char *lpszOld, const char *lpszNow)
{
    char szOld[CFG_LINE];
    char szNow[CFG_LINE];
    fnCopyNoLineEnd(szOld, sizeof(szOld), lpszOld);
    fnCopyNoLineEnd(szNow, sizeof(szNow), lpszNow);
    fnLogWrite(TRUE, "%s, \"%s\", \"%s\", \"%s\",\"%s\", %s", e->lpszFile, e->lpszSection,
               e->lpszKey, szOld, szNow, e->szTypeInfo);
}

/* Write lpszText followed by the line end of lpszLine (none when the
   line had none); refuses a result over the line buffer. */
static BOOL fnWriteReplacement(TextEditStruct *e, const char *lpszText, const char *lpszLine)
{
    char szOut[CFG_LINE];
    const char *lpszEnd = lpszLine + strlen(lpszLine) - fnLineEndLen(lpszLine);
    if (!fnStrCopy(szOut, lpszText) || !fnStrAppend(szOut, lpszEnd)) {
        fnDebugTrace("fnEditIniLine", "New line too long:\n%.80s", lpszText);
        e->bTooLong = TRUE;
        return FALSE;
    }
    return fnWriteCfgLine(&e->wr, szOut);
}

/* Does the line (p: the line without its leading blanks, unless the type
   keeps them) hold what the type looks for?  lpszOwnKey gets the line's
   key part for type S. */
static BOOL fnMatchLine(TextEditStruct *e, const char *p, char *lpszOwnKey, size_t cchOwnKey)
{
    const IniTypeStruct *t = e->lpType;
    if (!e->lpszKey[0])
        return FALSE;   /* an empty key matches no line */
    char szCmp[CFG_LINE];
    fnCopyNoLineEnd(szCmp, sizeof(szCmp), p);
    switch (t->uMatch) {
    case MATCH_KEYPART: {
        char *lpszEq = strchr(szCmp, '=');
        const char *lpszValuePart = "";
        if (lpszEq) {
            *lpszEq = '\0';
            lpszValuePart = lpszEq + 1;
        }
        char szValuePart[CFG_LINE];
        fnStrCopy(szValuePart, lpszValuePart);
        if (!t->bNoTrim) {
            fnTrim(szCmp);
            fnTrim(szValuePart);
        }
        if (fnStrNCmpI(szCmp, e->lpszKey, e->uKeyLen) != 0)
            return FALSE;
        if (t->bNeedOption && (!e->lpszOption[0] || !fnStrStrI(szValuePart, e->lpszOption)))
            return FALSE;
        fnStrCopyN(lpszOwnKey, cchOwnKey, szCmp);
        return TRUE;
    }
    case MATCH_BEGINS:
        return fnStrNCmpI(szCmp, e->lpszKey, e->uKeyLen) == 0;
    case MATCH_PREFIX:
        fnTrim(szCmp);
        return fnStrBeginsI(szCmp, e->lpszSection) &&
               fnStrStrI(szCmp + strlen(e->lpszSection), e->lpszKey) != NULL;
    case MATCH_BOTH:
        fnTrim(szCmp);
        return fnStrStrI(szCmp, e->lpszKey) &&
               (!e->lpszSection[0] || fnStrStrI(szCmp, e->lpszSection));
    case MATCH_EXCLUDE:
        fnTrim(szCmp);
        return fnStrStrI(szCmp, e->lpszKey) &&
               (!e->lpszSection[0] || !fnStrBeginsI(szCmp, e->lpszSection));
    case MATCH_ENTRY: {
        fnTrim(szCmp);
        if (fnStrCmpI(szCmp, e->lpszKey) == 0 || fnStrCmpI(szCmp, e->szNewIniLine) == 0)
            return TRUE;
        /* A removal also takes the key with a value. */
        char *lpszEq = strchr(szCmp, '=');
        if (e->cAction != 'D' || !lpszEq)
            return FALSE;
        *lpszEq = '\0';
        fnTrim(szCmp);
        return fnStrCmpI(szCmp, e->lpszKey) == 0;
    }
    default:
        return fnStrStrI(szCmp, e->lpszKey) != NULL;
    }
}

/* Type R: every occurrence of the key in the line becomes the value (or
   goes, for action D), left to right, going on after each insert. */
static BOOL fnReplaceInLine(TextEditStruct *e, const char *lpszLine)
{
    if (!e->lpszKey[0] || !fnStrStrI(lpszLine, e->lpszKey))
        return fnWriteCfgLine(&e->wr, lpszLine);
    if (e->cAction == 'S') {
        e->bDone = TRUE;
        return fnWriteCfgLine(&e->wr, lpszLine);
    }
    const char *lpszRepl = e->cAction == 'D' ? "" : e->lpszValue;
    size_t cchKey = strlen(e->lpszKey);
    char szOut[CFG_LINE];
    szOut[0] = '\0';
    const char *p = lpszLine;
    BOOL bFits = TRUE;
    for (const char *q; (q = fnStrStrI(p, e->lpszKey)) != NULL; p = q + cchKey) {
        char szPart[CFG_LINE];
        fnStrCopyN(szPart, (size_t)(q - p) + 1, p);
        bFits = bFits && fnStrAppend(szOut, szPart) && fnStrAppend(szOut, lpszRepl);
    }
    bFits = bFits && fnStrAppend(szOut, p);
    if (!bFits) {
        fnDebugTrace("fnEditIniLine", "Replaced line too long:\n%.80s", lpszLine);
        e->bTooLong = TRUE;
        return FALSE;
    }
    char szLog[CFG_LINE];
    fnCopyNoLineEnd(szLog, sizeof(szLog), szOut);
    fnLogWrite(TRUE, "%s, \"%s\", \"%s\", \"%s\"", e->lpszFile, e->lpszSection, e->lpszKey,
               szLog);
    return fnWriteCfgLine(&e->wr, szOut);
}

/* A found line, changed by the action. */
static BOOL fnChangeFoundLine(TextEditStruct *e, const char *lpszLine, const char *lpszOwnKey)
{
    char cAction = e->cAction;
    /* M and S change a found line only by replacing or removing it. */
    if ((e->cType == 'M' || e->cType == 'S') && cAction != 'N' && cAction != 'D' &&
        cAction != 'S')
        cAction = '-';
    e->bDone = TRUE;
    switch (cAction) {
    case 'N':
    case 'R': {
        char szNew[CFG_LINE];
        const char *lpszNew = e->szNewIniLine;
        if (e->cType == 'S' && cAction == 'N') {
            if (!fnStrFormat(szNew, "%s=%s", lpszOwnKey, e->lpszValue)) {
                e->bTooLong = TRUE;
                return FALSE;
            }
            lpszNew = szNew;
        }
        fnLogFound(e, lpszLine, lpszNew);
        return fnWriteReplacement(e, lpszNew, lpszLine);
    }
    case 'D':
        fnLogFound(e, lpszLine, "");
        return TRUE;
    case 'S':
        return fnWriteCfgLine(&e->wr, lpszLine);
    case 'A':
        fnLogFound(e, lpszLine, e->szNewIniLine);
        return fnWriteCfgLine(&e->wr, lpszLine) && fnWriteCfgNewLine(&e->wr, e->szNewIniLine);
    case 'I':
        fnLogFound(e, lpszLine, e->szNewIniLine);
        return fnWriteCfgNewLine(&e->wr, e->szNewIniLine) && fnWriteCfgLine(&e->wr, lpszLine);
    default:
        fnLogFound(e, lpszLine, lpszLine);
        return fnWriteCfgLine(&e->wr, lpszLine);
    }
}

static BOOL fnIsEndMark(const TextEditStruct *e, const char *lpszLine, const char *p)
{
    if (e->bEndAnyEntry) {
        char c = lpszLine[0];
        return c && c != '\r' && c != '\n' && !fnIsBlankChar(c) && c != ';' && c != '#';
    }
    return e->lpszEndMark[0] && fnStrBeginsI(p, e->lpszEndMark);
}

/* The section ends at this line: the new line goes before it, before
   the empty line that separates the sections when there is one. */
static BOOL fnInsertAtSectionEnd(TextEditStruct *e)
{
    BOOL bStepped = fnStepBackEmptyLine(&e->wr);
    BOOL bOk = fnWriteCfgNewLine(&e->wr, e->szNewIniLine);
    /* Type O with an end text gets no separating line, but an empty line
       stepped over is written back: no line of the file is lost. */
    if (!(e->cType == 'O' && e->lpszOption[0]) || bStepped)
        bOk = bOk && fnWriteCfgNewLine(&e->wr, "");
    fnLogAdded(e);
    e->bDone = TRUE;
    return bOk;
}

/* One line of the file inside the walk. */
static BOOL fnEditOneLine(TextEditStruct *e, const char *lpszLine)
{
    if (e->bDone)
        return fnWriteCfgLine(&e->wr, lpszLine);
    const char *p = e->lpType->bKeepBlanks ? lpszLine : fnSkipBlanks(lpszLine);
    if (!e->bWholeFile) {
        if (e->bInSection && fnIsEndMark(e, lpszLine, p)) {
            e->bInSection = FALSE;
            if (e->cAction != 'R' && e->cAction != 'D') {
                if (!fnInsertAtSectionEnd(e))
                    return FALSE;
                return fnWriteCfgLine(&e->wr, lpszLine);
            }
        }
        if (!e->bInSection) {
            if (fnStrBeginsI(fnSkipBlanks(lpszLine), e->lpszSection)) {
                e->bInSection = TRUE;
                e->bSectionFound = TRUE;
            }
            return fnWriteCfgLine(&e->wr, lpszLine);
        }
    }
    if (e->lpType->uMatch == MATCH_REPLACE)
        return fnReplaceInLine(e, lpszLine);
    char szOwnKey[CFG_LINE];
    szOwnKey[0] = '\0';
    if (fnMatchLine(e, p, szOwnKey, sizeof(szOwnKey)))
        return fnChangeFoundLine(e, lpszLine, szOwnKey);
    return fnWriteCfgLine(&e->wr, lpszLine);
}

/* Options T, A and B of types B, C, K and L: the output is written again
   from the start with the new line at its place. */
static BOOL fnPlaceNewLine(TextEditStruct *e, char cPlace)
{
    if (!fnRestartOutput(&e->wr) || !fnRewindLineReader(&e->rd))
        return FALSE;
    if (cPlace == 'T' && e->cType == 'K' && e->lpszSection[0] &&
        !fnWriteCfgNewLine(&e->wr, e->lpszSection))
        return FALSE;
    /* A and B copy the lines without their leading blanks; T as they are. */
    return fnRewriteWithLine(&e->rd, &e->wr, e->szNewIniLine, cPlace, cPlace != 'T');
}

/* The end of the file came before the change was made. */
static BOOL fnEditAtEnd(TextEditStruct *e)
{
    if (e->bDone || e->cAction == 'R' || e->cAction == 'D')
        return TRUE;
    BOOL bOk = TRUE;
    if (!e->bWholeFile && !e->bSectionFound) {
        fnLogWrite(TRUE, "%s, \"%s\", \"%s\", \"\",\"\", %s", e->lpszFile, e->lpszSection,
                   e->lpszKey, e->szTypeInfo);
        if (e->cType == 'O' && e->lpszOption[0])
            bOk = fnWriteCfgNewLine(&e->wr, e->lpszOption);
        if (e->cType == 'N' && e->wr.bWritten && !e->wr.bLastEmpty)
            bOk = bOk && fnWriteCfgNewLine(&e->wr, "");
        bOk = bOk && fnWriteCfgNewLine(&e->wr, e->lpszSection);
    }
    fnLogAdded(e);
    char cPlace = fnUpperChar(e->lpszOption[0]);
    if (e->lpType->bPlacement && (cPlace == 'T' || cPlace == 'A' || cPlace == 'B'))
        return bOk && fnPlaceNewLine(e, cPlace);
    return bOk && fnWriteCfgNewLine(&e->wr, e->szNewIniLine);
}

/* Fill the edit record: the type, the scope, the new line and the key
   length.  FALSE when the new line cannot be held. */
static BOOL fnPrepareTextEdit(TextEditStruct *e)
{
    if (e->cType == 'L' && !e->lpszSection[0])
        e->cType = 'C';
    e->lpType = fnFindIniType(e->cType);
    /* M without an option looks for the value in the line. */
    if (e->cType == 'M' && !e->lpszOption[0])
        e->lpszOption = e->lpszValue;
    if (e->cType == 'R' && e->cAction != 'D' && e->cAction != 'S')
        e->cAction = 'R';
    const char *lpszValue = e->lpszValue;
    BOOL bFits;
    if (e->lpType->bValueIsLine && lpszValue[0])
        bFits = fnStrCopy(e->szNewIniLine, lpszValue);
    else if (lpszValue[0])
        bFits = fnStrFormat(e->szNewIniLine, "%s=%s", e->lpszKey, lpszValue);
    else
        bFits = fnStrCopy(e->szNewIniLine, e->lpszKey);
    /* The new line and its line end must fit a line of the file. */
    if (!bFits || strlen(e->szNewIniLine) + 2 >= CFG_LINE) {
        fnDebugTrace("fnEditIniLine", "New line too long for %s:\n%.80s", e->lpszFile,
                     e->szNewIniLine);
        return FALSE;
    }
    e->uKeyLen = strlen(e->lpszKey);
    if (e->lpType->bFirstWord) {
        e->uKeyLen = 0;
        while (e->lpszKey[e->uKeyLen] && !fnIsBlankChar(e->lpszKey[e->uKeyLen]))
            e->uKeyLen++;
    }
    e->bWholeFile = !e->lpszSection[0] || e->lpType->bWholeFile;
    e->lpszEndMark = "";
    if (!e->bWholeFile) {
        if (e->cType == 'N')
            e->bEndAnyEntry = TRUE;
        else if (e->cType == 'O' && e->lpszOption[0])
            e->lpszEndMark = e->lpszOption;
        else if (e->lpszSection[0] == '[')
            e->lpszEndMark = "[";
    }
    return TRUE;
}

/* Walk the file into the temporary file with the prepared edit. */
static BOOL fnRunTextEdit(TextEditStruct *e, const char *lpszTempFile)
{
    BOOL bOk = fnOpenLineReader(&e->rd, e->lpszFile);
    if (!bOk)
        return FALSE;
    if (fnOpenLineWriter(&e->wr, lpszTempFile, e->rd.szLineEnd)) {
        char szLine[CFG_LINE];
        int nRead;
        while (bOk && (nRead = fnReadCfgLine(&e->rd, szLine, sizeof(szLine))) == READ_LINE)
            bOk = fnEditOneLine(e, szLine);
        if (bOk && nRead == READ_ERROR)
            bOk = FALSE;
        bOk = bOk && fnEditAtEnd(e);
        bOk = fnCloseLineWriter(&e->wr) && bOk;
    } else {
        bOk = FALSE;
    }
    fnCloseLineReader(&e->rd);
    if (e->bTooLong)
        bOk = FALSE;
    fnDebugTrace("fnEditIniLine", "bDone=%d, bSectionFound=%d, result %d", e->bDone,
                 e->bSectionFound, bOk);
    return bOk;
}

BOOL fnEditIniLine(const char *lpszFile, const char *lpszTempFile, const char *lpszSection,
                   const char *lpszKey, const char *lpszValue, const char *lpszType,
                   char cAction, const char *lpszOption)
{
    TextEditStruct edit;
    TextEditStruct *e = &edit;
    memset(e, 0, sizeof(*e));
    e->lpszFile = lpszFile;
    e->lpszSection = lpszSection;
    e->lpszKey = lpszKey;
    e->lpszValue = lpszValue;
    e->lpszOption = lpszOption ? lpszOption : "";
    e->cType = fnUpperChar(lpszType[0] ? lpszType[0] : 'W');
    e->cAction = fnUpperChar(cAction ? cAction : 'N');
    fnTypeInfo(e->szTypeInfo, sizeof(e->szTypeInfo), lpszType, e->lpszOption);
    fnDebugTrace("fnEditIniLine",
                 "lpszFile=%s,\nlpszTempFile=%s,\nlpszSection=%s,\nlpszKey=%s,\nlpszValue=%.200s,\n"
                 "lpszType=%s,\npszAction=%c,\nlpszOption=%.200s",
                 lpszFile, lpszTempFile, lpszSection, lpszKey, lpszValue, lpszType, e->cAction,
                 e->lpszOption);
    if (!fnPrepareTextEdit(e))
        return FALSE;
    return fnRunTextEdit(e, lpszTempFile);
}

BOOL fnEditProfileList(const char *lpszFile, const char *lpszTempFile, const char *lpszSection,
                       const char *lpszKey, const char *lpszEntry, char cAction)
{
    TextEditStruct edit;
    TextEditStruct *e = &edit;
    memset(e, 0, sizeof(*e));
    char szHeader[CFG_LINE];
    if (!fnStrFormat(szHeader, "[%s]", lpszSection) || !fnStrCopy(e->szNewIniLine, lpszEntry) ||
        strlen(lpszEntry) + 2 >= CFG_LINE)
        return FALSE;
    e->lpType = &s_ListType;
    e->lpszFile = lpszFile;
    e->lpszSection = szHeader;
    e->lpszKey = lpszKey;
    e->lpszValue = "";
    e->lpszOption = "";
    e->cType = 'G';
    /* An entry that is there already stays as it is. */
    e->cAction = cAction == 'D' ? 'D' : 'S';
    e->uKeyLen = strlen(lpszKey);
    e->lpszEndMark = "[";
    fnStrCopy(e->szTypeInfo, "I,\"G\"");
    fnDebugTrace("fnEditProfileList", "lpszFile=%s,\n[%s] %s, pszAction=%c", lpszFile,
                 lpszSection, lpszEntry, e->cAction);
    return fnRunTextEdit(e, lpszTempFile);
}
