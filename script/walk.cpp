/* The section walk: one section at a time from the top, the script text
 * cut before the next header while the section runs. */
#include "macro.h"
#include "script.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../install/install.h"
#include "../resources/resource.h"
#include <string.h>
#include <stdlib.h>

PFNPARSESECTION g_pfnParseInfSection = fnParseInfSection;

/* The temporary directory the walk starts in when no destination was given. */
static void fnDefaultDestDir(char *lpszOut, size_t cchOut)
{
    DWORD cch = GetEnvironmentVariableA("TMP", lpszOut, (DWORD)cchOut);
    if (cch == 0 || cch >= cchOut)
        cch = GetEnvironmentVariableA("TEMP", lpszOut, (DWORD)cchOut);
    if (cch == 0 || cch >= cchOut)
        fnMakePath(g_szWinDir, "TEMP", lpszOut, cchOut);
}

/* The texts the destination and source dialogs start with. */
static void fnInitDialogTexts(UserInputStruct *lpUI)
{
    fnLoadString(IDS_MAKEDIRSSECTION, lpUI->szDirSection, sizeof(lpUI->szDirSection));
    fnLoadString(IDS_TITLE, lpUI->szDestCaption, sizeof(lpUI->szDestCaption));
    fnLoadString(IDS_DESTMSG1, lpUI->szDestMsg1, sizeof(lpUI->szDestMsg1));
    fnLoadString(IDS_DESTMSG2, lpUI->szDestMsg2, sizeof(lpUI->szDestMsg2));
    fnLoadString(IDS_TITLE, lpUI->szSourceCaption, sizeof(lpUI->szSourceCaption));
    fnLoadString(IDS_SOURCEMSG1, lpUI->szSourceMsg1, sizeof(lpUI->szSourceMsg1));
    fnLoadString(IDS_SOURCEMSG2, lpUI->szSourceMsg2, sizeof(lpUI->szSourceMsg2));
}

BOOL fnInitUserInput(HWND hWnd, UserInputStruct *lpUI)
{
    (void)hWnd;
    memset(lpUI, 0, sizeof(*lpUI));
    /* A destination given at start-up stays the destination: a quiet
       install goes where the administrator said. */
    if (g_szStartDestDir[0])
        fnStrCopy(g_szDestDir, g_szStartDestDir);
    else
        fnDefaultDestDir(g_szDestDir, sizeof(g_szDestDir));
    fnStrCopy(g_szDirList[0], g_szDestDir);
    lpUI->dwDiskSpaceNeeded = 1;
    lpUI->uQuiet = g_bQuiet ? 0 : 1;
    lpUI->bDirPrompt = !(g_bQuiet || g_bNoPrompts);
    lpUI->uBackupMethod = g_uBackUpMethod;
    lpUI->uOnExit = g_uOnExit;
    fnStrCopy(lpUI->szExitExec, g_szConfigExitExec);
    fnStrCopy(lpUI->szExitMsg, g_szConfigExitMsg);
    fnStrCopy(lpUI->szRestartMsg, g_szConfigRestartMsg);
    fnInitDialogTexts(lpUI);
    fnStrCopy(lpUI->szDestPath, g_szDestDir);
    fnStrCopy(lpUI->szSourceDir, g_szSourceDir);
    fnDebugTrace("fnInitUserInput", "g_szDestDir=%s,\nlpUserInputStruct->uQuiet=%u", g_szDestDir,
                 lpUI->uQuiet);
    return TRUE;
}

static BOOL fnIsLineBreak(char c)
{
    return c == '\r' || c == '\n';
}

BOOL fnFindInfSections(char *lpszText, SectionStruct *lpSection)
{
    lpSection->lpszStart = NULL;
    lpSection->lpszNext = NULL;
    char *p = lpszText;
    while (*p) {
        while (*p == ' ' || *p == '\t')
            p++;
        if (*p == '[') {
            if (!lpSection->lpszStart) {
                lpSection->lpszStart = p;
            } else {
                lpSection->lpszNext = p;
                break;
            }
        }
        while (*p && !fnIsLineBreak(*p))
            p++;
        while (fnIsLineBreak(*p))
            p++;
    }
    fnDebugTrace("fnFindInfSections", "lpSectionStruct->lpszNext=%.1024s",
                 lpSection->lpszNext ? lpSection->lpszNext : "(null)");
    fnDebugTrace("fnFindInfSections", "lpSectionStruct->lpszStart=%.1024s",
                 lpSection->lpszStart ? lpSection->lpszStart : "(null)");
    return lpSection->lpszStart != NULL;
}

/* The walk's answer to one section result; FALSE stops the walk. */
static BOOL fnTakeResult(int nResult, UserInputStruct *lpUI, char **lplpszCursor,
                         char *lpszText)
{
    switch (nResult) {
    case SECTION_STOP:
    case 5:
    case 6:
    case 7:
        lpUI->bStopped = TRUE;
        return FALSE;
    case SECTION_FAILED:
        lpUI->bInstallFailed = TRUE;
        return FALSE;
    case SECTION_RESTART:
        *lplpszCursor = lpszText;
        return TRUE;
    }
    return TRUE;
}

BOOL fnReadInf(HWND hWnd, char *lpszText, UserInputStruct *lpUI)
{
    fnInitUserInput(hWnd, lpUI);
    char *lpszCursor = lpszText;
    fnDebugTrace("fnReadInf", "Enter loop lpszBegin\n%.1024s", lpszText);
    while (*lpszCursor) {
        if (fnStrCmpNI(lpszCursor, "[End]", 5) == 0)
            break;
        SectionStruct sect;
        if (!fnFindInfSections(lpszCursor, &sect))
            break;
        fnPumpMessages();
        char *lpszCut = NULL;
        char cSaved = '\0';
        if (sect.lpszNext) {
            lpszCut = sect.lpszNext - 1;
            cSaved = *lpszCut;
            if (cSaved == '\r' || cSaved == '\n' || cSaved == '\0')
                *lpszCut = '\0';
            else
                lpszCut = NULL;
        }
        lpszCursor = sect.lpszNext;
        g_lpszInfNext = sect.lpszNext;
        fnDebugTrace("fnReadInf", "lpszSection=\n%.1024s", sect.lpszStart);
        if (sect.lpszNext)
            fnDebugTrace("fnReadInf", "lpszNext=\n%.1024s", sect.lpszNext);
        int nResult = g_pfnParseInfSection(hWnd, sect.lpszStart, lpUI);
        fnPumpMessages();
        if (lpszCut)
            *lpszCut = cSaved;
        BOOL bGoOn = fnTakeResult(nResult, lpUI, &lpszCursor, lpszText);
        if (!bGoOn || !sect.lpszNext)
            break;
    }
    fnDebugTrace("fnReadInf", "%s", "Exit loop");
    if (lpUI->bInstallFailed)
        g_nExitCode = KSTL8_EXIT_FAILED;
    else if (lpUI->bStopped)
        g_nExitCode = KSTL8_EXIT_STOPPED;
    fnUserExit(hWnd, lpUI);
    return TRUE;
}
