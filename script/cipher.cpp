/* Script cipher: a running substitution whose row is chosen by the plain
 * character before each one.  Bytes 0 and 128-255 pass through. */
#include "script.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include "../install/install.h"
#include "../resources/resource.h"
#include <stdlib.h>
#include <string.h>

#include "ciphertable.inc"

BOOL fnCipherTableValid(void)
{
    for (int r = 0; r < 127; r++) {
        BOOL abSeen[128] = { FALSE };
        for (int j = 0; j < 127; j++) {
            unsigned char b = s_abCipherTable[r][j];
            if (b < 1 || b > 127 || abSeen[b])
                return FALSE;
            abSeen[b] = TRUE;
        }
    }
    return TRUE;
}

BOOL fnShiftEnCrypt(char *lpszText, UINT uOffset, DWORD cbText)
{
    if (!lpszText || !*lpszText || cbText == 0 || uOffset > 126)
        return FALSE;
    UINT r = uOffset;
    for (DWORD i = 0; i < cbText; i++) {
        unsigned char c = (unsigned char)lpszText[i];
        if (c == 0 || c > 127)
            continue;
        UINT j = c - 1u;
        lpszText[i] = (char)s_abCipherTable[r][j];
        r = j;
    }
    return TRUE;
}

BOOL fnShiftDeCrypt(char *lpszText, UINT uOffset, DWORD cbText)
{
    if (!lpszText || !*lpszText || cbText == 0 || uOffset > 126)
        return FALSE;
    UINT r = uOffset;
    for (DWORD i = 0; i < cbText; i++) {
        unsigned char c = (unsigned char)lpszText[i];
        if (c == 0 || c > 127)
            continue;
        const unsigned char *lpRow = s_abCipherTable[r];
        const unsigned char *lpHit = (const unsigned char *)memchr(lpRow, c, 127);
        if (!lpHit)
            continue;
        UINT j = (UINT)(lpHit - lpRow);
        lpszText[i] = (char)(j + 1);
        r = j;
    }
    return TRUE;
}

UINT fnRandomOffset(UINT uLowest, UINT uHighest)
{
    SYSTEMTIME st;
    GetSystemTime(&st);
    srand(st.wMilliseconds);
    (void)rand();
    UINT uSpan = uHighest - uLowest + 1;
    UINT u = uLowest + (UINT)(((unsigned long long)(rand() & 0x7FFF) * uSpan) / 32768u);
    if (u < uLowest || u > uHighest)
        u = uLowest + (UINT)(rand() % (int)uSpan);
    return u;
}

BOOL fnScriptBackupName(const char *lpszScript, char *lpszOut, size_t cchOut)
{
    char szTry[KSTL8_PATH];
    int nFree = 0;
    for (int n = 99; n >= 0; n--) {
        if (!fnStrFormat(szTry, "%s.^%02d", lpszScript, n))
            return FALSE;
        if (fnFileExists(szTry)) {
            if (n == 99)
                return FALSE;
            nFree = n + 1;
            break;
        }
    }
    return fnStrFormat(szTry, "%s.^%02d", lpszScript, nFree) &&
           fnStrCopyN(lpszOut, cchOut, szTry);
}

/* Keep a copy of the script before it is rewritten.  No free name means
   no backup; the rewrite itself is still all or nothing. */
static BOOL fnBackUpScript(const char *lpszScript)
{
    char szBackup[KSTL8_PATH];
    if (!fnScriptBackupName(lpszScript, szBackup, sizeof(szBackup))) {
        fnDebugTrace("fnLoadInf", "No free backup name for %s", lpszScript);
        return TRUE;
    }
    if (!CopyFileA(lpszScript, szBackup, TRUE)) {
        fnMessageBox(IDS_SAVEERROR, NULL, MB_OK | MB_ICONSTOP, lpszScript, szBackup);
        return FALSE;
    }
    return TRUE;
}

static BOOL fnEncipherBlock(const char *lpszScript, char *lpBuf, DWORD cbRead)
{
    UINT uOffset = fnRandomOffset(1, 126);
    fnDebugTrace("fnLoadInf", "Before fnShiftEnCrypt - \nuOffset=%u,\ndwInfSize=%lu\nlpszInf=%.1024s",
                 uOffset, (unsigned long)cbRead, lpBuf);
    /* Room for the two leading bytes: shift the text up. */
    memmove(lpBuf + 2, lpBuf, cbRead);
    lpBuf[0] = '@';
    lpBuf[1] = (char)uOffset;
    if (!fnShiftEnCrypt(lpBuf + 2, uOffset, cbRead)) {
        fnMessageBox(IDS_READERROR, NULL, MB_OK | MB_ICONSTOP, lpszScript);
        return FALSE;
    }
    if (!fnBackUpScript(lpszScript))
        return FALSE;
    if (!fnWriteFileSafely(lpszScript, lpBuf, cbRead + 2)) {
        fnMessageBox(IDS_WRITEERROR, NULL, MB_OK | MB_ICONSTOP, lpszScript);
        return FALSE;
    }
    return TRUE;
}

static BOOL fnDecipherBlock(const char *lpszScript, char *lpBuf, DWORD cbRead)
{
    if (cbRead < 3 || lpBuf[0] != '@') {
        fnMessageBox(0, NULL, MB_OK | MB_ICONINFORMATION,
                     "%s is not enciphered; it was left unchanged.", lpszScript);
        return FALSE;
    }
    UINT uOffset = (unsigned char)lpBuf[1];
    if (uOffset < 1 || uOffset > 126 || !fnShiftDeCrypt(lpBuf + 2, uOffset, cbRead - 2)) {
        fnMessageBox(IDS_READERROR, NULL, MB_OK | MB_ICONSTOP, lpszScript);
        return FALSE;
    }
    if (!fnBackUpScript(lpszScript))
        return FALSE;
    if (!fnWriteFileSafely(lpszScript, lpBuf + 2, cbRead - 2)) {
        fnMessageBox(IDS_WRITEERROR, NULL, MB_OK | MB_ICONSTOP, lpszScript);
        return FALSE;
    }
    return TRUE;
}

BOOL fnCipherScriptFile(const char *lpszScript, UINT uMode)
{
    DWORD cbRead = 0;
    BOOL bCut = FALSE;
    /* Two bytes more than a script may hold, for "@" and the offset. */
    char *lpBuf = fnReadWholeFile(lpszScript, INF_BUFFER_SIZE + 2, &cbRead, &bCut);
    if (!lpBuf) {
        fnMessageBox(IDS_FILENOTFOUND, NULL, MB_OK | MB_ICONSTOP, lpszScript);
        return FALSE;
    }
    BOOL bOk = FALSE;
    /* An enciphered file carries two bytes more than its text. */
    DWORD cbLimit = (uMode == 2) ? INF_BUFFER_SIZE + 1 : INF_BUFFER_SIZE - 1;
    if (cbRead > cbLimit || bCut)
        fnMessageBox(0, NULL, MB_OK | MB_ICONSTOP,
                     "%s is larger than %lu bytes; it was left unchanged.", lpszScript,
                     (unsigned long)(INF_BUFFER_SIZE - 1));
    else if (cbRead == 0)
        fnMessageBox(IDS_FILEEMPTY, NULL, MB_OK | MB_ICONSTOP, lpszScript);
    else if (uMode == 1)
        bOk = fnEncipherBlock(lpszScript, lpBuf, cbRead);
    else
        bOk = fnDecipherBlock(lpszScript, lpBuf, cbRead);
    free(lpBuf);
    return bOk;
}
