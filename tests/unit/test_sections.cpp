/* Finding section headers: the walk's header search, a header's bounded
 * name, locating a section by name, and entry lines at the line limit. */
#include "testutil.h"
#include "script/reader.h"

namespace {

/* Offsets of the two headers fnFindInfSections found; -1 for none. */
struct Found {
    BOOL bFound;
    long nStart, nNext;
};

Found FindSections(std::string text)
{
    SectionStruct sect;
    memset(&sect, ktest::POISON, sizeof(sect));
    Found f;
    f.bFound = fnFindInfSections(&text[0], &sect);
    f.nStart = sect.lpszStart ? (long)(sect.lpszStart - &text[0]) : -1;
    f.nNext = sect.lpszNext ? (long)(sect.lpszNext - &text[0]) : -1;
    return f;
}

}  // namespace

TEST(FindSections, HeadersAtLineStartsAfterBlanks)
{
    Found f = FindSections(" \t[A]\r\nx=1\r\n\t [B]\r\n[C]\r\n");
    EXPECT_TRUE(f.bFound);
    EXPECT_EQ(f.nStart, 2);
    EXPECT_EQ(f.nNext, 14);
    /* Text before the first header, and brackets inside a line, are passed over. */
    f = FindSections("x=[no]\r\n; [no]\r\n\r\n[A]\r\na=[no]\r\n");
    EXPECT_EQ(f.nStart, 18);
    EXPECT_EQ(f.nNext, -1);
    f = FindSections("[A]\nx\n[B]\n");
    EXPECT_EQ(f.nStart, 0);
    EXPECT_EQ(f.nNext, 6);
    f = FindSections("[A]\rx\r[B]");
    EXPECT_EQ(f.nNext, 6);
}

TEST(FindSections, NoHeaderFindsNothing)
{
    for (const char *lpszText : { "", "x=1\r\ny=[2]\r\n", "\r\n\r\n  \t" }) {
        SCOPED_TRACE(lpszText);
        Found f = FindSections(lpszText);
        EXPECT_FALSE(f.bFound);
        EXPECT_EQ(f.nStart, -1);
        EXPECT_EQ(f.nNext, -1);
    }
}

TEST(SectionHeaderName, BoundedAndOnItsOwnLine)
{
    char sz[16];
    ktest::Poison(sz);
    EXPECT_TRUE(fnGetSectionName("[Files] ; x]\r\n", sz, 8));
    EXPECT_BOUNDED(sz, "[Files]");
    ktest::Poison(sz);
    EXPECT_FALSE(fnGetSectionName("[Files]\r\n", sz, 7));
    EXPECT_BOUNDED_FROM(sz, "", 1);
    for (const char *lpszBad : { "[Files\r\n]", "[Files\n]", "[Files", " [Files]", "Files]" }) {
        SCOPED_TRACE(lpszBad);
        ktest::Poison(sz);
        EXPECT_FALSE(fnGetSectionName(lpszBad, sz, sizeof(sz)));
        EXPECT_BOUNDED_FROM(sz, "", 1);
    }
    EXPECT_TRUE(fnGetSectionName("[]x", sz, sizeof(sz)));
    EXPECT_STREQ(sz, "[]");
}

TEST(LocateSection, ByNameFromAnyHeaderLine)
{
    std::string text = "[A]\r\na=1\r\n  [files] ; main\r\n\r\nf=1\r\n[Last]";
    char *p = fnLocateSection(&text[0], "[Files]");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p - &text[0], (long)text.find("f=1"));
    /* A header on the last line, without a line break. */
    p = fnLocateSection(&text[0], "[LAST]");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(*p, '\0');
    EXPECT_EQ(fnLocateSection(&text[0], "[File]"), nullptr);
    EXPECT_EQ(fnLocateSection(&text[0], "[a=1]"), nullptr);
    std::string ended = "[A]\r\n[END]\r\n[Files]\r\nf=1\r\n";
    EXPECT_EQ(fnLocateSection(&ended[0], "[Files]"), nullptr);
}

TEST(SectionLines, LineLimitIs1023Characters)
{
    char szLine[1100];
    for (size_t cch : { 1022u, 1023u, 1024u, 1500u }) {
        SCOPED_TRACE(cch);
        std::string text = "k=" + std::string(cch - 2, 'x') + "\r\nnext=1\r\n";
        ktest::Poison(szLine);
        char *p = fnGetSectionLine(&text[0], szLine, 1024);
        ASSERT_NE(p, nullptr);
        size_t cchKept = cch < 1023 ? cch : 1023;
        EXPECT_BOUNDED_FROM(szLine, text.substr(0, cchKept).c_str(), 1024);
        /* The cut tail is not an entry of its own. */
        p = fnGetSectionLine(p, szLine, 1024);
        ASSERT_NE(p, nullptr);
        EXPECT_STREQ(szLine, "next=1");
        EXPECT_EQ(fnGetSectionLine(p, szLine, 1024), nullptr);
        EXPECT_STREQ(szLine, "");
    }
}

TEST(SectionLines, LastLineWithoutLineBreakIsRead)
{
    char szLine[1024];
    std::string text = "a=1\r\nlast=2";
    char *p = fnGetSectionLine(&text[0], szLine, sizeof(szLine));
    ASSERT_NE(p, nullptr);
    p = fnGetSectionLine(p, szLine, sizeof(szLine));
    ASSERT_NE(p, nullptr);
    EXPECT_STREQ(szLine, "last=2");
    EXPECT_EQ(*p, '\0');
    EXPECT_EQ(fnGetSectionLine(p, szLine, sizeof(szLine)), nullptr);
    /* A long last line: its first 1,023 characters, then the end. */
    std::string longLast = std::string(1400, 'y');
    p = fnGetSectionLine(&longLast[0], szLine, sizeof(szLine));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(strlen(szLine), 1023u);
    EXPECT_EQ(fnGetSectionLine(p, szLine, sizeof(szLine)), nullptr);
}
