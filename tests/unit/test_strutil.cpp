/* Bounded copy, append and format at their exact limits, and joining a
 * directory with a name. */
#include "testutil.h"
#include "install/install.h"

using ktest::Poison;

TEST(StrBounds, CopyKeepsOneByteForTheTerminator)
{
    char sz[16];
    Poison(sz);
    EXPECT_TRUE(fnStrCopyN(sz, 8, "1234567"));
    EXPECT_BOUNDED(sz, "1234567");
    Poison(sz);
    EXPECT_FALSE(fnStrCopyN(sz, 8, "12345678"));
    EXPECT_BOUNDED(sz, "1234567");
    Poison(sz);
    EXPECT_TRUE(fnStrCopyN(sz, 8, NULL));
    EXPECT_BOUNDED(sz, "");
    /* No room at all: nothing is written. */
    Poison(sz);
    EXPECT_FALSE(fnStrCopyN(sz, 0, "x"));
    EXPECT_EQ((unsigned char)sz[0], ktest::POISON);
}

TEST(StrBounds, TemplatesTakeTheBoundFromTheArray)
{
    struct {
        char sz[5];
        char guard[11];
    } rec;
    memset(&rec, ktest::POISON, sizeof(rec));
    EXPECT_FALSE(fnStrCopy(rec.sz, "abcdef"));
    EXPECT_STREQ(rec.sz, "abcd");
    EXPECT_FALSE(fnStrAppend(rec.sz, "x"));
    EXPECT_STREQ(rec.sz, "abcd");
    EXPECT_FALSE(fnStrFormat(rec.sz, "%d", 123456));
    EXPECT_STREQ(rec.sz, "1234");
    for (unsigned char c : rec.guard)
        EXPECT_EQ(c, ktest::POISON);
}

TEST(StrBounds, AppendFillsToTheLastByte)
{
    char sz[16];
    Poison(sz);
    strcpy(sz, "abc");
    EXPECT_TRUE(fnStrAppendN(sz, 8, "defg"));
    EXPECT_BOUNDED(sz, "abcdefg");
    EXPECT_FALSE(fnStrAppendN(sz, 8, "h"));
    EXPECT_BOUNDED(sz, "abcdefg");
    Poison(sz);
    strcpy(sz, "abc");
    EXPECT_FALSE(fnStrAppendN(sz, 8, "defgh"));
    EXPECT_BOUNDED(sz, "abcdefg");
    /* A destination with no terminator inside its bound is ended, not read past. */
    Poison(sz);
    memset(sz, 'x', 8);
    EXPECT_FALSE(fnStrAppendN(sz, 8, "y"));
    EXPECT_BOUNDED_FROM(sz, "xxxxxxx", 8);
}

TEST(StrBounds, FormatReportsACut)
{
    char sz[16];
    Poison(sz);
    EXPECT_TRUE(fnStrFormatN(sz, 8, "%s-%d", "ab", 1234));
    EXPECT_BOUNDED(sz, "ab-1234");
    Poison(sz);
    EXPECT_FALSE(fnStrFormatN(sz, 8, "%s-%d", "ab", 12345));
    EXPECT_BOUNDED(sz, "ab-1234");
    /* No stop at 1,024 characters as wsprintfA has. */
    char szBig[4096];
    std::string text(2000, 'q');
    EXPECT_TRUE(fnStrFormat(szBig, "%s!", text.c_str()));
    EXPECT_EQ(strlen(szBig), 2001u);
}

TEST(StrBounds, CaseInsensitiveHelpers)
{
    EXPECT_EQ(fnStrCmpI("Setup.INF", "SETUP.inf"), 0);
    EXPECT_LT(fnStrCmpI("abc", "ABD"), 0);
    EXPECT_GT(fnStrCmpI("abcd", "ABC"), 0);
    EXPECT_EQ(fnStrCmpNI("abcX", "ABCy", 3), 0);
    EXPECT_NE(fnStrCmpNI("abcX", "ABCy", 4), 0);
    EXPECT_TRUE(fnStrBeginsI("[END] more", "[end]"));
    EXPECT_FALSE(fnStrBeginsI("[En", "[End]"));
    char sz[] = "mixed Case 1\xe4";
    fnStrUpper(sz);
    EXPECT_STREQ(sz, "MIXED CASE 1\xe4");
}

TEST(MakePath, ExactlyOneBackslashBetween)
{
    struct {
        const char *lpszDir, *lpszName, *lpszWant;
    } const aCases[] = {
        { "C:\\", "\\X.DLL", "C:\\X.DLL" },
        { "C:\\DIR", "X", "C:\\DIR\\X" },
        { "C:\\DIR\\", "X", "C:\\DIR\\X" },
        { "C:\\DIR", "\\X", "C:\\DIR\\X" },
        { "", "X", "X" },
        { NULL, "X", "X" },
        { "C:\\DIR", "", "C:\\DIR" },
        { "", "", "" },
    };
    for (const auto &c : aCases) {
        SCOPED_TRACE(std::string(c.lpszDir ? c.lpszDir : "(null)") + " + " + c.lpszName);
        char sz[64];
        Poison(sz);
        EXPECT_TRUE(fnMakePath(c.lpszDir, c.lpszName, sz, 40));
        EXPECT_BOUNDED(sz, c.lpszWant);
    }
}

TEST(MakePath, OverflowGivesAnEmptyResult)
{
    char sz[32];
    Poison(sz);
    /* "C:\AB" + "\" + ten characters: 16 characters. */
    EXPECT_TRUE(fnMakePath("C:\\AB", "CDEFGHIJKL", sz, 17));
    EXPECT_BOUNDED(sz, "C:\\AB\\CDEFGHIJKL");
    Poison(sz);
    EXPECT_FALSE(fnMakePath("C:\\AB", "CDEFGHIJKL", sz, 16));
    EXPECT_BOUNDED_FROM(sz, "", 16);
    std::string dir(300, 'd'), name(300, 'n');
    char szPath[KSTL8_PATH];
    memset(szPath, 'z', sizeof(szPath));
    EXPECT_FALSE(fnMakePath(dir.c_str(), name.c_str(), szPath, sizeof(szPath)));
    EXPECT_EQ(szPath[0], '\0');
}
