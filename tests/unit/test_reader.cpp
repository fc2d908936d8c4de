/* The line and field reader: parameters and the quote rule, keys, line
 * conditions, section lines with every line end, long lines. */
#include <gtest/gtest.h>
#include <string.h>
#include <string>
#include "script/reader.h"
#include "script/script.h"
#include "startup/startup.h"
#include "shell/strutil.h"

namespace {

std::string Param(const char *lpszLine, UINT n, BOOL *lpbOk = nullptr)
{
    char sz[260];
    memset(sz, 0xA5, sizeof(sz));
    BOOL bOk = fnGetParam(lpszLine, n, sz, sizeof(sz));
    if (lpbOk)
        *lpbOk = bOk;
    EXPECT_LT(strlen(sz), sizeof(sz));
    return sz;
}

/* Every entry line of a text, in order. */
std::string Lines(const char *lpszText)
{
    std::string text(lpszText), out;
    char szLine[1024];
    char *p = &text[0];
    while ((p = fnGetSectionLine(p, szLine, sizeof(szLine))) != nullptr)
        out += std::string(szLine) + "|";
    return out;
}

}  // namespace

TEST(ReaderParams, KeysAndSeparators)
{
    BOOL bOk;
    EXPECT_EQ(Param("Key=a,b", 0, &bOk), "Key");
    EXPECT_TRUE(bOk);
    EXPECT_EQ(Param("Key=a,b", 1), "a");
    EXPECT_EQ(Param("Key=a,b", 2), "b");
    EXPECT_EQ(Param("Key=a,b", 3, &bOk), "");
    EXPECT_FALSE(bOk);
    /* No key: parameter 0 fails, parameter 1 is the first field. */
    EXPECT_EQ(Param("a,b=c", 0, &bOk), "");
    EXPECT_FALSE(bOk);
    EXPECT_EQ(Param("a,b=c", 1), "a");
    EXPECT_EQ(Param("a,b=c", 3), "c");
    /* '=' separates parameters too. */
    EXPECT_EQ(Param("K=a=b", 1), "a");
    EXPECT_EQ(Param("K=a=b", 2), "b");
    EXPECT_EQ(Param("  K  =  spaced value\t, x ", 1), "spaced value");
    EXPECT_EQ(Param("  K  =  spaced value\t, x ", 0), "K");
}

TEST(ReaderParams, QuoteRule)
{
    EXPECT_EQ(Param("A=\"x,y\",z", 1), "x,y");
    EXPECT_EQ(Param("A=\"x,y\",z", 2), "z");
    EXPECT_EQ(Param("A=\"say \"\"hi\"\" now\"", 1), "say \"hi\" now");
    /* A quoted name with '=' inside is not a key. */
    EXPECT_EQ(Param("\"a,b\"=c", 1), "a,b");
    EXPECT_EQ(Param("\"a,b\"=c", 2), "c");
    EXPECT_EQ(Param("\"a=b\",c", 1), "a=b");
    BOOL bOk;
    Param("\"a=b\",c", 0, &bOk);
    EXPECT_FALSE(bOk);
    /* Trailing quotes of a parameter are removed. */
    EXPECT_EQ(Param("K=\"ends in \"\"\"", 1), "ends in ");
}

TEST(ReaderParams, ParameterThatDoesNotFitIsRefused)
{
    std::string line = "K=" + std::string(300, 'x');
    char sz[260];
    memset(sz, 0xA5, sizeof(sz));
    EXPECT_FALSE(fnGetParam(line.c_str(), 1, sz, sizeof(sz)));
    EXPECT_EQ(sz[0], '\0');
    line = "K=" + std::string(259, 'y');
    EXPECT_TRUE(fnGetParam(line.c_str(), 1, sz, sizeof(sz)));
    EXPECT_EQ(strlen(sz), 259u);
}

