/* The section walk, seen through a dispatcher of the test's own that
 * records each section's text as the walk hands it over, and the loading
 * of a script file into the walk. */
#include "testutil.h"
#include <map>

namespace {

struct Visit {
    std::string name;
    std::string text;
    long nNext;         /* the walk cursor, as an offset into the text; -1 for none */
};

/* What the fake dispatcher saw, and what it answers: per section name a
   list of results, one per visit, then 1. */
struct Recorder {
    const char *lpszBase = nullptr;
    std::vector<Visit> visits;
    std::map<std::string, std::vector<int>> results;
};
Recorder s_rec;

int RecordSection(HWND, char *lpszSection, UserInputStruct *)
{
    char szName[KSTL8_SHORT];
    fnGetSectionName(lpszSection, szName, sizeof(szName));
    long nNext = -1;
    if (g_lpszInfNext && s_rec.lpszBase)
        nNext = (long)(g_lpszInfNext - s_rec.lpszBase);
    s_rec.visits.push_back({ szName, lpszSection, nNext });
    std::vector<int> &q = s_rec.results[szName];
    if (q.empty())
        return SECTION_GOON;
    int n = q.front();
    q.erase(q.begin());
    return n;
}

/* The names of the sections visited, in order. */
std::string Names()
{
    std::string s;
    for (const Visit &v : s_rec.visits)
        s += v.name;
    return s;
}

class Walk : public ktest::KestrelTest {
protected:
    UserInputStruct m_ui;

    void SetUp() override
    {
        ktest::KestrelTest::SetUp();
        s_rec = Recorder();
        g_pfnParseInfSection = RecordSection;
        fnStrCopy(g_szStartDestDir, "C:\\DEST");
    }
    /* Walk a copy of the text; the walk must give the text back unchanged. */
    void Run(const std::string &text)
    {
        std::vector<char> buf(text.begin(), text.end());
        buf.push_back('\0');
        s_rec.lpszBase = buf.data();
        EXPECT_TRUE(fnReadInf(NULL, buf.data(), &m_ui));
        EXPECT_EQ(std::string(buf.data(), buf.size() - 1), text) << "text not restored";
        s_rec.lpszBase = nullptr;
    }
};

}  // namespace

TEST_F(Walk, EachSectionEndsBeforeTheNextHeader)
{
    const std::string text = "; lead\r\n[A]\r\na=1\r\n\r\n[B]\r\nb=2\r\n[C]\r\nc=3";
    Run(text);
    ASSERT_EQ(s_rec.visits.size(), 3u);
    EXPECT_EQ(s_rec.visits[0].text, "[A]\r\na=1\r\n\r");
    EXPECT_EQ(s_rec.visits[1].text, "[B]\r\nb=2\r");
    EXPECT_EQ(s_rec.visits[2].text, "[C]\r\nc=3");
    EXPECT_EQ(s_rec.visits[0].nNext, (long)text.find("[B]"));
    EXPECT_EQ(s_rec.visits[1].nNext, (long)text.find("[C]"));
    EXPECT_EQ(s_rec.visits[2].nNext, -1);
    EXPECT_EQ(g_nExitCode, KSTL8_EXIT_OK);
    EXPECT_FALSE(m_ui.bInstallFailed);
    EXPECT_FALSE(m_ui.bStopped);
}

TEST_F(Walk, LineFeedOnlyText)
{
    Run("[A]\na=1\n[B]\nb=2\n");
    ASSERT_EQ(s_rec.visits.size(), 2u);
    EXPECT_EQ(s_rec.visits[0].text, "[A]\na=1");
    EXPECT_EQ(s_rec.visits[1].text, "[B]\nb=2\n");
}

TEST_F(Walk, IndentedHeaderIsFoundButNotCut)
{
    Run("[A]\r\na=1\r\n  [B]\r\nb=2\r\n");
    ASSERT_EQ(Names(), "[A][B]");
    EXPECT_EQ(s_rec.visits[0].text, "[A]\r\na=1\r\n  [B]\r\nb=2\r\n");
    EXPECT_EQ(s_rec.visits[1].text, "[B]\r\nb=2\r\n");
}

TEST_F(Walk, TextWithoutHeadersRunsNothing)
{
    Run("key=value\r\n; [not a header]\r\n");
    Run("");
    EXPECT_TRUE(s_rec.visits.empty());
    EXPECT_EQ(g_nExitCode, KSTL8_EXIT_OK);
}

