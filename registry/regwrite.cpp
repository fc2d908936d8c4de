/* Writing registry values from script text, and deleting values, keys and
 * branches. */
#include "registry.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include <stdlib.h>
#include <string.h>

static int fnHexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

/* Pairs of hexadecimal digits, one byte each; commas and blanks before a
   pair are skipped, a lone digit before a separator is one byte.  Any
   other character refuses the whole text, so no partial data is written. */
static BOOL fnParseBinary(const char *lpszData, BYTE *lpOut, size_t cbOut, DWORD *lpcbData)
{
    DWORD cb = 0;
    const char *p = lpszData;
    for (;;) {
        while (*p == ',' || *p == ' ' || *p == '\t')
            p++;
        if (!*p)
            break;
        int nHigh = fnHexDigit(p[0]);
        if (nHigh < 0 || cb >= cbOut)
            return FALSE;
        int nLow = fnHexDigit(p[1]);
        if (nLow >= 0) {
            lpOut[cb++] = (BYTE)(nHigh * 16 + nLow);
            p += 2;
        } else {
            lpOut[cb++] = (BYTE)nHigh;
            p++;
        }
    }
    *lpcbData = cb;
    return TRUE;
}

/* A number: hexadecimal with a trailing "H" or after "0x", else decimal.
   Parsing stops at the first character that does not belong; a number
   beyond 32 bits is refused rather than cut. */
static BOOL fnParseDword(const char *lpszData, DWORD *lpdw)
{
    size_t cch = strlen(lpszData);
    const char *p = lpszData;
    unsigned uBase = 10;
    if (cch >= 2 && (lpszData[cch - 1] == 'H' || lpszData[cch - 1] == 'h') &&
        fnHexDigit(lpszData[0]) >= 0) {
        uBase = 16;
    } else if (cch >= 3 && (lpszData[1] == 'x' || lpszData[1] == 'X')) {
        uBase = 16;
        p += 2;
    }
    unsigned long long ull = 0;
    for (; *p; p++) {
        int n = fnHexDigit(*p);
        if (n < 0 || (unsigned)n >= uBase)
            break;
        ull = ull * uBase + (unsigned)n;
        if (ull > 0xFFFFFFFFull)
            return FALSE;
    }
    *lpdw = (DWORD)ull;
    return TRUE;
}

BOOL fnRegSetValue(HKEY hKey, const char *lpszName, DWORD dwType, const char *lpszData)
{
    BYTE abData[KSTL8_LINE + 2];
    DWORD cbData = 0;
    switch (dwType) {
    case REG_EXPAND_SZ: {
        /* Stored with its variables already expanded, as 9x readers expect. */
        DWORD cch = ExpandEnvironmentStringsA(lpszData, (char *)abData, KSTL8_LINE);
        if (cch == 0 || cch > KSTL8_LINE)
            return FALSE;
        cbData = (DWORD)strlen((char *)abData) + 1;
        break;
    }
    case REG_BINARY:
        if (!fnParseBinary(lpszData, abData, sizeof(abData), &cbData))
            return FALSE;
        break;
    case REG_DWORD:
    case REG_DWORD_BIG_ENDIAN: {
        DWORD dw;
        if (!fnParseDword(lpszData, &dw))
            return FALSE;
        if (dwType == REG_DWORD) {
            memcpy(abData, &dw, 4);
        } else {
            /* Most significant byte first: readers of this type see the number. */
            abData[0] = (BYTE)(dw >> 24);
            abData[1] = (BYTE)(dw >> 16);
            abData[2] = (BYTE)(dw >> 8);
            abData[3] = (BYTE)dw;
        }
        cbData = 4;
        break;
    }
    default: {
        size_t cch = strlen(lpszData);
        if (cch > KSTL8_LINE - 1)
            return FALSE;
        memcpy(abData, lpszData, cch + 1);
        cbData = (DWORD)cch + 1;
        /* A list of strings ends with an empty one: a second zero. */
        if (dwType == REG_MULTI_SZ)
            abData[cbData++] = '\0';
        break;
    }
    }
    LONG lErr = RegSetValueExA(hKey, lpszName, 0, dwType, abData, cbData);
    fnDebugTrace("fnRegSetValue", "lpszName=%s,\ndwType=%lu,\ncbData=%lu,\nlErr=%ld", lpszName,
                 (unsigned long)dwType, (unsigned long)cbData, (long)lErr);
    return lErr == ERROR_SUCCESS;
}

