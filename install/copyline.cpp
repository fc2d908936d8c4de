/* Copy lines: the forward cursor over a section's file lines, the fields
 * of install lines (format A) and to-disk lines (format B), their letter
 * codes, and where source and target directories lie. */
#include "copylist.h"
#include "install.h"
#include "../script/reader.h"
#include "../script/macro.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../resources/resource.h"
#include <string.h>

#define CODE_LETTERS 4          /* letters a code field may hold */
#define DESC_MAX     79         /* characters kept of a description or label */

/* One letter and the code it stands for; the table's last row (letter 0)
   is the default for every other letter. */
struct LetterCodeStruct {
    char cLetter;
    UINT uCode;
};

static const LetterCodeStruct s_aInstallModes[] = {
    { 'S', IM_S }, { 'V', IM_V }, { 'T', IM_T }, { 'M', IM_M }, { 'A', IM_A },
    { 'U', IM_A }, { 'R', IM_R }, { 'K', IM_K }, { 0, IM_N },
};
static const LetterCodeStruct s_aInUseActions[] = {
    { 'C', IU_C }, { 'R', IU_R }, { 'S', IU_S }, { 0, IU_P },
};
static const LetterCodeStruct s_aVerActions[] = {
    { 'C', VA_C }, { 'I', VA_I }, { 'K', VA_K }, { 0, VA_ASK },
};
static const LetterCodeStruct s_aCopyModes[] = {
    { 'D', CM_D }, { 'R', CM_R }, { 'S', CM_S }, { 'V', CM_V }, { 'F', CM_F }, { 'C', CM_C },
    { 'P', CM_P }, { '?', CM_Q }, { 'W', CM_W }, { 'J', CM_J }, { 0, CM_N },
};
/* The copy mode of a joined file: every mode but J. */
static const LetterCodeStruct s_aJoinCopyModes[] = {
    { 'D', CM_D }, { 'R', CM_R }, { 'S', CM_S }, { 'V', CM_V }, { 'F', CM_F }, { 'C', CM_C },
    { 'P', CM_P }, { '?', CM_Q }, { 'W', CM_W }, { 0, CM_N },
};
static const LetterCodeStruct s_aExistActions[] = {
    { 'B', EA_B }, { 'U', EA_U }, { 'S', EA_S }, { 'P', EA_P }, { 'K', EA_K }, { 0, EA_N },
};

static UINT fnLetterCode(const LetterCodeStruct *lpTable, char c)
{
    char cUp = (c >= 'a' && c <= 'z') ? (char)(c - 'a' + 'A') : c;
    const LetterCodeStruct *p = lpTable;
    for (; p->cLetter; p++)
        if (cUp && p->cLetter == cUp)
            break;
    return p->uCode;
}

/* ---- the cursor ---- */

void fnInitCopyCursor(CopyCursorStruct *lpCur, char *lpszFirst)
{
    lpCur->lpszFirst = lpszFirst;
    lpCur->lpszPos = lpszFirst;
    lpCur->uLine = 0;
}

BOOL fnGetCopyLine(CopyCursorStruct *lpCur, UINT uLine, char *lpszLine, size_t cchLine)
{
    lpszLine[0] = '\0';
    if (uLine == 0)
        return FALSE;
    /* Only a step back starts again from the first line. */
    if (uLine <= lpCur->uLine)
        fnInitCopyCursor(lpCur, lpCur->lpszFirst);
    while (lpCur->uLine < uLine) {
        char *lpszNext = lpCur->lpszPos ? fnGetSectionLine(lpCur->lpszPos, lpszLine, cchLine)
                                        : NULL;
        if (!lpszNext) {
            lpCur->lpszPos = NULL;
            lpszLine[0] = '\0';
            return FALSE;
        }
        lpCur->lpszPos = lpszNext;
        lpCur->uLine++;
    }
    return TRUE;
}

/* ---- code fields ---- */

/* The part number of a join code: third character 0 is the last part,
   the number 1 the first, any other number a middle part. */
static UINT fnJoinPart(const char *lpszCodes2)
{
    if (strlen(lpszCodes2) < 3)
        return JP_MID;
    if (lpszCodes2[2] == '0')
        return JP_LAST;
    UINT uNum = 0;
    for (const char *p = lpszCodes2 + 2; *p >= '0' && *p <= '9'; p++)
        uNum = uNum * 10 + (UINT)(*p - '0');    /* at most two digits fit the field */
    return uNum == 1 ? JP_FIRST : JP_MID;
}

