/* Path strings and names: quotes, joining, splitting (drive letters, UNC
 * roots, no directory), qualified paths, expanded names of real SZDD
 * files and cabinets, numbered short names and the source-file search. */
#include "testutil.h"
#include "install/install.h"
#include <lzexpand.h>

namespace {

struct SplitParts {
    char szDrive[KSTL8_PATH], szDir[KSTL8_PATH], szBase[KSTL8_PATH];
    char szExt[KSTL8_PATH], szFile[KSTL8_PATH], szDirDrive[KSTL8_PATH];
    BOOL bRC;
};

SplitParts Split(const char *lpszPath)
{
    SplitParts p;
    memset(&p, ktest::POISON, sizeof(p));
    char szPath[KSTL8_PATH];
    fnStrCopy(szPath, lpszPath);
    p.bRC = fnSplitPath(szPath, p.szDrive, p.szDir, p.szBase, p.szExt, p.szFile, p.szDirDrive);
    return p;
}

std::string Stripped(const char *lpsz)
{
    char sz[64];
    fnStrCopy(sz, lpsz);
    return fnStripQuotes(sz);
}

}  // namespace

TEST(PathStrings, QuotesOfTheOpeningKindAreCut)
{
    EXPECT_EQ(Stripped("\"C:\\A B\\F.TXT\""), "C:\\A B\\F.TXT");
    EXPECT_EQ(Stripped("'C:\\X'"), "C:\\X");
    EXPECT_EQ(Stripped("\"'both'\""), "both");
    /* A closing quote of the other kind is stepped over and kept. */
    EXPECT_EQ(Stripped("\"it'\""), "it'");
    EXPECT_EQ(Stripped("\"x'"), "x'");
    EXPECT_EQ(Stripped("plain\""), "plain\"");
    EXPECT_EQ(Stripped("\"\""), "");
    EXPECT_EQ(Stripped(""), "");
}

TEST(PathStrings, SplitDriveLetterPath)
{
    SplitParts p = Split("C:\\DIR\\SUB\\FILE.TAR.GZ");
    EXPECT_TRUE(p.bRC);
    EXPECT_BOUNDED(p.szDrive, "C:");
    EXPECT_BOUNDED(p.szDirDrive, "C:\\DIR\\SUB");
    EXPECT_BOUNDED(p.szDir, "\\DIR\\SUB");
    EXPECT_BOUNDED(p.szFile, "FILE.TAR.GZ");
    EXPECT_BOUNDED(p.szBase, "FILE");
    EXPECT_BOUNDED(p.szExt, "GZ");

    p = Split("\"C:\\FILE\"");
    EXPECT_BOUNDED(p.szDirDrive, "C:\\");
    EXPECT_BOUNDED(p.szFile, "FILE");
    EXPECT_FALSE(p.bRC);  /* no extension */
    p = Split("C:FILE.X");
    EXPECT_BOUNDED(p.szDirDrive, "C:");
    EXPECT_BOUNDED(p.szFile, "FILE.X");
    p = Split("C:\\HOME\\.PROFILE");
    EXPECT_BOUNDED(p.szBase, ".PROFILE");
    EXPECT_BOUNDED(p.szExt, "");
    p = Split("D:/A/README.TXT.BAK");
    EXPECT_BOUNDED(p.szBase, "README");
    EXPECT_BOUNDED(p.szExt, "BAK");
    EXPECT_BOUNDED(p.szDir, "/A");
}

TEST(PathStrings, SplitUncPath)
{
    SplitParts p = Split("\\\\SRV\\SHARE\\F.TXT");
    EXPECT_FALSE(p.bRC);
    EXPECT_BOUNDED(p.szDrive, "\\\\SRV\\SHARE");
    EXPECT_BOUNDED(p.szDirDrive, "\\\\SRV\\SHARE\\");
    EXPECT_BOUNDED(p.szDir, "");
    EXPECT_BOUNDED(p.szFile, "F.TXT");

    p = Split("\\\\SRV\\SHARE\\DIR\\F.TXT");
    EXPECT_TRUE(p.bRC);
    EXPECT_BOUNDED(p.szDir, "\\DIR");
    EXPECT_BOUNDED(p.szDirDrive, "\\\\SRV\\SHARE\\DIR");
    /* A server without a share has no drive. */
    char szDrive[KSTL8_PATH], szPath[KSTL8_PATH] = "\\\\SRV\\F.TXT";
    EXPECT_FALSE(fnSplitPath(szPath, szDrive, NULL, NULL, NULL, NULL, NULL));
    EXPECT_STREQ(szDrive, "");
}

