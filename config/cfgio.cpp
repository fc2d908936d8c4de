/* Line reader and writer of the configuration-file editors.  Lines keep
 * their own line ends; new lines get the file's line end (CR LF or LF). */
#include "cfgint.h"
#include "../shell/shell.h"
#include <string.h>

static BOOL fnFillReader(LineReaderStruct *lpRd)
{
    lpRd->iPos = 0;
    lpRd->cbBuf = 0;
    if (lpRd->bEof)
        return TRUE;
    DWORD cbRead = 0;
    if (!ReadFile(lpRd->hFile, lpRd->abBuf, sizeof(lpRd->abBuf), &cbRead, NULL))
        return FALSE;
    lpRd->cbBuf = cbRead;
    if (cbRead == 0)
        lpRd->bEof = TRUE;
    return TRUE;
}

/* The first line end of the file decides how new lines end. */
static void fnDetectLineEnd(LineReaderStruct *lpRd)
{
    fnStrCopy(lpRd->szLineEnd, "\r\n");
    for (DWORD i = 0; i < lpRd->cbBuf; i++)
        if (lpRd->abBuf[i] == '\n') {
            if (i == 0 || lpRd->abBuf[i - 1] != '\r')
                fnStrCopy(lpRd->szLineEnd, "\n");
            return;
        }
}

