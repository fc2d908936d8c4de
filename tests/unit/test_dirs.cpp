/* Directory sections, disk-space sections and the free-space test,
 * through their functions and the dispatcher, in a directory of each
 * test's own.  Quiet runs: every message lands in the install log. */
#include "testutil.h"
#include "install/dirs.h"
#include "install/install.h"
#include "script/handlers.h"
#include "script/macro.h"
#include <string>

extern char g_szExpandDelims[12];

namespace {

class DirsTest : public ktest::TempDirTest {
protected:
    char m_szCwd[MAX_PATH];
    std::string m_log;

    void SetUp() override
    {
        ktest::TempDirTest::SetUp();
        m_saved.Keep(g_szDirList);
        m_saved.Keep(g_szAskForResponses);
        m_saved.Keep(g_szExpandDelims);
        m_saved.Keep(g_pfnGetDiskSpace);
        GetCurrentDirectoryA(sizeof(m_szCwd), m_szCwd);
        fnStrCopy(g_szDestDir, m_dir.c_str());
        fnStrCopy(g_szDirList[0], m_dir.c_str());
        m_log = Path("INSTALL.LOG");
        g_bLogWanted = TRUE;
        ASSERT_TRUE(fnStartLog(m_log.c_str()));
    }
    void TearDown() override
    {
        SetCurrentDirectoryA(m_szCwd);
        ktest::TempDirTest::TearDown();
    }
    std::string Log() const
    {
        return ktest::ReadFileText(m_log);
    }
    bool Logged(const std::string &line) const
    {
        return Log().find(line + "\r\n") != std::string::npos;
    }
    bool IsDir(const std::string &path) const
    {
        DWORD dw = GetFileAttributesA(path.c_str());
        return dw != INVALID_FILE_ATTRIBUTES && (dw & FILE_ATTRIBUTE_DIRECTORY);
    }
    /* A directory section run through its own entry. */
    BOOL MakeDirs(const std::string &script, const char *lpszName = "[MakeDirs]")
    {
        m_script = script;
        return fnMakeDirsSection(NULL, &m_script[0], NULL, lpszName);
    }
    std::string m_script;
};

TEST_F(DirsTest, PlainLinesAreMadeUnderTheDestinationAndLogged)
{
    EXPECT_TRUE(MakeDirs("[MakeDirs]\r\nAPP\r\nDATA\r\n[Next]\r\nNOTME\r\n"));
    EXPECT_TRUE(IsDir(Path("APP")));
    EXPECT_TRUE(IsDir(Path("DATA")));
    EXPECT_FALSE(ktest::Exists(Path("NOTME")));
    EXPECT_TRUE(Logged(Path("APP") + ", D")) << Log();
    EXPECT_TRUE(Logged(Path("DATA") + ", D")) << Log();
}

TEST_F(DirsTest, OnlyDirectoriesThisRunMadeAreLogged)
{
    ASSERT_TRUE(CreateDirectoryA(Path("OLD").c_str(), NULL));
    EXPECT_TRUE(MakeDirs("[MakeDirs]\nOLD\nNEW"));
    EXPECT_TRUE(IsDir(Path("NEW")));
    EXPECT_FALSE(Logged(Path("OLD") + ", D")) << Log();
    EXPECT_TRUE(Logged(Path("NEW") + ", D")) << Log();
}

TEST_F(DirsTest, RelativeLineWithEmptyMacroIsMadeAsWritten)
{
    g_szAskForResponse[0] = '\0';
    EXPECT_TRUE(MakeDirs("[MakeDirs]\r\nX@A1Y\r\n"));
    EXPECT_TRUE(IsDir(Path("X@A1Y"))) << "the line's own text under the destination";
    EXPECT_FALSE(ktest::Exists(Path("XY")));
}

TEST_F(DirsTest, SeventyLinesMakeSixtyFour)
{
    std::string s = "[DestSubDirs]\r\n";
    for (int i = 1; i <= 70; i++)
        s += "D" + std::to_string(i) + "\r\n";
    EXPECT_TRUE(MakeDirs(s, "[DestSubDirs]"));
    EXPECT_TRUE(IsDir(Path("D1")));
    EXPECT_TRUE(IsDir(Path("D64")));
    EXPECT_FALSE(ktest::Exists(Path("D65")));
    EXPECT_FALSE(ktest::Exists(Path("D70")));
}

TEST_F(DirsTest, MacroThatExpandsRelativeIsMadeInsideThePreviousLine)
{
    fnStrCopy(g_szAskForResponse, "INNER");
    EXPECT_TRUE(MakeDirs("[MakeDirs]\r\nOUTER\r\n@A1\r\nSIBLING\r\n"));
    EXPECT_TRUE(IsDir(Path("OUTER\\INNER")));
    EXPECT_FALSE(ktest::Exists(Path("INNER")));
    /* Lines without macros stay under the destination. */
    EXPECT_TRUE(IsDir(Path("SIBLING")));
}

TEST_F(DirsTest, ExpandDelimsLineMakesNothingAndChangesTheDelimiters)
{
    fnStrCopy(g_szAskForResponse, "one;two");
    EXPECT_TRUE(MakeDirs("[MakeDirs]\r\nExpandDelims=;\r\n@D1\\@A12\r\n"));
    EXPECT_STREQ(g_szExpandDelims, ";");
    EXPECT_TRUE(IsDir(Path("two"))) << "field 2 split at ';'";
    EXPECT_FALSE(ktest::Exists(Path("ExpandDelims")));
    EXPECT_FALSE(ktest::Exists(Path(";")));
}

TEST_F(DirsTest, TestedLinesAreMadeOnlyWhenTheTestHolds)
{
    fnStrCopy(g_szAskForResponse, "yes");
    EXPECT_TRUE(MakeDirs("[MakeDirs]\r\n@A1=yes,GOOD\r\n@A1=no,BAD\r\n"));
    EXPECT_TRUE(IsDir(Path("GOOD")));
    EXPECT_FALSE(ktest::Exists(Path("BAD")));
}

TEST_F(DirsTest, MissingOrEmptySectionIsTrue)
{
    EXPECT_TRUE(MakeDirs("[Other]\r\nX\r\n"));
    EXPECT_TRUE(MakeDirs("[MakeDirs]\r\n[Other]\r\nX\r\n"));
    EXPECT_FALSE(ktest::Exists(Path("X")));
}

TEST_F(DirsTest, SecondTextIsSearchedWhenTheFirstLacksTheSection)
{
    std::string first = "[Other]\r\n", second = "[Mine]\r\nFROM2\r\n";
    EXPECT_TRUE(fnMakeDirsSection(NULL, &first[0], &second[0], "[Mine]"));
    EXPECT_TRUE(IsDir(Path("FROM2")));
}

TEST_F(DirsTest, FailingTreeGives1054AndFailsTheSection)
{
    ASSERT_TRUE(ktest::WriteFileText(Path("AFILE"), "x"));
    EXPECT_FALSE(MakeDirs("[MakeDirs]\r\nFIRST\r\nAFILE\\SUB\r\nLATER\r\n"));
    EXPECT_TRUE(IsDir(Path("FIRST")));
    EXPECT_FALSE(ktest::Exists(Path("LATER"))) << "the section stops at the failing line";
    EXPECT_TRUE(Logged("Message: The " + Path("AFILE\\SUB") +
                       " directory tree cannot be created. (answer 1)"))
        << Log();
}

TEST_F(DirsTest, MissingDriveIsReportedInsteadOf1054)
{
    /* A letter with no mapping in the prefix. */
    EXPECT_FALSE(MakeDirs("[MakeDirs]\r\nQ:\\NEVER\r\n"));
    EXPECT_TRUE(Logged("Message: Drive Q: is not available or not connected to network. "
                       "(answer 1)"))
        << Log();
    EXPECT_EQ(Log().find("directory tree cannot be created"), std::string::npos) << Log();
}

TEST_F(DirsTest, DestinationIsMadeWhenMissingButNotLogged)
{
    fnStrCopy(g_szDestDir, Path("NEWDEST").c_str());
    EXPECT_TRUE(MakeDirs("[MakeDirs]\r\nSUB\r\n"));
    EXPECT_TRUE(IsDir(Path("NEWDEST\\SUB")));
    EXPECT_TRUE(Logged(Path("NEWDEST\\SUB") + ", D"));
    EXPECT_FALSE(Logged(Path("NEWDEST") + ", D"));
}

TEST_F(DirsTest, DiskPassMakesTheDirectoriesWithoutLogging)
{
    m_script = "[MakeDirs]\r\nDISKDIR\r\n";
    EXPECT_TRUE(fnMakeDiskDirs(NULL, &m_script[0], "[MakeDirs]"));
    EXPECT_TRUE(IsDir(Path("DISKDIR")));
    EXPECT_EQ(Log().find("DISKDIR"), std::string::npos);
}

TEST_F(DirsTest, OverlongDirectoryIsRefusedNotShortened)
{
    std::string name(250, 'n');
    EXPECT_FALSE(MakeDirs("[MakeDirs]\r\n" + name + "\r\n"));
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(Path("n*").c_str(), &fd);
    EXPECT_EQ(h, INVALID_HANDLE_VALUE) << "a shortened directory was made: " << fd.cFileName;
    if (h != INVALID_HANDLE_VALUE)
        FindClose(h);
}

TEST(DirsGetDir, LinesKeysAndEnd)
{
    std::string s = "A\r\nExpandDelims=,=\r\nx=x,KEYED\r\nx=y,NO\r\nx=x\r\n";
    char szDir[MAX_PATH];
    EXPECT_EQ(fnInfGetDir(&s[0], 1, szDir, sizeof(szDir)), TRUE);
    EXPECT_STREQ(szDir, "A");
    EXPECT_EQ(fnInfGetDir(&s[0], 2, szDir, sizeof(szDir)), GETDIR_SKIP);
    EXPECT_EQ(fnInfGetDir(&s[0], 3, szDir, sizeof(szDir)), TRUE);
    EXPECT_STREQ(szDir, "KEYED");
    EXPECT_EQ(fnInfGetDir(&s[0], 4, szDir, sizeof(szDir)), GETDIR_SKIP);
    EXPECT_EQ(fnInfGetDir(&s[0], 5, szDir, sizeof(szDir)), FALSE) << "a test without its directory";
    EXPECT_EQ(fnInfGetDir(&s[0], 6, szDir, sizeof(szDir)), GETDIR_END);
    EXPECT_EQ(fnInfGetDir(&s[0], 0, szDir, sizeof(szDir)), GETDIR_END);
}

TEST_F(DirsTest, DispatcherRunsDirectorySections)
{
    UserInputStruct ui;
    fnInitUserInput(NULL, &ui);
    fnStrCopy(g_szDestDir, m_dir.c_str());
    m_script = "[MakeDirs]\r\nVIADISPATCH\r\n";
    EXPECT_EQ(fnParseInfSection(NULL, &m_script[0], &ui), SECTION_GOON);
    EXPECT_TRUE(IsDir(Path("VIADISPATCH")));
    ASSERT_TRUE(ktest::WriteFileText(Path("F"), "x"));
    m_script = "[DestSubDirs]\r\nF\\G\r\n";
    EXPECT_EQ(fnParseInfSection(NULL, &m_script[0], &ui), SECTION_FAILED);
}

/* ---- disk space ---- */

class SpaceTest : public DirsTest {
protected:
    DWORD m_dwCluster = 0;

