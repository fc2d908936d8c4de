/* [Install Options], [Signon] and [Info]: the records the opening
 * screens show, read from the script, and what the answers mean. */
#include "script.h"
#include "handlers.h"
#include "reader.h"
#include "macro.h"
#include "../dialogs/dialogs.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../resources/resource.h"
#include <string.h>

/* A name with a drive letter, or starting with a backslash, is used as
   given; anything else is relative. */
BOOL fnIsRootedName(const char *lpszName)
{
    return (lpszName[0] && lpszName[1] == ':') || lpszName[0] == '\\' || lpszName[0] == '/';
}

BOOL fnScriptInDirOf(const char *lpszScript, const char *lpszName, char *lpszOut, size_t cchOut)
{
    if (fnIsRootedName(lpszName))
        return fnStrCopyN(lpszOut, cchOut, lpszName);
    /* The current script's directory with its separator, or nothing. */
    size_t cchDir = 0;
    for (size_t i = 0; lpszScript[i]; i++)
        if (lpszScript[i] == '\\' || lpszScript[i] == '/' || lpszScript[i] == ':')
            cchDir = i + 1;
    if (cchDir + 1 > cchOut)
        return FALSE;
    memcpy(lpszOut, lpszScript, cchDir);
    lpszOut[cchDir] = '\0';
    return fnStrAppendN(lpszOut, cchOut, lpszName);
}

/* A file name from the script: expanded; without a drive letter it is
   taken in g_szSourceDir unless a macro gave it. */
static BOOL fnScriptFileName(const char *lpszValue, char *lpszOut, size_t cchOut)
{
    char szName[KSTL8_PATH];
    if (!fnStrCopy(szName, lpszValue))
        return FALSE;
    int nExpand = fnExpandOpts(szName, sizeof(szName));
    if (nExpand == MACRO_EMPTY || !szName[0])
        return FALSE;
    if (szName[1] == ':' || nExpand == MACRO_OK || (szName[0] == '\\' && szName[1] == '\\'))
        return fnStrCopyN(lpszOut, cchOut, szName);
    if (!fnStrCopyN(lpszOut, cchOut, g_szSourceDir))
        return FALSE;
    size_t cch = strlen(lpszOut);
    if (cch && lpszOut[cch - 1] != '\\' && !fnStrAppendN(lpszOut, cchOut, "\\"))
        return FALSE;
    return fnStrAppendN(lpszOut, cchOut, szName[0] == '\\' ? szName + 1 : szName);
}

/* Read a text file (at most cchOut-1 bytes) into lpszOut; FALSE when it
   can't be opened, and the buffer is then left alone. */
BOOL fnReadTextFile(const char *lpszFile, char *lpszOut, size_t cchOut)
{
    HANDLE hFile = CreateFileA(lpszFile, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE) {
        fnDebugTrace("fnReadTextFile", "Cannot open %s, error %lu", lpszFile,
                     (unsigned long)GetLastError());
        return FALSE;
    }
    DWORD cbRead = 0;
    BOOL bOk = ReadFile(hFile, lpszOut, (DWORD)(cchOut - 1), &cbRead, NULL);
    CloseHandle(hFile);
    lpszOut[bOk ? cbRead : 0] = '\0';
    return bOk;
}

/* Parameter n of a line, macro-expanded, into a shown text (cut to fit). */
static void fnShownParam(const char *lpszLine, UINT n, char *lpszOut, size_t cchOut)
{
    char szValue[KSTL8_LINE];
    fnGetParam(lpszLine, n, szValue, sizeof(szValue));
    fnExpandOpts(szValue, sizeof(szValue));
    fnStrCopyN(lpszOut, cchOut, szValue);
}

/* ---- [Install Options] ---- */

