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