    void SetUp() override
    {
        DirsTest::SetUp();
        DWORD dwSectors = 0, dwBytes = 0, dwFree = 0, dwTotal = 0;
        char szRoot[4] = { m_dir[0], ':', '\\', 0 };
        ASSERT_TRUE(GetDiskFreeSpaceA(szRoot, &dwSectors, &dwBytes, &dwFree, &dwTotal));
        m_dwCluster = dwSectors * dwBytes;
        ASSERT_GT(m_dwCluster, 1u);
    }
    void File(const std::string &name, size_t cb)
    {
        ASSERT_TRUE(ktest::WriteFileText(Path(name), std::string(cb, 'x'))) << name;
    }
    void Dir(const std::string &name)
    {
        ASSERT_TRUE(CreateDirectoryA(Path(name).c_str(), NULL)) << name;
    }
    BOOL Check(const std::string &body, DWORD *lpdw)
    {
        m_script = "[CheckDiskSpace]\r\n" + body;
        return fnCheckDiskSpace(NULL, &m_script[0], lpdw, "[CheckDiskSpace]");
    }
};

TEST_F(SpaceTest, SpaceUsedCountsWholeClustersOfTheDrive)
{
    File("ONE.BIN", 1);
    File("MORE.BIN", (size_t)m_dwCluster + 1);
    EXPECT_EQ(fnGetClusterSize(m_dir.c_str()), m_dwCluster);
    DWORD dw = 0;
    EXPECT_TRUE(Check("Path=" + m_dir + "\r\nFiles=*.BIN\r\nSpaceUsed=Y\r\n", &dw));
    EXPECT_EQ(dw, 3 * m_dwCluster);
    EXPECT_TRUE(Check("Path=" + m_dir + "\r\nFiles=*.BIN\r\nSpaceUsed=N\r\n", &dw));
    EXPECT_EQ(dw, m_dwCluster + 2);
    EXPECT_TRUE(Check("Path=" + m_dir + "\r\nFiles=ONE.BIN\r\nSpaceUsed=yes\r\n", &dw));
    EXPECT_EQ(dw, m_dwCluster) << "a 1-byte file takes a whole cluster";
}

TEST_F(SpaceTest, SkipDirsAtAnyDepthAndEntireTree)
{
    File("TOP.DAT", 10);
    Dir("A");
    Dir("A\\TEMP");
    File("A\\TEMP\\S1.DAT", 1000);
    Dir("A\\B");
    File("A\\B\\IN.DAT", 20);
    Dir("A\\B\\temp");
    File("A\\B\\temp\\S2.DAT", 1000);
    Dir("TEMP");
    File("TEMP\\S3.DAT", 1000);
    DWORD dw = 0;
    EXPECT_TRUE(Check("Path=" + m_dir + "\r\nFiles=*.DAT\r\nSkipDirs=TEMP\r\n", &dw));
    EXPECT_EQ(dw, 30u);
    EXPECT_TRUE(Check("Path=" + m_dir + "\r\nFiles=*.DAT\r\n", &dw));
    EXPECT_EQ(dw, 3030u);
    EXPECT_TRUE(Check("Path=" + m_dir + "\r\nFiles=*.DAT\r\nEntireTree=N\r\n", &dw));
    EXPECT_EQ(dw, 10u);
    /* Two skipped names, one from a macro. */
    fnStrCopy(g_szAskForResponse, "B");
    EXPECT_TRUE(Check("Path=" + m_dir + "\r\nFiles=*.DAT\r\nSkipDirs=TEMP,@A1\r\n", &dw));
    EXPECT_EQ(dw, 10u);
}

TEST_F(SpaceTest, SeveralPatternsAreAdded)
{
    File("A.EXE", 100);
    File("B.DLL", 7);
    File("C.TXT", 1000);
    DWORD dw = 0;
    EXPECT_TRUE(Check("Path=" + m_dir + "\r\nFiles=*.EXE,*.DLL\r\n", &dw));
    EXPECT_EQ(dw, 107u);
    EXPECT_TRUE(Check("Path=" + m_dir + "\r\nFiles=*.NONE,*.EXE\r\n", &dw))
        << "a pattern without a match is not a failure";
    EXPECT_EQ(dw, 100u);
}

TEST_F(SpaceTest, EmptyPathMeasuresZeroAndFails)
{
    Dir("EMPTY");
    DWORD dw = 1234;
    EXPECT_FALSE(Check("Path=" + Path("EMPTY") + "\r\n", &dw));
    EXPECT_EQ(dw, 1234u);
    EXPECT_EQ(fnGetDirSpaceInUse(Path("EMPTY").c_str(), "", "", TRUE, TRUE), 0u);
    EXPECT_EQ(fnGetDirSpaceInUse("", "*.*", "", TRUE, TRUE), 0u);
}

TEST_F(SpaceTest, MissingPathGives1036)
{
    DWORD dw = 0;
    EXPECT_FALSE(Check("Path=" + Path("NOPE") + "\r\n", &dw));
    EXPECT_TRUE(Logged("Message: Directory " + Path("NOPE") + " does not exist. (answer 1)"))
        << Log();
}

TEST_F(SpaceTest, SpaceNeededAloneIsStored)
{
    DWORD dw = 0;
    EXPECT_TRUE(Check("SpaceNeeded=123456\r\n", &dw));
    EXPECT_EQ(dw, 123456u);
    EXPECT_TRUE(Check("SpaceNeeded=99999999999\r\n", &dw));
    EXPECT_EQ(dw, 0xFFFFFFFFu);
    File("M.BIN", 50);
    EXPECT_TRUE(Check("SpaceNeeded=7\r\nPath=" + m_dir + "\r\nFiles=M.BIN\r\n", &dw));
    EXPECT_EQ(dw, 50u) << "a measure replaces SpaceNeeded";
}

TEST_F(SpaceTest, BadLinesFailTheSectionAndUnknownKeysEndIt)
{
    DWORD dw = 5;
    EXPECT_FALSE(Check("Path=\r\n", &dw));
    EXPECT_FALSE(Check("JustAWord\r\n", &dw));
    EXPECT_TRUE(Check("SpaceNeeded=9\r\nOther=1\r\nPath=" + Path("NOPE") + "\r\n", &dw));
    EXPECT_EQ(dw, 9u);
    EXPECT_TRUE(Check("a=b,SpaceNeeded=1\r\nSpaceNeeded=2\r\n", &dw));
    EXPECT_EQ(dw, 2u) << "a line whose test fails is stepped over";
    m_script = "[Other]\r\n";
    EXPECT_TRUE(fnCheckDiskSpace(NULL, &m_script[0], &dw, "[CheckDiskSpace]"));
}

TEST_F(SpaceTest, SumsBeyond32BitsAreCapped)
{
    /* A sparse file of 5 GiB: its size, not its blocks, is summed. */
    HANDLE h = CreateFileA(Path("BIG.BIN").c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    LARGE_INTEGER li;
    li.QuadPart = 5LL << 30;
    EXPECT_TRUE(SetFilePointerEx(h, li, NULL, FILE_BEGIN));
    EXPECT_TRUE(SetEndOfFile(h));
    CloseHandle(h);
    File("SMALL.BIN", 3);
    EXPECT_EQ(fnGetDirSpaceInUse(m_dir.c_str(), "*.BIN", "", FALSE, TRUE), (5ULL << 30) + 3);
    DWORD dw = 0;
    EXPECT_TRUE(Check("Path=" + m_dir + "\r\nFiles=*.BIN\r\n", &dw));
    EXPECT_EQ(dw, 0xFFFFFFFFu);
    /* 4 GiB exactly would wrap to 0 in 32 bits and fail the section. */
    h = CreateFileA(Path("BIG.BIN").c_str(), GENERIC_WRITE, 0, NULL, OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL, NULL);
    li.QuadPart = 4LL << 30;
    EXPECT_TRUE(SetFilePointerEx(h, li, NULL, FILE_BEGIN));
    EXPECT_TRUE(SetEndOfFile(h));
    CloseHandle(h);
    EXPECT_TRUE(Check("Path=" + m_dir + "\r\nFiles=BIG.BIN\r\n", &dw));
    EXPECT_EQ(dw, 0xFFFFFFFFu);
}

TEST(DirsRoundUp, MultiplesOfTheUnit)
{
    EXPECT_EQ(fnRoundUp(1, 4096), 4096u);
    EXPECT_EQ(fnRoundUp(4096, 4096), 4096u);
    EXPECT_EQ(fnRoundUp(4097, 4096), 8192u);
    EXPECT_EQ(fnRoundUp(0, 4096), 0u);
    EXPECT_EQ(fnRoundUp(12345, 0), 0u);
    EXPECT_EQ(fnRoundUp(0xFFFFFFFFull, 512), 0x100000000ull);
}

TEST(DirsDriveName, DrivesAndShares)
{
    char sz[MAX_PATH];
    EXPECT_TRUE(fnGetDriveName("C:\\Program Files\\X", sz, sizeof(sz)));
    EXPECT_STREQ(sz, "C:");
    EXPECT_TRUE(fnGetDriveName("d:", sz, sizeof(sz)));
    EXPECT_STREQ(sz, "d:");
    EXPECT_TRUE(fnGetDriveName("\\\\srv\\share\\dir", sz, sizeof(sz)));
    EXPECT_STREQ(sz, "\\\\srv\\share");
    EXPECT_FALSE(fnGetDriveName("relative\\dir", sz, sizeof(sz)));
    EXPECT_STREQ(sz, "");
}

TEST_F(DirsTest, DispatcherStoresTheMeasureInTheRecord)
{
    UserInputStruct ui;
    fnInitUserInput(NULL, &ui);
    EXPECT_EQ(ui.dwDiskSpaceNeeded, 1u);
    m_script = "[CheckSpaceRequirements]\r\nSpaceNeeded=777\r\n";
    EXPECT_EQ(fnParseInfSection(NULL, &m_script[0], &ui), SECTION_GOON);
    EXPECT_EQ(ui.dwDiskSpaceNeeded, 777u);
    m_script = "[CheckDiskSpace]\r\nPath=" + Path("NOPE") + "\r\n";
    EXPECT_EQ(fnParseInfSection(NULL, &m_script[0], &ui), SECTION_FAILED);
}

/* ---- the free-space test ---- */

DWORD s_dwFakeFree;
UINT s_uFakeCalls;
DWORD FakeDiskSpace(const char *)
{
    s_uFakeCalls++;
    return s_dwFakeFree;
}

class FreeSpaceTest : public DirsTest {
protected:
    void SetUp() override
    {
        DirsTest::SetUp();
        g_pfnGetDiskSpace = FakeDiskSpace;
        s_uFakeCalls = 0;
    }
};

const DWORD MB = 1024 * 1024;

TEST_F(FreeSpaceTest, EnoughOrNothingNeededAsksNothing)
{
    s_dwFakeFree = 10 * MB;
    EXPECT_TRUE(fnTestFreeSpace(NULL, "C:\\X", 0, 0, FALSE));
    EXPECT_EQ(s_uFakeCalls, 0u);
    EXPECT_TRUE(fnTestFreeSpace(NULL, "C:\\X", 10 * MB, 0, TRUE));
    EXPECT_EQ(Log().find("Message:"), std::string::npos);
}

TEST_F(FreeSpaceTest, AboveTheMinimumOffersToGoOn)
{
    s_dwFakeFree = 10 * MB;
    EXPECT_TRUE(fnTestFreeSpace(NULL, "C:\\X", 20 * MB, 5 * MB, FALSE));
    EXPECT_TRUE(Logged("Message: Drive C: contains 10485760 bytes of free disk space. This "
                       "software requires a minimum of 20971520 bytes. Press OK to try to "
                       "install anyway, or press Cancel to select another drive. (answer 1)"))
        << Log();
}

TEST_F(FreeSpaceTest, BelowTheMinimumAsksForAnotherDrive)
{
    s_dwFakeFree = 4 * MB;
    EXPECT_FALSE(fnTestFreeSpace(NULL, "D:\\Y", 20 * MB, 5 * MB, FALSE));
    EXPECT_TRUE(Logged("Message: Drive D: contains 4194304 bytes of free disk space. This "
                       "software requires a minimum of 20971520 bytes. Please select another "
                       "drive. (answer 1)"))
        << Log();
    /* Without a separate minimum there is nothing to accept. */
    s_dwFakeFree = 10 * MB;
    EXPECT_FALSE(fnTestFreeSpace(NULL, "D:\\Y", 20 * MB, 20 * MB, FALSE));
    EXPECT_EQ(Log().find("install anyway"), std::string::npos);
}

TEST_F(FreeSpaceTest, QuietRunTakesOkForAShortWindowsDrive)
{
    s_dwFakeFree = 1000;
    EXPECT_TRUE(fnTestFreeSpace(NULL, "C:\\windows", 5000, 5000, TRUE));
    EXPECT_TRUE(Logged("Message: The Windows drive (C:) has 1000 bytes of free disk space.  A "
                       "minimum of 5000 bytes is required. Press OK to try to install anyway, "
                       "press Cancel to exit. (answer 1)"))
        << Log();
    /* The Windows-drive flag wins over the destination messages. */
    EXPECT_EQ(Log().find("select another"), std::string::npos) << Log();
}

TEST_F(FreeSpaceTest, RealQueryOfTheTestDrive)
{
    g_pfnGetDiskSpace = fnGetDiskSpace;
    EXPECT_TRUE(fnTestFreeSpace(NULL, m_dir.c_str(), 1, 1, FALSE));
    EXPECT_EQ(Log().find("Message:"), std::string::npos);
}

}  // namespace
