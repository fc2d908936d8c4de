/* Searching files for a text, and the result numbers of a section. */
#include "testutil.h"
#include "config/findstring.h"
#include "script/macro.h"
#include <string>

using ktest::TempDirTest;

namespace {

class FindStringTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        m_saved.Keep(g_alResultNumbers);
    }
    int Section(const std::string &text)
    {
        std::vector<char> buf(text.begin(), text.end());
        buf.push_back('\0');
        return fnReadIsStringInFile(NULL, buf.data());
    }
};

/* Fails every read after the first block. */
static int s_nReads;
static BOOL WINAPI fnReadOnceThenFail(HANDLE h, LPVOID lp, DWORD cb, LPDWORD lpcb, LPOVERLAPPED lpo)
{
    if (s_nReads++ > 0) {
        SetLastError(ERROR_LOCK_VIOLATION);
        return FALSE;
    }
    return ReadFile(h, lp, cb, lpcb, lpo);
}

TEST_F(FindStringTest, AReadFailureIsNotANotFound)
{
    std::string body(FIND_BLOCK + 1000, 'x');
    std::string file = Path("unreadable.bin");
    ASSERT_TRUE(ktest::WriteFileText(file, body + "NEEDLE"));
    g_pfnFindReadFile = fnReadOnceThenFail;
    s_nReads = 0;
    int nCode = fnFindStringInFile(file.c_str(), "NEEDLE", FALSE);
    s_nReads = 0;
    int nInFirst = fnFindStringInFile(file.c_str(), "xx", FALSE);
    g_pfnFindReadFile = ReadFile;
    EXPECT_EQ(nCode, FIND_OPENFAILED);
    EXPECT_EQ(nInFirst, FIND_FOUND);
    EXPECT_EQ(fnFindStringInFile(file.c_str(), "NEEDLE", FALSE), FIND_FOUND);
}

TEST_F(FindStringTest, TextAcrossTheBlockBoundaryIsFound)
{
    /* "NEEDLE" starts 3 bytes before the end of the first block. */
    std::string body(FIND_BLOCK - 3, 'x');
    body += "NEEDLE";
    body += std::string(70000, 'y');
    std::string file = Path("big.bin");
    ASSERT_TRUE(ktest::WriteFileText(file, body));
    EXPECT_EQ(fnFindStringInFile(file.c_str(), "NEEDLE", FALSE), FIND_FOUND);
    EXPECT_EQ(fnFindStringInFile(file.c_str(), "needle", FALSE), FIND_NOTFOUND);
    EXPECT_EQ(fnFindStringInFile(file.c_str(), "needle", TRUE), FIND_FOUND);
    /* Only in the last, short block; and a text that is nowhere. */
    EXPECT_EQ(fnFindStringInFile(file.c_str(), "xy", FALSE), FIND_NOTFOUND);
    EXPECT_EQ(fnFindStringInFile(file.c_str(), "Ey", FALSE), FIND_FOUND);
    EXPECT_EQ(fnFindStringInFile(file.c_str(), "yyz", FALSE), FIND_NOTFOUND);
    /* Exactly one block: the second read gets nothing. */
    std::string exact = Path("exact.bin");
    ASSERT_TRUE(ktest::WriteFileText(exact, std::string(FIND_BLOCK - 2, 'a') + "ZZ"));
    EXPECT_EQ(fnFindStringInFile(exact.c_str(), "ZZ", FALSE), FIND_FOUND);
    EXPECT_EQ(fnFindStringInFile(exact.c_str(), "ZZZ", FALSE), FIND_NOTFOUND);
}