TEST(PathStrings, SplitBareName)
{
    SplitParts p = Split("FILE");
    EXPECT_FALSE(p.bRC);
    EXPECT_BOUNDED(p.szDrive, "");
    EXPECT_BOUNDED(p.szExt, "");
    EXPECT_BOUNDED(p.szDir, "");
    EXPECT_BOUNDED(p.szDirDrive, "");
    EXPECT_BOUNDED(p.szBase, "FILE");
    EXPECT_BOUNDED(p.szFile, "FILE");
    /* Only the parts asked for decide the result. */
    char szPath[KSTL8_PATH] = "FILE", szFile[KSTL8_PATH];
    EXPECT_TRUE(fnSplitPath(szPath, NULL, NULL, NULL, NULL, szFile, NULL));
}

TEST(PathStrings, JoinKeepsOneBackslashAndRefusesLongResults)
{
    char sz[KSTL8_PATH + 8];
    ktest::Poison(sz);
    EXPECT_TRUE(fnMakePath("C:\\", "\\X.DLL", sz, KSTL8_PATH));
    EXPECT_BOUNDED(sz, "C:\\X.DLL");
    EXPECT_TRUE(fnMakePath("", "X", sz, KSTL8_PATH));
    EXPECT_STREQ(sz, "X");
    EXPECT_TRUE(fnMakePath("C:\\D", "", sz, KSTL8_PATH));
    EXPECT_STREQ(sz, "C:\\D");
    EXPECT_TRUE(fnMakePath("\"C:\\A B\"", "'F.TXT'", sz, KSTL8_PATH));
    EXPECT_STREQ(sz, "C:\\A B\\F.TXT");

    /* 259 characters fit, 260 do not: the output is then empty. */
    std::string dir = "C:\\" + std::string(250, 'd');
    ktest::Poison(sz);
    EXPECT_TRUE(fnMakePath(dir.c_str(), "12345", sz, KSTL8_PATH));
    EXPECT_BOUNDED(sz, (dir + "\\12345").c_str());
    ktest::Poison(sz);
    EXPECT_FALSE(fnMakePath(dir.c_str(), "123456", sz, KSTL8_PATH));
    EXPECT_EQ(sz[0], '\0');
}

TEST(PathStrings, AddExtension)
{
    char sz[KSTL8_PATH];
    EXPECT_TRUE(fnAddExtension(sz, sizeof(sz), "README", ".TXT"));
    EXPECT_STREQ(sz, "README.TXT");
    EXPECT_TRUE(fnAddExtension(sz, sizeof(sz), "README.", "TXT"));
    EXPECT_STREQ(sz, "README.TXT");
    EXPECT_TRUE(fnAddExtension(sz, sizeof(sz), "README", ""));
    EXPECT_STREQ(sz, "README.");
    fnStrCopy(sz, "kept");
    EXPECT_FALSE(fnAddExtension(sz, sizeof(sz), "", "TXT"));
    EXPECT_STREQ(sz, "kept");
    char szSmall[8];
    EXPECT_FALSE(fnAddExtension(szSmall, sizeof(szSmall), "README", "TXT"));
    EXPECT_STREQ(szSmall, "");
}

TEST(PathStrings, QualifiedAndFullPaths)
{
    struct { const char *lpsz; BOOL bQualified, bFull; } cases[] = {
        { "C:\\X", TRUE, TRUE },      { "c:X", TRUE, TRUE },       { "\\\\S\\H", TRUE, TRUE },
        { "//S/H", TRUE, FALSE },     { "\\/S", TRUE, FALSE },     { ".\\X", TRUE, FALSE },
        { "./X", TRUE, FALSE },       { "..\\X", TRUE, FALSE },    { "../X", TRUE, FALSE },
        { ".", TRUE, FALSE },         { "..", TRUE, FALSE },       { "...", FALSE, FALSE },
        { "\\X", FALSE, FALSE },      { "X", FALSE, FALSE },       { ".X", FALSE, FALSE },
        { "", FALSE, FALSE },
    };
    for (auto &c : cases) {
        EXPECT_EQ(fnIsQualifiedPath(c.lpsz), c.bQualified) << c.lpsz;
        EXPECT_EQ(fnIsFullPath(c.lpsz), c.bFull) << c.lpsz;
    }
    EXPECT_TRUE(fnIsDotDir("."));
    EXPECT_TRUE(fnIsDotDir(".."));
    EXPECT_FALSE(fnIsDotDir("..."));
    char sz[KSTL8_PATH];
    EXPECT_TRUE(fnSkipDrive("C:\\DIR\\F", sz, sizeof(sz)));
    EXPECT_STREQ(sz, "DIR\\F");
    EXPECT_TRUE(fnSkipDrive("C:\\\\:X", sz, sizeof(sz)));
    EXPECT_STREQ(sz, "X");
}