TEST(ReaderParams, DelimiterSets)
{
    char sz[64];
    EXPECT_TRUE(fnGetDelimParam("a;b c", "; ", 2, sz, sizeof(sz)));
    EXPECT_STREQ(sz, "b");
    EXPECT_TRUE(fnGetDelimParam("a;b c", "; ", 3, sz, sizeof(sz)));
    EXPECT_STREQ(sz, "c");
    /* A missing field is empty, and not an error. */
    memset(sz, 0xA5, sizeof(sz));
    EXPECT_TRUE(fnGetDelimParam("a;b", ";", 5, sz, sizeof(sz)));
    EXPECT_STREQ(sz, "");
    EXPECT_TRUE(fnGetDelimParam("k=v,w", ",=", 1, sz, sizeof(sz)));
    EXPECT_STREQ(sz, "k");
}

TEST(ReaderConditions, ListLines)
{
    char szLine[1024];
    strcpy(szLine, "A=B, C:\\X.INI, S, K");
    EXPECT_EQ(fnTestListCondition(szLine, sizeof(szLine)), COND_FAILS);
    EXPECT_STREQ(szLine, "C:\\X.INI, S, K");
    strcpy(szLine, "a=~B,file,text");
    EXPECT_EQ(fnTestListCondition(szLine, sizeof(szLine)), COND_HOLDS);
    EXPECT_STREQ(szLine, "file,text");
    /* An "=" inside a later field is no condition, nor is a quoted one. */
    strcpy(szLine, "C:\\CONFIG.SYS,Device=X,N");
    EXPECT_EQ(fnTestListCondition(szLine, sizeof(szLine)), COND_NONE);
    EXPECT_STREQ(szLine, "C:\\CONFIG.SYS,Device=X,N");
    strcpy(szLine, "\"a=b\",text");
    EXPECT_EQ(fnTestListCondition(szLine, sizeof(szLine)), COND_NONE);
    strcpy(szLine, "x=x");
    EXPECT_EQ(fnTestListCondition(szLine, sizeof(szLine)), COND_NONE);
}

TEST(ReaderConditions, ConditionalForm)
{
    char szLine[1024];
    strcpy(szLine, "FILE.DLL=SRC,DEST");
    EXPECT_EQ(fnTestLineCondition(szLine, sizeof(szLine)), COND_NONE);
    EXPECT_STREQ(szLine, "FILE.DLL=SRC,DEST");
    strcpy(szLine, "X=X,FILE.DLL=SRC");
    EXPECT_EQ(fnTestLineCondition(szLine, sizeof(szLine)), COND_HOLDS);
    EXPECT_STREQ(szLine, "FILE.DLL=SRC");
    strcpy(szLine, "x=Y,FILE.DLL=SRC");
    EXPECT_EQ(fnTestLineCondition(szLine, sizeof(szLine)), COND_FAILS);
    EXPECT_STREQ(szLine, "FILE.DLL=SRC");
    strcpy(szLine, "abc=ABC,k=v");
    EXPECT_EQ(fnTestLineCondition(szLine, sizeof(szLine)), COND_HOLDS);
    /* "~" negates; "<" and ">" compare for equality. */
    strcpy(szLine, "a=~b,k=v");
    EXPECT_EQ(fnTestLineCondition(szLine, sizeof(szLine)), COND_HOLDS);
    strcpy(szLine, "a=~A,k=v");
    EXPECT_EQ(fnTestLineCondition(szLine, sizeof(szLine)), COND_FAILS);
    strcpy(szLine, "a=<a,k=v");
    EXPECT_EQ(fnTestLineCondition(szLine, sizeof(szLine)), COND_HOLDS);
    /* Quoted separators do not make a condition. */
    strcpy(szLine, "K=\"a,b=c\"");
    EXPECT_EQ(fnTestLineCondition(szLine, sizeof(szLine)), COND_NONE);
    /* A line without a key keeps all its fields. */
    strcpy(szLine, "a,b=c,d=e");
    EXPECT_EQ(fnTestLineCondition(szLine, sizeof(szLine)), COND_NONE);
    EXPECT_STREQ(szLine, "a,b=c,d=e");
}

