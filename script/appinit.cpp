/* Application set-up: the [AppInit] section, the source and destination
 * directories and the test of the destination before anything is
 * installed. */
#include "handlers.h"
#include "reader.h"
#include "macro.h"
#include "../install/dirs.h"
#include "../install/install.h"
#include "../dialogs/dialogs.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../resources/resource.h"
#include <string.h>
#include <stdlib.h>

BOOL g_bStayHome;

/* ---- [AppInit] keys ---- */

typedef BOOL (*PFNAPPKEY)(const char *lpszLine, const char *lpszValue, UserInputStruct *lpUI);

static BOOL fnIsYes(const char *lpszValue)
{
    return lpszValue[0] == 'Y' || lpszValue[0] == 'y';
}

static DWORD fnParseBytes(const char *lpszValue)
{
    ULONGLONG ull = _strtoui64(lpszValue, NULL, 10);
    return ull > 0xFFFFFFFFull ? 0xFFFFFFFF : (DWORD)ull;
}

/* A dialog text of at most cchMax characters: a longer one is shortened
   (it is shown, never written anywhere) and traced. */
static BOOL fnTakeText(char *lpszOut, size_t cchOut, size_t cchMax, const char *lpszValue)
{
    size_t cch = cchMax + 1 < cchOut ? cchMax + 1 : cchOut;
    if (!fnStrCopyN(lpszOut, cch, lpszValue))
        fnDebugTrace("fnInfAppInit", "Text cut at %u characters:\n%.60s", (UINT)(cch - 1),
                     lpszValue);
    return TRUE;
}

/* A value that is written or run is taken whole or not at all. */
static BOOL fnTakeWhole(char *lpszOut, size_t cchOut, const char *lpszValue)
{
    if (strlen(lpszValue) >= cchOut) {
        fnDebugTrace("fnInfAppInit", "Value longer than %u characters:\n%.60s",
                     (UINT)(cchOut - 1), lpszValue);
        return FALSE;
    }
    return fnStrCopyN(lpszOut, cchOut, lpszValue);
}

/* Alternative n of a line, expanded; MACRO_EMPTY too when it is missing. */
static int fnExpandedParam(const char *lpszLine, UINT n, char *lpszOut, size_t cchOut,
                           BOOL *lpbPresent)
{
    *lpbPresent = fnGetParam(lpszLine, n, lpszOut, cchOut) && lpszOut[0];
    if (!*lpbPresent)
        return MACRO_EMPTY;
    return fnExpandOpts(lpszOut, cchOut);
}

static BOOL fnKeyDefaultDir(const char *lpszLine, const char *lpszValue, UserInputStruct *lpUI)
{
    (void)lpszValue;
    /* Quiet and no-prompts runs keep a destination given at start-up. */
    if ((g_bQuiet || g_bNoPrompts) && g_szStartDestDir[0]) {
        fnDebugTrace("fnInfAppInit", "DefaultDir ignored: start-up destination %s",
                     g_szStartDestDir);
        return TRUE;
    }
    char szDir[KSTL8_PATH];
    BOOL bPresent = FALSE;
    for (UINT n = 1; n <= 3; n++) {
        int nExp = fnExpandedParam(lpszLine, n, szDir, sizeof(szDir), &bPresent);
        if (!bPresent) {
            fnStrCopy(lpUI->szDestPath, g_szDestDir);
            return TRUE;
        }
        if (nExp != MACRO_EMPTY || n == 3)
            break;
    }
    fnStrCopy(lpUI->szDestPath, szDir);
    return TRUE;
}

static BOOL fnKeySourceDir(const char *lpszLine, const char *lpszValue, UserInputStruct *lpUI)
{
    char szDir[KSTL8_PATH];
    BOOL bPresent = FALSE;
    if (fnExpandedParam(lpszLine, 1, szDir, sizeof(szDir), &bPresent) != MACRO_EMPTY) {
        fnStrCopy(lpUI->szSourceDir, szDir);
        return TRUE;
    }
    /* The second alternative as written, or without one the first. */
    if (!fnGetParam(lpszLine, 2, szDir, sizeof(szDir)) || !szDir[0])
        return fnTakeWhole(lpUI->szSourceDir, sizeof(lpUI->szSourceDir), lpszValue);
    return fnStrCopy(lpUI->szSourceDir, szDir);
}

