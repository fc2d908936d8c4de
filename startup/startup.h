/* Start-up: process-wide settings, Windows version, command line,
 * command file, loader, main window creation and the exit stand-in. */
#ifndef KSTL8_STARTUP_H
#define KSTL8_STARTUP_H

#include <windows.h>

#define KSTL8_PATH   260
#define KSTL8_SHORT  128
#define KSTL8_LINE   1024

/* Exit codes the process hands to an unattended caller. */
#define KSTL8_EXIT_OK       0   /* walk ran to its end or to [End] */
#define KSTL8_EXIT_FAILED   1   /* install failed, script unusable, start-up error */
#define KSTL8_EXIT_STOPPED  2   /* the user or a script's test stopped the install */

struct OSInfoStruct {
    DWORD bWinNT;
    DWORD dwWinMajor;
    DWORD dwWinMinor;
    UINT uWinFamily;        /* 1 Win32s, 2 Windows 9x, 3 NT */
    UINT uWinVersion;       /* 0 32s, 1 95, 2 98, 3 NT 4, 4 2000, 5 ME, 6 XP */
    UINT uWinSR;
    DWORD dwWinBuild;
    DWORD dwWinPlatformID;
    char szWinID[6];
    char szWinVersionText[KSTL8_PATH];
    char szWinVSDescription[KSTL8_SHORT];
};

struct CmdLineStruct {
    char szIniFile[KSTL8_PATH];
    char szSourceDir[KSTL8_PATH];
    char szDestDir[KSTL8_PATH];
    char szStartupMsg[KSTL8_SHORT];
    char szAskFor[KSTL8_SHORT];
    char szCmdFile[KSTL8_PATH];
    DWORD bTempExec;
    DWORD bNoPrompts;
    DWORD bBeQuiet;
    DWORD bStartupMsg;
};

/* Results of the switch parser. */
#define CMDLINE_NONE   0
#define CMDLINE_PARSED 1
#define CMDLINE_USAGE  3

/* What the switches asked for beyond CmdLineStruct. */
struct SwitchStruct {
    UINT uCipherMode;       /* 0 run, 1 encipher, 2 decipher */
    BOOL bDebugSet;         /* -v given */
    UINT uDebug;
    BOOL bShowSet;          /* -w= or -q given */
    UINT uShowVSWin;
};

/* ---- globals.cpp: process-wide settings ---- */
extern HINSTANCE g_hInstance;
extern int g_nCmdShow;
extern char g_szHomeDir[KSTL8_PATH];
extern char g_szSourceDir[KSTL8_PATH];
extern char g_szStartSourceDir[KSTL8_PATH];
extern char g_szDestDir[KSTL8_PATH];
extern char g_szStartDestDir[KSTL8_PATH];
extern char g_szTmpPath[KSTL8_PATH];
extern char g_szWinDir[KSTL8_PATH];
extern char g_szSysDir[KSTL8_PATH];
extern char g_szIniFile[KSTL8_PATH];
extern char g_szDebugFile[KSTL8_PATH];
extern char g_szOwnPath[KSTL8_PATH];
extern char g_szAskForResponse[KSTL8_SHORT];
extern char g_szDefaultExec[16];
extern char g_szStartupMsg[KSTL8_SHORT];
extern char g_szVersionText[KSTL8_PATH * 2];
extern char g_szAppName[KSTL8_SHORT];
extern char g_szTitle[KSTL8_SHORT];
extern char g_szClassName[KSTL8_SHORT];
extern char g_szInstance[10];
extern char g_szDate[16];
extern char g_szTime[16];
extern HWND g_hWndMain;
extern HWND g_hWndOwner;
extern UINT g_uDebug;
extern BOOL g_bQuiet;
extern BOOL g_bNoPrompts;
extern UINT g_uShowVSWin;
extern BOOL g_bMessage;
extern BOOL g_bSplash;
extern BOOL g_bTempExec;
extern BOOL g_bLoaderStarted;
extern UINT g_uCipherMode;
extern UINT g_uOnExit;
extern UINT g_uBackUpMethod;
extern int g_nExitCode;
extern OSInfoStruct g_OSInfo;
extern CmdLineStruct g_CmdLine;
extern BOOL g_bToolHelp;
extern BOOL g_bNtQuery;
extern BOOL g_bSecurity;
/* Windows must restart at exit whatever g_uOnExit says. */
extern BOOL g_bMustRestart;
/* The system's exit call; tests put a recorder here. */
typedef BOOL(WINAPI *PFNEXITWINDOWS)(UINT uFlags, DWORD dwReason);
extern PFNEXITWINDOWS g_pfnExitWindowsEx;
extern UINT g_uExitWindowsCalls;
/* Ask the system to exit (1) or restart (2), with the shutdown privilege. */
BOOL fnExitWindows(UINT uFlags);

