/* Kestrel Demo: the small application the example install script installs. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrev, LPSTR lpszCmdLine, int nCmdShow)
{
    char szIni[MAX_PATH];
    char szGreeting[128];
    (void)hInstance; (void)hPrev; (void)lpszCmdLine; (void)nCmdShow;
    GetModuleFileNameA(NULL, szIni, sizeof(szIni));
    lstrcpyA(szIni + lstrlenA(szIni) - 3, "INI");
    GetPrivateProfileStringA("Demo", "Greeting", "Hello from Kestrel Demo.", szGreeting,
                             sizeof(szGreeting), szIni);
    MessageBoxA(NULL, szGreeting, "Kestrel Demo", MB_OK | MB_ICONINFORMATION);
    return 0;
}
