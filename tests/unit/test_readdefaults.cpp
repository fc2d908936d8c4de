/* Reading defaults: the text read types over real files in both line-end
 * forms, and the slot walk of the section with real profile reads. */
#include "testutil.h"
#include "config/defaults.h"
#include "script/macro.h"
#include "script/macroint.h"

namespace {

class ReadDefaultsTest : public ktest::TempDirTest {
protected:
    char m_aSlots[10][128];
    char m_szDelims[sizeof(g_szExpandDelims)];

    void SetUp() override
    {
        ktest::TempDirTest::SetUp();
        memcpy(m_aSlots, g_szDefaultSetting, sizeof(m_aSlots));
        memcpy(m_szDelims, g_szExpandDelims, sizeof(m_szDelims));
        memset(g_szDefaultSetting, 0, sizeof(g_szDefaultSetting));
    }
    void TearDown() override
    {
        memcpy(g_szDefaultSetting, m_aSlots, sizeof(m_aSlots));
        memcpy(g_szExpandDelims, m_szDelims, sizeof(m_szDelims));
        ktest::TempDirTest::TearDown();
    }
    /* The value read, or "<none>" when the read found nothing. */
    std::string Read(const std::string &file, const char *lpszSection, const char *lpszKey,
                     char cType, const char *lpszOption = "")
    {
        char szOut[DEFAULT_VALUE_MAX];
        ktest::Poison(szOut);
        if (!fnReadTextIniValue(Path(file).c_str(), lpszSection, lpszKey, cType, lpszOption,
                                szOut, sizeof(szOut)))
            return szOut[0] == '\0' ? "<none>" : "<dirty>";
        return szOut;
    }
    /* Run a section text through the handler. */
    void RunSection(std::string text)
    {
        std::vector<char> buf(text.begin(), text.end());
        buf.push_back('\0');
        fnReadIniFiles(NULL, buf.data());
    }
};

std::string Lines(const char *lpszEnd, std::initializer_list<const char *> lines)
{
    std::string s;
    for (const char *l : lines)
        s += std::string(l) + lpszEnd;
    return s;
}

TEST_F(ReadDefaultsTest, TextTypesInBothLineEnds)
{
    for (const char *lpszEnd : { "\r\n", "\n" }) {
        SCOPED_TRACE(lpszEnd[0] == '\r' ? "CR LF" : "LF");
        ASSERT_TRUE(ktest::WriteFileText(Path("app.ini"), Lines(lpszEnd, {
            "[Other]", "DataDir=wrong", "",
            "[Paths]", "  DataDirectory = C:\\LONGER ", "DataDir = C:\\DATA ",
            "Mode=fast,quiet", "Mode2 = slow", "[Next]", "Late=1" })));
        /* W-like prefix match: the first key part that begins with the key. */
        EXPECT_EQ(Read("app.ini", "[Paths]", "DataDir", 'M', ""), "C:\\LONGER");
        EXPECT_EQ(Read("app.ini", "[Paths]", "Mode", 'S', "quiet"), "fast,quiet");
        EXPECT_EQ(Read("app.ini", "[Paths]", "Mode", 'M', "slow"), "slow");
        EXPECT_EQ(Read("app.ini", "[Paths]", "Mode", 'S', "absent"), "<none>");
        /* F keeps the blanks around the value. */
        EXPECT_EQ(Read("app.ini", "[Paths]", "DataDir ", 'F'), " C:\\LONGER ");
        /* The section ends at the next "[": a later key is not found. */
        EXPECT_EQ(Read("app.ini", "[Paths]", "Late", 'C'), "<none>");
        EXPECT_EQ(Read("app.ini", "", "Late", 'C'), "1");
        /* Without a section the whole file is searched from its start. */
        EXPECT_EQ(Read("app.ini", "", "DataDir", 'C'), "wrong");
        EXPECT_EQ(Read("app.ini", "[Missing]", "DataDir", 'C'), "<none>");
    }
}

TEST_F(ReadDefaultsTest, LineTypesAndPathLists)
{
    ASSERT_TRUE(ktest::WriteFileText(Path("auto.bat"), Lines("\r\n", {
        "@ECHO OFF", "  SET TEMP=C:\\TMP", "set path=C:\\DOS;C:\\WIN ", "PATH C:\\SECOND",
        "DEVICE C:\\DRV\\X.SYS", "LH /L:1 MOUSE.COM" })));
    EXPECT_EQ(Read("auto.bat", "", "PATH", 'P'), "C:\\DOS;C:\\WIN");
    /* C skips an "=" after the key; O skips any one character. */
    EXPECT_EQ(Read("auto.bat", "", "SET TEMP", 'C'), "C:\\TMP");
    EXPECT_EQ(Read("auto.bat", "", "DEVICE", 'O'), "C:\\DRV\\X.SYS");
    EXPECT_EQ(Read("auto.bat", "", "LH", 'C'), "/L:1 MOUSE.COM");
    /* N compares with the leading blanks: the indented line needs them. */
    EXPECT_EQ(Read("auto.bat", "", "SET TEMP", 'N'), "<none>");
    EXPECT_EQ(Read("auto.bat", "", "  SET TEMP", 'N'), "C:\\TMP");
    ASSERT_TRUE(ktest::WriteFileText(Path("nopath.bat"), "ECHO hi\n"));
    EXPECT_EQ(Read("nopath.bat", "", "PATH", 'P'), "<none>");
}

TEST_F(ReadDefaultsTest, SectionEndMarksOfOAndN)
{
    ASSERT_TRUE(ktest::WriteFileText(Path("sys.txt"), Lines("\n", {
        "BEGIN drivers", "  net=1", "mouse=ps2", "END", "after=x", "BEGIN list", "; note",
        "  item one", "entry", "  item two" })));
    /* O with an end mark: the section runs from its header to END. */
    EXPECT_EQ(Read("sys.txt", "BEGIN drivers", "mouse", 'O', "END"), "ps2");
    EXPECT_EQ(Read("sys.txt", "BEGIN drivers", "after", 'O', "END"), "<none>");
    EXPECT_EQ(Read("sys.txt", "BEGIN drivers", "after", 'O'), "x");
    /* N: the first entry line ends the section, so "item two" is outside. */
    EXPECT_EQ(Read("sys.txt", "BEGIN list", "  item", 'N'), "one");
    ASSERT_TRUE(ktest::WriteFileText(Path("sys2.txt"), "BEGIN list\nentry\n  item two\n"));
    EXPECT_EQ(Read("sys2.txt", "BEGIN list", "  item", 'N'), "<none>");
}

TEST_F(ReadDefaultsTest, NothingToReadGivesFalse)
{
    ASSERT_TRUE(ktest::WriteFileText(Path("a.ini"), "[S]\nKey=\nNul=x\n"));
    EXPECT_EQ(Read("a.ini", "[S]", "Key", 'C'), "<none>");     /* empty value */
    EXPECT_EQ(Read("a.ini", "[S]", "", 'C'), "<none>");        /* empty key */
    EXPECT_EQ(Read("missing.ini", "[S]", "Key", 'C'), "<none>");
    EXPECT_EQ(Read("a.ini", "[S]", "Nul", 'Q'), "<none>");     /* not a read type */
    /* A NUL byte is a read error: reading stops, nothing is found after it. */
    ASSERT_TRUE(ktest::WriteFileText(Path("b.ini"), std::string("A=1\n\0\nB=2\n", 11)));
    EXPECT_EQ(Read("b.ini", "", "A", 'C'), "1");
    EXPECT_EQ(Read("b.ini", "", "B", 'C'), "<none>");
    /* A value longer than the caller's buffer is refused, not cut. */
    ASSERT_TRUE(ktest::WriteFileText(Path("c.ini"), "K=" + std::string(40, 'v') + "\n"));
    char szSmall[16];
    ktest::Poison(szSmall);
    EXPECT_FALSE(fnReadTextIniValue(Path("c.ini").c_str(), "", "K", 'C', "", szSmall,
                                    sizeof(szSmall)));
    EXPECT_EQ(szSmall[0], '\0');
}

TEST_F(ReadDefaultsTest, SlotsFromProfileAndTextReads)
{
    ASSERT_TRUE(ktest::WriteFileText(Path("APP.INI"),
                                     "[Paths]\r\nDataDir=D:\\OLD\r\nEmpty=\r\n[Top]\r\nK=top\r\n"));
    ASSERT_TRUE(ktest::WriteFileText(Path("AUTO.BAT"), "PATH C:\\DOS;C:\\APP\r\n"));
    fnStrCopy(g_szDestDir, m_dir.c_str());
    RunSection(
        "@D\\APP.INI, Paths, DataDir, I, , C:\\DATA\r\n"
        "@D\\APP.INI, Paths, Missing, I, , C:\\DATA\r\n"
        "@D\\NOFILE.INI, Paths, DataDir, , , C:\\NONE\r\n"
        "@D\\APP.INI, Paths, Empty, I, , dflt\r\n"
        "@D\\AUTO.BAT, , PATH, P\r\n"
        "@D\\APP.INI, [Top], K, c\r\n"
        ", Paths, DataDir, I, , unused\r\n"
        "@D\\APP.INI, Paths, , I, , unused\r\n");
    EXPECT_STREQ(g_szDefaultSetting[0], "D:\\OLD");
    EXPECT_STREQ(g_szDefaultSetting[1], "C:\\DATA");
    EXPECT_STREQ(g_szDefaultSetting[2], "C:\\NONE");
    EXPECT_STREQ(g_szDefaultSetting[3], "dflt");
    EXPECT_STREQ(g_szDefaultSetting[4], "C:\\DOS;C:\\APP");
    EXPECT_STREQ(g_szDefaultSetting[5], "top");
    /* No file, or no key: the slot stays empty, the default is not taken. */
    EXPECT_STREQ(g_szDefaultSetting[6], "");
    EXPECT_STREQ(g_szDefaultSetting[7], "");
}

TEST_F(ReadDefaultsTest, FailedTestsAndSkipIfTestFails)
{
    ASSERT_TRUE(ktest::WriteFileText(Path("X.INI"), "[S]\r\nK=one\r\nL=two\r\n"));
    fnStrCopy(g_szDestDir, m_dir.c_str());
    strcpy(g_szDefaultSetting[1], "stale");
    RunSection("A=B, @D\\X.INI, S, K\r\n"
               "A=A, @D\\X.INI, S, K\r\n"
               "SkipIfTestFails=y\r\n"
               "A=B, @D\\X.INI, S, K\r\n"
               "@D\\X.INI, S, L\r\n");
    /* The failed test leaves its slot empty; the passing one reads. */
    EXPECT_STREQ(g_szDefaultSetting[0], "");
    EXPECT_STREQ(g_szDefaultSetting[1], "one");
    /* After SkipIfTestFails the failed line takes no slot. */
    EXPECT_STREQ(g_szDefaultSetting[2], "two");
    EXPECT_STREQ(g_szDefaultSetting[3], "");
}

TEST_F(ReadDefaultsTest, TenSlotsAtMostAndLongValuesCutInsideTheirSlot)
{
    std::string text;
    std::string ini = "[S]\r\n";
    for (int i = 0; i < 11; i++) {
        ini += "K" + std::to_string(i) + "=v" + std::to_string(i) + "\r\n";
        text += "@D\\L.INI, S, K" + std::to_string(i) + ", I\r\n";
    }
    ini += "Long=" + std::string(300, 'x') + "\r\n";
    ASSERT_TRUE(ktest::WriteFileText(Path("L.INI"), ini));
    fnStrCopy(g_szDestDir, m_dir.c_str());
    /* After ten value lines nothing more is read: neither an eleventh
       value line nor a keyword line after it. */
    RunSection(text + "ExpandDelims=#\r\n");
    for (int i = 0; i < 10; i++)
        EXPECT_EQ(std::string(g_szDefaultSetting[i]), "v" + std::to_string(i));
    EXPECT_STREQ(g_szExpandDelims, m_szDelims);
    /* 300 characters go into 127 of slot 0; slot 1 is not touched. */
    memset(g_szDefaultSetting, 0, sizeof(g_szDefaultSetting));
    strcpy(g_szDefaultSetting[1], "next");
    RunSection("@D\\L.INI, S, Long, I\r\n");
    EXPECT_EQ(std::string(g_szDefaultSetting[0]), std::string(127, 'x'));
    EXPECT_STREQ(g_szDefaultSetting[1], "next");
}

TEST_F(ReadDefaultsTest, ExpandDelimsAndOverlongFields)
{
    fnStrCopy(g_szDestDir, m_dir.c_str());
    RunSection("ExpandDelims=;|\r\n");
    EXPECT_STREQ(g_szExpandDelims, ";|");
    /* A key over 79 characters makes the line unreadable: empty slot,
       not the default. */
    ASSERT_TRUE(ktest::WriteFileText(Path("K.INI"), "[S]\r\nK=1\r\n"));
    RunSection("@D\\K.INI, S, " + std::string(90, 'k') + ", I, , dflt\r\n@D\\K.INI, S, K, I\r\n");
    EXPECT_STREQ(g_szDefaultSetting[0], "");
    EXPECT_STREQ(g_szDefaultSetting[1], "1");
}

}  // namespace
