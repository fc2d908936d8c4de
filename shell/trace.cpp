/* Debug trace: off, a message box or the Debug dialog per record, or a
 * trace file in the temporary directory. */
#include "shell.h"
#include "../startup/startup.h"
#include "../install/install.h"
#include "../resources/resource.h"
#include <stdarg.h>
#include <string.h>

DWORD g_dwDebugInterval = 5000;

struct TraceRecordStruct {
    char szCaption[80];
    char szText[1024];
};

#define DEBUG_TIMER 1

DWORD fnDebugFaster(DWORD dwInterval)
{
    if (dwInterval <= 1000)
        return dwInterval > 100 ? dwInterval - 100 : 0;
    return dwInterval - 500;
}

DWORD fnDebugSlower(DWORD dwInterval)
{
    return dwInterval < 60000 ? dwInterval + 500 : dwInterval;
}

static void fnDebugRestartTimer(HWND hDlg)
{
    KillTimer(hDlg, DEBUG_TIMER);
    if (g_dwDebugInterval == 0) {
        /* No delay left: the record moves on at once. */
        EndDialog(hDlg, IDOK);
        return;
    }
    SetTimer(hDlg, DEBUG_TIMER, g_dwDebugInterval, NULL);
    SetDlgItemTextA(hDlg, IDC_DEBUG_PAUSE, "&Pause");
}

static BOOL fnDebugInit(HWND hDlg, const TraceRecordStruct *lpRec)
{
    fnCenterWindow(hDlg);
    SetWindowTextA(hDlg, lpRec->szCaption);
    SetDlgItemTextA(hDlg, IDC_DEBUG_TEXT, lpRec->szText);
    if (g_dwDebugInterval < 2) {
        SetDlgItemTextA(hDlg, IDC_DEBUG_PAUSE, "&Go");
        SetWindowLongPtrA(hDlg, DWLP_USER, 0);
    } else {
        SetTimer(hDlg, DEBUG_TIMER, g_dwDebugInterval, NULL);
        SetWindowLongPtrA(hDlg, DWLP_USER, 1);
    }
    return TRUE;
}

static void fnDebugCommand(HWND hDlg, UINT uId)
{
    BOOL bRunning = GetWindowLongPtrA(hDlg, DWLP_USER) != 0;
    switch (uId) {
    case IDC_DEBUG_PAUSE:
        if (bRunning) {
            KillTimer(hDlg, DEBUG_TIMER);
            SetDlgItemTextA(hDlg, IDC_DEBUG_PAUSE, "&Go");
            SetWindowLongPtrA(hDlg, DWLP_USER, 0);
        } else {
            SetDlgItemTextA(hDlg, IDC_DEBUG_PAUSE, "&Pause");
            SetTimer(hDlg, DEBUG_TIMER, g_dwDebugInterval ? g_dwDebugInterval : 1, NULL);
            SetWindowLongPtrA(hDlg, DWLP_USER, 1);
        }
        break;
    case IDC_DEBUG_FASTER:
        g_dwDebugInterval = fnDebugFaster(g_dwDebugInterval);
        SetWindowLongPtrA(hDlg, DWLP_USER, 1);
        fnDebugRestartTimer(hDlg);
        break;
    case IDC_DEBUG_SLOWER:
        g_dwDebugInterval = fnDebugSlower(g_dwDebugInterval);
        SetWindowLongPtrA(hDlg, DWLP_USER, 1);
        fnDebugRestartTimer(hDlg);
        break;
    case IDCANCEL:
        KillTimer(hDlg, DEBUG_TIMER);
        g_uDebug = 0;
        EndDialog(hDlg, IDOK);
        break;
    }
}

INT_PTR CALLBACK DebugDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
    case WM_INITDIALOG:
        return fnDebugInit(hDlg, (const TraceRecordStruct *)lParam);
    case WM_TIMER:
        KillTimer(hDlg, DEBUG_TIMER);
        EndDialog(hDlg, IDOK);
        return TRUE;
    case WM_COMMAND:
        fnDebugCommand(hDlg, LOWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        KillTimer(hDlg, DEBUG_TIMER);
        EndDialog(hDlg, IDOK);
        return TRUE;
    }
    return FALSE;
}

