/* The end of the run: the closing message. */
#include "startup.h"
#include "../shell/shell.h"
#include "../resources/resource.h"
#include "../script/script.h"

/* FIXME: the exit program and the Windows exit and restart questions
   (g_uOnExit) arrive with the exit screens; this shows the closing text. */
BOOL fnUserExit(HWND hWnd, UserInputStruct *lpUI)
{
    fnDebugTrace("fnUserExit",
                 "g_uOnExit=%u,\nlpUserInputStruct->uQuiet=%u,\nlpUserInputStruct->szExitMsg=%s\nlpUserInputStruct->szExitExec=%s",
                 g_uOnExit, lpUI->uQuiet, lpUI->szExitMsg, lpUI->szExitExec);
    if (hWnd)
        SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    fnPumpMessages();
    if (lpUI->bStopped)
        lpUI->uQuiet = 0;
    if (lpUI->uQuiet != 1)
        return TRUE;
    if (lpUI->bInstallFailed)
        fnMessageBox(IDS_NOTINSTALLED, NULL, MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
    else if (lpUI->szExitMsg[0])
        fnMessageBoxText(lpUI->szExitMsg, NULL, MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
    else
        fnMessageBox(IDS_INSTALLOK, NULL, MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
    return TRUE;
}
