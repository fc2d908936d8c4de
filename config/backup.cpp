/* Backups of configuration files before their first change in a run.
 * Each file is backed up at most once per run, so a later edit never
 * replaces the copy of the original with an already edited file. */
#include "config.h"
#include "../install/install.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../resources/strings.h"
#include <string.h>

#define CFG_BACKUP_MAX 128

/* The files of this run that were backed up (or had nothing to back up),
   with the path of their copy ("" for none). */
struct ConfigBackupStruct {
    char szFile[KSTL8_PATH];
    char szCopy[KSTL8_PATH];
};

ConfigBackupStruct g_aConfigBackups[CFG_BACKUP_MAX];
UINT g_uConfigBackups;

void fnResetConfigBackups(void)
{
    memset(g_aConfigBackups, 0, sizeof(g_aConfigBackups));
    g_uConfigBackups = 0;
}

static const ConfigBackupStruct *fnFindBackupOf(const char *lpszFile)
{
    for (UINT i = 0; i < g_uConfigBackups; i++)
        if (fnStrCmpI(g_aConfigBackups[i].szFile, lpszFile) == 0)
            return &g_aConfigBackups[i];
    return NULL;
}

static BOOL fnIsCopyOfThisRun(const char *lpszCopy)
{
    for (UINT i = 0; i < g_uConfigBackups; i++)
        if (fnStrCmpI(g_aConfigBackups[i].szCopy, lpszCopy) == 0)
            return TRUE;
    return FALSE;
}

static BOOL fnRememberBackup(const char *lpszFile, const char *lpszCopy)
{
    if (g_uConfigBackups >= CFG_BACKUP_MAX)
        return FALSE;
    ConfigBackupStruct *lpB = &g_aConfigBackups[g_uConfigBackups];
    if (!fnStrCopy(lpB->szFile, lpszFile) || !fnStrCopy(lpB->szCopy, lpszCopy))
        return FALSE;
    g_uConfigBackups++;
    return TRUE;
}

/* The file name with its extension replaced by lpszExt, in lpszDir. */
static BOOL fnNameWithExt(const char *lpszDir, const char *lpszName, const char *lpszExt,
                          char *lpszOut, size_t cchOut)
{
    char szName[KSTL8_PATH];
    if (!fnStrCopy(szName, lpszName))
        return FALSE;
    char *lpszDot = strrchr(szName, '.');
    if (lpszDot && lpszDot != szName)
        *lpszDot = '\0';
    return fnStrAppend(szName, lpszExt) && fnMakePath(lpszDir, szName, lpszOut, cchOut);
}

/* The copy's directory for TIME, DATE and DATETIME, created; FALSE after
   telling the user why it could not be made. */
static BOOL fnMakeDatedDir(const char *lpszDir, UINT uMethod, char *lpszOut, size_t cchOut)
{
    char szSub[KSTL8_PATH];
    BOOL bOk;
    if (uMethod == BACKUP_TIME)
        bOk = fnStrCopy(szSub, g_szTime);
    else if (uMethod == BACKUP_DATE)
        bOk = fnStrCopy(szSub, g_szDate);
    else
        bOk = fnStrFormat(szSub, "%s\\%s", g_szDate, g_szTime);
    bOk = bOk && fnMakePath(lpszDir, szSub, lpszOut, cchOut);
    if (bOk && fnCreateDirTree(lpszOut))
        return TRUE;
    char szRoot[4] = { lpszDir[0], ':', '\\', '\0' };
    if (lpszDir[0] && lpszDir[1] == ':' && fnGetDriveType(szRoot) == DRIVE_NO_ROOT_DIR)
        fnMessageBox(IDS_DRIVEUNAVAILABLE, NULL, MB_OK | MB_ICONSTOP, szRoot);
    else
        fnMessageBox(IDS_DIRTREEFAIL, NULL, MB_OK | MB_ICONINFORMATION, bOk ? lpszOut : lpszDir);
    return FALSE;
}

/* Where the copy goes by the method; FALSE after a message when the
   section must stop, with lpszCopy empty when no name is free. */
