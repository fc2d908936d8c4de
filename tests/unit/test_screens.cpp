/* The screens: window placement, status windows, the progress meter
 * (read back from the screen), the install-options and sign-on records,
 * and dialogs that a quiet run must end at once. */
#include "testutil.h"
#include "dialogs/dialogs.h"
#include "script/reader.h"
#include "resources/resource.h"
#include <string>

using ktest::KestrelTest;
using ktest::TempDirTest;

namespace {

void fnEnsureClasses()
{
    static bool s_bDone = false;
    if (s_bDone)
        return;
    g_hInstance = GetModuleHandleA(NULL);
    fnStrCopy(g_szClassName, "KSTL8TEST");
    ASSERT_TRUE(fnRegisterClasses(g_hInstance));
    s_bDone = true;
}

RECT WorkArea()
{
    RECT rc;
    EXPECT_TRUE(fnGetWorkArea(&rc));
    return rc;
}

/* Visible top-level windows of this thread. */
BOOL CALLBACK CountVisible(HWND hWnd, LPARAM lParam)
{
    if (IsWindowVisible(hWnd))
        ++*(int *)lParam;
    return TRUE;
}
int VisibleWindows()
{
    int n = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountVisible, (LPARAM)&n);
    return n;
}

class ScreenTest : public KestrelTest {
protected:
    void SetUp() override
    {
        KestrelTest::SetUp();
        m_saved.Keep(g_hWndMain);
        m_saved.Keep(g_pfnWinHelp);
        g_hWndMain = NULL;
        fnEnsureClasses();
    }
};

TEST(Placement, NinePositionsInsideTheArea)
{
    RECT rcArea = { 10, 20, 1010, 720 };
    struct { UINT uPos; LONG x, y; } aCases[] = {
        { 1, 10, 20 }, { 2, 910, 20 }, { 3, 460, 20 }, { 4, 10, 345 }, { 5, 460, 345 },
        { 6, 910, 345 }, { 7, 10, 670 }, { 8, 460, 670 }, { 9, 910, 670 }, { 0, 460, 20 },
    };
    for (auto &c : aCases) {
        POINT pt;
        SCOPED_TRACE(c.uPos);
        ASSERT_TRUE(fnPositionInArea(&rcArea, 100, 50, c.uPos, &pt));
        EXPECT_EQ(pt.x, c.x);
        EXPECT_EQ(pt.y, c.y);
    }
    POINT pt;
    EXPECT_FALSE(fnPositionInArea(&rcArea, 100, 50, 10, &pt));
    /* Too large for the area: coordinate 0 of the area on each axis that does not fit. */
    ASSERT_TRUE(fnPositionInArea(&rcArea, 1200, 50, 5, &pt));
    EXPECT_EQ(pt.x, 10);
    EXPECT_EQ(pt.y, 345);
    ASSERT_TRUE(fnPositionInArea(&rcArea, 1200, 900, 9, &pt));
    EXPECT_EQ(pt.x, 10);
    EXPECT_EQ(pt.y, 20);
}

TEST(Placement, MainWindowPositionByShowMode)
{
    EXPECT_EQ(fnMainWindowPosition(1), 1u);   /* TopLeft */
    EXPECT_EQ(fnMainWindowPosition(2), 3u);   /* TopCenter */
    EXPECT_EQ(fnMainWindowPosition(3), 2u);   /* TopRight */
    EXPECT_EQ(fnMainWindowPosition(0), 1u);
    EXPECT_EQ(fnMainWindowPosition(7), 1u);
}

