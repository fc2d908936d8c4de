/* The name a compressed file takes once expanded: SZDD files (the
 * compress format whose names end in _) keep the character taken out of
 * the name in their header, and a cabinet names its first file. */
#include "install.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include <string.h>

#define SZDD_HEADER    14   /* magic 8, mode 1, character 1, size 4 */
#define CAB_FOLDERS    26   /* offset of the folder count */
#define CAB_FLAGS      30
#define CAB_RESERVE    0x0004
#define CAB_FIRSTNAME  60   /* name of the first file with one folder, no reserve */
#define EXPAND_READ    520

/* The SZDD name: a short extension loses its last _, a third _ becomes
   the stored character.  A stored 0 (as some compressors leave it) would
   cut the name, so the compressed name then stands. */
static void fnSzddName(const char *lpszName, char cStored, char *lpszOut, size_t cchOut)
{
    const char *lpszDot = strrchr(lpszName, '.');
    if (!lpszDot || lpszDot == lpszName)
        return;
    const char *lpszExt = lpszDot + 1;
    size_t cchExt = strlen(lpszExt);
    char szName[KSTL8_PATH];
    if (!fnStrCopy(szName, lpszName))
        return;
    char *lpszNewExt = szName + (lpszExt - lpszName);
    if (cchExt < 3) {
        char *lpszLast = strrchr(lpszNewExt, '_');
        if (lpszLast)
            *lpszLast = '\0';
    } else if (lpszNewExt[2] == '_' && cStored != '\0') {
        lpszNewExt[2] = cStored;
    } else {
        return;
    }
    fnStrCopyN(lpszOut, cchOut, szName);
}

/* The cabinet's first file name, when it is one whole name within what
   was read and has the compressed file's base name. */
static void fnCabinetName(const unsigned char *lpb, DWORD cbRead, const char *lpszName,
                          char *lpszOut, size_t cchOut)
{
    if (cbRead <= CAB_FIRSTNAME || lpb[CAB_FIRSTNAME] == 0)
        return;
    WORD wFolders = (WORD)(lpb[CAB_FOLDERS] | (lpb[CAB_FOLDERS + 1] << 8));
    WORD wFlags = (WORD)(lpb[CAB_FLAGS] | (lpb[CAB_FLAGS + 1] << 8));
    if (wFolders != 1 || (wFlags & CAB_RESERVE))
        return;
    const unsigned char *lpbEnd = (const unsigned char *)memchr(lpb + CAB_FIRSTNAME, 0,
                                                                cbRead - CAB_FIRSTNAME);
    if (!lpbEnd || lpbEnd - (lpb + CAB_FIRSTNAME) >= KSTL8_PATH)
        return;
    char szCab[KSTL8_PATH], szCabBase[KSTL8_PATH], szFile[KSTL8_PATH], szBase[KSTL8_PATH];
    fnStrCopy(szCab, (const char *)lpb + CAB_FIRSTNAME);
    fnStrCopy(szFile, lpszName);
    fnSplitPath(szFile, NULL, NULL, szBase, NULL, NULL, NULL);
    char szCabCopy[KSTL8_PATH];
    fnStrCopy(szCabCopy, szCab);
    fnSplitPath(szCabCopy, NULL, NULL, szCabBase, NULL, NULL, NULL);
    if (fnStrCmpI(szBase, szCabBase) == 0)
        fnStrCopyN(lpszOut, cchOut, szCab);
}

BOOL fnGetExpandedName(const char *lpszPath, char *lpszOut, size_t cchOut)
{
    char szPath[KSTL8_PATH];
    if (!lpszPath || !fnStrCopy(szPath, lpszPath))
        return FALSE;
    fnStripQuotes(szPath);
    /* The whole file name, middle parts and all (A.B.TX_ gives A.B.TX_). */
    const char *lpszName = fnGetFilePart(szPath);
    if (!fnStrCopyN(lpszOut, cchOut, lpszName))
        return FALSE;
    if (!strchr(fnGetExtension(lpszName), '_'))
        return TRUE;
    HANDLE hFile = fnOpenFile(szPath, OPEN_READ);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    if (GetFileType(hFile) != FILE_TYPE_DISK) {
        CloseHandle(hFile);
        return FALSE;
    }
    unsigned char ab[EXPAND_READ];
    DWORD cbRead = 0;
    BOOL bRead = ReadFile(hFile, ab, sizeof(ab), &cbRead, NULL);
    CloseHandle(hFile);
    if (!bRead)
        return FALSE;
    if (cbRead >= SZDD_HEADER && memcmp(ab, "SZDD", 4) == 0)
        fnSzddName(lpszName, (char)ab[9], lpszOut, cchOut);
    else if (cbRead >= 4 && memcmp(ab, "MSCF", 4) == 0)
        fnCabinetName(ab, cbRead, lpszName, lpszOut, cchOut);
    fnDebugTrace("fnGetExpandedName", "lpszPath=%s,\nlpszOut=%s", szPath, lpszOut);
    return TRUE;
}