TEST_F(Walk, FailureEndsTheWalk)
{
    s_rec.results["[B]"] = { SECTION_FAILED };
    Run("[A]\r\n[B]\r\n[C]\r\n");
    EXPECT_EQ(Names(), "[A][B]");
    EXPECT_TRUE(m_ui.bInstallFailed);
    EXPECT_EQ(g_nExitCode, KSTL8_EXIT_FAILED);
}

TEST_F(Walk, StopResultsEndTheWalk)
{
    for (int n : { SECTION_STOP, 5, 6, 7 }) {
        SCOPED_TRACE(n);
        s_rec = Recorder();
        g_nExitCode = KSTL8_EXIT_OK;
        s_rec.results["[A]"] = { n };
        Run("[A]\r\n[B]\r\n");
        EXPECT_EQ(Names(), "[A]");
        EXPECT_TRUE(m_ui.bStopped);
        EXPECT_FALSE(m_ui.bInstallFailed);
        EXPECT_EQ(g_nExitCode, KSTL8_EXIT_STOPPED);
    }
}

TEST_F(Walk, OtherResultsGoOn)
{
    s_rec.results["[A]"] = { 4 };
    s_rec.results["[B]"] = { 8 };
    s_rec.results["[C]"] = { 116 };
    Run("[A]\r\n[B]\r\n[C]\r\n[D]\r\n");
    EXPECT_EQ(Names(), "[A][B][C][D]");
    EXPECT_EQ(g_nExitCode, KSTL8_EXIT_OK);
}

TEST_F(Walk, RestartBeginsAgainAtTheTop)
{
    s_rec.results["[B]"] = { SECTION_RESTART, SECTION_GOON };
    const std::string text = "; c\r\n[A]\r\na=1\r\n[B]\r\nb=1\r\n[C]\r\n";
    Run(text);
    EXPECT_EQ(Names(), "[A][B][A][B][C]");
    /* The second round sees the same cut texts as the first. */
    ASSERT_EQ(s_rec.visits.size(), 5u);
    EXPECT_EQ(s_rec.visits[2].text, s_rec.visits[0].text);
    EXPECT_EQ(s_rec.visits[3].text, "[B]\r\nb=1\r");
    EXPECT_EQ(g_nExitCode, KSTL8_EXIT_OK);
}

TEST_F(Walk, RestartFromTheLastSectionEndsTheWalk)
{
    s_rec.results["[C]"] = { SECTION_RESTART };
    Run("[A]\r\n[B]\r\n[C]\r\nc=1\r\n");
    EXPECT_EQ(Names(), "[A][B][C]");
    EXPECT_EQ(g_nExitCode, KSTL8_EXIT_OK);
}

TEST_F(Walk, EndHeaderStopsTheWalk)
{
    Run("[A]\r\na=1\r\n[end]\r\n[B]\r\nb=1\r\n");
    EXPECT_EQ(Names(), "[A]");
    s_rec = Recorder();
    Run("[End]\r\n[B]\r\n");
    EXPECT_EQ(Names(), "");
    EXPECT_EQ(g_nExitCode, KSTL8_EXIT_OK);
}

TEST_F(Walk, StartDestinationSurvivesIntoTheWalk)
{
    fnStrCopy(g_szDestDir, "C:\\CHANGED");
    g_uOnExit = 3;
    g_uBackUpMethod = 502;
    memset(&m_ui, ktest::POISON, sizeof(m_ui));
    g_bQuiet = FALSE;
    fnInitUserInput(NULL, &m_ui);
    EXPECT_STREQ(g_szDestDir, "C:\\DEST");
    EXPECT_STREQ(m_ui.szDestPath, "C:\\DEST");
    EXPECT_EQ(m_ui.uQuiet, 1u);
    EXPECT_EQ(m_ui.uOnExit, 3u);
    EXPECT_EQ(m_ui.uBackupMethod, 502u);
    EXPECT_STREQ(m_ui.szExitMsg, "");
    EXPECT_STREQ(m_ui.szLogFile, "");
    EXPECT_FALSE(m_ui.bInstallFailed);
    EXPECT_FALSE(m_ui.bStopped);
    EXPECT_EQ(m_ui.nShortcutGroups, 0u);
}

