/* [SetEnvironment]: each line sets, extends or removes one environment
 * variable in the registry (the user's or the system environment) and,
 * when asked, in C:\AUTOEXEC.BAT.  Registry values are read whole, in a
 * block sized by the query, so a long PATH is edited, never cut. */
#include "environment.h"
#include "config.h"
#include "cfgint.h"
#include "../registry/registry.h"
#include "../install/install.h"
#include "../script/macro.h"
#include "../script/reader.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../resources/strings.h"
#include <stdlib.h>
#include <string.h>

char g_szAutoExecFile[260] = "C:\\AUTOEXEC.BAT";

static const char s_szUserEnvKey[] = "Environment";
static const char s_szSystemEnvKey[] =
    "System\\CurrentControlSet\\Control\\Session Manager\\Environment";

/* Abort-if-hung keeps a stuck window from holding the run. */
#define ENV_BROADCAST_MS 5000

/* The action letter, N for anything not listed. */
static char fnEnvAction(const char *lpszAction)
{
    char c = fnUpperChar(lpszAction ? lpszAction[0] : 'N');
    return strchr("NRSDBE", c) && c ? c : 'N';
}

/* The placement letter in AUTOEXEC.BAT (the action's second letter), or 0. */
static char fnEnvPlacement(const char *lpszAction)
{
    if (!lpszAction || !lpszAction[0])
        return '\0';
    char c = fnUpperChar(lpszAction[1]);
    return c && strchr("ABET", c) ? c : '\0';
}

/* ---- the list edit ---- */

/* Append cch characters of lpsz to the block at *lpuLen (room was sized
   by the caller). */
static void fnPut(char *lpszOut, size_t *lpuLen, const char *lpsz, size_t cch)
{
    memcpy(lpszOut + *lpuLen, lpsz, cch);
    *lpuLen += cch;
    lpszOut[*lpuLen] = '\0';
}

char *fnEditEnvList(const char *lpszList, const char *lpszEntry, char cAction, BOOL *lpbChanged)
{
    *lpbChanged = FALSE;
    size_t cchList = strlen(lpszList);
    size_t cchEntry = strlen(lpszEntry);
    /* List and entry each with a ";" of their own, and a terminator. */
    size_t cbOut = cchList + cchEntry + 4;
    char *lpszOut = (char *)malloc(cbOut);
    char *lpszWork = (char *)malloc(cbOut);
    char *lpszKey = (char *)malloc(cchEntry + 2);
    if (!lpszOut || !lpszWork || !lpszKey) {
        free(lpszOut);
        free(lpszWork);
        free(lpszKey);
        return NULL;
    }
    memcpy(lpszWork, lpszList, cchList + 1);
    if (cchList && lpszList[cchList - 1] != ';')
        memcpy(lpszWork + cchList++, ";", 2);
    memcpy(lpszKey, lpszEntry, cchEntry + 1);
    if (cchEntry && lpszEntry[cchEntry - 1] != ';')
        memcpy(lpszKey + cchEntry++, ";", 2);
    size_t uStart = 0, uEnd = 0, uLen = 0;
    BOOL bFound = fnFindListEntry(lpszWork, lpszKey, &uStart, &uEnd);
    lpszOut[0] = '\0';
    BOOL bKeep = !cchEntry || !cAction ||
                 (bFound ? !strchr("DEB", cAction) : strchr("RD", cAction) != NULL);
    if (bKeep) {
        fnPut(lpszOut, &uLen, lpszList, strlen(lpszList));
    } else {
        /* The list without the entry, then the entry at its new place. */
        const char *lpszRest = lpszWork;
        size_t cchRest = cchList;
        if (bFound) {
            /* A moved entry keeps the list's own spelling. */
            memcpy(lpszKey, lpszWork + uStart, uEnd - uStart);
            memmove(lpszWork + uStart, lpszWork + uEnd, cchList - uEnd + 1);
            cchRest = cchList - (uEnd - uStart);
        }
        BOOL bAtEnd = bFound ? cAction == 'E' : (cAction == 'E' || cAction == 'N');
        if (bFound && cAction == 'D') {
            fnPut(lpszOut, &uLen, lpszRest, cchRest);
        } else if (bAtEnd) {
            fnPut(lpszOut, &uLen, lpszRest, cchRest);
            fnPut(lpszOut, &uLen, lpszKey, cchEntry);
        } else {
            fnPut(lpszOut, &uLen, lpszKey, cchEntry);
            fnPut(lpszOut, &uLen, lpszRest, cchRest);
        }
        if (uLen && lpszOut[uLen - 1] == ';')
            lpszOut[--uLen] = '\0';
        *lpbChanged = strcmp(lpszOut, lpszList) != 0;
    }
    free(lpszWork);
    free(lpszKey);
    return lpszOut;
}

