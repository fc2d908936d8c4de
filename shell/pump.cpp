/* The message pump that keeps the single GUI thread responsive. */
#include "shell.h"
#include <string.h>

void fnPumpMessages(void)
{
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            /* Leave the quit for the main loop. */
            PostQuitMessage((int)msg.wParam);
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void fnZeroMem(void *lpBuffer, size_t cbBuffer)
{
    if (lpBuffer)
        memset(lpBuffer, 0, cbBuffer);
}

void fnGlobalFree(HGLOBAL hMem)
{
    if (!hMem)
        return;
    GlobalUnlock(hMem);
    GlobalFree(hMem);
}
