/* Macro expansion: one left-to-right pass over a value; what a macro puts
 * into the result is never scanned again.  Every buffer is local to the
 * call, so a function argument can be expanded by a nested call. */
#include "macro.h"
#include "macroint.h"
#include "reader.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../install/install.h"
#include "../registry/registry.h"
#include "../resources/strings.h"
#include <string.h>

char g_szAskForResponses[9][128];
char g_szOptionStates[9][6];
char g_szFromComboResponse[9][128];
char g_szFromListResponse[9][128];
char g_szDefaultSetting[10][128];
char g_szRegValues[9][1024];
char g_szDirList[9][260];
char g_szSourceDirList[9][260];
char g_szFilePathList[9][260];
char g_szLaunchDir[260];
char g_szLaunchDirs[10][260];
long g_alResultNumbers[100];
char g_szProgramFilesDir[260];
char g_szUserProgramsFolder[260];
char g_szShortcutFolder[260];
char g_cMacroChar = '@';
char g_szExpandDelims[12] = ",=";

#define MOD_SHORT 1
#define MOD_LONG  2
#define MOD_BAR   4

/* The result being built. */
struct ExpandStruct {
    char szOut[MACRO_VALUE];
    size_t cch;
    BOOL bCut;      /* something did not fit */
    BOOL bMacro;    /* a macro gave a value */
    BOOL bEmpty;    /* a macro gave nothing, or named a missing variable */
};

static void fnOutAppend(ExpandStruct *lpE, const char *lpszText, size_t cch)
{
    size_t cchRoom = MACRO_RESULT_MAX - lpE->cch;
    if (cch > cchRoom) {
        cch = cchRoom;
        lpE->bCut = TRUE;
    }
    memcpy(lpE->szOut + lpE->cch, lpszText, cch);
    lpE->cch += cch;
    lpE->szOut[lpE->cch] = '\0';
}

void fnStripTrailingBSlash(char *lpszPath, BOOL bKeepRoot)
{
    size_t cch = strlen(lpszPath);
    if (cch == 0 || (lpszPath[cch - 1] != '\\' && lpszPath[cch - 1] != '/'))
        return;
    if (bKeepRoot) {
        BOOL bDrive = cch >= 2 && lpszPath[1] == ':' && IsCharAlphaA(lpszPath[0]);
        if (!bDrive || cch <= 3)
            return;
    }
    lpszPath[cch - 1] = '\0';
}

void fnSetMacroChar(const char *lpszValue)
{
    if (lpszValue && lpszValue[0])
        g_cMacroChar = lpszValue[0];
}

void fnSetExpandDelims(const char *lpszValue)
{
    char szDelims[sizeof(g_szExpandDelims)];
    size_t cch = strlen(lpszValue);
    if (cch >= sizeof(szDelims))
        cch = sizeof(szDelims) - 1;
    memcpy(szDelims, lpszValue, cch);
    szDelims[cch] = '\0';
    fnStrCopy(g_szExpandDelims, szDelims);
}

void fnInitMacroTables(void)
{
    memset(g_szAskForResponses, 0, sizeof(g_szAskForResponses));
    memset(g_szOptionStates, 0, sizeof(g_szOptionStates));
    memset(g_szFromComboResponse, 0, sizeof(g_szFromComboResponse));
    memset(g_szFromListResponse, 0, sizeof(g_szFromListResponse));
    memset(g_szDefaultSetting, 0, sizeof(g_szDefaultSetting));
    memset(g_szRegValues, 0, sizeof(g_szRegValues));
    memset(g_szDirList, 0, sizeof(g_szDirList));
    memset(g_szSourceDirList, 0, sizeof(g_szSourceDirList));
    memset(g_szFilePathList, 0, sizeof(g_szFilePathList));
    memset(g_szLaunchDirs, 0, sizeof(g_szLaunchDirs));
    memset(g_alResultNumbers, 0, sizeof(g_alResultNumbers));
    g_szLaunchDir[0] = '\0';
    g_cMacroChar = '@';
    char szDelims[32];
    if (!fnLoadString(IDS_DELIMS, szDelims, sizeof(szDelims)))
        fnStrCopy(szDelims, ",=");
    fnSetExpandDelims(szDelims);
    fnStrCopy(g_szDirList[0], g_szDestDir);
    fnStrCopy(g_szSourceDirList[0], g_szSourceDir);
}

