/* Dialogs: the shared behaviour of every question the program asks
 * (placement, caption, quiet runs, confirmation of leaving, help, folder
 * and file browsing) and the dialog procedures other parts open. */
#ifndef KSTL8_DIALOGS_H
#define KSTL8_DIALOGS_H

#include <windows.h>
#include <stddef.h>

#define KSTL8_HELP_TEXT 32761   /* 32,760 characters and the terminator */

/* Help kinds: none, the platform help file, or the help window. */
#define HELP_NONE      0
#define HELP_PLATFORM  3
#define HELP_WINDOW    1

struct HelpStruct {
    char szTopic[128];              /* the dialog's caption */
    char szText[KSTL8_HELP_TEXT];   /* help text, or the help file for kind 3 */
    char szKey[128];                /* keyword in the help file (kind 3) */
    UINT uKind;
};

/* The script prompt (template 1); the caption is always g_szTitle. */
struct PromptStruct {
    char szCaption[80];
    char szMessage[1052];
    UINT uStyle;                    /* 101-111 */
};

/* The parameters of one input dialog as read from its section.  Only the
   fields the directory dialog needs are here so far; the input sections
   add theirs. */
#define READSECT_MSGS 7
struct ReadSectStruct {
    int nNum;                       /* entry number given by the handler */
    UINT uHelpKind;                 /* 0 help text, 2 help text file, 3 platform help file */
    const char *lpszHelp;           /* help text, or the help file (kind 3); NULL no help */
    char szHelpKey[48];
    char szCaption[128];
    char szMsg[READSECT_MSGS][192];
    char szPath[260];
};

/* ---- framework.cpp ---- */
extern HWND g_hHelpDlg;
/* The platform help call; tests put a recorder here. */
typedef BOOL(WINAPI *PFNWINHELP)(HWND hWnd, LPCSTR lpszFile, UINT uCommand, ULONG_PTR dwData);
extern PFNWINHELP g_pfnWinHelp;
/* Place the dialog below the main window, set its caption to g_szTitle
   when asked, hide it in a quiet run, else beep when asked. */
BOOL fnDlgInit(HWND hDlg, BOOL bSetCaption, BOOL bBeep);
/* Every dialog procedure ends its initialisation here: in a quiet run the
   dialog ends at once with nResult, its default answer.  TRUE when it did. */
BOOL fnDlgQuietEnd(HWND hDlg, INT_PTR nResult);
/* WM_CTLCOLORSTATIC: a read-only text control nId in the window colours
   instead of the dialog face; FALSE for every other control. */
INT_PTR fnDlgWindowColours(HWND hDlg, int nId, WPARAM wParam, LPARAM lParam);
/* Run a modal dialog; -1 when it can't be created (openers treat it as
   Cancel). */
INT_PTR fnDialogBox(HWND hWndOwner, UINT uTemplate, DLGPROC pfnProc, LPARAM lParam);
/* Message 1055 with Yes and No; TRUE on Yes.  A quiet run answers Yes. */
BOOL fnConfirmExit(void);
/* Show help: the platform help file for kind 3 (its index with an empty
   key), else the help window with its own message loop until it closes. */
BOOL fnShowHelp(HWND hDlg, const HelpStruct *lpHelp);
/* Close what fnShowHelp opened, before a dialog with help ends. */
void fnCloseHelp(HWND hDlg, const HelpStruct *lpHelp);
INT_PTR CALLBACK HelpDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);
/* The help window for lpHelp (modeless), stored in g_hHelpDlg. */
HWND fnCreateHelpWindow(HWND hWndOwner, const HelpStruct *lpHelp);

/* ---- browse.cpp ---- */
/* Folder picker: TRUE with the folder in lpszPath (a buffer of 260). */
BOOL fnBrowseForFolder(HWND hWndOwner, char *lpszPath, const char *lpszTitle);
int CALLBACK fnBrowseFolderCallback(HWND hWnd, UINT uMsg, LPARAM lParam, LPARAM lpData);
/* Open-file dialog: TRUE with the directory and the bare file name
   (buffers of 260 each).  The first requires the file to exist. */
BOOL fnBrowseForFile(HWND hWndOwner, char *lpszDir, char *lpszFile);
BOOL fnBrowseForFileTitle(HWND hWndOwner, char *lpszDir, char *lpszFile, const char *lpszTitle);
/* Split a chosen path at the file name's offset into directory and name. */
BOOL fnSplitChosenPath(const char *lpszPath, UINT uFileOffset, char *lpszDir, size_t cchDir,
                       char *lpszFile, size_t cchFile);

/* ---- prompt.cpp ---- */
/* Which buttons a prompt style shows: up to two moves into OK's and
   Cancel's places, hidden buttons, extra shown buttons, the focus and the
   answer a quiet run takes.  NULL for a code outside 101-111. */