/* ---- names on disk ---- */
namespace {

class PathFiles : public ktest::TempDirTest {
protected:
    void SetUp() override
    {
        ktest::TempDirTest::SetUp();
        m_saved.Keep(g_szSourceDir);
    }
    void Touch(const std::string &name)
    {
        ASSERT_TRUE(ktest::WriteFileText(Path(name), name)) << name;
    }
    /* The compressed fixtures made by mscompress and gcab at build time. */
    static std::string Fixture(const char *lpszName)
    {
        char szExe[MAX_PATH];
        GetModuleFileNameA(NULL, szExe, sizeof(szExe));
        std::string dir(szExe);
        return dir.substr(0, dir.find_last_of('\\') + 1) + "compress\\" + lpszName;
    }
    static std::string Expanded(const char *lpszName)
    {
        char sz[KSTL8_PATH + 8];
        ktest::Poison(sz);
        if (!fnGetExpandedName(Fixture(lpszName).c_str(), sz, KSTL8_PATH))
            return "<FALSE>";
        return sz;
    }
};

}  // namespace

TEST_F(PathFiles, ExpandedNamesOfRealCompressedFiles)
{
    EXPECT_EQ(Expanded("SETUP.EX_"), "SETUP.EXE");
    EXPECT_EQ(Expanded("DRIVER.SY_"), "DRIVER.SYS");
    EXPECT_EQ(Expanded("FILE.A_"), "FILE.A");
    /* The middle part of the name stays. */
    EXPECT_EQ(Expanded("APP.V2.DL_"), "APP.V2.DLL");
    /* mscompress leaves the stored character 0: the name stands. */
    EXPECT_EQ(Expanded("SETUP0.EX_"), "SETUP0.EX_");
    /* A header shorter than 14 bytes is no SZDD header. */
    EXPECT_EQ(Expanded("SHORT.EX_"), "SHORT.EX_");
    /* Cabinets: the first file's name when its base name matches. */
    EXPECT_EQ(Expanded("DRIVER.CA_"), "DRIVER.SYS");
    EXPECT_EQ(Expanded("OTHER.CA_"), "OTHER.CA_");
    EXPECT_EQ(Expanded("MISSING.EX_"), "<FALSE>");

    /* Wine's LZ library names the SZDD files the same way. */
    char szLz[MAX_PATH];
    std::string setup = Fixture("SETUP.EX_");
    ASSERT_EQ(GetExpandedNameA((LPSTR)setup.c_str(), szLz), 1);
    EXPECT_STREQ(fnGetFilePart(szLz), "SETUP.EXE");
}

TEST_F(PathFiles, ExpandedNameNeedsAWholeCabinetName)
{
    /* The cabinet cut inside its first name: no NUL in what is read. */
    std::string cab = ktest::ReadFileText(Fixture("DRIVER.CA_"));
    ASSERT_GT(cab.size(), 70u);
    ASSERT_TRUE(ktest::WriteFileText(Path("DRIVER.CA_"), cab.substr(0, 66)));
    char sz[KSTL8_PATH];
    EXPECT_TRUE(fnGetExpandedName(Path("DRIVER.CA_").c_str(), sz, sizeof(sz)));
    EXPECT_STREQ(sz, "DRIVER.CA_");
    /* A name without _ in its extension is not opened at all. */
    EXPECT_TRUE(fnGetExpandedName(Path("ABSENT.TXT").c_str(), sz, sizeof(sz)));
    EXPECT_STREQ(sz, "ABSENT.TXT");
    /* An output too small for the name fails. */
    char szSmall[6];
    EXPECT_FALSE(fnGetExpandedName(Fixture("SETUP.EX_").c_str(), szSmall, sizeof(szSmall)));
}

TEST_F(PathFiles, NumberedShortNames)
{
    char sz[KSTL8_PATH + 8];
    std::string x = Path("X.TXT");
    ktest::Poison(sz);
    EXPECT_TRUE(fnUniqueShortName(x.c_str(), sz, KSTL8_PATH, FALSE));
    EXPECT_BOUNDED(sz, x.c_str());
    Touch("X.TXT");
    EXPECT_TRUE(fnUniqueShortName(x.c_str(), sz, KSTL8_PATH, FALSE));
    EXPECT_STREQ(sz, (x + ".^00").c_str());
    Touch("X.TXT.^00");
    Touch("X.TXT.^07");
    EXPECT_TRUE(fnUniqueShortName(x.c_str(), sz, KSTL8_PATH, FALSE));
    EXPECT_STREQ(sz, (x + ".^08").c_str());
    EXPECT_TRUE(fnUniqueShortName(x.c_str(), sz, KSTL8_PATH, TRUE));
    EXPECT_STREQ(sz, Path("X.T00").c_str());
    Touch("NOEXT");
    EXPECT_TRUE(fnUniqueShortName(Path("NOEXT").c_str(), sz, KSTL8_PATH, TRUE));
    EXPECT_STREQ(sz, Path("NOEXT.^00").c_str());
    Touch("X.TXT.^99");
    EXPECT_FALSE(fnUniqueShortName(x.c_str(), sz, KSTL8_PATH, FALSE));
}