static BOOL fnKeySpaceNeeded(const char *lpszLine, const char *lpszValue, UserInputStruct *lpUI)
{
    char szMin[KSTL8_SHORT];
    lpUI->dwDiskSpaceNeeded = fnParseBytes(lpszValue);
    if (fnGetParam(lpszLine, 2, szMin, sizeof(szMin)) && szMin[0])
        lpUI->dwMinSpaceNeeded = fnParseBytes(szMin);
    else
        lpUI->dwMinSpaceNeeded = lpUI->dwDiskSpaceNeeded;
    return TRUE;
}

static BOOL fnKeyOnExit(const char *lpszLine, const char *lpszValue, UserInputStruct *lpUI)
{
    char szParam[KSTL8_LINE];
    BOOL bParam = fnGetParam(lpszLine, 2, szParam, sizeof(szParam)) && szParam[0];
    if (bParam)
        fnExpandOpts(szParam, sizeof(szParam));
    if (fnStrCmpI(lpszValue, "ExitWin") == 0) {
        lpUI->uOnExit = 1;
    } else if (fnStrCmpI(lpszValue, "RestartWin") == 0) {
        lpUI->uOnExit = 3;
    } else if (fnStrCmpI(lpszValue, "Reboot") == 0) {
        lpUI->uOnExit = 5;
    } else if (fnStrCmpI(lpszValue, "Exec") == 0) {
        /* A program name that does not fit is never run shortened. */
        lpUI->uOnExit =
            bParam && fnTakeWhole(lpUI->szExitExec, sizeof(lpUI->szExitExec), szParam) ? 2 : 0;
    } else if (fnStrCmpI(lpszValue, "RestartWithMsg") == 0) {
        lpUI->uOnExit = 6;
        if (bParam)
            fnStrCopy(lpUI->szRestartMsg, szParam);
        else
            fnLoadString(IDS_RESTARTASK, lpUI->szRestartMsg, sizeof(lpUI->szRestartMsg));
    }
    return TRUE;
}

static BOOL fnKeyBackUpMethod(const char *lpszLine, const char *lpszValue, UserInputStruct *lpUI)
{
    (void)lpszLine;
    static const char *const s_apsz[] = { "PROMPT", "ORIEXT", "UNIQUE", "TIME",
                                          "DATE", "DATETIME", "NOMOD" };
    for (UINT i = 0; i < sizeof(s_apsz) / sizeof(s_apsz[0]); i++)
        if (fnStrCmpI(lpszValue, s_apsz[i]) == 0)
            lpUI->uBackupMethod = BACKUP_PROMPT + i;
    return TRUE;
}

