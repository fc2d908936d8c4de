/* Version strings of a file's version resource. */
#include "install.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include <stdlib.h>
#include <string.h>

static void fnTraceVersionError(DWORD dwError, DWORD dwSize, const char *lpszFile)
{
    const char *lpszWhat = "";
    if ((dwError >= 2 && dwError <= 5) || dwError == 18 || dwError == 32 || dwError == 54)
        lpszWhat = "File problem, ";
    else if (dwError == 14)
        lpszWhat = "Out of memeory, ";
    fnDebugTrace("fnGetFileVersion, GetFileVersionInfo Failed.",
                 "%sdwError=%lu, dwVerSize=%lu.\nlpszFile=%s", lpszWhat, (unsigned long)dwError,
                 (unsigned long)dwSize, lpszFile);
}

/* One string value of the block under the prefix, bounded. */
static void fnQueryVersionString(void *lpBlock, const char *lpszPrefix, const char *lpszName,
                                 char *lpszOut, size_t cchOut)
{
    char szPath[128];
    char *lpszValue = NULL;
    UINT cch = 0;
    if (!lpszOut)
        return;
    if (!cchOut)
        return;
    lpszOut[0] = '\0';
    if (!fnStrFormat(szPath, "%s%s", lpszPrefix, lpszName) ||
        !VerQueryValueA(lpBlock, szPath, (void **)&lpszValue, &cch) || !lpszValue || !cch)
        return;
    /* The value's own length bounds the copy as well as the output: a
       string stored without its terminator is never read past. */
    size_t n = strnlen(lpszValue, cch);
    if (n >= cchOut)
        n = cchOut - 1;
    memcpy(lpszOut, lpszValue, n);
    lpszOut[n] = '\0';
}

BOOL fnGetFileVersion(const char *lpszFile, char *lpszFileVer, size_t cchFileVer,
                      char *lpszProductVer, size_t cchProductVer, char *lpszCopyright,
                      size_t cchCopyright)
{
    if (lpszFileVer && cchFileVer)
        lpszFileVer[0] = '\0';
    if (lpszProductVer && cchProductVer)
        lpszProductVer[0] = '\0';
    if (lpszCopyright && cchCopyright)
        lpszCopyright[0] = '\0';
    DWORD dwHandle = 0;
    DWORD dwSize = GetFileVersionInfoSizeA(lpszFile, &dwHandle);
    if (dwSize == 0) {
        fnTraceVersionError(GetLastError(), dwSize, lpszFile);
        return FALSE;
    }
    void *lpBlock = calloc(dwSize + 128, 1);
    if (!lpBlock) {
        fnTraceVersionError(ERROR_OUTOFMEMORY, dwSize, lpszFile);
        return FALSE;
    }
    if (!GetFileVersionInfoA(lpszFile, 0, dwSize, lpBlock)) {
        fnTraceVersionError(GetLastError(), dwSize, lpszFile);
        free(lpBlock);
        return FALSE;
    }
    char szPrefix[48] = "\\StringFileInfo\\040904E4\\";
    BYTE *lpTrans = NULL;
    UINT cbTrans = 0;
    if (VerQueryValueA(lpBlock, "\\VarFileInfo\\Translation", (void **)&lpTrans, &cbTrans) &&
        lpTrans && cbTrans >= 4)
        fnStrFormat(szPrefix, "\\StringFileInfo\\%02x%02x%02x%02x\\", lpTrans[1], lpTrans[0],
                    lpTrans[3], lpTrans[2]);
    fnQueryVersionString(lpBlock, szPrefix, "FileVersion", lpszFileVer, cchFileVer);
    fnQueryVersionString(lpBlock, szPrefix, "ProductVersion", lpszProductVer, cchProductVer);
    fnQueryVersionString(lpBlock, szPrefix, "LegalCopyRight", lpszCopyright, cchCopyright);
    free(lpBlock);
    return TRUE;
}

