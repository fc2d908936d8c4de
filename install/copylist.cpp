/* Copy sections. */
#include "../script/handlers.h"
#include "../shell/shell.h"

int fnInfCopyFiles(HWND hWnd, char *lpszSection, const char *lpszName, UserInputStruct *lpUI)
{
    (void)hWnd;
    (void)lpszSection;
    (void)lpUI;
    fnDebugTrace("fnInfCopyFiles", "Not built yet: %s", lpszName);
    return 1;
}
