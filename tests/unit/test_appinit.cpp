/* The walk's record and [AppInit]: defaults, every key, the source and
 * destination steps and the destination test, through the functions and
 * the dispatcher.  The free-space query is replaced where a drive of a
 * given size is needed; quiet messages are read from the install log. */
#include "testutil.h"
#include "install/dirs.h"
#include "install/install.h"
#include "script/handlers.h"
#include "script/macro.h"
#include "resources/resource.h"
#include <string>
#include <vector>

extern char g_szExpandDelims[12];

namespace {

std::vector<DWORD> s_aFree;     /* answers of the fake query, the last one repeats */
UINT s_uCalls;
DWORD FakeDiskSpace(const char *)
{
    DWORD dw = s_aFree.empty() ? 0 : s_aFree[s_uCalls < s_aFree.size() ? s_uCalls : s_aFree.size() - 1];
    s_uCalls++;
    return dw;
}

class AppInitTest : public ktest::TempDirTest {
protected:
    UserInputStruct m_ui;
    std::string m_script, m_log;
    char m_szCwd[MAX_PATH];

    void SetUp() override
    {
        ktest::TempDirTest::SetUp();
        m_saved.Keep(g_szDirList);
        m_saved.Keep(g_szSourceDirList);
        m_saved.Keep(g_szAskForResponses);
        m_saved.Keep(g_szExpandDelims);
        m_saved.Keep(g_cMacroChar);
        m_saved.Keep(g_pfnGetDiskSpace);
        m_saved.Keep(g_szSourceDir);
        m_saved.Keep(g_bStayHome);
        GetCurrentDirectoryA(sizeof(m_szCwd), m_szCwd);
        g_szStartDestDir[0] = '\0';
        g_bStayHome = FALSE;
        fnStrCopy(g_szSourceDir, m_dir.c_str());
        fnStrCopy(g_szWinDir, "C:\\windows");
        fnInitUserInput(NULL, &m_ui);
        fnStrCopy(g_szDestDir, m_dir.c_str());
        fnStrCopy(m_ui.szDestPath, m_dir.c_str());
        m_log = Path("SETUP.LOG");
        g_bLogWanted = TRUE;
        ASSERT_TRUE(fnStartLog(m_log.c_str()));
        s_aFree.clear();
        s_uCalls = 0;
    }
    void TearDown() override
    {
        SetCurrentDirectoryA(m_szCwd);
        ktest::TempDirTest::TearDown();
    }
    BOOL AppInit(const std::string &body)
    {
        m_script = "[AppInit]\r\n" + body;
        return fnInfAppInit(NULL, &m_script[0], &m_ui, "[AppInit]");
    }
    std::string Log() const
    {
        return ktest::ReadFileText(m_log);
    }
    size_t Count(const std::string &text) const
    {
        std::string log = Log();
        size_t n = 0;
        for (size_t i = log.find(text); i != std::string::npos; i = log.find(text, i + 1))
            n++;
        return n;
    }
    void FakeFree(std::vector<DWORD> a)
    {
        s_aFree = a;
        g_pfnGetDiskSpace = FakeDiskSpace;
    }
    bool IsDir(const std::string &path) const
    {
        DWORD dw = GetFileAttributesA(path.c_str());
        return dw != INVALID_FILE_ATTRIBUTES && (dw & FILE_ATTRIBUTE_DIRECTORY);
    }
};

TEST_F(AppInitTest, RecordDefaultsOfANewWalk)
{
    g_bQuiet = FALSE;
    g_bNoPrompts = FALSE;
    g_uOnExit = 3;
    g_uBackUpMethod = BACKUP_DATE;
    fnStrCopy(g_szStartDestDir, "C:\\START");
    memset(&m_ui, ktest::POISON, sizeof(m_ui));
    EXPECT_TRUE(fnInitUserInput(NULL, &m_ui));
    EXPECT_EQ(m_ui.dwDiskSpaceNeeded, 1u);
    EXPECT_EQ(m_ui.dwMinSpaceNeeded, 0u);
    EXPECT_EQ(m_ui.dwWinSpaceNeeded, 0u);
    EXPECT_EQ(m_ui.uQuiet, 1u);
    EXPECT_FALSE(m_ui.bSourceDirPrompt);
    EXPECT_TRUE(m_ui.bDirPrompt);
    EXPECT_EQ(m_ui.uBackupMethod, (UINT)BACKUP_DATE);
    EXPECT_EQ(m_ui.uOnExit, 3u);
    EXPECT_STREQ(m_ui.szDirSection, "[MakeDirs]");
    EXPECT_STREQ(m_ui.szDestCaption, "Install and Setup");
    EXPECT_STREQ(m_ui.szSourceCaption, "Install and Setup");
    EXPECT_STREQ(m_ui.szDestPath, "C:\\START");
    EXPECT_STREQ(g_szDirList[0], "C:\\START");
    EXPECT_STREQ(m_ui.szSourceDir, m_dir.c_str());
    EXPECT_STREQ(m_ui.szDestMsg1, "The application will be installed in the following "
                                  "directory, which will be created on your disk.");
    EXPECT_STREQ(m_ui.szDestMsg2, "If you want to install the application in a different "
                                  "directory and/or drive, type it below.");
    EXPECT_STREQ(m_ui.szSourceMsg1, "Files will be copied from the following directory.");
    EXPECT_STREQ(m_ui.szSourceMsg2, "If you want to copy files from a different directory "
                                    "and/or drive, type it below.");
    EXPECT_STREQ(m_ui.szAppName, "");
    EXPECT_EQ(m_ui.nShortcutGroups, 0u);
    /* Quiet and no-prompts runs: no closing message, no destination dialog. */
    g_bQuiet = TRUE;
    fnInitUserInput(NULL, &m_ui);
    EXPECT_EQ(m_ui.uQuiet, 0u);
    EXPECT_FALSE(m_ui.bDirPrompt);
    g_bQuiet = FALSE;
    g_bNoPrompts = TRUE;
    fnInitUserInput(NULL, &m_ui);
    EXPECT_EQ(m_ui.uQuiet, 1u);
    EXPECT_FALSE(m_ui.bDirPrompt);
}

TEST_F(AppInitTest, EveryKeyReachesTheRecord)
{
    g_bQuiet = FALSE;
    fnStrCopy(g_szAskForResponse, "EXPANDED");
    ASSERT_TRUE(CreateDirectoryA(Path("SRC").c_str(), NULL));
    EXPECT_TRUE(AppInit("Caption=My Caption\r\n"
                        "DefaultDir=C:\\@A1\r\n"
                        "DoUseAllInstall=Y\r\n"
                        "DirSection=[MyDirs]\r\n"
                        "DestMsg1=First text\r\n"
                        "DestMsg2=Second text\r\n"
                        "SpaceNeeded=5000,4000\r\n"
                        "WinSpaceNeeded=300\r\n"
                        "LogFile=@A1.LOG\r\n"
                        "AppName=The App\r\n"
                        "ExitMessage=Done with @A1\r\n"
                        "OnExit=Exec,C:\\@A1.EXE\r\n"
                        "BackUpMethod=datetime\r\n"
                        "BeQuiet=Y\r\n"
                        "DirPrompt=N\r\n"
                        "SourceCaption=Src Caption\r\n"
                        "SourceDir=" + Path("SRC") + "\r\n"
                        "SourceMsg1=Src one\r\n"
                        "SourceMsg2=Src two\r\n"
                        "SourceDirPrompt=Y\r\n"
                        "MinSpaceNeeded=1000\r\n"
                        "Unknown=ends\r\n"
                        "Caption=never read\r\n"));
    EXPECT_STREQ(m_ui.szDestCaption, "My Caption");
    EXPECT_STREQ(m_ui.szDestPath, "C:\\EXPANDED");
    EXPECT_TRUE(m_ui.bUseAllInstall);
    EXPECT_STREQ(m_ui.szDirSection, "[MyDirs]");
    EXPECT_STREQ(m_ui.szDestMsg1, "First text");
    EXPECT_STREQ(m_ui.szDestMsg2, "Second text");
    EXPECT_EQ(m_ui.dwDiskSpaceNeeded, 5000u);
    EXPECT_EQ(m_ui.dwMinSpaceNeeded, 1000u) << "MinSpaceNeeded came later";
    EXPECT_EQ(m_ui.dwWinSpaceNeeded, 300u);
    EXPECT_STREQ(m_ui.szLogFile, "@A1.LOG") << "taken as written";
    EXPECT_STREQ(m_ui.szAppName, "The App");
    EXPECT_STREQ(m_ui.szExitMsg, "Done with EXPANDED");
    EXPECT_EQ(m_ui.uOnExit, 2u);
    EXPECT_STREQ(m_ui.szExitExec, "C:\\EXPANDED.EXE");
    EXPECT_EQ(m_ui.uBackupMethod, (UINT)BACKUP_DATETIME);
    EXPECT_EQ(m_ui.uQuiet, 0u);
    EXPECT_FALSE(m_ui.bDirPrompt);
    EXPECT_STREQ(m_ui.szSourceCaption, "Src Caption");
    EXPECT_STREQ(m_ui.szSourceDir, Path("SRC").c_str());
    EXPECT_STREQ(m_ui.szSourceMsg1, "Src one");
    EXPECT_STREQ(m_ui.szSourceMsg2, "Src two");
    EXPECT_TRUE(m_ui.bSourceDirPrompt);
}

TEST_F(AppInitTest, MacroKeysAndYesNoWords)
{
    EXPECT_TRUE(AppInit("ExpandOpt=#\r\nExpandDelims=;|abcdefghijklmn\r\nBeQuiet=no\r\n"
                        "DoUseAllInstall2=n\r\n"));
    EXPECT_EQ(g_cMacroChar, '#');
    EXPECT_STREQ(g_szExpandDelims, ";|abcdefghi") << "eleven characters kept";
    EXPECT_TRUE(AppInit("ExpandDelims=;=\r\n"));
    EXPECT_STREQ(g_szExpandDelims, ";=") << "the whole value, '=' included";
    EXPECT_EQ(m_ui.uQuiet, 1u);
    EXPECT_FALSE(m_ui.bUseAllInstall);
}

TEST_F(AppInitTest, DefaultDirAlternativesWithEmptyMacros)
{
    g_bQuiet = FALSE;
    g_szAskForResponse[0] = '\0';
    fnStrCopy(g_szAskForResponses[1], "TWO");
    fnStrCopy(g_szDestDir, "C:\\CURRENT");
    EXPECT_TRUE(AppInit("DefaultDir=C:\\@A1,C:\\@A2,C:\\THIRD\r\n"));
    EXPECT_STREQ(m_ui.szDestPath, "C:\\TWO");
    EXPECT_TRUE(AppInit("DefaultDir=C:\\@A1,C:\\@A1X,C:\\THIRD\r\n"));
    EXPECT_STREQ(m_ui.szDestPath, "C:\\THIRD");
    EXPECT_TRUE(AppInit("DefaultDir=C:\\@A1,C:\\@A1X,C:\\@A1Z\r\n"));
    EXPECT_STREQ(m_ui.szDestPath, "C:\\Z") << "the third is taken even when it is empty";
    EXPECT_TRUE(AppInit("DefaultDir=C:\\@A1\r\n"));
    EXPECT_STREQ(m_ui.szDestPath, "C:\\CURRENT") << "a missing alternative gives g_szDestDir";
    EXPECT_TRUE(AppInit("DefaultDir=C:\\@A1,C:\\@A1\r\n"));
    EXPECT_STREQ(m_ui.szDestPath, "C:\\CURRENT");
    EXPECT_TRUE(AppInit("DefaultDir=D:\\PLAIN,C:\\NOTUSED\r\n"));
    EXPECT_STREQ(m_ui.szDestPath, "D:\\PLAIN");
}

TEST_F(AppInitTest, QuietRunsKeepAStartUpDestination)
{
    g_bQuiet = TRUE;
    fnStrCopy(g_szStartDestDir, "C:\\FROMCMD");
    fnStrCopy(m_ui.szDestPath, "C:\\FROMCMD");
    EXPECT_TRUE(AppInit("DefaultDir=C:\\SCRIPT\r\n"));
    EXPECT_STREQ(m_ui.szDestPath, "C:\\FROMCMD");
    g_bQuiet = FALSE;
    g_bNoPrompts = TRUE;
    EXPECT_TRUE(AppInit("DefaultDir=C:\\SCRIPT\r\n"));
    EXPECT_STREQ(m_ui.szDestPath, "C:\\FROMCMD");
    /* Without one the script's directory applies, quiet or not. */
    g_szStartDestDir[0] = '\0';
    EXPECT_TRUE(AppInit("DefaultDir=C:\\SCRIPT\r\n"));
    EXPECT_STREQ(m_ui.szDestPath, "C:\\SCRIPT");
    g_bQuiet = TRUE;
    EXPECT_TRUE(AppInit("DefaultDir=C:\\SCRIPT2\r\n"));
    EXPECT_STREQ(m_ui.szDestPath, "C:\\SCRIPT2");
}

TEST_F(AppInitTest, QuietRunsNeverSwitchTheDialogsOn)
{
    g_bQuiet = TRUE;
    EXPECT_TRUE(AppInit("DirPrompt=Y\r\nSourceDirPrompt=Y\r\n"));
    EXPECT_FALSE(m_ui.bDirPrompt);
    EXPECT_FALSE(m_ui.bSourceDirPrompt);
    g_bQuiet = FALSE;
    EXPECT_TRUE(AppInit("DirPrompt=yes\r\nSourceDirPrompt=y\r\n"));
    EXPECT_TRUE(m_ui.bDirPrompt);
    EXPECT_TRUE(m_ui.bSourceDirPrompt);
}

TEST_F(AppInitTest, SourceDirAlternatives)
{
    g_szAskForResponse[0] = '\0';
    fnStrCopy(g_szAskForResponses[1], "S2");
    EXPECT_TRUE(AppInit("SourceDir=C:\\@A2\r\n"));
    EXPECT_STREQ(m_ui.szSourceDir, "C:\\S2");
    EXPECT_TRUE(AppInit("SourceDir=C:\\@A1,C:\\@A2\r\n"));
    EXPECT_STREQ(m_ui.szSourceDir, "C:\\@A2") << "the second as written";
    EXPECT_TRUE(AppInit("SourceDir=C:\\@A1X\r\n"));
    EXPECT_STREQ(m_ui.szSourceDir, "C:\\@A1X") << "the first as written";
}

TEST_F(AppInitTest, SpaceNeededWithOneOrTwoNumbers)
{
    EXPECT_TRUE(AppInit("SpaceNeeded=123456\r\n"));
    EXPECT_EQ(m_ui.dwDiskSpaceNeeded, 123456u);
    EXPECT_EQ(m_ui.dwMinSpaceNeeded, 123456u);
    EXPECT_TRUE(AppInit("SpaceNeeded=9000,300\r\n"));
    EXPECT_EQ(m_ui.dwDiskSpaceNeeded, 9000u);
    EXPECT_EQ(m_ui.dwMinSpaceNeeded, 300u);
    EXPECT_TRUE(AppInit("SpaceNeeded=99999999999\r\n"));
    EXPECT_EQ(m_ui.dwDiskSpaceNeeded, 0xFFFFFFFFu);
}

TEST_F(AppInitTest, RequiredKeyWithoutValueFails)
{
    for (const char *lpszKey : { "Caption", "DefaultDir", "DirSection", "DestMsg1", "DestMsg2",
                                 "SpaceNeeded", "MinSpaceNeeded", "WinSpaceNeeded",
                                 "SourceCaption", "SourceDir", "SourceMsg1", "SourceMsg2" }) {
        EXPECT_FALSE(AppInit(std::string(lpszKey) + "=\r\n")) << lpszKey;
        EXPECT_FALSE(AppInit(std::string(lpszKey) + "=   \r\nCaption=x\r\n")) << lpszKey;
    }
    /* Optional keys may be empty. */
    EXPECT_TRUE(AppInit("LogFile=\r\nAppName=\r\nExitMessage=\r\nBackUpMethod=\r\n"));
    EXPECT_FALSE(AppInit("Caption=ok\r\nno key here\r\n"));
}

TEST_F(AppInitTest, LongTextsAreShortenedToTheirFields)
{
    std::string longText(300, 'c');
    EXPECT_TRUE(AppInit("Caption=" + longText + "\r\nDestMsg1=" + longText + "\r\n"));
    EXPECT_EQ(strlen(m_ui.szDestCaption), 126u);
    EXPECT_EQ(strlen(m_ui.szDestMsg1), 190u);
    /* A log name that does not fit is refused, never shortened. */
    EXPECT_FALSE(AppInit("LogFile=" + std::string(270, 'l') + "\r\n"));
    EXPECT_STREQ(m_ui.szLogFile, "");
}

TEST_F(AppInitTest, OnExitWordsAndTheirTexts)
{
    struct { const char *lpszLine; UINT uCode; } aCases[] = {
        { "OnExit=ExitWin", 1 }, { "OnExit=RestartWin", 3 }, { "OnExit=Reboot", 5 },
        { "OnExit=exec,C:\\RUN.EXE", 2 }, { "OnExit=Exec", 0 }, { "OnExit=RestartWithMsg", 6 },
    };
    for (auto &c : aCases) {
        m_ui.uOnExit = 77;
        EXPECT_TRUE(AppInit(std::string(c.lpszLine) + "\r\n"));
        EXPECT_EQ(m_ui.uOnExit, c.uCode) << c.lpszLine;
    }
    EXPECT_STREQ(m_ui.szRestartMsg, "Windows must restart to complete installation.\nPlease "
                                    "close all open applications now.\n\nIs it OK to restart "
                                    "Windows?");
    EXPECT_TRUE(AppInit("OnExit=RestartWithMsg,Restart now?\r\n"));
    EXPECT_STREQ(m_ui.szRestartMsg, "Restart now?");
    m_ui.uOnExit = 3;
    EXPECT_TRUE(AppInit("OnExit=Sideways\r\nBackUpMethod=Sideways\r\n"));
    EXPECT_EQ(m_ui.uOnExit, 3u) << "other words change nothing";
    EXPECT_EQ(m_ui.uBackupMethod, g_uBackUpMethod);
}

TEST_F(AppInitTest, BackUpMethodWords)
{
    const char *apsz[] = { "PROMPT", "ORIEXT", "UNIQUE", "TIME", "DATE", "DATETIME", "nomod" };
    for (UINT i = 0; i < 7; i++) {
        EXPECT_TRUE(AppInit(std::string("BackUpMethod=") + apsz[i] + "\r\n"));
        EXPECT_EQ(m_ui.uBackupMethod, BACKUP_PROMPT + i) << apsz[i];
    }
}

TEST_F(AppInitTest, ConditionsSkipLines)
{
    fnStrCopy(g_szAskForResponse, "yes");
    EXPECT_TRUE(AppInit("@A1=no,Caption=Skipped\r\n@A1=yes,AppName=Taken\r\n"));
    EXPECT_STREQ(m_ui.szDestCaption, "Install and Setup");
    EXPECT_STREQ(m_ui.szAppName, "Taken");
}

/* ---- the dispatcher: S13 and the backup method ---- */

TEST_F(AppInitTest, DispatcherCopiesExitActionButNeverLowersARestart)
{
    UINT aCases[][3] = {
        /* g_uOnExit before, OnExit word index, g_uOnExit after */
        { 0, 1, 1 }, { 0, 3, 3 }, { 4, 1, 4 }, { 4, 0, 4 }, { 4, 5, 5 }, { 3, 1, 3 }, { 1, 3, 3 },
    };
    const char *apszWord[] = { "Exec", "ExitWin", "", "RestartWin", "", "Reboot" };
    for (auto &c : aCases) {
        g_uOnExit = c[0];
        fnInitUserInput(NULL, &m_ui);
        fnStrCopy(g_szDestDir, m_dir.c_str());
        m_script = std::string("[AppInit]\r\nDefaultDir=") + m_dir + "\r\nOnExit=" +
                   apszWord[c[1]] + "\r\nBackUpMethod=UNIQUE\r\n";
        g_lpszInfText = &m_script[0];
        g_lpszInfNext = NULL;
        EXPECT_EQ(fnParseInfSection(NULL, &m_script[0], &m_ui), 1);
        EXPECT_EQ(g_uOnExit, c[2]) << "before " << c[0] << ", OnExit=" << apszWord[c[1]];
        EXPECT_EQ(g_uBackUpMethod, (UINT)BACKUP_UNIQUE);
    }
    /* A later section that does not name an exit action keeps the earlier one. */
    g_uOnExit = 0;
    fnInitUserInput(NULL, &m_ui);
    fnStrCopy(g_szDestDir, m_dir.c_str());
    m_script = "[AppInit]\r\nOnExit=ExitWin\r\n";
    EXPECT_EQ(fnParseInfSection(NULL, &m_script[0], &m_ui), 1);
    g_uOnExit = 4;
    m_script = "[AppInit]\r\nAppName=x\r\n";
    EXPECT_EQ(fnParseInfSection(NULL, &m_script[0], &m_ui), 1);
    EXPECT_EQ(g_uOnExit, 4u);
}

TEST_F(AppInitTest, FailedAppInitFailsTheRun)
{
    m_script = "[AppInit]\r\nCaption=\r\n";
    EXPECT_EQ(fnParseInfSection(NULL, &m_script[0], &m_ui), SECTION_FAILED);
    m_script = "[AppInit]\r\nSourceDir=" + Path("NOSRC") + "\r\n";
    EXPECT_EQ(fnParseInfSection(NULL, &m_script[0], &m_ui), SECTION_FAILED);
    EXPECT_NE(Log().find("Directory " + Path("NOSRC") + " does not exist."), std::string::npos);
    m_script = "[GetAllInstallInfo]\r\nx=1\r\n";
    EXPECT_EQ(fnParseInfSection(NULL, &m_script[0], &m_ui), 1);
}

TEST_F(AppInitTest, SourceDirGoesToListEntryTwo)
{
    ASSERT_TRUE(CreateDirectoryA(Path("S").c_str(), NULL));
    fnStrCopy(m_ui.szSourceDir, Path("S").c_str());
    EXPECT_TRUE(fnGetSrcDir(NULL, &m_ui));
    EXPECT_STREQ(g_szSourceDirList[1], Path("S").c_str());
    m_ui.szSourceDir[0] = '\0';
    EXPECT_TRUE(fnGetSrcDir(NULL, &m_ui));
}

/* ---- fnTestDestDir ---- */

TEST_F(AppInitTest, DestinationUsableMakesItsDirectorySection)
{
    fnStrCopy(g_szDestDir, Path("NEW").c_str());
    fnStrCopy(m_ui.szDestPath, Path("NEW").c_str());
    m_script = "[AppInit]\r\n[MakeDirs]\r\nBIN\r\nDATA\r\n";
    g_lpszInfText = &m_script[0];
    g_lpszInfNext = NULL;
    EXPECT_EQ(fnTestDestDir(NULL, &m_ui), 1);
    EXPECT_TRUE(IsDir(Path("NEW\\BIN")));
    EXPECT_TRUE(IsDir(Path("NEW\\DATA")));
    char szCwd[MAX_PATH];
    GetCurrentDirectoryA(sizeof(szCwd), szCwd);
    EXPECT_STREQ(szCwd, Path("NEW").c_str()) << "the destination becomes current";
    /* The rest of the script after the running section is searched first. */
    std::string rest = "[MyDirs]\r\nFROMREST\r\n";
    g_lpszInfNext = &rest[0];
    fnStrCopy(m_ui.szDirSection, "[MyDirs]");
    EXPECT_EQ(fnTestDestDir(NULL, &m_ui), 1);
    EXPECT_TRUE(IsDir(Path("NEW\\FROMREST")));
    /* StayHome: the destination does not become current. */
    fnStrCopy(m_ui.szDirSection, "[NoSuchDirs]");
    g_bStayHome = TRUE;
    SetCurrentDirectoryA(m_dir.c_str());
    EXPECT_EQ(fnTestDestDir(NULL, &m_ui), 1);
    GetCurrentDirectoryA(sizeof(szCwd), szCwd);
    EXPECT_STREQ(szCwd, m_dir.c_str()) << "StayHome keeps the current directory";
}

TEST_F(AppInitTest, EmptyDestinationPassesAtOnce)
{
    m_ui.szDestPath[0] = '\0';
    FakeFree({ 0 });
    EXPECT_EQ(fnTestDestDir(NULL, &m_ui), 1);
    EXPECT_EQ(s_uCalls, 0u);
}

TEST_F(AppInitTest, QuietRunTakesOkForAShortWindowsDriveAndGoesOn)
{
    m_ui.dwWinSpaceNeeded = 5000;
    m_ui.dwDiskSpaceNeeded = 100;
    FakeFree({ 1000 });
    EXPECT_EQ(fnTestDestDir(NULL, &m_ui), 1);
    EXPECT_NE(Log().find("Message: The Windows drive (C:) has 1000 bytes of free disk space.  A "
                         "minimum of 5000 bytes is required. Press OK to try to install anyway, "
                         "press Cancel to exit. (answer 1)"),
              std::string::npos)
        << Log();
    /* After OK the destination drive is measured too. */
    EXPECT_EQ(s_uCalls, 2u);
    EXPECT_EQ(Count("The Windows drive (C:)"), 1u) << Log();
}

TEST_F(AppInitTest, MissingDestinationDriveEndsWithoutAskingAgain)
{
    fnStrCopy(g_szDestDir, "Q:\\APP");
    fnStrCopy(m_ui.szDestPath, "Q:\\APP");
    EXPECT_EQ(fnTestDestDir(NULL, &m_ui), 0);
    EXPECT_EQ(Count("Drive Q: is not available or not connected to network. Enter another"), 1u) << Log();
}

TEST_F(AppInitTest, SpaceShortWithoutPromptGives1048AndStops)
{
    m_ui.dwDiskSpaceNeeded = 20000;
    m_ui.dwMinSpaceNeeded = 100;
    FakeFree({ 10000 });
    EXPECT_EQ(fnTestDestDir(NULL, &m_ui), 0);
    char szDrive[3] = { m_dir[0], ':', 0 };
    EXPECT_NE(Log().find(std::string("Message: Drive ") + szDrive + " contains 10000 bytes of "
                         "free disk space. This software requires a minimum of 20000 bytes. "
                         "Press OK to Exit, clear some space and try to install later."),
              std::string::npos)
        << Log();
}

TEST_F(AppInitTest, SpaceShortWithOneNumberOnlyAsksForAnotherDrive)
{
    /* A quiet run with the prompt forced on: the dialog takes the preset
       path at once, and the second pass finds the space. */
    m_ui.bDirPrompt = TRUE;
    m_ui.dwDiskSpaceNeeded = m_ui.dwMinSpaceNeeded = 20000;
    FakeFree({ 10000, 50000 });
    EXPECT_EQ(fnTestDestDir(NULL, &m_ui), 1);
    EXPECT_EQ(Count("Please select another drive."), 1u) << Log();
    EXPECT_EQ(Count("Abort to exit"), 0u) << "never offers Ignore";
}

TEST_F(AppInitTest, SpaceShortWithAMinimumOffersAbortRetryIgnore)
{
    m_ui.bDirPrompt = TRUE;
    m_ui.dwDiskSpaceNeeded = 20000;
    m_ui.dwMinSpaceNeeded = 5000;
    FakeFree({ 10000 });
    /* Quiet answer: Abort. */
    EXPECT_EQ(fnTestDestDir(NULL, &m_ui), 0);
    EXPECT_EQ(Count("Select Abort to exit,"), 1u) << Log();
    EXPECT_EQ(m_ui.dwDiskSpaceNeeded, 20000u);
}

TEST_F(AppInitTest, FailedDirectorySectionAsksAgainOnlyWhenSpaceIsNeeded)
{
    ASSERT_TRUE(ktest::WriteFileText(Path("BLOCK"), "x"));
    m_script = "[AppInit]\r\n[MakeDirs]\r\nBLOCK\\SUB\r\n";
    g_lpszInfText = &m_script[0];
    g_lpszInfNext = NULL;
    FakeFree({ 50000 });
    m_ui.dwDiskSpaceNeeded = 100;
    EXPECT_EQ(fnTestDestDir(NULL, &m_ui), 0) << "no dialog may ask: the test ends";
    EXPECT_EQ(Count("directory tree cannot be created"), 1u) << "shown once, never repeated";
    m_ui.dwDiskSpaceNeeded = 0;
    EXPECT_EQ(fnTestDestDir(NULL, &m_ui), 1) << "free space counted as 0 is not below 0";
}

TEST_F(AppInitTest, DefaultRequirementFailsAFullDrive)
{
    FakeFree({ 0 });
    EXPECT_EQ(m_ui.dwDiskSpaceNeeded, 1u);
    EXPECT_EQ(fnTestDestDir(NULL, &m_ui), 0);
}

}  // namespace
