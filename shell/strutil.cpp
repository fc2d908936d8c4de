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

int fnStrNCmpI(const char *lpszA, const char *lpszB, size_t n)
{
    return fnStrCmpNI(lpszA, lpszB, n);
}

char *fnStrStrI(const char *lpszText, const char *lpszFind)
{
    size_t cch = strlen(lpszFind);
    for (const char *p = lpszText; *p; p++)
        if (fnStrCmpNI(p, lpszFind, cch) == 0)
            return (char *)p;
    return cch == 0 ? (char *)lpszText : NULL;
}

char *fnStrAfterI(const char *lpszText, const char *lpszFind)
{
    char *p = fnStrStrI(lpszText, lpszFind);
    if (!p)
        return NULL;
    p += strlen(lpszFind);
    return *p ? p : NULL;
}

BOOL fnStrReplaceI(char *lpszText, size_t cchText, const char *lpszFind, const char *lpszRepl)
{
    char *p = fnStrStrI(lpszText, lpszFind);
    if (!p || !*lpszFind)
        return FALSE;
    size_t cchFind = strlen(lpszFind), cchRepl = strlen(lpszRepl);
    size_t cchTail = strlen(p + cchFind);
    if ((size_t)(p - lpszText) + cchRepl + cchTail >= cchText)
        return FALSE;
    memmove(p + cchRepl, p + cchFind, cchTail + 1);
    memcpy(p, lpszRepl, cchRepl);
    return TRUE;
}

BOOL fnStrBeginsI(const char *lpszText, const char *lpszBegin)
{
    return fnStrCmpNI(lpszText, lpszBegin, strlen(lpszBegin)) == 0;
}

void fnStrUpper(char *lpszText)
{
    for (; *lpszText; lpszText++)
        if (*lpszText >= 'a' && *lpszText <= 'z')
            *lpszText = (char)(*lpszText - 'a' + 'A');
}

char *fnStrChr(const char *lpszText, const char *lpszSet)
{
    for (; *lpszText; lpszText++)
        if (strchr(lpszSet, *lpszText))
            return (char *)lpszText;
    return NULL;
}

BOOL fnStrHasAnyOf(const char *lpszText, const char *lpszSet)
{
    return fnStrChr(lpszText, lpszSet) != NULL;
}

BOOL fnIsValidFileName(const char *lpszName)
{
    return !fnStrHasAnyOf(lpszName, ",<>|");
}

UINT fnStrSplitAt(char *lpszText, char c)
{
    UINT uParts = 1;
    for (; *lpszText; lpszText++)
        if (*lpszText == c) {
            *lpszText = '\0';
            uParts++;
        }
    return uParts;
}

void fnStripCrLf(char *lpszText)
{
    size_t cch = strlen(lpszText);
    while (cch > 0 && (lpszText[cch - 1] == '\r' || lpszText[cch - 1] == '\n'))
        lpszText[--cch] = '\0';
}

void fnTrim(char *lpszText)
{
    char *p = lpszText;
    while (*p == ' ' || *p == '\t')
        p++;
    size_t cch = strlen(p);
    while (cch > 0 && (p[cch - 1] == ' ' || p[cch - 1] == '\t'))
        cch--;
    memmove(lpszText, p, cch);
    lpszText[cch] = '\0';
}
