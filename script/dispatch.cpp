/* Section dispatch: the section's name is looked up in fixed lists, in a
 * fixed order; the first list that holds it decides the handler, the
 * status text and how the handler's answer becomes the walk's result. */
#include "script.h"
#include "handlers.h"
#include "macro.h"
#include "reader.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../resources/resource.h"
#include <string.h>

UINT g_uWinPause = 100;


struct SectionListStruct {
    const char *lpszNames;
    const char *lpszStatus;     /* NULL: no status window */
    PFNSECTIONTEXT pfnText;     /* gets the text after the header */
    PFNSECTIONNAMED pfnNamed;   /* gets the section start and its name */
    int nRule;
    BOOL bBracket;              /* runs inside fnInitInfSection/fnEndInfSection */
};

static const SectionListStruct s_aLists[] = {
    { "[End]", NULL, NULL, NULL, RULE_END, FALSE },
    { "[Info]", NULL, fnInfInfo, NULL, RULE_INFO, FALSE },
    { "[FloatInfo]", NULL, fnInfFloatInfo, NULL, RULE_A, TRUE },
    { "[CheckFor],[TestBeforeInput],[TestBefore],[CheckBefore],[CheckAfter]", NULL,
      fnInfCheckFors, NULL, RULE_B, TRUE },
    { "[FileCheck]", NULL, fnInfFileCheck, NULL, RULE_B, TRUE },
    { "[VersionTest]", "Reading version information", fnInfVersionTest, NULL, RULE_B, TRUE },
    { "[InitOptions]", NULL, NULL, fnInfInitOptions, RULE_INIT, TRUE },
    { "[Registry],[RegEdit],[ReadRegistryBefore],[TestRegistryBefore],[EditRegistry],[ReadRegistry]",
      "Processing registry", fnInfRegistry, NULL, RULE_A, TRUE },
    { "[SetEnvironment]", "Processing environment variables", fnInfSetEnvironment, NULL, RULE_A,
      TRUE },
    { "[ReadDefaults],[ReadIniFiles],[ReadDefaultSettings]", "Reading defaults",
      fnInfReadDefaults, NULL, RULE_A, TRUE },
    { "[IniEdits]", "Editing configuration files", fnInfIniEdits, NULL, RULE_A, TRUE },
    { "[CloseBefore],[CloseAfter],[Close],[CloseFiles]", "Closing program", fnInfCloseFiles,
      NULL, RULE_A, TRUE },
    { "[ExecBefore],[ExecAfter],[Exec]", "Executing program", fnInfExec, NULL, RULE_A, TRUE },
    { "[ShellExec]", "Executing shell", fnInfShellExec, NULL, RULE_A, TRUE },
    { "[OptionButtons],[GetDirs],[AskFor],[FromList],[FromCombo]", NULL, NULL,
      fnInfInputSection, RULE_C, TRUE },
    { "[LaunchAndBack]", NULL, fnInfLaunchAndBack, NULL, RULE_A, TRUE },
    { "[WriteCmdFile]", NULL, fnInfWriteCmdFile, NULL, RULE_A, TRUE },
    { "[IsStringInFile]", NULL, fnInfIsStringInFile, NULL, RULE_STRING, TRUE },
    { "[AppInit],[GetAllInstallInfo],[GetAllInstallInfo2],[Shortcuts],[PMGroups]", NULL, NULL,
      fnParseInfGetUserInput, RULE_D, TRUE },
    { "[CheckSpaceRequirements],[CheckDiskSpace]", NULL, NULL, fnInfCheckSpace, RULE_A, TRUE },
    { "[MakeDirs],[DestSubDirs]", NULL, NULL, fnInfMakeDirs, RULE_A, TRUE },
    { "[MoveFilesBefore],[MoveFiles],[MoveFilesAfter]", NULL, NULL, fnInfMoveFiles, RULE_A,
      TRUE },
    { "[Files],[CopyFiles],[MakeDisks],[CopyFilesToDisk]", NULL, NULL, fnInfCopyFiles, RULE_A,
      TRUE },
};