static BOOL fnKeyCaption(const char *, const char *v, UserInputStruct *lpUI)
{
    return fnTakeText(lpUI->szDestCaption, sizeof(lpUI->szDestCaption), 126, v);
}
static BOOL fnKeyDirSection(const char *, const char *v, UserInputStruct *lpUI)
{
    return fnTakeText(lpUI->szDirSection, sizeof(lpUI->szDirSection), 126, v);
}
static BOOL fnKeyDestMsg1(const char *, const char *v, UserInputStruct *lpUI)
{
    return fnTakeText(lpUI->szDestMsg1, sizeof(lpUI->szDestMsg1), 190, v);
}
static BOOL fnKeyDestMsg2(const char *, const char *v, UserInputStruct *lpUI)
{
    return fnTakeText(lpUI->szDestMsg2, sizeof(lpUI->szDestMsg2), 190, v);
}
static BOOL fnKeySourceCaption(const char *, const char *v, UserInputStruct *lpUI)
{
    return fnTakeText(lpUI->szSourceCaption, sizeof(lpUI->szSourceCaption), 126, v);
}
static BOOL fnKeySourceMsg1(const char *, const char *v, UserInputStruct *lpUI)
{
    return fnTakeText(lpUI->szSourceMsg1, sizeof(lpUI->szSourceMsg1), 190, v);
}
static BOOL fnKeySourceMsg2(const char *, const char *v, UserInputStruct *lpUI)
{
    return fnTakeText(lpUI->szSourceMsg2, sizeof(lpUI->szSourceMsg2), 190, v);
}
static BOOL fnKeyAppName(const char *, const char *v, UserInputStruct *lpUI)
{
    return fnTakeText(lpUI->szAppName, sizeof(lpUI->szAppName), 127, v);
}
static BOOL fnKeyMinSpace(const char *, const char *v, UserInputStruct *lpUI)
{
    lpUI->dwMinSpaceNeeded = fnParseBytes(v);
    return TRUE;
}
static BOOL fnKeyWinSpace(const char *, const char *v, UserInputStruct *lpUI)
{
    lpUI->dwWinSpaceNeeded = fnParseBytes(v);
    return TRUE;
}
static BOOL fnKeyUseAllInstall(const char *, const char *v, UserInputStruct *lpUI)
{
    lpUI->bUseAllInstall = fnIsYes(v);
    return TRUE;
}
static BOOL fnKeyExpandOpt(const char *, const char *v, UserInputStruct *)
{
    fnSetMacroChar(v);
    return TRUE;
}
static BOOL fnKeyExpandDelims(const char *lpszLine, const char *, UserInputStruct *)
{
    /* The whole value: the delimiters may include ',' and '='. */
    const char *p = strchr(lpszLine, '=');
    fnSetExpandDelims(p ? p + 1 : "");
    return TRUE;
}
static BOOL fnKeyLogFile(const char *, const char *v, UserInputStruct *lpUI)
{
    /* A log name is never taken shortened. */
    return fnTakeWhole(lpUI->szLogFile, sizeof(lpUI->szLogFile), v);
}
static BOOL fnKeyExitMessage(const char *lpszLine, const char *, UserInputStruct *lpUI)
{
    char szText[KSTL8_LINE];
    fnGetParam(lpszLine, 1, szText, sizeof(szText));
    fnExpandOpts(szText, sizeof(szText));
    return fnStrCopy(lpUI->szExitMsg, szText);
}
static BOOL fnKeyBeQuiet(const char *, const char *v, UserInputStruct *lpUI)
{
    lpUI->uQuiet = fnIsYes(v) ? 0 : 1;
    return TRUE;
}
/* A quiet run never switches a directory dialog on. */
static BOOL fnKeyDirPrompt(const char *, const char *v, UserInputStruct *lpUI)
{
    lpUI->bDirPrompt = fnIsYes(v) && !g_bQuiet;
    return TRUE;
}
static BOOL fnKeySourceDirPrompt(const char *, const char *v, UserInputStruct *lpUI)
{
    lpUI->bSourceDirPrompt = fnIsYes(v) && !g_bQuiet;
    return TRUE;
}

struct AppKeyStruct {
    const char *lpszKey;
    BOOL bRequired;         /* a key without a value ends the section with FALSE */
    PFNAPPKEY pfnKey;
};

static const AppKeyStruct s_aAppKeys[] = {
    { "Caption", TRUE, fnKeyCaption },
    { "DefaultDir", TRUE, fnKeyDefaultDir },
    { "DoUseAllInstall", FALSE, fnKeyUseAllInstall },
    { "DoUseAllInstall2", FALSE, fnKeyUseAllInstall },
    { "DirSection", TRUE, fnKeyDirSection },
    { "DestMsg1", TRUE, fnKeyDestMsg1 },
    { "DestMsg2", TRUE, fnKeyDestMsg2 },
    { "SpaceNeeded", TRUE, fnKeySpaceNeeded },
    { "MinSpaceNeeded", TRUE, fnKeyMinSpace },
    { "WinSpaceNeeded", TRUE, fnKeyWinSpace },
    { "ExpandOpt", FALSE, fnKeyExpandOpt },
    { "ExpandDelims", FALSE, fnKeyExpandDelims },
    { "LogFile", FALSE, fnKeyLogFile },
    { "AppName", FALSE, fnKeyAppName },
    { "ExitMessage", FALSE, fnKeyExitMessage },
    { "OnExit", FALSE, fnKeyOnExit },
    { "BackUpMethod", FALSE, fnKeyBackUpMethod },
    { "BeQuiet", FALSE, fnKeyBeQuiet },
    { "DirPrompt", FALSE, fnKeyDirPrompt },
    { "SourceCaption", TRUE, fnKeySourceCaption },
    { "SourceDir", TRUE, fnKeySourceDir },
    { "SourceMsg1", TRUE, fnKeySourceMsg1 },
    { "SourceMsg2", TRUE, fnKeySourceMsg2 },
    { "SourceDirPrompt", FALSE, fnKeySourceDirPrompt },
};

