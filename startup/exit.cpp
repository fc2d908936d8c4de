/* The end of the run: the closing message, the exit program, and the
 * questions that exit or restart Windows. */
#include "startup.h"
#include "../shell/shell.h"
#include "../resources/resource.h"
#include "../script/script.h"
#include <string.h>

BOOL g_bMustRestart;
UINT g_uExitWindowsCalls;
PFNEXITWINDOWS g_pfnExitWindowsEx = ExitWindowsEx;

/* Enable the shutdown privilege where the system has tokens; the calls
   are looked up because Windows 95 lacks them. */
static void fnEnableShutdownPrivilege(void)
{
    typedef BOOL(WINAPI * OpenTokenFn)(HANDLE, DWORD, PHANDLE);
    typedef BOOL(WINAPI * LookupFn)(LPCSTR, LPCSTR, PLUID);
    typedef BOOL(WINAPI * AdjustFn)(HANDLE, BOOL, PTOKEN_PRIVILEGES, DWORD, PTOKEN_PRIVILEGES,
                                    PDWORD);
    HMODULE hAdvapi = LoadLibraryA("ADVAPI32.DLL");
    if (!hAdvapi)
        return;
    OpenTokenFn pfnOpen = (OpenTokenFn)(void (*)(void))GetProcAddress(hAdvapi, "OpenProcessToken");
    LookupFn pfnLookup =
        (LookupFn)(void (*)(void))GetProcAddress(hAdvapi, "LookupPrivilegeValueA");
    AdjustFn pfnAdjust =
        (AdjustFn)(void (*)(void))GetProcAddress(hAdvapi, "AdjustTokenPrivileges");
    HANDLE hToken = NULL;
    if (pfnOpen && pfnLookup && pfnAdjust &&
        pfnOpen(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &hToken)) {
        TOKEN_PRIVILEGES tp;
        memset(&tp, 0, sizeof(tp));
        if (pfnLookup(NULL, "SeShutdownPrivilege", &tp.Privileges[0].Luid)) {
            tp.PrivilegeCount = 1;
            tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
            pfnAdjust(hToken, FALSE, &tp, 0, NULL, NULL);
        }
        CloseHandle(hToken);
    }
    FreeLibrary(hAdvapi);
}

/* Ask the system itself; the main window lets this request through. */
static BOOL fnAskSystemToExit(UINT uFlags)
{
    g_bExitingWindows = TRUE;
    g_uExitWindowsCalls++;
    BOOL bOk = g_pfnExitWindowsEx(uFlags, 0);
    fnDebugTrace("fnExitWindows", "uFlags=%u,\nbOk=%d", uFlags, bOk);
    fnLogWrite(TRUE, "ExitWindows=%u,%s", uFlags, bOk ? "accepted" : "refused");
    if (!bOk)
        g_bExitingWindows = FALSE;
    return bOk;
}

BOOL fnExitWindows(UINT uFlags)
{
    fnEnableShutdownPrivilege();
    return fnAskSystemToExit(uFlags);
}

/* A Yes/No question; a quiet run takes Yes, the box's default button. */
static BOOL fnAskYes(UINT uId)
{
    return fnMessageBoxQ(IDYES, uId, NULL, MB_YESNO | MB_ICONINFORMATION | MB_TASKMODAL) == IDYES;
}

static BOOL fnAskYesText(const char *lpszText)
{
    return fnMessageBoxText(lpszText, NULL, MB_YESNO | MB_ICONINFORMATION | MB_TASKMODAL) ==
           IDYES;
}

/* Exit or restart; after a refusal ask uAgainId and try once more. */
static void fnExitOrAskAgain(UINT uFlags, UINT uAgainId)
{
    if (!fnExitWindows(uFlags) && fnAskYes(uAgainId))
        fnAskSystemToExit(uFlags);
}

static void fnMustRestartStep(void)
{
    if (g_bMustRestart)
        fnExitOrAskAgain(EWX_REBOOT, IDS_REBOOTREFUSED);
}

static void fnShowClosingMessage(const UserInputStruct *lpUI)
{
    if (lpUI->uQuiet != 1)
        return;
    UINT uStyle = MB_OK | MB_ICONINFORMATION | MB_TASKMODAL;
    if (lpUI->bInstallFailed)
        fnMessageBox(IDS_NOTINSTALLED, NULL, uStyle);
    else if (lpUI->szExitMsg[0])
        fnMessageBoxText(lpUI->szExitMsg, NULL, uStyle);
    else
        fnMessageBox(IDS_INSTALLOK, NULL, uStyle);
}

/* The exit program, started without waiting; FALSE when it can't run. */
static BOOL fnRunExitProgram(const char *lpszCommand)
{
    char szCommand[KSTL8_LINE];
    STARTUPINFOA si;
    PROCESS_INFORMATION pi;
    memset(&si, 0, sizeof(si));
    si.cb = sizeof(si);
    if (!fnStrCopy(szCommand, lpszCommand) ||
        !CreateProcessA(NULL, szCommand, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return FALSE;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    fnLogWrite(TRUE, "ExitExec=%s", lpszCommand);
    return TRUE;
}

static void fnTopMost(HWND hWnd)
{
    if (hWnd) {
        SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(hWnd);
    }
    fnPumpMessages();
}

BOOL fnUserExit(HWND hWnd, UserInputStruct *lpUI)
{
    fnDebugTrace("fnUserExit",
                 "g_uOnExit=%u,\nlpUserInputStruct->uQuiet=%u,\nlpUserInputStruct->szExitMsg=%s\nlpUserInputStruct->szExitExec=%s",
                 g_uOnExit, lpUI->uQuiet, lpUI->szExitMsg, lpUI->szExitExec);
    fnTopMost(hWnd);
    if (lpUI->bStopped)
        lpUI->uQuiet = 0;
    if (g_uOnExit == 0) {
        fnShowClosingMessage(lpUI);
        fnMustRestartStep();
        fnTopMost(hWnd);
        return TRUE;
    }
    BOOL bShowClosing = TRUE;
    if (g_uOnExit == 2 && lpUI->szExitExec[0] && !fnRunExitProgram(lpUI->szExitExec)) {
        fnMessageBox(IDS_CANTLOAD, NULL, MB_OK | MB_ICONSTOP, lpUI->szExitExec);
        bShowClosing = FALSE;
    }
    if (bShowClosing)
        fnShowClosingMessage(lpUI);
    fnMustRestartStep();
    switch (g_uOnExit) {
    case 4:
        if (fnAskYes(IDS_RESTARTASK))
            fnExitOrAskAgain(EWX_REBOOT, IDS_REBOOTREFUSED);
        break;
    case 5:
        if (fnAskYes(IDS_REBOOTASK))
            fnExitOrAskAgain(EWX_REBOOT, IDS_REBOOTREFUSED);
        break;
    case 3:
        if (fnAskYes(IDS_RESTARTASK))
            fnExitOrAskAgain(EWX_REBOOT, IDS_RESTARTREFUSED);
        break;
    case 6:
        if (lpUI->szRestartMsg[0] ? fnAskYesText(lpUI->szRestartMsg) : fnAskYes(IDS_RESTARTASK))
            fnExitOrAskAgain(EWX_REBOOT, IDS_RESTARTREFUSED);
        break;
    case 1:
        if (fnAskYes(IDS_EXITWINASK))
            fnExitOrAskAgain(EWX_SHUTDOWN, IDS_EXITWINREFUSED);
        break;
    default:
        break;
    }
    return TRUE;
}
