/* The command line: every switch, positional arguments, where named and
 * default scripts are found, and the command line of the temporary copy. */
#include "testutil.h"
#include <shellapi.h>

namespace {

struct Parsed {
    int nResult;
    CmdLineStruct cmd;
    SwitchStruct sw;
};

Parsed ParseArgs(const std::vector<std::string> &args)
{
    std::vector<std::string> store = { "SETUP32.EXE" };
    store.insert(store.end(), args.begin(), args.end());
    std::vector<char *> argv;
    for (std::string &s : store)
        argv.push_back(&s[0]);
    argv.push_back(nullptr);
    Parsed p;
    memset(&p.cmd, 0, sizeof(p.cmd));
    memset(&p.sw, 0, sizeof(p.sw));
    p.nResult = fnParseSwitches((int)store.size(), argv.data(), &p.cmd, &p.sw);
    return p;
}

/* The arguments a started program gets from its command line. */
std::vector<std::string> SplitCmdLine(const char *lpszCmdLine)
{
    std::vector<std::string> out;
    WCHAR wsz[4096];
    if (!MultiByteToWideChar(CP_ACP, 0, lpszCmdLine, -1, wsz, 4096))
        return out;
    int n = 0;
    LPWSTR *argv = CommandLineToArgvW(wsz, &n);
    for (int i = 0; argv && i < n; i++) {
        char sz[1024];
        WideCharToMultiByte(CP_ACP, 0, argv[i], -1, sz, sizeof(sz), NULL, NULL);
        out.push_back(sz);
    }
    LocalFree(argv);
    return out;
}

class CmdLineSwitches : public ktest::KestrelTest {};

}  // namespace

TEST_F(CmdLineSwitches, NoArgumentsParseNothing)
{
    CmdLineStruct cmd;
    SwitchStruct sw;
    memset(&cmd, ktest::POISON, sizeof(cmd));
    memset(&sw, ktest::POISON, sizeof(sw));
    char szProg[] = "SETUP32.EXE";
    char *argv[] = { szProg, nullptr };
    EXPECT_EQ(fnParseSwitches(1, argv, &cmd, &sw), CMDLINE_NONE);
    EXPECT_EQ((unsigned char)cmd.szIniFile[0], ktest::POISON);
    EXPECT_EQ(sw.bDebugSet, (BOOL)0xA5A5A5A5);
}

TEST_F(CmdLineSwitches, ValuesAreUpperCasedAndLettersIgnoreCase)
{
    Parsed p = ParseArgs({ "-S=d:\\x", "/D=c:\\dest", "-a=yes", "-C=cmd.ini", "-i=my.inf" });
    ASSERT_EQ(p.nResult, CMDLINE_PARSED);
    EXPECT_STREQ(p.cmd.szSourceDir, "D:\\X");
    EXPECT_STREQ(p.cmd.szDestDir, "C:\\DEST");
    EXPECT_STREQ(p.cmd.szAskFor, "YES");
    EXPECT_STREQ(p.cmd.szCmdFile, "CMD.INI");
    EXPECT_STREQ(p.cmd.szIniFile, "MY.INF");
    EXPECT_EQ(p.sw.uCipherMode, 0u);
    EXPECT_EQ(ParseArgs({ "-s=D:\\X" }).cmd.szSourceDir, std::string("D:\\X"));
    /* The value follows its key wherever the key stands in the argument. */
    EXPECT_STREQ(ParseArgs({ "-dest:d=e:\\y" }).cmd.szDestDir, "E:\\Y");

    p = ParseArgs({ "-N", "/t", "-Q" });
    EXPECT_TRUE(p.cmd.bNoPrompts);
    EXPECT_TRUE(p.cmd.bTempExec);
    EXPECT_TRUE(p.cmd.bBeQuiet);
    EXPECT_TRUE(p.sw.bShowSet);
    EXPECT_EQ(p.sw.uShowVSWin, 0u);
}

TEST_F(CmdLineSwitches, MessageIsKeptAsTyped)
{
    Parsed p = ParseArgs({ "-m=Hello World, d=here" });
    EXPECT_STREQ(p.cmd.szStartupMsg, "Hello World, d=here");
    EXPECT_TRUE(p.cmd.bStartupMsg);
    EXPECT_STREQ(p.cmd.szDestDir, "");
}