TEST(ReaderLines, LineEndsOfEveryKind)
{
    EXPECT_EQ(Lines("a=1\r\nb=2\r\n"), "a=1|b=2|");
    EXPECT_EQ(Lines("a=1\nb=2\n"), "a=1|b=2|");
    EXPECT_EQ(Lines("a=1\rb=2\r"), "a=1|b=2|");
    /* A last line without a line break is read like any other. */
    EXPECT_EQ(Lines("a=1\r\nb=2"), "a=1|b=2|");
    EXPECT_EQ(Lines("a=1\nb=2"), "a=1|b=2|");
    /* Comments, blank lines and blanks around a line. */
    EXPECT_EQ(Lines("  ; comment\r\n\r\n \t \r\n  a=1  \r\n"), "a=1|");
    /* A header ends the section. */
    EXPECT_EQ(Lines("a=1\r\n  [Next]\r\nb=2\r\n"), "a=1|");
    EXPECT_EQ(Lines(""), "");
}

TEST(ReaderLines, LongLineTailIsNotAnEntry)
{
    std::string text = "k=" + std::string(1498, 'x') + "\r\nnext=1\r\n";
    char szLine[1024];
    memset(szLine, 0xA5, sizeof(szLine));
    char *p = fnGetSectionLine(&text[0], szLine, sizeof(szLine));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(strlen(szLine), 1023u);
    p = fnGetSectionLine(p, szLine, sizeof(szLine));
    ASSERT_NE(p, nullptr);
    EXPECT_STREQ(szLine, "next=1");
    EXPECT_EQ(fnGetSectionLine(p, szLine, sizeof(szLine)), nullptr);
    /* A smaller buffer is never overrun. */
    char szSmall[16];
    memset(szSmall, 0xA5, sizeof(szSmall));
    fnGetSectionLine(&text[0], szSmall, 10);
    EXPECT_EQ(strlen(szSmall), 9u);
    EXPECT_EQ((unsigned char)szSmall[10], 0xA5);
}

TEST(ReaderSections, LocateAndCount)
{
    std::string text = "[A]\r\na=1\r\n[Files] ; main\r\nf=1\r\n;c\r\nf=2\r\n[End]\r\n[Late]\r\nl=1\r\n";
    char *p = fnLocateSection(&text[0], "[files]");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(strncmp(p, "f=1", 3), 0);
    EXPECT_EQ(fnCountSectionLines(&text[0], "[Files]", 100), 2u);
    EXPECT_EQ(fnCountSectionLines(&text[0], "[Files]", 1), 1u);
    /* Nothing after [End] is ever found. */
    EXPECT_EQ(fnLocateSection(&text[0], "[Late]"), nullptr);
    EXPECT_EQ(fnLocateSection(&text[0], "[ Files]"), nullptr);
}

TEST(ReaderSections, DialogLines)
{
    char text[] = "first\r\nsecond\rthird";
    char sz[64];
    char *p = fnReadDlgLine(text, sz, sizeof(sz));
    ASSERT_NE(p, nullptr);
    EXPECT_STREQ(sz, "first");
    p = fnReadDlgLine(p, sz, sizeof(sz));
    ASSERT_NE(p, nullptr);
    EXPECT_STREQ(sz, "second");
    EXPECT_EQ(fnReadDlgLine(p, sz, sizeof(sz)), nullptr);
}

TEST(ReaderStrings, Utilities)
{
    char sz[32] = "Hello World";
    EXPECT_EQ(fnStrStrI(sz, "WORLD"), sz + 6);
    EXPECT_EQ(fnStrAfterI(sz, "hello "), sz + 6);
    EXPECT_EQ(fnStrAfterI(sz, "world"), nullptr);
    EXPECT_TRUE(fnStrReplaceI(sz, sizeof(sz), "world", "There"));
    EXPECT_STREQ(sz, "Hello There");
    /* A replacement that would not fit leaves the text alone. */
    EXPECT_FALSE(fnStrReplaceI(sz, sizeof(sz), "There", "a very much longer text here"));
    EXPECT_STREQ(sz, "Hello There");
    char szTrim[] = " \t a b \t ";
    fnTrim(szTrim);
    EXPECT_STREQ(szTrim, "a b");
    EXPECT_FALSE(fnIsValidFileName("a,b"));
    EXPECT_FALSE(fnIsValidFileName("a|b"));
    EXPECT_TRUE(fnIsValidFileName("a b.txt"));
    char szSplit[] = "a;b;;c";
    EXPECT_EQ(fnStrSplitAt(szSplit, ';'), 4u);
    EXPECT_STREQ(szSplit + 2, "b");
    EXPECT_STREQ(szSplit + 5, "c");
}