BOOL fnDecodeCopyCodes(const char *lpszCodes1, const char *lpszCodes2, const char *lpszCodes3,
                       IFStruct *lpIF)
{
    const char *lpsz1 = lpszCodes1;
    lpIF->bRecurse = *lpsz1 == '+';
    if (lpIF->bRecurse)
        lpsz1++;
    if (strlen(lpsz1) > CODE_LETTERS || strlen(lpszCodes2) > CODE_LETTERS ||
        strlen(lpszCodes3) > CODE_LETTERS)
        return FALSE;
    char a1[CODE_LETTERS + 1] = { 0 }, a2[CODE_LETTERS + 1] = { 0 };
    memcpy(a1, lpsz1, strlen(lpsz1));
    memcpy(a2, lpszCodes2, strlen(lpszCodes2));
    lpIF->uInstallMode = fnLetterCode(s_aInstallModes, a1[0]);
    lpIF->uInUseAction = fnLetterCode(s_aInUseActions, a1[1]);
    lpIF->uVerAction = fnLetterCode(s_aVerActions, a1[2]);
    lpIF->bKeepAttrib = a1[3] == 'K' || a1[3] == 'k';
    lpIF->uCopyMode = fnLetterCode(s_aCopyModes, a2[0]);
    lpIF->uJoinCopyMode = CM_N;
    lpIF->uJoinPart = JP_NONE;
    if (lpIF->uCopyMode == CM_J) {
        lpIF->uJoinCopyMode = fnLetterCode(s_aJoinCopyModes, a2[1]);
        lpIF->uJoinPart = fnJoinPart(a2);
    }
    lpIF->uExistAction = fnLetterCode(s_aExistActions, lpszCodes3[0]);
    return TRUE;
}

/* ---- fields ---- */

/* The fields every copy line has, read and checked. */
struct CopyFieldsStruct {
    char szDisk[KSTL8_LINE];
    char szSource[KSTL8_LINE];
    char szTarget[KSTL8_LINE];
    char aszMore[3][KSTL8_LINE];    /* codes1-3 (format A), label, switch, bytes (B) */
    char szDesc[KSTL8_LINE];        /* description (format A) */
};

static BOOL fnBadField(const char *lpszWhy, const char *lpszLine)
{
    fnDebugTrace("fnReadCopyFiles", "Bad line (%s):\n%.300s", lpszWhy, lpszLine);
    return FALSE;
}

/* The condition, and the fields after it.  Every field is read into a
   line-sized buffer first, so no field can overrun its limit unseen. */
static BOOL fnReadCopyFields(const char *lpszLine, CopyFieldsStruct *lpF, int *lpnCond)
{
    char szKey[KSTL8_LINE];
    UINT n = 1;
    *lpnCond = COND_NONE;
    if (fnGetParam(lpszLine, 0, szKey, sizeof(szKey))) {
        char szValue[KSTL8_LINE];
        if (!fnGetParam(lpszLine, 1, szValue, sizeof(szValue)))
            return fnBadField("test without value", lpszLine);
        *lpnCond = fnCompareValues(szKey, szValue);
        n = 2;
    }
    if (!fnGetParam(lpszLine, n, lpF->szDisk, sizeof(lpF->szDisk)) || !lpF->szDisk[0] ||
        !fnGetParam(lpszLine, n + 1, lpF->szSource, sizeof(lpF->szSource)) ||
        !lpF->szSource[0] ||
        !fnGetParam(lpszLine, n + 2, lpF->szTarget, sizeof(lpF->szTarget)) || !lpF->szTarget[0])
        return fnBadField("disk, source or target missing", lpszLine);
    /* Optional fields: a missing one is empty.  A field always fits a
       buffer of a whole line, so its length is checked by the caller. */
    for (UINT i = 0; i < 3; i++)
        fnGetParam(lpszLine, n + 3 + i, lpF->aszMore[i], sizeof(lpF->aszMore[i]));
    fnGetParam(lpszLine, n + 6, lpF->szDesc, sizeof(lpF->szDesc));
    return TRUE;
}

/* Expand a path field in place; FALSE when the result does not fit a path. */
static BOOL fnExpandPathField(char *lpszField, const char *lpszLine)
{
    int nResult = fnExpandOpts(lpszField, KSTL8_LINE);
    size_t cch = strlen(lpszField);
    if (cch >= KSTL8_PATH || (nResult == MACRO_EMPTY && cch >= MACRO_RESULT_MAX))
        return fnBadField("path too long", lpszLine);
    return TRUE;
}

