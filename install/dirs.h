/* Directory sections, disk-space sections and the free-space test. */
#ifndef KSTL8_DIRS_H
#define KSTL8_DIRS_H

#include <windows.h>

/* Create the directories of a directory section found in lpszText (or,
   when it is missing there, in lpszText2) under g_szDestDir, with the
   progress window and logging.  TRUE when missing, empty or done. */
BOOL fnMakeDirsSection(HWND hWnd, char *lpszText, char *lpszText2, const char *lpszName);
/* The directory pass of the to-disk copy: the same without progress
   window and without logging. */
BOOL fnMakeDiskDirs(HWND hWnd, char *lpszText, const char *lpszName);
/* Free-space test: TRUE when lpszPath's drive has dwNeeded bytes free,
   or the user chose to go on (messages 1052, 1051, 1047). */
BOOL fnTestFreeSpace(HWND hWnd, const char *lpszPath, DWORD dwNeeded, DWORD dwMinimum,
                     BOOL bWinDrive);

#endif
