/* The version-conflict dialog, shown for real and driven from a second
 * thread: the conflict text by result bits, both version lists, the tied
 * selection and top line, each button's result, and the exit question on
 * Exit and on closing. */
#include "enginetest.h"

using ktest::EngineTest;

namespace {

/* What the driver thread saw and what it does at the end. */
struct DriveStruct {
    DWORD dwThread;             /* the thread that runs the dialog */
    UINT uFinal;                /* WM_COMMAND id to press, or WM_CLOSE when 0 */
    std::vector<int> anBoxAnswers;  /* answers to exit questions, in turn */
    /* seen */
    std::string text, file, dir, firstExisting, firstNew;
    int nExisting = -1, nNew = -1, nSelAfter = -1, nTopExisting = -1, nTopNew = -1;
    std::vector<std::string> boxTexts;
    bool bFound = false;
};

struct FindStruct {
    bool bWantDialog;
    HWND hSkip;
    HWND hFound;
};

BOOL CALLBACK FindThreadWindow(HWND hWnd, LPARAM lParam)
{
    FindStruct *lpFind = (FindStruct *)lParam;
    char szClass[32];
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (hWnd == lpFind->hSkip || strcmp(szClass, "#32770") != 0 || !IsWindowVisible(hWnd))
        return TRUE;
    if ((GetDlgItem(hWnd, IDC_VC_NEW) != NULL) != lpFind->bWantDialog)
        return TRUE;
    lpFind->hFound = hWnd;
    return FALSE;
}

HWND WaitWindow(DWORD dwThread, bool bDialog, HWND hSkip)
{
    for (int i = 0; i < 200; i++) {
        FindStruct find = { bDialog, hSkip, NULL };
        EnumThreadWindows(dwThread, FindThreadWindow, (LPARAM)&find);
        if (find.hFound)
            return find.hFound;
        Sleep(25);
    }
    return NULL;
}

std::string ItemText(HWND hDlg, int nId)
{
    char sz[1024] = "";
    SendDlgItemMessageA(hDlg, nId, WM_GETTEXT, sizeof(sz), (LPARAM)sz);
    return sz;
}

std::string ListLine(HWND hList, int n)
{
    char sz[1024] = "";
    if (SendMessageA(hList, LB_GETTEXTLEN, n, 0) < (LRESULT)sizeof(sz))
        SendMessageA(hList, LB_GETTEXT, n, (LPARAM)sz);
    return sz;
}

/* Answer the exit questions; each No leaves the dialog open, so the
   final press comes again. */
void AnswerBoxes(DriveStruct *lpDrive, HWND hDlg)
{
    for (int nAnswer : lpDrive->anBoxAnswers) {
        HWND hBox = WaitWindow(lpDrive->dwThread, false, hDlg);
        if (!hBox)
            return;
        lpDrive->boxTexts.push_back(ItemText(hBox, 0xFFFF));
        PostMessageA(hBox, WM_COMMAND, MAKEWPARAM(nAnswer, BN_CLICKED), 0);
        for (int i = 0; i < 100 && IsWindow(hBox); i++)
            Sleep(20);
        if (nAnswer == IDNO && IsWindow(hDlg)) {
            if (lpDrive->uFinal)
                PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(lpDrive->uFinal, BN_CLICKED), 0);
            else
                PostMessageA(hDlg, WM_CLOSE, 0, 0);
        }
    }
}

DWORD WINAPI DriveConflict(LPVOID lpParam)
{
    DriveStruct *lpDrive = (DriveStruct *)lpParam;
    HWND hDlg = WaitWindow(lpDrive->dwThread, true, NULL);
    if (!hDlg)
        return 1;
    lpDrive->bFound = true;
    lpDrive->text = ItemText(hDlg, IDC_VC_TEXT);
    lpDrive->file = ItemText(hDlg, IDC_VC_FILE);
    lpDrive->dir = ItemText(hDlg, IDC_VC_DIR);
    HWND hExisting = GetDlgItem(hDlg, IDC_VC_EXISTING), hNew = GetDlgItem(hDlg, IDC_VC_NEW);
    lpDrive->nExisting = (int)SendMessageA(hExisting, LB_GETCOUNT, 0, 0);
    lpDrive->nNew = (int)SendMessageA(hNew, LB_GETCOUNT, 0, 0);
    lpDrive->firstExisting = ListLine(hExisting, 0);
    lpDrive->firstNew = ListLine(hNew, 0);
    /* A selection in the left list; the dialog hears of it as a user's. */
    SendMessageA(hExisting, LB_SETCURSEL, 9, 0);
    SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDC_VC_EXISTING, LBN_SELCHANGE), (LPARAM)hExisting);
    lpDrive->nSelAfter = (int)SendMessageA(hNew, LB_GETCURSEL, 0, 0);
    /* Scrolling the right list moves the left one with it. */
    for (int i = 0; i < 4; i++)
        SendMessageA(hNew, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    lpDrive->nTopNew = (int)SendMessageA(hNew, LB_GETTOPINDEX, 0, 0);
    lpDrive->nTopExisting = (int)SendMessageA(hExisting, LB_GETTOPINDEX, 0, 0);
    if (lpDrive->uFinal)
        PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(lpDrive->uFinal, BN_CLICKED), 0);
    else
        PostMessageA(hDlg, WM_CLOSE, 0, 0);
    AnswerBoxes(lpDrive, hDlg);
    return 0;
}

class ConflictDialogTest : public EngineTest {
protected:
    VersionConflictStruct m_vc;

