/* Windows folders and settings (@W number), shell folders, and the macro
 * functions fnGetArg and fnGetFileVer. */
#include "macro.h"
#include "macroint.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../install/install.h"
#include "../registry/registry.h"
#include "../resources/strings.h"
#include <string.h>

static const char s_szUserShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
static const char s_szShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
static const char s_szCurrentVersion[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\";

/* The Windows directory joined with a default text such as "\Desktop". */
static void fnWinDirJoin(const char *lpszTail, char *lpszOut, size_t cchOut, BOOL *lpbCut)
{
    while (*lpszTail == '\\')
        lpszTail++;
    if (!fnMakePath(g_szWinDir, lpszTail, lpszOut, cchOut))
        *lpbCut = TRUE;
}

static void fnWinDirJoinId(UINT uId, char *lpszOut, size_t cchOut, BOOL *lpbCut)
{
    char szTail[KSTL8_SHORT];
    if (!fnLoadString(uId, szTail, sizeof(szTail)))
        szTail[0] = '\0';
    fnWinDirJoin(szTail, lpszOut, cchOut, lpbCut);
}

/* Value lpszName of the key; values of the expandable type come expanded. */
static BOOL fnReadKeyValue(HKEY hRoot, const char *lpszKey, const char *lpszName, char *lpszOut,
                           size_t cchOut, BOOL *lpbCut)
{
    char szLookup[KSTL8_LINE];
    BOOL bCut = FALSE;
    if (!fnStrFormat(szLookup, "%s\\%s", lpszKey, lpszName) ||
        !fnGetRegistry(hRoot, szLookup, lpszOut, cchOut, &bCut))
        return FALSE;
    if (bCut && lpbCut)
        *lpbCut = TRUE;
    return TRUE;
}

/* The user's shell folder, else the Windows directory with the default. */
static BOOL fnShellFolder(const char *lpszValueName, char *lpszOut, size_t cchOut,
                          UINT uDefaultId, BOOL *lpbCut)
{
    if (fnReadKeyValue(HKEY_CURRENT_USER, s_szUserShellFolders, lpszValueName, lpszOut, cchOut,
                       lpbCut) ||
        fnReadKeyValue(HKEY_CURRENT_USER, s_szShellFolders, lpszValueName, lpszOut, cchOut,
                       lpbCut))
        return TRUE;
    fnWinDirJoinId(uDefaultId, lpszOut, cchOut, lpbCut);
    return FALSE;
}

BOOL fnGetShellFolder(const char *lpszValueName, char *lpszOut, size_t cchOut, UINT uDefaultId)
{
    BOOL bCut = FALSE;
    return fnShellFolder(lpszValueName, lpszOut, cchOut, uDefaultId, &bCut);
}

/* A value under HKLM "SOFTWARE\Microsoft\Windows\CurrentVersion\". */
static BOOL fnReadCurrentVersion(const char *lpszLookup, char *lpszOut, size_t cchOut,
                                 BOOL *lpbCut)
{
    char szLookup[KSTL8_LINE];
    return fnStrFormat(szLookup, "%s%s", s_szCurrentVersion, lpszLookup) &&
           fnGetRegistry(HKEY_LOCAL_MACHINE, szLookup, lpszOut, cchOut, lpbCut);
}

struct FolderStruct {
    int nNumber;
    const char *lpszName;   /* shell folder, or a value under CurrentVersion */
    UINT uDefaultId;        /* default joined to the Windows directory */
};

/* Shell folders of the current user. */
static const FolderStruct s_aShellFolders[] = {
    { 8, "Desktop", IDS_DIRDESKTOP },       { 9, "Start Menu", IDS_DIRSTARTMENU },
    { 10, "Startup", IDS_DIRSTARTUP },      { 11, "Fonts", IDS_DIRFONTS },
    { 12, "SendTo", IDS_DIRSENDTO },        { 13, "Personal", IDS_DIRPERSONAL },
    { 14, "Favorites", IDS_DIRFAVORITES },  { 16, "Templates", IDS_DIRTEMPLATES },
    { 17, "AppData", IDS_DIRAPPDATA },      { 18, "Cache", IDS_DIRCACHE },
    { 19, "Cookies", IDS_DIRCOOKIES },      { 20, "History", IDS_DIRHISTORY },
    { 21, "Recent", IDS_DIRRECENT },        { 22, "NetHood", IDS_DIRNETHOOD },
    { 23, "PrintHood", IDS_DIRPRINTHOOD },
};

/* Common folders: the machine's user shell folders, else the user's. */
static const FolderStruct s_aCommonFolders[] = {
    { 24, "Common Desktop", IDS_DIRDESKTOP },
    { 25, "Common Start Menu", IDS_DIRSTARTMENU },
    { 26, "Common Programs", IDS_DIRPROGRAMS },
    { 27, "Common Startup", IDS_DIRSTARTUP },
};

/* Settings under CurrentVersion; the default is a text (uDefaultId 0),
   the Windows directory joined with a tail, or the Windows directory. */
struct SettingStruct {
    int nNumber;
    const char *lpszLookup;
    const char *lpszDefault;    /* NULL: the Windows directory, joined with lpszTail */
    const char *lpszTail;
};

static const SettingStruct s_aSettings[] = {
    { 30, "RegisteredOwner", "Unknown", NULL },
    { 31, "RegisteredOrganization", "Unknown", NULL },
    { 32, "Version", "Unknown", NULL },
    { 33, "VersionNumber", "Unknown", NULL },
    { 34, "SubVersionNumber", "Unknown", NULL },
    { 35, "MediaPath", NULL, "Media" },
    { 36, "ConfigPath", NULL, "Config" },
    { 37, "Setup\\BootDir", "C:\\", NULL },
    { 38, "Setup\\SharedDir", NULL, "" },
    { 39, "Setup\\SourcePath", NULL, "" },
};

static void fnDriveOf(const char *lpszPath, char *lpszOut, size_t cchOut, BOOL *lpbCut)
{
    char szDrive[3] = { 0, 0, 0 };
    if (lpszPath[0] && lpszPath[1] == ':') {
        szDrive[0] = lpszPath[0];
        szDrive[1] = ':';
    }
    fnMacroSet(lpszOut, cchOut, szDrive, lpbCut);
}

static BOOL fnTableFolder(int n, char *lpszOut, size_t cchOut, BOOL *lpbCut)
{
    for (size_t i = 0; i < sizeof(s_aShellFolders) / sizeof(s_aShellFolders[0]); i++)
        if (s_aShellFolders[i].nNumber == n) {
            fnShellFolder(s_aShellFolders[i].lpszName, lpszOut, cchOut,
                          s_aShellFolders[i].uDefaultId, lpbCut);
            return TRUE;
        }
    for (size_t i = 0; i < sizeof(s_aCommonFolders) / sizeof(s_aCommonFolders[0]); i++)
        if (s_aCommonFolders[i].nNumber == n) {
            if (!fnReadKeyValue(HKEY_LOCAL_MACHINE, s_szUserShellFolders,
                                s_aCommonFolders[i].lpszName, lpszOut, cchOut, lpbCut) &&
                !fnReadKeyValue(HKEY_CURRENT_USER, s_szShellFolders, s_aCommonFolders[i].lpszName,
                                lpszOut, cchOut, lpbCut))
                fnWinDirJoinId(s_aCommonFolders[i].uDefaultId, lpszOut, cchOut, lpbCut);
            return TRUE;
        }
    for (size_t i = 0; i < sizeof(s_aSettings) / sizeof(s_aSettings[0]); i++)
        if (s_aSettings[i].nNumber == n) {
            const SettingStruct *s = &s_aSettings[i];
            if (fnReadCurrentVersion(s->lpszLookup, lpszOut, cchOut, lpbCut))
                return TRUE;
            if (s->lpszDefault)
                fnMacroSet(lpszOut, cchOut, s->lpszDefault, lpbCut);
            else if (s->lpszTail[0])
                fnWinDirJoin(s->lpszTail, lpszOut, cchOut, lpbCut);
            else
                fnMacroSet(lpszOut, cchOut, g_szWinDir, lpbCut);
            return TRUE;
        }
    return FALSE;
}

void fnWindowsFolder(int n, char *lpszOut, size_t cchOut, BOOL *lpbCut)
{
    switch (n) {
    case 0: case 1: fnMacroSet(lpszOut, cchOut, g_szWinDir, lpbCut); return;
    case 2: fnMacroSet(lpszOut, cchOut, g_szSysDir, lpbCut); return;
    case 3: fnDriveOf(g_szWinDir, lpszOut, cchOut, lpbCut); return;
    case 4: fnDriveOf(g_szSysDir, lpszOut, cchOut, lpbCut); return;
    case 5: fnMacroSet(lpszOut, cchOut, g_szProgramFilesDir, lpbCut); return;
    case 6: fnMacroSet(lpszOut, cchOut, g_szUserProgramsFolder, lpbCut); return;
    case 15: fnMacroSet(lpszOut, cchOut, g_szShortcutFolder, lpbCut); return;
    case 7:
        if (!fnReadCurrentVersion("CommonFilesDir", lpszOut, cchOut, lpbCut)) {
            char szTail[KSTL8_SHORT];
            fnLoadString(IDS_DIRCOMMONFILES, szTail, sizeof(szTail));
            fnMacroSet(lpszOut, cchOut, g_szProgramFilesDir, lpbCut);
            if (!fnStrAppendN(lpszOut, cchOut, szTail))
                *lpbCut = TRUE;
        }
        return;
    case 28:
        if (!fnReadCurrentVersion("DevicePath", lpszOut, cchOut, lpbCut))
            fnWinDirJoinId(IDS_DIRINF, lpszOut, cchOut, lpbCut);
        return;
    case 29:
        if (!fnGetRegistry(HKEY_LOCAL_MACHINE,
                           "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\DataBasePath",
                           lpszOut, cchOut, lpbCut))
            fnMacroSet(lpszOut, cchOut, g_szWinDir, lpbCut);
        return;
    default:
        if (!fnTableFolder(n, lpszOut, cchOut, lpbCut))
            lpszOut[0] = '\0';
        return;
    }
}

/* ---- functions ---- */

BOOL fnGetArg(const char *lpszText, UINT n, char *lpszValue, size_t cchValue)
{
    lpszValue[0] = '\0';
    if (n == 0) {
        const char *lpszEq = strchr(lpszText, '=');
        size_t cch = lpszEq ? (size_t)(lpszEq - lpszText) : strlen(lpszText);
        if (cch >= cchValue)
            return FALSE;
        memcpy(lpszValue, lpszText, cch);
        lpszValue[cch] = '\0';
        return TRUE;
    }
    static const char s_szSeps[] = ";, \t";
    const char *p = lpszText;
    for (UINT i = 1;; i++) {
        while (*p && strchr(s_szSeps, *p))
            p++;
        if (!*p)
            return TRUE;  /* no such item: empty */
        const char *q = p;
        while (*q && !strchr(s_szSeps, *q))
            q++;
        if (i == n) {
            size_t cch = (size_t)(q - p);
            if (cch >= cchValue)
                return FALSE;
            memcpy(lpszValue, p, cch);
            lpszValue[cch] = '\0';
            return TRUE;
        }
        p = q;
    }
}

/* The argument list of a call: from just after "(" to the matching ")",
   passing over one level of inner parentheses.  NULL when unclosed. */
static const char *fnCallEnd(const char *lpszArgs)
{
    int nDepth = 0;
    for (const char *p = lpszArgs; *p; p++) {
        if (*p == '(') {
            if (++nDepth > 1)
                return NULL;
        } else if (*p == ')') {
            if (nDepth == 0)
                return p;
            nDepth--;
        }
    }
    return NULL;
}

/* Split "first;second" at the last ";" or "," outside parentheses. */
static BOOL fnSplitTwoArgs(const char *lpszArgs, size_t cchArgs, char *lpszFirst, size_t cchFirst,
                           char *lpszSecond, size_t cchSecond)
{
    size_t uSep = cchArgs;
    int nDepth = 0;
    for (size_t i = 0; i < cchArgs; i++) {
        char c = lpszArgs[i];
        if (c == '(')
            nDepth++;
        else if (c == ')')
            nDepth--;
        else if ((c == ';' || c == ',') && nDepth == 0)
            uSep = i;
    }
    if (uSep == cchArgs || uSep >= cchFirst || cchArgs - uSep - 1 >= cchSecond)
        return FALSE;
    memcpy(lpszFirst, lpszArgs, uSep);
    lpszFirst[uSep] = '\0';
    memcpy(lpszSecond, lpszArgs + uSep + 1, cchArgs - uSep - 1);
    lpszSecond[cchArgs - uSep - 1] = '\0';
    return TRUE;
}

static BOOL fnCallGetArg(char *lpszFirst, const char *lpszSecond, char *lpszValue,
                         size_t cchValue)
{
    UINT n = 0;
    for (const char *p = lpszSecond; *p; p++)
        if (*p >= '0' && *p <= '9')
            n = n * 10 + (UINT)(*p - '0');
    fnExpandOpts(lpszFirst, MACRO_VALUE);
    return fnGetArg(lpszFirst, n, lpszValue, cchValue);
}

static BOOL fnCallGetFileVer(char *lpszFirst, const char *lpszSecond, char *lpszValue,
                             size_t cchValue)
{
    char szKind[4];
    fnStrCopy(szKind, lpszSecond);
    fnTrim(szKind);
    BOOL bFile = fnStrCmpI(szKind, "F") == 0, bProduct = fnStrCmpI(szKind, "P") == 0;
    if (!bFile && !bProduct)
        return FALSE;
    fnExpandOpts(lpszFirst, MACRO_VALUE);
    return bFile ? fnGetFileVersion(lpszFirst, lpszValue, cchValue, NULL, 0, NULL, 0)
                 : fnGetFileVersion(lpszFirst, NULL, 0, lpszValue, cchValue, NULL, 0);
}

size_t fnParseFun(const char *lpszText, char *lpszValue, size_t cchValue)
{
    static const char s_szGetArg[] = "fnGetArg(", s_szGetFileVer[] = "fnGetFileVer(";
    BOOL bGetArg = fnStrCmpNI(lpszText, s_szGetArg, sizeof(s_szGetArg) - 1) == 0;
    BOOL bGetFileVer = fnStrCmpNI(lpszText, s_szGetFileVer, sizeof(s_szGetFileVer) - 1) == 0;
    lpszValue[0] = '\0';
    if (!bGetArg && !bGetFileVer)
        return 0;
    const char *lpszArgs = lpszText + (bGetArg ? sizeof(s_szGetArg) : sizeof(s_szGetFileVer)) - 1;
    const char *lpszEnd = fnCallEnd(lpszArgs);
    char szFirst[MACRO_VALUE], szSecond[MACRO_VALUE];
    if (!lpszEnd || !fnSplitTwoArgs(lpszArgs, (size_t)(lpszEnd - lpszArgs), szFirst,
                                    sizeof(szFirst), szSecond, sizeof(szSecond)))
        return 0;
    BOOL bOk = bGetArg ? fnCallGetArg(szFirst, szSecond, lpszValue, cchValue)
                       : fnCallGetFileVer(szFirst, szSecond, lpszValue, cchValue);
    fnDebugTrace("fnParseFun", "lpszFun=%.*s,\nlpszResult=%s", (int)(lpszEnd + 1 - lpszText),
                 lpszText, lpszValue);
    if (!bOk || !lpszValue[0]) {
        lpszValue[0] = '\0';
        return 0;
    }
    return (size_t)(lpszEnd + 1 - lpszText);
}
