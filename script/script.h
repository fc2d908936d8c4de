/* Script engine: loading and cipher, the section walk, the opening
 * sections and the dispatcher. */
#ifndef KSTL8_SCRIPT_H
#define KSTL8_SCRIPT_H

#include <windows.h>
#include <stddef.h>

/* One block holds the whole script text; at most 262,139 bytes of it. */
#define INF_BUFFER_SIZE 0x3FFFC

/* Section result codes the walk obeys. */
#define SECTION_FAILED   0
#define SECTION_GOON     1
#define SECTION_STOP     2
#define SECTION_RESTART  3

struct SectionStruct {
    char *lpszStart;    /* the '[' of the running section's header */
    char *lpszNext;     /* the '[' of the next header, or NULL */
};

/* The record of one walk: where the application goes, what is asked at
   the start and how the run ends. */
#define MAX_SHORTCUT_GROUPS 5
struct UserInputStruct {
    DWORD dwDiskSpaceNeeded;    /* bytes that must be free on the destination drive */
    DWORD dwMinSpaceNeeded;     /* accepted when the user chooses Ignore */
    DWORD dwWinSpaceNeeded;     /* bytes that must be free on the Windows drive; 0 no test */
    UINT uQuiet;                /* 1: show the closing message */
    BOOL bSourceDirPrompt;
    BOOL bDirPrompt;
    UINT uBackupMethod;         /* 500-506 */
    UINT uOnExit;               /* 0-6 */
    BOOL bUseAllInstall;
    DWORD dwReserved;
    BOOL bInstallFailed;
    BOOL bStopped;              /* a section stopped the walk early */
    BOOL bLastShortcutLine;
    char szLogFile[260];
    char szExitExec[260];
    /* Exit and restart texts as long as the [Config] texts they start from. */
    char szExitMsg[1024];
    char szRestartMsg[1024];
    char szAppName[128];
    char szDirSection[128];
    /* Shortcut group sections named by the set-up sections. */
    UINT nShortcutGroups;
    char szShortcutSection[MAX_SHORTCUT_GROUPS][128];
    char szShortcutFolder[MAX_SHORTCUT_GROUPS][260];
    BOOL bSpecialFolder[MAX_SHORTCUT_GROUPS];
    BOOL bPMGroup[MAX_SHORTCUT_GROUPS];
    char szDestCaption[128];
    char szDestPath[260];
    char szDestMsg1[192];
    char szDestMsg2[192];
    char szSourceCaption[128];
    char szSourceDir[260];
    char szSourceMsg1[192];
    char szSourceMsg2[192];
};

/* ---- load.cpp ---- */
extern char *g_lpszInfText;     /* start of the usable script text */
extern char *g_lpszInfNext;     /* the walk cursor: the next section */
extern char g_szFieldDelims[12];
BOOL fnLoadInf(HWND hWndMain);
BOOL fnCleanUp(HCURSOR hCursor, char *lpBuffer, HWND hWndStatus);

/* ---- cipher.cpp ---- */
BOOL fnShiftEnCrypt(char *lpszText, UINT uOffset, DWORD cbText);
BOOL fnShiftDeCrypt(char *lpszText, UINT uOffset, DWORD cbText);
UINT fnRandomOffset(UINT uLowest, UINT uHighest);
BOOL fnScriptBackupName(const char *lpszScript, char *lpszOut, size_t cchOut);
/* Encipher (mode 1) or decipher (mode 2) the script file in place,
   keeping a backup.  Returns TRUE when the file was rewritten. */
BOOL fnCipherScriptFile(const char *lpszScript, UINT uMode);
/* Check that every row of the table is a permutation of 1..127. */
BOOL fnCipherTableValid(void);

/* ---- walk.cpp ---- */
typedef int (*PFNPARSESECTION)(HWND hWnd, char *lpszSection, UserInputStruct *lpUI);
/* The dispatcher the walk calls; tests may put their own here. */
extern PFNPARSESECTION g_pfnParseInfSection;
/* The defaults of a new walk; the destination starts as the start-up
   destination, else as the temporary directory.  Always TRUE. */
BOOL fnInitUserInput(HWND hWnd, UserInputStruct *lpUI);
BOOL fnReadInf(HWND hWnd, char *lpszText, UserInputStruct *lpUI);
BOOL fnFindInfSections(char *lpszText, SectionStruct *lpSection);