BOOL fnRegOpenAndSet(HKEY hRoot, const char *lpszSubKey, const char *lpszName,
                     const char *lpszData, DWORD dwType)
{
    HKEY hKey;
    DWORD dwDisposition;
    char szClass[1] = "";
    LONG lErr = RegCreateKeyExA(hRoot, lpszSubKey, 0, szClass, REG_OPTION_NON_VOLATILE,
                                KEY_ALL_ACCESS, NULL, &hKey, &dwDisposition);
    if (lErr != ERROR_SUCCESS) {
        fnDebugTrace("fnRegOpenAndSet", "lpszSubKey=%s,\nlErr=%ld", lpszSubKey, (long)lErr);
        return FALSE;
    }
    /* Value names ignore case in the registry itself: an existing value of
       the name is replaced, never doubled. */
    BOOL bOk = fnRegSetValue(hKey, lpszName, dwType, lpszData);
    RegCloseKey(hKey);
    return bOk;
}

BOOL fnRegDeleteValue(HKEY hRoot, const char *lpszSubKey, const char *lpszName)
{
    if (!lpszSubKey[0] || !lpszName[0])
        return FALSE;
    HKEY hKey;
    LONG lErr = RegOpenKeyExA(hRoot, lpszSubKey, 0, KEY_SET_VALUE, &hKey);
    if (lErr == ERROR_SUCCESS) {
        lErr = RegDeleteValueA(hKey, lpszName);
        RegCloseKey(hKey);
    }
    fnDebugTrace("fnRegDeleteValue", "lpszSubKey=%s,\nlpszName=%s,\nlErr=%ld", lpszSubKey,
                 lpszName, (long)lErr);
    return lErr == ERROR_SUCCESS;
}

BOOL fnRegDeleteValues(HKEY hRoot, const char *lpszSubKey)
{
    HKEY hKey;
    if (RegOpenKeyExA(hRoot, lpszSubKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &hKey) !=
        ERROR_SUCCESS)
        return FALSE;
    DWORD dwValues = 0, cchMaxName = 0;
    BOOL bOk = RegQueryInfoKeyA(hKey, NULL, NULL, NULL, NULL, NULL, NULL, &dwValues,
                                &cchMaxName, NULL, NULL, NULL) == ERROR_SUCCESS;
    char *lpszName = bOk ? (char *)malloc((size_t)cchMaxName + 1) : NULL;
    /* Always the first value: each delete moves the others up.  A value
       that will not go ends the loop instead of retrying it for ever. */
    while (bOk && lpszName && dwValues > 0) {
        DWORD cchName = cchMaxName + 1;
        if (RegEnumValueA(hKey, 0, lpszName, &cchName, NULL, NULL, NULL, NULL) != ERROR_SUCCESS ||
            RegDeleteValueA(hKey, lpszName) != ERROR_SUCCESS)
            break;
        dwValues--;
    }
    DWORD dwLeft = 1;
    bOk = lpszName && RegQueryInfoKeyA(hKey, NULL, NULL, NULL, NULL, NULL, NULL, &dwLeft, NULL,
                                       NULL, NULL, NULL) == ERROR_SUCCESS &&
          dwLeft == 0;
    free(lpszName);
    RegCloseKey(hKey);
    fnDebugTrace("fnRegDeleteValues", "lpszSubKey=%s,\nbOk=%d", lpszSubKey, bOk);
    return bOk;
}

/* Depth first: every subkey of hParent\lpszSubKey, then the key itself. */
static BOOL fnDeleteTree(HKEY hParent, const char *lpszSubKey, UINT uDepth)
{
    HKEY hKey;
    /* The registry nests at most 512 levels; deeper is a loop or damage. */
    if (uDepth > 512 ||
        RegOpenKeyExA(hParent, lpszSubKey, 0, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | DELETE,
                      &hKey) != ERROR_SUCCESS)
        return FALSE;
    BOOL bOk = TRUE;
    char szName[KSTL8_PATH];
    for (;;) {
        DWORD cchName = sizeof(szName);
        LONG lErr = RegEnumKeyExA(hKey, 0, szName, &cchName, NULL, NULL, NULL, NULL);
        if (lErr == ERROR_NO_MORE_ITEMS)
            break;
        /* A subkey that cannot be removed would come back as index 0 again. */
        if (lErr != ERROR_SUCCESS || !fnDeleteTree(hKey, szName, uDepth + 1)) {
            bOk = FALSE;
            break;
        }
    }
    RegCloseKey(hKey);
    return bOk && RegDeleteKeyA(hParent, lpszSubKey) == ERROR_SUCCESS;
}

BOOL fnRegDeleteBranch(HKEY hRoot, const char *lpszSubKey)
{
    /* An empty subkey is the root: never empty a whole root. */
    BOOL bOk = lpszSubKey[0] && fnDeleteTree(hRoot, lpszSubKey, 0);
    fnDebugTrace("fnRegDeleteBranch", "lpszSubKey=%s,\nbOk=%d", lpszSubKey, bOk);
    return bOk;
}

BOOL fnRegDeleteKey(HKEY hRoot, const char *lpszSubKey)
{
    return lpszSubKey[0] && fnRegDeleteValues(hRoot, lpszSubKey) &&
           fnRegDeleteBranch(hRoot, lpszSubKey);
}
