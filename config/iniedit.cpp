/* [IniEdits]: each line names a configuration file and one change,
 * made through the profile functions (type I), as text through a
 * temporary copy, or on the PATH lines of a batch file (type P).  The
 * file is backed up before its first change of the run. */
#include "config.h"
#include "cfgint.h"
#include "../script/handlers.h"
#include "../script/macro.h"
#include "../script/reader.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../install/install.h"
#include "../resources/resource.h"
#include <string.h>

/* One [IniEdits] line, read and expanded. */
struct IniLineStruct {
    char szFile[KSTL8_LINE];
    char szSection[KSTL8_LINE];
    char szKey[KSTL8_LINE];
    char szValue[KSTL8_LINE];
    char szOption[KSTL8_LINE];
    char szType[3];             /* the type letter, and "\" when given */
    char cAction;
    char cType;
    BOOL bExpandEmpty;          /* file, section or key expanded to nothing */
    char szPath[KSTL8_PATH];    /* the file, with a bare name in g_szWinDir */
    char szEditFile[KSTL8_PATH];    /* the file changed: the .MOD copy under NOMOD */
    DWORD dwOldAttrib;          /* INVALID_FILE_ATTRIBUTES: not changed */
};

/* What lives for one section: the file backed up last and its copy. */
struct IniSectionStruct {
    char szLastFile[KSTL8_PATH];
    char szLastCopy[KSTL8_PATH];
};

#define LINE_NEXT  1    /* go on with the next line */
#define LINE_STOP  0    /* the section stops */

/* A "go on?" question: Yes goes on (the quiet answer), anything else stops. */
static int fnAskGoOn(UINT uId, const char *lpszArg)
{
    int nAnswer = lpszArg ? fnMessageBoxQ(IDYES, uId, NULL, MB_YESNO | MB_ICONQUESTION, lpszArg)
                          : fnMessageBoxQ(IDYES, uId, NULL, MB_YESNO | MB_ICONQUESTION);
    return nAnswer == IDYES ? LINE_NEXT : LINE_STOP;
}

static int fnBadIniLine(const char *lpszLine, const char *lpszWhy)
{
    fnDebugTrace("fnReadIniEdits", "Bad line (%s):\n%.200s", lpszWhy, lpszLine);
    return fnAskGoOn(IDS_CFGINVALIDFILE, NULL);
}

/* Expand a field in place.  FALSE when the result would have to be cut
   (the expansion keeps at most MACRO_RESULT_MAX characters) or does not
   fit cchLimit - 1; *lpbEmpty tells that a macro gave nothing. */
static BOOL fnExpandField(char *lpszText, size_t cchText, size_t cchLimit, BOOL *lpbEmpty)
{
    int nResult = fnExpandOpts(lpszText, cchText);
    if (nResult == MACRO_EMPTY) {
        if (strlen(lpszText) >= MACRO_RESULT_MAX)
            return FALSE;
        if (lpbEmpty)
            *lpbEmpty = TRUE;
    }
    return strlen(lpszText) < cchLimit;
}

/* Every "\" becomes "\\"; FALSE when the result does not fit. */
static BOOL fnDoubleBackslashes(char *lpszText, size_t cchText, size_t cchLimit)
{
    char szOut[KSTL8_LINE];
    size_t j = 0;
    for (const char *p = lpszText; *p; p++) {
        if (j + 3 > sizeof(szOut))
            return FALSE;
        szOut[j++] = *p;
        if (*p == '\\')
            szOut[j++] = '\\';
    }
    szOut[j] = '\0';
    return j < cchLimit && fnStrCopyN(lpszText, cchText, szOut);
}

/* Read the fields of an edit line (the condition already taken off).
   Returns NULL when the line is good, else why it is bad. */