/* ---- the registry ---- */

/* The raw text of an environment value in a block of its own (free with
   free()), read whole: ERROR_SUCCESS, ERROR_FILE_NOT_FOUND when the key
   or the value is missing, or the error that stopped the read. */
static LONG fnReadEnvValue(HKEY hRoot, const char *lpszSubKey, const char *lpszName,
                           char **lplpszValue, DWORD *lpdwType)
{
    *lplpszValue = NULL;
    HKEY hKey;
    LONG lErr = RegOpenKeyExA(hRoot, lpszSubKey, 0, KEY_QUERY_VALUE, &hKey);
    if (lErr != ERROR_SUCCESS)
        return lErr == ERROR_PATH_NOT_FOUND ? ERROR_FILE_NOT_FOUND : lErr;
    DWORD cbData = 0;
    char *lpData = NULL;
    /* The value may grow between the size query and the read: ask again. */
    for (int nTry = 0; nTry < 4; nTry++) {
        lErr = RegQueryValueExA(hKey, lpszName, NULL, lpdwType, NULL, &cbData);
        if (lErr != ERROR_SUCCESS)
            break;
        free(lpData);
        lpData = (char *)malloc(cbData + 2);
        if (!lpData) {
            lErr = ERROR_NOT_ENOUGH_MEMORY;
            break;
        }
        DWORD cbRead = cbData;
        lErr = RegQueryValueExA(hKey, lpszName, NULL, lpdwType, (BYTE *)lpData, &cbRead);
        if (lErr == ERROR_SUCCESS) {
            lpData[cbRead] = '\0';
            lpData[cbRead + 1] = '\0';
            break;
        }
        if (lErr != ERROR_MORE_DATA)
            break;
    }
    RegCloseKey(hKey);
    if (lErr == ERROR_SUCCESS && *lpdwType != REG_SZ && *lpdwType != REG_EXPAND_SZ)
        lErr = ERROR_INVALID_DATA;  /* not text: nothing to edit */
    if (lErr != ERROR_SUCCESS) {
        free(lpData);
        return lErr;
    }
    *lplpszValue = lpData;
    return ERROR_SUCCESS;
}

/* Write the text whole with its type; RegSetValueExA takes it at any
   length (the generic writer stops at a script line). */
static BOOL fnWriteEnvValue(HKEY hRoot, const char *lpszSubKey, const char *lpszName,
                            const char *lpszValue, DWORD dwType)
{
    HKEY hKey;
    LONG lErr = RegCreateKeyExA(hRoot, lpszSubKey, 0, NULL, REG_OPTION_NON_VOLATILE,
                                KEY_SET_VALUE, NULL, &hKey, NULL);
    if (lErr == ERROR_SUCCESS) {
        lErr = RegSetValueExA(hKey, lpszName, 0, dwType, (const BYTE *)lpszValue,
                              (DWORD)strlen(lpszValue) + 1);
        RegCloseKey(hKey);
    }
    fnDebugTrace("fnSetRegEnvironment", "lpszSubKey=%s,\nlpszKey=%s,\ndwType=%lu,\ncch=%u,\nlErr=%ld",
                 lpszSubKey, lpszName, (unsigned long)dwType, (UINT)strlen(lpszValue), (long)lErr);
    return lErr == ERROR_SUCCESS;
}

/* An environment value as the process sees it (references expanded), in
   a new block; NULL when it is missing or cannot be read. */
static char *fnReadExpandedEnv(HKEY hRoot, const char *lpszSubKey, const char *lpszName)
{
    char *lpszRaw;
    DWORD dwType = REG_SZ;
    if (fnReadEnvValue(hRoot, lpszSubKey, lpszName, &lpszRaw, &dwType) != ERROR_SUCCESS)
        return NULL;
    if (dwType != REG_EXPAND_SZ)
        return lpszRaw;
    DWORD cch = ExpandEnvironmentStringsA(lpszRaw, NULL, 0);
    char *lpszOut = cch ? (char *)malloc(cch + 1) : NULL;
    if (lpszOut && ExpandEnvironmentStringsA(lpszRaw, lpszOut, cch + 1) > cch + 1) {
        free(lpszOut);
        lpszOut = NULL;
    }
    free(lpszRaw);
    return lpszOut;
}

