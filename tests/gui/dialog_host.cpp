/* Opens one of the program's own dialogs or windows from the command line
 * so that GUI scenarios can drive it with the robot.  The exit code is the
 * dialog's result.
 *   dialog_host [-q] prompt STYLE MESSAGE
 *   dialog_host [-q] choice TEMPLATE FILE [DIR [OTHER]]
 *   dialog_host meter RANGE POS        (a window "Meter" until closed)
 *   dialog_host progress STEPS         (steps done before a confirmed Cancel)
 *   dialog_host help TOPIC TEXT        (the help window until Done)
 *   dialog_host [-q] destdir TEMPLATE NUM PATH MSG1 [MSG2 [HELP]]
 *                                      (what it stored goes to DESTDIR.OUT)
 *   dialog_host [-q] conflict EXISTING NEWCOPY NAME BITS   (dialog 7)
 *   dialog_host [-q] install SRCDIR SRCNAME DSTDIR DSTNAME CODES
 *       one file through the install engine; CODES are the letters of
 *       install mode, copy mode and exist action (NNN); the exit code is
 *       the engine's result plus 10 times g_uOnExit.
 *   dialog_host [-q] sourcedisk LABEL FILE LOCATION     (dialog 5; the
 *       location and file it leaves go to DISK.OUT)
 *   dialog_host [-q] scfolder PARENT FOLDER LABEL       (dialog 22; the
 *       folder it leaves goes to SCFOLDER.OUT)
 *   dialog_host floatinfo POSITION CAPTION MESSAGE [BUTTON]
 *       (window 33 until it ends; the work area goes to FLOAT.OUT and the
 *       exit code is 1 once the window is gone) */
#include "dialogs/dialogs.h"
#include "shell/shell.h"
#include "startup/startup.h"
#include "resources/resource.h"
#include "script/macro.h"
#include "install/engine.h"
#include <stdlib.h>
#include <string.h>

static LRESULT CALLBACK HostWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