/* ---- values of the macros ---- */

static int fnDigit(char c)
{
    return (c >= '0' && c <= '9') ? c - '0' : -1;
}

BOOL fnMacroSet(char *lpszValue, size_t cchValue, const char *lpszText, BOOL *lpbCut)
{
    if (!fnStrCopyN(lpszValue, cchValue, lpszText))
        *lpbCut = TRUE;
    return TRUE;
}

/* Part p of a path: 0 the drive, 1 the containing directory, 2 the path
   without its drive (bRelative) or its last name. */
static BOOL fnPathPart(const char *lpszPath, int p, BOOL bRelative, char *lpszValue,
                       size_t cchValue, BOOL *lpbCut)
{
    char szPart[MACRO_VALUE];
    szPart[0] = '\0';
    if (p == 0) {
        if (lpszPath[0] && lpszPath[1] == ':') {
            szPart[0] = lpszPath[0];
            szPart[1] = ':';
            szPart[2] = '\0';
        }
    } else if (p == 1) {
        if (!fnGetDirPart(lpszPath, szPart, sizeof(szPart)))
            *lpbCut = TRUE;
    } else if (bRelative) {
        const char *q = lpszPath;
        if (q[0] && q[1] == ':')
            q += 2;
        while (*q == ':' || *q == '\\')
            q++;
        if (!fnStrCopy(szPart, q))
            *lpbCut = TRUE;
    } else {
        if (!fnStrCopy(szPart, fnGetFilePart(lpszPath)))
            *lpbCut = TRUE;
    }
    return fnMacroSet(lpszValue, cchValue, szPart, lpbCut);
}

/* A directory macro: without digits the directory less one trailing
   backslash (a root keeps it); with n and p an entry of a table. */
static size_t fnDirMacro(const char *p, const char *lpszPlain, char (*aszTable)[260],
                         int nFirst, int nLast, BOOL bRelative, char *lpszValue,
                         size_t cchValue, BOOL *lpbCut)
{
    int n = fnDigit(p[1]);
    if (n < 0) {
        if (!lpszPlain)
            return 0;
        char szDir[MACRO_VALUE];
        if (!fnStrCopy(szDir, lpszPlain))
            *lpbCut = TRUE;
        fnStripTrailingBSlash(szDir, TRUE);
        fnMacroSet(lpszValue, cchValue, szDir, lpbCut);
        return 1;
    }
    if (n < nFirst || n > nLast)
        return 0;
    const char *lpszEntry = aszTable[n - nFirst];
    int nPart = fnDigit(p[2]);
    if (nPart < 0) {
        fnMacroSet(lpszValue, cchValue, lpszEntry, lpbCut);
        return 2;
    }
    if (nPart > 2)
        return 0;
    fnPathPart(lpszEntry, nPart, bRelative, lpszValue, cchValue, lpbCut);
    return 3;
}

/* Field f of an answer (0 and 1 both the first). */
static void fnFieldOf(const char *lpszText, int f, char *lpszValue, size_t cchValue,
                      BOOL *lpbCut)
{
    if (f <= 1 && !fnStrChr(lpszText, g_szExpandDelims)) {
        fnMacroSet(lpszValue, cchValue, lpszText, lpbCut);
        return;
    }
    if (!fnGetDelimParam(lpszText, g_szExpandDelims, (UINT)(f < 1 ? 1 : f), lpszValue, cchValue))
        *lpbCut = TRUE;
}

