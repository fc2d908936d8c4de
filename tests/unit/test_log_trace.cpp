/* Quiet answers of message boxes, the install log and the trace file,
 * and the Debug dialog's speed steps. */
#include "testutil.h"
#include "install/install.h"
#include "resources/resource.h"

TEST(QuietAnswer, DefaultButtonOfEveryStyle)
{
    struct {
        UINT uStyle;
        int nWant;
    } const aCases[] = {
        { MB_OK, IDOK },
        { MB_OK | MB_DEFBUTTON2, IDOK },
        { MB_OK | MB_DEFBUTTON4, IDOK },
        { MB_OKCANCEL, IDOK },
        { MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL },
        { MB_OKCANCEL | MB_DEFBUTTON3, IDOK },
        { MB_ABORTRETRYIGNORE, IDABORT },
        { MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDABORT },
        { MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, IDIGNORE },
        { MB_YESNOCANCEL, IDYES },
        { MB_YESNOCANCEL | MB_DEFBUTTON2, IDNO },
        { MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL },
        { MB_YESNO, IDYES },
        { MB_YESNO | MB_DEFBUTTON2, IDNO },
        { MB_YESNO | MB_DEFBUTTON3, IDYES },
        { MB_RETRYCANCEL, IDCANCEL },
        { MB_RETRYCANCEL | MB_DEFBUTTON2, IDCANCEL },
        { MB_CANCELTRYCONTINUE, IDCANCEL },
        { MB_CANCELTRYCONTINUE | MB_DEFBUTTON2, IDCANCEL },
        { MB_CANCELTRYCONTINUE | MB_DEFBUTTON3, IDCONTINUE },
        /* Icons and modality do not change the answer. */
        { MB_YESNO | MB_ICONSTOP | MB_DEFBUTTON2 | MB_TASKMODAL, IDNO },
        { MB_OKCANCEL | MB_ICONQUESTION | MB_SYSTEMMODAL, IDOK },
    };
    for (const auto &c : aCases)
        EXPECT_EQ(fnQuietAnswer(c.uStyle), c.nWant) << "style 0x" << std::hex << c.uStyle;
}

TEST(QuietAnswer, NeverRetriesAndAlwaysNamesAButtonOfTheBox)
{
    const int anButtons[7][3] = {
        { IDOK, 0, 0 },       { IDOK, IDCANCEL, 0 },  { IDABORT, IDRETRY, IDIGNORE },
        { IDYES, IDNO, IDCANCEL }, { IDYES, IDNO, 0 }, { IDRETRY, IDCANCEL, 0 },
        { IDCANCEL, IDTRYAGAIN, IDCONTINUE },
    };
    for (UINT uType = 0; uType < 7; uType++)
        for (UINT uDef : { MB_DEFBUTTON1, MB_DEFBUTTON2, MB_DEFBUTTON3, MB_DEFBUTTON4 }) {
            int n = fnQuietAnswer(uType | uDef);
            EXPECT_NE(n, IDRETRY) << uType << "/" << uDef;
            EXPECT_NE(n, IDTRYAGAIN) << uType << "/" << uDef;
            EXPECT_TRUE(n != 0 && (n == anButtons[uType][0] || n == anButtons[uType][1] ||
                                   n == anButtons[uType][2]))
                << uType << "/" << uDef << " gave " << n;
        }
}

class QuietBox : public ktest::TempDirTest {};