TEST_F(CmdLineSwitches, CipherSwitchesNameTheScript)
{
    Parsed p = ParseArgs({ "-e=plain.inf" });
    EXPECT_EQ(p.sw.uCipherMode, 1u);
    EXPECT_STREQ(p.cmd.szIniFile, "PLAIN.INF");
    p = ParseArgs({ "-U=secret.inf" });
    EXPECT_EQ(p.sw.uCipherMode, 2u);
    EXPECT_STREQ(p.cmd.szIniFile, "SECRET.INF");
    /* A switch without its key does nothing. */
    p = ParseArgs({ "-e", "-s", "-w" });
    EXPECT_EQ(p.sw.uCipherMode, 0u);
    EXPECT_STREQ(p.cmd.szIniFile, "");
    EXPECT_STREQ(p.cmd.szSourceDir, "");
    EXPECT_FALSE(p.sw.bShowSet);
}

TEST_F(CmdLineSwitches, NumbersAreReadFromTheirDigits)
{
    struct {
        const char *lpszArg;
        BOOL bDebugSet;
        UINT uDebug;
        BOOL bShowSet;
        UINT uShow;
    } const aCases[] = {
        { "-v", TRUE, 1, FALSE, 0 },      { "-v3", TRUE, 1, FALSE, 0 },
        { "-v=3", TRUE, 3, FALSE, 0 },    { "-V=x3y", TRUE, 3, FALSE, 0 },
        { "-v=12", TRUE, 12, FALSE, 0 },  { "-w=2", FALSE, 0, TRUE, 2 },
        { "/W=a0", FALSE, 0, TRUE, 0 },
    };
    for (const auto &c : aCases) {
        SCOPED_TRACE(c.lpszArg);
        Parsed p = ParseArgs({ c.lpszArg });
        EXPECT_EQ(p.sw.bDebugSet, c.bDebugSet);
        EXPECT_EQ(p.sw.uDebug, c.uDebug);
        EXPECT_EQ(p.sw.bShowSet, c.bShowSet);
        EXPECT_EQ(p.sw.uShowVSWin, c.uShow);
    }
}

TEST_F(CmdLineSwitches, SwitchBeatsItsPositionalWhereverItStands)
{
    Parsed p = ParseArgs({ "A.INF", "src", "dst", "-d=x" });
    EXPECT_STREQ(p.cmd.szIniFile, "A.INF");
    EXPECT_STREQ(p.cmd.szSourceDir, "SRC");
    EXPECT_STREQ(p.cmd.szDestDir, "X");
    /* Switches count as places: "src" is the third argument here. */
    p = ParseArgs({ "-d=x", "a.inf", "src", "dst" });
    EXPECT_STREQ(p.cmd.szIniFile, "");
    EXPECT_STREQ(p.cmd.szSourceDir, "A.INF");
    EXPECT_STREQ(p.cmd.szDestDir, "X");
    EXPECT_TRUE(p.cmd.bTempExec);
    p = ParseArgs({ "a.inf", "src", "-i=b.inf", "-s=t" });
    EXPECT_STREQ(p.cmd.szIniFile, "B.INF");
    EXPECT_STREQ(p.cmd.szSourceDir, "T");
}

TEST_F(CmdLineSwitches, PlacesFourToSix)
{
    Parsed p = ParseArgs({ "a.inf", "s", "d", "any", "word", "Hello There", "ignored" });
    EXPECT_STREQ(p.cmd.szDestDir, "D");
    EXPECT_TRUE(p.cmd.bTempExec);
    EXPECT_TRUE(p.cmd.bBeQuiet);
    EXPECT_STREQ(p.cmd.szStartupMsg, "Hello There");
    EXPECT_TRUE(p.cmd.bStartupMsg);
    p = ParseArgs({ "-m=First", "s", "d", "any", "word", "Second" });
    EXPECT_STREQ(p.cmd.szStartupMsg, "First");
    EXPECT_STREQ(p.cmd.szSourceDir, "S");
    p = ParseArgs({ "a.inf", "s", "d" });
    EXPECT_FALSE(p.cmd.bTempExec);
    EXPECT_FALSE(p.cmd.bBeQuiet);
    EXPECT_FALSE(p.cmd.bStartupMsg);
}