struct PromptStyleStruct {
    UINT uStyle;
    int nIntoOk;            /* button shown in OK's place, 0: OK stays */
    int nIntoCancel;        /* button shown in Cancel's place, 0: none */
    int anHide[3];
    int nShow;              /* shown in its own place */
    int nFocus;             /* 0: none */
    int nQuiet;
};
const PromptStyleStruct *fnFindPromptStyle(UINT uStyle);
/* The style code of a script keyword ("YESNO" gives 102), 0 when unknown. */
UINT fnPromptStyleOfKeyword(const char *lpszKeyword);
INT_PTR CALLBACK MsgBoxDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);
/* Run the prompt; the button id (1, 2, 4, 6, 7, 115, 116) or -1. */
int fnShowPrompt(HWND hWndOwner, const PromptStruct *lpPrompt);

/* ---- textdlg.cpp: sign-on, information and install options ---- */
#define KSTL8_TEXT_MAX 32760

/* The record of the sign-on and information screens. */
struct TextPromptStruct {
    char szCaption[128];
    char szPrompt[128];
    char szText[KSTL8_TEXT_MAX + 1];
    UINT uLines;
};
INT_PTR CALLBACK TextPromptDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);
/* Tall dialog (20) with 5 lines or more, else short (21); 1 OK, 2 Cancel. */
int fnShowTextPrompt(HWND hWndOwner, const TextPromptStruct *lpText);

/* The record of the install-options dialog. */
struct InstallOptionsStruct {
    char szCaption[128];
    char szIntro[192];
    char aszOptMsg[4][192];
    char aszOptBtn[4][20];
    char aszOptInf[4][260];
    BOOL bOpt1Inf;
    char szExitMsg[192];
    char szExitBtn[20];
    char szHelpMsg[192];
    char szHelpBtn[20];
    HelpStruct help;
};
/* Options shown (1-4): 4 with messages 2-4, 3 with 2 and 3, 2 with 2 only. */
UINT fnCountInstallOptions(const InstallOptionsStruct *lpOpt);
INT_PTR CALLBACK InstallOptionsDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);
/* Template 16-19 by the option count; 112-115 an option, 116 Exit, -1. */
int fnShowInstallOptions(HWND hWndOwner, InstallOptionsStruct *lpOpt);

/* ---- destdlg.cpp: the destination and source directory ---- */
/* Templates 3 (two texts) and 14 (one text).  OK stores the path in
   lpReadSectStruct->szPath, directory-list entry nNum + 1 and, with nNum
   0, g_szDestDir; ends with 1, Cancel with 2. */
INT_PTR CALLBACK GetDestDirDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);
/* The edit's text as stored: a bare drive "X:" gets its backslash. */
BOOL fnNormalizeDestText(char *lpszPath, size_t cchPath);
/* Run template uTemplate on lpRead; 1 OK, 2 Cancel, -1. */
int fnShowDestDirDlg(HWND hWndOwner, UINT uTemplate, ReadSectStruct *lpRead);

/* ---- filedlgs.cpp: decisions about files and folders ---- */
/* The modeless progress dialog; NULL in a quiet run. */
HWND fnCreateProgressDlg(HWND hWndOwner);
/* Show it again: Cancel enabled, texts 103-106 cleared, meter reset. */
BOOL fnResetProgressDlg(HWND hDlg);
/* TRUE when the user confirmed Cancel (the Cancel button is disabled). */
BOOL fnProgressCancelled(HWND hDlg);
INT_PTR CALLBACK ProgressDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);

/* Texts of the radio dialogs 6, 9, 10 and 27. */
struct FileChoiceStruct {
    char szFile[260];
    char szDir[260];
    char szOtherDir[260];
};
INT_PTR CALLBACK InUseDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ExistsElsewhereDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AlreadyExistsDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FileConflictDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);
/* Run one of the radio dialogs (template 6, 9, 10 or 27); the checked id,
   2 for Cancel or closing, -1. */
int fnShowFileChoice(HWND hWndOwner, UINT uTemplate, const FileChoiceStruct *lpChoice);

/* The source-disk dialog reads and writes these. */
extern char g_szDiskLocation[260];
extern char g_szDiskFile[260];
struct SourceDiskStruct {
    char szLabel[128];
};
INT_PTR CALLBACK SourceDiskDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);

/* The shortcut-folder dialog. */
struct ShortcutFolderStruct {
    char szParent[260];
    char szFolder[260];     /* in: the default name; out: parent\name */
    char szLabel[128];
};
/* Fill the list with the subfolders of lpszParent; FALSE when it can't
   be listed. */
BOOL fnFillFolderList(HWND hList, const char *lpszParent);
INT_PTR CALLBACK ShortcutFolderDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);

/* Floating information (modeless), placed by its position code. */
struct FloatInfoStruct {
    char szCaption[128];
    char szMessage[1024];
    char szButton[32];
    UINT uPosition;
};
INT_PTR CALLBACK FloatInfoDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);

#endif