TEST_F(FindStringTest, CodesForBadTextsAndMissingFiles)
{
    std::string file = Path("CONFIG.SYS");
    ASSERT_TRUE(ktest::WriteFileText(file, std::string("files=40\r\nDEVICE=X\r\n\0tail", 25)));
    EXPECT_EQ(fnFindStringInFile(file.c_str(), "tail", FALSE), FIND_FOUND);   /* past a zero byte */
    EXPECT_EQ(fnFindStringInFile(file.c_str(), "Device=X", FALSE), FIND_NOTFOUND);
    EXPECT_EQ(fnFindStringInFile(file.c_str(), "Device=X", TRUE), FIND_FOUND);
    EXPECT_EQ(fnFindStringInFile(file.c_str(), "DEVICE=X", FALSE), FIND_FOUND);
    EXPECT_EQ(fnFindStringInFile(file.c_str(), "X", FALSE), FIND_BADTEXT);
    EXPECT_EQ(fnFindStringInFile(file.c_str(), std::string(FIND_BLOCK, 't').c_str(), FALSE),
              FIND_BADTEXT);
    EXPECT_EQ(fnFindStringInFile(Path("none.txt").c_str(), "files", FALSE), FIND_NOFILE);
    EXPECT_EQ(fnFindStringInFile(m_dir.c_str(), "files", FALSE), FIND_NOFILE);
    /* A file locked by another handle cannot be opened. */
    HANDLE h = CreateFileA(file.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(fnFindStringInFile(file.c_str(), "files", FALSE), FIND_OPENFAILED);
    CloseHandle(h);
}

TEST_F(FindStringTest, SectionKeepsResultNumbersAndEndsOnItsOutcome)
{
    std::string file = Path("APP.INI");
    ASSERT_TRUE(ktest::WriteFileText(file, "[App]\r\nMarker=Build 7\r\n"));
    const std::string f = file;
    g_alResultNumbers[3] = 77;
    /* Two lines, the first finding its text. */
    EXPECT_EQ(Section(f + ",Marker,N\r\n" + f + ",missing text,N\r\n"), 1);
    EXPECT_EQ(g_alResultNumbers[0], 0);
    EXPECT_EQ(g_alResultNumbers[1], FIND_FOUND);
    EXPECT_EQ(g_alResultNumbers[2], FIND_NOTFOUND);
    EXPECT_EQ(g_alResultNumbers[3], 77);
    /* Nothing found: number 0 stays 1; a failing condition skips a line. */
    EXPECT_EQ(Section("1=2," + f + ",Marker\r\n" + f + ",marker,N\r\n" + f + ",marker,Y\r\n"), 1);
    EXPECT_EQ(g_alResultNumbers[0], 0);
    EXPECT_EQ(g_alResultNumbers[1], FIND_NOTFOUND);
    EXPECT_EQ(g_alResultNumbers[2], FIND_FOUND);
    EXPECT_EQ(Section(f + ",absent,N\r\n"), 1);
    EXPECT_EQ(g_alResultNumbers[0], 1);
    /* Each outcome, by the beginning of its word. */
    EXPECT_EQ(Section(f + ",Marker,N,ExitMatch\r\n"), 2);
    EXPECT_EQ(Section(f + ",absent,N,EXITMATCH\r\n"), 1);
    EXPECT_EQ(Section(f + ",absent,N,exitnomatch\r\n"), 2);
    EXPECT_EQ(Section(Path("gone.ini") + ",absent,N,EXITNOFILE\r\n"), 2);
    EXPECT_EQ(Section(f + ",absent,N,EXITNOFILE\r\n"), 1);
    EXPECT_EQ(Section(f + ",M,N,EXITERROR\r\n"), 2);
    EXPECT_EQ(Section(f + ",M,N,EXITNOMATCH\r\n"), 2);
    EXPECT_EQ(Section(f + ",M,N,CONTINUE\r\n"), 1);
    EXPECT_EQ(g_alResultNumbers[1], FIND_BADTEXT);
    /* A line without its text. */
    EXPECT_EQ(Section(f + "\r\n"), 0);
    /* A text holding the separators is quoted or escaped. */
    ASSERT_TRUE(ktest::WriteFileText(file, "[App]\r\nDEVICE=X,Y\r\n"));
    EXPECT_EQ(Section(f + ",\"device=x,y\",Y,EXITMATCH\r\n"), 2);
    EXPECT_EQ(Section(f + ",Device@\\eX@\\cY,N,EXITMATCH\r\n"), 1);
    EXPECT_EQ(Section(f + ",DEVICE@\\eX@\\cY,N,EXITMATCH\r\n"), 2);
    /* Macros in the file name. */
    ASSERT_TRUE(ktest::WriteFileText(file, "[App]\r\nMarker=Build 7\r\n"));
    strcpy(g_szDestDir, m_dir.c_str());
    EXPECT_EQ(Section("@D\\APP.INI,Build 7,N,EXITMATCH\r\n"), 2);
}

}  // namespace
