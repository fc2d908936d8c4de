/* [ReadDefaults]: each line reads one value out of an INI file (through
 * the profile functions) or a text file (by the line rules of the text
 * editor) into the next of the ten default-setting slots. */
#include "defaults.h"
#include "config.h"
#include "cfgint.h"
#include "../script/macro.h"
#include "../script/reader.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include <string.h>

/* The platform default of a type I read: a key that is missing gives it. */
static const char s_szTestString[] = "A_TEST_STRING";

/* How a text type finds its line and takes its value. */
#define TAKE_AFTER_EQUALS  1    /* F: the value after "=", untrimmed */
#define TAKE_VALUE_PART    2    /* M, S: the trimmed value that holds the option */
#define TAKE_AFTER_ONE     3    /* O: after the key and one more character */
#define TAKE_REST          4    /* C, N: the rest, an "=" after the key skipped */
#define TAKE_PATH_LIST     5    /* P: the list of the first PATH line */

struct ReadTypeStruct {
    char cType;
    UINT uTake;
    BOOL bKeepBlanks;           /* the line is compared with its leading blanks */
};

static const ReadTypeStruct s_aReadTypes[] = {
    { 'F', TAKE_AFTER_EQUALS, FALSE },
    { 'M', TAKE_VALUE_PART,   FALSE },
    { 'S', TAKE_VALUE_PART,   FALSE },
    { 'O', TAKE_AFTER_ONE,    FALSE },
    { 'P', TAKE_PATH_LIST,    FALSE },
    { 'C', TAKE_REST,         FALSE },
    { 'N', TAKE_REST,         TRUE  },
};

static const ReadTypeStruct *fnFindReadType(char cType)
{
    for (size_t i = 0; i < sizeof(s_aReadTypes) / sizeof(s_aReadTypes[0]); i++)
        if (s_aReadTypes[i].cType == cType)
            return &s_aReadTypes[i];
    return NULL;
}

/* One read: its fields and the scope it walks. */
struct TextReadStruct {
    const ReadTypeStruct *lpType;
    const char *lpszSection;
    const char *lpszKey;
    const char *lpszOption;
    size_t uKeyLen;
    BOOL bWholeFile;
    BOOL bEndAnyEntry;          /* type N: any entry line ends the section */
    const char *lpszEndMark;    /* "" for none */
};

static void fnPrepareTextRead(TextReadStruct *r)
{
    r->uKeyLen = strlen(r->lpszKey);
    /* F compares only the key's first word, as the editor does. */
    if (r->lpType->cType == 'F') {
        r->uKeyLen = 0;
        while (r->lpszKey[r->uKeyLen] && r->lpszKey[r->uKeyLen] != ' ' &&
               r->lpszKey[r->uKeyLen] != '\t')
            r->uKeyLen++;
    }
    r->bWholeFile = !r->lpszSection[0];
    r->lpszEndMark = "";
    if (r->lpType->cType == 'N')
        r->bEndAnyEntry = TRUE;
    else if (r->lpType->cType == 'O' && r->lpszOption[0])
        r->lpszEndMark = r->lpszOption;
    else if (r->lpszSection[0] == '[')
        r->lpszEndMark = "[";
}

static BOOL fnIsReadEndMark(const TextReadStruct *r, const char *lpszLine, const char *p)
{
    if (r->bEndAnyEntry) {
        char c = lpszLine[0];
        return c && c != '\r' && c != '\n' && c != ' ' && c != '\t' && c != ';' && c != '#';
    }
    return r->lpszEndMark[0] && fnStrBeginsI(p, r->lpszEndMark);
}

/* Does the line (p: without its line end, and without leading blanks
   unless the type keeps them) hold the value?  lpszValue gets it. */
