/* The command file: [START] written and read back, missing keys, the
 * true values of the two flags.  Each case uses a file name of its own:
 * the profile functions keep files cached by name. */
#include "testutil.h"

namespace {

class CmdFile : public ktest::TempDirTest {
protected:
    /* A record with every field stale, to see what a read replaces. */
    static CmdLineStruct Stale()
    {
        CmdLineStruct cmd;
        memset(&cmd, 0, sizeof(cmd));
        for (char *lpsz : { cmd.szIniFile, cmd.szSourceDir, cmd.szDestDir, cmd.szCmdFile })
            strcpy(lpsz, "STALE PATH");
        strcpy(cmd.szStartupMsg, "stale message");
        strcpy(cmd.szAskFor, "STALE");
        cmd.bTempExec = cmd.bBeQuiet = cmd.bStartupMsg = TRUE;
        return cmd;
    }
    /* The lines of a file, without their line ends. */
    std::vector<std::string> Lines(const std::string &path)
    {
        std::vector<std::string> out;
        std::string text = ktest::ReadFileText(path), line;
        for (char c : text) {
            if (c == '\n') {
                out.push_back(line);
                line.clear();
            } else if (c != '\r') {
                line += c;
            }
        }
        if (!line.empty())
            out.push_back(line);
        return out;
    }
};

}  // namespace

TEST_F(CmdFile, RoundTripKeepsEveryStoredField)
{
    CmdLineStruct w;
    memset(&w, 0, sizeof(w));
    strcpy(w.szIniFile, "C:\\SRC\\SETUP.INF");
    strcpy(w.szSourceDir, "C:\\SRC");
    strcpy(w.szDestDir, "C:\\PROGRAM FILES\\APP");
    strcpy(w.szStartupMsg, "Second run, please wait");
    strcpy(w.szAskFor, "ANSWER ONE");
    strcpy(w.szCmdFile, "C:\\NEXT.CMD");
    w.bTempExec = w.bBeQuiet = w.bStartupMsg = w.bNoPrompts = TRUE;
    std::string file = Path("run.cmd");
    ASSERT_TRUE(fnWriteCmdFile(file.c_str(), &w));
    CmdLineStruct r = Stale();
    ASSERT_TRUE(fnReadCmdFile(file.c_str(), &r));
    EXPECT_STREQ(r.szIniFile, w.szIniFile);
    EXPECT_STREQ(r.szSourceDir, w.szSourceDir);
    EXPECT_STREQ(r.szDestDir, w.szDestDir);
    EXPECT_STREQ(r.szStartupMsg, w.szStartupMsg);
    EXPECT_STREQ(r.szAskFor, w.szAskFor);
    EXPECT_STREQ(r.szCmdFile, w.szCmdFile);
    EXPECT_TRUE(r.bTempExec);
    EXPECT_TRUE(r.bBeQuiet);
    EXPECT_TRUE(r.bStartupMsg);
    /* The no-prompts flag is not stored: a read leaves it as it was. */
    EXPECT_FALSE(r.bNoPrompts);
    r.bNoPrompts = TRUE;
    ASSERT_TRUE(fnReadCmdFile(file.c_str(), &r));
    EXPECT_TRUE(r.bNoPrompts);
}

TEST_F(CmdFile, OnlyKeysWithAValueInTheirOrder)
{
    CmdLineStruct w;
    memset(&w, 0, sizeof(w));
    strcpy(w.szStartupMsg, "msg");
    strcpy(w.szDestDir, "C:\\D");
    w.bBeQuiet = TRUE;
    w.bNoPrompts = TRUE;
    std::string file = Path("order.cmd");
    ASSERT_TRUE(fnWriteCmdFile(file.c_str(), &w));
    std::vector<std::string> want = { "[START]", "BEQUIET=TRUE", "DESTDIR=C:\\D",
                                      "STARTUPMSG=msg" };
    EXPECT_EQ(Lines(file), want);
}

TEST_F(CmdFile, MissingKeysLeaveTheirFieldsEmpty)
{
    std::string file = Path("partial.cmd");
    ASSERT_TRUE(ktest::WriteFileText(file, "[START]\r\nDESTDIR=C:\\ONLY\r\n"));
    CmdLineStruct r = Stale();
    ASSERT_TRUE(fnReadCmdFile(file.c_str(), &r));
    EXPECT_STREQ(r.szDestDir, "C:\\ONLY");
    EXPECT_STREQ(r.szIniFile, "");
    EXPECT_STREQ(r.szSourceDir, "");
    EXPECT_STREQ(r.szCmdFile, "");
    EXPECT_STREQ(r.szAskFor, "");
    EXPECT_STREQ(r.szStartupMsg, "");
    EXPECT_FALSE(r.bTempExec);
    EXPECT_FALSE(r.bBeQuiet);
    EXPECT_FALSE(r.bStartupMsg);
    /* A file that is not there reads as all empty. */
    r = Stale();
    ASSERT_TRUE(fnReadCmdFile(Path("absent.cmd").c_str(), &r));
    EXPECT_STREQ(r.szDestDir, "");
    EXPECT_FALSE(r.bBeQuiet);
    EXPECT_FALSE(fnReadCmdFile("", &r));
    EXPECT_FALSE(fnWriteCmdFile("", &r));
}

TEST_F(CmdFile, FlagsAreTrueForTrueOrANonZeroNumber)
{
    struct {
        const char *lpszValue;
        BOOL bWant;
    } const aCases[] = {
        { "TRUE", TRUE }, { "true", TRUE }, { "1", TRUE },    { "2", TRUE },
        { "-1", TRUE },   { "0", FALSE },   { "FALSE", FALSE }, { "yes", FALSE },
        { "", FALSE },
    };
    int n = 0;
    for (const auto &c : aCases) {
        SCOPED_TRACE(c.lpszValue);
        std::string file = Path("flags" + std::to_string(n++) + ".cmd");
        ASSERT_TRUE(ktest::WriteFileText(file, std::string("[START]\r\nTEMPEXEC=") +
                                                   c.lpszValue + "\r\nBEQUIET=" + c.lpszValue +
                                                   "\r\n"));
        CmdLineStruct r = Stale();
        ASSERT_TRUE(fnReadCmdFile(file.c_str(), &r));
        EXPECT_EQ(r.bTempExec, c.bWant);
        EXPECT_EQ(r.bBeQuiet, c.bWant);
    }
}

TEST_F(CmdFile, LongTextsAreBoundedByTheirFields)
{
    std::string file = Path("long.cmd");
    ASSERT_TRUE(ktest::WriteFileText(file, "[START]\r\nASKFOR=" + std::string(200, 'a') +
                                               "\r\nDESTDIR=" + std::string(300, 'd') + "\r\n"));
    CmdLineStruct r = Stale();
    ASSERT_TRUE(fnReadCmdFile(file.c_str(), &r));
    EXPECT_EQ(strnlen(r.szAskFor, sizeof(r.szAskFor)), sizeof(r.szAskFor) - 1);
    EXPECT_EQ(strnlen(r.szDestDir, sizeof(r.szDestDir)), sizeof(r.szDestDir) - 1);
    EXPECT_STREQ(r.szSourceDir, "");
}
