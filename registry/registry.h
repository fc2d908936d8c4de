/* Registry access: root names, reading one value as text, writing and
 * deleting values and keys, numbered subkeys, the registry sections, and
 * the registry-held globals read at start-up. */
#ifndef KSTL8_REGISTRY_H
#define KSTL8_REGISTRY_H

#include <windows.h>
#include <stddef.h>

/* ---- regread.cpp ---- */
/* The root key a full name such as "HKEY_CURRENT_USER" stands for, or
   NULL for an unknown name. */
HKEY fnRootKeyFromName(const char *lpszName);
/* Split "ROOT\sub\key" into its root key and the rest (leading
   backslashes skipped).  The root name must open the text and be followed
   by a backslash; "HKEY_CURRENT_USER\" is the root itself, a bare
   "HKEY_CURRENT_USER" has no root.  FALSE (*lphRoot NULL) without one. */
BOOL fnSplitRegKey(const char *lpszPath, HKEY *lphRoot, const char **lplpszSubKey);
/* Read the value that the lookup "sub\key\value" names, as text: an
   expandable string expanded, binary data as "%02x" pairs, a DWORD as
   "%lx", other types as text.  The value is read whole.  A text that does
   not fit cchOut is FALSE when lpbCut is NULL; with lpbCut it is cut and
   *lpbCut set.  FALSE when the key or the value cannot be read (lpszOut
   is then untouched). */
BOOL fnGetRegistry(HKEY hRoot, const char *lpszLookup, char *lpszOut, size_t cchOut,
                   BOOL *lpbCut = NULL);
/* The same for a value of a key that is already open. */
BOOL fnGetValueText(HKEY hKey, const char *lpszValue, char *lpszOut, size_t cchOut,
                    BOOL *lpbCut = NULL);

/* The tests an Enum line puts to each numbered subkey. */
struct RegEnumTestStruct {
    const char *lpszTestName;
    const char *lpszTestData;
    const char *lpszTest2Name;
    const char *lpszTest2Data;
    char cMode;                 /* 'L' (default), 'N' next free, 'F' first only */
};
/* The first subkey of lpszSubKey that passes the tests, else the highest
   numbered subkey ("%04lu"); mode N adds one.  "0000" when the key is
   missing or has no subkeys.  Always TRUE. */
BOOL fnRegGetEnum(HKEY hRoot, const char *lpszSubKey, const RegEnumTestStruct *lpTest,
                  char *lpszOut, size_t cchOut);
/* g_szProgramFilesDir and g_szUserProgramsFolder, once at start-up. */
void fnReadRegGlobals(void);

/* ---- regwrite.cpp ---- */
/* Convert lpszData by the registry type and write it to the open key.
   FALSE, nothing written, when the data is not valid for the type or its
   conversion does not fit. */
BOOL fnRegSetValue(HKEY hKey, const char *lpszName, DWORD dwType, const char *lpszData);
/* Create or open hRoot\lpszSubKey with full access and set one value. */
BOOL fnRegOpenAndSet(HKEY hRoot, const char *lpszSubKey, const char *lpszName,
                     const char *lpszData, DWORD dwType);
/* Remove one value; key and value name must not be empty. */
BOOL fnRegDeleteValue(HKEY hRoot, const char *lpszSubKey, const char *lpszName);
/* Remove every value of the key; TRUE when none is left. */
BOOL fnRegDeleteValues(HKEY hRoot, const char *lpszSubKey);
/* Remove the key with all its subkeys, depth first.  An empty subkey (the
   root itself) is refused. */
BOOL fnRegDeleteBranch(HKEY hRoot, const char *lpszSubKey);
/* Remove the key's values, then the key with its subkeys. */
BOOL fnRegDeleteKey(HKEY hRoot, const char *lpszSubKey);

/* ---- regsection.cpp ---- */
/* [Registry] and the other registry sections: TRUE go on, FALSE the
   section failed. */
int fnInfRegistry(HWND hWnd, char *lpszText);
BOOL fnRegistrySection(HWND hWnd, char *lpszFirstLine);

#endif