/* Directory part and file name of a field.  With bQualified the directory
   stays as written when fnIsQualifiedPath accepts it (format B), else when
   it begins with \\, has a drive colon or begins with "." (format A); any
   other directory lies under g_szDestDir, none at all is g_szDestDir. */
static BOOL fnSetTarget(const char *lpszTarget, BOOL bQualified, IFStruct *lpIF)
{
    if (!fnStrCopy(lpIF->szDstFileName, fnGetFilePart(lpszTarget)) || !lpIF->szDstFileName[0])
        return FALSE;
    char szDir[KSTL8_PATH];
    if (!fnGetDirPart(lpszTarget, szDir, sizeof(szDir)))
        szDir[0] = '\0';
    if (!szDir[0])
        return fnStrCopy(lpIF->szDstDir, g_szDestDir);
    BOOL bAsWritten = bQualified ? fnIsQualifiedPath(szDir)
                                 : (fnStrBeginsI(szDir, "\\\\") || szDir[1] == ':' ||
                                    szDir[0] == '.');
    if (bAsWritten)
        return fnStrCopy(lpIF->szDstDir, szDir);
    return fnMakePath(g_szDestDir, szDir, lpIF->szDstDir, sizeof(lpIF->szDstDir));
}

static BOOL fnSetSource(const char *lpszSource, IFStruct *lpIF)
{
    if (!fnStrCopy(lpIF->szSrcFileName, fnGetFilePart(lpszSource)) || !lpIF->szSrcFileName[0])
        return FALSE;
    if (!fnGetDirPart(lpszSource, lpIF->szSrcFilePath, sizeof(lpIF->szSrcFilePath)))
        lpIF->szSrcFilePath[0] = '\0';
    if (!lpIF->szSrcFilePath[0])
        fnStrCopy(lpIF->szSrcFilePath, ".");
    return TRUE;
}

/* Disk field: a number of 0 (digits read, other characters skipped)
   means no disk prompt; otherwise the field's first 7 characters are the
   disk id of the disks section. */
static void fnSetDisk(const char *lpszDisk, IFStruct *lpIF)
{
    BOOL bNonZero = FALSE;
    for (const char *p = lpszDisk; *p; p++)
        if (*p >= '1' && *p <= '9')
            bNonZero = TRUE;
    lpIF->bPromptDisk = bNonZero;
    lpIF->szDiskID[0] = '\0';
    if (bNonZero) {
        size_t cch = strlen(lpszDisk);
        if (cch >= sizeof(lpIF->szDiskID))
            cch = sizeof(lpIF->szDiskID) - 1;
        memcpy(lpIF->szDiskID, lpszDisk, cch);
        lpIF->szDiskID[cch] = '\0';
    }
}

/* Source and target expanded and placed; shared by both formats. */
static BOOL fnSetPaths(CopyFieldsStruct *lpF, const char *lpszLine, BOOL bQualified,
                       IFStruct *lpIF)
{
    if (!fnExpandPathField(lpF->szSource, lpszLine) || !fnExpandPathField(lpF->szTarget, lpszLine))
        return FALSE;
    char szFind[KSTL8_PATH];
    fnStrCopy(szFind, lpF->szSource);
    if (!fnIsWildName(szFind) && fnFindSourceFile(szFind, sizeof(szFind)))
        fnStrCopy(lpF->szSource, szFind);
    if (!fnSetSource(lpF->szSource, lpIF) || !fnSetTarget(lpF->szTarget, bQualified, lpIF))
        return fnBadField("source or target has no name, or does not fit", lpszLine);
    return TRUE;
}

int fnParseCopyLine(HWND hWnd, const char *lpszLine, IFStruct *lpIF, int *lpnCond)
{
    (void)hWnd;
    CopyFieldsStruct f;
    if (!fnReadCopyFields(lpszLine, &f, lpnCond))
        return CL_BAD;
    if (!fnIsValidFileName(f.szSource) || !fnIsValidFileName(f.szTarget)) {
        fnMessageBox(IDS_INVALIDCHARS, NULL, MB_OK | MB_ICONSTOP,
                     fnIsValidFileName(f.szSource) ? f.szTarget : f.szSource);
        return CL_BAD;
    }
    if (!fnDecodeCopyCodes(f.aszMore[0], f.aszMore[1], f.aszMore[2], lpIF)) {
        fnBadField("code field of more than four letters", lpszLine);
        return CL_BAD;
    }
    /* The description is only shown: a longer one is cut, never refused. */
    if (!fnStrCopy(lpIF->szDescription, f.szDesc))
        fnDebugTrace("fnParseCopyLine", "Description cut to %u characters:\n%.300s",
                     (UINT)DESC_MAX, lpszLine);
    if (!fnSetPaths(&f, lpszLine, FALSE, lpIF))
        return CL_BAD;
    fnSetDisk(f.szDisk, lpIF);
    return CL_READ;
}