TEST_F(QuietBox, BoxesAnswerWithoutShowingAndLogTheText)
{
    std::string log = Path("quiet.log");
    fnStrCopy(g_szLogFile, log.c_str());
    g_bLogWanted = TRUE;
    EXPECT_EQ(fnMessageBox(0, NULL, MB_YESNO | MB_DEFBUTTON2, "%s\n%s", "Go", "on?"), IDNO);
    EXPECT_EQ(fnMessageBoxQ(IDYES, 0, NULL, MB_YESNO | MB_DEFBUTTON2, "%s", "Sure?"), IDYES);
    EXPECT_EQ(fnMessageBoxText("Try it again?", NULL, MB_RETRYCANCEL), IDCANCEL);
    EXPECT_EQ(fnMessageBox(IDS_OVERWRITE, NULL, MB_YESNO | MB_ICONSTOP, "C:\\X.LOG"), IDYES);
    std::string text = ktest::ReadFileText(log);
    EXPECT_NE(text.find("Go on? (answer 7)\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Sure? (answer 6)\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Try it again? (answer 2)\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("C:\\X.LOG already exists, overwrite? (answer 6)\r\n"), std::string::npos)
        << text;
}

namespace {

class InstallLog : public ktest::TempDirTest {
protected:
    void SetUp() override
    {
        ktest::TempDirTest::SetUp();
        fnStrCopy(g_szDestDir, m_dir.c_str());
        g_szStartDestDir[0] = '\0';
        g_uBackUpMethod = BACKUP_ORIEXT;
    }
    std::string Header() const
    {
        return "[Kestrel8 Log]\r\nInstallDir=" + m_dir + "\r\n";
    }
};

}  // namespace

TEST_F(InstallLog, NameWithoutDriveGoesIntoTheDestination)
{
    EXPECT_TRUE(fnStartLog("LOGS\\SETUP.LOG"));
    EXPECT_TRUE(g_bLogStarted);
    EXPECT_STREQ(g_szLogFile, Path("SETUP.LOG").c_str());
    EXPECT_FILE_TEXT(Path("SETUP.LOG"), Header());
    EXPECT_FALSE(ktest::Exists(Path("LOGS")));
}

TEST_F(InstallLog, FullNameAsGivenIntoAMissingDirectory)
{
    std::string log = Path("new\\deeper\\MY.LOG");
    fnStrCopy(g_szDestDir, "C:\\APP");
    EXPECT_TRUE(fnStartLog(log.c_str()));
    EXPECT_STREQ(g_szLogFile, log.c_str());
    EXPECT_FILE_TEXT(log, "[Kestrel8 Log]\r\nInstallDir=C:\\APP\r\n");
}

TEST_F(InstallLog, NoInstallDirLineWithoutADestination)
{
    g_szDestDir[0] = '\0';
    std::string log = Path("BARE.LOG");
    EXPECT_TRUE(fnStartLog(log.c_str()));
    EXPECT_FILE_TEXT(log, "[Kestrel8 Log]\r\n");
}

TEST_F(InstallLog, OldLogIsKeptUnderAFreeName)
{
    ASSERT_TRUE(ktest::WriteFileText(Path("SETUP.LOG"), "old run\r\n"));
    EXPECT_TRUE(fnStartLog("SETUP.LOG"));
    EXPECT_FILE_TEXT(Path("SETUP.ORI"), "old run\r\n");
    EXPECT_FILE_TEXT(Path("SETUP.LOG"), Header());
}

TEST_F(InstallLog, OldLogKeptUnderANumberedName)
{
    g_uBackUpMethod = BACKUP_UNIQUE;
    ASSERT_TRUE(ktest::WriteFileText(Path("SETUP.LOG"), "second\r\n"));
    ASSERT_TRUE(ktest::WriteFileText(Path("SETUP.{00}.SAV.LOG"), "first\r\n"));
    EXPECT_TRUE(fnStartLog("SETUP.LOG"));
    EXPECT_FILE_TEXT(Path("SETUP.{01}.SAV.LOG"), "second\r\n");
    EXPECT_FILE_TEXT(Path("SETUP.{00}.SAV.LOG"), "first\r\n");
    EXPECT_FILE_TEXT(Path("SETUP.LOG"), Header());
}

TEST_F(InstallLog, OldLogStaysWhenNoCopyCanBeMade)
{
    g_uBackUpMethod = BACKUP_UNIQUE;
    ASSERT_TRUE(ktest::WriteFileText(Path("SETUP.LOG"), "precious\r\n"));
    ASSERT_TRUE(ktest::WriteFileText(Path("SETUP.{99}.SAV.LOG"), "taken"));
    EXPECT_TRUE(fnStartLog("SETUP.LOG"));
    EXPECT_FILE_TEXT(Path("SETUP.LOG"), "precious\r\n" + Header());
}

TEST_F(InstallLog, SecondStartChangesNothing)
{
    EXPECT_FALSE(fnStartLog(""));
    EXPECT_FALSE(g_bLogStarted);
    ASSERT_TRUE(fnStartLog("SETUP.LOG"));
    ASSERT_TRUE(ktest::WriteFileText(Path("OTHER.LOG"), "other\r\n"));
    EXPECT_FALSE(fnStartLog("OTHER.LOG"));
    EXPECT_FALSE(fnStartLog("SETUP.LOG"));
    EXPECT_STREQ(g_szLogFile, Path("SETUP.LOG").c_str());
    EXPECT_FILE_TEXT(Path("SETUP.LOG"), Header());
    EXPECT_FILE_TEXT(Path("OTHER.LOG"), "other\r\n");
    EXPECT_FALSE(ktest::Exists(Path("SETUP.ORI")));
    EXPECT_FALSE(ktest::Exists(Path("OTHER.ORI")));
}

TEST_F(InstallLog, LinesAreWrittenOnlyWhenWanted)
{
    std::string log = Path("W.LOG");
    ASSERT_TRUE(ktest::WriteFileText(log, "x\r\n"));
    fnStrCopy(g_szLogFile, log.c_str());
    EXPECT_TRUE(fnLogWrite(TRUE, "%s", "not wanted"));
    g_bLogWanted = TRUE;
    EXPECT_TRUE(fnLogWrite(TRUE, "n=%d", 5));
    g_szLogFile[0] = '\0';
    EXPECT_TRUE(fnLogWrite(TRUE, "%s", "no file"));
    EXPECT_FILE_TEXT(log, "x\r\nn=5\r\n");
}

TEST_F(InstallLog, AppendLineNeverTruncates)
{
    std::string file = Path("A.TXT");
    ASSERT_TRUE(ktest::WriteFileText(file, "abc"));
    EXPECT_TRUE(fnAppendLine(file.c_str(), TRUE, "%s=%d", "k", 1));
    EXPECT_TRUE(fnAppendLine(file.c_str(), FALSE, "%s", "tail"));
    EXPECT_FILE_TEXT(file, "abck=1\r\ntail");
    /* A file another handle holds without sharing is left exactly as it was. */
    HANDLE h = CreateFileA(file.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(fnAppendLine(file.c_str(), TRUE, "%s", "blocked"));
    CloseHandle(h);
    EXPECT_FILE_TEXT(file, "abck=1\r\ntail");
    EXPECT_TRUE(fnAppendLine(Path("NEW.TXT").c_str(), TRUE, "%s", "made"));
    EXPECT_FILE_TEXT(Path("NEW.TXT"), "made\r\n");
    EXPECT_FALSE(fnAppendLine(Path("missing\\X.TXT").c_str(), TRUE, "%s", "x"));
}

TEST_F(InstallLog, AppendLineKeeps1024CharactersOfALine)
{
    std::string file = Path("LONG.TXT");
    std::string line(1500, 'y');
    EXPECT_TRUE(fnAppendLine(file.c_str(), TRUE, "%s", line.c_str()));
    EXPECT_FILE_TEXT(file, std::string(1024, 'y') + "\r\n");
}

namespace {

class TraceFile : public ktest::TempDirTest {
protected:
    std::string m_trace;
    void SetUp() override
    {
        ktest::TempDirTest::SetUp();
        m_trace = Path("trace.log");
        fnStrCopy(g_szDebugFile, m_trace.c_str());
        fnStrCopy(g_szTitle, "Setup");
    }
};

}  // namespace

TEST_F(TraceFile, ModeThreeAppendsRecords)
{
    g_uDebug = 3;
    EXPECT_EQ(fnDebugTrace("fnFirst", "a=%d,\nb=%s", 1, "x"), 0);
    EXPECT_EQ(fnDebugTrace("fnSecond", "%s", ""), 0);
    EXPECT_FILE_TEXT(m_trace, "~-Setup: fnFirst-~\r\na=1,\nb=x\r\n\r\n"
                              "~-Setup: fnSecond-~\r\n\r\n\r\n");
}

TEST_F(TraceFile, CaptionIsCutAt79Characters)
{
    g_uDebug = 3;
    fnStrCopy(g_szTitle, std::string(100, 'T').c_str());
    fnDebugTrace("fnTag", "%s", "text");
    EXPECT_FILE_TEXT(m_trace, "~-" + std::string(79, 'T') + "-~\r\ntext\r\n\r\n");
}

TEST_F(TraceFile, OtherModesWriteNothing)
{
    for (UINT uMode : { 0u, 4u, 5u }) {
        g_uDebug = uMode;
        EXPECT_EQ(fnDebugTrace("fnTag", "%s", "text"), 0) << uMode;
    }
    /* A quiet run never waits on a trace box or dialog. */
    g_uDebug = 1;
    EXPECT_EQ(fnDebugTrace("fnTag", "%s", "text"), IDOK);
    EXPECT_EQ(g_uDebug, 1u);
    g_uDebug = 2;
    EXPECT_EQ(fnDebugTrace("fnTag", "%s", "text"), IDOK);
    EXPECT_FALSE(ktest::Exists(m_trace));
}

TEST_F(TraceFile, QuietRunKeepsAnOldTraceFile)
{
    fnStrCopy(g_szTmpPath, m_dir.c_str());
    std::string file = Path("KStl8Dbg.LOG");
    EXPECT_TRUE(fnOpenDebugFile());
    EXPECT_STREQ(g_szDebugFile, file.c_str());
    EXPECT_FILE_TEXT(file, "");
    ASSERT_TRUE(ktest::WriteFileText(file, "old\r\n"));
    EXPECT_TRUE(fnOpenDebugFile());
    g_uDebug = 3;
    fnDebugTrace("fnTag", "%s", "new");
    EXPECT_FILE_TEXT(file, "old\r\n~-Setup: fnTag-~\r\nnew\r\n\r\n");
    fnCloseDebugFile();
    fnStrCopy(g_szTmpPath, Path("missing").c_str());
    EXPECT_FALSE(fnOpenDebugFile());
    EXPECT_STREQ(g_szDebugFile, "");
}

TEST(DebugDialog, SpeedSteps)
{
    EXPECT_EQ(fnDebugFaster(5000), 4500u);
    EXPECT_EQ(fnDebugFaster(fnDebugFaster(5000)), 4000u);
    EXPECT_EQ(fnDebugFaster(1500), 1000u);
    EXPECT_EQ(fnDebugFaster(1001), 501u);
    EXPECT_EQ(fnDebugFaster(1000), 900u);
    EXPECT_EQ(fnDebugFaster(150), 50u);
    EXPECT_EQ(fnDebugFaster(100), 0u);
    EXPECT_EQ(fnDebugFaster(50), 0u);
    EXPECT_EQ(fnDebugFaster(0), 0u);
    EXPECT_EQ(fnDebugSlower(5000), 5500u);
    EXPECT_EQ(fnDebugSlower(0), 500u);
    EXPECT_EQ(fnDebugSlower(59999), 60499u);
    EXPECT_EQ(fnDebugSlower(60000), 60000u);
    EXPECT_EQ(fnDebugSlower(70000), 70000u);
}
