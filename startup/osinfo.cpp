/* Windows version and the program's own version resource. */
#include "startup.h"
#include "../shell/shell.h"
#include <string.h>
#include <stdlib.h>

/* Decimal digits of a text read as one number ("Service Pack 6a" gives 6). */
static UINT fnDigitsValue(const char *lpszText)
{
    UINT u = 0;
    for (; *lpszText; lpszText++)
        if (*lpszText >= '0' && *lpszText <= '9')
            u = u * 10 + (UINT)(*lpszText - '0');
    return u;
}

static void fnDecode9x(const OSVERSIONINFOA *lpVer, OSInfoStruct *lpOS, const char *lpszSuffix)
{
    char szSuffix[KSTL8_SHORT + 4];
    fnStrCopy(szSuffix, lpszSuffix);
    const char *lpszFmt;
    lpOS->uWinFamily = 2;
    lpOS->dwWinBuild = lpVer->dwBuildNumber & 0xFFFF;
    if (lpVer->dwMinorVersion == 0) {
        fnStrCopy(lpOS->szWinID, "W95");
        lpOS->uWinVersion = 1;
        if (!lpOS->szWinVSDescription[0]) {
            if (lpOS->dwWinBuild >= 1080) {
                lpOS->uWinSR = 2;
                fnStrCopy(szSuffix, ", OEM SR 2");
            } else if (lpOS->dwWinBuild >= 1024) {
                lpOS->uWinSR = 1;
                fnStrCopy(szSuffix, ", SR 1");
            }
        }
        lpszFmt = "95, Vs. %lu.%lu, build %lu%s";
    } else if (lpVer->dwMinorVersion < 90) {
        fnStrCopy(lpOS->szWinID, "W98");
        lpOS->uWinVersion = 2;
        lpszFmt = "98, Vs. %lu.%lu, build %lu%s";
    } else {
        fnStrCopy(lpOS->szWinID, "WME");
        lpOS->uWinVersion = 5;
        lpszFmt = "ME, Vs. %lu.%lu, build %lu%s";
    }
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    fnStrFormat(lpOS->szWinVersionText, lpszFmt, (unsigned long)lpOS->dwWinMajor,
                (unsigned long)lpOS->dwWinMinor, (unsigned long)lpOS->dwWinBuild, szSuffix);
#pragma GCC diagnostic pop
}

static void fnDecodeNT(OSInfoStruct *lpOS, const char *lpszSuffix)
{
    const char *lpszFmt;
    lpOS->bWinNT = 1;
    lpOS->uWinFamily = 3;
    lpOS->uWinVersion = 3;
    lpOS->uWinSR = fnDigitsValue(lpOS->szWinVSDescription);
    if (lpOS->dwWinMajor < 5) {
        fnStrCopy(lpOS->szWinID, "WNT");
        lpszFmt = "NT, Vs. %lu.%lu, build %lu%s";
    } else if (lpOS->dwWinMajor == 5 && lpOS->dwWinMinor == 0) {
        /* Only 5.0 is 2000; 6.x and later count as XP-class. */
        fnStrCopy(lpOS->szWinID, "W2K");
        lpOS->uWinVersion = 4;
        lpszFmt = "2000, Vs. %lu.%lu, build %lu%s";
    } else {
        fnStrCopy(lpOS->szWinID, "WXP");
        lpOS->uWinVersion = 6;
        lpszFmt = "XP, Vs. %lu.%lu, build %lu%s";
    }
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    fnStrFormat(lpOS->szWinVersionText, lpszFmt, (unsigned long)lpOS->dwWinMajor,
                (unsigned long)lpOS->dwWinMinor, (unsigned long)lpOS->dwWinBuild, lpszSuffix);
#pragma GCC diagnostic pop
}

