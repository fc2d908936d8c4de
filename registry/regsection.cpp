/* The registry sections: each line reads, tests, writes, enumerates or
 * deletes registry keys and values.  Values read go to the slots that the
 * @K macros take them from. */
#include "registry.h"
#include "../script/macro.h"
#include "../script/reader.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../resources/strings.h"
#include <string.h>

#define REG_SLOTS     9
#define REG_NOTFOUND  "-NOTFOUND-"

/* What one section carries from line to line. */
struct RegSectionStruct {
    HWND hWnd;
    int nReg;               /* next slot of g_szRegValues */
    BOOL bTrimSlash;
};

/* One line, its fields read and expanded. */
struct RegLineStruct {
    char szKeyword[32];
    char szType[32];                /* DWORD_BIG_ENDIAN has 16 letters */
    char szKey[KSTL8_LINE];
    char szName[KSTL8_LINE];
    char szData[KSTL8_LINE];
    char szTest2Name[KSTL8_LINE];
    char szTest2Data[KSTL8_LINE];
    char szOutcome[16];
    char szMessage[192];
    char szProgram[KSTL8_LINE];     /* checked against 259 when it is run */
    char szMode[16];
    DWORD dwType;
    HKEY hRoot;
    char *lpszSubKey;               /* into szKey */
    BOOL bBad;                      /* a field did not fit: the line is refused */
    BOOL bKeyEmptyMacro;            /* the key's expansion gave -1 */
};

typedef BOOL (*PFNREGOP)(RegSectionStruct *lpSect, RegLineStruct *lpLine);

/* Which field of the line each parameter number fills (0: none). */
enum { F_NONE, F_TYPE, F_KEY, F_NAME, F_DATA, F_OUTCOME, F_MESSAGE, F_PROGRAM, F_T2NAME,
       F_T2DATA, F_MODE };

struct RegKeywordStruct {
    const char *lpszKeyword;
    PFNREGOP pfnOp;
    const char *lpszOutcome;    /* the outcome before the line's own */
    BOOL bDestructive;
    BOOL bSetting;              /* ExpandDelims, BackupDir, TrimTrailingSlash */
    unsigned char abFields[7];  /* fields 1 to 7 */
};

static BOOL fnRegOpEdit(RegSectionStruct *, RegLineStruct *);
static BOOL fnRegOpDeleteValue(RegSectionStruct *, RegLineStruct *);
static BOOL fnRegOpDeleteValues(RegSectionStruct *, RegLineStruct *);
static BOOL fnRegOpDeleteKey(RegSectionStruct *, RegLineStruct *);
static BOOL fnRegOpDeleteBranch(RegSectionStruct *, RegLineStruct *);
static BOOL fnRegOpRead(RegSectionStruct *, RegLineStruct *);
static BOOL fnRegOpEnum(RegSectionStruct *, RegLineStruct *);
static BOOL fnRegOpCheck(RegSectionStruct *, RegLineStruct *);
static BOOL fnRegOpExpandDelims(RegSectionStruct *, RegLineStruct *);
static BOOL fnRegOpBackupDir(RegSectionStruct *, RegLineStruct *);
static BOOL fnRegOpTrimSlash(RegSectionStruct *, RegLineStruct *);

static const RegKeywordStruct s_aKeywords[] = {
    { "Edit", fnRegOpEdit, "PROMPT", FALSE, FALSE,
      { F_TYPE, F_KEY, F_NAME, F_DATA, F_OUTCOME } },
    { "DeleteValue", fnRegOpDeleteValue, "PROMPT", TRUE, FALSE,
      { F_TYPE, F_KEY, F_NAME, F_OUTCOME } },
    { "DeleteValues", fnRegOpDeleteValues, "PROMPT", TRUE, FALSE, { F_TYPE, F_KEY, F_OUTCOME } },
    { "DeleteKey", fnRegOpDeleteKey, "PROMPT", TRUE, FALSE, { F_TYPE, F_KEY, F_OUTCOME } },
    { "DeleteBranch", fnRegOpDeleteBranch, "PROMPT", TRUE, FALSE, { F_TYPE, F_KEY, F_OUTCOME } },
    { "Read", fnRegOpRead, "", FALSE, FALSE, { F_TYPE, F_KEY, F_OUTCOME } },
    { "Enum", fnRegOpEnum, "", FALSE, FALSE,
      { F_TYPE, F_KEY, F_NAME, F_DATA, F_T2NAME, F_T2DATA, F_MODE } },
    { "Check", fnRegOpCheck, "", FALSE, FALSE,
      { F_TYPE, F_KEY, F_NAME, F_DATA, F_OUTCOME, F_MESSAGE, F_PROGRAM } },
    { "ExpandDelims", fnRegOpExpandDelims, "", FALSE, TRUE, { F_DATA } },
    { "BackupDir", fnRegOpBackupDir, "", FALSE, TRUE, { F_DATA } },
    { "TrimTrailingSlash", fnRegOpTrimSlash, "", FALSE, TRUE, { F_DATA } },
};

