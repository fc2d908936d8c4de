/* Directory sections and disk-space sections. */
#include "../script/handlers.h"
#include "../shell/shell.h"

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