static BOOL fnTakeValue(const TextReadStruct *r, char *p, char *lpszValue, size_t cchValue)
{
    UINT uTake = r->lpType->uTake;
    if (uTake == TAKE_PATH_LIST) {
        const char *lpszList = fnFindPathLine(p);
        if (!lpszList)
            return FALSE;
        fnStrCopyN(lpszValue, cchValue, lpszList);
        fnTrim(lpszValue);
        return TRUE;
    }
    if (!r->uKeyLen)
        return FALSE;   /* an empty key matches no line */
    if (uTake == TAKE_AFTER_EQUALS || uTake == TAKE_VALUE_PART) {
        char *lpszEq = strchr(p, '=');
        const char *lpszPart = "";
        if (lpszEq) {
            *lpszEq = '\0';
            lpszPart = lpszEq + 1;
        }
        fnStrCopyN(lpszValue, cchValue, lpszPart);
        if (uTake == TAKE_VALUE_PART) {
            fnTrim(p);
            fnTrim(lpszValue);
        }
        if (fnStrNCmpI(p, r->lpszKey, r->uKeyLen) != 0)
            return FALSE;
        /* An empty option asks for no particular text. */
        return uTake != TAKE_VALUE_PART || !r->lpszOption[0] ||
               fnStrStrI(lpszValue, r->lpszOption) != NULL;
    }
    if (fnStrNCmpI(p, r->lpszKey, r->uKeyLen) != 0)
        return FALSE;
    const char *lpszRest = p + r->uKeyLen;
    if (uTake == TAKE_AFTER_ONE)
        lpszRest += *lpszRest ? 1 : 0;
    else if (*lpszRest == '=')
        lpszRest++;
    fnStrCopyN(lpszValue, cchValue, lpszRest);
    fnTrim(lpszValue);
    return TRUE;
}

/* Walk the lines; the first line in scope that holds the value ends it. */
static BOOL fnWalkTextRead(const TextReadStruct *r, LineReaderStruct *lpRd, char *lpszOut,
                           size_t cchOut)
{
    char szLine[CFG_LINE];
    BOOL bInSection = r->bWholeFile;
    int nRead;
    while ((nRead = fnReadCfgLine(lpRd, szLine, sizeof(szLine))) == READ_LINE) {
        const char *p = r->lpType->bKeepBlanks ? szLine : fnSkipBlanks(szLine);
        if (!bInSection) {
            bInSection = fnStrBeginsI(fnSkipBlanks(szLine), r->lpszSection);
            continue;
        }
        if (!r->bWholeFile && fnIsReadEndMark(r, szLine, p))
            return FALSE;   /* the end of the section: nothing found */
        char szCmp[CFG_LINE];
        fnCopyNoLineEnd(szCmp, sizeof(szCmp), p);
        if (fnTakeValue(r, szCmp, lpszOut, cchOut))
            return TRUE;
    }
    if (nRead == READ_ERROR)
        fnDebugTrace("fnReadTextIniValue", "Read error: reading stops");
    return FALSE;
}

BOOL fnReadTextIniValue(const char *lpszFile, const char *lpszSection, const char *lpszKey,
                        char cType, const char *lpszOption, char *lpszOut, size_t cchOut)
{
    if (!cchOut)
        return FALSE;
    lpszOut[0] = '\0';
    TextReadStruct r;
    memset(&r, 0, sizeof(r));
    r.lpType = fnFindReadType(fnUpperChar(cType));
    r.lpszSection = lpszSection ? lpszSection : "";
    r.lpszKey = lpszKey ? lpszKey : "";
    r.lpszOption = lpszOption ? lpszOption : "";
    if (!r.lpType) {
        fnDebugTrace("fnReadTextIniValue", "Type %c reads nothing", cType ? cType : ' ');
        return FALSE;
    }
    fnPrepareTextRead(&r);
    LineReaderStruct rd;
    if (!fnOpenLineReader(&rd, lpszFile))
        return FALSE;
    char szValue[CFG_LINE];
    szValue[0] = '\0';
    BOOL bFound = fnWalkTextRead(&r, &rd, szValue, sizeof(szValue));
    fnCloseLineReader(&rd);
    bFound = bFound && szValue[0];
    if (bFound && !fnStrCopyN(lpszOut, cchOut, szValue)) {
        fnDebugTrace("fnReadTextIniValue", "Value longer than %u characters", (UINT)(cchOut - 1));
        lpszOut[0] = '\0';
        bFound = FALSE;
    }
    fnDebugTrace("fnReadTextIniValue",
                 "lpszFile=%s,\nlpszSection=%s,\nlpszKey=%s,\ncType=%c,\nlpszOption=%s,\n"
                 "lpszValue=%.200s,\nresult %d",
                 lpszFile, r.lpszSection, r.lpszKey, r.lpType->cType, r.lpszOption, lpszOut,
                 bFound);
    return bFound;
}