struct RegTypeStruct {
    const char *lpszName;
    DWORD dwType;
};

static const RegTypeStruct s_aTypes[] = {
    { "NONE", REG_NONE },           { "SZ", REG_SZ },
    { "EXPAND_SZ", REG_EXPAND_SZ }, { "BINARY", REG_BINARY },
    { "HEX", REG_BINARY },          { "DWORD", REG_DWORD },
    { "DWORD_BIG_ENDIAN", REG_DWORD_BIG_ENDIAN }, { "LINK", REG_LINK },
    { "MULTI_SZ", REG_MULTI_SZ },   { "RESOURCE_LIST", REG_RESOURCE_LIST },
};

static DWORD fnRegTypeOf(const char *lpszType)
{
    for (size_t i = 0; i < sizeof(s_aTypes) / sizeof(s_aTypes[0]); i++)
        if (fnStrCmpI(lpszType, s_aTypes[i].lpszName) == 0)
            return s_aTypes[i].dwType;
    return REG_SZ;
}

static const RegKeywordStruct *fnFindRegKeyword(const char *lpszKeyword)
{
    for (size_t i = 0; i < sizeof(s_aKeywords) / sizeof(s_aKeywords[0]); i++)
        if (fnStrCmpI(lpszKeyword, s_aKeywords[i].lpszKeyword) == 0)
            return &s_aKeywords[i];
    return NULL;
}

/* ---- asking ---- */

/* Message 1277; FALSE when the user answers No.  A quiet run takes Yes,
   the box's default, and goes on. */
