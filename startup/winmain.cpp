/* Entry: the start-up sequence and the message loop. */
#include "startup.h"
#include "../shell/shell.h"
#include "../resources/resource.h"
#include "../script/script.h"
#include <string.h>

static void fnClearPathGlobals(void)
{
    char *const alpsz[] = { g_szHomeDir, g_szSourceDir, g_szDestDir, g_szTmpPath, g_szWinDir,
                            g_szSysDir, g_szIniFile, g_szDebugFile, g_szDate, g_szTime };
    for (size_t i = 0; i < sizeof(alpsz) / sizeof(alpsz[0]); i++)
        alpsz[i][0] = '\0';
}

static int fnEndWith(HWND hWndOwner, int nCode)
{
    if (hWndOwner)
        DestroyWindow(hWndOwner);
    g_hWndOwner = NULL;
    return nCode;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpszCmdLine, int nCmdShow)
{
    (void)hPrevInstance;
    (void)lpszCmdLine;
    HCURSOR hSaved = SetCursor(LoadCursorA(NULL, (LPCSTR)IDC_WAIT));
    g_hInstance = hInstance;
    g_nCmdShow = nCmdShow;
    fnClearPathGlobals();
    fnLoadString(IDS_APPNAME, g_szAppName, sizeof(g_szAppName));
    fnLoadString(IDS_CLASSNAME, g_szClassName, sizeof(g_szClassName));
    fnLoadString(IDS_TITLE, g_szTitle, sizeof(g_szTitle));
    fnFindPreviousInstance(g_szClassName, sizeof(g_szClassName), g_szTitle, sizeof(g_szTitle),
                           g_szInstance, sizeof(g_szInstance));
    g_hWndOwner = CreateWindowA("STATIC", g_szTitle, WS_POPUP, 0, 0, 0, 0, NULL, NULL,
                                hInstance, NULL);
    if (!g_hWndOwner)
        return KSTL8_EXIT_FAILED;
    fnLoadDynamicApis();
    if (!fnParseCmdLine(hInstance, g_hWndOwner, nCmdShow))
        return fnEndWith(g_hWndOwner, g_nExitCode);
    fnEndWith(g_hWndOwner, 0);
    if (g_bLoaderStarted)
        return KSTL8_EXIT_OK;
    if (!fnRegisterClasses(hInstance)) {
        fnMessageBox(0, NULL, MB_OK | MB_ICONSTOP, "Error!  Could not initialize application.");
        return KSTL8_EXIT_FAILED;
    }
    if (!fnInitInstance(hInstance, nCmdShow)) {
        fnMessageBox(0, NULL, MB_OK | MB_ICONSTOP, "Error!  Could not initialize instance.");
        return KSTL8_EXIT_FAILED;
    }
    MSG msg;
    int nCode = g_nExitCode;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (msg.message == WM_QUIT)
        nCode = (int)msg.wParam;
    SetCursor(hSaved);
    fnCloseDebugFile();
    return nCode;
}