/* @A n f k, @C n f, @L n f, @P n f. */
static size_t fnAnswerMacro(const char *p, char cLetter, char *lpszValue, size_t cchValue,
                            BOOL *lpbCut)
{
    int n = fnDigit(p[1]);
    if (n < 1)
        return 0;
    const char *lpszText;
    switch (cLetter) {
    case 'A': lpszText = n == 1 ? g_szAskForResponse : g_szAskForResponses[n - 1]; break;
    case 'C': lpszText = g_szFromComboResponse[n - 1]; break;
    case 'L': lpszText = g_szFromListResponse[n - 1]; break;
    default: lpszText = g_szDefaultSetting[n - 1]; break;
    }
    int f = fnDigit(p[2]);
    if (f < 0) {
        fnMacroSet(lpszValue, cchValue, lpszText, lpbCut);
        return 2;
    }
    fnFieldOf(lpszText, f, lpszValue, cchValue, lpbCut);
    if (cLetter != 'A' || fnDigit(p[3]) < 0)
        return 3;
    int k = fnDigit(p[3]);
    if (k < 1)
        return 0;
    if (strlen(lpszValue) > (size_t)k)
        lpszValue[k] = '\0';
    return 4;
}

/* @B n m: the state of option m (1-4) of group n. */
static size_t fnOptionMacro(const char *p, char *lpszValue, size_t cchValue, BOOL *lpbCut)
{
    int n = fnDigit(p[1]), m = fnDigit(p[2]);
    if (n < 1 || m < 1 || m > 4)
        return 0;
    char c = g_szOptionStates[n - 1][m - 1];
    if (!c)
        return 0;
    char szState[2] = { c, '\0' };
    fnMacroSet(lpszValue, cchValue, szState, lpbCut);
    return 3;
}

/* @I d or @I dd: a result number as decimal text. */
static size_t fnResultMacro(const char *p, char *lpszValue, size_t cchValue, BOOL *lpbCut)
{
    int d = fnDigit(p[1]);
    if (d < 0)
        return 0;
    size_t cchUsed = 2;
    if (fnDigit(p[2]) >= 0) {
        d = d * 10 + fnDigit(p[2]);
        cchUsed = 3;
    }
    if (!fnStrFormatN(lpszValue, cchValue, "%ld", g_alResultNumbers[d]))
        *lpbCut = TRUE;
    return cchUsed;
}

/* @K n p: a registry value read earlier; "-NOTFOUND-" gives nothing. */
static size_t fnRegValueMacro(const char *p, char *lpszValue, size_t cchValue, BOOL *lpbCut)
{
    int n = fnDigit(p[1]);
    if (n < 0 || n > 8)
        return 0;
    const char *lpszText = g_szRegValues[n];
    if (strcmp(lpszText, "-NOTFOUND-") == 0)
        lpszText = "";
    int nPart = fnDigit(p[2]);
    if (nPart < 0) {
        fnMacroSet(lpszValue, cchValue, lpszText, lpbCut);
        return 2;
    }
    if (nPart > 2)
        return 0;
    if (strlen(lpszText) >= MACRO_VALUE)
        *lpbCut = TRUE;
    char szText[MACRO_VALUE];
    fnStrCopy(szText, lpszText);
    fnPathPart(szText, nPart, FALSE, lpszValue, cchValue, lpbCut);
    return 3;
}

/* @O d: the command interpreter named by COMSPEC. */
static size_t fnComSpecMacro(const char *p, char *lpszValue, size_t cchValue, BOOL *lpbCut)
{
    int d = fnDigit(p[1]);
    if (d < 0 || d > 3)
        return 0;
    char szComSpec[MACRO_VALUE];
    DWORD cch = GetEnvironmentVariableA("COMSPEC", szComSpec, sizeof(szComSpec));
    if (cch >= sizeof(szComSpec)) {
        *lpbCut = TRUE;
        cch = 0;
    }
    szComSpec[cch] = '\0';
    if (d >= 2)
        fnMacroSet(lpszValue, cchValue, szComSpec, lpbCut);
    else
        fnPathPart(szComSpec, d, FALSE, lpszValue, cchValue, lpbCut);
    return 2;
}