static const char *fnReadIniLine(const char *lpszLine, UINT uFirst, IniLineStruct *lpL)
{
    char szAction[KSTL8_LINE];
    char szType[KSTL8_LINE];
    BOOL bHasOption;
    fnGetParam(lpszLine, uFirst + 0, lpL->szFile, sizeof(lpL->szFile));
    fnGetParam(lpszLine, uFirst + 1, lpL->szSection, sizeof(lpL->szSection));
    fnGetParam(lpszLine, uFirst + 2, lpL->szKey, sizeof(lpL->szKey));
    fnGetParam(lpszLine, uFirst + 3, lpL->szValue, sizeof(lpL->szValue));
    fnGetParam(lpszLine, uFirst + 4, szAction, sizeof(szAction));
    fnGetParam(lpszLine, uFirst + 5, szType, sizeof(szType));
    bHasOption = fnGetParam(lpszLine, uFirst + 6, lpL->szOption, sizeof(lpL->szOption));
    lpL->cAction = szAction[0] ? fnUpperChar(szAction[0]) : 'N';
    lpL->cType = szType[0] ? fnUpperChar(szType[0]) : 'I';
    lpL->szType[0] = lpL->cType;
    lpL->szType[1] = szType[0] && szType[1] == '\\' ? '\\' : '\0';
    lpL->szType[2] = '\0';
    lpL->szOption[0] = fnUpperChar(lpL->szOption[0]);
    if (!bHasOption && lpL->cType == 'P')
        fnStrCopy(lpL->szOption, "E");
    if (!lpL->szOption[0] && lpL->cType == 'M')
        fnStrCopy(lpL->szOption, lpL->szValue);
    BOOL bEmpty = FALSE;
    if (!fnExpandField(lpL->szFile, sizeof(lpL->szFile), KSTL8_PATH, &bEmpty))
        return "file too long";
    if (!fnExpandField(lpL->szSection, sizeof(lpL->szSection), CFG_SECTION, &bEmpty))
        return "section too long";
    if (!fnExpandField(lpL->szKey, sizeof(lpL->szKey), CFG_KEY, &bEmpty))
        return "key too long";
    lpL->bExpandEmpty = bEmpty;
    if (!fnExpandField(lpL->szValue, sizeof(lpL->szValue), KSTL8_LINE, NULL))
        return "value too long";
    if (!fnExpandField(lpL->szOption, sizeof(lpL->szOption), KSTL8_LINE, NULL))
        return "option too long";
    if (!lpL->szFile[0])
        return "no file";
    /* Type R replaces unless told to remove or to keep. */
    if (lpL->cType == 'R' && lpL->cAction != 'D' && lpL->cAction != 'S')
        lpL->cAction = 'R';
    /* A macro that gave nothing must not widen a removal or replacement. */
    if (lpL->bExpandEmpty && (lpL->cAction == 'D' || lpL->cAction == 'R'))
        return "empty macro in a removal";
    return NULL;
}

/* A name without a directory is the profile functions' file in the
   Windows directory: the file backed up is then the file edited. */
static BOOL fnResolveIniPath(const char *lpszFile, char *lpszOut, size_t cchOut)
{
    BOOL bAbsolute = (lpszFile[0] && lpszFile[1] == ':') || lpszFile[0] == '\\' ||
                     lpszFile[0] == '/';
    if (bAbsolute)
        return fnStrCopyN(lpszOut, cchOut, lpszFile);
    return fnMakePath(g_szWinDir, lpszFile, lpszOut, cchOut);
}

/* Make a read-only file writable after asking; the old attributes are
   kept for afterwards.  FALSE when it stays read-only. */
static BOOL fnMakeConfigWritable(const char *lpszFile, DWORD *lpdwOldAttrib)
{
    *lpdwOldAttrib = INVALID_FILE_ATTRIBUTES;
    DWORD dwAttrib = GetFileAttributesA(lpszFile);
    if (dwAttrib == INVALID_FILE_ATTRIBUTES)
        return FALSE;
    if (!(dwAttrib & FILE_ATTRIBUTE_READONLY))
        return TRUE;
    if (fnMessageBoxQ(IDYES, IDS_READONLY, NULL, MB_YESNO | MB_ICONQUESTION, lpszFile) != IDYES)
        return FALSE;
    if (!SetFileAttributesA(lpszFile, dwAttrib & ~FILE_ATTRIBUTE_READONLY))
        return FALSE;
    *lpdwOldAttrib = dwAttrib;
    return TRUE;
}