/* ---- osinfo.cpp ---- */
/* Fill lpOS from what the system reports; FALSE when it refuses. */
BOOL fnGetOSVersionInfo(OSInfoStruct *lpOS);
/* The pure half: decode a reported version into the record. */
void fnDecodeOSVersion(const OSVERSIONINFOA *lpVer, OSInfoStruct *lpOS);
/* Product version of the program's own version resource. */
BOOL fnGetOwnVersion(char *lpszVersion, size_t cchVersion);

/* ---- cmdline.cpp ---- */
/* Parse an argument vector (argv[0] is the program).  Returns
   CMDLINE_NONE, CMDLINE_PARSED or CMDLINE_USAGE (usage shown). */
int fnParseSwitches(int argc, char **argv, CmdLineStruct *lpCmd, SwitchStruct *lpSw);
/* Find a named file: as given, in lpszSourceDir, by name in lpszHomeDir. */
BOOL fnResolveNamedFile(const char *lpszName, const char *lpszSourceDir,
                        const char *lpszHomeDir, char *lpszOut, size_t cchOut);
/* The default script list searched in the home directory. */
BOOL fnSearchDefaultScripts(const char *lpszHomeDir, char *lpszOut, size_t cchOut);
BOOL fnParseCmdLine(HINSTANCE hInstance, HWND hWndOwner, int nCmdShow);

/* ---- cmdfile.cpp ---- */
BOOL fnReadCmdFile(const char *lpszFile, CmdLineStruct *lpCmd);
BOOL fnWriteCmdFile(const char *lpszFile, const CmdLineStruct *lpCmd);

/* ---- dynapi.cpp: entry points newer than Windows 95 ---- */
typedef BOOL (WINAPI *PFNGETDISKFREESPACEEXA)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
struct DynApiStruct {
    FARPROC pfnCreateToolhelp32Snapshot;
    FARPROC pfnModule32First;
    FARPROC pfnModule32Next;
    FARPROC pfnProcess32First;
    FARPROC pfnProcess32Next;
    FARPROC pfnNtQueryInformationProcess;
    FARPROC pfnOpenProcessToken;
    FARPROC pfnGetTokenInformation;
    FARPROC pfnFreeSid;
    FARPROC pfnEqualSid;
    FARPROC pfnAllocateAndInitializeSid;
};
extern DynApiStruct g_DynApi;
BOOL fnLoadToolHelpApis(void);
BOOL fnLoadNtQueryApis(void);
BOOL fnLoadSecurityApis(void);
void fnLoadDynamicApis(void);

/* ---- loader.cpp ---- */
BOOL fnLoaderWanted(void);
BOOL fnBuildLoaderCmdLine(const char *lpszCopy, char *lpszOut, size_t cchOut);
BOOL fnInitLoader(HINSTANCE hInstance, int nCmdShow, const char *lpszOwnPath);

/* ---- winmain.cpp ---- */
void fnFindPreviousInstance(char *lpszClass, size_t cchClass, char *lpszTitle,
                            size_t cchTitle, char *lpszInstance, size_t cchInstance);
BOOL fnRegisterClasses(HINSTANCE hInstance);
BOOL fnInitInstance(HINSTANCE hInstance, int nCmdShow);
void fnTakeStartTime(void);

#endif