TEST_F(CmdLineSwitches, UsageStopsTheParse)
{
    EXPECT_EQ(ParseArgs({ "-?" }).nResult, CMDLINE_USAGE);
    Parsed p = ParseArgs({ "-d=x", "/?", "-s=y", "a.inf" });
    EXPECT_EQ(p.nResult, CMDLINE_USAGE);
    EXPECT_STREQ(p.cmd.szDestDir, "X");
    EXPECT_STREQ(p.cmd.szSourceDir, "");
    p = ParseArgs({ "-z=unknown", "-x" });
    EXPECT_EQ(p.nResult, CMDLINE_PARSED);
    EXPECT_STREQ(p.cmd.szIniFile, "");
}

class CmdLineFiles : public ktest::TempDirTest {};

TEST_F(CmdLineFiles, NamedFileAsGivenThenSourceThenHome)
{
    std::string src = Path("src"), home = Path("home");
    ASSERT_TRUE(CreateDirectoryA(src.c_str(), NULL));
    ASSERT_TRUE(CreateDirectoryA(home.c_str(), NULL));
    ASSERT_TRUE(ktest::WriteFileText(src + "\\A.INF", "a"));
    ASSERT_TRUE(ktest::WriteFileText(home + "\\A.INF", "a"));
    ASSERT_TRUE(ktest::WriteFileText(home + "\\B.INF", "b"));
    char sz[KSTL8_PATH + 8];
    ktest::Poison(sz);
    EXPECT_TRUE(fnResolveNamedFile((home + "\\B.INF").c_str(), src.c_str(), home.c_str(), sz,
                                   KSTL8_PATH));
    EXPECT_BOUNDED(sz, (home + "\\B.INF").c_str());
    EXPECT_TRUE(fnResolveNamedFile("A.INF", src.c_str(), home.c_str(), sz, KSTL8_PATH));
    EXPECT_STREQ(sz, (src + "\\A.INF").c_str());
    /* Only the file name is looked for in the home directory. */
    EXPECT_TRUE(fnResolveNamedFile("X\\B.INF", src.c_str(), home.c_str(), sz, KSTL8_PATH));
    EXPECT_STREQ(sz, (home + "\\B.INF").c_str());
    EXPECT_FALSE(fnResolveNamedFile("C.INF", src.c_str(), home.c_str(), sz, KSTL8_PATH));
    EXPECT_FALSE(fnResolveNamedFile("", src.c_str(), home.c_str(), sz, KSTL8_PATH));
    /* A name found in the current directory comes back as a full path. */
    char szOldDir[MAX_PATH];
    GetCurrentDirectoryA(sizeof(szOldDir), szOldDir);
    ASSERT_TRUE(SetCurrentDirectoryA(home.c_str()));
    BOOL bFound = fnResolveNamedFile("B.INF", src.c_str(), "C:\\NOWHERE", sz, KSTL8_PATH);
    SetCurrentDirectoryA(szOldDir);
    EXPECT_TRUE(bFound);
    EXPECT_STREQ(sz, (home + "\\B.INF").c_str());
}

TEST_F(CmdLineFiles, DefaultScriptsInTheirOrder)
{
    const char *const apszOrder[] = { "SETUP32.INF", "SETUP.BNF", "SETUP_0.INF",
                                      "HCSETUP.INF", "SETUP.RNF", "SETUP.INF" };
    char sz[KSTL8_PATH];
    ASSERT_TRUE(ktest::WriteFileText(Path("KESTREL8.INF"), "k"));
    EXPECT_FALSE(fnSearchDefaultScripts(m_dir.c_str(), sz, sizeof(sz)));
    /* A directory of a listed name is no script. */
    ASSERT_TRUE(CreateDirectoryA(Path("SETUP32.INF").c_str(), NULL));
    EXPECT_FALSE(fnSearchDefaultScripts(m_dir.c_str(), sz, sizeof(sz)));
    ASSERT_TRUE(RemoveDirectoryA(Path("SETUP32.INF").c_str()));
    for (const char *lpszName : apszOrder)
        ASSERT_TRUE(ktest::WriteFileText(Path(lpszName), lpszName));
    for (const char *lpszName : apszOrder) {
        SCOPED_TRACE(lpszName);
        ktest::Poison(sz);
        EXPECT_TRUE(fnSearchDefaultScripts(m_dir.c_str(), sz, sizeof(sz)));
        EXPECT_BOUNDED(sz, Path(lpszName).c_str());
        ASSERT_TRUE(DeleteFileA(Path(lpszName).c_str()));
    }
    EXPECT_FALSE(fnSearchDefaultScripts(m_dir.c_str(), sz, sizeof(sz)));
}

