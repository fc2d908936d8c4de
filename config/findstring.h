/* [IsStringInFile]: search files for a text; the search codes become
 * result numbers that later values read through @I. */
#ifndef KSTL8_FINDSTRING_H
#define KSTL8_FINDSTRING_H

#include <windows.h>

#define FIND_FOUND      0
#define FIND_NOTFOUND   1
#define FIND_NOFILE     2
#define FIND_BADTEXT    3   /* shorter than 2 or longer than 65,499 characters */
#define FIND_SEEKFAILED 4
#define FIND_OPENFAILED 5

#define FIND_BLOCK      65500   /* bytes read per block */

/* The block reader of the search; tests put a failing one here, since a
   read that fails after the open cannot be staged under Wine. */
typedef BOOL(WINAPI *PFNFINDREADFILE)(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED);
extern PFNFINDREADFILE g_pfnFindReadFile;
/* Search lpszFile for lpszText; a FIND_* code. */
int fnFindStringInFile(const char *lpszFile, const char *lpszText, BOOL bIgnoreCase);
/* The lines of a section: 1 go on, 2 a line's outcome ends the install,
   0 a line lacks its file or text. */
int fnReadIsStringInFile(HWND hWnd, char *lpszFirstLine);

#endif