/* The process's own variable, read whole; "" when it is not set. */
static char *fnGetProcessEnv(const char *lpszName)
{
    DWORD cch = GetEnvironmentVariableA(lpszName, NULL, 0);
    char *lpsz = (char *)malloc(cch + 1);
    if (!lpsz)
        return NULL;
    lpsz[0] = '\0';
    if (cch && GetEnvironmentVariableA(lpszName, lpsz, cch + 1) > cch)
        lpsz[0] = '\0';
    return lpsz;
}

/* Give the running process the effective value after a change: a list
   entry is added to or removed from the process's own list (which joins
   the system and the user value); a single value is the user's, else the
   system's, else the variable is removed. */
static BOOL fnSetProcessEnv(const char *lpszKey, const char *lpszEntry, char cAction, BOOL bMulti)
{
    char *lpszValue = NULL;
    if (bMulti) {
        char *lpszCurrent = fnGetProcessEnv(lpszKey);
        BOOL bChanged;
        lpszValue = lpszCurrent ? fnEditEnvList(lpszCurrent, lpszEntry, cAction, &bChanged) : NULL;
        free(lpszCurrent);
        if (!lpszValue)
            return FALSE;
    } else {
        lpszValue = fnReadExpandedEnv(HKEY_CURRENT_USER, s_szUserEnvKey, lpszKey);
        if (!lpszValue)
            lpszValue = fnReadExpandedEnv(HKEY_LOCAL_MACHINE, s_szSystemEnvKey, lpszKey);
    }
    BOOL bOk = SetEnvironmentVariableA(lpszKey, lpszValue && lpszValue[0] ? lpszValue : NULL);
    /* Removing a variable the process does not have is no failure. */
    if (!bOk && !(lpszValue && lpszValue[0]) && GetLastError() == ERROR_ENVVAR_NOT_FOUND)
        bOk = TRUE;
    fnDebugTrace("fnSetRegEnvironment", "SetEnvironmentVariable %s=%.200s, result %d", lpszKey,
                 lpszValue ? lpszValue : "", bOk);
    free(lpszValue);
    return bOk;
}

static void fnBroadcastEnvironment(void)
{
    DWORD_PTR dwResult = 0;
    LRESULT lr = SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, (LPARAM) "Environment",
                                     SMTO_ABORTIFHUNG, ENV_BROADCAST_MS, &dwResult);
    fnDebugTrace("fnSetRegEnvironment", "WM_SETTINGCHANGE Environment, result %ld", (long)lr);
}

/* The new raw value for an existing variable; NULL on no memory, with
   *lpbChanged FALSE when the value stays as it is. */
static char *fnNewEnvValue(const char *lpszCurrent, const char *lpszValue, char cAction,
                           BOOL bMulti, BOOL *lpbChanged)
{
    if (bMulti)
        return fnEditEnvList(lpszCurrent, lpszValue, cAction, lpbChanged);
    const char *lpszNew = cAction == 'S' ? lpszCurrent : cAction == 'D' ? "" : lpszValue;
    char *lpszOut = (char *)malloc(strlen(lpszNew) + 1);
    if (lpszOut)
        memcpy(lpszOut, lpszNew, strlen(lpszNew) + 1);
    *lpbChanged = strcmp(lpszNew, lpszCurrent) != 0;
    return lpszOut;
}