class LoaderCmdLine : public ktest::KestrelTest {
protected:
    void SetUp() override
    {
        ktest::KestrelTest::SetUp();
        fnStrCopy(g_szIniFile, "C:\\My Setup\\setup.inf");
        fnStrCopy(g_szHomeDir, "K:\\");
        fnStrCopy(g_szDestDir, "C:\\Program Files\\App");
        g_bQuiet = FALSE;
        g_bNoPrompts = FALSE;
        g_szAskForResponse[0] = '\0';
        g_bMessage = FALSE;
        g_uDebug = 0;
        g_uShowVSWin = 1;
    }
};

TEST_F(LoaderCmdLine, CopyGetsEverySettingBack)
{
    g_bQuiet = TRUE;
    g_bNoPrompts = TRUE;
    fnStrCopy(g_szAskForResponse, "YES PLEASE");
    g_bMessage = TRUE;
    fnStrCopy(g_szStartupMsg, "Say \"hi\" now");
    g_uDebug = 3;
    g_uShowVSWin = 0;
    char sz[2048];
    ktest::Poison(sz);
    ASSERT_TRUE(fnBuildLoaderCmdLine("C:\\Temp Dir\\_KSTL8_.EXE", sz, sizeof(sz)));
    std::vector<std::string> want = { "C:\\Temp Dir\\_KSTL8_.EXE", "C:\\My Setup\\setup.inf",
                                      "K:\\", "C:\\Program Files\\App", "-t", "-q", "-n",
                                      "-a=YES PLEASE", "-m=Say 'hi' now", "-v=3", "-w=0" };
    std::vector<std::string> args = SplitCmdLine(sz);
    EXPECT_EQ(args, want) << sz;
    /* What the copy makes of it. */
    ASSERT_FALSE(args.empty());
    Parsed p = ParseArgs(std::vector<std::string>(args.begin() + 1, args.end()));
    ASSERT_EQ(p.nResult, CMDLINE_PARSED);
    EXPECT_STREQ(p.cmd.szIniFile, "C:\\MY SETUP\\SETUP.INF");
    EXPECT_STREQ(p.cmd.szSourceDir, "K:\\");
    EXPECT_STREQ(p.cmd.szDestDir, "C:\\PROGRAM FILES\\APP");
    EXPECT_TRUE(p.cmd.bTempExec);
    EXPECT_TRUE(p.cmd.bBeQuiet);
    EXPECT_TRUE(p.cmd.bNoPrompts);
    EXPECT_STREQ(p.cmd.szAskFor, "YES PLEASE");
    EXPECT_STREQ(p.cmd.szStartupMsg, "Say 'hi' now");
    EXPECT_EQ(p.sw.uDebug, 3u);
    EXPECT_TRUE(p.sw.bShowSet);
    EXPECT_EQ(p.sw.uShowVSWin, 0u);
}

TEST_F(LoaderCmdLine, EmptyDestinationKeepsItsPlace)
{
    g_szDestDir[0] = '\0';
    char sz[2048];
    ASSERT_TRUE(fnBuildLoaderCmdLine("C:\\T\\_KSTL8_.EXE", sz, sizeof(sz)));
    std::vector<std::string> want = { "C:\\T\\_KSTL8_.EXE", "C:\\My Setup\\setup.inf", "K:\\",
                                      "", "-t", "-w=1" };
    EXPECT_EQ(SplitCmdLine(sz), want) << sz;
}

TEST_F(LoaderCmdLine, ShortBufferIsRefused)
{
    char sz[64];
    ktest::Poison(sz);
    EXPECT_FALSE(fnBuildLoaderCmdLine("C:\\T\\_KSTL8_.EXE", sz, 40));
    EXPECT_EQ(strnlen(sz, sizeof(sz)), 39u);
    for (size_t i = 40; i < sizeof(sz); i++)
        EXPECT_EQ((unsigned char)sz[i], ktest::POISON) << i;
}
