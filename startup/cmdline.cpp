/* Command line: switches, positional arguments, the command file and the
 * search for the script. */
#include "startup.h"
#include "../shell/shell.h"
#include "../install/install.h"
#include "../resources/resource.h"
#include "../script/script.h"
#include <string.h>
#include <stdlib.h>

static void fnUpper(char *lpsz)
{
    for (; *lpsz; lpsz++)
        if (*lpsz >= 'a' && *lpsz <= 'z')
            *lpsz = (char)(*lpsz - 'a' + 'A');
}

/* The value after a two-character key ("d=") anywhere in the argument. */
static const char *fnFindKeyValue(const char *lpszArg, char cKey)
{
    for (const char *p = lpszArg; p[0] && p[1]; p++)
        if ((p[0] | 0x20) == (cKey | 0x20) && p[1] == '=')
            return p + 2;
    return NULL;
}

static void fnTakeValue(char *lpszOut, size_t cchOut, const char *lpszValue, BOOL bUpper)
{
    fnStrCopyN(lpszOut, cchOut, lpszValue);
    if (bUpper)
        fnUpper(lpszOut);
}

static UINT fnDigitsOf(const char *lpszValue)
{
    UINT u = 0;
    for (; *lpszValue; lpszValue++)
        if (*lpszValue >= '0' && *lpszValue <= '9' && u < 100000000)
            u = u * 10 + (UINT)(*lpszValue - '0');
    return u;
}

/* Which path fields a switch has set, so positionals leave them alone. */
struct SwitchSeenStruct {
    BOOL bScript, bSource, bDest, bMessage;
};

static BOOL fnParseOneSwitch(const char *lpszArg, CmdLineStruct *lpCmd, SwitchStruct *lpSw,
                             SwitchSeenStruct *lpSeen)
{
    char c = (char)(lpszArg[1] | 0x20);
    const char *lpszValue = fnFindKeyValue(lpszArg, c);
    switch (c) {
    case '?':
        fnMessageBox(IDS_USAGE, NULL, MB_OK | MB_ICONINFORMATION);
        return FALSE;
    case 'a':
        if (lpszValue)
            fnTakeValue(lpCmd->szAskFor, sizeof(lpCmd->szAskFor), lpszValue, TRUE);
        break;
    case 'c':
        if (lpszValue)
            fnTakeValue(lpCmd->szCmdFile, sizeof(lpCmd->szCmdFile), lpszValue, TRUE);
        break;
    case 'd':
        if (lpszValue) {
            fnTakeValue(lpCmd->szDestDir, sizeof(lpCmd->szDestDir), lpszValue, TRUE);
            lpSeen->bDest = TRUE;
        }
        break;
    case 'e':
    case 'u':
    case 'i':
        if (lpszValue) {
            fnTakeValue(lpCmd->szIniFile, sizeof(lpCmd->szIniFile), lpszValue, TRUE);
            lpSeen->bScript = TRUE;
            if (c != 'i')
                lpSw->uCipherMode = (c == 'e') ? 1 : 2;
        }
        break;
    case 'm':
        if (lpszValue) {
            fnTakeValue(lpCmd->szStartupMsg, sizeof(lpCmd->szStartupMsg), lpszValue, FALSE);
            lpCmd->bStartupMsg = TRUE;
            lpSeen->bMessage = TRUE;
        }
        break;
    case 'n':
        lpCmd->bNoPrompts = TRUE;
        break;
    case 'q':
        lpCmd->bBeQuiet = TRUE;
        lpSw->bShowSet = TRUE;
        lpSw->uShowVSWin = 0;
        break;
    case 's':
        if (lpszValue) {
            fnTakeValue(lpCmd->szSourceDir, sizeof(lpCmd->szSourceDir), lpszValue, TRUE);
            lpSeen->bSource = TRUE;
        }
        break;
    case 't':
        lpCmd->bTempExec = TRUE;
        break;
    case 'v':
        lpSw->bDebugSet = TRUE;
        lpSw->uDebug = lpszValue ? fnDigitsOf(lpszValue) : 1;
        break;
    case 'w':
        if (lpszValue) {
            lpSw->bShowSet = TRUE;
            lpSw->uShowVSWin = fnDigitsOf(lpszValue);
        }
        break;
    }
    return TRUE;
}