    void SetUp() override
    {
        EngineTest::SetUp();
        m_saved.Keep(g_hInstance);
        g_hInstance = GetModuleHandleA(NULL);
        fnStrCopy(g_szTitle, "Conflict Under Test");
        g_bQuiet = FALSE;
        g_pfnEngineDialog = fnDialogBox;
        ASSERT_TRUE(Put(Fixture("ver_4002"), m_dst, "APP.DLL"));
        ASSERT_TRUE(Put(Fixture("ver_4001"), m_dst, "_VS1.TMP"));
        memset(&m_vc, 0, sizeof(m_vc));
        fnStrCopy(m_vc.szExisting, Dst("APP.DLL").c_str());
        fnStrCopy(m_vc.szSource, Src("APP.DLL").c_str());
        fnStrCopy(m_vc.szTemp, Dst("_VS1.TMP").c_str());
        fnStrCopy(m_vc.szDstName, "APP.DLL");
        m_vc.dwResult = IR_TEMPFILE | IR_MISMATCH | IR_SRCOLD;
    }
    /* Show the dialog while the driver works it; the dialog's result. */
    int Run(DriveStruct *lpDrive)
    {
        lpDrive->dwThread = GetCurrentThreadId();
        HANDLE hThread = CreateThread(NULL, 0, DriveConflict, lpDrive, 0, NULL);
        int nResult = fnShowVersionConflict(NULL, &m_vc);
        WaitForSingleObject(hThread, 10000);
        CloseHandle(hThread);
        return nResult;
    }
};

TEST_F(ConflictDialogTest, ShowsBothFilesAndTiesTheLists)
{
    DriveStruct drive;
    drive.uFinal = IDC_VC_KEEP;
    EXPECT_EQ(Run(&drive), IDC_VC_KEEP);
    ASSERT_TRUE(drive.bFound);
    EXPECT_EQ(drive.text, "The new file is older than the existing file.");
    EXPECT_EQ(drive.file, "APP.DLL");
    EXPECT_EQ(drive.dir, m_dst);
    EXPECT_EQ(drive.nExisting, 18);
    EXPECT_EQ(drive.nNew, 18);
    EXPECT_EQ(drive.firstExisting, "File version:\t4.0.0.2");
    EXPECT_EQ(drive.firstNew, "File version:\t4.0.0.1");
    EXPECT_EQ(drive.nSelAfter, 9);
    EXPECT_GT(drive.nTopNew, 0);
    EXPECT_EQ(drive.nTopExisting, drive.nTopNew);
    EXPECT_TRUE(drive.boxTexts.empty());
}

TEST_F(ConflictDialogTest, TextFollowsTheResultBits)
{
    const struct {
        DWORD dwResult;
        const char *lpszText;
    } aCases[] = {
        { IR_MISMATCH, "Existing file and new file mismatch." },
        { IR_MISMATCH | IR_DIFFLANG, "Existing file and new file are different languages." },
        { IR_MISMATCH | IR_DIFFTYPE, "Existing file and new file are different types." },
    };
    for (const auto &c : aCases) {
        SCOPED_TRACE(c.lpszText);
        m_vc.dwResult = c.dwResult;
        DriveStruct drive;
        drive.uFinal = IDC_VC_INSTALL;
        EXPECT_EQ(Run(&drive), IDC_VC_INSTALL);
        EXPECT_EQ(drive.text, c.lpszText);
    }
}

TEST_F(ConflictDialogTest, ExitAndClosingAskFirst)
{
    const char *lpszAsk = "Installation is not complete.\nAre you sure you want to exit?";
    /* Exit: No keeps the dialog, the second Exit with Yes ends it. */
    DriveStruct exitDrive;
    exitDrive.uFinal = IDC_VC_EXIT;
    exitDrive.anBoxAnswers = { IDNO, IDYES };
    EXPECT_EQ(Run(&exitDrive), IDC_VC_EXIT);
    ASSERT_EQ(exitDrive.boxTexts.size(), 2u);
    EXPECT_EQ(exitDrive.boxTexts[0], lpszAsk);
    /* Closing the window asks the same. */
    DriveStruct closeDrive;
    closeDrive.uFinal = 0;
    closeDrive.anBoxAnswers = { IDYES };
    EXPECT_EQ(Run(&closeDrive), IDC_VC_EXIT);
    ASSERT_EQ(closeDrive.boxTexts.size(), 1u);
    EXPECT_EQ(closeDrive.boxTexts[0], lpszAsk);
}

TEST_F(ConflictDialogTest, ExistingWithoutVersionSaysSo)
{
    ASSERT_TRUE(Put(Fixture("ver_none"), m_dst, "APP.DLL"));
    DriveStruct drive;
    drive.uFinal = IDC_VC_KEEP;
    EXPECT_EQ(Run(&drive), IDC_VC_KEEP);
    EXPECT_EQ(drive.nExisting, 1);
    EXPECT_EQ(drive.firstExisting, "Version information is not available.");
    EXPECT_EQ(drive.nNew, 18);
}

TEST_F(ConflictDialogTest, QuietKeepsWithoutShowing)
{
    g_bQuiet = TRUE;
    g_pfnEngineDialog = ktest::RecordDialog;
    ktest::g_dialogLog = ktest::DialogLog();
    EXPECT_EQ(fnShowVersionConflict(NULL, &m_vc), IDC_VC_KEEP);
    EXPECT_TRUE(ktest::g_dialogLog.templates.empty());
}

}  // namespace