TEST_F(ScreenTest, MainWindowIsPlacedOnCreation)
{
    g_bMessage = FALSE;
    RECT rcWork = WorkArea();
    struct { UINT uShow; LONG left; } aCases[] = {
        { 1, rcWork.left }, { 2, rcWork.left + (rcWork.right - rcWork.left - 399) / 2 },
        { 3, rcWork.right - 399 },
    };
    for (auto &c : aCases) {
        SCOPED_TRACE(c.uShow);
        g_uShowVSWin = c.uShow;
        HWND hWnd = CreateWindowA(g_szClassName, "main", WS_POPUP, 0, 0, 399, 80, NULL, NULL,
                                  g_hInstance, NULL);
        ASSERT_NE(hWnd, (HWND)NULL);
        RECT rc;
        GetWindowRect(hWnd, &rc);
        EXPECT_EQ(rc.left, c.left);
        EXPECT_EQ(rc.top, rcWork.top);
        EXPECT_EQ(rc.right - rc.left, 399);
        EXPECT_EQ(rc.bottom - rc.top, 80);
        /* Windows asking to end is refused and turns into a restart at exit. */
        g_uOnExit = 0;
        EXPECT_EQ(SendMessageA(hWnd, WM_QUERYENDSESSION, 0, 0), 0);
        EXPECT_EQ(g_uOnExit, 4u);
        DestroyWindow(hWnd);
        MSG msg;
        PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
}

TEST_F(ScreenTest, StatusWindowSizesPositionsAndText)
{
    g_bQuiet = FALSE;
    RECT rcWork = WorkArea();
    const int anHeight[4] = { 75, 40, 75, 110 };
    for (UINT uSize = 0; uSize < 4; uSize++) {
        SCOPED_TRACE(uSize);
        HWND hWnd = fnStatusWindow(NULL, IDS_PLEASEWAIT, uSize, 7, 0, "Copying files");
        ASSERT_NE(hWnd, (HWND)NULL);
        RECT rc;
        GetWindowRect(hWnd, &rc);
        EXPECT_EQ(rc.right - rc.left, 393);
        EXPECT_EQ(rc.bottom - rc.top, anHeight[uSize]);
        EXPECT_EQ(rc.left, rcWork.left);             /* BottomLeft */
        EXPECT_EQ(rc.bottom, rcWork.bottom);
        EXPECT_TRUE(IsWindowVisible(hWnd));
        EXPECT_TRUE(GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
        DestroyWindow(hWnd);
    }
    EXPECT_STREQ(g_szStatusText, "\nCopying files ...\nPlease wait ...");
    /* Position 0: centred at the top. */
    HWND hWnd = fnStatusWindow(NULL, IDS_PLEASEWAIT, 2, 0, 0, "x");
    ASSERT_NE(hWnd, (HWND)NULL);
    RECT rc;
    GetWindowRect(hWnd, &rc);
    EXPECT_EQ(rc.top, rcWork.top);
    EXPECT_EQ(rc.left, rcWork.left + (rcWork.right - rcWork.left - 393) / 2);
    DestroyWindow(hWnd);
    /* With a time the window is gone when the call returns. */
    EXPECT_EQ(fnStatusWindow(NULL, IDS_PLEASEWAIT, 1, 5, 50, "timed"), (HWND)NULL);
    EXPECT_EQ(VisibleWindows(), 0);
}

TEST_F(ScreenTest, StatusTextIsBoundedAndNeverAFormat)
{
    g_bQuiet = FALSE;
    std::string sLong(2000, 'x');
    HWND hWnd = fnStatusWindow(NULL, IDS_PLEASEWAIT, 1, 7, 0, ("%s%n" + sLong).c_str());
    ASSERT_NE(hWnd, (HWND)NULL);
    DestroyWindow(hWnd);
    EXPECT_EQ(strlen(g_szStatusText), sizeof(g_szStatusText) - 1);
    EXPECT_EQ(std::string(g_szStatusText, 5), "\n%s%n");
}

TEST_F(ScreenTest, QuietRunsCreateNoStatusWindow)
{
    g_bQuiet = TRUE;
    EXPECT_EQ(fnStatusWindow(NULL, IDS_PLEASEWAIT, 1, 7, 0, "x"), (HWND)NULL);
    HCURSOR hCursor;
    HWND hStatus = fnInitInfSection(NULL, "[IniEdits]", "Editing configuration files", &hCursor);
    EXPECT_EQ(hStatus, (HWND)NULL);
    fnEndInfSection(hStatus, hCursor);
    EXPECT_EQ(VisibleWindows(), 0);
    g_bQuiet = FALSE;
    hStatus = fnInitInfSection(NULL, "[IniEdits]", "Editing configuration files", &hCursor);
    EXPECT_NE(hStatus, (HWND)NULL);
    fnEndInfSection(hStatus, hCursor);
}

TEST(Meter, PercentAndBar)
{
    struct { UINT uRange, uPos; int nPercent, nBar; } aCases[] = {
        { 10000, 5000, 50, 100 }, { 0, 5000, 0, 0 }, { 0, 0, 0, 0 }, { 10000, 0, 0, 0 },
        { 10000, 10000, 100, 200 }, { 3, 1, 33, 66 },
        /* Past the range: the drawing stops at 100%. */
        { 100, 150, 100, 200 }, { 65535, 65535, 100, 200 },
    };
    for (auto &c : aCases) {
        SCOPED_TRACE(testing::Message() << c.uRange << "/" << c.uPos);
        int nBar = -1;
        EXPECT_EQ(fnMeterPercent(c.uRange, c.uPos, &nBar, 200), c.nPercent);
        EXPECT_EQ(nBar, c.nBar);
    }
}

/* The meter drawn on the screen: the bar in inverted colours. */
TEST_F(ScreenTest, MeterPixelsOnTheScreen)
{
    HWND hMeter = CreateWindowExA(WS_EX_TOPMOST, "ProgressMeterKSTL8", "", WS_POPUP | WS_VISIBLE,
                                  200, 200, 200, 30, NULL, NULL, g_hInstance, NULL);
    ASSERT_NE(hMeter, (HWND)NULL);
    EXPECT_EQ(SendMessageA(hMeter, PM_GETRANGE, 0, 0), 10000);
    EXPECT_EQ(SendMessageA(hMeter, PM_GETPOS, 0, 0), 5000);
    EXPECT_EQ(SendMessageA(hMeter, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
    COLORREF crText = GetSysColor(COLOR_WINDOWTEXT), crBack = GetSysColor(COLOR_WINDOW);
    struct { UINT uRange, uPos; COLORREF crLeft, crRight; } aCases[] = {
        { 10000, 5000, crText, crBack },
        { 0, 5000, crBack, crBack },
        { 100, 100, crText, crText },
    };
    for (auto &c : aCases) {
        SCOPED_TRACE(testing::Message() << c.uRange << "/" << c.uPos);
        SendMessageA(hMeter, PM_SETRANGE, c.uRange, 0);
        SendMessageA(hMeter, PM_SETPOS, c.uPos, 0);
        EXPECT_EQ((UINT)SendMessageA(hMeter, PM_GETRANGE, 0, 0), c.uRange);
        fnPumpMessages();
        HDC hScreen = GetDC(NULL);
        /* Corners only: the percentage is drawn in the middle. */
        EXPECT_EQ(GetPixel(hScreen, 202, 202), c.crLeft);
        EXPECT_EQ(GetPixel(hScreen, 298, 227), c.crLeft);
        EXPECT_EQ(GetPixel(hScreen, 302, 202), c.crRight);
        EXPECT_EQ(GetPixel(hScreen, 397, 227), c.crRight);
        ReleaseDC(NULL, hScreen);
    }
    DestroyWindow(hMeter);
}

/* ---- the opening records ---- */

class OpeningTest : public TempDirTest {
protected:
    InstallOptionsStruct *m_lpOpt = new InstallOptionsStruct;
    TextPromptStruct *m_lpText = new TextPromptStruct;
    void SetUp() override
    {
        TempDirTest::SetUp();
        m_saved.Keep(g_szSourceDir);
        fnStrCopy(g_szSourceDir, m_dir.c_str());
        fnStrCopy(g_szIniFile, "D:\\SETUP\\MAIN.INF");
    }
    void TearDown() override
    {
        delete m_lpOpt;
        delete m_lpText;
        TempDirTest::TearDown();
    }
    BOOL Read(std::string text)
    {
        m_text = text;
        return fnReadOptionsRecord(&m_text[0], m_lpOpt);
    }
    BOOL ReadText(std::string text)
    {
        m_text = text;
        return fnReadTextRecord(&m_text[0], m_lpText);
    }
    std::string m_text;
};

TEST_F(OpeningTest, OptionCountFollowsTheMessages)
{
    struct { const char *lpszOpts; UINT uCount; } aCases[] = {
        { "Opt1Msg=a\r\n", 1 },
        { "Opt1Msg=a\r\nOpt2Msg=b\r\n", 2 },
        { "Opt1Msg=a\r\nOpt2Msg=b\r\nOpt3Msg=c\r\n", 3 },
        { "Opt1Msg=a\r\nOpt2Msg=b\r\nOpt3Msg=c\r\nOpt4Msg=d\r\n", 4 },
        { "Opt1Msg=a\r\nOpt4Msg=d\r\n", 1 },
        { "Opt1Msg=a\r\nOpt2Msg=b\r\nOpt4Msg=d\r\n", 1 },
    };
    for (auto &c : aCases) {
        SCOPED_TRACE(c.lpszOpts);
        ASSERT_TRUE(Read(std::string("[Install Options]\r\n") + c.lpszOpts));
        EXPECT_EQ(fnCountInstallOptions(m_lpOpt), c.uCount);
    }
}

TEST_F(OpeningTest, DefaultsHelpAndTheEndOfTheSection)
{
    ASSERT_TRUE(Read("[Install Options]\nOpt1Msg=a\nHelp=one\nHelp=two\nOpt2Msg=b\n"
                     "Bogus=1\nOpt3Msg=never read\n"));
    EXPECT_STREQ(m_lpOpt->szIntro, "Please choose one of the following install options.");
    EXPECT_STREQ(m_lpOpt->szExitBtn, "E&xit");
    EXPECT_STREQ(m_lpOpt->szHelpBtn, "&Help");
    EXPECT_STREQ(m_lpOpt->aszOptInf[1], "SETUP_2.INF");
    EXPECT_STREQ(m_lpOpt->aszOptInf[3], "SETUP_4.INF");
    EXPECT_EQ(m_lpOpt->help.uKind, (UINT)HELP_WINDOW);
    EXPECT_STREQ(m_lpOpt->help.szText, "one\r\ntwo");
    EXPECT_STREQ(m_lpOpt->aszOptMsg[1], "b");
    EXPECT_STREQ(m_lpOpt->aszOptMsg[2], "");
    /* A first line without a key shows nothing; nor does a missing section. */
    EXPECT_FALSE(Read("[Install Options]\nno key here\nOpt1Msg=a\n"));
    EXPECT_FALSE(Read("[Other]\nOpt1Msg=a\n"));
    /* Long texts are cut to their fields. */
    ASSERT_TRUE(Read("[Install Options]\nOpt1Btn=" + std::string(40, 'b') + "\nIntro=" +
                     std::string(300, 'i') + "\n"));
    EXPECT_EQ(strlen(m_lpOpt->aszOptBtn[0]), 19u);
    EXPECT_EQ(strlen(m_lpOpt->szIntro), 191u);
}

TEST_F(OpeningTest, HelpFileKinds)
{
    ASSERT_TRUE(ktest::WriteFileText(Path("HELP.TXT"), "from a file"));
    ASSERT_TRUE(Read("[Install Options]\nOpt1Msg=a\nHelpFile=HELP.TXT\n"));
    EXPECT_EQ(m_lpOpt->help.uKind, (UINT)HELP_WINDOW);
    EXPECT_STREQ(m_lpOpt->help.szText, "from a file");
    ASSERT_TRUE(Read("[Install Options]\nOpt1Msg=a\nHelpFile=C:\\x\\APP.Hlp,Setup topic\n"));
    EXPECT_EQ(m_lpOpt->help.uKind, (UINT)HELP_PLATFORM);
    EXPECT_STREQ(m_lpOpt->help.szText, "C:\\x\\APP.Hlp");
    EXPECT_STREQ(m_lpOpt->help.szKey, "Setup topic");
    /* A help file that can't be read is passed over. */
    ASSERT_TRUE(Read("[Install Options]\nOpt1Msg=a\nHelpFile=MISSING.TXT\n"));
    EXPECT_EQ(m_lpOpt->help.uKind, (UINT)HELP_NONE);
}

TEST_F(OpeningTest, WhatEachButtonMeans)
{
    char szScript[260];
    ASSERT_TRUE(Read("[Install Options]\nOpt1Msg=a\nOpt2Inf=C:\\Other\\TWO.INF\n"
                     "Opt4Inf=\\Root\\FOUR.INF\n"));
    struct { int nButton; const char *lpszScript; int nResult; const char *lpszAfter; } aCases[] = {
        { 112, "D:\\SETUP\\MAIN.INF", 1, "D:\\SETUP\\MAIN.INF" },     /* no Opt1Inf */
        { 114, "D:\\SETUP\\MAIN.INF", 114, "D:\\SETUP\\SETUP_3.INF" },
        { 114, "MAIN.INF", 114, "SETUP_3.INF" },
        /* Qualified names are used as given. */
        { 113, "D:\\SETUP\\MAIN.INF", 113, "C:\\Other\\TWO.INF" },
        { 115, "D:\\SETUP\\MAIN.INF", 115, "\\Root\\FOUR.INF" },
        /* Exit, and a dialog that failed, end the run. */
        { 116, "D:\\SETUP\\MAIN.INF", 116, "D:\\SETUP\\MAIN.INF" },
        { -1, "D:\\SETUP\\MAIN.INF", 116, "D:\\SETUP\\MAIN.INF" },
        { 0, "D:\\SETUP\\MAIN.INF", 116, "D:\\SETUP\\MAIN.INF" },
    };
    g_bQuiet = FALSE;
    for (auto &c : aCases) {
        SCOPED_TRACE(testing::Message() << c.nButton << " " << c.lpszScript);
        strcpy(szScript, c.lpszScript);
        EXPECT_EQ(fnInstallOptionsResult(c.nButton, m_lpOpt, szScript, sizeof(szScript)), c.nResult);
        EXPECT_STREQ(szScript, c.lpszAfter);
    }
}

TEST_F(OpeningTest, QuietOptionOneNamingTheScriptGoesOn)
{
    char szScript[260] = "D:\\SETUP\\MAIN.INF";
    ASSERT_TRUE(Read("[Install Options]\nOpt1Msg=a\nOpt1Inf=main.inf\n"));
    g_bQuiet = FALSE;
    EXPECT_EQ(fnInstallOptionsResult(112, m_lpOpt, szScript, sizeof(szScript)), 112);
    strcpy(szScript, "D:\\SETUP\\MAIN.INF");
    g_bQuiet = TRUE;
    EXPECT_EQ(fnInstallOptionsResult(112, m_lpOpt, szScript, sizeof(szScript)), 1);
    EXPECT_STREQ(szScript, "D:\\SETUP\\MAIN.INF");
    /* Another script is still loaded in a quiet run. */
    ASSERT_TRUE(Read("[Install Options]\nOpt1Msg=a\nOpt1Inf=OTHER.INF\n"));
    EXPECT_EQ(fnInstallOptionsResult(112, m_lpOpt, szScript, sizeof(szScript)), 112);
    EXPECT_STREQ(szScript, "D:\\SETUP\\OTHER.INF");
}

TEST_F(OpeningTest, ScriptNameThatDoesNotFitIsRefused)
{
    char szOut[260];
    std::string sDir = "C:\\" + std::string(250, 'd') + "\\MAIN.INF";
    ktest::Poison(szOut);
    EXPECT_FALSE(fnScriptInDirOf(sDir.c_str(), "SETUP_2.INF", szOut, sizeof(szOut)));
    char szScript[260];
    strcpy(szScript, sDir.c_str());
    ASSERT_TRUE(Read("[Install Options]\nOpt1Msg=a\n"));
    EXPECT_EQ(fnInstallOptionsResult(113, m_lpOpt, szScript, sizeof(szScript)), 116);
    EXPECT_STREQ(szScript, sDir.c_str());
}

TEST_F(OpeningTest, SignonLinesFileAndCount)
{
    ASSERT_TRUE(ReadText("Caption=Hi\nLine=a\nLine=b\nLine=c\nLine=d\n"));
    EXPECT_EQ(m_lpText->uLines, 4u);
    EXPECT_STREQ(m_lpText->szText, "a\r\nb\r\nc\r\nd\r\n");
    EXPECT_STREQ(m_lpText->szPrompt, "Select OK to continue");
    EXPECT_STREQ(m_lpText->szCaption, "Hi");
    ASSERT_TRUE(ReadText("Line=a\nLine=b\nLine=c\nLine=d\nLine=e\nPrompt=Go on\n"));
    EXPECT_EQ(m_lpText->uLines, 5u);
    EXPECT_STREQ(m_lpText->szPrompt, "Go on");
    ASSERT_TRUE(ktest::WriteFileText(Path("README.TXT"), "file text"));
    ASSERT_TRUE(ReadText("Line=a\nFile=README.TXT\n"));
    EXPECT_EQ(m_lpText->uLines, 13u);
    EXPECT_STREQ(m_lpText->szText, "file text");
    /* A file that can't be opened is passed over. */
    ASSERT_TRUE(ReadText("Line=a\nFile=NONE.TXT\n"));
    EXPECT_EQ(m_lpText->uLines, 1u);
    EXPECT_FALSE(ReadText("no key\nLine=a\n"));
    std::string sMany;
    for (int i = 0; i < 210; i++)
        sMany += "Line=x\n";
    ASSERT_TRUE(ReadText(sMany));
    EXPECT_EQ(m_lpText->uLines, 200u);
}

/* ---- quiet runs never wait ---- */

TEST_F(ScreenTest, QuietDialogsEndAtOnceWithTheirDefault)
{
    g_bQuiet = TRUE;
    InstallOptionsStruct *lpOpt = new InstallOptionsStruct();
    lpOpt->help.uKind = HELP_WINDOW;
    strcpy(lpOpt->aszOptMsg[1], "two");
    EXPECT_EQ(fnShowInstallOptions(NULL, lpOpt), 112);
    delete lpOpt;
    TextPromptStruct *lpText = new TextPromptStruct();
    lpText->uLines = 5;
    EXPECT_EQ(fnShowTextPrompt(NULL, lpText), 1);
    lpText->uLines = 1;
    EXPECT_EQ(fnShowTextPrompt(NULL, lpText), 1);
    delete lpText;
    FileChoiceStruct choice = {};
    struct { UINT uTemplate; int nFirst; } aRadio[] = {
        { IDD_INUSE, 101 }, { IDD_ELSEWHERE, 103 }, { IDD_EXISTS, 102 }, { IDD_FILECONFLICT, 121 },
    };
    for (auto &r : aRadio)
        EXPECT_EQ(fnShowFileChoice(NULL, r.uTemplate, &choice), r.nFirst) << r.uTemplate;
    PromptStruct prompt = {};
    prompt.uStyle = 110;
    EXPECT_EQ(fnShowPrompt(NULL, &prompt), IDC_EXIT);   /* never Retry */
    EXPECT_TRUE(fnConfirmExit());
    EXPECT_EQ(fnCreateProgressDlg(NULL), (HWND)NULL);
    EXPECT_FALSE(fnProgressCancelled(NULL));
    EXPECT_EQ(VisibleWindows(), 0);
}

TEST(PromptStyles, KeywordsAndQuietAnswers)
{
    struct { const char *lpszKey; UINT uStyle; } aKeys[] = {
        { "OKCANCEL", 101 }, { "yesno", 102 }, { "OKEXIT", 103 }, { "OK", 104 },
        { "RETRYCONTINUE", 108 }, { "RetryExit", 110 }, { "CANCEL", 111 }, { "OKINFO", 0 },
    };
    for (auto &k : aKeys)
        EXPECT_EQ(fnPromptStyleOfKeyword(k.lpszKey), k.uStyle) << k.lpszKey;
    for (UINT u = 101; u <= 111; u++) {
        const PromptStyleStruct *lpStyle = fnFindPromptStyle(u);
        ASSERT_NE(lpStyle, nullptr) << u;
        EXPECT_NE(lpStyle->nQuiet, IDRETRY) << u;
    }
    EXPECT_EQ(fnFindPromptStyle(100), nullptr);
    EXPECT_EQ(fnFindPromptStyle(112), nullptr);
}

/* ---- help ---- */

std::vector<std::pair<UINT, std::string>> g_aHelpCalls;
BOOL WINAPI RecordWinHelp(HWND, LPCSTR lpszFile, UINT uCommand, ULONG_PTR dwData)
{
    std::string s = lpszFile;
    if (uCommand == HELP_KEY)
        s += std::string("|") + (const char *)dwData;
    g_aHelpCalls.push_back({ uCommand, s });
    return TRUE;
}

TEST_F(ScreenTest, PlatformHelpIndexOrKey)
{
    g_bQuiet = FALSE;
    g_pfnWinHelp = RecordWinHelp;
    g_aHelpCalls.clear();
    HelpStruct *lpHelp = new HelpStruct();
    lpHelp->uKind = HELP_PLATFORM;
    strcpy(lpHelp->szText, "C:\\APP.HLP");
    EXPECT_TRUE(fnShowHelp(NULL, lpHelp));
    strcpy(lpHelp->szKey, "Install");
    EXPECT_TRUE(fnShowHelp(NULL, lpHelp));
    fnCloseHelp(NULL, lpHelp);
    ASSERT_EQ(g_aHelpCalls.size(), 3u);
    EXPECT_EQ(g_aHelpCalls[0].first, (UINT)HELP_CONTENTS);
    EXPECT_EQ(g_aHelpCalls[1].first, (UINT)HELP_KEY);
    EXPECT_EQ(g_aHelpCalls[1].second, "C:\\APP.HLP|Install");
    EXPECT_EQ(g_aHelpCalls[2].first, (UINT)HELP_QUIT);
    lpHelp->uKind = HELP_NONE;
    EXPECT_FALSE(fnShowHelp(NULL, lpHelp));
    delete lpHelp;
}

/* The help window's own loop must leave a quit message for the main loop. */
TEST_F(ScreenTest, HelpLoopKeepsTheQuitMessage)
{
    g_bQuiet = FALSE;
    HelpStruct *lpHelp = new HelpStruct();
    lpHelp->uKind = HELP_WINDOW;
    strcpy(lpHelp->szTopic, "Topic");
    strcpy(lpHelp->szText, "Text");
    PostQuitMessage(7);
    EXPECT_TRUE(fnShowHelp(NULL, lpHelp));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    ASSERT_NE(g_hHelpDlg, (HWND)NULL);
    char szCaption[64];
    GetWindowTextA(g_hHelpDlg, szCaption, sizeof(szCaption));
    EXPECT_STREQ(szCaption, "Help: Topic");
    fnCloseHelp(NULL, lpHelp);
    EXPECT_EQ(g_hHelpDlg, (HWND)NULL);
    EXPECT_EQ(VisibleWindows(), 0);
    delete lpHelp;
}

TEST(Browse, ChosenPathSplitsAtTheNameOffset)
{
    char szDir[260], szFile[260];
    ktest::Poison(szDir);
    ktest::Poison(szFile);
    ASSERT_TRUE(fnSplitChosenPath("C:\\Some Dir\\file.txt", 12, szDir, sizeof(szDir), szFile,
                                  sizeof(szFile)));
    EXPECT_BOUNDED(szDir, "C:\\Some Dir\\");
    EXPECT_BOUNDED(szFile, "file.txt");
    char szSmall[8];
    EXPECT_FALSE(fnSplitChosenPath("C:\\Some Dir\\file.txt", 12, szSmall, sizeof(szSmall), szFile,
                                   sizeof(szFile)));
    EXPECT_FALSE(fnSplitChosenPath("C:\\a", 40, szDir, sizeof(szDir), szFile, sizeof(szFile)));
}

} // namespace
