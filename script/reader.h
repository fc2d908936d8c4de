/* Line and field reader: sections, entry lines, keys and parameters,
 * line conditions. */
#ifndef KSTL8_READER_H
#define KSTL8_READER_H

#include <windows.h>
#include <stddef.h>

#define LINE_MAX_CHARS   1023   /* characters of a line that are kept */

#define COND_NONE   100     /* the line has no condition */
#define COND_HOLDS  101
#define COND_FAILS  102

/* The position after the line of lpszHeader ("[Files]"), or NULL; a
   "[End]" header ends the search. */
char *fnLocateSection(char *lpszText, const char *lpszHeader);
/* Copy the next entry line (no comment, no blank line) into lpszLine and
   return the position after it; NULL at a header or the end of the text
   (lpszLine is then empty).  A last line without a line break is read;
   the tail of a line longer than 1,023 characters is skipped. */
char *fnGetSectionLine(char *lpszPos, char *lpszLine, size_t cchLine);
/* Entry lines of the section (or of the text when lpszHeader is NULL). */
UINT fnCountSectionLines(char *lpszText, const char *lpszHeader, UINT uMax);
/* Parameter n of a line (0 is the key).  FALSE with an empty buffer when
   the line has no such parameter, or when it does not fit the buffer. */
BOOL fnGetParam(const char *lpszLine, UINT n, char *lpszOut, size_t cchOut);
/* As fnGetParam; on FALSE and not quiet shows message 1044. */
BOOL fnGetParamMsg(const char *lpszLine, UINT n, char *lpszOut, size_t cchOut);
/* When lpszKey equals lpszWanted (no case): parameter 1 of the line,
   macro-expanded, goes to lpszDest, lpszKey is emptied, TRUE. */
BOOL fnGetKeyParam(const char *lpszLine, char *lpszKey, size_t cchKey, char *lpszDest,
                   size_t cchDest, const char *lpszWanted);
/* Compare macro-expanded value and pattern ("~" negates): 101 or 102. */
int fnCompareValues(const char *lpszValue, const char *lpszPattern);
/* Test the condition in front of an entry; the line keeps only the entry
   when it has the conditional form.  100, 101 or 102. */
int fnTestLineCondition(char *lpszLine, size_t cchLine);
/* The same for lines that are lists of fields ("test=expected, a, b"):
   a line is conditional when its first "=" comes before its first ",". */
int fnTestListCondition(char *lpszLine, size_t cchLine);
/* Field n (from 1) of a text split at any character of lpszDelims; a
   missing field gives an empty buffer and TRUE; FALSE when it does not fit. */
BOOL fnGetDelimParam(const char *lpszText, const char *lpszDelims, UINT n, char *lpszOut,
                     size_t cchOut);
/* TRUE when one of the parameters 1, 2, ... equals lpszText once expanded. */
BOOL fnIsParamInLine(const char *lpszLine, const char *lpszText);
/* Text up to the next CR; the position after the CR and one LF, or NULL. */
char *fnReadDlgLine(char *lpszText, char *lpszOut, size_t cchOut);

#endif