/* ---- comparing two files' version resources ---- */

static BOOL fnIsFileError(DWORD dwError)
{
    return (dwError >= 2 && dwError <= 5) || dwError == 14 || dwError == 18 || dwError == 32 ||
           dwError == 54;
}

/* The resource of one file in a new block (128 bytes of slack, zeroed);
   a comparison code on failure, 0 with *lplpBlock set on success. */
static UINT fnLoadVersionBlock(const char *lpszFile, BOOL bSource, void **lplpBlock,
                               DWORD *lpdwSize, DWORD *lpdwError)
{
    DWORD dwHandle = 0;
    *lplpBlock = NULL;
    *lpdwError = 0;
    *lpdwSize = GetFileVersionInfoSizeA(lpszFile, &dwHandle);
    if (*lpdwSize == 0) {
        DWORD dwError = GetLastError();
        /* Windows 9x answers "file not found" for a file that is there but
           has no version resource; NT answers 1812.  Both mean no resource. */
        if (dwError == ERROR_FILE_NOT_FOUND && fnFileExists(lpszFile))
            dwError = ERROR_RESOURCE_DATA_NOT_FOUND;
        *lpdwError = dwError;
        fnDebugTrace("fnCmpFileVersionInfo",
                     bSource ? "GetFileVersionInfoSize error %lu!\nlpszSourceFS=%s"
                             : "GetFileVersionInfoSize error %lu!\nlpszTargetFS=%s",
                     (unsigned long)dwError, lpszFile);
        return fnIsFileError(dwError) ? (bSource ? 3 : 4) : 2;
    }
    *lplpBlock = calloc(*lpdwSize + 128, 1);
    if (!*lplpBlock)
        return 1;
    if (!GetFileVersionInfoA(lpszFile, 0, *lpdwSize, *lplpBlock)) {
        *lpdwError = GetLastError();
        fnDebugTrace("fnCmpFileVersionInfo",
                     bSource ? "GetFileVersionInfo error!\nlpszSourceFS=%s"
                             : "GetFileVersionInfo error!\nlpszTargetFS=%s",
                     lpszFile);
        free(*lplpBlock);
        *lplpBlock = NULL;
        return 1;
    }
    return 0;
}

static BOOL fnFixedBlock(void *lpBlock, VS_FIXEDFILEINFO **lplpFixed)
{
    UINT cb = 0;
    *lplpFixed = NULL;
    return VerQueryValueA(lpBlock, "\\", (void **)lplpFixed, &cb) && *lplpFixed && cb != 0;
}

void fnTranslationText(void *lpBlock, char *lpszOut, size_t cchOut)
{
    BYTE *lpTrans = NULL;
    UINT cb = 0;
    if (VerQueryValueA(lpBlock, "\\VarFileInfo\\Translation", (void **)&lpTrans, &cb) && lpTrans &&
        cb >= 4)
        fnStrFormatN(lpszOut, cchOut, "%02x%02x%02x%02x", lpTrans[1], lpTrans[0], lpTrans[3],
                     lpTrans[2]);
    else
        fnStrCopyN(lpszOut, cchOut, "040904E4");
}

/* Below by the most significant half, then by the least. */
static BOOL fnVersionBelow(DWORD dwMsA, DWORD dwLsA, DWORD dwMsB, DWORD dwLsB)
{
    return dwMsA < dwMsB || (dwMsA == dwMsB && dwLsA < dwLsB);
}

