/* Pieces shared by the macro scan and its functions and folders. */
#ifndef KSTL8_MACROINT_H
#define KSTL8_MACROINT_H

#include <windows.h>
#include <stddef.h>

#define MACRO_VALUE 260     /* a macro's value and the result buffer */

extern char g_szExpandDelims[12];

/* Copy a value, setting *lpbCut when it had to be cut; always TRUE. */
BOOL fnMacroSet(char *lpszValue, size_t cchValue, const char *lpszText, BOOL *lpbCut);
/* Windows folder or setting number 0-39 (@W number). */
void fnWindowsFolder(int nNumber, char *lpszValue, size_t cchValue, BOOL *lpbCut);
/* A function call: lpszText is the text after "@_".  The count of
   characters of the call up to and including its ")", or 0 when it is no
   call, fails or gives nothing. */
size_t fnParseFun(const char *lpszText, char *lpszValue, size_t cchValue);
/* Item n of a list: 0 the text before its first "=", else the n-th item
   split at ";", "," and blanks. */
BOOL fnGetArg(const char *lpszText, UINT n, char *lpszValue, size_t cchValue);

#endif