static const AppKeyStruct *fnFindAppKey(const char *lpszKey)
{
    for (size_t i = 0; i < sizeof(s_aAppKeys) / sizeof(s_aAppKeys[0]); i++)
        if (fnStrCmpI(lpszKey, s_aAppKeys[i].lpszKey) == 0)
            return &s_aAppKeys[i];
    return NULL;
}

/* One line: 1 read, 0 the section fails, -1 the reading ends. */
static int fnReadAppInitLine(char *lpszLine, UserInputStruct *lpUI)
{
    char szKey[KSTL8_SHORT];
    if (!fnGetParam(lpszLine, 0, szKey, sizeof(szKey))) {
        fnDebugTrace("fnInfAppInit", "Line without a key:\n%s", lpszLine);
        return 0;
    }
    const AppKeyStruct *lpKey = fnFindAppKey(szKey);
    if (!lpKey)
        return -1;
    char szValue[KSTL8_LINE];
    fnGetParam(lpszLine, 1, szValue, sizeof(szValue));
    if (lpKey->bRequired && !szValue[0]) {
        fnDebugTrace("fnInfAppInit", "Key %s needs a value", lpKey->lpszKey);
        return 0;
    }
    if (!lpKey->pfnKey(lpszLine, szValue, lpUI)) {
        fnMessageBox(IDS_BADPARAM, NULL, MB_OK | MB_ICONSTOP, 1u, lpszLine);
        return 0;
    }
    return 1;
}

int fnInfAppInit(HWND hWnd, char *lpszText, UserInputStruct *lpUI, const char *lpszName)
{
    (void)hWnd;
    char *p = fnLocateSection(lpszText, lpszName);
    char szLine[KSTL8_LINE];
    BOOL bOk = TRUE;
    while (p && (p = fnGetSectionLine(p, szLine, sizeof(szLine))) != NULL) {
        if (fnTestLineCondition(szLine, sizeof(szLine)) == COND_FAILS)
            continue;
        int nRead = fnReadAppInitLine(szLine, lpUI);
        if (nRead <= 0) {
            bOk = nRead < 0;
            break;
        }
    }
    fnDebugTrace("fnInfAppInit",
                 "lpUserInputStruct->szDestPath=%s,\nlpUserInputStruct->szExitExec=%s,\nlpUserInputStruct->szLogFile=%s,\ng_szLogFile=%s,\ng_szDestDir=%s",
                 lpUI->szDestPath, lpUI->szExitExec, lpUI->szLogFile, g_szLogFile, g_szDestDir);
    return bOk;
}

/* ---- source and destination ---- */

/* The directory dialog on a fresh description; 1 OK with the path in
   lpszPath, else the dialog's result. */
static int fnAskDirectory(HWND hWnd, const char *lpszCaption, const char *lpszMsg1,
                          const char *lpszMsg2, char *lpszPath, size_t cchPath)
{
    ReadSectStruct rs;
    memset(&rs, 0, sizeof(rs));
    rs.nNum = 0;
    fnStrCopy(rs.szCaption, lpszCaption);
    fnStrCopy(rs.szMsg[0], lpszMsg1);
    fnStrCopy(rs.szMsg[1], lpszMsg2);
    fnStrCopy(rs.szPath, lpszPath);
    int nResult = fnShowDestDirDlg(hWnd, IDD_DESTDIR, &rs);
    if (nResult == IDOK)
        fnStrCopyN(lpszPath, cchPath, rs.szPath);
    return nResult;
}

BOOL fnGetSrcDir(HWND hWnd, UserInputStruct *lpUI)
{
    fnStrCopy(g_szSourceDirList[1], lpUI->szSourceDir);
    if (lpUI->bSourceDirPrompt) {
        if (fnAskDirectory(hWnd, lpUI->szSourceCaption, lpUI->szSourceMsg1, lpUI->szSourceMsg2,
                           lpUI->szSourceDir, sizeof(lpUI->szSourceDir)) != IDOK)
            return FALSE;
        fnStrCopy(g_szSourceDirList[1], lpUI->szSourceDir);
    }
    if (!lpUI->szSourceDir[0])
        return TRUE;
    if (fnDirExists(lpUI->szSourceDir))
        return TRUE;
    fnMessageBox(IDS_DIRNOTEXIST, NULL, MB_OK | MB_ICONSTOP, lpUI->szSourceDir);
    return FALSE;
}