void fnDecodeOSVersion(const OSVERSIONINFOA *lpVer, OSInfoStruct *lpOS)
{
    memset(lpOS, 0, sizeof(*lpOS));
    lpOS->dwWinMajor = lpVer->dwMajorVersion;
    lpOS->dwWinMinor = lpVer->dwMinorVersion;
    lpOS->dwWinPlatformID = lpVer->dwPlatformId;
    lpOS->dwWinBuild = lpVer->dwBuildNumber;
    fnStrCopy(lpOS->szWinVSDescription, lpVer->szCSDVersion);
    char szSuffix[KSTL8_SHORT + 4] = "";
    if (lpOS->szWinVSDescription[0] && lpOS->szWinVSDescription[0] != ' ')
        fnStrFormat(szSuffix, ", %s", lpOS->szWinVSDescription);
    lpOS->uWinFamily = 2;
    lpOS->uWinVersion = 1;
    fnStrFormat(lpOS->szWinVersionText, "%lu.%lu", (unsigned long)lpOS->dwWinMajor,
                (unsigned long)lpOS->dwWinMinor);
    switch (lpVer->dwPlatformId) {
    case VER_PLATFORM_WIN32s:
        lpOS->uWinFamily = 1;
        lpOS->uWinVersion = 0;
        fnStrFormat(lpOS->szWinVersionText, "32s\n%lu.%lu", (unsigned long)lpOS->dwWinMajor,
                    (unsigned long)lpOS->dwWinMinor);
        break;
    case VER_PLATFORM_WIN32_WINDOWS:
        fnDecode9x(lpVer, lpOS, szSuffix);
        break;
    case VER_PLATFORM_WIN32_NT:
        fnDecodeNT(lpOS, szSuffix);
        break;
    }
}

BOOL fnGetOSVersionInfo(OSInfoStruct *lpOS)
{
    OSVERSIONINFOA ver;
    memset(&ver, 0, sizeof(ver));
    ver.dwOSVersionInfoSize = sizeof(ver);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&ver))
        return FALSE;
#pragma GCC diagnostic pop
    fnDebugTrace("fnGetOSVersionInfo",
                 "dwMajorVersion=%lu,\ndwMinorVersion=%lu,\ndwBuildNumber=%lu,\ndwPlatformId=%lu,\nszCSDVersion=%s",
                 (unsigned long)ver.dwMajorVersion, (unsigned long)ver.dwMinorVersion,
                 (unsigned long)ver.dwBuildNumber, (unsigned long)ver.dwPlatformId,
                 ver.szCSDVersion);
    fnDecodeOSVersion(&ver, lpOS);
    return TRUE;
}

BOOL fnGetOwnVersion(char *lpszVersion, size_t cchVersion)
{
    char szPath[KSTL8_PATH];
    if (!GetModuleFileNameA(NULL, szPath, sizeof(szPath)))
        return FALSE;
    DWORD dwHandle = 0;
    DWORD cbInfo = GetFileVersionInfoSizeA(szPath, &dwHandle);
    if (cbInfo == 0)
        return FALSE;
    void *lpInfo = malloc(cbInfo);
    if (!lpInfo)
        return FALSE;
    BOOL bOk = FALSE;
    if (GetFileVersionInfoA(szPath, 0, cbInfo, lpInfo)) {
        struct { WORD wLang, wCodePage; } *lpTrans = NULL;
        UINT cbTrans = 0;
        char szKey[64] = "\\StringFileInfo\\040904E4\\ProductVersion";
        if (VerQueryValueA(lpInfo, "\\VarFileInfo\\Translation", (void **)&lpTrans, &cbTrans) &&
            cbTrans >= 4)
            fnStrFormat(szKey, "\\StringFileInfo\\%04X%04X\\ProductVersion", lpTrans->wLang,
                        lpTrans->wCodePage);
        char *lpszValue = NULL;
        UINT cchValue = 0;
        if (VerQueryValueA(lpInfo, szKey, (void **)&lpszValue, &cchValue) && cchValue)
            bOk = fnStrCopyN(lpszVersion, cchVersion, lpszValue);
    }
    free(lpInfo);
    return bOk;
}
