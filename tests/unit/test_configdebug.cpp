/* [Config] Debug: a level above 2 opens the trace file even when no -v
 * switch named one, so the records of the run are not lost. */
#include "testutil.h"
#include "script/script.h"
#include "shell/shell.h"
#include "startup/startup.h"

namespace {

class ConfigDebugTest : public ktest::TempDirTest {
protected:
    void SetUp() override
    {
        ktest::TempDirTest::SetUp();
        m_saved.Keep(g_szDebugFile);
        m_saved.Keep(g_szTmpPath);
        m_saved.Keep(g_uDebug);
        m_saved.Keep(g_bQuiet);
        g_szDebugFile[0] = '\0';
        g_bQuiet = TRUE;
        fnStrCopy(g_szTmpPath, Path("").c_str());
    }
    void TearDown() override
    {
        fnCloseDebugFile();
        ktest::TempDirTest::TearDown();
    }
    void ReadConfig(const char *lpszBody)
    {
        m_text = std::string("[Config]\r\n") + lpszBody + "[Files]\r\nA=B\r\n";
        fnReadConfig(NULL, &m_text[0]);
    }
    std::string m_text;
};

TEST_F(ConfigDebugTest, LevelAboveTwoOpensTheTraceFile)
{
    ReadConfig("Debug=2\r\n");
    EXPECT_STREQ(g_szDebugFile, "");
    EXPECT_FALSE(GetFileAttributesA(Path("KStl8Dbg.LOG").c_str()) != INVALID_FILE_ATTRIBUTES);
    ReadConfig("Debug=3\r\n");
    EXPECT_EQ(g_uDebug, 3u);
    EXPECT_STRCASEEQ(g_szDebugFile, Path("KStl8Dbg.LOG").c_str());
    EXPECT_TRUE(GetFileAttributesA(Path("KStl8Dbg.LOG").c_str()) != INVALID_FILE_ATTRIBUTES);
}

}  // namespace