/* Bytes of a to-disk line: digits only, default 1; FALSE past 32 bits. */
static BOOL fnReadBytes(const char *lpszBytes, DWORD *lpdwBytes)
{
    *lpdwBytes = 1;
    if (!lpszBytes[0])
        return TRUE;
    ULONGLONG ull = 0;
    for (const char *p = lpszBytes; *p; p++) {
        if (*p < '0' || *p > '9')
            return FALSE;
        ull = ull * 10 + (ULONGLONG)(*p - '0');
        if (ull > 0xFFFFFFFFull)
            return FALSE;
    }
    *lpdwBytes = (DWORD)ull;
    return TRUE;
}

int fnParseDiskLine(HWND hWnd, const char *lpszLine, IFStruct *lpIF, DWORD *lpdwBytes,
                    BOOL *lpbSwitch, int *lpnCond)
{
    (void)hWnd;
    CopyFieldsStruct f;
    if (!fnReadCopyFields(lpszLine, &f, lpnCond))
        return CL_BAD;
    const char *lpszLabel = f.aszMore[0];
    lpIF->bRecurse = *lpszLabel == '+';
    if (lpIF->bRecurse)
        lpszLabel++;
    if (strlen(lpszLabel) > DESC_MAX || !fnReadBytes(f.aszMore[2], lpdwBytes)) {
        fnBadField("label too long or bytes not a number", lpszLine);
        return CL_BAD;
    }
    fnStrCopy(lpIF->szDescription, lpszLabel);
    *lpbSwitch = f.aszMore[1][0] == 'Y' || f.aszMore[1][0] == 'y';
    /* Files go onto the disks as they are. */
    lpIF->uInstallMode = IM_A;
    lpIF->uInUseAction = IU_P;
    lpIF->uVerAction = VA_ASK;
    lpIF->uCopyMode = CM_N;
    lpIF->uExistAction = EA_N;
    lpIF->uJoinPart = JP_NONE;
    lpIF->bKeepAttrib = FALSE;
    if (!fnSetPaths(&f, lpszLine, TRUE, lpIF))
        return CL_BAD;
    fnSetDisk(f.szDisk, lpIF);
    return CL_READ;
}

int fnReadCopyFiles(HWND hWnd, CopyCursorStruct *lpCur, UINT uLine, IFStruct *lpIF,
                    int *lpnCond)
{
    char szLine[KSTL8_LINE];
    *lpnCond = COND_NONE;
    if (!fnGetCopyLine(lpCur, uLine, szLine, sizeof(szLine)))
        return CL_END;
    return fnParseCopyLine(hWnd, szLine, lpIF, lpnCond);
}

int fnReadCopyFilesToDisks(HWND hWnd, CopyCursorStruct *lpCur, UINT uLine, IFStruct *lpIF,
                           DWORD *lpdwBytes, BOOL *lpbSwitch, int *lpnCond)
{
    char szLine[KSTL8_LINE];
    *lpnCond = COND_NONE;
    if (!fnGetCopyLine(lpCur, uLine, szLine, sizeof(szLine)))
        return CL_END;
    return fnParseDiskLine(hWnd, szLine, lpIF, lpdwBytes, lpbSwitch, lpnCond);
}

BOOL fnResolveSourceDir(char *lpszDir, size_t cchDir)
{
    if (strcmp(lpszDir, ".") == 0 || !lpszDir[0])
        return fnStrCopyN(lpszDir, cchDir, g_szSourceDir);
    if (fnIsFullPath(lpszDir))
        return TRUE;
    char szJoined[KSTL8_PATH];
    return fnMakePath(g_szSourceDir, lpszDir, szJoined, sizeof(szJoined)) &&
           fnStrCopyN(lpszDir, cchDir, szJoined);
}

BOOL fnIsWildName(const char *lpszName)
{
    return fnStrHasAnyOf(lpszName, "*?");
}