static UINT fnCompareBlocks(void *lpSource, void *lpTarget)
{
    VS_FIXEDFILEINFO *lpS, *lpT;
    if (!fnFixedBlock(lpSource, &lpS) || !fnFixedBlock(lpTarget, &lpT))
        return 5;
    UINT uRC = 6;
    if (lpS->dwFileFlags != lpT->dwFileFlags)
        uRC = 8;
    if (lpS->dwFileOS != lpT->dwFileOS)
        uRC = 9;
    char szS[16], szT[16];
    fnTranslationText(lpSource, szS, sizeof(szS));
    fnTranslationText(lpTarget, szT, sizeof(szT));
    if (fnStrCmpI(szS, szT) != 0)
        uRC = 10;
    if (fnVersionBelow(lpS->dwFileVersionMS, lpS->dwFileVersionLS, lpT->dwFileVersionMS,
                       lpT->dwFileVersionLS))
        uRC = 7;
    if (fnVersionBelow(lpS->dwProductVersionMS, lpS->dwProductVersionLS, lpT->dwProductVersionMS,
                       lpT->dwProductVersionLS))
        uRC = 7;
    return uRC;
}

UINT fnCmpFileVersionInfo(const char *lpszSource, const char *lpszTarget)
{
    return fnCmpFileVersionInfoErr(lpszSource, lpszTarget, NULL);
}

UINT fnCmpFileVersionInfoErr(const char *lpszSource, const char *lpszTarget,
                             DWORD *lpdwTargetError)
{
    void *lpSource = NULL, *lpTarget = NULL;
    DWORD dwSourceSize = 0, dwTargetSize = 0, dwSourceError = 0, dwTargetError = 0;
    UINT uRC = fnLoadVersionBlock(lpszSource, TRUE, &lpSource, &dwSourceSize, &dwSourceError);
    if (uRC == 0)
        uRC = fnLoadVersionBlock(lpszTarget, FALSE, &lpTarget, &dwTargetSize, &dwTargetError);
    if (lpdwTargetError)
        *lpdwTargetError = dwTargetError;
    if (uRC == 0) {
        if (dwSourceSize == dwTargetSize) {
            fnDebugTrace("fnCmpFileVersionInfo version sizes match", "dwSize=%lu",
                         (unsigned long)dwSourceSize);
            uRC = memcmp(lpSource, lpTarget, dwSourceSize) == 0 ? 0 : 5;
        } else {
            uRC = 5;
        }
        if (uRC != 0) {
            fnDebugTrace("fnCmpFileVersionInfo versions do not match", "lpszSourceFS=%s",
                         lpszSource);
            uRC = fnCompareBlocks(lpSource, lpTarget);
        }
    }
    fnDebugTrace("fnCmpFileVersionInfo End",
                 "uRC=%u,\ndwSourceVerInfoSize=%lu,\ndwTargetVerInfoSize=%lu,\nlpszSourceFS=%s,\nlpszTargetFS=%s",
                 uRC, (unsigned long)dwSourceSize, (unsigned long)dwTargetSize, lpszSource,
                 lpszTarget);
    free(lpSource);
    free(lpTarget);
    return uRC;
}

/* ---- the version list of the conflict dialog ---- */

struct CodeTextStruct {
    DWORD dwCode;
    const char *lpszText;
};

static const char *fnCodeText(const CodeTextStruct *lpTable, size_t n, DWORD dwCode)
{
    for (size_t i = 0; i < n; i++)
        if (lpTable[i].dwCode == dwCode)
            return lpTable[i].lpszText;
    return "";
}

static const CodeTextStruct s_aOS[] = {
    { 1, "Windows 16 bit" },         { 2, "OS/2-16 PM-16" },
    { 3, "OS/2-32 PM-32" },          { 4, "Windows 32 bit" },
    { 0x10000, "DOS" },              { 0x10001, "Windows 3.0 or later under DOS" },
    { 0x10004, "Windows-32 under DOS" }, { 0x20000, "OS/2-16" },
    { 0x20002, "OS/2-16 PM-16" },    { 0x30000, "OS/2-32" },
    { 0x30003, "OS/2-32 PM-32" },    { 0x40000, "Windows NT" },
    { 0x40004, "Windows-32 under Windows-NT" },
};

