/* holdwin PATH [SECONDS]: holds PATH open without sharing (created when
 * missing) like holdfile, from a window program that refuses to let
 * Windows end: a restart asked for while it runs is cancelled, so the
 * renames it would carry out stay pending.  Creates PATH.held once it
 * holds the file and PATH.asked when Windows asked to end; lets go and
 * ends when PATH.release appears or after SECONDS (default 30).  Exit
 * code 0 after a release, 1 when the file could not be opened, 2 on
 * time-out. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

static char g_szAsked[MAX_PATH];
static char g_szRelease[MAX_PATH];
static int g_nTicks;
static int g_nRC = 2;

static void fnTouch(const char *lpszPath)
{
    HANDLE h = CreateFileA(lpszPath, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, NULL,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h != INVALID_HANDLE_VALUE)
        CloseHandle(h);
}

static LRESULT CALLBACK HoldWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_QUERYENDSESSION:
        fnTouch(g_szAsked);
        return FALSE;
    case WM_TIMER:
        if (GetFileAttributesA(g_szRelease) != INVALID_FILE_ATTRIBUTES) {
            g_nRC = 0;
            PostQuitMessage(0);
        } else if (--g_nTicks <= 0) {
            PostQuitMessage(0);
        }
        return 0;
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

int main(int argc, char **argv)
{
    if (argc < 2)
        return 1;
    char szHeld[MAX_PATH];
    if (snprintf(szHeld, sizeof(szHeld), "%s.held", argv[1]) >= (int)sizeof(szHeld) ||
        snprintf(g_szAsked, sizeof(g_szAsked), "%s.asked", argv[1]) >= (int)sizeof(g_szAsked) ||
        snprintf(g_szRelease, sizeof(g_szRelease), "%s.release", argv[1]) >= (int)sizeof(g_szRelease))
        return 1;
    g_nTicks = (argc > 2 ? atoi(argv[2]) : 30) * 20;
    HANDLE hFile = CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return 1;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HoldWndProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "HoldWinClass";
    RegisterClassA(&wc);
    HWND hWnd = CreateWindowA("HoldWinClass", "holdwin", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, NULL,
                              NULL, wc.hInstance, NULL);
    if (!hWnd) {
        CloseHandle(hFile);
        return 1;
    }
    /* Windows asks only the visible windows whether it may end. */
    ShowWindow(hWnd, SW_SHOWNOACTIVATE);
    SetTimer(hWnd, 1, 50, NULL);
    fnTouch(szHeld);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    CloseHandle(hFile);
    DestroyWindow(hWnd);
    DeleteFileA(szHeld);
    DeleteFileA(g_szAsked);
    DeleteFileA(g_szRelease);
    return g_nRC;
}