BOOL fnSetRegEnvironment(const char *lpszKey, const char *lpszValue, const char *lpszAction,
                         BOOL bMulti, BOOL bUser)
{
    char cAction = fnEnvAction(lpszAction);
    HKEY hRoot = bUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    const char *lpszSubKey = bUser ? s_szUserEnvKey : s_szSystemEnvKey;
    fnDebugTrace("fnSetRegEnvironment", "lpszKey=%s,\nlpszValue=%.200s,\npszAction=%c,\nbMulti=%d,\nbUser=%d",
                 lpszKey, lpszValue, cAction, bMulti, bUser);
    /* An empty value sets nothing; only action D on a single value may
       remove a variable. */
    if (!lpszKey[0] || (!lpszValue[0] && (bMulti || cAction != 'D'))) {
        fnDebugTrace("fnSetRegEnvironment", "Empty name or value: nothing changed");
        return FALSE;
    }
    char *lpszCurrent = NULL;
    DWORD dwType = REG_SZ;
    LONG lErr = fnReadEnvValue(hRoot, lpszSubKey, lpszKey, &lpszCurrent, &dwType);
    char *lpszNew = NULL;
    BOOL bChanged = TRUE;
    if (lErr == ERROR_FILE_NOT_FOUND) {
        /* Removing or replacing what is not there does nothing. */
        if (cAction == 'D' || cAction == 'R') {
            fnDebugTrace("fnSetRegEnvironment", "%s is not set: nothing to do", lpszKey);
            return TRUE;
        }
        dwType = REG_SZ;
        lpszNew = (char *)malloc(strlen(lpszValue) + 1);
        if (lpszNew)
            memcpy(lpszNew, lpszValue, strlen(lpszValue) + 1);
    } else if (lErr != ERROR_SUCCESS) {
        /* Anything but "not there" fails the line: a value that cannot be
           read is never replaced by one entry. */
        fnDebugTrace("fnSetRegEnvironment", "%s cannot be read, error %ld", lpszKey, (long)lErr);
        return FALSE;
    } else {
        lpszNew = fnNewEnvValue(lpszCurrent, lpszValue, cAction, bMulti, &bChanged);
    }
    free(lpszCurrent);
    if (!lpszNew)
        return FALSE;
    BOOL bOk = TRUE;
    if (!bChanged) {
        fnDebugTrace("fnSetRegEnvironment", "%s stays as it is", lpszKey);
    } else if (!lpszNew[0]) {
        bOk = cAction == 'D' && fnRegDeleteValue(hRoot, lpszSubKey, lpszKey);
    } else {
        bOk = fnWriteEnvValue(hRoot, lpszSubKey, lpszKey, lpszNew, dwType);
    }
    free(lpszNew);
    if (bOk && bChanged && fnSetProcessEnv(lpszKey, lpszValue, cAction, bMulti))
        fnBroadcastEnvironment();
    fnDebugTrace("fnSetRegEnvironment", "result %d", bOk);
    return bOk;
}

/* ---- AUTOEXEC.BAT ---- */

/* A "go on?" question for an AUTOEXEC.BAT failure: TRUE on Yes (the
   answer of a quiet run); with bQuiet nothing is asked and it fails. */
static BOOL fnAutoExecGoOn(BOOL bQuiet, UINT uId, const char *lpszArg)
{
    if (bQuiet)
        return FALSE;
    return fnMessageBoxQ(IDYES, uId, NULL, MB_YESNO | MB_ICONQUESTION, lpszArg) == IDYES;
}

/* The finished copy over the file: beside it first, then renamed over
   it, so a full disk leaves the file whole. */
static BOOL fnCopyBackAutoExec(const char *lpszTemp, const char *lpszFile)
{
    char szDir[KSTL8_PATH];
    char szSide[KSTL8_PATH];
    if (!fnGetDirPart(lpszFile, szDir, sizeof(szDir)) || !szDir[0] ||
        !fnGetTempFileName(szDir, "_", szSide, sizeof(szSide)))
        return CopyFileA(lpszTemp, lpszFile, FALSE);
    BOOL bOk = CopyFileA(lpszTemp, szSide, FALSE) &&
               MoveFileExA(szSide, lpszFile, MOVEFILE_REPLACE_EXISTING);
    if (!bOk)
        DeleteFileA(szSide);
    return bOk;
}