static const CodeTextStruct s_aDrivers[] = {
    { 1, "Printer" }, { 2, "Keyboard" }, { 3, "Language" }, { 4, "Display" },
    { 5, "Mouse" },   { 6, "Network" },  { 7, "System" },   { 8, "Installable" },
    { 9, "Sound" },   { 10, "Communication" },
};

static const CodeTextStruct s_aFonts[] = { { 1, "Raster" }, { 2, "Vector" }, { 3, "TrueType" } };

#define COUNT_OF(a) (sizeof(a) / sizeof((a)[0]))

void fnVersionFlagsText(DWORD dwFlags, char *lpszOut, size_t cchOut)
{
    static const char *const s_apsz[] = { "Debug ",   "Pre-release ", "Patched ",
                                          "Private ", "Info ",        "Special " };
    lpszOut[0] = '\0';
    for (UINT i = 0; i < COUNT_OF(s_apsz); i++)
        if (dwFlags & (1u << i))
            fnStrAppendN(lpszOut, cchOut, s_apsz[i]);
    if (!lpszOut[0])
        fnStrCopyN(lpszOut, cchOut, "No flags");
}

void fnVersionTypeText(DWORD dwType, DWORD dwSubtype, char *lpszOut, size_t cchOut)
{
    char szSub[16] = "";
    const char *lpszType = "";
    switch (dwType) {
    case 1: lpszType = "Application"; break;
    case 2: lpszType = "Dynamic-link library"; break;
    case 7: lpszType = "Static-link library"; break;
    case 3:
        fnStrFormat(szSub, "%s", fnCodeText(s_aDrivers, COUNT_OF(s_aDrivers), dwSubtype));
        lpszType = "Device driver";
        break;
    case 4:
        fnStrFormat(szSub, "%s", fnCodeText(s_aFonts, COUNT_OF(s_aFonts), dwSubtype));
        lpszType = "Font";
        break;
    case 5:
        fnStrFormat(szSub, "%lu", (unsigned long)dwSubtype);
        lpszType = "Virtual device";
        break;
    default: break;
    }
    if (dwType >= 3 && dwType <= 5)
        fnStrFormatN(lpszOut, cchOut, "%s (%s)", lpszType, szSub);
    else
        fnStrCopyN(lpszOut, cchOut, lpszType);
}

static void fnAddListLine(HWND hList, const char *lpszLabel, const char *lpszValue)
{
    char szLine[KSTL8_LINE];
    fnStrFormat(szLine, "%s:\t%s", lpszLabel, lpszValue);
    SendMessageA(hList, LB_ADDSTRING, 0, (LPARAM)szLine);
}

static void fnAddVersionNumber(HWND hList, const char *lpszLabel, DWORD dwMS, DWORD dwLS)
{
    char szValue[48];
    fnStrFormat(szValue, "%d.%d.%d.%d", (int)HIWORD(dwMS), (int)LOWORD(dwMS), (int)HIWORD(dwLS),
                (int)LOWORD(dwLS));
    fnAddListLine(hList, lpszLabel, szValue);
}

/* One tab stop just past the widest label, and room to scroll sideways. */
static void fnSetListTabs(HWND hList)
{
    HDC hDC = GetDC(hList);
    HFONT hOld = (HFONT)SelectObject(hDC, (HFONT)SendMessageA(hList, WM_GETFONT, 0, 0));
    int nWidest = 0, nCount = (int)SendMessageA(hList, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < nCount; i++) {
        char szLine[KSTL8_LINE];
        if (SendMessageA(hList, LB_GETTEXTLEN, i, 0) >= (LRESULT)sizeof(szLine))
            continue;
        SendMessageA(hList, LB_GETTEXT, i, (LPARAM)szLine);
        char *lpszTab = strchr(szLine, '\t');
        SIZE size;
        if (lpszTab && GetTextExtentPoint32A(hDC, szLine, (int)(lpszTab - szLine), &size) &&
            size.cx > nWidest)
            nWidest = size.cx;
    }
    SelectObject(hDC, hOld);
    ReleaseDC(hList, hDC);
    int nBaseX = LOWORD(GetDialogBaseUnits());
    int nTab = (nWidest * 4) / (nBaseX ? nBaseX : 1) + 6;
    SendMessageA(hList, LB_SETTABSTOPS, 1, (LPARAM)&nTab);
    SendMessageA(hList, LB_SETHORIZONTALEXTENT, 2 * GetSystemMetrics(SM_CXSCREEN), 0);
}

