/* Entry points newer than Windows 95, looked up at run time so the program
 * starts on every target.  Callers test each pointer for NULL. */
#include "startup.h"
#include "../shell/shell.h"

static BOOL fnLookUp(const char *lpszDll, const char *const *alpszNames, FARPROC *apfn, int n)
{
    HMODULE hMod = GetModuleHandleA(lpszDll);
    if (!hMod)
        hMod = LoadLibraryA(lpszDll);
    BOOL bAll = hMod != NULL;
    for (int i = 0; i < n; i++) {
        apfn[i] = hMod ? GetProcAddress(hMod, alpszNames[i]) : NULL;
        if (!apfn[i])
            bAll = FALSE;
    }
    if (!bAll)
        for (int i = 0; i < n; i++)
            apfn[i] = NULL;
    return bAll;
}

BOOL fnLoadToolHelpApis(void)
{
    static const char *const s_alpsz[] = { "CreateToolhelp32Snapshot", "Module32First",
                                           "Module32Next", "Process32First", "Process32Next" };
    return fnLookUp("KERNEL32.DLL", s_alpsz, &g_DynApi.pfnCreateToolhelp32Snapshot, 5);
}

BOOL fnLoadNtQueryApis(void)
{
    static const char *const s_alpsz[] = { "NtQueryInformationProcess" };
    return fnLookUp("NTDLL.DLL", s_alpsz, &g_DynApi.pfnNtQueryInformationProcess, 1);
}

BOOL fnLoadSecurityApis(void)
{
    static const char *const s_alpsz[] = { "OpenProcessToken", "GetTokenInformation", "FreeSid",
                                           "EqualSid", "AllocateAndInitializeSid" };
    return fnLookUp("ADVAPI32.DLL", s_alpsz, &g_DynApi.pfnOpenProcessToken, 5);
}

void fnLoadDynamicApis(void)
{
    g_bToolHelp = fnLoadToolHelpApis();
    if (!g_bToolHelp)
        g_bNtQuery = fnLoadNtQueryApis();
}
