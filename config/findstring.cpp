/* Searching files for a text, block by block, so that a text lying across
 * two blocks is still found. */
#include "findstring.h"
#include "../script/handlers.h"
#include "../script/macro.h"
#include "../script/reader.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../install/install.h"
#include <stdlib.h>
#include <string.h>

/* Lower case of every byte, as the system sees it. */
static const unsigned char *fnLowerTable(void)
{
    static unsigned char s_ab[256];
    static BOOL s_bReady = FALSE;
    if (!s_bReady) {
        for (int i = 0; i < 256; i++) {
            char c = (char)i;
            if (i)
                CharLowerBuffA(&c, 1);
            s_ab[i] = (unsigned char)c;
        }
        s_bReady = TRUE;
    }
    return s_ab;
}

static BOOL fnBlockHolds(const unsigned char *lpBlock, size_t cbBlock, const char *lpszText,
                         size_t cchText, BOOL bIgnoreCase)
{
    const unsigned char *lpLower = fnLowerTable();
    const unsigned char *lpText = (const unsigned char *)lpszText;
    if (cbBlock < cchText)
        return FALSE;
    for (size_t i = 0; i + cchText <= cbBlock; i++) {
        size_t j = 0;
        if (bIgnoreCase)
            while (j < cchText && lpLower[lpBlock[i + j]] == lpLower[lpText[j]])
                j++;
        else
            while (j < cchText && lpBlock[i + j] == lpText[j])
                j++;
        if (j == cchText)
            return TRUE;
    }
    return FALSE;
}

PFNFINDREADFILE g_pfnFindReadFile = ReadFile;

int fnFindStringInFile(const char *lpszFile, const char *lpszText, BOOL bIgnoreCase)
{
    size_t cchText = strlen(lpszText);
    if (cchText < 2 || cchText >= FIND_BLOCK)
        return FIND_BADTEXT;
    if (!fnFileExists(lpszFile))
        return FIND_NOFILE;
    unsigned char *lpBlock = (unsigned char *)malloc(FIND_BLOCK + 2);
    HANDLE hFile = lpBlock ? CreateFileA(lpszFile, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL)
                           : INVALID_HANDLE_VALUE;
    if (hFile == INVALID_HANDLE_VALUE) {
        free(lpBlock);
        return FIND_OPENFAILED;
    }
    int nCode = FIND_NOTFOUND;
    for (;;) {
        DWORD cbRead = 0;
        memset(lpBlock, 0, FIND_BLOCK + 2);
        if (!g_pfnFindReadFile(hFile, lpBlock, FIND_BLOCK, &cbRead, NULL)) {
            /* A file that cannot be read is not a file without the text. */
            nCode = FIND_OPENFAILED;
            break;
        }
        if (cbRead == 0)
            break;
        if (fnBlockHolds(lpBlock, cbRead, lpszText, cchText, bIgnoreCase)) {
            nCode = FIND_FOUND;
            break;
        }
        if (cbRead < FIND_BLOCK)
            break;
        /* Step back so that a text across the boundary is read whole. */
        if (SetFilePointer(hFile, -(LONG)cchText, NULL, FILE_CURRENT) == INVALID_SET_FILE_POINTER &&
            GetLastError() != NO_ERROR) {
            nCode = FIND_SEEKFAILED;
            break;
        }
    }
    CloseHandle(hFile);
    free(lpBlock);
    return nCode;
}

enum { OUTCOME_CONTINUE, OUTCOME_MATCH, OUTCOME_NOMATCH, OUTCOME_NOFILE, OUTCOME_ERROR };

static int fnOutcomeOf(const char *lpszField)
{
    static const struct { const char *lpszWord; int nOutcome; } s_a[] = {
        { "EXITMATCH", OUTCOME_MATCH },   { "EXITNOMATCH", OUTCOME_NOMATCH },
        { "EXITNOFILE", OUTCOME_NOFILE }, { "EXITERROR", OUTCOME_ERROR },
        { "CONTINUE", OUTCOME_CONTINUE },
    };
    for (size_t i = 0; i < sizeof(s_a) / sizeof(s_a[0]); i++)
        if (fnStrBeginsI(lpszField, s_a[i].lpszWord))
            return s_a[i].nOutcome;
    return OUTCOME_CONTINUE;
}

/* Whether the outcome ends the install for this search code. */
static BOOL fnOutcomeEnds(int nOutcome, int nCode)
{
    BOOL bFailed = nCode >= FIND_BADTEXT;
    switch (nOutcome) {
    case OUTCOME_MATCH: return nCode == FIND_FOUND;
    case OUTCOME_NOMATCH: return nCode == FIND_NOTFOUND || bFailed;
    case OUTCOME_NOFILE: return nCode == FIND_NOFILE || bFailed;
    case OUTCOME_ERROR: return bFailed;
    default: return FALSE;
    }
}

int fnReadIsStringInFile(HWND hWnd, char *lpszFirstLine)
{
    (void)hWnd;
    char szLine[KSTL8_LINE];
    char *p = lpszFirstLine;
    UINT uNext = 1;
    g_alResultNumbers[0] = 1;
    while ((p = fnGetSectionLine(p, szLine, sizeof(szLine))) != NULL) {
        if (fnTestListCondition(szLine, sizeof(szLine)) == COND_FAILS)
            continue;
        char szFile[KSTL8_PATH], szText[KSTL8_LINE], szCase[8], szOutcome[32];
        if (!fnGetParam(szLine, 1, szFile, sizeof(szFile)) || !szFile[0] ||
            !fnGetParam(szLine, 2, szText, sizeof(szText)) || !szText[0])
            return 0;
        fnGetParam(szLine, 3, szCase, sizeof(szCase));
        fnGetParam(szLine, 4, szOutcome, sizeof(szOutcome));
        fnExpandOpts(szFile, sizeof(szFile));
        fnExpandOpts(szText, sizeof(szText));
        BOOL bIgnoreCase = szCase[0] == 'Y' || szCase[0] == 'y';
        int nCode = fnFindStringInFile(szFile, szText, bIgnoreCase);
        fnDebugTrace("fnReadIsStringInFile", "lpszFile=%s,\nlpszText=%.200s,\nnCode=%d", szFile,
                     szText, nCode);
        if (fnOutcomeEnds(fnOutcomeOf(szOutcome), nCode))
            return 2;
        if (nCode == FIND_FOUND)
            g_alResultNumbers[0] = 0;
        if (uNext < 100)
            g_alResultNumbers[uNext++] = nCode;
    }
    return 1;
}

int fnInfIsStringInFile(HWND hWnd, char *lpszText)
{
    fnDebugTrace("fnInfIsStringInFile", "Begin");
    return fnReadIsStringInFile(hWnd, lpszText);
}