TEST_F(Walk, WithoutStartDestinationTheWalkStartsInTmp)
{
    char szTmp[MAX_PATH] = "", szTemp[MAX_PATH] = "";
    BOOL bTmp = GetEnvironmentVariableA("TMP", szTmp, sizeof(szTmp)) != 0;
    BOOL bTemp = GetEnvironmentVariableA("TEMP", szTemp, sizeof(szTemp)) != 0;
    g_szStartDestDir[0] = '\0';
    fnStrCopy(g_szWinDir, "C:\\WINDIR");
    SetEnvironmentVariableA("TMP", "C:\\FROM TMP");
    SetEnvironmentVariableA("TEMP", "C:\\FROM TEMP");
    fnInitUserInput(NULL, &m_ui);
    EXPECT_STREQ(g_szDestDir, "C:\\FROM TMP");
    EXPECT_STREQ(m_ui.szDestPath, "C:\\FROM TMP");
    SetEnvironmentVariableA("TMP", NULL);
    fnInitUserInput(NULL, &m_ui);
    EXPECT_STREQ(m_ui.szDestPath, "C:\\FROM TEMP");
    SetEnvironmentVariableA("TEMP", NULL);
    fnInitUserInput(NULL, &m_ui);
    EXPECT_STREQ(m_ui.szDestPath, "C:\\WINDIR\\TEMP");
    SetEnvironmentVariableA("TMP", bTmp ? szTmp : NULL);
    SetEnvironmentVariableA("TEMP", bTemp ? szTemp : NULL);
}

/* fnLoadInf over a file: plain, enciphered, refused, and cut at the
   size of the script block. */
class LoadInf : public ktest::TempDirTest {
protected:
    void SetUp() override
    {
        ktest::TempDirTest::SetUp();
        s_rec = Recorder();
        g_pfnParseInfSection = RecordSection;
        fnStrCopy(g_szStartDestDir, "C:\\DEST");
        fnStrCopy(g_szIniFile, Path("SETUP.INF").c_str());
    }
};

TEST_F(LoadInf, PlainAndEncipheredScriptsWalkAlike)
{
    const std::string plain = "[A]\r\na=1\r\n[B]\r\nb=\xe9\r\n";
    ASSERT_TRUE(ktest::WriteFileText(g_szIniFile, plain));
    EXPECT_TRUE(fnLoadInf(NULL));
    ASSERT_EQ(Names(), "[A][B]");
    EXPECT_EQ(s_rec.visits[0].text, "[A]\r\na=1\r");
    EXPECT_EQ(s_rec.visits[1].text, "[B]\r\nb=\xe9\r\n");
    for (UINT uOffset : { 1u, 126u }) {
        SCOPED_TRACE(uOffset);
        std::string enc = plain;
        ASSERT_TRUE(fnShiftEnCrypt(&enc[0], uOffset, (DWORD)enc.size()));
        ASSERT_TRUE(ktest::WriteFileText(g_szIniFile, std::string("@") + (char)uOffset + enc));
        s_rec = Recorder();
        EXPECT_TRUE(fnLoadInf(NULL));
        ASSERT_EQ(s_rec.visits.size(), 2u);
        EXPECT_EQ(s_rec.visits[0].text, "[A]\r\na=1\r");
        EXPECT_EQ(s_rec.visits[1].text, "[B]\r\nb=\xe9\r\n");
    }
    EXPECT_EQ(g_nExitCode, KSTL8_EXIT_OK);
}

TEST_F(LoadInf, UnreadableScriptsFail)
{
    std::string plain = "[A]\r\n";
    std::string enc = plain;
    ASSERT_TRUE(fnShiftEnCrypt(&enc[0], 5, (DWORD)enc.size()));
    for (std::string file : { std::string("@") + (char)0 + enc, std::string("@") + (char)127 + enc,
                              std::string("@"), std::string("") }) {
        SCOPED_TRACE(file.size());
        ASSERT_TRUE(ktest::WriteFileText(g_szIniFile, file));
        g_nExitCode = KSTL8_EXIT_OK;
        fnLoadInf(NULL);
        EXPECT_TRUE(s_rec.visits.empty());
        EXPECT_EQ(g_nExitCode, KSTL8_EXIT_FAILED);
    }
    ASSERT_TRUE(DeleteFileA(g_szIniFile));
    g_nExitCode = KSTL8_EXIT_OK;
    fnLoadInf(NULL);
    EXPECT_EQ(g_nExitCode, KSTL8_EXIT_FAILED);
}

TEST_F(LoadInf, AtMost262139BytesAreRead)
{
    const size_t cbMax = INF_BUFFER_SIZE - 1;
    std::string text = "[A]\r\n" + std::string(cbMax - 5, 'x');
    ASSERT_TRUE(ktest::WriteFileText(g_szIniFile, text + "Z\r\n[B]\r\n"));
    EXPECT_TRUE(fnLoadInf(NULL));
    ASSERT_EQ(s_rec.visits.size(), 1u);
    EXPECT_EQ(s_rec.visits[0].text.size(), cbMax);
    EXPECT_TRUE(s_rec.visits[0].text == text);
}