BOOL fnGetSectionName(const char *lpszSection, char *lpszOut, size_t cchOut)
{
    if (cchOut)
        lpszOut[0] = '\0';
    if (!lpszSection || lpszSection[0] != '[')
        return FALSE;
    /* The name ends at the first ']' of the header line, never beyond it. */
    size_t i = 1;
    while (lpszSection[i] && lpszSection[i] != ']' && lpszSection[i] != '\r' &&
           lpszSection[i] != '\n')
        i++;
    if (lpszSection[i] != ']')
        return FALSE;
    if (i + 2 > cchOut) {
        fnDebugTrace("fnIsInfSection", "Section name too long:\n%.60s", lpszSection);
        return FALSE;
    }
    memcpy(lpszOut, lpszSection, i + 1);
    lpszOut[i + 1] = '\0';
    return TRUE;
}

/* Is the bracketed name one of the comma-separated items of the list? */
static BOOL fnNameInList(const char *lpszName, const char *lpszList, char *lpszMatched,
                         size_t cchMatched)
{
    const char *p = lpszList;
    while (*p) {
        const char *lpszEnd = strchr(p, ',');
        size_t cch = lpszEnd ? (size_t)(lpszEnd - p) : strlen(p);
        if (cch == strlen(lpszName) && fnStrCmpNI(p, lpszName, cch) == 0 && cch < cchMatched) {
            memcpy(lpszMatched, p, cch);
            lpszMatched[cch] = '\0';
            fnDebugTrace("fnIsInfSection", "Found %s", lpszMatched);
            return TRUE;
        }
        p += cch;
        if (*p == ',')
            p++;
    }
    return FALSE;
}

BOOL fnIsInfSection(const char *lpszSection, const char *lpszList, char *lpszMatched,
                    size_t cchMatched)
{
    fnPumpMessages();
    char szName[KSTL8_SHORT];
    if (!fnGetSectionName(lpszSection, szName, sizeof(szName)))
        return FALSE;
    BOOL bFound = fnNameInList(szName, lpszList, lpszMatched, cchMatched);
    fnDebugTrace("fnIsInfSection", "Is section=%s in list=%.300s?\nbFound=%d", szName, lpszList,
                 bFound);
    return bFound;
}

HWND fnInitInfSection(HWND hWnd, const char *lpszName, const char *lpszStatus,
                      HCURSOR *lphCursor)
{
    fnPumpMessages();
    fnDebugTrace("fnInitInfSection", "Section=%s,\nlpszAddMsg=%s", lpszName,
                 lpszStatus ? lpszStatus : "");
    HWND hWndStatus = NULL;
    /* A quiet run opens no status window at all. */
    if (lpszStatus && *lpszStatus && !g_bQuiet)
        hWndStatus = fnCreateStatusWindow(hWnd, lpszStatus);
    *lphCursor = SetCursor(LoadCursorA(NULL, (LPCSTR)IDC_WAIT));
    fnLogWrite(TRUE, "\r\n%s", lpszName);
    if (!g_bQuiet && g_uWinPause > 0) {
        fnPumpMessages();
        Sleep(g_uWinPause);
        fnPumpMessages();
    }
    return hWndStatus;
}

void fnEndInfSection(HWND hWndStatus, HCURSOR hCursor)
{
    SetCursor(hCursor);
    fnDestroyStatusWindow(hWndStatus);
    fnPumpMessages();
}

static int fnCallText(const SectionListStruct *lpList, HWND hWnd, char *lpszSection,
                      const char *lpszName)
{
    /* Located from the section's own start: the text after its header. */
    char *lpszText = fnLocateSection(lpszSection, lpszName);
    if (!lpszText || !*lpszText)
        return 1;
    int nResult = lpList->pfnText(hWnd, lpszText);
    if (nResult == 0 && lpList->pfnText == fnInfVersionTest)
        fnMessageBox(IDS_BADSECTION, NULL, MB_OK | MB_ICONSTOP, g_szIniFile, lpszName);
    return nResult;
}

/* Exit actions that restart Windows. */
static BOOL fnIsRestart(UINT uOnExit)
{
    return uOnExit == 3 || uOnExit == 4 || uOnExit == 5 || uOnExit == 6;
}

/* A pending restart is never lowered by a later set-up section. */
static void fnTakeSetupSettings(UserInputStruct *lpUI, UINT uOnExitBefore)
{
    if (!g_bLogStarted && lpUI->szLogFile[0]) {
        char szLog[KSTL8_PATH];
        fnStrCopy(szLog, lpUI->szLogFile);
        if (fnExpandOpts(szLog, sizeof(szLog)) != MACRO_EMPTY) {
            g_bLogWanted = TRUE;
            fnStartLog(szLog);
        }
    }
    if (lpUI->uOnExit != uOnExitBefore && !(fnIsRestart(g_uOnExit) && !fnIsRestart(lpUI->uOnExit)))
        g_uOnExit = lpUI->uOnExit;
    g_uBackUpMethod = lpUI->uBackupMethod;
}

