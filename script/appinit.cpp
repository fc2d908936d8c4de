/* Application set-up: the [AppInit] section and the destination. */
#include "handlers.h"
#include "../shell/shell.h"

int fnParseInfGetUserInput(HWND hWnd, char *lpszSection, const char *lpszName, UserInputStruct *lpUI)
{
    (void)hWnd;
    (void)lpszSection;
    (void)lpUI;
    fnDebugTrace("fnParseInfGetUserInput", "Not built yet: %s", lpszName);
    return 1;
}