BOOL fnGetDestDir(HWND hWnd, UserInputStruct *lpUI)
{
    if (lpUI->bDirPrompt &&
        fnAskDirectory(hWnd, lpUI->szDestCaption, lpUI->szDestMsg1, lpUI->szDestMsg2,
                       lpUI->szDestPath, sizeof(lpUI->szDestPath)) != IDOK)
        return FALSE;
    fnStrCopy(g_szDestDir, lpUI->szDestPath);
    fnStrCopy(g_szDirList[0], lpUI->szDestPath);
    return TRUE;
}

/* What one pass of the destination test decided. */
#define DEST_OK      1
#define DEST_STOP    0
#define DEST_AGAIN   (-1)   /* another directory is needed */

/* The Windows drive: DEST_STOP when it is short and the user cancels.
   Quiet runs take OK, the box's default, and go on. */
static int fnTestWinDrive(const UserInputStruct *lpUI)
{
    if (lpUI->dwWinSpaceNeeded == 0)
        return DEST_OK;
    DWORD dwFree = g_pfnGetDiskSpace(g_szWinDir);
    if (dwFree >= lpUI->dwWinSpaceNeeded)
        return DEST_OK;
    char szDrive[KSTL8_PATH];
    fnGetDriveName(g_szWinDir, szDrive, sizeof(szDrive));
    int nAnswer = fnMessageBoxQ(IDOK, IDS_WINDRIVESPACE, NULL,
                                MB_OKCANCEL | MB_ICONQUESTION | MB_TASKMODAL, szDrive,
                                (unsigned long)dwFree, (unsigned long)lpUI->dwWinSpaceNeeded);
    return nAnswer == IDOK ? DEST_OK : DEST_STOP;
}

/* Free space on the destination drive: DEST_OK (also after Ignore),
   DEST_STOP or DEST_AGAIN; *lpdwFree gets the free bytes. */
static int fnTestDestSpace(UserInputStruct *lpUI, DWORD *lpdwFree)
{
    DWORD dwFree = g_pfnGetDiskSpace(g_szDestDir);
    *lpdwFree = dwFree;
    if (dwFree >= lpUI->dwDiskSpaceNeeded)
        return DEST_OK;
    fnDebugTrace("fnTestDestDir",
                 "Not enough space\ndwFreeDiskSpace=%lu,\nlpUserInputStruct->dwDiskSpaceNeeded=%lu",
                 (unsigned long)dwFree, (unsigned long)lpUI->dwDiskSpaceNeeded);
    char szDrive[KSTL8_PATH];
    fnGetDriveName(g_szDestDir, szDrive, sizeof(szDrive));
    unsigned long ulFree = dwFree, ulNeed = lpUI->dwDiskSpaceNeeded;
    if (!lpUI->bDirPrompt) {
        fnMessageBox(IDS_SPACEEXIT, NULL, MB_OK | MB_ICONSTOP | MB_TASKMODAL, szDrive, ulFree,
                     ulNeed);
        return DEST_STOP;
    }
    if (lpUI->dwDiskSpaceNeeded == lpUI->dwMinSpaceNeeded) {
        fnMessageBox(IDS_SPACESELECTDRIVE, NULL, MB_OK | MB_ICONINFORMATION | MB_TASKMODAL,
                     szDrive, ulFree, ulNeed);
        return DEST_AGAIN;
    }
    int nAnswer = fnMessageBoxQ(IDABORT, IDS_SPACEABORTRETRY, NULL,
                                MB_ABORTRETRYIGNORE | MB_TASKMODAL, szDrive, ulFree, ulNeed);
    if (nAnswer == IDRETRY)
        return DEST_AGAIN;
    if (nAnswer != IDIGNORE)
        return DEST_STOP;
    lpUI->dwDiskSpaceNeeded = lpUI->dwMinSpaceNeeded;
    return DEST_OK;
}

/* Ask for another destination: 1 a new one, 5 cancelled, 0 no dialog may
   be shown (the failing step has already said why). */
