/* Command file: the [START] section that carries start-up settings from
 * one run to the next. */
#include "startup.h"
#include "../shell/shell.h"
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
