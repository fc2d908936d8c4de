/* Reading registry values as text. */
#include "registry.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../script/macro.h"
#include "../resources/strings.h"
#include <stdlib.h>
#include <string.h>

struct RootNameStruct {
    const char *lpszName;
    HKEY hKey;
};

/* Only the full names are known, tried in this order. */
static const RootNameStruct s_aRoots[] = {
    { "HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT },
    { "HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE },
    { "HKEY_CURRENT_USER", HKEY_CURRENT_USER },
    { "HKEY_USERS", HKEY_USERS },
    { "HKEY_PERFORMANCE_DATA", HKEY_PERFORMANCE_DATA },
    { "HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG },
    { "HKEY_DYN_DATA", HKEY_DYN_DATA },
};

HKEY fnRootKeyFromName(const char *lpszName)
{
    for (size_t i = 0; i < sizeof(s_aRoots) / sizeof(s_aRoots[0]); i++)
        if (fnStrCmpI(lpszName, s_aRoots[i].lpszName) == 0)
            return s_aRoots[i].hKey;
    return NULL;
}

BOOL fnSplitRegKey(const char *lpszPath, HKEY *lphRoot, const char **lplpszSubKey)
{
    *lphRoot = NULL;
    *lplpszSubKey = lpszPath;
    const char *p = lpszPath;
    while (*p == ' ' || *p == '\t')
        p++;
    /* The root name must open the text and be followed by a backslash: a
       name met later, or a bare name, must never widen the key. */
    for (size_t i = 0; i < sizeof(s_aRoots) / sizeof(s_aRoots[0]); i++) {
        size_t cch = strlen(s_aRoots[i].lpszName);
        if (fnStrCmpNI(p, s_aRoots[i].lpszName, cch) != 0 || p[cch] != '\\')
            continue;
        const char *lpszSub = p + cch;
        while (*lpszSub == '\\')
            lpszSub++;
        *lphRoot = s_aRoots[i].hKey;
        *lplpszSubKey = lpszSub;
        return TRUE;
    }
    return FALSE;
}

/* Turn the data read into text; FALSE when it did not fit (the output
   then holds as much as fits). */
static BOOL fnRegDataToText(DWORD dwType, const BYTE *lpData, DWORD cbData, char *lpszOut,
                            size_t cchOut)
{
    if (dwType == REG_EXPAND_SZ) {
        const char *lpszRaw = (const char *)lpData;
        DWORD cch = ExpandEnvironmentStringsA(lpszRaw, NULL, 0);
        char *lpszAll = cch ? (char *)malloc(cch) : NULL;
        BOOL bFits;
        /* The size asked for must also be the size used, or the text changed. */
        DWORD cchDone = lpszAll ? ExpandEnvironmentStringsA(lpszRaw, lpszAll, cch) : 0;
        if (cchDone && cchDone <= cch)
            bFits = fnStrCopyN(lpszOut, cchOut, lpszAll);
        else
            bFits = fnStrCopyN(lpszOut, cchOut, lpszRaw);
        free(lpszAll);
        return bFits;
    }
    if (dwType == REG_BINARY) {
        lpszOut[0] = '\0';
        BOOL bFits = TRUE;
        for (DWORD i = 0; i < cbData && bFits; i++) {
            char szPair[4];
            fnStrFormat(szPair, "%02x", lpData[i]);
            bFits = fnStrAppendN(lpszOut, cchOut, szPair);
        }
        return bFits;
    }
    if ((dwType == REG_DWORD || dwType == REG_DWORD_BIG_ENDIAN) && cbData >= 4) {
        DWORD dw;
        if (dwType == REG_DWORD)
            memcpy(&dw, lpData, 4);
        else    /* most significant byte first, as it is written */
            dw = ((DWORD)lpData[0] << 24) | ((DWORD)lpData[1] << 16) |
                 ((DWORD)lpData[2] << 8) | lpData[3];
        return fnStrFormatN(lpszOut, cchOut, "%lx", (unsigned long)dw);
    }
    return fnStrCopyN(lpszOut, cchOut, (const char *)lpData);
}

/* The data of one value of an open key, whole, in a block sized by the
   query (two spare zero bytes terminate text that lacks it).  The caller
   frees the block.  ERROR_FILE_NOT_FOUND when the value is missing. */
static LONG fnQueryValueData(HKEY hKey, const char *lpszValue, DWORD *lpdwType, BYTE **lplpData,
                             DWORD *lpcbData)
{
    *lplpData = NULL;
    LONG lErr = ERROR_MORE_DATA;
    /* A value that grows between the two calls is asked for again. */
    for (int nTry = 0; nTry < 3 && lErr == ERROR_MORE_DATA; nTry++) {
        DWORD cbData = 0;
        lErr = RegQueryValueExA(hKey, lpszValue, NULL, lpdwType, NULL, &cbData);
        if (lErr != ERROR_SUCCESS)
            return lErr;
        BYTE *lpData = (BYTE *)calloc((size_t)cbData + 2, 1);
        if (!lpData)
            return ERROR_NOT_ENOUGH_MEMORY;
        lErr = RegQueryValueExA(hKey, lpszValue, NULL, lpdwType, lpData, &cbData);
        if (lErr == ERROR_SUCCESS) {
            *lplpData = lpData;
            *lpcbData = cbData;
            return ERROR_SUCCESS;
        }
        free(lpData);
    }
    return lErr;
}

BOOL fnGetValueText(HKEY hKey, const char *lpszValue, char *lpszOut, size_t cchOut,
                    BOOL *lpbCut)
{
    DWORD dwType = 0, cbData = 0;
    BYTE *lpData;
    if (!cchOut || fnQueryValueData(hKey, lpszValue, &dwType, &lpData, &cbData) != ERROR_SUCCESS)
        return FALSE;
    /* Converted aside, so that a refused value leaves the output untouched. */
    char *lpszText = (char *)malloc(cchOut);
    BOOL bOk = FALSE;
    if (lpszText) {
        BOOL bFits = fnRegDataToText(dwType, lpData, cbData, lpszText, cchOut);
        if (!bFits)
            fnDebugTrace("fnGetRegistry", "Value %s does not fit %u characters", lpszValue,
                         (UINT)(cchOut - 1));
        if (bFits || lpbCut) {
            memcpy(lpszOut, lpszText, strlen(lpszText) + 1);
            if (!bFits)
                *lpbCut = TRUE;
            bOk = TRUE;
        }
    }
    free(lpszText);
    free(lpData);
    return bOk;
}

BOOL fnGetRegistry(HKEY hRoot, const char *lpszLookup, char *lpszOut, size_t cchOut,
                   BOOL *lpbCut)
{
    const char *lpszValue = strrchr(lpszLookup, '\\');
    if (!lpszValue || !cchOut)
        return FALSE;
    char szKey[KSTL8_LINE];
    size_t cchKey = (size_t)(lpszValue - lpszLookup);
    if (cchKey >= sizeof(szKey))
        return FALSE;
    memcpy(szKey, lpszLookup, cchKey);
    szKey[cchKey] = '\0';
    lpszValue++;
    HKEY hKey;
    if (RegOpenKeyExA(hRoot, szKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return FALSE;
    BOOL bOk = fnGetValueText(hKey, lpszValue, lpszOut, cchOut, lpbCut);
    RegCloseKey(hKey);
    return bOk;
}

/* A subkey name made only of digits (at most nine), as a number. */
static BOOL fnNumericName(const char *lpszName, unsigned long *lpulNumber)
{
    size_t cch = strlen(lpszName);
    if (cch == 0 || cch > 9 || strspn(lpszName, "0123456789") != cch)
        return FALSE;
    *lpulNumber = strtoul(lpszName, NULL, 10);
    return TRUE;
}

/* Does the value of the open key begin with lpszData (no case)?  Only the
   beginning matters, so a value too long for the buffer still compares. */
static BOOL fnValueBegins(HKEY hKey, const char *lpszValue, const char *lpszData)
{
    char szText[KSTL8_LINE];
    BOOL bCut = FALSE;
    return fnGetValueText(hKey, lpszValue, szText, sizeof(szText), &bCut) &&
           fnStrCmpNI(szText, lpszData, strlen(lpszData)) == 0;
}

static BOOL fnValueExists(HKEY hKey, const char *lpszValue)
{
    return RegQueryValueExA(hKey, lpszValue, NULL, NULL, NULL, NULL) == ERROR_SUCCESS;
}

/* The tests of one numbered subkey. */
static BOOL fnEnumMatches(HKEY hKey, const char *lpszName, const RegEnumTestStruct *lpTest)
{
    if (!lpTest->lpszTestName[0])
        return TRUE;
    HKEY hSub;
    if (RegOpenKeyExA(hKey, lpszName, 0, KEY_READ, &hSub) != ERROR_SUCCESS)
        return FALSE;
    BOOL bMatch = FALSE;
    if (fnValueExists(hSub, lpTest->lpszTestName) && !lpTest->lpszTestData[0])
        bMatch = TRUE;
    else if (fnValueBegins(hSub, lpTest->lpszTestName, lpTest->lpszTestData))
        bMatch = !lpTest->lpszTest2Name[0] ||
                 (lpTest->lpszTest2Data[0] &&
                  fnValueBegins(hSub, lpTest->lpszTest2Name, lpTest->lpszTest2Data));
    RegCloseKey(hSub);
    return bMatch;
}

BOOL fnRegGetEnum(HKEY hRoot, const char *lpszSubKey, const RegEnumTestStruct *lpTest,
                  char *lpszOut, size_t cchOut)
{
    fnStrCopyN(lpszOut, cchOut, "0000");
    HKEY hKey;
    if (RegOpenKeyExA(hRoot, lpszSubKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return TRUE;
    DWORD dwCount = 0;
    if (RegQueryInfoKeyA(hKey, NULL, NULL, NULL, &dwCount, NULL, NULL, NULL, NULL, NULL, NULL,
                         NULL) != ERROR_SUCCESS || dwCount == 0) {
        /* No subkeys: 0000 is the first free number in every mode. */
        RegCloseKey(hKey);
        return TRUE;
    }
    char cMode = (char)(lpTest->cMode & ~0x20);
    BOOL bFound = FALSE;
    unsigned long ulHighest = 0;
    BOOL bNumbered = FALSE;
    char szName[KSTL8_PATH];
    for (DWORD i = 0; i < dwCount; i++) {
        DWORD cchName = sizeof(szName);
        if (RegEnumKeyExA(hKey, i, szName, &cchName, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        unsigned long ulNumber;
        if (fnNumericName(szName, &ulNumber) && (!bNumbered || ulNumber > ulHighest)) {
            ulHighest = ulNumber;
            bNumbered = TRUE;
        }
        if (!bFound && (cMode != 'F' || i == 0) && fnEnumMatches(hKey, szName, lpTest)) {
            fnStrCopyN(lpszOut, cchOut, szName);
            bFound = TRUE;
        }
    }
    RegCloseKey(hKey);
    /* Without a match, the highest number in use: counting would name a
       subkey that exists when the numbers have a gap. */
    if (!bFound)
        fnStrFormatN(lpszOut, cchOut, "%04lu", bNumbered ? ulHighest : dwCount - 1);
    if (cMode == 'N')
        fnStrFormatN(lpszOut, cchOut, "%04lu", strtoul(lpszOut, NULL, 10) + 1);
    fnDebugTrace("fnRegGetEnum", "lpszSubKey=%s,\nbFound=%d,\nlpszOut=%s", lpszSubKey, bFound,
                 lpszOut);
    return TRUE;
}

void fnReadRegGlobals(void)
{
    if (!fnGetRegistry(HKEY_LOCAL_MACHINE,
                       "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ProgramFilesDir",
                       g_szProgramFilesDir, sizeof(g_szProgramFilesDir)))
        fnLoadString(IDS_PROGRAMFILES, g_szProgramFilesDir, sizeof(g_szProgramFilesDir));
    fnGetShellFolder("Programs", g_szUserProgramsFolder, sizeof(g_szUserProgramsFolder),
                     IDS_DIRPROGRAMS);
    fnDebugTrace("fnReadRegGlobals", "g_szProgramFilesDir=%s,\ng_szUserProgramsFolder=%s",
                 g_szProgramFilesDir, g_szUserProgramsFolder);
}