static BOOL fnChooseBackupName(const char *lpszFile, const char *lpszName, const char *lpszDir,
                               UINT uMethod, char *lpszCopy, size_t cchCopy)
{
    lpszCopy[0] = '\0';
    char szDir[KSTL8_PATH];
    switch (uMethod) {
    case BACKUP_UNIQUE:
        fnUniqueFileName(lpszDir, lpszName, lpszCopy, cchCopy);
        return TRUE;
    case BACKUP_TIME:
    case BACKUP_DATE:
    case BACKUP_DATETIME:
        if (!fnMakeDatedDir(lpszDir, uMethod, szDir, sizeof(szDir)))
            return FALSE;
        if (!fnMakePath(szDir, lpszName, lpszCopy, cchCopy))
            lpszCopy[0] = '\0';
        return TRUE;
    default:
        /* PROMPT is never left unresolved at an edit: it backs up as ORIEXT. */
        if (!fnNameWithExt(lpszDir, lpszName, uMethod == BACKUP_NOMOD ? ".MOD" : ".ORI",
                           lpszCopy, cchCopy))
            lpszCopy[0] = '\0';
        break;
    }
    /* A name that another file's copy of this run holds (A.INI and A.BAT
       both give A.ORI), or the file itself, gets a free unique name. */
    if (lpszCopy[0] && (fnIsCopyOfThisRun(lpszCopy) || fnStrCmpI(lpszCopy, lpszFile) == 0))
        fnUniqueFileName(lpszDir, lpszName, lpszCopy, cchCopy);
    return TRUE;
}

/* Copy with the file's time kept; an old copy of an earlier run that is
   read-only is replaced too. */
static BOOL fnCopyConfigFile(const char *lpszFile, const char *lpszCopy, BOOL bExists)
{
    SetFileAttributesA(lpszCopy, FILE_ATTRIBUTE_NORMAL);
    if (bExists)
        return CopyFileA(lpszFile, lpszCopy, FALSE);
    HANDLE hFile = CreateFileA(lpszCopy, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    return CloseHandle(hFile);
}

BOOL fnBackupConfigFile(HWND hWnd, const char *lpszFile, const char *lpszName,
                        const char *lpszDir, UINT uMethod, char *lpszCopy, size_t cchCopy)
{
    (void)hWnd;
    lpszCopy[0] = '\0';
    const ConfigBackupStruct *lpDone = fnFindBackupOf(lpszFile);
    if (lpDone) {
        fnDebugTrace("fnBackupConfigFile", "lpszFile=%s already backed up in this run to %s",
                     lpszFile, lpDone->szCopy);
        return fnStrCopyN(lpszCopy, cchCopy, lpDone->szCopy);
    }
    BOOL bExists = fnFileExists(lpszFile);
    if (!bExists && uMethod != BACKUP_NOMOD) {
        fnDebugTrace("fnBackupConfigFile", "lpszFile=%s does not exist: no backup", lpszFile);
        fnRememberBackup(lpszFile, "");
        return TRUE;
    }
    char szCopy[KSTL8_PATH];
    if (!fnChooseBackupName(lpszFile, lpszName, lpszDir, uMethod, szCopy, sizeof(szCopy)))
        return FALSE;
    BOOL bOk = szCopy[0] && g_uConfigBackups < CFG_BACKUP_MAX &&
               fnCopyConfigFile(lpszFile, szCopy, bExists);
    fnDebugTrace("fnBackupConfigFile", "lpszFile=%s,\nuMethod=%u,\nszBackupFile=%s,\nresult %d",
                 lpszFile, uMethod, szCopy, bOk);
    if (!bOk) {
        /* Going on without a copy is the user's choice; a quiet run stops. */
        if (fnMessageBoxQ(IDNO, IDS_CFGBACKUPFAIL, NULL,
                          MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, lpszFile) != IDYES)
            return FALSE;
        fnRememberBackup(lpszFile, "");
        return TRUE;
    }
    fnRememberBackup(lpszFile, szCopy);
    return fnStrCopyN(lpszCopy, cchCopy, szCopy);
}
