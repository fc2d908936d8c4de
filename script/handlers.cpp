/* Section handlers that the later parts of the program fill in.  Until a
 * handler lands, its entry traces that it was reached and goes on. */
#include "handlers.h"
#include "../shell/shell.h"

/* FIXME: each entry below is replaced by its section's real handler. */
#define STANDIN_TEXT(fn)                                                  \
    int fn(HWND hWnd, char *lpszText)                                     \
    {                                                                     \
        (void)hWnd;                                                       \
        fnDebugTrace(#fn, "Not built yet; section text:\n%.200s", lpszText); \
        return 1;                                                         \
    }
#define STANDIN_NAMED(fn)                                                 \
    int fn(HWND hWnd, char *lpszSection, const char *lpszName, UserInputStruct *lpUI) \
    {                                                                     \
        (void)hWnd;                                                       \
        (void)lpszSection;                                                \
        (void)lpUI;                                                       \
        fnDebugTrace(#fn, "Not built yet: %s", lpszName);                 \
        return 1;                                                         \
    }

STANDIN_TEXT(fnInfFloatInfo)
STANDIN_TEXT(fnInfCheckFors)
STANDIN_TEXT(fnInfFileCheck)
STANDIN_TEXT(fnInfVersionTest)
STANDIN_TEXT(fnInfCloseFiles)
STANDIN_TEXT(fnInfExec)
STANDIN_TEXT(fnInfShellExec)
STANDIN_TEXT(fnInfLaunchAndBack)

STANDIN_NAMED(fnInfInitOptions)
STANDIN_NAMED(fnInfInputSection)
STANDIN_NAMED(fnInfMoveFiles)
STANDIN_NAMED(fnReadShortCutSections)