static BOOL fnAskRegError(const RegLineStruct *lpLine)
{
    fnLogWrite(TRUE, "Registry error: %s=%s", lpLine->szKeyword, lpLine->szKey);
    return fnMessageBoxQ(IDYES, IDS_REGERROR, NULL, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

/* A failed operation: only the outcome PROMPT asks. */
static BOOL fnRegFailed(const RegLineStruct *lpLine)
{
    fnDebugTrace("fnRegistrySection", "Failed: %s=%s,\nszOutcome=%s", lpLine->szKeyword,
                 lpLine->szKey, lpLine->szOutcome);
    if (fnStrCmpI(lpLine->szOutcome, "PROMPT") != 0)
        return TRUE;
    return fnAskRegError(lpLine);
}

/* Start the program of a Check line; FALSE when it cannot be started. */
static BOOL fnStartCheckProgram(const char *lpszProgram)
{
    char szCmd[KSTL8_PATH];
    if (!fnStrCopy(szCmd, lpszProgram) || fnExpandOpts(szCmd, sizeof(szCmd)) == MACRO_EMPTY)
        return FALSE;
    /* FIXME: go through the program runner once it exists; until then the
       program is started here and not waited for. */
    STARTUPINFOA si;
    PROCESS_INFORMATION pi;
    fnZeroMem(&si, sizeof(si));
    si.cb = sizeof(si);
    BOOL bOk = CreateProcessA(NULL, szCmd, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi);
    fnDebugTrace("fnRegistrySection", "Started %s,\nbOk=%d,\ndwError=%lu", szCmd, bOk,
                 bOk ? 0ul : (unsigned long)GetLastError());
    if (!bOk)
        return FALSE;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    fnLogWrite(TRUE, "Started: %s", szCmd);
    return TRUE;
}

/* Ask a Check question (string uId, or the line's own message) with Yes
   and No; Yes runs the line's program.  FALSE makes the section fail. */
static BOOL fnAskCheck(const RegLineStruct *lpLine, UINT uId)
{
    /* FIXME: an own message belongs in the script message dialog; until
       the dialogs exist it is a message box with the same buttons. */
    int nAnswer = lpLine->szMessage[0]
                      ? fnMessageBoxQ(IDYES, 0, NULL, MB_YESNO | MB_ICONQUESTION, "%s",
                                      lpLine->szMessage)
                      : fnMessageBoxQ(IDYES, uId, NULL, MB_YESNO | MB_ICONQUESTION);
    if (nAnswer != IDYES)
        return FALSE;
    return !lpLine->szProgram[0] || fnStartCheckProgram(lpLine->szProgram);
}

/* A value that must be there is not: always fails the section. */
static BOOL fnCheckFatal(const RegLineStruct *lpLine)
{
    if (lpLine->szMessage[0])
        fnMessageBoxQ(IDOK, 0, NULL, MB_OK, "%s", lpLine->szMessage);
    else
        fnMessageBoxQ(IDOK, IDS_REGVITAL, NULL, MB_OK | MB_ICONSTOP);
    fnLogWrite(TRUE, "Registry check failed: %s", lpLine->szKey);
    return FALSE;
}

/* ---- the operations ---- */

static BOOL fnRegOpEdit(RegSectionStruct *, RegLineStruct *lpLine)
{
    BOOL bOk = fnRegOpenAndSet(lpLine->hRoot, lpLine->lpszSubKey, lpLine->szName,
                               lpLine->szData, lpLine->dwType);
    if (bOk)
        fnLogWrite(TRUE, "%s\\%s=%s", lpLine->szKey, lpLine->szName, lpLine->szData);
    return bOk;
}

static BOOL fnLogDeleted(const RegLineStruct *lpLine, BOOL bOk)
{
    if (bOk)
        fnLogWrite(TRUE, "%s: %s%s%s", lpLine->szKeyword, lpLine->szKey,
                   lpLine->szName[0] ? "\\" : "", lpLine->szName);
    return bOk;
}

static BOOL fnRegOpDeleteValue(RegSectionStruct *, RegLineStruct *lpLine)
{
    return fnLogDeleted(lpLine,
                        fnRegDeleteValue(lpLine->hRoot, lpLine->lpszSubKey, lpLine->szName));
}

static BOOL fnRegOpDeleteValues(RegSectionStruct *, RegLineStruct *lpLine)
{
    return fnLogDeleted(lpLine, fnRegDeleteValues(lpLine->hRoot, lpLine->lpszSubKey));
}

static BOOL fnRegOpDeleteKey(RegSectionStruct *, RegLineStruct *lpLine)
{
    return fnLogDeleted(lpLine, fnRegDeleteKey(lpLine->hRoot, lpLine->lpszSubKey));
}

static BOOL fnRegOpDeleteBranch(RegSectionStruct *, RegLineStruct *lpLine)
{
    return fnLogDeleted(lpLine, fnRegDeleteBranch(lpLine->hRoot, lpLine->lpszSubKey));
}

/* The next slot for a Read or Enum line, or NULL when all nine are used:
   a tenth line has nowhere to go and fails. */
static char *fnNextRegSlot(RegSectionStruct *lpSect)
{
    if (lpSect->nReg >= REG_SLOTS) {
        fnDebugTrace("fnRegistrySection", "All %d slots of g_szRegValues are used", REG_SLOTS);
        return NULL;
    }
    return g_szRegValues[lpSect->nReg++];
}

static void fnTrimSlot(const RegSectionStruct *lpSect, char *lpszSlot)
{
    size_t cch = strlen(lpszSlot);
    if (lpSect->bTrimSlash && cch > 0 && lpszSlot[cch - 1] == '\\')
        lpszSlot[cch - 1] = '\0';
}

static BOOL fnRegOpRead(RegSectionStruct *lpSect, RegLineStruct *lpLine)
{
    char *lpszSlot = fnNextRegSlot(lpSect);
    if (!lpszSlot)
        return FALSE;
    /* A value that does not fit the slot reads as not found, never cut. */
    BOOL bOk = lpLine->hRoot && !lpLine->bBad &&
               fnGetRegistry(lpLine->hRoot, lpLine->lpszSubKey, lpszSlot, KSTL8_LINE);
    if (bOk)
        fnTrimSlot(lpSect, lpszSlot);
    else
        fnStrCopyN(lpszSlot, KSTL8_LINE, REG_NOTFOUND);
    fnDebugTrace("fnRegistrySection", "g_szRegValues[%d]=%s", lpSect->nReg - 1, lpszSlot);
    return bOk;
}

static BOOL fnRegOpEnum(RegSectionStruct *lpSect, RegLineStruct *lpLine)
{
    char *lpszSlot = fnNextRegSlot(lpSect);
    if (!lpszSlot)
        return FALSE;
    if (!lpLine->hRoot || lpLine->bBad) {
        fnStrCopyN(lpszSlot, KSTL8_LINE, REG_NOTFOUND);
        return FALSE;
    }
    RegEnumTestStruct test = { lpLine->szName, lpLine->szData, lpLine->szTest2Name,
                               lpLine->szTest2Data, lpLine->szMode[0] ? lpLine->szMode[0] : 'L' };
    fnRegGetEnum(lpLine->hRoot, lpLine->lpszSubKey, &test, lpszSlot, KSTL8_LINE);
    fnTrimSlot(lpSect, lpszSlot);
    fnDebugTrace("fnRegistrySection", "g_szRegValues[%d]=%s", lpSect->nReg - 1, lpszSlot);
    return TRUE;
}

enum { CHECK_MATCH, CHECK_DIFFERS, CHECK_NOTFOUND };

/* Read the value a Check line names and compare it with the expected data. */
static int fnCheckValue(const RegLineStruct *lpLine)
{
    char szLookup[KSTL8_LINE * 2];
    fnStrCopy(szLookup, lpLine->lpszSubKey);
    if (lpLine->szName[0]) {
        size_t cch = strlen(szLookup);
        if (cch > 0 && szLookup[cch - 1] == '\\')
            szLookup[cch - 1] = '\0';
        fnStrAppend(szLookup, "\\");
        fnStrAppend(szLookup, lpLine->szName + (lpLine->szName[0] == '\\' ? 1 : 0));
    }
    char szValue[KSTL8_LINE];
    BOOL bCut = FALSE;
    if (!fnGetRegistry(lpLine->hRoot, szLookup, szValue, sizeof(szValue), &bCut))
        return CHECK_NOTFOUND;
    /* A value longer than any expected text cannot equal it. */
    if (bCut || fnStrCmpI(szValue, lpLine->szData) != 0)
        return CHECK_DIFFERS;
    return CHECK_MATCH;
}

static BOOL fnRegOpCheck(RegSectionStruct *, RegLineStruct *lpLine)
{
    if (lpLine->bBad)
        return fnRegFailed(lpLine);
    int nCheck = fnCheckValue(lpLine);
    const char *o = lpLine->szOutcome;
    fnDebugTrace("fnRegistrySection", "Check %s,\nszRegCheckAction=%s,\nnCheck=%d",
                 lpLine->szKey, o, nCheck);
    if (fnStrCmpI(o, "EXIT") == 0)
        return nCheck == CHECK_DIFFERS;
    if (fnStrCmpI(o, "CONTINUE") == 0)
        return nCheck != CHECK_DIFFERS;
    if (fnStrCmpI(o, "PROMPTMATCH") == 0)
        return nCheck != CHECK_MATCH || fnAskCheck(lpLine, IDS_REGMATCH);
    if (fnStrCmpI(o, "PROMPT") == 0)
        return nCheck == CHECK_MATCH ||
               fnAskCheck(lpLine, nCheck == CHECK_DIFFERS ? IDS_REGNOMATCH : IDS_REGNOTFOUND);
    if (fnStrCmpI(o, "FATAL") == 0)
        return nCheck == CHECK_MATCH || fnCheckFatal(lpLine);
    return TRUE;
}

static BOOL fnRegOpExpandDelims(RegSectionStruct *, RegLineStruct *lpLine)
{
    fnSetExpandDelims(lpLine->szData);
    return TRUE;
}

static BOOL fnRegOpBackupDir(RegSectionStruct *, RegLineStruct *lpLine)
{
    /* Accepted for old scripts; nothing backs the registry up. */
    fnExpandOpts(lpLine->szData, sizeof(lpLine->szData));
    fnDebugTrace("fnRegistrySection", "BackupDir=%s (not used)", lpLine->szData);
    return TRUE;
}

static BOOL fnRegOpTrimSlash(RegSectionStruct *lpSect, RegLineStruct *lpLine)
{
    lpSect->bTrimSlash = lpLine->szData[0] == 'Y' || lpLine->szData[0] == 'y';
    return TRUE;
}

/* ---- reading a line ---- */

/* Copy a field into its buffer; FALSE when it does not fit. */
static BOOL fnTakeRegField(RegLineStruct *lpLine, int nField, const char *lpszText)
{
    switch (nField) {
    case F_TYPE:
        /* A keyword too long for its field is no keyword: the default. */
        if (!fnStrCopy(lpLine->szType, lpszText))
            lpLine->szType[0] = '\0';
        return TRUE;
    case F_OUTCOME:
        if (!fnStrCopy(lpLine->szOutcome, lpszText))
            lpLine->szOutcome[0] = '\0';
        return TRUE;
    case F_MODE:
        lpLine->szMode[0] = lpszText[0];    /* the letter is all that counts */
        return TRUE;
    case F_KEY: return fnStrCopy(lpLine->szKey, lpszText);
    case F_NAME: return fnStrCopy(lpLine->szName, lpszText);
    case F_DATA: return fnStrCopy(lpLine->szData, lpszText);
    case F_T2NAME: return fnStrCopy(lpLine->szTest2Name, lpszText);
    case F_T2DATA: return fnStrCopy(lpLine->szTest2Data, lpszText);
    case F_PROGRAM: return fnStrCopy(lpLine->szProgram, lpszText);
    case F_MESSAGE: {
        /* Only shown: expanded whole, then cut to its field. */
        char szText[KSTL8_LINE];
        fnStrCopy(szText, lpszText);
        fnExpandOpts(szText, sizeof(szText));
        if (!fnStrCopy(lpLine->szMessage, szText))
            fnDebugTrace("fnRegistrySection", "Message cut to %u characters",
                         (UINT)sizeof(lpLine->szMessage) - 1);
        return TRUE;
    }
    }
    return TRUE;
}

/* Expand one field in place.  The expander holds at most 259 characters:
   a result that reached that limit with the "nothing" answer may be cut,
   and a cut value is never used.  Returns the expansion result. */
static int fnExpandRegField(RegLineStruct *lpLine, char *lpszField, size_t cchField)
{
    if (!lpszField[0])
        return MACRO_NONE;
    int nResult = fnExpandOpts(lpszField, cchField);
    if (nResult == MACRO_EMPTY && strlen(lpszField) >= MACRO_RESULT_MAX) {
        fnDebugTrace("fnRegistrySection", "Expansion may be cut:\n%.200s", lpszField);
        lpLine->bBad = TRUE;
    }
    return nResult;
}

static BOOL fnReadRegLine(const char *lpszLine, const RegKeywordStruct *lpKw,
                          RegLineStruct *lpLine)
{
    fnStrCopy(lpLine->szOutcome, lpKw->lpszOutcome);
    for (UINT n = 1; n <= sizeof(lpKw->abFields) && lpKw->abFields[n - 1] != F_NONE; n++) {
        /* A line is at most 1,023 characters: every field fits, and a
           missing one reads as empty. */
        char szField[KSTL8_LINE];
        fnGetParam(lpszLine, n, szField, sizeof(szField));
        if (!szField[0] && lpKw->abFields[n - 1] == F_OUTCOME)
            continue;   /* a missing outcome keeps the default */
        if (!fnTakeRegField(lpLine, lpKw->abFields[n - 1], szField))
            return FALSE;
    }
    if (lpKw->bSetting)
        return TRUE;
    lpLine->dwType = fnRegTypeOf(lpLine->szType);
    if (lpLine->szKey[0]) {
        lpLine->bKeyEmptyMacro =
            fnExpandRegField(lpLine, lpLine->szKey, sizeof(lpLine->szKey)) == MACRO_EMPTY;
        const char *lpszSub;
        if (fnSplitRegKey(lpLine->szKey, &lpLine->hRoot, &lpszSub))
            lpLine->lpszSubKey = lpLine->szKey + (lpszSub - lpLine->szKey);
    }
    fnExpandRegField(lpLine, lpLine->szName, sizeof(lpLine->szName));
    fnExpandRegField(lpLine, lpLine->szData, sizeof(lpLine->szData));
    fnExpandRegField(lpLine, lpLine->szTest2Name, sizeof(lpLine->szTest2Name));
    fnExpandRegField(lpLine, lpLine->szTest2Data, sizeof(lpLine->szTest2Data));
    return TRUE;
}

/* A delete must name a key below a root, spelled out or from macros that
   all gave a value: anything else would act on a wider key. */
static BOOL fnIsSafeToDelete(RegLineStruct *lpLine)
{
    char *lpszSub = lpLine->lpszSubKey;
    size_t cch = strlen(lpszSub);
    while (cch > 0 && lpszSub[cch - 1] == '\\')
        lpszSub[--cch] = '\0';
    if (cch == 0 || lpLine->bKeyEmptyMacro) {
        fnDebugTrace("fnRegistrySection", "Refused %s on %s", lpLine->szKeyword, lpLine->szKey);
        return FALSE;
    }
    return TRUE;
}

/* One entry line: FALSE makes the section fail. */
static BOOL fnRunRegLine(RegSectionStruct *lpSect, const char *lpszLine,
                         const RegKeywordStruct *lpKw)
{
    RegLineStruct line;
    fnZeroMem(&line, sizeof(line));
    fnStrCopy(line.szKeyword, lpKw->lpszKeyword);
    if (!fnReadRegLine(lpszLine, lpKw, &line)) {
        fnDebugTrace("fnRegistrySection", "Bad line:\n%.200s", lpszLine);
        line.bBad = TRUE;
    }
    if (lpKw->bSetting)
        return line.bBad || lpKw->pfnOp(lpSect, &line);
    /* Read and Enum keep their slot even without a root, so that later
       slots keep their numbers. */
    if (lpKw->pfnOp == fnRegOpRead || lpKw->pfnOp == fnRegOpEnum)
        return lpKw->pfnOp(lpSect, &line) || fnRegFailed(&line);
    if (!line.hRoot) {
        fnDebugTrace("fnRegistrySection", "No root key in %s", line.szKey);
        return fnStrCmpI(line.szOutcome, "PROMPT") != 0 || fnAskRegError(&line);
    }
    if (lpKw->pfnOp == fnRegOpCheck)
        return fnRegOpCheck(lpSect, &line);
    if (line.bBad || (lpKw->bDestructive && !fnIsSafeToDelete(&line)))
        return fnRegFailed(&line);
    return lpKw->pfnOp(lpSect, &line) || fnRegFailed(&line);
}

BOOL fnRegistrySection(HWND hWnd, char *lpszFirstLine)
{
    RegSectionStruct sect;
    fnZeroMem(&sect, sizeof(sect));
    sect.hWnd = hWnd;
    char szLine[KSTL8_LINE];
    char *p = lpszFirstLine;
    while ((p = fnGetSectionLine(p, szLine, sizeof(szLine))) != NULL) {
        if (fnTestLineCondition(szLine, sizeof(szLine)) == COND_FAILS)
            continue;
        char szKeyword[KSTL8_LINE];
        if (!fnGetParam(szLine, 0, szKeyword, sizeof(szKeyword))) {
            fnDebugTrace("fnRegistrySection", "No keyword:\n%.200s", szLine);
            return FALSE;
        }
        const RegKeywordStruct *lpKw = fnFindRegKeyword(szKeyword);
        if (!lpKw) {
            /* An unknown keyword ends the section, successfully. */
            fnDebugTrace("fnRegistrySection", "End at keyword %.60s", szKeyword);
            return TRUE;
        }
        if (!fnRunRegLine(&sect, szLine, lpKw))
            return FALSE;
    }
    return TRUE;
}

int fnInfRegistry(HWND hWnd, char *lpszText)
{
    fnDebugTrace("fnInfRegistry", "Begin");
    return fnRegistrySection(hWnd, lpszText);
}