static void fnInitOptionsRecord(InstallOptionsStruct *lpOpt)
{
    memset(lpOpt, 0, sizeof(*lpOpt));
    fnLoadString(IDS_OPTINTRO, lpOpt->szIntro, sizeof(lpOpt->szIntro));
    fnLoadString(IDS_OPTEXITMSG, lpOpt->szExitMsg, sizeof(lpOpt->szExitMsg));
    fnLoadString(IDS_OPTEXITBTN, lpOpt->szExitBtn, sizeof(lpOpt->szExitBtn));
    fnLoadString(IDS_OPTHELPMSG, lpOpt->szHelpMsg, sizeof(lpOpt->szHelpMsg));
    fnLoadString(IDS_OPTHELPBTN, lpOpt->szHelpBtn, sizeof(lpOpt->szHelpBtn));
    fnStrCopy(lpOpt->aszOptInf[0], g_szIniFile);
    fnLoadString(IDS_OPT2INF, lpOpt->aszOptInf[1], sizeof(lpOpt->aszOptInf[1]));
    fnLoadString(IDS_OPT3INF, lpOpt->aszOptInf[2], sizeof(lpOpt->aszOptInf[2]));
    fnLoadString(IDS_OPT4INF, lpOpt->aszOptInf[3], sizeof(lpOpt->aszOptInf[3]));
    lpOpt->help.uKind = HELP_NONE;
}

/* HelpFile=name[,topic]: a help file at its topic, or a text file. */
static void fnOptionsHelpFile(InstallOptionsStruct *lpOpt, const char *lpszLine)
{
    char szValue[KSTL8_PATH], szFile[KSTL8_PATH];
    if (!fnGetParam(lpszLine, 1, szValue, sizeof(szValue)) ||
        !fnScriptFileName(szValue, szFile, sizeof(szFile)))
        return;
    size_t cch = strlen(szFile);
    if (cch > 4 && fnStrCmpI(szFile + cch - 4, ".hlp") == 0) {
        fnStrCopy(lpOpt->help.szText, szFile);
        fnShownParam(lpszLine, 2, lpOpt->help.szKey, sizeof(lpOpt->help.szKey));
        lpOpt->help.uKind = HELP_PLATFORM;
    } else if (fnReadTextFile(szFile, lpOpt->help.szText, sizeof(lpOpt->help.szText))) {
        lpOpt->help.uKind = HELP_WINDOW;
    }
}

/* One line of help text, joined to the earlier ones with CR LF. */
static void fnOptionsHelpLine(InstallOptionsStruct *lpOpt, const char *lpszLine)
{
    char szText[KSTL8_LINE];
    fnShownParam(lpszLine, 1, szText, sizeof(szText));
    if (lpOpt->help.uKind == HELP_WINDOW && lpOpt->help.szText[0])
        fnStrAppend(lpOpt->help.szText, "\r\n");
    else if (lpOpt->help.uKind != HELP_WINDOW)
        lpOpt->help.szText[0] = '\0';
    fnStrAppend(lpOpt->help.szText, szText);
    lpOpt->help.uKind = HELP_WINDOW;
}

