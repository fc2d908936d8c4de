/* Directory sections and disk-space sections. */
#include "../script/handlers.h"
#include "../shell/shell.h"
#include "dirs.h"

int fnInfCheckSpace(HWND hWnd, char *lpszSection, const char *lpszName, UserInputStruct *lpUI)
{
    (void)hWnd;
    (void)lpszSection;
    (void)lpUI;
    fnDebugTrace("fnInfCheckSpace", "Not built yet: %s", lpszName);
    return 1;
}

int fnInfMakeDirs(HWND hWnd, char *lpszSection, const char *lpszName, UserInputStruct *lpUI)
{
    (void)hWnd;
    (void)lpszSection;
    (void)lpUI;
    fnDebugTrace("fnInfMakeDirs", "Not built yet: %s", lpszName);
    return 1;
}

/* TEMPORARY STAND-IN, to be replaced by the directory sections: the
 * directory pass of the to-disk copy makes nothing yet. */
BOOL fnMakeDiskDirs(HWND hWnd, char *lpszText, const char *lpszName)
{
    (void)hWnd;
    (void)lpszText;
    fnDebugTrace("fnMakeDiskDirs", "Stand-in: %s", lpszName);
    return TRUE;
}