/* ---- the section ---- */

/* One value line, read and expanded. */
struct DefaultLineStruct {
    char szFile[KSTL8_LINE];
    char szSection[KSTL8_LINE];
    char szKey[KSTL8_LINE];
    char szType[KSTL8_LINE];
    char szOption[KSTL8_LINE];
    char szDefault[KSTL8_LINE];
};

/* Expand a field when it is not empty; FALSE when the expansion was cut
   or the result does not fit cchLimit - 1 (a macro that gave nothing is
   fine here: its text is simply shorter). */
static BOOL fnExpandDefaultField(char *lpszText, size_t cchText, size_t cchLimit)
{
    if (lpszText[0] && fnExpandOpts(lpszText, cchText) == MACRO_EMPTY &&
        strlen(lpszText) >= MACRO_RESULT_MAX)
        return FALSE;
    return strlen(lpszText) < cchLimit;
}

/* Read and expand the fields from parameter uFirst on; NULL when they
   are good, else what is wrong. */
static const char *fnReadDefaultLine(const char *lpszLine, UINT uFirst, DefaultLineStruct *lpL)
{
    fnGetParam(lpszLine, uFirst + 0, lpL->szFile, sizeof(lpL->szFile));
    fnGetParam(lpszLine, uFirst + 1, lpL->szSection, sizeof(lpL->szSection));
    fnGetParam(lpszLine, uFirst + 2, lpL->szKey, sizeof(lpL->szKey));
    fnGetParam(lpszLine, uFirst + 3, lpL->szType, sizeof(lpL->szType));
    fnGetParam(lpszLine, uFirst + 4, lpL->szOption, sizeof(lpL->szOption));
    fnGetParam(lpszLine, uFirst + 5, lpL->szDefault, sizeof(lpL->szDefault));
    lpL->szType[0] = lpL->szType[0] ? fnUpperChar(lpL->szType[0]) : 'I';
    lpL->szType[1] = '\0';
    if (!fnExpandDefaultField(lpL->szFile, sizeof(lpL->szFile), KSTL8_PATH))
        return "file too long";
    if (!fnExpandDefaultField(lpL->szSection, sizeof(lpL->szSection), CFG_KEY))
        return "section too long";
    if (!fnExpandDefaultField(lpL->szKey, sizeof(lpL->szKey), CFG_KEY))
        return "key too long";
    if (!fnExpandDefaultField(lpL->szOption, sizeof(lpL->szOption), CFG_KEY))
        return "option too long";
    if (!fnExpandDefaultField(lpL->szDefault, sizeof(lpL->szDefault), KSTL8_PATH))
        return "default too long";
    return NULL;
}

/* Put a value into slot n; a value over 127 characters is cut inside
   the slot (it is only offered to later values), and the cut is traced. */
static void fnSetDefaultSlot(int n, const char *lpszValue)
{
    if (!fnStrCopy(g_szDefaultSetting[n], lpszValue))
        fnDebugTrace("fnReadIniFiles", "g_szDefaultSetting[%d] cut to %u characters", n,
                     (UINT)(sizeof(g_szDefaultSetting[n]) - 1));
}

/* The value of one line for its slot. */
static void fnReadDefaultValue(const DefaultLineStruct *lpL, char *lpszOut, size_t cchOut)
{
    lpszOut[0] = '\0';
    /* Without a file or a key there is nothing to read, not even a default. */
    if (!lpL->szFile[0] || !lpL->szKey[0])
        return;
    char szValue[DEFAULT_VALUE_MAX];
    BOOL bFound;
    if (lpL->szType[0] == 'I') {
        /* The section is passed as "" when empty: NULL would list the
           file's section names. */
        GetPrivateProfileStringA(lpL->szSection, lpL->szKey, s_szTestString, szValue,
                                 sizeof(szValue), lpL->szFile);
        bFound = szValue[0] && strcmp(szValue, s_szTestString) != 0;
    } else {
        bFound = fnReadTextIniValue(lpL->szFile, lpL->szSection, lpL->szKey, lpL->szType[0],
                                    lpL->szOption, szValue, sizeof(szValue));
    }
    fnStrCopyN(lpszOut, cchOut, bFound ? szValue : lpL->szDefault);
}