TEST_F(PathFiles, SourceFileAsGivenInSourceDirAndAboveADiskFolder)
{
    CreateDirectoryA(Path("SRC").c_str(), NULL);
    CreateDirectoryA(Path("SRC\\DISK1").c_str(), NULL);
    Touch("SRC\\DISK1\\ON1.DLL");
    Touch("SRC\\FLAT.DLL");
    Touch("GIVEN.DLL");
    fnStrCopy(g_szSourceDir, Path("SRC\\DISK1").c_str());
    char sz[KSTL8_PATH];

    fnStrCopy(sz, Path("GIVEN.DLL").c_str());
    EXPECT_TRUE(fnFindSourceFile(sz, sizeof(sz)));
    EXPECT_STREQ(sz, Path("GIVEN.DLL").c_str());
    /* Found in the source folder: the argument is left for the caller. */
    fnStrCopy(sz, "ON1.DLL");
    EXPECT_TRUE(fnFindSourceFile(sz, sizeof(sz)));
    EXPECT_STREQ(sz, "ON1.DLL");
    /* Missing from DISK1, found in the folder above it. */
    fnStrCopy(sz, "FLAT.DLL");
    EXPECT_TRUE(fnFindSourceFile(sz, sizeof(sz)));
    EXPECT_STREQ(sz, Path("SRC\\FLAT.DLL").c_str());
    /* Also when the DISK folder does not exist (all disks copied flat). */
    fnStrCopy(g_szSourceDir, Path("SRC\\disk2").c_str());
    fnStrCopy(sz, "FLAT.DLL");
    EXPECT_TRUE(fnFindSourceFile(sz, sizeof(sz)));
    EXPECT_STREQ(sz, Path("SRC\\FLAT.DLL").c_str());
    /* A found path that does not fit the argument is not found. */
    char szSmall[12] = "FLAT.DLL";
    EXPECT_FALSE(fnFindSourceFile(szSmall, sizeof(szSmall)));
    /* No probe above a folder of another name. */
    fnStrCopy(g_szSourceDir, Path("SRC\\OTHER").c_str());
    fnStrCopy(sz, "FLAT.DLL");
    EXPECT_FALSE(fnFindSourceFile(sz, sizeof(sz)));
    fnStrCopy(sz, "NOWHERE.DLL");
    fnStrCopy(g_szSourceDir, Path("SRC\\DISK1").c_str());
    EXPECT_FALSE(fnFindSourceFile(sz, sizeof(sz)));
    EXPECT_STREQ(sz, "NOWHERE.DLL");
}

TEST_F(PathFiles, DrivesAndTemporaryNames)
{
    EXPECT_TRUE(fnTestDrive(NULL, "C:\\ANY\\PATH", TRUE));
    EXPECT_TRUE(fnTestDrive(NULL, "z:\\", FALSE));
    /* Quiet: the message is not shown, the answer is FALSE. */
    EXPECT_FALSE(fnTestDrive(NULL, "Q:\\NOT\\MAPPED", TRUE));
    EXPECT_EQ(fnGetDriveType("c:\\windows"), (UINT)DRIVE_FIXED);
    EXPECT_EQ(fnGetDriveType("Q:\\X"), (UINT)DRIVE_NO_ROOT_DIR);

    char sz[KSTL8_PATH];
    ASSERT_TRUE(fnGetTempFileName(m_dir.c_str(), "KST", sz, sizeof(sz)));
    EXPECT_EQ(std::string(fnGetFilePart(sz)).substr(0, 3), "KST");
    EXPECT_EQ(ktest::ReadFileText(sz), "");
    char szIn[KSTL8_PATH];
    EXPECT_TRUE(fnGetDirPart(sz, szIn, sizeof(szIn)));
    EXPECT_EQ(fnStrCmpI(szIn, m_dir.c_str()), 0);
    EXPECT_FALSE(fnGetTempFileName(Path("MISSING").c_str(), "KST", sz, sizeof(sz)));
    char szDir[KSTL8_PATH], szTemp[KSTL8_PATH];
    ASSERT_TRUE(fnGetTempFile("KST", szTemp, sizeof(szTemp), szDir, sizeof(szDir)));
    EXPECT_TRUE(fnFileExists(szTemp));
    EXPECT_EQ(fnStrCmpNI(szTemp, szDir, strlen(szDir)), 0);
    DeleteFileA(szTemp);
}