/* @S, @S0-@S4: system directory, network id, date, time, user, computer. */
static size_t fnSystemMacro(const char *p, char *lpszValue, size_t cchValue, BOOL *lpbCut)
{
    int d = fnDigit(p[1]);
    if (d < 0) {
        fnMacroSet(lpszValue, cchValue, g_szSysDir, lpbCut);
        return 1;
    }
    if (d > 4)
        return 0;
    char szText[MACRO_VALUE];
    DWORD cch = sizeof(szText);
    szText[0] = '\0';
    switch (d) {
    case 0:
        if (!fnGetRegistry(HKEY_CURRENT_USER, "SOFTWARE\\HarborCollege\\Network\\NetID", szText,
                           sizeof(szText), lpbCut) ||
            !szText[0]) {
            if (!GetUserNameA(szText, &cch) || !szText[0])
                fnStrCopy(szText, "First_Last");
        }
        break;
    case 1: fnStrCopy(szText, g_szDate); break;
    case 2: fnStrCopy(szText, g_szTime); break;
    case 3:
        if (!GetUserNameA(szText, &cch))
            szText[0] = '\0';
        break;
    default:
        if (!GetComputerNameA(szText, &cch))
            szText[0] = '\0';
        break;
    }
    fnMacroSet(lpszValue, cchValue, szText, lpbCut);
    return 2;
}

/* @V, @V1-@V9: facts of the Windows version. */
static size_t fnVersionMacro(const char *p, char *lpszValue, size_t cchValue, BOOL *lpbCut)
{
    const OSInfoStruct *os = &g_OSInfo;
    int d = fnDigit(p[1]);
    if (d == 0)
        return 0;
    unsigned long ulValue = os->uWinFamily;
    const char *lpszText = NULL;
    switch (d) {
    case 2: ulValue = os->dwWinMajor; break;
    case 3: ulValue = os->dwWinMinor; break;
    case 4: ulValue = os->uWinSR; break;
    case 5: ulValue = os->dwWinBuild; break;
    case 6: ulValue = os->dwWinPlatformID; break;
    case 7: ulValue = (os->uWinFamily == 2 || os->uWinFamily == 3) ? 1 : 0; break;
    case 8:
        ulValue = os->uWinFamily == 3 ? 3 : os->uWinFamily == 2 ? (os->dwWinMinor == 0 ? 1 : 2) : 0;
        break;
    case 9:
        if (os->uWinFamily == 3)
            lpszText = os->dwWinMajor <= 4 ? "WNT" : "W2K";
        else if (os->uWinFamily == 2)
            lpszText = os->dwWinMinor == 0 ? "W95" : os->dwWinMinor < 90 ? "W98" : "WME";
        else
            lpszText = "W31";
        break;
    default: break;
    }
    if (lpszText)
        fnMacroSet(lpszValue, cchValue, lpszText, lpbCut);
    else if (!fnStrFormatN(lpszValue, cchValue, "%lu", ulValue))
        *lpbCut = TRUE;
    return d < 0 ? 1 : 2;
}

/* @W and @W number: the Windows directory or a folder or setting. */
static size_t fnWindowsMacro(const char *p, char *lpszValue, size_t cchValue, BOOL *lpbCut)
{
    int d = fnDigit(p[1]);
    if (d < 0) {
        fnMacroSet(lpszValue, cchValue, g_szWinDir, lpbCut);
        return 1;
    }
    size_t cchUsed = 2;
    if (fnDigit(p[2]) >= 0) {
        d = d * 10 + fnDigit(p[2]);
        cchUsed = 3;
    }
    if (d > 39)
        return 0;
    fnWindowsFolder(d, lpszValue, cchValue, lpbCut);
    return cchUsed;
}

/* The value of the letter macro at p (p[0] is the letter); the count of
   characters it takes after the macro character, or 0 for plain text. */