BOOL fnFillVersionList(const char *lpszFile, HWND hList)
{
    SendMessageA(hList, LB_RESETCONTENT, 0, 0);
    DWORD dwHandle = 0, dwSize = GetFileVersionInfoSizeA(lpszFile, &dwHandle);
    void *lpBlock = dwSize ? calloc(dwSize + 128, 1) : NULL;
    VS_FIXEDFILEINFO *lpFixed = NULL;
    if (!lpBlock || !GetFileVersionInfoA(lpszFile, 0, dwSize, lpBlock) ||
        !fnFixedBlock(lpBlock, &lpFixed)) {
        free(lpBlock);
        SendMessageA(hList, LB_ADDSTRING, 0, (LPARAM) "Version information is not available.");
        return FALSE;
    }
    SendMessageA(hList, WM_SETREDRAW, FALSE, 0);
    char szText[KSTL8_PATH];
    fnAddVersionNumber(hList, "File version", lpFixed->dwFileVersionMS, lpFixed->dwFileVersionLS);
    fnAddVersionNumber(hList, "Product version", lpFixed->dwProductVersionMS,
                       lpFixed->dwProductVersionLS);
    fnVersionFlagsText(lpFixed->dwFileFlags, szText, sizeof(szText));
    fnAddListLine(hList, "File flags", szText);
    fnAddListLine(hList, "Operating system", fnCodeText(s_aOS, COUNT_OF(s_aOS), lpFixed->dwFileOS));
    fnVersionTypeText(lpFixed->dwFileType, lpFixed->dwFileSubtype, szText, sizeof(szText));
    fnAddListLine(hList, "File type", szText);

    char szPrefix[48] = "\\StringFileInfo\\040904E4\\";
    char szLanguage[KSTL8_SHORT] = "";
    BYTE *lpTrans = NULL;
    UINT cbTrans = 0;
    if (VerQueryValueA(lpBlock, "\\VarFileInfo\\Translation", (void **)&lpTrans, &cbTrans) &&
        lpTrans && cbTrans >= 4) {
        char szTrans[16];
        fnTranslationText(lpBlock, szTrans, sizeof(szTrans));
        fnStrFormat(szPrefix, "\\StringFileInfo\\%s\\", szTrans);
        VerLanguageNameA(MAKEWORD(lpTrans[0], lpTrans[1]), szLanguage, sizeof(szLanguage));
    }
    fnAddListLine(hList, "Language", szLanguage);
    static const char *const s_apszStrings[][2] = {
        { "Comments", "Comments" },          { "Company", "CompanyName" },
        { "Description", "FileDescription" }, { "File version", "FileVersion" },
        { "Internal name", "InternalName" },  { "Copyright", "LegalCopyright" },
        { "Trademarks", "LegalTrademarks" },  { "Original name", "OriginalFilename" },
        { "Private build", "PrivateBuild" },  { "Product name", "ProductName" },
        { "Product version", "ProductVersion" }, { "Special build", "SpecialBuild" },
    };
    for (size_t i = 0; i < COUNT_OF(s_apszStrings); i++) {
        szText[0] = '\0';
        fnQueryVersionString(lpBlock, szPrefix, s_apszStrings[i][1], szText, sizeof(szText));
        fnAddListLine(hList, s_apszStrings[i][0], szText);
    }
    free(lpBlock);
    fnSetListTabs(hList);
    SendMessageA(hList, WM_SETREDRAW, TRUE, 0);
    return TRUE;
}