/* One key of the section; FALSE for a key the section does not know. */
static BOOL fnOptionsKey(InstallOptionsStruct *lpOpt, const char *lpszKey, const char *lpszLine)
{
    static const char *const s_apszMsg[4] = { "Opt1Msg", "Opt2Msg", "Opt3Msg", "Opt4Msg" };
    static const char *const s_apszBtn[4] = { "Opt1Btn", "Opt2Btn", "Opt3Btn", "Opt4Btn" };
    static const char *const s_apszInf[4] = { "Opt1Inf", "Opt2Inf", "Opt3Inf", "Opt4Inf" };
    for (int i = 0; i < 4; i++) {
        if (fnStrCmpI(lpszKey, s_apszMsg[i]) == 0) {
            fnShownParam(lpszLine, 1, lpOpt->aszOptMsg[i], sizeof(lpOpt->aszOptMsg[i]));
            return TRUE;
        }
        if (fnStrCmpI(lpszKey, s_apszBtn[i]) == 0) {
            fnShownParam(lpszLine, 1, lpOpt->aszOptBtn[i], sizeof(lpOpt->aszOptBtn[i]));
            return TRUE;
        }
        if (fnStrCmpI(lpszKey, s_apszInf[i]) == 0) {
            /* A script name must never be cut: one that does not fit is refused. */
            char szValue[KSTL8_PATH];
            if (fnGetParam(lpszLine, 1, szValue, sizeof(szValue)) &&
                fnExpandOpts(szValue, sizeof(szValue)) != MACRO_EMPTY && szValue[0]) {
                fnStrCopy(lpOpt->aszOptInf[i], szValue);
                if (i == 0)
                    lpOpt->bOpt1Inf = TRUE;
            } else {
                fnDebugTrace("fnReadInstallOptions", "%s not taken: %s", lpszKey, lpszLine);
            }
            return TRUE;
        }
    }
    struct {
        const char *lpszKey;
        char *lpszOut;
        size_t cchOut;
    } aTexts[] = {
        { "Caption", lpOpt->szCaption, sizeof(lpOpt->szCaption) },
        { "Intro", lpOpt->szIntro, sizeof(lpOpt->szIntro) },
        { "ExitMsg", lpOpt->szExitMsg, sizeof(lpOpt->szExitMsg) },
        { "ExitBtn", lpOpt->szExitBtn, sizeof(lpOpt->szExitBtn) },
        { "HelpMsg", lpOpt->szHelpMsg, sizeof(lpOpt->szHelpMsg) },
        { "HelpBtn", lpOpt->szHelpBtn, sizeof(lpOpt->szHelpBtn) },
    };
    for (size_t i = 0; i < sizeof(aTexts) / sizeof(aTexts[0]); i++)
        if (fnStrCmpI(lpszKey, aTexts[i].lpszKey) == 0) {
            fnShownParam(lpszLine, 1, aTexts[i].lpszOut, aTexts[i].cchOut);
            return TRUE;
        }
    if (fnStrCmpI(lpszKey, "Help") == 0) {
        fnOptionsHelpLine(lpOpt, lpszLine);
        return TRUE;
    }
    if (fnStrCmpI(lpszKey, "HelpFile") == 0) {
        fnOptionsHelpFile(lpOpt, lpszLine);
        return TRUE;
    }
    return FALSE;
}

/* Read the section into lpOpt.  FALSE when no dialog is to be shown (no
   section, an empty one, or a first line without a key). */
BOOL fnReadOptionsRecord(char *lpszText, InstallOptionsStruct *lpOpt)
{
    fnInitOptionsRecord(lpOpt);
    char *p = fnLocateSection(lpszText, "[Install Options]");
    if (!p)
        return FALSE;
    char szLine[KSTL8_LINE];
    BOOL bAny = FALSE;
    while ((p = fnGetSectionLine(p, szLine, sizeof(szLine))) != NULL) {
        if (fnTestLineCondition(szLine, sizeof(szLine)) == COND_FAILS)
            continue;
        char szKey[KSTL8_SHORT];
        /* A line without a key ends the section and shows nothing. */
        if (!fnGetParam(szLine, 0, szKey, sizeof(szKey)) || !szKey[0])
            return FALSE;
        /* An unknown key ends the reading; what was read is shown. */
        bAny = TRUE;
        if (!fnOptionsKey(lpOpt, szKey, szLine))
            break;
    }
    return bAny;
}

int fnInstallOptionsResult(int nButton, const InstallOptionsStruct *lpOpt, char *lpszScript,
                           size_t cchScript)
{
    if (nButton == IDC_OPT1 && !lpOpt->bOpt1Inf)
        return SECTION_GOON;
    if (nButton < IDC_OPT1 || nButton > IDC_OPT4)
        return IDC_OPT_EXIT;    /* Exit, and a dialog that failed, end the run */
    char szNew[KSTL8_PATH];
    if (!fnScriptInDirOf(lpszScript, lpOpt->aszOptInf[nButton - IDC_OPT1], szNew, sizeof(szNew))) {
        fnDebugTrace("fnReadInstallOptions", "Script name too long for option %d",
                     nButton - IDC_OPT1 + 1);
        return IDC_OPT_EXIT;
    }
    /* A quiet run takes option 1; reloading the same script would take it
       again for ever, so the run goes on with the script it has. */
    if (g_bQuiet && fnStrCmpI(szNew, lpszScript) == 0)
        return SECTION_GOON;
    fnStrCopyN(lpszScript, cchScript, szNew);
    return nButton;
}