static size_t fnLetterMacro(const char *p, char *lpszValue, size_t cchValue, BOOL *lpbCut)
{
    char c = (p[0] >= 'a' && p[0] <= 'z') ? (char)(p[0] - 'a' + 'A') : p[0];
    lpszValue[0] = '\0';
    switch (c) {
    case 'A': case 'C': case 'L': case 'P':
        return fnAnswerMacro(p, c, lpszValue, cchValue, lpbCut);
    case 'B': return fnOptionMacro(p, lpszValue, cchValue, lpbCut);
    case 'D':
        return fnDirMacro(p, g_szDestDir, g_szDirList, 1, 9, TRUE, lpszValue, cchValue, lpbCut);
    case 'E':
        return fnDirMacro(p, g_szLaunchDir, g_szLaunchDirs, 0, 9, TRUE, lpszValue, cchValue,
                          lpbCut);
    case 'F':
        return fnDirMacro(p, NULL, g_szFilePathList, 1, 9, FALSE, lpszValue, cchValue, lpbCut);
    case 'H':
        return fnDirMacro(p, g_szSourceDir, g_szSourceDirList, 1, 9, TRUE, lpszValue, cchValue,
                          lpbCut);
    case 'I': return fnResultMacro(p, lpszValue, cchValue, lpbCut);
    case 'K': return fnRegValueMacro(p, lpszValue, cchValue, lpbCut);
    case 'O': return fnComSpecMacro(p, lpszValue, cchValue, lpbCut);
    case 'Q':
        fnMacroSet(lpszValue, cchValue, "\"", lpbCut);
        return 1;
    case 'R':
        fnMacroSet(lpszValue, cchValue, "\r\n", lpbCut);
        return 1;
    case 'T':
        fnMacroSet(lpszValue, cchValue, "\t", lpbCut);
        return 1;
    case 'S': return fnSystemMacro(p, lpszValue, cchValue, lpbCut);
    case 'V': return fnVersionMacro(p, lpszValue, cchValue, lpbCut);
    case 'W': return fnWindowsMacro(p, lpszValue, cchValue, lpbCut);
    default: return 0;
    }
}