/* The trace file stays open for the run: a big script traces tens of
   thousands of records, and opening the file for each one costs more than
   the work traced.  Each record is written through at once, so the trace
   survives a crash up to its last record. */
static HANDLE g_hDebugFileHandle = INVALID_HANDLE_VALUE;
static char g_szDebugFileOpen[KSTL8_PATH];

void fnCloseDebugFile(void)
{
    if (g_hDebugFileHandle != INVALID_HANDLE_VALUE)
        CloseHandle(g_hDebugFileHandle);
    g_hDebugFileHandle = INVALID_HANDLE_VALUE;
    g_szDebugFileOpen[0] = '\0';
}

static void fnTraceToFile(const TraceRecordStruct *lpRec)
{
    if (!g_szDebugFile[0])
        return;
    if (g_hDebugFileHandle == INVALID_HANDLE_VALUE ||
        lstrcmpiA(g_szDebugFileOpen, g_szDebugFile) != 0) {
        fnCloseDebugFile();
        g_hDebugFileHandle = CreateFileA(g_szDebugFile, FILE_APPEND_DATA,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, NULL);
        if (g_hDebugFileHandle == INVALID_HANDLE_VALUE)
            return;
        fnStrCopy(g_szDebugFileOpen, g_szDebugFile);
    }
    char szRecord[80 + 1024 + 16];
    fnStrFormat(szRecord, "~-%s-~\r\n%s\r\n\r\n", lpRec->szCaption, lpRec->szText);
    DWORD cbWritten = 0;
    WriteFile(g_hDebugFileHandle, szRecord, (DWORD)strlen(szRecord), &cbWritten, NULL);
}

static int fnTraceShow(const TraceRecordStruct *lpRec)
{
    switch (g_uDebug) {
    case 1: {
        if (g_bQuiet)
            return IDOK;    /* a quiet run never waits for a person */
        int nAnswer = MessageBoxA(NULL, lpRec->szText, lpRec->szCaption,
                                  MB_OKCANCEL | MB_ICONINFORMATION);
        if (nAnswer == IDCANCEL)
            g_uDebug = 0;
        return nAnswer;
    }
    case 2:
        if (g_bQuiet)
            return IDOK;
        return (int)DialogBoxParamA(g_hInstance, MAKEINTRESOURCEA(IDD_DEBUG), g_hWndMain,
                                    DebugDlgProc, (LPARAM)lpRec);
    case 3:
        fnTraceToFile(lpRec);
        return 0;
    }
    return 0;
}

int fnDebugTrace(const char *lpszTag, const char *lpszFmt, ...)
{
    if (g_uDebug == 0 || g_uDebug > 3)
        return 0;
    TraceRecordStruct rec;
    fnStrFormat(rec.szCaption, "%s: %s", g_szTitle, lpszTag ? lpszTag : "");
    va_list args;
    va_start(args, lpszFmt);
    fnStrFormatVN(rec.szText, sizeof(rec.szText), lpszFmt, args);
    va_end(args);
    return fnTraceShow(&rec);
}

BOOL fnOpenDebugFile(void)
{
    char szName[KSTL8_PATH];
    fnLoadString(IDS_DEBUGFILE, szName, sizeof(szName));
    if (!fnMakePath(g_szTmpPath, szName, g_szDebugFile, sizeof(g_szDebugFile)))
        return FALSE;
    if (fnFileExists(g_szDebugFile)) {
        /* A quiet run keeps the old trace and appends: nothing is destroyed. */
        int nAnswer = fnMessageBoxQ(IDNO, IDS_OVERWRITE, NULL, MB_YESNO | MB_ICONSTOP,
                                    g_szDebugFile);
        if (nAnswer != IDYES)
            return TRUE;
        fnCloseDebugFile();
        DeleteFileA(g_szDebugFile);
    }
    HANDLE hFile = CreateFileA(g_szDebugFile, GENERIC_WRITE, FILE_SHARE_READ, NULL,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE) {
        fnMessageBox(IDS_CANTCREATE, NULL, MB_OK | MB_ICONSTOP, g_szDebugFile);
        g_szDebugFile[0] = '\0';
        return FALSE;
    }
    CloseHandle(hFile);
    return TRUE;
}