static int fnAskAnotherDest(HWND hWnd, UserInputStruct *lpUI)
{
    if (!lpUI->bDirPrompt) {
        fnDebugTrace("fnTestDestDir", "Another directory is needed; no dialog may ask: %s",
                     g_szDestDir);
        return 0;
    }
    char szPath[KSTL8_PATH];
    fnStrCopy(szPath, lpUI->szDestPath);
    int nResult = fnAskDirectory(hWnd, lpUI->szDestCaption, lpUI->szDestMsg1,
                                 lpUI->szDestMsg2, szPath, sizeof(szPath));
    if (nResult == IDOK)
        fnStrCopy(lpUI->szDestPath, szPath);
    fnDebugTrace("fnTestDestDir",
                 "g_szDestDir=%s,\nlpUserInputStruct->szDestPath=%s,\nReadSectStruct.szPathError=%s,\nuRC=%u",
                 g_szDestDir, lpUI->szDestPath, "", (UINT)nResult);
    return nResult == IDOK ? 1 : 5;
}

/* One pass of the tests: DEST_OK, DEST_STOP or DEST_AGAIN. */
static int fnTestDestPass(HWND hWnd, UserInputStruct *lpUI)
{
    if (fnTestWinDrive(lpUI) == DEST_STOP)
        return DEST_STOP;
    if (!fnTestDrive(hWnd, g_szDestDir, TRUE))
        return DEST_AGAIN;
    DWORD dwFree = 0;
    int nSpace = fnTestDestSpace(lpUI, &dwFree);
    if (nSpace != DEST_OK)
        return nSpace;
    if (!fnMakeDirsSection(hWnd, g_lpszInfNext, g_lpszInfText, lpUI->szDirSection)) {
        fnDebugTrace("fnTestDestDir",
                     "fnInfMakeDirs ERROR!\nlpUserInputStruct->szDirSection=%s,\ndwFreeSpace=%lu,\nlpUserInputStruct->dwDiskSpaceNeeded=%lu",
                     lpUI->szDirSection, (unsigned long)dwFree,
                     (unsigned long)lpUI->dwDiskSpaceNeeded);
        dwFree = 0;
    }
    fnDebugTrace("fnTestDestDir", "dwFreeDiskSpace=%lu,\nlpUserInputStruct->dwDiskSpaceNeeded=%lu",
                 (unsigned long)dwFree, (unsigned long)lpUI->dwDiskSpaceNeeded);
    return dwFree >= lpUI->dwDiskSpaceNeeded ? DEST_OK : DEST_AGAIN;
}

int fnTestDestDir(HWND hWnd, UserInputStruct *lpUI)
{
    if (!lpUI->szDestPath[0])
        return 1;
    fnDebugTrace("fnTestDestDir", "g_szDestDir=%s,\nlpUserInputStruct->szDestPath=%s",
                 g_szDestDir, lpUI->szDestPath);
    for (;;) {
        fnPumpMessages();
        int nPass = fnTestDestPass(hWnd, lpUI);
        if (nPass == DEST_STOP)
            return 0;
        if (nPass == DEST_OK)
            break;
        int nAsk = fnAskAnotherDest(hWnd, lpUI);
        if (nAsk != 1)
            return nAsk;
    }
    fnPumpMessages();
    if (!g_bStayHome)
        SetCurrentDirectoryA(g_szDestDir);
    return 1;
}

/* ---- the dispatcher's entry ---- */

int fnParseInfGetUserInput(HWND hWnd, char *lpszSection, const char *lpszName,
                           UserInputStruct *lpUI)
{
    fnDebugTrace("fnParseInfGetUserInput", "lpszSection=%s", lpszName);
    if (fnStrCmpI(lpszName, "[AppInit]") == 0) {
        if (!fnInfAppInit(hWnd, lpszSection, lpUI, lpszName) || !fnGetSrcDir(hWnd, lpUI) ||
            !fnGetDestDir(hWnd, lpUI))
            return 0;
        return fnTestDestDir(hWnd, lpUI);
    }
    /* FIXME: the combined input forms and the shortcut list reader come
       with their own units; until then these sections go on. */
    fnDebugTrace("fnParseInfGetUserInput - later unit", "Not built yet: %s", lpszName);
    return 1;
}
