/* [Config] Restart: when the program hands the install to a temporary
 * copy, when it goes on itself, and that a copy that cannot be made is a
 * failure the user (or the quiet run's log) is told of. */
#include "testutil.h"
#include "install/install.h"
#include "process/process.h"

namespace {

class ReloadTest : public ktest::TempDirTest {
protected:
    void SetUp() override
    {
        ktest::TempDirTest::SetUp();
        m_saved.Keep(g_bTempExec);
        m_saved.Keep(g_szOwnPath);
        m_saved.Keep(g_bStayHome);
        m_saved.Keep(g_bConfigRestart);
        g_bTempExec = FALSE;
        /* A program file that does not exist: no copy can ever start. */
        fnStrCopy(g_szOwnPath, Path("MISSING.EXE").c_str());
    }
    int ReadConfig(const std::string &body)
    {
        m_text = "[Config]\r\nLogFile=" + Path("R.LOG") + "\r\n" + body + "[Files]\r\nA=B\r\n";
        return fnReadConfig(NULL, &m_text[0]);
    }
    std::string m_text;
};

TEST_F(ReloadTest, RestartValuesAndTheBareWord)
{
    struct {
        const char *lpszBody;
        int nWant;
    } aCases[] = {
        { "", SECTION_GOON },
        { "Restart=N\r\n", SECTION_GOON },
        { "Restart=no thanks\r\n", SECTION_GOON },
        /* Restart asked for: the copy cannot be made, so the run fails. */
        { "Restart=Y\r\n", SECTION_STOP },
        { "restart=yes\r\n", SECTION_STOP },
        { "Restart\r\n", SECTION_STOP },
        /* An unknown key ends the reading; what was read still counts. */
        { "Restart=Y\r\nNoSuchKey=1\r\nRestart=N\r\n", SECTION_STOP },
        /* The last value wins. */
        { "Restart=Y\r\nRestart=N\r\n", SECTION_GOON },
    };
    for (const auto &c : aCases) {
        SCOPED_TRACE(c.lpszBody);
        g_bLogStarted = FALSE;
        EXPECT_EQ(ReadConfig(c.lpszBody), c.nWant);
    }
}

TEST_F(ReloadTest, TheCopyItselfAndAnUnknownPathGoOn)
{
    g_bTempExec = TRUE;
    EXPECT_EQ(ReadConfig("Restart=Y\r\n"), SECTION_GOON);
    g_bTempExec = FALSE;
    g_szOwnPath[0] = '\0';
    g_bLogStarted = FALSE;
    EXPECT_EQ(ReadConfig("Restart\r\n"), SECTION_GOON);
    /* Neither asked for a copy, so nothing was reported. */
    EXPECT_EQ(ktest::ReadFileText(Path("R.LOG")).find("Message:"), std::string::npos);
}

TEST_F(ReloadTest, AnUnreadableProgramIsReportedNotSilent)
{
    /* Quiet: the message is logged with its answer instead of shown. */
    EXPECT_FALSE(fnReloadExec(g_szOwnPath));
    EXPECT_EQ(ReadConfig("Restart=Y\r\n"), SECTION_STOP);
    std::string log = ktest::ReadFileText(Path("R.LOG"));
    EXPECT_NE(log.find("Message: Temporary drive "), std::string::npos) << log;
    EXPECT_NE(log.find("does not have enough free space to continue. (answer 1)"),
              std::string::npos) << log;
}

}  // namespace
