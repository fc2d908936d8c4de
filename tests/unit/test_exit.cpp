/* The end of the run: which exit or restart requests reach the system, in
 * which order, for every g_uOnExit value.  A recorder stands in for the
 * system call: the real one would end every process of the prefix. */
#include "testutil.h"
#include <string>
#include <vector>

using ktest::TempDirTest;

namespace {

std::vector<UINT> g_aCalls;
std::vector<BOOL> g_aAnswers;   /* what the "system" says, call by call */

BOOL WINAPI RecordExit(UINT uFlags, DWORD)
{
    g_aCalls.push_back(uFlags);
    if (g_aAnswers.empty())
        return TRUE;
    BOOL b = g_aAnswers.front();
    g_aAnswers.erase(g_aAnswers.begin());
    return b;
}

class ExitTest : public TempDirTest {
protected:
    UserInputStruct m_ui;
    void SetUp() override
    {
        TempDirTest::SetUp();
        m_saved.Keep(g_pfnExitWindowsEx);
        m_saved.Keep(g_bMustRestart);
        m_saved.Keep(g_bExitingWindows);
        g_pfnExitWindowsEx = RecordExit;
        g_bMustRestart = FALSE;
        g_aCalls.clear();
        g_aAnswers.clear();
        memset(&m_ui, 0, sizeof(m_ui));
        m_ui.uQuiet = 1;
        strcpy(g_szDestDir, m_dir.c_str());
        g_bLogWanted = TRUE;
        ASSERT_TRUE(fnStartLog("EXIT.LOG"));
    }
    std::string Log()
    {
        return ktest::ReadFileText(Path("EXIT.LOG"));
    }
    void Run(UINT uOnExit, std::vector<BOOL> answers = {})
    {
        g_uOnExit = uOnExit;
        g_aAnswers = answers;
        g_aCalls.clear();
        EXPECT_TRUE(fnUserExit(NULL, &m_ui));
    }
};

TEST_F(ExitTest, QuietRunsTakeTheDefaultAndAskTheSystem)
{
    Run(0);
    EXPECT_TRUE(g_aCalls.empty());
    EXPECT_NE(Log().find("Message: The software has been installed successfully. (answer 1)"),
              std::string::npos) << Log();
    Run(1);
    EXPECT_EQ(g_aCalls, std::vector<UINT>({ EWX_SHUTDOWN }));
    EXPECT_NE(Log().find("Is it OK to exit Windows? (answer 6)"), std::string::npos) << Log();
    for (UINT u : { 3u, 4u, 5u, 6u }) {
        Run(u);
        EXPECT_EQ(g_aCalls, std::vector<UINT>({ EWX_REBOOT })) << "g_uOnExit " << u;
    }
    EXPECT_NE(Log().find("ExitWindows=2,accepted"), std::string::npos) << Log();
    /* The main window lets the program's own request through. */
    EXPECT_TRUE(g_bExitingWindows);
}

TEST_F(ExitTest, RefusalIsAskedOnceMore)
{
    Run(4, { FALSE, FALSE });
    EXPECT_EQ(g_aCalls, std::vector<UINT>({ EWX_REBOOT, EWX_REBOOT }));
    EXPECT_NE(Log().find("Not all applications have been closed."), std::string::npos);
    EXPECT_NE(Log().find("ExitWindows=2,refused"), std::string::npos);
    EXPECT_FALSE(g_bExitingWindows);
    Run(1, { FALSE, TRUE });
    EXPECT_EQ(g_aCalls, std::vector<UINT>({ EWX_SHUTDOWN, EWX_SHUTDOWN }));
    /* Must-restart and Reboot ask twice: the must-restart attempt, then 1194. */
    g_bMustRestart = TRUE;
    Run(5);
    EXPECT_EQ(g_aCalls, std::vector<UINT>({ EWX_REBOOT, EWX_REBOOT }));
    Run(0);
    EXPECT_EQ(g_aCalls, std::vector<UINT>({ EWX_REBOOT }));
}

TEST_F(ExitTest, ClosingMessagesAndTheExitProgram)
{
    /* A failed install says so, even with the script's own message; a
       script's message is text, never a format. */
    strcpy(m_ui.szExitMsg, "Done: 100%s %n%d");
    Run(0);
    EXPECT_NE(Log().find("Message: Done: 100%s %n%d (answer 1)"), std::string::npos) << Log();
    m_ui.bInstallFailed = TRUE;
    Run(0);
    EXPECT_NE(Log().find("has not been successfully installed"), std::string::npos);
    /* A stopped run shows nothing. */
    m_ui.bInstallFailed = FALSE;
    m_ui.bStopped = TRUE;
    size_t cchBefore = Log().size();
    Run(0);
    EXPECT_EQ(Log().size(), cchBefore);
    /* An exit program that cannot run: 1231 instead of the closing text. */
    m_ui.bStopped = FALSE;
    m_ui.uQuiet = 1;
    strcpy(m_ui.szExitMsg, "Closing text");
    strcpy(m_ui.szExitExec, "Z:\\no\\such\\program.exe");
    cchBefore = Log().size();
    Run(2);
    std::string tail = Log().substr(cchBefore);
    EXPECT_NE(tail.find("Cannot load Z:\\no\\such\\program.exe."), std::string::npos) << tail;
    EXPECT_EQ(tail.find("Closing text"), std::string::npos) << tail;
    EXPECT_TRUE(g_aCalls.empty());
}

}  // namespace