static void fnParsePositional(int nPlace, const char *lpszArg, CmdLineStruct *lpCmd,
                              const SwitchSeenStruct *lpSeen)
{
    switch (nPlace) {
    case 1:
        if (!lpSeen->bScript)
            fnTakeValue(lpCmd->szIniFile, sizeof(lpCmd->szIniFile), lpszArg, TRUE);
        break;
    case 2:
        if (!lpSeen->bSource)
            fnTakeValue(lpCmd->szSourceDir, sizeof(lpCmd->szSourceDir), lpszArg, TRUE);
        break;
    case 3:
        if (!lpSeen->bDest)
            fnTakeValue(lpCmd->szDestDir, sizeof(lpCmd->szDestDir), lpszArg, TRUE);
        break;
    case 4:
        lpCmd->bTempExec = TRUE;
        break;
    case 5:
        lpCmd->bBeQuiet = TRUE;
        break;
    case 6:
        if (!lpSeen->bMessage) {
            fnTakeValue(lpCmd->szStartupMsg, sizeof(lpCmd->szStartupMsg), lpszArg, FALSE);
            lpCmd->bStartupMsg = TRUE;
        }
        break;
    }
}

int fnParseSwitches(int argc, char **argv, CmdLineStruct *lpCmd, SwitchStruct *lpSw)
{
    if (argc < 2 || !argv)
        return CMDLINE_NONE;
    SwitchSeenStruct seen = { FALSE, FALSE, FALSE, FALSE };
    /* Switches first: a switch overrides the positional of the same field
       wherever it stands. */
    for (int i = 1; i < argc; i++) {
        const char *lpszArg = argv[i] ? argv[i] : "";
        if ((lpszArg[0] == '-' || lpszArg[0] == '/') &&
            !fnParseOneSwitch(lpszArg, lpCmd, lpSw, &seen))
            return CMDLINE_USAGE;
    }
    for (int i = 1; i < argc; i++) {
        const char *lpszArg = argv[i] ? argv[i] : "";
        if (lpszArg[0] != '-' && lpszArg[0] != '/')
            fnParsePositional(i, lpszArg, lpCmd, &seen);
    }
    return CMDLINE_PARSED;
}

BOOL fnResolveNamedFile(const char *lpszName, const char *lpszSourceDir,
                        const char *lpszHomeDir, char *lpszOut, size_t cchOut)
{
    char szTry[KSTL8_PATH];
    if (!lpszName || !*lpszName)
        return FALSE;
    if (fnFileExists(lpszName)) {
        /* A full path: the profile functions look for bare names in the
           Windows directory, not in the current one. */
        char *lpszFilePart = NULL;
        DWORD cch = GetFullPathNameA(lpszName, sizeof(szTry), szTry, &lpszFilePart);
        if (cch == 0 || cch >= sizeof(szTry))
            return fnStrCopyN(lpszOut, cchOut, lpszName);
        return fnStrCopyN(lpszOut, cchOut, szTry);
    }
    if (fnMakePath(lpszSourceDir, lpszName, szTry, sizeof(szTry)) && fnFileExists(szTry))
        return fnStrCopyN(lpszOut, cchOut, szTry);
    if (fnMakePath(lpszHomeDir, fnGetFilePart(lpszName), szTry, sizeof(szTry)) &&
        fnFileExists(szTry))
        return fnStrCopyN(lpszOut, cchOut, szTry);
    return FALSE;
}

BOOL fnSearchDefaultScripts(const char *lpszHomeDir, char *lpszOut, size_t cchOut)
{
    static const char *const s_alpszNames[] = { "SETUP32.INF", "SETUP.BNF", "SETUP_0.INF",
                                                "HCSETUP.INF", "SETUP.RNF", "SETUP.INF" };
    for (size_t i = 0; i < sizeof(s_alpszNames) / sizeof(s_alpszNames[0]); i++) {
        char szTry[KSTL8_PATH];
        if (fnMakePath(lpszHomeDir, s_alpszNames[i], szTry, sizeof(szTry)) &&
            fnFileExists(szTry))
            return fnStrCopyN(lpszOut, cchOut, szTry);
    }
    return FALSE;
}
