/* [IniEdits] lines through the real profile functions, the backups of
 * each method, NOMOD, the line rules and the install-log records. */
#include "testutil.h"
#include "config/config.h"
#include "install/install.h"
#include "script/macro.h"
#include "script/macroint.h"
#include <string>

using ktest::TempDirTest;

namespace {

class IniSectionTest : public TempDirTest {
protected:
    std::string m_log;

    void SetUp() override
    {
        TempDirTest::SetUp();
        m_saved.Keep(g_szDate);
        m_saved.Keep(g_szTime);
        m_saved.Keep(g_szExpandDelims);
        m_saved.Keep(g_szAskForResponses);
        fnStrCopy(g_szTmpPath, m_dir.c_str());
        fnStrCopy(g_szWinDir, m_dir.c_str());
        fnStrCopy(g_szDate, "20240131");
        fnStrCopy(g_szTime, "235958");
        g_uBackUpMethod = BACKUP_ORIEXT;
        m_log = Path("edit.log");
        fnStrCopy(g_szLogFile, m_log.c_str());
        g_bLogWanted = TRUE;
        fnResetConfigBackups();
    }
    void TearDown() override
    {
        fnResetConfigBackups();
        TempDirTest::TearDown();
    }
    /* Run the lines as an [IniEdits] section; TRUE when it ran to its end. */
    BOOL Run(const std::string &lines)
    {
        std::vector<char> buf(lines.begin(), lines.end());
        buf.push_back('\0');
        return fnReadIniEdits(NULL, buf.data());
    }
    std::string Profile(const std::string &file, const char *lpszSection, const char *lpszKey)
    {
        char szValue[1024];
        GetPrivateProfileStringA(lpszSection, lpszKey, "<none>", szValue, sizeof(szValue),
                                 file.c_str());
        return szValue;
    }
    /* The entries of a section, one per line. */
    std::string Section(const std::string &file, const char *lpszSection)
    {
        char szBuf[8192];
        DWORD cch = GetPrivateProfileSectionA(lpszSection, szBuf, sizeof(szBuf), file.c_str());
        std::string out;
        for (char *p = szBuf; p < szBuf + cch && *p; p += strlen(p) + 1)
            out += std::string(p) + "\n";
        return out;
    }
    std::string Log() { return ktest::ReadFileText(m_log); }
};

TEST_F(IniSectionTest, ProfileEditsReadBack)
{
    std::string f = Path("app.ini");
    ASSERT_TRUE(ktest::WriteFileText(f, "[Boot]\r\nShell=OLD.EXE\r\nKeep=1\r\n[Gone]\r\nx=1\r\n"));
    EXPECT_TRUE(Run(f + ", Boot, Shell, NEW.EXE\r\n" +
                    f + ", Boot, Keep, 2, S\r\n" +
                    f + ", Boot, Fresh, 3, S\r\n" +
                    f + ", Boot, Keep, , D\r\n" +
                    f + ", Gone, , , D\r\n"));
    EXPECT_EQ(Profile(f, "Boot", "Shell"), "NEW.EXE");
    EXPECT_EQ(Profile(f, "Boot", "Fresh"), "3");
    EXPECT_EQ(Profile(f, "Boot", "Keep"), "<none>");
    /* The removed section does not come back with an empty key line. */
    EXPECT_EQ(Section(f, "Gone"), "");
    EXPECT_EQ(ktest::ReadFileText(f).find("[Gone]"), std::string::npos);
    std::string log = Log();
    EXPECT_NE(log.find(f + ", \"Boot\", \"Shell\", \"OLD.EXE\", \"NEW.EXE\", I\r\n"),
              std::string::npos) << log;
    EXPECT_NE(log.find(f + ", \"Boot\", \"Keep\", \"1\", \"\", I\r\n"), std::string::npos);
    /* S on a set key logs nothing. */
    EXPECT_EQ(log.find("\"Keep\", \"1\", \"2\""), std::string::npos);
}

TEST_F(IniSectionTest, ProfileListOptionGKeepsLongSections)
{
    std::string f = Path("list.ini");
    std::string body = "[drivers]\r\n";
    for (int i = 0; i < 40; i++)
        body += "driver" + std::to_string(i) + ".drv\r\n";   /* far over 128 bytes */
    ASSERT_TRUE(ktest::WriteFileText(f, body));
    EXPECT_TRUE(Run(f + ", drivers, NEW.DRV, , N, I, G\r\n" +
                    f + ", drivers, driver3.drv, , N, I, g\r\n" +
                    f + ", drivers, driver7.drv, , D, I, G\r\n" +
                    f + ", empty, solo, 1, N, I, G\r\n"));
    std::string want;
    for (int i = 0; i < 40; i++)
        if (i != 7)
            want += "driver" + std::to_string(i) + ".drv\n";
    want += "NEW.DRV\n";
    EXPECT_EQ(Section(f, "drivers"), want) << ktest::ReadFileText(f);
    EXPECT_EQ(Section(f, "empty"), "solo=1\n");
}

TEST_F(IniSectionTest, BareNameGoesToTheWindowsDirectoryAndIsBackedUp)
{
    std::string f = Path("BARE.INI");
    ASSERT_TRUE(ktest::WriteFileText(f, "[S]\r\nk=old\r\n"));
    EXPECT_TRUE(Run("BARE.INI, S, k, new\r\n"));
    EXPECT_EQ(Profile(f, "S", "k"), "new");
    EXPECT_FILE_TEXT(Path("BARE.ORI"), "[S]\r\nk=old\r\n");
}

TEST_F(IniSectionTest, TextEditThroughTheSectionKeepsOtherLines)
{
    std::string f = Path("sub\\new\\x.ini");
    /* The directory is made and a missing file is created. */
    EXPECT_TRUE(Run(f + ", Boot, Shell, NEW.EXE, N, W\r\n" +
                    f + ", [Boot], Shell, \"A=B,C\", N, W\r\n"));
    EXPECT_FILE_TEXT(f, "[Boot]\r\nShell=A=B,C\r\n");
    /* No temporary file is left behind in the temporary directory. */
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA(Path("_*.tmp").c_str(), &fd);
    EXPECT_EQ(h, INVALID_HANDLE_VALUE);
    if (h != INVALID_HANDLE_VALUE)
        FindClose(h);
}

TEST_F(IniSectionTest, BackslashDoublingAndConditions)
{
    std::string f = Path("c.ini");
    ASSERT_TRUE(ktest::WriteFileText(f, "[S]\r\n"));
    fnStrCopy(g_szAskForResponse, "yes");
    EXPECT_TRUE(Run(f + ", [S], dir, C:\\APP\\BIN, N, W\\\r\n" +
                    "@A1=yes, " + f + ", [S], when, 1, N, W\r\n" +
                    "@A1=no, " + f + ", [S], never, 1, N, W\r\n" +
                    "@A1=~no, " + f + ", [S], unless, 1, N, W\r\n"));
    EXPECT_FILE_TEXT(f, "[S]\r\ndir=C:\\\\APP\\\\BIN\r\nwhen=1\r\nunless=1\r\n");
}

TEST_F(IniSectionTest, ExpandDelimsLineSetsTheDelimiters)
{
    EXPECT_TRUE(Run("ExpandDelims=\";|\"\r\n"));
    EXPECT_STREQ(g_szExpandDelims, ";|");
}

TEST_F(IniSectionTest, BadLinesAreRefusedAndNothingIsWritten)
{
    std::string f = Path("bad.ini");
    ASSERT_TRUE(ktest::WriteFileText(f, "[S]\r\na=1\r\nb=2\r\n"));
    std::string longText(300, 'x');
    /* A value whose expansion would be cut, a removal whose key came from
       an empty macro, and a line without a file: each refused; the quiet
       answer goes on with the next line. */
    EXPECT_TRUE(Run(f + ", [S], a, \"" + longText + "@A1\", N, W\r\n" +
                    f + ", [S], @A9, , D, W\r\n" +
                    f + ", [S], @A9, , D, I\r\n" +
                    ", [S], a, 9, N, W\r\n" +
                    f + ", [S], " + std::string(80, 'k') + ", 1, N, W\r\n" +
                    f + ", [S], c, 3, N, W\r\n"));
    EXPECT_FILE_TEXT(f, "[S]\r\na=1\r\nb=2\r\nc=3\r\n");
    /* A value over 259 characters without a macro is written whole. */
    EXPECT_TRUE(Run(f + ", [S], d, " + longText + ", N, W\r\n"));
    EXPECT_NE(ktest::ReadFileText(f).find("d=" + longText + "\r\n"), std::string::npos);
}

TEST_F(IniSectionTest, ReadOnlyFileIsMadeWritableAndKeepsItsAttribute)
{
    std::string f = Path("ro.ini");
    ASSERT_TRUE(ktest::WriteFileText(f, "[S]\r\nk=1\r\n"));
    ASSERT_TRUE(SetFileAttributesA(f.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(Run(f + ", [S], k, 2, N, W\r\n" + f + ", S, j, 3\r\n"));
    EXPECT_FILE_TEXT(f, "[S]\r\nk=2\r\nj=3\r\n");
    EXPECT_TRUE(GetFileAttributesA(f.c_str()) & FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(f.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(IniSectionTest, FileOpenWithoutWriteSharingStopsTheSectionQuietly)
{
    std::string f = Path("busy.ini");
    std::string g = Path("other.ini");
    ASSERT_TRUE(ktest::WriteFileText(f, "[S]\r\nk=1\r\n"));
    HANDLE h = CreateFileA(f.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, NULL,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    /* Question 1147 takes its default, Abort: the later line is not run. */
    EXPECT_FALSE(Run(f + ", [S], k, 2, N, W\r\n" + g + ", [S], k, 2, N, W\r\n"));
    CloseHandle(h);
    EXPECT_FILE_TEXT(f, "[S]\r\nk=1\r\n");
    EXPECT_FALSE(ktest::Exists(g));
    EXPECT_NE(Log().find("is write protected"), std::string::npos) << Log();
}

/* ---- backups ---- */

TEST_F(IniSectionTest, BackupNamesAndContentsPerMethod)
{
    struct {
        UINT uMethod;
        const char *lpszCopy;
    } aCases[] = {
        { BACKUP_ORIEXT, "m.ORI" },
        { BACKUP_PROMPT, "m.ORI" },
        { BACKUP_TIME, "235958\\m.ini" },
        { BACKUP_DATE, "20240131\\m.ini" },
        { BACKUP_DATETIME, "20240131\\235958\\m.ini" },
    };
    for (const auto &c : aCases) {
        SCOPED_TRACE(c.lpszCopy);
        fnResetConfigBackups();
        g_uBackUpMethod = c.uMethod;
        std::string f = Path("m.ini");
        ASSERT_TRUE(ktest::WriteFileText(f, "[S]\r\nk=orig\r\n"));
        /* The copy keeps the original's time. */
        FILETIME ft = { 0x12345600, 0x01d00000 };
        HANDLE h = CreateFileA(f.c_str(), FILE_WRITE_ATTRIBUTES, 0, NULL, OPEN_EXISTING, 0, NULL);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        SetFileTime(h, NULL, NULL, &ft);
        CloseHandle(h);
        EXPECT_TRUE(Run(f + ", [S], k, one, N, W\r\n" + f + ", S, k, two\r\n"));
        EXPECT_EQ(Profile(f, "S", "k"), "two");
        EXPECT_FILE_TEXT(Path(c.lpszCopy), "[S]\r\nk=orig\r\n");
        WIN32_FIND_DATAA fd;
        HANDLE hFind = FindFirstFileA(Path(c.lpszCopy).c_str(), &fd);
        ASSERT_NE(hFind, INVALID_HANDLE_VALUE);
        FindClose(hFind);
        EXPECT_EQ(fd.ftLastWriteTime.dwLowDateTime, ft.dwLowDateTime);
        EXPECT_EQ(fd.ftLastWriteTime.dwHighDateTime, ft.dwHighDateTime);
        DeleteFileA(Path(c.lpszCopy).c_str());
    }
}

TEST_F(IniSectionTest, UniqueBackupTakesAFreeName)
{
    g_uBackUpMethod = BACKUP_UNIQUE;
    std::string f = Path("u.ini");
    ASSERT_TRUE(ktest::WriteFileText(f, "orig\r\n"));
    EXPECT_TRUE(Run(f + ", , x, , N, C\r\n"));
    EXPECT_FILE_TEXT(Path("u.{00}.SAV.ini"), "orig\r\n");
    EXPECT_FILE_TEXT(f, "orig\r\nx\r\n");
}

TEST_F(IniSectionTest, EachFileIsBackedUpOncePerRun)
{
    std::string a = Path("A.INI"), b = Path("B.INI"), bat = Path("A.BAT");
    ASSERT_TRUE(ktest::WriteFileText(a, "[S]\r\nv=a0\r\n"));
    ASSERT_TRUE(ktest::WriteFileText(b, "[S]\r\nv=b0\r\n"));
    ASSERT_TRUE(ktest::WriteFileText(bat, "REM bat\r\n"));
    /* A, B, A: the second visit of A must not replace A.ORI by an edited A. */
    EXPECT_TRUE(Run(a + ", S, v, a1\r\n" + b + ", S, v, b1\r\n" + a + ", S, v, a2\r\n"));
    EXPECT_TRUE(Run(a + ", S, v, a3\r\n"));
    EXPECT_FILE_TEXT(Path("A.ORI"), "[S]\r\nv=a0\r\n");
    EXPECT_FILE_TEXT(Path("B.ORI"), "[S]\r\nv=b0\r\n");
    EXPECT_EQ(Profile(a, "S", "v"), "a3");
    /* A.BAT would also give A.ORI: it gets a name of its own. */
    EXPECT_TRUE(Run(bat + ", , ECHO, ECHO hi, N, C\r\n"));
    EXPECT_FILE_TEXT(Path("A.ORI"), "[S]\r\nv=a0\r\n");
    EXPECT_FILE_TEXT(Path("A.{00}.SAV.BAT"), "REM bat\r\n");
    /* The same name in two directories: both are backed up. */
    CreateDirectoryA(Path("x").c_str(), NULL);
    CreateDirectoryA(Path("y").c_str(), NULL);
    ASSERT_TRUE(ktest::WriteFileText(Path("x\\APP.INI"), "[S]\r\nv=x\r\n"));
    ASSERT_TRUE(ktest::WriteFileText(Path("y\\APP.INI"), "[S]\r\nv=y\r\n"));
    EXPECT_TRUE(Run(Path("x\\APP.INI") + ", S, v, 1\r\n" + Path("y\\APP.INI") + ", S, v, 1\r\n"));
    EXPECT_FILE_TEXT(Path("x\\APP.ORI"), "[S]\r\nv=x\r\n");
    EXPECT_FILE_TEXT(Path("y\\APP.ORI"), "[S]\r\nv=y\r\n");
}

TEST_F(IniSectionTest, NomodLeavesTheOriginalUntouched)
{
    g_uBackUpMethod = BACKUP_NOMOD;
    std::string a = Path("N.INI"), b = Path("O.INI"), missing = Path("NEW.INI");
    ASSERT_TRUE(ktest::WriteFileText(a, "[S]\r\nv=0\r\n"));
    ASSERT_TRUE(ktest::WriteFileText(b, "[S]\r\nw=0\r\n"));
    EXPECT_TRUE(Run(a + ", S, v, 1\r\n" + b + ", [S], w, 1, N, W\r\n" + a + ", [S], x, 2, N, W\r\n" +
                    missing + ", S, k, 1\r\n"));
    EXPECT_FILE_TEXT(a, "[S]\r\nv=0\r\n");
    EXPECT_FILE_TEXT(b, "[S]\r\nw=0\r\n");
    /* Every edit of a file goes to its own .MOD, the later one too. */
    EXPECT_EQ(Profile(Path("N.MOD"), "S", "v"), "1");
    EXPECT_EQ(Profile(Path("N.MOD"), "S", "x"), "2");
    EXPECT_EQ(Profile(Path("O.MOD"), "S", "w"), "1");
    EXPECT_EQ(Profile(Path("O.MOD"), "S", "x"), "<none>");
    /* A file that did not exist is not created; its edit goes to a .MOD. */
    EXPECT_FALSE(ktest::Exists(missing));
    EXPECT_EQ(Profile(Path("NEW.MOD"), "S", "k"), "1");
}

TEST_F(IniSectionTest, DatedBackupDirectoryThatCannotBeMadeStopsTheSection)
{
    g_uBackUpMethod = BACKUP_DATE;
    std::string f = Path("d.ini");
    ASSERT_TRUE(ktest::WriteFileText(f, "[S]\r\nk=1\r\n"));
    /* A file where the directory should be. */
    ASSERT_TRUE(ktest::WriteFileText(Path("20240131"), "in the way"));
    EXPECT_FALSE(Run(f + ", S, k, 2\r\n"));
    EXPECT_EQ(Profile(f, "S", "k"), "1");
}

}  // namespace

namespace {

/* Why option G edits its section as text: Wine's section writer drops
   every entry without "=".  This fails once Wine keeps them, and the
   profile writer can then be used again. */
TEST_F(IniSectionTest, WineSectionWriterDropsPlainEntries)
{
    std::string f = Path("plain.ini");
    ASSERT_TRUE(WritePrivateProfileSectionA("list", "plain.drv\0key=1\0", f.c_str()));
    EXPECT_EQ(Section(f, "list"), "key=1\n") << "Wine now writes plain entries";
}

}  // namespace
