/* Command file: the [START] section that carries start-up settings from
 * one run to the next. */
#include "startup.h"
#include "../shell/shell.h"
#include "../script/reader.h"
#include "../script/macro.h"
#include "../script/handlers.h"
#include <string.h>
#include <stdlib.h>

static const char s_szStart[] = "START";

static BOOL fnIsTrueValue(const char *lpszValue)
{
    if (fnStrCmpI(lpszValue, "TRUE") == 0)
        return TRUE;
    char *lpszEnd = NULL;
    long n = strtol(lpszValue, &lpszEnd, 10);
    return lpszEnd != lpszValue && n != 0;
}

static void fnReadKey(const char *lpszFile, const char *lpszKey, char *lpszOut, DWORD cchOut)
{
    GetPrivateProfileStringA(s_szStart, lpszKey, "", lpszOut, cchOut, lpszFile);
}

BOOL fnReadCmdFile(const char *lpszFile, CmdLineStruct *lpCmd)
{
    if (!lpszFile || !*lpszFile)
        return FALSE;
    char szFlag[KSTL8_SHORT];
    fnReadKey(lpszFile, "TEMPEXEC", szFlag, sizeof(szFlag));
    lpCmd->bTempExec = fnIsTrueValue(szFlag);
    fnReadKey(lpszFile, "BEQUIET", szFlag, sizeof(szFlag));
    lpCmd->bBeQuiet = fnIsTrueValue(szFlag);
    fnReadKey(lpszFile, "DESTDIR", lpCmd->szDestDir, sizeof(lpCmd->szDestDir));
    fnReadKey(lpszFile, "SOURCEDIR", lpCmd->szSourceDir, sizeof(lpCmd->szSourceDir));
    fnReadKey(lpszFile, "ASKFOR", lpCmd->szAskFor, sizeof(lpCmd->szAskFor));
    fnReadKey(lpszFile, "INIFILE", lpCmd->szIniFile, sizeof(lpCmd->szIniFile));
    fnReadKey(lpszFile, "CMDFILE", lpCmd->szCmdFile, sizeof(lpCmd->szCmdFile));
    fnReadKey(lpszFile, "STARTUPMSG", lpCmd->szStartupMsg, sizeof(lpCmd->szStartupMsg));
    lpCmd->bStartupMsg = lpCmd->szStartupMsg[0] != '\0';
    return TRUE;
}

static void fnWriteKey(const char *lpszFile, const char *lpszKey, const char *lpszValue)
{
    if (lpszValue && *lpszValue)
        WritePrivateProfileStringA(s_szStart, lpszKey, lpszValue, lpszFile);
}

BOOL fnWriteCmdFile(const char *lpszFile, const CmdLineStruct *lpCmd)
{
    if (!lpszFile || !*lpszFile)
        return FALSE;
    if (lpCmd->bTempExec)
        fnWriteKey(lpszFile, "TEMPEXEC", "TRUE");
    if (lpCmd->bBeQuiet)
        fnWriteKey(lpszFile, "BEQUIET", "TRUE");
    fnWriteKey(lpszFile, "DESTDIR", lpCmd->szDestDir);
    fnWriteKey(lpszFile, "SOURCEDIR", lpCmd->szSourceDir);
    fnWriteKey(lpszFile, "ASKFOR", lpCmd->szAskFor);
    fnWriteKey(lpszFile, "INIFILE", lpCmd->szIniFile);
    fnWriteKey(lpszFile, "CMDFILE", lpCmd->szCmdFile);
    fnWriteKey(lpszFile, "STARTUPMSG", lpCmd->szStartupMsg);
    WritePrivateProfileStringA(NULL, NULL, NULL, lpszFile);   /* flush */
    return TRUE;
}

static BOOL fnIsTrueWord(const char *lpszValue)
{
    return fnStrCmpI(lpszValue, "TRUE") == 0 || strcmp(lpszValue, "1") == 0;
}

/* What a [WriteCmdFile] section asks for, beyond the record itself. */
struct CmdFileSectionStruct {
    CmdLineStruct cmd;
    char szWriteFile[KSTL8_PATH];
    BOOL bDontDelete;
};

/* One key of [WriteCmdFile]; FALSE for a key it does not know. */
static BOOL fnCmdFileKey(CmdFileSectionStruct *lpSect, const char *lpszKey, const char *lpszValue)
{
    struct TextKeyStruct { const char *lpszKey; char *lpszField; size_t cchMax; };
    CmdLineStruct *lpCmd = &lpSect->cmd;
    /* Paths are cut to 258 characters and texts to 126, as the file keeps them. */
    const TextKeyStruct aText[] = {
        { "DestDir", lpCmd->szDestDir, 259 },   { "SourceDir", lpCmd->szSourceDir, 259 },
        { "IniFile", lpCmd->szIniFile, 259 },   { "CmdFile", lpCmd->szCmdFile, 259 },
        { "AskFor", lpCmd->szAskFor, 127 },     { "StartupMsg", lpCmd->szStartupMsg, 127 },
        { "WriteFile", lpSect->szWriteFile, 259 },
    };
    for (size_t i = 0; i < sizeof(aText) / sizeof(aText[0]); i++)
        if (fnStrCmpI(lpszKey, aText[i].lpszKey) == 0) {
            if (!fnStrCopyN(aText[i].lpszField, aText[i].cchMax, lpszValue))
                fnDebugTrace("fnInfWriteCmdFile", "%s cut to %u characters", lpszKey,
                             (UINT)(aText[i].cchMax - 1));
            return TRUE;
        }
    if (fnStrCmpI(lpszKey, "BeQuiet") == 0)
        lpCmd->bBeQuiet = fnIsTrueWord(lpszValue);
    else if (fnStrCmpI(lpszKey, "NoPrompts") == 0)
        lpCmd->bNoPrompts = fnIsTrueWord(lpszValue);
    else if (fnStrCmpI(lpszKey, "TempExec") == 0)
        lpCmd->bTempExec = fnIsTrueWord(lpszValue);
    else if (fnStrCmpI(lpszKey, "DontDelete") == 0)
        lpSect->bDontDelete = fnIsTrueWord(lpszValue);
    else
        return FALSE;
    return TRUE;
}

int fnInfWriteCmdFile(HWND hWnd, char *lpszText)
{
    (void)hWnd;
    fnDebugTrace("fnInfWriteCmdFile", "Begin");
    CmdFileSectionStruct sect;
    memset(&sect, 0, sizeof(sect));
    char szLine[KSTL8_LINE];
    char *p = lpszText;
    while ((p = fnGetSectionLine(p, szLine, sizeof(szLine))) != NULL) {
        if (fnTestLineCondition(szLine, sizeof(szLine)) == COND_FAILS)
            continue;
        char szKey[KSTL8_SHORT];
        char szValue[KSTL8_PATH];
        if (!fnGetParam(szLine, 0, szKey, sizeof(szKey)))
            return 0;
        fnGetParam(szLine, 1, szValue, sizeof(szValue));
        fnExpandOpts(szValue, sizeof(szValue));
        if (!fnCmdFileKey(&sect, szKey, szValue))
            break;
    }
    if (!sect.szWriteFile[0])
        return 1;
    if (!sect.bDontDelete)
        DeleteFileA(sect.szWriteFile);
    fnDebugTrace("fnInfWriteCmdFile", "szWriteFile=%s,\nbDontDelete=%d", sect.szWriteFile,
                 sect.bDontDelete);
    fnWriteCmdFile(sect.szWriteFile, &sect.cmd);
    return 1;
}
