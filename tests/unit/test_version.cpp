/* Version resources of real programs built for the tests: comparison
 * codes, version strings and the conflict dialog's version list. */
#include "testutil.h"
#include "install/install.h"
#include <string>
#include <vector>

using ktest::TempDirTest;

namespace {

class VersionTest : public TempDirTest {
protected:
    /* A fixture program beside the test program. */
    static std::string Fixture(const char *lpszName)
    {
        char szExe[MAX_PATH];
        GetModuleFileNameA(NULL, szExe, sizeof(szExe));
        std::string dir(szExe);
        return dir.substr(0, dir.find_last_of('\\') + 1) + lpszName + ".exe";
    }
    static UINT Cmp(const char *lpszSource, const char *lpszTarget)
    {
        return fnCmpFileVersionInfo(Fixture(lpszSource).c_str(), Fixture(lpszTarget).c_str());
    }
    static std::vector<std::string> List(const std::string &file)
    {
        HWND hList = CreateWindowA("LISTBOX", "", WS_POPUP | LBS_USETABSTOPS, 0, 0, 300, 200,
                                   NULL, NULL, GetModuleHandleA(NULL), NULL);
        std::vector<std::string> lines;
        BOOL bOk = fnFillVersionList(file.c_str(), hList);
        int n = (int)SendMessageA(hList, LB_GETCOUNT, 0, 0);
        for (int i = 0; i < n; i++) {
            char sz[1024];
            SendMessageA(hList, LB_GETTEXT, i, (LPARAM)sz);
            lines.push_back(sz);
        }
        DestroyWindow(hList);
        if (!bOk)
            lines.insert(lines.begin(), "FALSE");
        return lines;
    }
};

TEST_F(VersionTest, ComparisonCodes)
{
    std::string copy = Path("COPY.EXE");
    ASSERT_TRUE(CopyFileA(Fixture("ver_4001").c_str(), copy.c_str(), FALSE));
    EXPECT_EQ(fnCmpFileVersionInfo(copy.c_str(), Fixture("ver_4001").c_str()), 0u);
    EXPECT_EQ(Cmp("ver_none", "ver_4001"), 2u);
    EXPECT_EQ(Cmp("ver_4001", "ver_none"), 2u);
    EXPECT_EQ(Cmp("ver_4001", "ver_4002"), 7u);             /* older file version */
    EXPECT_EQ(Cmp("ver_4002", "ver_4001"), 6u);             /* newer, nothing else */
    EXPECT_EQ(Cmp("ver_5000de", "ver_4001"), 10u);          /* newer, other language */
    EXPECT_EQ(Cmp("ver_newfile_oldprod", "ver_4001"), 7u);  /* older product version */
    EXPECT_EQ(Cmp("ver_flags", "ver_4001"), 8u);
    EXPECT_EQ(Cmp("ver_os", "ver_4001"), 9u);
    /* An older file loses to every finer reason. */
    EXPECT_EQ(Cmp("ver_4001", "ver_5000de"), 7u);
    std::string missing = Path("NONE.EXE");
    EXPECT_EQ(fnCmpFileVersionInfo(missing.c_str(), Fixture("ver_4001").c_str()), 3u);
    EXPECT_EQ(fnCmpFileVersionInfo(Fixture("ver_4001").c_str(), missing.c_str()), 4u);
}

TEST_F(VersionTest, LockedTargetCannotBeRead)
{
    std::string copy = Path("LOCKED.EXE");
    ASSERT_TRUE(CopyFileA(Fixture("ver_4002").c_str(), copy.c_str(), FALSE));
    HANDLE h = CreateFileA(copy.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(fnCmpFileVersionInfo(Fixture("ver_4001").c_str(), copy.c_str()), 4u);
    EXPECT_EQ(fnCmpFileVersionInfo(copy.c_str(), Fixture("ver_4001").c_str()), 3u);
    CloseHandle(h);
}

TEST_F(VersionTest, VersionStringsAreBounded)
{
    char szFile[16], szProduct[16], szCopy[8];
    memset(szCopy, 0x5A, sizeof(szCopy));
    ASSERT_TRUE(fnGetFileVersion(Fixture("ver_4002").c_str(), szFile, sizeof(szFile), szProduct,
                                 sizeof(szProduct), szCopy, sizeof(szCopy)));
    EXPECT_STREQ(szFile, "4.0.0.2");
    EXPECT_STREQ(szProduct, "4.0.0.1");
    EXPECT_STREQ(szCopy, "Copyrig");  /* cut at the buffer, terminated */
    ASSERT_TRUE(fnGetFileVersion(Fixture("ver_5000de").c_str(), szFile, sizeof(szFile), NULL, 0,
                                 NULL, 0));
    EXPECT_STREQ(szFile, "5.0.0.0");  /* read through the German block */
    strcpy(szFile, "stale");
    EXPECT_FALSE(fnGetFileVersion(Fixture("ver_none").c_str(), szFile, sizeof(szFile), NULL, 0,
                                  NULL, 0));
    EXPECT_STREQ(szFile, "");
}

TEST_F(VersionTest, VersionListLines)
{
    std::vector<std::string> l = List(Fixture("ver_flags"));
    ASSERT_EQ(l.size(), 18u);
    EXPECT_EQ(l[17], "Special build:\t");
    EXPECT_EQ(l[16], "Product version:\t4.0.0.3");
    EXPECT_EQ(l[11], "Copyright:\tCopyright fixture");
    EXPECT_EQ(l[0], "File version:\t4.0.0.3");
    EXPECT_EQ(l[1], "Product version:\t4.0.0.3");
    EXPECT_EQ(l[2], "File flags:\tDebug Pre-release ");
    EXPECT_EQ(l[3], "Operating system:\tWindows-32 under Windows-NT");
    EXPECT_EQ(l[4], "File type:\tApplication");
    EXPECT_EQ(l[5].rfind("Language:\tEnglish", 0), 0u) << l[5];
    EXPECT_EQ(l[7], "Company:\tFixture Works");
    EXPECT_EQ(l[9], "File version:\t4.0.0.3");
    EXPECT_EQ(l[8], "Description:\tVersion fixture");
    EXPECT_EQ(l[6], "Comments:\t");
    l = List(Fixture("ver_4001"));
    EXPECT_EQ(l[2], "File flags:\tNo flags");
    l = List(Fixture("ver_driver"));
    EXPECT_EQ(l[0], "File version:\t1.2.3.4");
    EXPECT_EQ(l[4], "File type:\tDevice driver (Display)");
    l = List(Fixture("ver_os"));
    EXPECT_EQ(l[3], "Operating system:\tWindows 32 bit");
    l = List(Fixture("ver_none"));
    EXPECT_EQ(l, std::vector<std::string>({ "FALSE", "Version information is not available." }));

    char sz[64];
    fnVersionTypeText(4, 3, sz, sizeof(sz));
    EXPECT_STREQ(sz, "Font (TrueType)");
    fnVersionTypeText(5, 12, sz, sizeof(sz));
    EXPECT_STREQ(sz, "Virtual device (12)");
    fnVersionTypeText(3, 99, sz, sizeof(sz));
    EXPECT_STREQ(sz, "Device driver ()");
    fnVersionTypeText(6, 0, sz, sizeof(sz));
    EXPECT_STREQ(sz, "");
    fnVersionFlagsText(0x24, sz, sizeof(sz));
    EXPECT_STREQ(sz, "Patched Special ");
}

}  // namespace