int fnReadInstallOptions(HWND hWnd, char *lpszText)
{
    InstallOptionsStruct *lpOpt = new InstallOptionsStruct;
    int nResult = SECTION_GOON;
    if (fnReadOptionsRecord(lpszText, lpOpt)) {
        int nButton = fnShowInstallOptions(hWnd, lpOpt);
        nResult = fnInstallOptionsResult(nButton, lpOpt, g_szIniFile, sizeof(g_szIniFile));
        fnDebugTrace("fnReadInstallOptions", "Button %d, result %d,\ng_szIniFile=%s", nButton,
                     nResult, g_szIniFile);
    }
    delete lpOpt;
    return nResult;
}

/* ---- [Signon] and [Info] ---- */

BOOL fnReadTextRecord(char *lpszSection, TextPromptStruct *lpText)
{
    memset(lpText, 0, sizeof(*lpText));
    fnStrCopy(lpText->szPrompt, "Select OK to continue");
    char szLine[KSTL8_LINE];
    char *p = lpszSection;
    BOOL bAny = FALSE;
    UINT uLineKeys = 0;
    while (p && (p = fnGetSectionLine(p, szLine, sizeof(szLine))) != NULL) {
        if (fnTestLineCondition(szLine, sizeof(szLine)) == COND_FAILS)
            continue;
        char szKey[KSTL8_SHORT];
        if (!fnGetParam(szLine, 0, szKey, sizeof(szKey)) || !szKey[0])
            return FALSE;
        bAny = TRUE;
        if (fnStrCmpI(szKey, "Caption") == 0) {
            fnShownParam(szLine, 1, lpText->szCaption, sizeof(lpText->szCaption));
        } else if (fnStrCmpI(szKey, "Prompt") == 0) {
            fnShownParam(szLine, 1, lpText->szPrompt, sizeof(lpText->szPrompt));
        } else if (fnStrCmpI(szKey, "Line") == 0) {
            /* Lines after the 200th are passed over. */
            if (++uLineKeys <= 200) {
                char szText[KSTL8_LINE];
                fnShownParam(szLine, 1, szText, sizeof(szText));
                fnStrAppend(lpText->szText, szText);
                fnStrAppend(lpText->szText, "\r\n");
                lpText->uLines++;
            }
        } else if (fnStrCmpI(szKey, "File") == 0) {
            char szValue[KSTL8_PATH], szFile[KSTL8_PATH];
            if (fnGetParam(szLine, 1, szValue, sizeof(szValue)) &&
                fnScriptFileName(szValue, szFile, sizeof(szFile)) &&
                fnReadTextFile(szFile, lpText->szText, sizeof(lpText->szText)))
                lpText->uLines += 12;
        } else {
            break;
        }
    }
    return bAny;
}

/* Show a text section; 1 for OK or nothing shown, 0 for a confirmed Cancel. */
static int fnRunTextSection(HWND hWnd, char *lpszSection, const char *lpszName)
{
    TextPromptStruct *lpText = new TextPromptStruct;
    int nResult = 1;
    if (fnReadTextRecord(lpszSection, lpText)) {
        for (;;) {
            int nButton = fnShowTextPrompt(hWnd, lpText);
            if (nButton == IDOK)
                break;
            /* Cancel leaves the installation: confirmed first.  A dialog
               that failed counts as a Cancel the user could not confirm. */
            if (nButton == -1 || fnConfirmExit()) {
                nResult = 0;
                break;
            }
        }
        fnDebugTrace(lpszName, "Result %d", nResult);
    }
    delete lpText;
    return nResult;
}

int fnReadSignon(HWND hWnd, char *lpszText)
{
    char *p = fnLocateSection(lpszText, "[Signon]");
    if (!p)
        return 1;
    return fnRunTextSection(hWnd, p, "fnReadSignon");
}

int fnInfInfo(HWND hWnd, char *lpszText)
{
    return fnRunTextSection(hWnd, lpszText, "fnInfInfo");
}
