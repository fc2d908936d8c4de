/* Bounded ANSI string helpers.  Every copy into a fixed buffer goes
 * through these: the result is always terminated, and FALSE tells the
 * caller that the text had to be cut, so it can refuse or trace. */
#ifndef KSTL8_STRUTIL_H
#define KSTL8_STRUTIL_H

#include <windows.h>
#include <stdarg.h>
#include <stddef.h>

/* Copy at most cchDst-1 characters; FALSE when lpszSrc was cut. */
BOOL fnStrCopyN(char *lpszDst, size_t cchDst, const char *lpszSrc);
/* Append to a terminated buffer of cchDst; FALSE when the tail was cut. */
BOOL fnStrAppendN(char *lpszDst, size_t cchDst, const char *lpszSrc);
/* printf-style formatting, bounded; FALSE when the output was cut. */
BOOL fnStrFormatN(char *lpszDst, size_t cchDst, const char *lpszFmt, ...)
    __attribute__((format(gnu_printf, 3, 4)));
BOOL fnStrFormatVN(char *lpszDst, size_t cchDst, const char *lpszFmt, va_list args)
    __attribute__((format(gnu_printf, 3, 0)));
/* Case-insensitive ASCII compare (whole text / first n characters). */
int fnStrCmpI(const char *lpszA, const char *lpszB);
int fnStrCmpNI(const char *lpszA, const char *lpszB, size_t n);

/* Where lpszFind starts inside lpszText (no case), or NULL. */
char *fnStrStrI(const char *lpszText, const char *lpszFind);
/* The position after lpszFind (no case), or NULL when nothing follows it. */
char *fnStrAfterI(const char *lpszText, const char *lpszFind);
/* Replace the first lpszFind (no case) by lpszRepl in a buffer of cchText;
   FALSE (text unchanged) when it is absent or the result would not fit. */
BOOL fnStrReplaceI(char *lpszText, size_t cchText, const char *lpszFind, const char *lpszRepl);
BOOL fnStrBeginsI(const char *lpszText, const char *lpszBegin);
int fnStrNCmpI(const char *lpszA, const char *lpszB, size_t n);
void fnStrUpper(char *lpszText);
/* The first character of lpszText found in lpszSet, or NULL. */
char *fnStrChr(const char *lpszText, const char *lpszSet);
BOOL fnStrHasAnyOf(const char *lpszText, const char *lpszSet);
/* A file name holds none of , < > | */
BOOL fnIsValidFileName(const char *lpszName);
/* Every c becomes a zero byte; returns the number of parts. */
UINT fnStrSplitAt(char *lpszText, char c);
void fnStripCrLf(char *lpszText);
/* Remove leading and trailing spaces and tabs in place. */
void fnTrim(char *lpszText);

template <size_t N> inline BOOL fnStrCopy(char (&szDst)[N], const char *lpszSrc)
{
    return fnStrCopyN(szDst, N, lpszSrc);
}
template <size_t N> inline BOOL fnStrAppend(char (&szDst)[N], const char *lpszSrc)
{
    return fnStrAppendN(szDst, N, lpszSrc);
}
template <size_t N>
inline BOOL __attribute__((format(gnu_printf, 2, 3)))
fnStrFormat(char (&szDst)[N], const char *lpszFmt, ...)
{
    va_list args;
    va_start(args, lpszFmt);
    BOOL bOk = fnStrFormatVN(szDst, N, lpszFmt, args);
    va_end(args);
    return bOk;
}

#endif
