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

/* ---- windows.cpp: main, loader and status windows, placement ---- */
LRESULT CALLBACK MainWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK LoaderWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK StatusWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
/* The system static procedure the status class passes other messages to. */
extern WNDPROC g_pfnStaticProc;
/* The one text every status window shows. */
extern char g_szStatusText[512];
/* TRUE while the program itself asks Windows to exit or restart. */
extern BOOL g_bExitingWindows;
/* The screen less the task bar, else the desktop window's rectangle. */
BOOL fnGetWorkArea(RECT *lprc);
/* Where a cx by cy window goes at position 1-9 (0 counts as 3, TopCenter)
   inside lprcArea; centred coordinates stay between 0 and the area less
   the window.  FALSE for a position above 9. */
BOOL fnPositionInArea(const RECT *lprcArea, int cx, int cy, UINT uPosition, POINT *lppt);
/* Place a window at position 1-9 of the work area; with hWndAfter not
   NULL also apply fnSetZOrder. */
BOOL fnPlaceWindow(HWND hWnd, HWND hWndAfter, UINT uPosition);
/* Change only the z-order; top-most also brings the window forward. */
BOOL fnSetZOrder(HWND hWnd, HWND hWndAfter);
/* Put hWndSecond at hWndFirst's left edge, one hWndFirst height below the
   top of the work area, inside the work area (centred without hWndFirst). */
BOOL fnPlaceBelow(HWND hWndFirst, HWND hWndSecond);
/* Main window position (1-9) for g_uShowVSWin: 1 TopLeft, 2 TopCenter,
   3 TopRight, anything else TopLeft. */
UINT fnMainWindowPosition(UINT uShowVSWin);
/* Status window height for size 0-3: 75, 40, 75, 110 (width 393). */
int fnStatusHeight(UINT uSize);
/* Status window with string uId formatted with the arguments, at position
   0-9, top-most.  With dwMillis it waits, destroys the window and returns
   NULL.  None in a quiet run. */
HWND fnStatusWindow(HWND hWndOwner, UINT uId, UINT uSize, UINT uPosition, DWORD dwMillis, ...);
/* Show (and with bUpdate repaint) a window; nothing in a quiet run. */
BOOL fnShowWindow(HWND hWnd, BOOL bUpdate);
/* The section status "\n%s ...\nPlease wait ..." (size 1, BottomLeft). */
HWND fnCreateStatusWindow(HWND hWndParent, const char *lpszText);
void fnDestroyStatusWindow(HWND hWnd);
/* Centre a window on the work area. */
void fnCenterWindow(HWND hWnd);

/* ---- controls.cpp: progress meter, mismatch list, dialog helpers ---- */
#define PM_SETRANGE (WM_USER + 0)
#define PM_GETRANGE (WM_USER + 1)
#define PM_SETPOS   (WM_USER + 2)
#define PM_GETPOS   (WM_USER + 3)
/* Window extra bytes of the progress meter class. */
#define PM_EXTRA    (3 * (int)sizeof(LONG_PTR))
LRESULT CALLBACK ProgressMeterProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MisMatchLBProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
/* The meter's percentage (range 0 gives 0, past the range 100) and, for a
   control cxWidth wide, the width of its inverted bar. */
int fnMeterPercent(UINT uRange, UINT uPos, int *lpnBarWidth, int cxWidth);
/* A control's rectangle in its dialog's client coordinates. */
BOOL fnGetDlgCtrlRect(HWND hDlg, int nId, RECT *lprc);
/* Hide button nOldId and show nNewId in its place. */
BOOL fnSwapDlgButton(HWND hDlg, int nOldId, int nNewId);
/* Shorten a dialog so that it ends (with a margin) below control nLastId. */
BOOL fnShortenDialog(HWND hDlg, int nLastId);
/* The first checked button from nFirstId to nLastId, or -1. */
int fnGetCheckedRadio(HWND hDlg, int nFirstId, int nLastId);

#endif