/* @\c: an escaped character; 0 when c escapes nothing. */
static char fnEscapedChar(char c)
{
    static const char s_szFrom[] = "abcefnrtv\"',=\\?";
    static const char s_szTo[] = "\a\b,=\f\n\r\t\v\"',=\\`";
    if (!c)
        return 0;
    const char *q = strchr(s_szFrom, c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return q ? s_szTo[q - s_szFrom] : 0;
}

/* @%name%: the variable's value; 0 for plain text.  *lpbMissing when the
   variable does not exist (the macro then stays as written). */
static size_t fnEnvMacro(const char *p, char *lpszValue, size_t cchValue, BOOL *lpbCut,
                         BOOL *lpbMissing)
{
    const char *q = p + 1;
    while (*q && *q != '%' && *q != '\r' && *q != '\n' && *q != '\t' && *q != ' ')
        q++;
    if (*q != '%' || q == p + 1 || (size_t)(q - p) > KSTL8_SHORT)
        return 0;
    char szName[KSTL8_SHORT + 1];
    memcpy(szName, p + 1, (size_t)(q - p - 1));
    szName[q - p - 1] = '\0';
    char szText[MACRO_VALUE];
    SetLastError(0);
    DWORD cch = GetEnvironmentVariableA(szName, szText, sizeof(szText));
    if (cch == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) {
        *lpbMissing = TRUE;
        return (size_t)(q - p) + 1;
    }
    if (cch >= sizeof(szText)) {
        *lpbCut = TRUE;
        cch = 0;
    }
    szText[cch] = '\0';
    fnMacroSet(lpszValue, cchValue, szText, lpbCut);
    return (size_t)(q - p) + 1;
}

/* The pending modifiers, in their order: short name, long name, bar. */
static void fnApplyModifiers(UINT uMods, char *lpszValue, size_t cchValue)
{
    char szPath[MACRO_VALUE];
    if (!lpszValue[0])
        return;
    if ((uMods & MOD_SHORT) && fnGetShortPathName(lpszValue, szPath, sizeof(szPath)))
        fnStrCopyN(lpszValue, cchValue, szPath);
    if ((uMods & MOD_LONG) && fnGetLongPathName(lpszValue, szPath, sizeof(szPath)))
        fnStrCopyN(lpszValue, cchValue, szPath);
    if (uMods & MOD_BAR)
        for (char *q = lpszValue; *q; q++)
            if (*q == '\\')
                *q = '|';
}

/* One macro at p (just after the macro character): its value goes into
   the result.  The count of characters it takes, or 0 for plain text. */
static size_t fnOneMacro(const char *p, UINT uMods, ExpandStruct *lpE)
{
    char szValue[MACRO_VALUE];
    BOOL bCut = FALSE, bMissing = FALSE;
    size_t cchUsed;
    szValue[0] = '\0';
    if (p[0] == '\\') {
        char c = fnEscapedChar(p[1]);
        if (!c)
            return 0;
        szValue[0] = c;
        szValue[1] = '\0';
        cchUsed = 2;
    } else if (p[0] == '%') {
        cchUsed = fnEnvMacro(p, szValue, sizeof(szValue), &bCut, &bMissing);
        if (bMissing) {
            lpE->bEmpty = TRUE;
            return 0;
        }
    } else if (p[0] == '_') {
        cchUsed = fnParseFun(p + 1, szValue, sizeof(szValue));
        if (cchUsed)
            cchUsed++;
    } else {
        cchUsed = fnLetterMacro(p, szValue, sizeof(szValue), &bCut);
    }
    if (!cchUsed)
        return 0;
    fnApplyModifiers(uMods, szValue, sizeof(szValue));
    fnDebugTrace("fnExpandOpts - process final strings", "szValue=%s", szValue);
    lpE->bMacro = TRUE;
    if (!szValue[0])
        lpE->bEmpty = TRUE;
    if (bCut)
        lpE->bCut = TRUE;
    fnOutAppend(lpE, szValue, strlen(szValue));
    return cchUsed;
}

static UINT fnModifierOf(char c)
{
    return c == '~' ? MOD_SHORT : c == '#' ? MOD_LONG : c == '|' ? MOD_BAR : 0;
}

int fnExpandOpts(char *lpszText, size_t cchText)
{
    const char M = g_cMacroChar;
    if (!lpszText || !cchText || !strchr(lpszText, M))
        return MACRO_NONE;
    ExpandStruct e;
    memset(&e, 0, sizeof(e));
    UINT uMods = 0;
    const char *p = lpszText;
    while (*p) {
        if (*p != M || p[1] == '\0') {
            fnOutAppend(&e, p, 1);
            p++;
            uMods = 0;
            continue;
        }
        char cNext = p[1];
        if (cNext == M) {
            fnOutAppend(&e, p, 1);
            p += 2;
            uMods = 0;
        } else if (cNext == 'Z' || cNext == 'z') {
            break;  /* the end mark: what follows is a comment */
        } else if (cNext == '.') {
            p += 2;
            uMods = 0;
        } else if (fnModifierOf(cNext)) {
            uMods |= fnModifierOf(cNext);
            p += 2;
        } else {
            size_t cchUsed = fnOneMacro(p + 1, uMods, &e);
            uMods = 0;
            if (cchUsed) {
                p += 1 + cchUsed;
            } else {
                fnOutAppend(&e, p, 1);
                p++;
            }
        }
    }
    char szOriginal[MACRO_VALUE];
    fnStrCopy(szOriginal, lpszText);
    if (!fnStrCopyN(lpszText, cchText, e.szOut))
        e.bCut = TRUE;
    fnDebugTrace("fnExpandOpts", "lpszString=%s,\nlpszExpanded=%s,\nszTarget=%s", szOriginal,
                 e.szOut, lpszText);
    if (e.bCut || e.bEmpty)
        return MACRO_EMPTY;
    return e.bMacro ? MACRO_OK : MACRO_NONE;
}