BOOL fnOpenLineReader(LineReaderStruct *lpRd, const char *lpszFile)
{
    memset(lpRd, 0, sizeof(*lpRd));
    lpRd->hFile = CreateFileA(lpszFile, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (lpRd->hFile == INVALID_HANDLE_VALUE) {
        fnDebugTrace("fnOpenLineReader", "lpszFile=%s, error %lu", lpszFile,
                     (unsigned long)GetLastError());
        return FALSE;
    }
    if (!fnFillReader(lpRd)) {
        fnCloseLineReader(lpRd);
        return FALSE;
    }
    fnDetectLineEnd(lpRd);
    return TRUE;
}

BOOL fnRewindLineReader(LineReaderStruct *lpRd)
{
    if (SetFilePointer(lpRd->hFile, 0, NULL, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return FALSE;
    lpRd->bEof = FALSE;
    return fnFillReader(lpRd);
}

int fnReadCfgLine(LineReaderStruct *lpRd, char *lpszLine, size_t cchLine)
{
    size_t j = 0;
    lpszLine[0] = '\0';
    for (;;) {
        if (lpRd->iPos >= lpRd->cbBuf) {
            if (!fnFillReader(lpRd)) {
                fnDebugTrace("fnReadCfgLine", "Read error %lu", (unsigned long)GetLastError());
                return READ_ERROR;
            }
            if (lpRd->cbBuf == 0)
                return j ? READ_LINE : READ_END;
        }
        char c = lpRd->abBuf[lpRd->iPos++];
        if (c == '\0') {
            /* A NUL byte would be dropped from the copy: refuse the file. */
            fnDebugTrace("fnReadCfgLine", "NUL byte in the file");
            return READ_ERROR;
        }
        if (j + 1 >= cchLine) {
            fnDebugTrace("fnReadCfgLine", "Line longer than %u bytes", (UINT)(cchLine - 1));
            return READ_ERROR;
        }
        lpszLine[j++] = c;
        lpszLine[j] = '\0';
        if (c == '\n')
            return READ_LINE;
    }
}

void fnCloseLineReader(LineReaderStruct *lpRd)
{
    if (lpRd->hFile != INVALID_HANDLE_VALUE && lpRd->hFile)
        CloseHandle(lpRd->hFile);
    lpRd->hFile = INVALID_HANDLE_VALUE;
}

BOOL fnOpenLineWriter(LineWriterStruct *lpWr, const char *lpszFile, const char *lpszLineEnd)
{
    memset(lpWr, 0, sizeof(*lpWr));
    lpWr->bAtLineStart = TRUE;
    fnStrCopy(lpWr->szLineEnd, lpszLineEnd);
    lpWr->hFile = CreateFileA(lpszFile, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (lpWr->hFile == INVALID_HANDLE_VALUE) {
        fnDebugTrace("fnOpenLineWriter", "lpszFile=%s, error %lu", lpszFile,
                     (unsigned long)GetLastError());
        return FALSE;
    }
    return TRUE;
}

static BOOL fnWriteBytes(LineWriterStruct *lpWr, const char *lpData, size_t cb)
{
    if (lpWr->bFailed)
        return FALSE;
    DWORD cbWritten = 0;
    if (cb && (!WriteFile(lpWr->hFile, lpData, (DWORD)cb, &cbWritten, NULL) || cbWritten != cb)) {
        fnDebugTrace("fnWriteCfgLine", "Write error %lu", (unsigned long)GetLastError());
        lpWr->bFailed = TRUE;
        return FALSE;
    }
    return TRUE;
}

BOOL fnWriteCfgLine(LineWriterStruct *lpWr, const char *lpszLine)
{
    size_t cch = strlen(lpszLine);
    if (!cch)
        return !lpWr->bFailed;
    size_t cchEnd = fnLineEndLen(lpszLine);
    if (!fnWriteBytes(lpWr, lpszLine, cch))
        return FALSE;
    lpWr->bWritten = TRUE;
    lpWr->bAtLineStart = cchEnd > 0;
    lpWr->bLastEmpty = cchEnd > 0 && cchEnd == cch;
    lpWr->cbLastEnd = (DWORD)cchEnd;
    return TRUE;
}

BOOL fnWriteCfgNewLine(LineWriterStruct *lpWr, const char *lpszText)
{
    if (!lpWr->bAtLineStart && !fnWriteBytes(lpWr, lpWr->szLineEnd, strlen(lpWr->szLineEnd)))
        return FALSE;
    if (!fnWriteBytes(lpWr, lpszText, strlen(lpszText)) ||
        !fnWriteBytes(lpWr, lpWr->szLineEnd, strlen(lpWr->szLineEnd)))
        return FALSE;
    lpWr->bWritten = TRUE;
    lpWr->bAtLineStart = TRUE;
    lpWr->bLastEmpty = lpszText[0] == '\0';
    lpWr->cbLastEnd = (DWORD)strlen(lpWr->szLineEnd);
    return TRUE;
}

BOOL fnStepBackEmptyLine(LineWriterStruct *lpWr)
{
    if (lpWr->bFailed || !lpWr->bLastEmpty || !lpWr->cbLastEnd)
        return FALSE;
    /* Step back by the line end actually written (1 in an LF file). */
    if (SetFilePointer(lpWr->hFile, -(LONG)lpWr->cbLastEnd, NULL, FILE_CURRENT) ==
            INVALID_SET_FILE_POINTER ||
        !SetEndOfFile(lpWr->hFile)) {
        lpWr->bFailed = TRUE;
        return FALSE;
    }
    lpWr->bLastEmpty = FALSE;
    lpWr->bAtLineStart = TRUE;
    return TRUE;
}

BOOL fnRestartOutput(LineWriterStruct *lpWr)
{
    if (lpWr->bFailed)
        return FALSE;
    if (SetFilePointer(lpWr->hFile, 0, NULL, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
        !SetEndOfFile(lpWr->hFile)) {
        lpWr->bFailed = TRUE;
        return FALSE;
    }
    lpWr->bWritten = FALSE;
    lpWr->bAtLineStart = TRUE;
    lpWr->bLastEmpty = FALSE;
    lpWr->cbLastEnd = 0;
    return TRUE;
}

BOOL fnCloseLineWriter(LineWriterStruct *lpWr)
{
    BOOL bOk = !lpWr->bFailed;
    if (lpWr->hFile != INVALID_HANDLE_VALUE && lpWr->hFile)
        bOk = CloseHandle(lpWr->hFile) && bOk;
    lpWr->hFile = INVALID_HANDLE_VALUE;
    return bOk;
}

size_t fnLineEndLen(const char *lpszLine)
{
    size_t cch = strlen(lpszLine);
    if (cch && lpszLine[cch - 1] == '\n')
        return (cch > 1 && lpszLine[cch - 2] == '\r') ? 2 : 1;
    return 0;
}

void fnCopyNoLineEnd(char *lpszOut, size_t cchOut, const char *lpszLine)
{
    fnStrCopyN(lpszOut, cchOut, lpszLine);
    fnStripCrLf(lpszOut);
}

const char *fnSkipBlanks(const char *lpszText)
{
    while (*lpszText == ' ' || *lpszText == '\t')
        lpszText++;
    return lpszText;
}

void fnTypeInfo(char *lpszOut, size_t cchOut, const char *lpszType, const char *lpszOption)
{
    if (lpszOption && lpszOption[0])
        fnStrFormatN(lpszOut, cchOut, "%s,\"%s\"", lpszType, lpszOption);
    else
        fnStrCopyN(lpszOut, cchOut, lpszType);
}

static BOOL fnIsEchoOff(const char *lpszLine)
{
    return fnStrBeginsI(lpszLine, "ECHO OFF") || fnStrBeginsI(lpszLine, "@ECHO OFF");
}

/* A line that starts Windows: WIN alone, or a path whose name is WIN or
   begins with "WIN.". */
static BOOL fnIsWinLine(const char *lpszLine)
{
    char szLine[1024];
    fnCopyNoLineEnd(szLine, sizeof(szLine), lpszLine);
    fnTrim(szLine);
    const char *lpszName = strrchr(szLine, '\\');
    lpszName = lpszName ? lpszName + 1 : szLine;
    return fnStrCmpI(lpszName, "WIN") == 0 || fnStrBeginsI(lpszName, "WIN.");
}

BOOL fnRewriteWithLine(LineReaderStruct *lpRd, LineWriterStruct *lpWr, const char *lpszNewLine,
                       char cPlace, BOOL bStripBlanks)
{
    char szLine[1024];
    int nRead;
    BOOL bOk = TRUE;
    BOOL bPlaced = FALSE;
    UINT uLine = 0;
    if (cPlace == 'T') {
        bOk = fnWriteCfgNewLine(lpWr, lpszNewLine);
        bPlaced = TRUE;
    }
    while (bOk && (nRead = fnReadCfgLine(lpRd, szLine, sizeof(szLine))) == READ_LINE) {
        uLine++;
        const char *p = bStripBlanks ? fnSkipBlanks(szLine) : szLine;
        const char *lpszBare = fnSkipBlanks(szLine);
        if (!bPlaced && cPlace == 'B' && fnIsWinLine(lpszBare)) {
            bOk = fnWriteCfgNewLine(lpWr, lpszNewLine);
            bPlaced = TRUE;
        }
        /* A: after line 1, or after line 2 when that one is ECHO OFF. */
        if (!bPlaced && cPlace == 'A' && uLine == 2 && !fnIsEchoOff(lpszBare)) {
            bOk = fnWriteCfgNewLine(lpWr, lpszNewLine);
            bPlaced = TRUE;
        }
        bOk = bOk && fnWriteCfgLine(lpWr, p);
        if (!bPlaced && cPlace == 'A' && (uLine == 2 || fnIsEchoOff(lpszBare))) {
            bOk = bOk && fnWriteCfgNewLine(lpWr, lpszNewLine);
            bPlaced = TRUE;
        }
    }
    if (bOk && nRead == READ_ERROR)
        bOk = FALSE;
    if (bOk && !bPlaced)
        bOk = fnWriteCfgNewLine(lpWr, lpszNewLine);
    return bOk;
}