/* The walk over the section: the next slot and the skip switch. */
struct DefaultSectionStruct {
    int nSlot;
    BOOL bSkipFailed;           /* SkipIfTestFails: a failed test uses no slot */
};

/* One line of the section. */
static void fnDoDefaultLine(DefaultSectionStruct *lpS, char *lpszLine)
{
    int n = lpS->nSlot;
    g_szDefaultSetting[n][0] = '\0';
    char szKeyword[KSTL8_LINE];
    char szArg[KSTL8_LINE];
    BOOL bKey = fnGetParam(lpszLine, 0, szKeyword, sizeof(szKeyword));
    fnGetParam(lpszLine, 1, szArg, sizeof(szArg));
    if (bKey && fnStrCmpI(szKeyword, "ExpandDelims") == 0) {
        fnSetExpandDelims(szArg);
        fnDebugTrace("fnReadIniFiles", "g_szExpandDelims=%s", szArg);
        return;
    }
    if (bKey && fnStrCmpI(szKeyword, "SkipIfTestFails") == 0) {
        if (fnUpperChar(szArg[0]) == 'Y')
            lpS->bSkipFailed = TRUE;
        fnDebugTrace("fnReadIniFiles", "bSkipIfTestFails=%d", lpS->bSkipFailed);
        return;
    }
    /* A key before the first "," is a test; the fields follow its value. */
    UINT uFirst = 1;
    if (bKey) {
        if (fnCompareValues(szKeyword, szArg) == COND_FAILS) {
            fnDebugTrace("fnReadIniFiles", "Condition fails:\n%.200s", lpszLine);
            if (!lpS->bSkipFailed)
                lpS->nSlot++;
            return;
        }
        uFirst = 2;
    }
    DefaultLineStruct line;
    memset(&line, 0, sizeof(line));
    const char *lpszBad = fnReadDefaultLine(lpszLine, uFirst, &line);
    char szValue[DEFAULT_VALUE_MAX];
    if (lpszBad) {
        /* Nothing can be read by a field that does not fit: the slot stays empty. */
        fnDebugTrace("fnReadIniFiles", "Bad line (%s):\n%.200s", lpszBad, lpszLine);
        szValue[0] = '\0';
    } else {
        fnReadDefaultValue(&line, szValue, sizeof(szValue));
    }
    fnSetDefaultSlot(n, szValue);
    fnDebugTrace("fnReadIniFiles", "g_szDefaultSetting[%d]=%s", n, g_szDefaultSetting[n]);
    lpS->nSlot++;
}

BOOL fnReadIniFiles(HWND hWnd, char *lpszFirstLine)
{
    (void)hWnd;
    DefaultSectionStruct s;
    memset(&s, 0, sizeof(s));
    char szLine[KSTL8_LINE];
    char *p = lpszFirstLine;
    while (s.nSlot < DEFAULT_SLOTS && (p = fnGetSectionLine(p, szLine, sizeof(szLine))) != NULL)
        fnDoDefaultLine(&s, szLine);
    if (p && s.nSlot >= DEFAULT_SLOTS && fnGetSectionLine(p, szLine, sizeof(szLine)))
        fnDebugTrace("fnReadIniFiles", "Ten values read; the rest of the section is not:\n%.200s",
                     szLine);
    return TRUE;
}

int fnInfReadDefaults(HWND hWnd, char *lpszText)
{
    fnDebugTrace("fnInfReadDefaults", "Section text:\n%.200s", lpszText ? lpszText : "");
    if (lpszText && *lpszText)
        fnReadIniFiles(hWnd, lpszText);
    return 1;
}