static int fnRunMeter(UINT uRange, UINT uPos)
{
    WNDCLASSA wc;
    memset(&wc, 0, sizeof(wc));
    wc.lpfnWndProc = HostWndProc;
    wc.hInstance = g_hInstance;
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = "MeterHost";
    RegisterClassA(&wc);
    HWND hWnd = CreateWindowA("MeterHost", "Meter", WS_POPUP | WS_CAPTION, 100, 100,
                              300, 100, NULL, NULL, g_hInstance, NULL);
    HWND hMeter = CreateWindowA("ProgressMeterKSTL8", "", WS_CHILD | WS_VISIBLE, 10, 10, 200, 30,
                                hWnd, (HMENU)100, g_hInstance, NULL);
    SendMessageA(hMeter, PM_SETRANGE, uRange, 0);
    SendMessageA(hMeter, PM_SETPOS, uPos, 0);
    /* Shown only once the meter is set, so a robot sees the final state. */
    ShowWindow(hWnd, SW_SHOW);
    UpdateWindow(hWnd);
    UpdateWindow(hMeter);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

/* A work loop that stops at the first check after a confirmed Cancel. */
static int fnRunProgress(UINT uSteps)
{
    HWND hDlg = fnCreateProgressDlg(NULL);
    UINT uDone = 0;
    for (; uDone < uSteps; uDone++) {
        if (fnProgressCancelled(hDlg))
            break;
        SendDlgItemMessageA(hDlg, IDC_PROGRESS_METER, PM_SETRANGE, uSteps, 0);
        SendDlgItemMessageA(hDlg, IDC_PROGRESS_METER, PM_SETPOS, uDone, 0);
        for (int i = 0; i < 10; i++) {
            fnPumpMessages();
            Sleep(10);
        }
    }
    /* The owner destroys the dialog after the work. */
    if (hDlg)
        DestroyWindow(hDlg);
    return (int)uDone;
}

/* The directory dialog on a description made from the arguments; the
   chosen path, g_szDestDir and directory-list entry NUM + 1 are written
   to DESTDIR.OUT in the current directory. */
static int fnRunDestDir(int argc, char **argv)
{
    static ReadSectStruct rs;
    rs.nNum = atoi(argv[1]);
    fnStrCopy(rs.szCaption, "Destination");
    fnStrCopy(rs.szPath, argv[2]);
    fnStrCopy(rs.szMsg[0], argv[3]);
    if (argc > 4)
        fnStrCopy(rs.szMsg[1], argv[4]);
    if (argc > 5)
        rs.lpszHelp = argv[5];
    int nResult = fnShowDestDirDlg(NULL, (UINT)atoi(argv[0]), &rs);
    int nEntry = rs.nNum >= 0 && rs.nNum < 9 ? rs.nNum : 0;
    fnAppendLine("DESTDIR.OUT", TRUE, "path=%s", rs.szPath);
    fnAppendLine("DESTDIR.OUT", TRUE, "dest=%s", g_szDestDir);
    fnAppendLine("DESTDIR.OUT", TRUE, "entry=%s", g_szDirList[nEntry]);
    return nResult;
}

static int fnRunConflict(char **argv)
{
    VersionConflictStruct vc;
    memset(&vc, 0, sizeof(vc));
    fnStrCopy(vc.szExisting, argv[0]);
    fnStrCopy(vc.szTemp, argv[1]);
    fnStrCopy(vc.szDstName, argv[2]);
    vc.dwResult = strtoul(argv[3], NULL, 0);
    return fnShowVersionConflict(NULL, &vc);
}

/* A letter's code from "LETTERS" (value = base + position), or the default. */
static UINT fnLetterCode(char c, const char *lpszLetters, UINT uBase)
{
    const char *p = c ? strchr(lpszLetters, c) : NULL;
    return p ? uBase + (UINT)(p - lpszLetters) : uBase;
}

static int fnRunInstall(char **argv)
{
    fnGetOSVersionInfo(&g_OSInfo);
    GetWindowsDirectoryA(g_szWinDir, sizeof(g_szWinDir));
    GetSystemDirectoryA(g_szSysDir, sizeof(g_szSysDir));
    IFStruct rec;
    memset(&rec, 0, sizeof(rec));
    fnStrCopy(rec.szSrcFilePath, argv[0]);
    fnStrCopy(rec.szSrcFileName, argv[1]);
    fnStrCopy(rec.szDstDir, argv[2]);
    fnStrCopy(rec.szDstFileName, argv[3]);
    fnStrCopy(g_szSourceDir, argv[0]);
    fnStrCopy(g_szDestDir, argv[2]);
    const char *lpszCodes = argv[4];
    rec.uFileNum = 1;
    rec.uInstallMode = fnLetterCode(lpszCodes[0], "NSVTMA", IM_N);
    rec.uInUseAction = IU_P;
    rec.uVerAction = VA_ASK;
    rec.uCopyMode = fnLetterCode(lpszCodes[0] ? lpszCodes[1] : 0, "NDRSVFCP?WJ", CM_N);
    rec.uExistAction = fnLetterCode(lpszCodes[0] && lpszCodes[1] ? lpszCodes[2] : 0, "NBUSPK", EA_N);
    rec.uJoinPart = JP_NONE;
    rec.bQuiet = TRUE;
    g_uBackUpMethod = 502;  /* UNIQUE: numbered names */
    int nResult = fnInstallFileVer(NULL, &rec);
    return nResult + 10 * (int)g_uOnExit;
}

/* ---- source disk, shortcut folder and floating information ---- */

static int fnRunSourceDisk(char **argv)
{
    SourceDiskStruct disk;
    memset(&disk, 0, sizeof(disk));
    fnStrCopy(disk.szLabel, argv[0]);
    fnStrCopy(g_szDiskFile, argv[1]);
    fnStrCopy(g_szDiskLocation, argv[2]);
    int nResult = (int)fnDialogBox(NULL, IDD_SOURCEDISK, SourceDiskDlgProc, (LPARAM)&disk);
    fnAppendLine("DISK.OUT", TRUE, "location=%s", g_szDiskLocation);
    fnAppendLine("DISK.OUT", TRUE, "file=%s", g_szDiskFile);
    return nResult;
}

static int fnRunShortcutFolder(char **argv)
{
    ShortcutFolderStruct sc;
    memset(&sc, 0, sizeof(sc));
    fnStrCopy(sc.szParent, argv[0]);
    fnStrCopy(sc.szFolder, argv[1]);
    fnStrCopy(sc.szLabel, argv[2]);
    int nResult = (int)fnDialogBox(NULL, IDD_SCFOLDER, ShortcutFolderDlgProc, (LPARAM)&sc);
    fnAppendLine("SCFOLDER.OUT", TRUE, "folder=%s", sc.szFolder);
    return nResult;
}

/* The window is modeless: it is shown, and the host waits until it has
   destroyed itself. */
static int fnRunFloatInfo(int argc, char **argv)
{
    static FloatInfoStruct info;
    info.uPosition = (UINT)atoi(argv[0]);
    fnStrCopy(info.szCaption, argv[1]);
    fnStrCopy(info.szMessage, argv[2]);
    if (argc > 3)
        fnStrCopy(info.szButton, argv[3]);
    RECT rcWork;
    if (!fnGetWorkArea(&rcWork))
        return 255;
    fnAppendLine("FLOAT.OUT", TRUE, "work=%ld %ld %ld %ld", rcWork.left, rcWork.top,
                 rcWork.right, rcWork.bottom);
    HWND hDlg = CreateDialogParamA(g_hInstance, MAKEINTRESOURCEA(IDD_FLOATINFO), NULL,
                                   FloatInfoDlgProc, (LPARAM)&info);
    if (!hDlg)
        return 254;
    ShowWindow(hDlg, SW_SHOWNOACTIVATE);
    /* A thread timer wakes the loop to see that the window has gone. */
    SetTimer(NULL, 0, 100, NULL);
    MSG msg;
    while (IsWindow(hDlg) && GetMessageA(&msg, NULL, 0, 0) > 0)
        if (!IsDialogMessageA(hDlg, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    return IsWindow(hDlg) ? 0 : 1;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    g_hInstance = hInstance;
    fnStrCopy(g_szTitle, "Install and Setup");
    fnStrCopy(g_szClassName, "KSTL8HOST");
    int argc = __argc;
    char **argv = __argv;
    int i = 1;
    if (i < argc && strcmp(argv[i], "-q") == 0) {
        g_bQuiet = TRUE;
        i++;
    }
    if (!fnRegisterClasses(hInstance) || i >= argc)
        return 255;
    const char *lpszCmd = argv[i++];
    if (strcmp(lpszCmd, "prompt") == 0 && i + 1 < argc) {
        PromptStruct prompt;
        memset(&prompt, 0, sizeof(prompt));
        prompt.uStyle = (UINT)atoi(argv[i]);
        fnStrCopy(prompt.szMessage, argv[i + 1]);
        return fnShowPrompt(NULL, &prompt);
    }
    if (strcmp(lpszCmd, "choice") == 0 && i + 1 < argc) {
        FileChoiceStruct choice;
        memset(&choice, 0, sizeof(choice));
        fnStrCopy(choice.szFile, argv[i + 1]);
        if (i + 2 < argc)
            fnStrCopy(choice.szDir, argv[i + 2]);
        if (i + 3 < argc)
            fnStrCopy(choice.szOtherDir, argv[i + 3]);
        return fnShowFileChoice(NULL, (UINT)atoi(argv[i]), &choice);
    }
    if (strcmp(lpszCmd, "meter") == 0 && i + 1 < argc)
        return fnRunMeter((UINT)atoi(argv[i]), (UINT)atoi(argv[i + 1]));
    if (strcmp(lpszCmd, "progress") == 0 && i < argc)
        return fnRunProgress((UINT)atoi(argv[i]));
    if (strcmp(lpszCmd, "help") == 0 && i + 1 < argc) {
        static HelpStruct help;
        fnStrCopy(help.szTopic, argv[i]);
        fnStrCopy(help.szText, argv[i + 1]);
        help.uKind = HELP_WINDOW;
        return fnShowHelp(NULL, &help) ? 1 : 0;
    }
    if (strcmp(lpszCmd, "destdir") == 0 && i + 3 < argc)
        return fnRunDestDir(argc - i, argv + i);
    if (strcmp(lpszCmd, "conflict") == 0 && i + 3 < argc)
        return fnRunConflict(argv + i);
    if (strcmp(lpszCmd, "install") == 0 && i + 4 < argc)
        return fnRunInstall(argv + i);
    /* source disk, shortcut folder, floating information */
    if (strcmp(lpszCmd, "sourcedisk") == 0 && i + 2 < argc)
        return fnRunSourceDisk(argv + i);
    if (strcmp(lpszCmd, "scfolder") == 0 && i + 2 < argc)
        return fnRunShortcutFolder(argv + i);
    if (strcmp(lpszCmd, "floatinfo") == 0 && i + 2 < argc)
        return fnRunFloatInfo(argc - i, argv + i);
    return 255;
}
