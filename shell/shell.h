/* Shell: message boxes over the string table, the debug trace, the
 * install log, the message pump and the program's own windows. */
#ifndef KSTL8_SHELL_H
#define KSTL8_SHELL_H

#include <windows.h>
#include <stddef.h>
#include "strutil.h"

/* ---- msgbox.cpp ---- */
/* Show string uId (or, with 0, the first argument) formatted with the
   arguments.  Returns the button pressed.  In a quiet run nothing is
   shown: the text goes to the trace and the log and the style's default
   button is returned, except that Retry and Try Again are never chosen. */
int fnMessageBox(UINT uId, const char *lpszCaption, UINT uStyle, ...);
/* As fnMessageBox, but nQuiet is the answer a quiet run takes. */
int fnMessageBoxQ(int nQuiet, UINT uId, const char *lpszCaption, UINT uStyle, ...);
/* Show a text that is not a format (script or user text). */
int fnMessageBoxText(const char *lpszText, const char *lpszCaption, UINT uStyle);
/* The answer a quiet run takes for a message-box style. */
int fnQuietAnswer(UINT uStyle);
/* Load string uId; empty text when it is missing. */
BOOL fnLoadString(UINT uId, char *lpszOut, size_t cchOut);

/* ---- trace.cpp ---- */
/* Trace one record under lpszTag.  Returns the box answer in mode 1,
   the dialog result in mode 2, else 0. */
int fnDebugTrace(const char *lpszTag, const char *lpszFmt, ...)
    __attribute__((format(gnu_printf, 2, 3)));
/* Debug dialog stepping, exposed for tests. */
extern DWORD g_dwDebugInterval;
DWORD fnDebugFaster(DWORD dwInterval);
DWORD fnDebugSlower(DWORD dwInterval);
INT_PTR CALLBACK DebugDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);
/* Set g_szDebugFile for mode 3 and prepare the file (question 1039 when
   it exists, No in a quiet run).  FALSE when it can't be created. */
BOOL fnOpenDebugFile(void);
/* Close the trace file at the end of the run. */
void fnCloseDebugFile(void);

/* ---- log.cpp ---- */
extern char g_szLogFile[260];
extern BOOL g_bLogWanted;
extern BOOL g_bLogStarted;
/* Prepare the install log once (the name is already macro-expanded). */
BOOL fnStartLog(const char *lpszLogName);
/* Where a log name goes: drive-qualified and UNC names as given, others
   by file name into the destination (or start-up destination, or temp). */
BOOL fnResolveLogPath(const char *lpszName, char *lpszOut, size_t cchOut);
BOOL fnLogWrite(BOOL bLineBreak, const char *lpszFmt, ...)
    __attribute__((format(gnu_printf, 2, 3)));
/* Append one formatted line to a file, creating it when missing. */
BOOL fnAppendLine(const char *lpszFile, BOOL bLineBreak, const char *lpszFmt, ...)
    __attribute__((format(gnu_printf, 3, 4)));
BOOL fnAppendText(const char *lpszFile, const char *lpszText, size_t cchText);

/* ---- pump.cpp ---- */
void fnPumpMessages(void);
void fnZeroMem(void *lpBuffer, size_t cbBuffer);
void fnGlobalFree(HGLOBAL hMem);

/* ---- windows.cpp: main and loader windows ---- */
LRESULT CALLBACK MainWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK LoaderWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
/* Status window "\n%s ...\nPlease wait ..."; none in a quiet run. */
HWND fnCreateStatusWindow(HWND hWndParent, const char *lpszText);
void fnDestroyStatusWindow(HWND hWnd);
/* Centre a window on the work area. */
void fnCenterWindow(HWND hWnd);
/* TRUE while the program itself asks Windows to exit or restart. */
extern BOOL g_bExitingWindows;

#endif
