/* Process-wide settings, each filled by the part of the program that owns it. */
#include "startup.h"

HINSTANCE g_hInstance;
int g_nCmdShow;
char g_szHomeDir[KSTL8_PATH];
char g_szSourceDir[KSTL8_PATH];
char g_szStartSourceDir[KSTL8_PATH];
char g_szDestDir[KSTL8_PATH];
char g_szStartDestDir[KSTL8_PATH];
char g_szTmpPath[KSTL8_PATH];
char g_szWinDir[KSTL8_PATH];
char g_szSysDir[KSTL8_PATH];
char g_szIniFile[KSTL8_PATH];
char g_szDebugFile[KSTL8_PATH];
char g_szOwnPath[KSTL8_PATH];
char g_szAskForResponse[KSTL8_SHORT];
char g_szDefaultExec[16] = "_KSTL8_.EXE";
char g_szStartupMsg[KSTL8_SHORT] = "One moment please ...";
char g_szVersionText[KSTL8_PATH * 2];
char g_szAppName[KSTL8_SHORT];
char g_szTitle[KSTL8_SHORT];
char g_szClassName[KSTL8_SHORT];
char g_szInstance[10] = "1";
char g_szDate[16];
char g_szTime[16];
HWND g_hWndMain;
HWND g_hWndOwner;
UINT g_uDebug;
BOOL g_bQuiet;
BOOL g_bNoPrompts;
UINT g_uShowVSWin = 1;
BOOL g_bMessage;
BOOL g_bSplash;
BOOL g_bTempExec;
BOOL g_bLoaderStarted;
UINT g_uCipherMode;
UINT g_uOnExit;
UINT g_uBackUpMethod = 501;     /* ORIEXT */
int g_nExitCode;
OSInfoStruct g_OSInfo;
CmdLineStruct g_CmdLine;
BOOL g_bToolHelp;
BOOL g_bNtQuery;
BOOL g_bSecurity;
DynApiStruct g_DynApi;