/* ---- dispatch.cpp ---- */
/* How a handler's answer becomes the section result. */
enum { RULE_END, RULE_INFO, RULE_A, RULE_B, RULE_C, RULE_D, RULE_INIT, RULE_STRING };
int fnMapSectionResult(int nRule, int nResult, const char *lpszName, UserInputStruct *lpUI);
extern UINT g_uWinPause;        /* [Config] WinPause: milliseconds, at most 1,000 */
int fnParseInfSection(HWND hWnd, char *lpszSection, UserInputStruct *lpUI);
/* The bracketed name of a header line, bounded; FALSE when it has none. */
BOOL fnGetSectionName(const char *lpszSection, char *lpszOut, size_t cchOut);
/* TRUE with the matched item when the section's name is in the list. */
BOOL fnIsInfSection(const char *lpszSection, const char *lpszList, char *lpszMatched,
                    size_t cchMatched);
HWND fnInitInfSection(HWND hWnd, const char *lpszName, const char *lpszStatus,
                      HCURSOR *lphCursor);
void fnEndInfSection(HWND hWndStatus, HCURSOR hCursor);

/* ---- opening.cpp: [Config], [Install Options], [Signon] ---- */
#define CONFIG_RESTARTED 8
#define OPTIONS_EXIT     116
/* 1 go on; 8 the install goes on in a temporary copy (Restart), this run
   ends; 2 that copy could not be made or started. */
int fnReadConfig(HWND hWnd, char *lpszText);
/* What [Config] sets for the end of the run; the walk copies it into its
   UserInputStruct. */
extern char g_szConfigExitMsg[1024];
extern char g_szConfigExitExec[260];
extern char g_szConfigRestartMsg[1024];
/* Restart: the install runs from a temporary copy of the program. */
extern BOOL g_bConfigRestart;

/* ---- options.cpp: [Install Options], [Signon], [Info] ---- */
struct InstallOptionsStruct;
struct TextPromptStruct;
/* 1 go on with this script, 116 Exit, 112-115 g_szIniFile names the
   script to load. */
int fnReadInstallOptions(HWND hWnd, char *lpszText);
/* Read [Install Options] into lpOpt; FALSE when no dialog is shown. */
BOOL fnReadOptionsRecord(char *lpszText, InstallOptionsStruct *lpOpt);
/* What the pressed button means; for 112-115 lpszScript (the current
   script) is replaced by the chosen one. */
int fnInstallOptionsResult(int nButton, const InstallOptionsStruct *lpOpt, char *lpszScript,
                           size_t cchScript);
/* lpszName in the directory of lpszScript; a drive or root name as given. */
BOOL fnScriptInDirOf(const char *lpszScript, const char *lpszName, char *lpszOut, size_t cchOut);
BOOL fnIsRootedName(const char *lpszName);
/* A text file of at most cchOut-1 bytes; FALSE when it can't be opened. */
BOOL fnReadTextFile(const char *lpszFile, char *lpszOut, size_t cchOut);
/* 1 OK or nothing shown, 0 Cancel (confirmed). */
int fnReadSignon(HWND hWnd, char *lpszText);
/* Read a [Signon]/[Info] body; FALSE when nothing is to be shown. */
BOOL fnReadTextRecord(char *lpszSection, TextPromptStruct *lpText);

/* ---- appinit.cpp: [AppInit], source and destination ---- */
/* [Config] StayHome: the destination is not made the current directory. */
extern BOOL g_bStayHome;
/* Read [AppInit] (located from lpszText) into the record; FALSE when a key
   that needs a value has none. */
int fnInfAppInit(HWND hWnd, char *lpszText, UserInputStruct *lpUI, const char *lpszName);
/* FALSE when the user cancels or the source directory does not exist. */
BOOL fnGetSrcDir(HWND hWnd, UserInputStruct *lpUI);
/* FALSE when the user cancels the destination dialog. */
BOOL fnGetDestDir(HWND hWnd, UserInputStruct *lpUI);
/* 1 the destination is usable (its directory section made), 0 stop the
   run, 5 the user cancelled the destination dialog. */
int fnTestDestDir(HWND hWnd, UserInputStruct *lpUI);

/* ---- exit.cpp ---- */
BOOL fnUserExit(HWND hWnd, UserInputStruct *lpUI);

#endif