int fnMapSectionResult(int nRule, int nResult, const char *lpszName, UserInputStruct *lpUI)
{
    if (nResult == 0)
        fnDebugTrace("fnParseInfSection", "Error returning from section %s.", lpszName);
    switch (nRule) {
    case RULE_INFO:
    case RULE_A:
        return nResult == 0 ? 0 : 1;
    case RULE_B:
    case RULE_D:
        if (nResult == 2 || nResult == 5 || nResult == 6 || nResult == 7)
            lpUI->uQuiet = 0;
        return nResult;
    case RULE_C:
    case RULE_INIT:
        /* A confirmed Cancel stops the walk, as in the tests' rule. */
        if (nResult == 2 || nResult == 5 || nResult == 6 || nResult == 7 ||
            (nRule == RULE_INIT && nResult == 103)) {
            lpUI->uQuiet = 0;
            return nResult == 103 ? 6 : nResult;
        }
        return nResult == 0 ? 0 : 1;
    case RULE_STRING:
        if (nResult == 2) {
            lpUI->uQuiet = 0;
            return 6;
        }
        return 1;
    }
    return 1;
}

static int fnRunList(const SectionListStruct *lpList, HWND hWnd, char *lpszSection,
                     const char *lpszName, UserInputStruct *lpUI)
{
    if (lpList->nRule == RULE_END)
        return 6;
    HWND hWndStatus = NULL;
    HCURSOR hCursor = NULL;
    if (lpList->bBracket)
        hWndStatus = fnInitInfSection(hWnd, lpszName, lpList->lpszStatus, &hCursor);
    UINT uOnExitBefore = lpUI->uOnExit;
    int nResult = lpList->pfnText ? fnCallText(lpList, hWnd, lpszSection, lpszName)
                                  : lpList->pfnNamed(hWnd, lpszSection, lpszName, lpUI);
    if (lpList->nRule == RULE_D)
        fnTakeSetupSettings(lpUI, uOnExitBefore);
    if (lpList->bBracket)
        fnEndInfSection(hWndStatus, hCursor);
    return fnMapSectionResult(lpList->nRule, nResult, lpszName, lpUI);
}

/* Shortcut group sections are known only once a set-up section named them. */
static BOOL fnIsGroupSection(const char *lpszSection, const UserInputStruct *lpUI,
                             char *lpszMatched, size_t cchMatched)
{
    char szName[KSTL8_SHORT];
    if (!fnGetSectionName(lpszSection, szName, sizeof(szName)))
        return FALSE;
    UINT uCount = lpUI->nShortcutGroups < MAX_SHORTCUT_GROUPS ? lpUI->nShortcutGroups
                                                               : MAX_SHORTCUT_GROUPS;
    for (UINT i = 0; i < uCount; i++)
        if (lpUI->szShortcutSection[i][0] &&
            fnNameInList(szName, lpUI->szShortcutSection[i], lpszMatched, cchMatched))
            return TRUE;
    return FALSE;
}

int fnParseInfSection(HWND hWnd, char *lpszSection, UserInputStruct *lpUI)
{
    char szName[KSTL8_SHORT];
    for (size_t i = 0; i < sizeof(s_aLists) / sizeof(s_aLists[0]); i++)
        if (fnIsInfSection(lpszSection, s_aLists[i].lpszNames, szName, sizeof(szName)))
            return fnRunList(&s_aLists[i], hWnd, lpszSection, szName, lpUI);
    if (fnIsGroupSection(lpszSection, lpUI, szName, sizeof(szName))) {
        HCURSOR hCursor = NULL;
        HWND hWndStatus = fnInitInfSection(hWnd, szName, "Adding shortcuts", &hCursor);
        int nResult = fnReadShortCutSections(hWnd, lpszSection, szName, lpUI);
        fnEndInfSection(hWndStatus, hCursor);
        return fnMapSectionResult(RULE_A, nResult, szName, lpUI);
    }
    return 1;
}