static void fnRestoreAttributes(const IniLineStruct *lpL)
{
    if (lpL->dwOldAttrib != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesA(lpL->szEditFile, lpL->dwOldAttrib);
}

static BOOL fnCreateEmptyConfig(const char *lpszFile)
{
    HANDLE hFile = CreateFileA(lpszFile, GENERIC_WRITE, 0, NULL, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    return CloseHandle(hFile);
}

/* ---- type I: the profile functions ---- */

static int fnEditText(IniLineStruct *lpL);

/* The profile edit; LINE_NEXT or LINE_STOP. */
static int fnEditProfile(IniLineStruct *lpL)
{
    /* Option G: a section of plain entries, edited as text. */
    if (lpL->szSection[0] && lpL->szKey[0] && lpL->szOption[0] == 'G')
        return fnEditText(lpL);
    char szPrevious[KSTL8_LINE];
    GetPrivateProfileStringA(lpL->szSection, lpL->szKey, "", szPrevious, sizeof(szPrevious),
                             lpL->szEditFile);
    if (lpL->cAction == 'S' && szPrevious[0]) {
        fnDebugTrace("fnEditProfile", "[%s] %s is set: kept", lpL->szSection, lpL->szKey);
        return LINE_NEXT;
    }
    const char *lpszValue = lpL->cAction == 'D' ? "" : lpL->szValue;
    BOOL bOk;
    if (lpL->cAction == 'D' && !lpL->szKey[0]) {
        /* Remove the section, and write nothing after: an empty key
           would bring it back with a "=" line. */
        bOk = WritePrivateProfileStringA(lpL->szSection, NULL, NULL, lpL->szEditFile);
    } else if (lpL->cAction == 'D') {
        bOk = WritePrivateProfileStringA(lpL->szSection, lpL->szKey, NULL, lpL->szEditFile);
    } else {
        bOk = WritePrivateProfileStringA(lpL->szSection, lpL->szKey, lpszValue, lpL->szEditFile);
    }
    fnDebugTrace("fnEditProfile", "lpszFile=%s,\n[%s] %s: \"%s\" -> \"%s\", result %d",
                 lpL->szEditFile, lpL->szSection, lpL->szKey, szPrevious, lpszValue, bOk);
    if (!bOk)
        return fnAskGoOn(IDS_CFGWRITEERR, lpL->szEditFile);
    fnLogWrite(TRUE, "%s, \"%s\", \"%s\", \"%s\", \"%s\", I", lpL->szEditFile, lpL->szSection,
               lpL->szKey, szPrevious, lpszValue);
    return LINE_NEXT;
}

/* ---- the other types: a temporary copy, then back over the file ---- */

static BOOL fnGetConfigTempFile(char *lpszOut, size_t cchOut)
{
    char szDir[KSTL8_PATH];
    if (g_szTmpPath[0])
        fnStrCopy(szDir, g_szTmpPath);
    else if (!GetTempPathA(sizeof(szDir), szDir))
        return FALSE;
    char szTemp[MAX_PATH];
    if (!GetTempFileNameA(szDir, "_", 0, szTemp))
        return FALSE;
    return fnStrCopyN(lpszOut, cchOut, szTemp);
}

/* Replace the file by the finished copy.  The copy goes beside the file
   first and is then renamed over it, so a full disk leaves the file as
   it was rather than cut. */
static BOOL fnCopyBack(const char *lpszTemp, const char *lpszFile)
{
    char szDir[KSTL8_PATH];
    char szSide[MAX_PATH];
    if (fnGetDirPart(lpszFile, szDir, sizeof(szDir)) && szDir[0] &&
        GetTempFileNameA(szDir, "_", 0, szSide)) {
        BOOL bOk = CopyFileA(lpszTemp, szSide, FALSE) &&
                   MoveFileExA(szSide, lpszFile, MOVEFILE_REPLACE_EXISTING);
        if (!bOk)
            DeleteFileA(szSide);
        return bOk;
    }
    return CopyFileA(lpszTemp, lpszFile, FALSE);
}

/* Can the file be opened for writing without sharing?  Asks 1147 when
   not; LINE_NEXT to write, LINE_STOP, or -1 to skip the file. */
static int fnTestWritable(const char *lpszFile)
{
    HANDLE hFile = CreateFileA(lpszFile, GENERIC_WRITE, 0, NULL, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile != INVALID_HANDLE_VALUE) {
        CloseHandle(hFile);
        return LINE_NEXT;
    }
    fnDebugTrace("fnReadIniEdits", "%s not writable, error %lu", lpszFile,
                 (unsigned long)GetLastError());
    /* A quiet run takes the box's default, Abort. */
    int nAnswer = fnMessageBoxQ(IDABORT, IDS_CFGWRITEPROTECTED, NULL,
                                MB_ABORTRETRYIGNORE | MB_ICONEXCLAMATION, lpszFile);
    if (nAnswer == IDIGNORE)
        return -1;
    if (nAnswer != IDRETRY)
        return LINE_STOP;
    DWORD dwAttrib = GetFileAttributesA(lpszFile);
    if (dwAttrib != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesA(lpszFile, dwAttrib & ~FILE_ATTRIBUTE_READONLY);
    return LINE_NEXT;
}

static int fnEditText(IniLineStruct *lpL)
{
    if ((lpL->cType == 'W' || lpL->cType == 'M') && lpL->szSection[0] != '[') {
        char szBracketed[KSTL8_LINE];
        if (!fnStrFormat(szBracketed, "[%s]", lpL->szSection))
            return fnAskGoOn(IDS_CFGWRITEERR, lpL->szEditFile);
        fnStrCopy(lpL->szSection, szBracketed);
    }
    char szTemp[KSTL8_PATH];
    if (!fnGetConfigTempFile(szTemp, sizeof(szTemp)))
        return fnAskGoOn(IDS_CFGWRITEERR, lpL->szEditFile);
    BOOL bOk;
    if (lpL->cType == 'I') {
        char szEntry[KSTL8_LINE];
        if (lpL->cAction != 'D' && lpL->szValue[0])
            bOk = fnStrFormat(szEntry, "%s=%s", lpL->szKey, lpL->szValue);
        else
            bOk = fnStrCopy(szEntry, lpL->szKey);
        /* Write out what the system holds of the file before reading it. */
        WritePrivateProfileStringA(NULL, NULL, NULL, lpL->szEditFile);
        bOk = bOk && fnEditProfileList(lpL->szEditFile, szTemp, lpL->szSection, lpL->szKey,
                                       szEntry, lpL->cAction);
    } else if (lpL->cType == 'P')
        bOk = fnEditPath(lpL->szEditFile, szTemp, lpL->szSection, lpL->szKey, lpL->szValue,
                         lpL->cAction, lpL->szOption);
    else
        bOk = fnEditIniLine(lpL->szEditFile, szTemp, lpL->szSection, lpL->szKey, lpL->szValue,
                            lpL->szType, lpL->cAction, lpL->szOption);
    if (bOk) {
        int nWritable = fnTestWritable(lpL->szEditFile);
        if (nWritable != LINE_NEXT) {
            DeleteFileA(szTemp);
            return nWritable == LINE_STOP ? LINE_STOP : LINE_NEXT;
        }
        bOk = fnCopyBack(szTemp, lpL->szEditFile);
    }
    DeleteFileA(szTemp);
    if (!bOk)
        return fnAskGoOn(IDS_CFGWRITEERR, lpL->szEditFile);
    return LINE_NEXT;
}

/* ---- one line ---- */

/* Backup, NOMOD redirection and a writable file; LINE_NEXT to edit
   lpL->szEditFile, LINE_STOP, or -1 to skip the line. */
static int fnPrepareIniFile(HWND hWnd, IniSectionStruct *lpS, IniLineStruct *lpL)
{
    char szDir[KSTL8_PATH];
    fnGetDirPart(lpL->szPath, szDir, sizeof(szDir));
    const char *lpszName = fnGetFilePart(lpL->szPath);
    if (szDir[0] && !fnDirExists(szDir) && !fnCreateDirTree(szDir))
        return fnAskGoOn(IDS_CFGDIRFAIL, szDir) == LINE_NEXT ? -1 : LINE_STOP;
    /* A run of lines on one file is backed up once. */
    if (fnStrCmpI(lpS->szLastFile, lpL->szPath) != 0) {
        if (!fnBackupConfigFile(hWnd, lpL->szPath, lpszName, szDir, g_uBackUpMethod,
                                lpS->szLastCopy, sizeof(lpS->szLastCopy)))
            return LINE_STOP;
        fnStrCopy(lpS->szLastFile, lpL->szPath);
    }
    fnStrCopy(lpL->szEditFile, lpL->szPath);
    if (g_uBackUpMethod == BACKUP_NOMOD) {
        /* The file itself is never changed: no copy, no edit. */
        if (!lpS->szLastCopy[0]) {
            fnDebugTrace("fnReadIniEdits", "NOMOD without a copy of %s: line skipped",
                         lpL->szPath);
            return -1;
        }
        fnStrCopy(lpL->szEditFile, lpS->szLastCopy);
    }
    if (!fnFileExists(lpL->szEditFile) && !fnCreateEmptyConfig(lpL->szEditFile))
        return fnAskGoOn(IDS_CFGPROCESSERR, lpL->szEditFile) == LINE_NEXT ? -1 : LINE_STOP;
    if (!fnMakeConfigWritable(lpL->szEditFile, &lpL->dwOldAttrib))
        return fnAskGoOn(IDS_CFGPROCESSERR, lpL->szEditFile) == LINE_NEXT ? -1 : LINE_STOP;
    return LINE_NEXT;
}

static int fnDoIniEditLine(HWND hWnd, IniSectionStruct *lpS, char *lpszLine)
{
    char szKeyword[KSTL8_LINE];
    BOOL bKey = fnGetParam(lpszLine, 0, szKeyword, sizeof(szKeyword));
    if (bKey && fnStrCmpI(szKeyword, "ExpandDelims") == 0) {
        char szDelims[KSTL8_LINE];
        fnGetParam(lpszLine, 1, szDelims, sizeof(szDelims));
        fnSetExpandDelims(szDelims);
        fnDebugTrace("fnReadIniEdits", "g_szExpandDelims=%s", szDelims);
        return LINE_NEXT;
    }
    char szOriginal[KSTL8_LINE];
    fnStrCopy(szOriginal, lpszLine);
    /* An "=" before the first "," makes the text before it a test; the
       edit fields follow the expected value. */
    UINT uFirst = 1;
    if (bKey) {
        char szExpected[KSTL8_LINE];
        fnGetParam(lpszLine, 1, szExpected, sizeof(szExpected));
        if (fnCompareValues(szKeyword, szExpected) == COND_FAILS) {
            fnDebugTrace("fnReadIniEdits", "Condition fails:\n%.200s", szOriginal);
            return LINE_NEXT;
        }
        uFirst = 2;
    }
    IniLineStruct line;
    IniLineStruct *lpL = &line;
    memset(lpL, 0, sizeof(*lpL));
    int nResult;
    const char *lpszBad = fnReadIniLine(lpszLine, uFirst, lpL);
    if (!lpszBad && !fnResolveIniPath(lpL->szFile, lpL->szPath, sizeof(lpL->szPath)))
        lpszBad = "path too long";
    if (!lpszBad && lpL->szType[1] == '\\' &&
        (!fnDoubleBackslashes(lpL->szKey, sizeof(lpL->szKey), CFG_KEY) ||
         !fnDoubleBackslashes(lpL->szValue, sizeof(lpL->szValue), KSTL8_LINE)))
        lpszBad = "doubled backslashes too long";
    if (lpszBad) {
        nResult = fnBadIniLine(szOriginal, lpszBad);
    } else {
        fnDebugTrace("fnReadIniEdits",
                     "szFile=%s,\nszSection=%s,\nszKey=%s,\nszValue=%.200s,\npszAction=%c,\n"
                     "szType=%s,\nszOption=%.200s",
                     lpL->szPath, lpL->szSection, lpL->szKey, lpL->szValue, lpL->cAction,
                     lpL->szType, lpL->szOption);
        nResult = fnPrepareIniFile(hWnd, lpS, lpL);
        if (nResult == LINE_NEXT) {
            nResult = lpL->cType == 'I' ? fnEditProfile(lpL) : fnEditText(lpL);
            fnRestoreAttributes(lpL);
        } else if (nResult < 0) {
            nResult = LINE_NEXT;
        }
    }
    return nResult;
}

BOOL fnReadIniEdits(HWND hWnd, char *lpszFirstLine)
{
    IniSectionStruct s;
    memset(&s, 0, sizeof(s));
    char szLine[KSTL8_LINE];
    char *p = lpszFirstLine;
    while ((p = fnGetSectionLine(p, szLine, sizeof(szLine))) != NULL)
        if (fnDoIniEditLine(hWnd, &s, szLine) == LINE_STOP) {
            fnDebugTrace("fnReadIniEdits", "Section stopped at:\n%.200s", szLine);
            return FALSE;
        }
    return TRUE;
}

int fnInfIniEdits(HWND hWnd, char *lpszText)
{
    fnDebugTrace("fnInfIniEdits", "Section text:\n%.200s", lpszText);
    if (lpszText && *lpszText)
        fnReadIniEdits(hWnd, lpszText);
    return 1;
}
