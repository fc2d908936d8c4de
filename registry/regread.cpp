/* Reading registry values as text. */
#include "registry.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../script/macro.h"
#include "../resources/strings.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

struct RootNameStruct {
    const char *lpszName;
    HKEY hKey;
};

static const RootNameStruct s_aRoots[] = {
    { "HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT },   { "HKCR", HKEY_CLASSES_ROOT },
    { "HKEY_CURRENT_USER", HKEY_CURRENT_USER },   { "HKCU", HKEY_CURRENT_USER },
    { "HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE }, { "HKLM", HKEY_LOCAL_MACHINE },
    { "HKEY_USERS", HKEY_USERS },                 { "HKU", HKEY_USERS },
    { "HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG }, { "HKCC", HKEY_CURRENT_CONFIG },
    { "HKEY_DYN_DATA", HKEY_DYN_DATA },           { "HKDD", HKEY_DYN_DATA },
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
    char szRoot[32];
    const char *lpszSlash = strchr(lpszPath, '\\');
    size_t cch = lpszSlash ? (size_t)(lpszSlash - lpszPath) : strlen(lpszPath);
    if (cch >= sizeof(szRoot))
        return FALSE;
    memcpy(szRoot, lpszPath, cch);
    szRoot[cch] = '\0';
    *lphRoot = fnRootKeyFromName(szRoot);
    *lplpszSubKey = lpszSlash ? lpszSlash + 1 : lpszPath + cch;
    return *lphRoot != NULL;
}

/* Turn the data read into text; *lpbCut when it did not fit. */
static void fnRegDataToText(DWORD dwType, const BYTE *lpData, DWORD cbData, char *lpszOut,
                            size_t cchOut, BOOL *lpbCut)
{
    BOOL bFits = TRUE;
    if (dwType == REG_EXPAND_SZ) {
        const char *lpszRaw = (const char *)lpData;
        DWORD cch = ExpandEnvironmentStringsA(lpszRaw, NULL, 0);
        char *lpszAll = (char *)malloc(cch ? cch : 1);
        if (lpszAll && cch && ExpandEnvironmentStringsA(lpszRaw, lpszAll, cch))
            bFits = fnStrCopyN(lpszOut, cchOut, lpszAll);
        else
            bFits = fnStrCopyN(lpszOut, cchOut, lpszRaw);
        free(lpszAll);
    } else if (dwType == REG_BINARY) {
        lpszOut[0] = '\0';
        for (DWORD i = 0; i < cbData && bFits; i++) {
            char szPair[4];
            snprintf(szPair, sizeof(szPair), "%02x", lpData[i]);
            bFits = fnStrAppendN(lpszOut, cchOut, szPair);
        }
    } else if ((dwType == REG_DWORD || dwType == REG_DWORD_BIG_ENDIAN) && cbData >= 4) {
        DWORD dw;
        memcpy(&dw, lpData, 4);
        bFits = fnStrFormatN(lpszOut, cchOut, "%lx", (unsigned long)dw);
    } else {
        bFits = fnStrCopyN(lpszOut, cchOut, (const char *)lpData);
    }
    if (lpbCut && !bFits)
        *lpbCut = TRUE;
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
    DWORD dwType = 0, cbData = 0;
    BOOL bOk = FALSE;
    if (RegQueryValueExA(hKey, lpszValue, NULL, &dwType, NULL, &cbData) == ERROR_SUCCESS) {
        /* Room for a terminator the stored data may lack. */
        BYTE *lpData = (BYTE *)calloc(cbData + 2, 1);
        DWORD cbRead = cbData;
        if (lpData &&
            RegQueryValueExA(hKey, lpszValue, NULL, &dwType, lpData, &cbRead) == ERROR_SUCCESS) {
            fnRegDataToText(dwType, lpData, cbRead, lpszOut, cchOut, lpbCut);
            bOk = TRUE;
        }
        free(lpData);
    }
    RegCloseKey(hKey);
    return bOk;
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
