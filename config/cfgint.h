/* Pieces shared by the text editor and the PATH editor: a line reader
 * and a line writer over file handles, and the install-log helpers. */
#ifndef KSTL8_CFGINT_H
#define KSTL8_CFGINT_H

#include <windows.h>
#include <stddef.h>

#define READ_LINE    1      /* a line was read */
#define READ_END     0      /* end of the file */
#define READ_ERROR  (-1)    /* read failure, NUL byte, or a line over the buffer */

struct LineReaderStruct {
    HANDLE hFile;
    char abBuf[4096];
    DWORD cbBuf;
    DWORD iPos;
    BOOL bEof;
    char szLineEnd[3];      /* the file's first line end, CR LF when it has none */
};

struct LineWriterStruct {
    HANDLE hFile;
    BOOL bFailed;
    BOOL bWritten;          /* something was written */
    BOOL bAtLineStart;      /* the output is empty or ends with a line end */
    BOOL bLastEmpty;        /* the last line written was a line end alone */
    DWORD cbLastEnd;        /* the length of the last line end written */
    char szLineEnd[3];      /* the line end of new lines */
};

/* ---- cfgio.cpp ---- */
BOOL fnOpenLineReader(LineReaderStruct *lpRd, const char *lpszFile);
BOOL fnRewindLineReader(LineReaderStruct *lpRd);
/* The next line with its line end into lpszLine: READ_LINE, READ_END or
   READ_ERROR.  A line is complete only when it fits cchLine - 1. */
int fnReadCfgLine(LineReaderStruct *lpRd, char *lpszLine, size_t cchLine);
void fnCloseLineReader(LineReaderStruct *lpRd);

BOOL fnOpenLineWriter(LineWriterStruct *lpWr, const char *lpszFile, const char *lpszLineEnd);
/* Copy a line as read (with its own line end, or none). */
BOOL fnWriteCfgLine(LineWriterStruct *lpWr, const char *lpszLine);
/* Write a text as a line of its own: a line end first when the output
   does not end with one, then the text and the file's line end. */
BOOL fnWriteCfgNewLine(LineWriterStruct *lpWr, const char *lpszText);
/* Take back the last line when it was an empty line; TRUE when it was. */
BOOL fnStepBackEmptyLine(LineWriterStruct *lpWr);
/* Discard everything written so far. */
BOOL fnRestartOutput(LineWriterStruct *lpWr);
/* Close; FALSE when any write failed. */
BOOL fnCloseLineWriter(LineWriterStruct *lpWr);

/* Copy the rest of the reader to the writer with lpszNewLine placed by
   cPlace: T first; A after the first line, or after the second when that
   is an ECHO OFF line; B before the first line that starts Windows; the
   end when there is no such place.  bStripBlanks drops leading blanks. */
BOOL fnRewriteWithLine(LineReaderStruct *lpRd, LineWriterStruct *lpWr, const char *lpszNewLine,
                       char cPlace, BOOL bStripBlanks);

/* ---- textedit.cpp ---- */
/* A profile section as a list of plain entries (option G), edited as
   text: lpszEntry is added as the last entry unless the key or the entry
   is there; action D removes it.  The platform's section writer cannot
   be used: Wine's drops every entry without "=". */
BOOL fnEditProfileList(const char *lpszFile, const char *lpszTempFile, const char *lpszSection,
                       const char *lpszKey, const char *lpszEntry, char cAction);

/* Length of the line end at the end of lpszLine (0, 1 or 2). */
size_t fnLineEndLen(const char *lpszLine);
/* A copy of the line without its line end, for comparisons and the log. */
void fnCopyNoLineEnd(char *lpszOut, size_t cchOut, const char *lpszLine);
/* The text without leading blanks and tabs. */
const char *fnSkipBlanks(const char *lpszText);
/* An ASCII letter in upper case; other characters as they are. */
inline char fnUpperChar(char c)
{
    return (c >= 'a' && c <= 'z') ? (char)(c - 'a' + 'A') : c;
}
/* The type info of the log records: the type letters, and ,"option"
   when an option was given. */
void fnTypeInfo(char *lpszOut, size_t cchOut, const char *lpszType, const char *lpszOption);

#endif
