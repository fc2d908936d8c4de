/* Registry access: root names, reading one value as text, and the
 * registry-held globals read at start-up. */
#ifndef KSTL8_REGISTRY_H
#define KSTL8_REGISTRY_H

#include <windows.h>
#include <stddef.h>

/* The root key a name such as "HKLM" or "HKEY_CURRENT_USER" stands for,
   or NULL for an unknown name. */
HKEY fnRootKeyFromName(const char *lpszName);
/* Split "ROOT\sub\key" into its root key and the rest; FALSE for an
   unknown root. */
BOOL fnSplitRegKey(const char *lpszPath, HKEY *lphRoot, const char **lplpszSubKey);
/* Read the value that the lookup "sub\key\value" names, as text: an
   expandable string expanded, binary data as "%02x" pairs, a DWORD as
   "%lx", other types as text.  The value is read whole; *lpbCut (when
   given) is set when the text did not fit and was cut.  FALSE when the key or
   the value cannot be read (lpszOut is then untouched). */
BOOL fnGetRegistry(HKEY hRoot, const char *lpszLookup, char *lpszOut, size_t cchOut,
                   BOOL *lpbCut = NULL);
/* g_szProgramFilesDir and g_szUserProgramsFolder, once at start-up. */
void fnReadRegGlobals(void);

#endif
