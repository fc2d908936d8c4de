/* Bounded ANSI string helpers. */
#include "strutil.h"
#include <stdio.h>
#include <string.h>

BOOL fnStrCopyN(char *lpszDst, size_t cchDst, const char *lpszSrc)
{
    if (!lpszDst || cchDst == 0)
        return FALSE;
    if (!lpszSrc)
        lpszSrc = "";
    size_t cch = strlen(lpszSrc);
    BOOL bFits = cch < cchDst;
    if (!bFits)
        cch = cchDst - 1;
    memmove(lpszDst, lpszSrc, cch);
    lpszDst[cch] = '\0';
    return bFits;
}

BOOL fnStrAppendN(char *lpszDst, size_t cchDst, const char *lpszSrc)
{
    if (!lpszDst || cchDst == 0)
        return FALSE;
    size_t cchHave = strnlen(lpszDst, cchDst);
    if (cchHave >= cchDst) {
        lpszDst[cchDst - 1] = '\0';
        return FALSE;
    }
    return fnStrCopyN(lpszDst + cchHave, cchDst - cchHave, lpszSrc);
}

BOOL fnStrFormatVN(char *lpszDst, size_t cchDst, const char *lpszFmt, va_list args)
{
    if (!lpszDst || cchDst == 0)
        return FALSE;
    if (!lpszFmt) {
        lpszDst[0] = '\0';
        return TRUE;
    }
    /* vsnprintf of the C99 runtime: returns the length it wanted, and
       always terminates inside the buffer. */
    int n = vsnprintf(lpszDst, cchDst, lpszFmt, args);
    lpszDst[cchDst - 1] = '\0';
    if (n < 0) {
        lpszDst[0] = '\0';
        return FALSE;
    }
    return (size_t)n < cchDst;
}

BOOL fnStrFormatN(char *lpszDst, size_t cchDst, const char *lpszFmt, ...)
{
    va_list args;
    va_start(args, lpszFmt);
    BOOL bOk = fnStrFormatVN(lpszDst, cchDst, lpszFmt, args);
    va_end(args);
    return bOk;
}

static int fnLowerA(int c)
{
    return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
}

int fnStrCmpNI(const char *lpszA, const char *lpszB, size_t n)
{
    for (size_t i = 0; i < n; i++) {
        int a = fnLowerA((unsigned char)lpszA[i]);
        int b = fnLowerA((unsigned char)lpszB[i]);
        if (a != b)
            return a - b;
        if (a == 0)
            return 0;
    }
    return 0;
}

int fnStrCmpI(const char *lpszA, const char *lpszB)
{
    return fnStrCmpNI(lpszA, lpszB, (size_t)-1);
}
