/* Text edits of configuration files and PATH lines, checked byte for
 * byte on CR LF and LF files. */
#include "testutil.h"
#include "config/config.h"
#include <string>

using ktest::TempDirTest;

namespace {

class TextEditTest : public TempDirTest {
protected:
    std::string m_log;

    void SetUp() override
    {
        TempDirTest::SetUp();
        m_log = Path("edit.log");
        fnStrCopy(g_szLogFile, m_log.c_str());
        g_bLogWanted = TRUE;
    }
    /* The file after one edit; "<failed>" when the edit refused. */
    std::string Edit(const std::string &text, const char *lpszSection, const char *lpszKey,
                     const char *lpszValue, const char *lpszType, char cAction = 'N',
                     const char *lpszOption = "")
    {
        std::string in = Path("in.ini"), out = Path("out.tmp");
        EXPECT_TRUE(ktest::WriteFileText(in, text));
        if (!fnEditIniLine(in.c_str(), out.c_str(), lpszSection, lpszKey, lpszValue, lpszType,
                           cAction, lpszOption))
            return "<failed>";
        return ktest::ReadFileText(out);
    }
    std::string EditPath(const std::string &text, const char *lpszPrefix, const char *lpszKey,
                         const char *lpszValue, char cAction = 'N', const char *lpszOption = "E")
    {
        std::string in = Path("AUTOEXEC.BAT"), out = Path("out.tmp");
        EXPECT_TRUE(ktest::WriteFileText(in, text));
        if (!fnEditPath(in.c_str(), out.c_str(), lpszPrefix, lpszKey, lpszValue, cAction,
                        lpszOption))
            return "<failed>";
        return ktest::ReadFileText(out);
    }
    std::string Log() { return ktest::ReadFileText(m_log); }
};

TEST_F(TextEditTest, TypeWAddsTheSectionOrTheKeyAtTheEnd)
{
    /* Missing section: header and line at the end, no empty line before it. */
    EXPECT_EQ(Edit("[Other]\r\na=1\r\n", "[Boot]", "Shell", "NEW.EXE", "W"),
              "[Other]\r\na=1\r\n[Boot]\r\nShell=NEW.EXE\r\n");
    EXPECT_EQ(Edit("[Other]\na=1\n", "[Boot]", "Shell", "NEW.EXE", "W"),
              "[Other]\na=1\n[Boot]\nShell=NEW.EXE\n");
    /* The key missing from the last section: appended; a last line without
       its line end gets one first. */
    EXPECT_EQ(Edit("[Boot]\r\na=1\r\n", "[Boot]", "Shell", "X", "W"),
              "[Boot]\r\na=1\r\nShell=X\r\n");
    EXPECT_EQ(Edit("[Boot]\r\na=1", "[Boot]", "Shell", "X", "W"), "[Boot]\r\na=1\r\nShell=X\r\n");
    EXPECT_EQ(Edit("", "[Boot]", "Shell", "X", "W"), "[Boot]\r\nShell=X\r\n");
    /* An empty value writes the key alone. */
    EXPECT_EQ(Edit("[Boot]\n", "[Boot]", "Flag", "", "W"), "[Boot]\nFlag\n");
}

TEST_F(TextEditTest, TypeWInsertsBeforeTheEmptyLineThatEndsTheSection)
{
    EXPECT_EQ(Edit("[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n", "[A]", "k", "v", "W"),
              "[A]\r\nx=1\r\nk=v\r\n\r\n[B]\r\ny=2\r\n");
    /* LF file: the step back is one byte, the line ends stay LF. */
    EXPECT_EQ(Edit("[A]\nx=1\n\n[B]\ny=2\n", "[A]", "k", "v", "W"), "[A]\nx=1\nk=v\n\n[B]\ny=2\n");
    /* No empty line before the next header: one is added. */
    EXPECT_EQ(Edit("[A]\r\nx=1\r\n[B]\r\n", "[A]", "k", "v", "W"), "[A]\r\nx=1\r\nk=v\r\n\r\n[B]\r\n");
    /* The key is found in its own section only. */
    EXPECT_EQ(Edit("[B]\r\nk=0\r\n[A]\r\nx=1\r\n", "[A]", "k", "v", "W"),
              "[B]\r\nk=0\r\n[A]\r\nx=1\r\nk=v\r\n");
}

TEST_F(TextEditTest, TypeWActionsOnAFoundLine)
{
    const std::string f = "[S]\r\n  Key = old\r\nNext=1\r\n";
    EXPECT_EQ(Edit(f, "[S]", "Key", "new", "W", 'N'), "[S]\r\nKey=new\r\nNext=1\r\n");
    EXPECT_EQ(Edit(f, "[S]", "Key", "new", "W", 'R'), "[S]\r\nKey=new\r\nNext=1\r\n");
    EXPECT_EQ(Edit(f, "[S]", "Key", "new", "W", 'D'), "[S]\r\nNext=1\r\n");
    EXPECT_EQ(Edit(f, "[S]", "Key", "new", "W", 'S'), f);
    EXPECT_EQ(Edit(f, "[S]", "Key", "new", "W", 'A'), "[S]\r\n  Key = old\r\nKey=new\r\nNext=1\r\n");
    EXPECT_EQ(Edit(f, "[S]", "Key", "new", "W", 'I'), "[S]\r\nKey=new\r\n  Key = old\r\nNext=1\r\n");
    EXPECT_EQ(Edit(f, "[S]", "Key", "new", "W", 'Z'), f);
    /* Nothing found: R and D add nothing, S and the others add. */
    EXPECT_EQ(Edit(f, "[S]", "Gone", "v", "W", 'R'), f);
    EXPECT_EQ(Edit(f, "[S]", "Gone", "v", "W", 'D'), f);
    EXPECT_EQ(Edit(f, "[S]", "Gone", "v", "W", 'S'), f + "Gone=v\r\n");
    /* A key is found at the start of a longer key. */
    EXPECT_EQ(Edit("[S]\r\nPathX=1\r\n", "[S]", "Path", "2", "W"), "[S]\r\nPath=2\r\n");
}

TEST_F(TextEditTest, AnEmptyKeyMatchesNoLine)
{
    const std::string f = "[S]\r\na=1\r\nb=2\r\n";
    EXPECT_EQ(Edit(f, "[S]", "", "", "W", 'D'), f);
    EXPECT_EQ(Edit(f, "[S]", "", "v", "R", 'N'), f);
    EXPECT_EQ(Edit(f, "", "", "", "C", 'D'), f);
}

TEST_F(TextEditTest, TypesMAndSLookAtTheValueToo)
{
    const std::string f = "[S]\r\nDevice=HIMEM.SYS\r\nDevice=EMM386.EXE RAM\r\n";
    EXPECT_EQ(Edit(f, "[S]", "Device", "EMM386.EXE NOEMS", "M", 'N', "EMM386"),
              "[S]\r\nDevice=HIMEM.SYS\r\nDevice=EMM386.EXE NOEMS\r\n");
    /* Without an option M looks for the value itself. */
    EXPECT_EQ(Edit(f, "[S]", "Device", "HIMEM.SYS", "M", 'D'), "[S]\r\nDevice=EMM386.EXE RAM\r\n");
    /* M keeps a found line on A. */
    EXPECT_EQ(Edit(f, "[S]", "Device", "X", "M", 'A', "HIMEM"), f);
    /* S keeps the line's own key on N, and without an option always adds. */
    EXPECT_EQ(Edit("[S]\r\nDeviceHigh = A.SYS\r\n", "[S]", "Device", "B.SYS", "S", 'N', "A.SYS"),
              "[S]\r\nDeviceHigh=B.SYS\r\n");
    EXPECT_EQ(Edit("[S]\r\nDevice=A\r\n", "[S]", "Device", "A", "S"),
              "[S]\r\nDevice=A\r\nDevice=A\r\n");
}

TEST_F(TextEditTest, TypeFComparesTheFirstWord)
{
    EXPECT_EQ(Edit("[S]\r\nload=old.exe\r\n", "[S]", "load extra", "new.exe", "F"),
              "[S]\r\nload extra=new.exe\r\n");
    EXPECT_EQ(Edit("[S]\r\nrun=x\r\n", "[S]", "load extra", "y", "F"),
              "[S]\r\nrun=x\r\nload extra=y\r\n");
}

TEST_F(TextEditTest, TypeNInsertsTheFirstEntry)
{
    EXPECT_EQ(Edit("[S]\r\nDEVICE=A\r\nDEVICE=B\r\n", "[S]", "DEVICE", "DEVICE=C", "N"),
              "[S]\r\nDEVICE=C\r\n\r\nDEVICE=A\r\nDEVICE=B\r\n");
    /* Missing section: an empty line, the header, the line. */
    EXPECT_EQ(Edit("REM x\n", "[S]", "K", "", "N"), "REM x\n\n[S]\nK\n");
    EXPECT_EQ(Edit("", "[S]", "K", "", "N"), "[S]\r\nK\r\n");
}

TEST_F(TextEditTest, TypeOEndsTheSectionAtTheOptionText)
{
    const std::string f = "#begin\r\nx\r\n\r\n#end\r\ny\r\n";
    EXPECT_EQ(Edit(f, "#begin", "z", "", "O", 'N', "#end"), "#begin\r\nx\r\nz\r\n\r\n#end\r\ny\r\n");
    EXPECT_EQ(Edit("a\r\n", "#begin", "z", "", "O", 'N', "#end"),
              "a\r\n#end\r\n#begin\r\nz\r\n");
}

TEST_F(TextEditTest, WholeLineTypesCKLBX)
{
    const std::string f = "@ECHO OFF\r\nREM x\r\nLH C:\\MOUSE\\MOUSE.COM\r\nC:\\WINDOWS\\WIN.COM\r\n";
    EXPECT_EQ(Edit(f, "", "LH C:\\MOUSE", "LH D:\\M.COM", "C"),
              "@ECHO OFF\r\nREM x\r\nLH D:\\M.COM\r\nC:\\WINDOWS\\WIN.COM\r\n");
    EXPECT_EQ(Edit(f, "LH", "MOUSE", "", "L", 'D'), "@ECHO OFF\r\nREM x\r\nC:\\WINDOWS\\WIN.COM\r\n");
    /* L with an empty section field works as C. */
    EXPECT_EQ(Edit(f, "", "REM", "REM y", "L"), "@ECHO OFF\r\nREM y\r\nLH C:\\MOUSE\\MOUSE.COM\r\nC:\\WINDOWS\\WIN.COM\r\n");
    EXPECT_EQ(Edit(f, "MOUSE.COM", "C:\\", "", "B", 'D'), "@ECHO OFF\r\nREM x\r\nC:\\WINDOWS\\WIN.COM\r\n");
    EXPECT_EQ(Edit(f, "LH", "MOUSE", "", "X", 'D'), f);
    EXPECT_EQ(Edit(f, "REM", "C:\\", "", "X", 'D'), "@ECHO OFF\r\nREM x\r\nC:\\WINDOWS\\WIN.COM\r\n");
    /* K writes the value as it is. */
    EXPECT_EQ(Edit("a\n", "", "SET X", "SET X=1", "K"), "a\nSET X=1\n");
}

TEST_F(TextEditTest, PlacementsTAAndB)
{
    const std::string f = "REM one\r\n  @ECHO OFF\r\nPATH C:\\DOS\r\n  WIN\r\n";
    EXPECT_EQ(Edit(f, "", "SET A", "SET A=1", "C", 'N', "T"), "SET A=1\r\n" + f);
    EXPECT_EQ(Edit(f, "", "SET A", "SET A=1", "C", 'N', "A"),
              "REM one\r\n@ECHO OFF\r\nSET A=1\r\nPATH C:\\DOS\r\nWIN\r\n");
    EXPECT_EQ(Edit("REM one\r\nREM two\r\n", "", "SET A", "SET A=1", "C", 'N', "a"),
              "REM one\r\nSET A=1\r\nREM two\r\n");
    EXPECT_EQ(Edit(f, "", "SET A", "SET A=1", "B", 'N', "B"),
              "REM one\r\n@ECHO OFF\r\nPATH C:\\DOS\r\nSET A=1\r\nWIN\r\n");
    /* No WIN line: at the end. */
    EXPECT_EQ(Edit("REM one\n  REM two", "", "SET A", "SET A=1", "B", 'N', "B"),
              "REM one\nREM two\nSET A=1\n");
    /* K with a section text and T: the section text, then the line. */
    EXPECT_EQ(Edit("x\r\n", "[K]", "k", "", "K", 'N', "T"), "[K]\r\nk\r\nx\r\n");
    /* A found line is not placed again. */
    EXPECT_EQ(Edit(f, "", "PATH", "PATH D:\\", "C", 'N', "T"),
              "REM one\r\n  @ECHO OFF\r\nPATH D:\\\r\n  WIN\r\n");
}

TEST_F(TextEditTest, TypeRReplacesEveryOccurrence)
{
    const std::string f = "[S]\r\na=OLD;OLD\r\nb=old\r\n[T]\r\nc=OLD\r\n";
    EXPECT_EQ(Edit(f, "[S]", "old", "NEWER", "R"), "[S]\r\na=NEWER;NEWER\r\nb=NEWER\r\n[T]\r\nc=OLD\r\n");
    EXPECT_EQ(Edit(f, "[S]", "OLD", "", "R", 'D'), "[S]\r\na=;\r\nb=\r\n[T]\r\nc=OLD\r\n");
    /* A value that holds the key is not replaced again. */
    EXPECT_EQ(Edit("x=ab\n", "", "a", "aa", "R"), "x=aab\n");
    EXPECT_NE(Log().find("in.ini, \"[S]\", \"old\", \"a=NEWER;NEWER\""), std::string::npos);
}

TEST_F(TextEditTest, UnreadableOrOverlongInputFails)
{
    std::string nul("[S]\r\na=1\0b\r\n", 12);
    EXPECT_EQ(Edit(nul, "[S]", "k", "v", "W"), "<failed>");
    EXPECT_EQ(Edit(std::string(1100, 'x') + "\r\n", "", "k", "v", "C"), "<failed>");
    /* A line of 1,021 characters and its CR LF fit; one more does not. */
    std::string value(1019, 'v');
    EXPECT_EQ(Edit("", "", "k", value.c_str(), "W"), "k=" + value + "\r\n");
    value += "v";
    EXPECT_EQ(Edit("", "", "k", value.c_str(), "W"), "<failed>");
    /* R whose result would not fit. */
    EXPECT_EQ(Edit("aaaa\r\n", "", "a", std::string(300, 'b').c_str(), "R"), "<failed>");
    std::string in = Path("missing.ini"), out = Path("o.tmp");
    EXPECT_FALSE(fnEditIniLine(in.c_str(), out.c_str(), "[S]", "k", "v", "W", 'N', ""));
}

TEST_F(TextEditTest, LogRecordsOfTextEdits)
{
    Edit("[S]\r\nk=old\r\n", "[S]", "k", "new", "W", 'N');
    Edit("", "[T]", "k", "v", "W\\", 'N', "opt");
    std::string log = Log();
    std::string f = Path("in.ini");
    EXPECT_NE(log.find(f + ", \"[S]\", \"k\", \"k=old\",\"k=new\", W\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find(f + ", \"[T]\", \"k\", \"\",\"\", W\\,\"opt\"\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find(f + ", \"[T]\", \"k\", \"\",\"k=v\", W\\,\"opt\"\r\n"), std::string::npos) << log;
}

TEST_F(TextEditTest, PathLineForms)
{
    const char *apszForms[] = { "SET PATH = ", "SET PATH =", "SET PATH= ", "SET PATH=",
                                "@SET PATH = ", "@SET PATH=", "PATH = ", "PATH =", "PATH= ",
                                "PATH ", "PATH=", "@PATH = ", "@PATH ", "@PATH=" };
    for (const char *lpszForm : apszForms) {
        std::string line = std::string(lpszForm) + "C:\\DOS";
        EXPECT_STREQ(fnFindPathLine(line.c_str()), "C:\\DOS") << lpszForm;
        /* Every form is rebuilt with the script's prefix. */
        EXPECT_EQ(EditPath("  " + line + "\r\n", "SET PATH", "", "C:\\APP"),
                  "SET PATH C:\\APP;C:\\DOS\r\n") << lpszForm;
    }
    EXPECT_EQ(fnFindPathLine("PATHEXT=.COM"), nullptr);
    EXPECT_EQ(fnFindPathLine("SET PATHX=1"), nullptr);
}

TEST_F(TextEditTest, PathEntriesAddedReplacedRemoved)
{
    const std::string f = "@ECHO OFF\r\nPATH C:\\DOS\r\n";
    EXPECT_EQ(EditPath(f, "PATH", "", "C:\\APP"), "@ECHO OFF\r\nPATH C:\\APP;C:\\DOS\r\n");
    EXPECT_EQ(EditPath(f, "PATH", "", "C:\\APP", 'E'), "@ECHO OFF\r\nPATH C:\\DOS;C:\\APP\r\n");
    /* Whole entries only: \APP is not found inside C:\APP. */
    EXPECT_EQ(EditPath("PATH=C:\\APP;C:\\DOS\n", "PATH=", "\\APP", "D:\\", 'D'),
              "PATH=C:\\APP;C:\\DOS\n");
    EXPECT_EQ(EditPath("PATH=C:\\APP;C:\\OLD;C:\\DOS\n", "PATH=", "c:\\old", "", 'D'),
              "PATH=C:\\APP;C:\\DOS\n");
    EXPECT_EQ(EditPath("PATH=C:\\OLD\nSET PATH=%PATH%;C:\\OLD;\n", "PATH=", "C:\\OLD;", "", 'D'),
              "PATH=\nPATH=%PATH%\n");
    EXPECT_EQ(EditPath("PATH C:\\OLD;C:\\DOS\r\n", "PATH", "C:\\OLD", "C:\\NEW", 'R'),
              "PATH C:\\NEW;C:\\DOS\r\n");
    /* S keeps a line that holds the entry; R and D keep one that does not. */
    EXPECT_EQ(EditPath("  PATH x;C:\\OLD\r\n", "SET PATH=", "C:\\OLD", "C:\\NEW", 'S'),
              "PATH x;C:\\OLD\r\n");
    EXPECT_EQ(EditPath("PATH  x\r\n", "SET PATH=", "C:\\OLD", "C:\\NEW", 'R'), "PATH  x\r\n");
}

TEST_F(TextEditTest, PathLineAddedByPlacement)
{
    const std::string f = "REM a\r\n@echo off\r\nWIN\r\n";
    EXPECT_EQ(EditPath(f, "PATH", "", "C:\\APP", 'N', "E"), f + "PATH C:\\APP\r\n");
    EXPECT_EQ(EditPath(f, "PATH", "", "C:\\APP", 'N', ""), f + "PATH C:\\APP\r\n");
    EXPECT_EQ(EditPath(f, "PATH", "", "C:\\APP", 'N', "B"), "PATH C:\\APP\r\n" + f);
    EXPECT_EQ(EditPath(f, "PATH", "", "C:\\APP", 'N', "A"),
              "REM a\r\n@echo off\r\nPATH C:\\APP\r\nWIN\r\n");
    EXPECT_EQ(EditPath("REM a\nREM b", "SET PATH=", "", "C:\\APP;", 'N', "A"),
              "REM a\nSET PATH=C:\\APP\nREM b");
    EXPECT_EQ(EditPath("REM a", "PATH", "", "C:\\APP", 'N', "E"), "REM a\r\nPATH C:\\APP\r\n");
    EXPECT_EQ(EditPath(f, "PATH", "", "C:\\APP", 'D', "E"), f);
    /* A PATH line that would not fit fails the edit. */
    std::string longlist = "PATH " + std::string(1010, 'x') + "\r\n";
    EXPECT_EQ(EditPath(longlist, "PATH", "", "C:\\APPLICATION"), "<failed>");
}

}  // namespace