static BOOL fnCanWrite(const char *lpszFile)
{
    HANDLE hFile = CreateFileA(lpszFile, GENERIC_WRITE, 0, NULL, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    CloseHandle(hFile);
    return TRUE;
}

static void fnClearReadOnly(const char *lpszFile)
{
    DWORD dwAttrib = GetFileAttributesA(lpszFile);
    if (dwAttrib != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesA(lpszFile, dwAttrib & ~FILE_ATTRIBUTE_READONLY);
}

/* Put the edited copy in place (steps: writable test with 1147, copy,
   1146 on failure).  TRUE on success or when the user goes on. */
static BOOL fnPutAutoExec(const char *lpszTemp, const char *lpszFile, BOOL bQuiet)
{
    if (!fnCanWrite(lpszFile)) {
        fnDebugTrace("fnSetAutoExecEnvironment", "%s not writable, error %lu", lpszFile,
                     (unsigned long)GetLastError());
        if (bQuiet || g_bQuiet) {
            /* Quiet: the attribute is cleared for a later run, the line fails. */
            fnClearReadOnly(lpszFile);
            return FALSE;
        }
        int nAnswer = fnMessageBoxQ(IDABORT, IDS_CFGWRITEPROTECTED, NULL,
                                    MB_ABORTRETRYIGNORE | MB_ICONEXCLAMATION, lpszFile);
        if (nAnswer == IDIGNORE)
            return TRUE;
        if (nAnswer != IDRETRY)
            return FALSE;
        /* Retry clears the attribute and tries the copy once more. */
        fnClearReadOnly(lpszFile);
    }
    if (fnCopyBackAutoExec(lpszTemp, lpszFile))
        return TRUE;
    fnDebugTrace("fnSetAutoExecEnvironment", "Copy back to %s failed, error %lu", lpszFile,
                 (unsigned long)GetLastError());
    return fnAutoExecGoOn(bQuiet, IDS_CFGWRITEERR, lpszFile);
}

/* The edit itself into lpszTemp: PATH lines for PATH, a set line else. */
static BOOL fnEditAutoExec(const char *lpszFile, const char *lpszTemp, const char *lpszKey,
                           const char *lpszValue, const char *lpszAction)
{
    char cAction = fnEnvAction(lpszAction);
    char cPlace = fnEnvPlacement(lpszAction);
    char szOption[2] = { cPlace, '\0' };
    if (fnStrCmpI(lpszKey, "PATH") == 0) {
        if (!cPlace)
            szOption[0] = 'E';
        return fnEditPath(lpszFile, lpszTemp, "PATH ", lpszValue, lpszValue, cAction, szOption);
    }
    char szSetKey[KSTL8_LINE];
    char szSetLine[KSTL8_LINE];
    if (!fnStrFormat(szSetKey, "set %s=", lpszKey) ||
        !fnStrFormat(szSetLine, "set %s=%s", lpszKey, lpszValue)) {
        fnDebugTrace("fnSetAutoExecEnvironment", "set line too long for %s", lpszKey);
        return FALSE;
    }
    return fnEditIniLine(lpszFile, lpszTemp, "", szSetKey, szSetLine, "C", cAction, szOption);
}

/* Back up on the section's first line; the file that takes the edits
   (the .MOD copy under NOMOD) goes to lpszTarget.  FALSE on a failed
   backup or when NOMOD left no copy. */
static BOOL fnPrepareAutoExec(HWND hWnd, AutoExecStateStruct *lpState, const char *lpszFile,
                              const char *lpszDir, char *lpszTarget, size_t cchTarget)
{
    BOOL bNoMod = g_uBackUpMethod == BACKUP_NOMOD;
    if (lpState->bFirstLine) {
        lpState->bFirstLine = FALSE;
        lpState->szModCopy[0] = '\0';
        char szCopy[KSTL8_PATH] = "";
        /* Under NOMOD a missing file gets an empty .MOD copy: the file
           itself is never written. */
        if ((fnFileExists(lpszFile) || bNoMod) &&
            !fnBackupConfigFile(hWnd, lpszFile, fnGetFilePart(lpszFile), lpszDir,
                                g_uBackUpMethod, szCopy, sizeof(szCopy)))
            return FALSE;
        if (bNoMod)
            fnStrCopy(lpState->szModCopy, szCopy);
    }
    if (bNoMod && !lpState->szModCopy[0]) {
        fnDebugTrace("fnSetAutoExecEnvironment", "NOMOD without a copy of %s", lpszFile);
        return FALSE;
    }
    return fnStrCopyN(lpszTarget, cchTarget, bNoMod ? lpState->szModCopy : lpszFile);
}

BOOL fnSetAutoExecEnvironment(HWND hWnd, const char *lpszKey, const char *lpszValue,
                              const char *lpszAction, BOOL bQuiet, AutoExecStateStruct *lpState)
{
    const char *lpszFile = g_szAutoExecFile;
    char szDir[KSTL8_PATH];
    fnDebugTrace("fnSetAutoExecEnvironment", "lpszFile=%s,\nlpszKey=%s,\nlpszValue=%.200s,\n"
                 "lpszAction=%s,\nbFirstLine=%d",
                 lpszFile, lpszKey, lpszValue, lpszAction, lpState->bFirstLine);
    if (!fnGetDirPart(lpszFile, szDir, sizeof(szDir)) || !szDir[0] || !fnDirExists(szDir))
        return !bQuiet && fnMessageBoxQ(IDYES, IDS_CFGDIRFAIL, NULL, MB_YESNO | MB_ICONQUESTION,
                                        szDir) == IDYES;
    char szTarget[KSTL8_PATH] = "";
    DWORD dwAttrib = INVALID_FILE_ATTRIBUTES;
    if (!fnPrepareAutoExec(hWnd, lpState, lpszFile, szDir, szTarget, sizeof(szTarget)) ||
        (!fnFileExists(szTarget) && !fnCreateEmptyFile(szTarget)) ||
        !fnEnableWriteToFile(szTarget, &dwAttrib))
        return fnAutoExecGoOn(bQuiet, IDS_CFGPROCESSERR, szTarget[0] ? szTarget : lpszFile);
    char szTemp[KSTL8_PATH];
    BOOL bOk;
    if (!fnGetTempFile("_", szTemp, sizeof(szTemp), NULL, 0)) {
        szTemp[0] = '\0';
        bOk = fnAutoExecGoOn(bQuiet, IDS_CFGWRITEERR, szTarget);
    } else if (!fnEditAutoExec(szTarget, szTemp, lpszKey, lpszValue, lpszAction)) {
        /* A failed edit leaves the file as it was. */
        bOk = fnAutoExecGoOn(bQuiet, IDS_CFGWRITEERR, szTarget);
    } else {
        bOk = fnPutAutoExec(szTemp, szTarget, bQuiet);
    }
    if (szTemp[0])
        DeleteFileA(szTemp);
    if (dwAttrib != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesA(szTarget, dwAttrib);
    fnDebugTrace("fnSetAutoExecEnvironment", "result %d", bOk);
    return bOk;
}

/* ---- the section ---- */

/* One line's fields, read and expanded. */
struct EnvLineStruct {
    char szKey[KSTL8_LINE];
    char szValue[KSTL8_LINE];
    char szAction[3];
    BOOL bMulti, bQuiet, bReg, bUser, bAuto;
    BOOL bUsable;               /* name and value can be used as they are */
};

#define LINE_NEXT  1
#define LINE_STOP  0

/* A switch: Y or N as the first letter, anything else the default. */
static BOOL fnEnvSwitch(const char *lpszLine, UINT n, BOOL bDefault)
{
    char sz[KSTL8_LINE];
    fnGetParam(lpszLine, n, sz, sizeof(sz));
    char c = fnUpperChar(sz[0]);
    return c == 'Y' ? TRUE : c == 'N' ? FALSE : bDefault;
}

static void fnBadEnvParam(const char *lpszLine, UINT n)
{
    fnDebugTrace("fnReadSetEnvironment", "Parameter %u missing:\n%.200s", n, lpszLine);
    if (!g_bQuiet)
        fnMessageBox(IDS_BADPARAM, NULL, MB_OK | MB_ICONSTOP, n, lpszLine);
}

/* Read the fields from parameter uFirst on; FALSE when the name is
   missing (the section fails). */
static BOOL fnReadEnvLine(const char *lpszLine, UINT uFirst, EnvLineStruct *lpL)
{
    if (!fnGetParam(lpszLine, uFirst, lpL->szKey, sizeof(lpL->szKey)) || !lpL->szKey[0]) {
        fnBadEnvParam(lpszLine, uFirst);
        return FALSE;
    }
    lpL->bUsable = TRUE;
    if (!fnGetParam(lpszLine, uFirst + 1, lpL->szValue, sizeof(lpL->szValue))) {
        /* Reported, then the line goes on with an empty value, which sets nothing. */
        fnBadEnvParam(lpszLine, uFirst + 1);
        lpL->bUsable = FALSE;
    }
    char szAction[KSTL8_LINE];
    fnGetParam(lpszLine, uFirst + 2, szAction, sizeof(szAction));
    lpL->szAction[0] = fnEnvAction(szAction);
    lpL->szAction[1] = fnEnvPlacement(szAction);
    lpL->szAction[2] = '\0';
    lpL->bMulti = fnEnvSwitch(lpszLine, uFirst + 3, FALSE);
    lpL->bQuiet = fnEnvSwitch(lpszLine, uFirst + 4, FALSE);
    lpL->bReg = fnEnvSwitch(lpszLine, uFirst + 5, TRUE);
    lpL->bUser = fnEnvSwitch(lpszLine, uFirst + 6, TRUE);
    lpL->bAuto = fnEnvSwitch(lpszLine, uFirst + 7, FALSE);
    /* A macro that gave nothing, or a cut expansion, changes nothing: it
       must not remove a variable or join two entries. */
    if (fnExpandOpts(lpL->szKey, sizeof(lpL->szKey)) == MACRO_EMPTY || !lpL->szKey[0])
        lpL->bUsable = FALSE;
    if (lpL->szValue[0] && fnExpandOpts(lpL->szValue, sizeof(lpL->szValue)) == MACRO_EMPTY)
        lpL->bUsable = FALSE;
    return TRUE;
}

static int fnAskEnvGoOn(const EnvLineStruct *lpL, UINT uId)
{
    if (lpL->bQuiet)
        return LINE_NEXT;
    return fnMessageBoxQ(IDYES, uId, NULL, MB_YESNO | MB_ICONQUESTION, lpL->szKey) == IDYES
               ? LINE_NEXT : LINE_STOP;
}

static int fnDoEnvLine(HWND hWnd, AutoExecStateStruct *lpState, char *lpszLine)
{
    char szTest[KSTL8_LINE];
    UINT uFirst = 1;
    if (fnGetParam(lpszLine, 0, szTest, sizeof(szTest))) {
        char szExpected[KSTL8_LINE];
        if (!fnGetParamMsg(lpszLine, 1, szExpected, sizeof(szExpected)))
            return LINE_STOP;
        if (fnCompareValues(szTest, szExpected) == COND_FAILS) {
            fnDebugTrace("fnReadSetEnvironment", "Condition fails:\n%.200s", lpszLine);
            return LINE_NEXT;
        }
        uFirst = 2;
    }
    EnvLineStruct line;
    EnvLineStruct *lpL = &line;
    memset(lpL, 0, sizeof(*lpL));
    if (!fnReadEnvLine(lpszLine, uFirst, lpL))
        return LINE_STOP;
    fnLogWrite(TRUE, "%s, %s, %s, %d, %d, %d, %d, %d", lpL->szKey, lpL->szValue, lpL->szAction,
               lpL->bMulti ? 1 : 0, lpL->bQuiet ? 1 : 0, lpL->bReg ? 1 : 0, lpL->bUser ? 1 : 0,
               lpL->bAuto ? 1 : 0);
    if (!lpL->bUsable)
        fnDebugTrace("fnReadSetEnvironment", "Name or value unusable: nothing changed:\n%.200s",
                     lpszLine);
    if (lpL->bReg &&
        !(lpL->bUsable && fnSetRegEnvironment(lpL->szKey, lpL->szValue, lpL->szAction,
                                              lpL->bMulti, lpL->bUser)) &&
        fnAskEnvGoOn(lpL, IDS_ENVREGFAIL) == LINE_STOP)
        return LINE_STOP;
    if (lpL->bAuto &&
        !(lpL->bUsable && fnSetAutoExecEnvironment(hWnd, lpL->szKey, lpL->szValue,
                                                   lpL->szAction, lpL->bQuiet, lpState)) &&
        fnAskEnvGoOn(lpL, IDS_ENVAUTOEXECFAIL) == LINE_STOP)
        return LINE_STOP;
    return LINE_NEXT;
}

BOOL fnReadSetEnvironment(HWND hWnd, char *lpszFirstLine)
{
    AutoExecStateStruct state;
    memset(&state, 0, sizeof(state));
    state.bFirstLine = TRUE;
    char szLine[KSTL8_LINE];
    char *p = lpszFirstLine;
    while ((p = fnGetSectionLine(p, szLine, sizeof(szLine))) != NULL)
        if (fnDoEnvLine(hWnd, &state, szLine) == LINE_STOP) {
            fnDebugTrace("fnReadSetEnvironment", "Section stopped at:\n%.200s", szLine);
            return FALSE;
        }
    return TRUE;
}

int fnInfSetEnvironment(HWND hWnd, char *lpszText)
{
    fnDebugTrace("fnInfSetEnvironment", "Section text:\n%.200s", lpszText ? lpszText : "");
    if (!lpszText || !*lpszText)
        return 1;
    return fnReadSetEnvironment(hWnd, lpszText) ? 1 : 0;
}
