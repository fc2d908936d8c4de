/* Copy sections: install lines and to-disk lines. */
#ifndef KSTL8_COPYLIST_H
#define KSTL8_COPYLIST_H

#include <windows.h>
#include "engine.h"

/* Carry out a [Files]/[CopyFiles] section, or a [MakeDisks]/
   [CopyFilesToDisk] section, found by name in the script text. */
BOOL fnInfCopyFilesSection(HWND hWnd, HWND hWndStatus, char *lpszText, const char *lpszName);
BOOL fnInfCopyFilesToDisks(HWND hWnd, HWND hWndStatus, char *lpszText, const char *lpszName);

#endif
