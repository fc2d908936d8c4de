/* Copy sections: reading install and to-disk lines into the record, the
 * header keys, [CopyConfig], the disks section, counting, and whole
 * sections run on files in a directory of the test's own. */
#include "testutil.h"
#include "install/copylist.h"
#include "install/install.h"
#include "script/reader.h"
#include <string>
#include <vector>

using ktest::TempDirTest;

namespace {

class CopyListTest : public TempDirTest {
protected:
    std::string m_src, m_dst, m_log, m_script;

    void SetUp() override
    {
        TempDirTest::SetUp();
        m_saved.Keep(g_szSourceDir);
        m_saved.Keep(g_szFieldDelims);
        m_src = Path("src");
        m_dst = Path("dst");
        ASSERT_TRUE(CreateDirectoryA(m_src.c_str(), NULL));
        fnStrCopy(g_szSourceDir, m_src.c_str());
        fnStrCopy(g_szDestDir, m_dst.c_str());
        m_log = Path("copy.log");
        fnStrCopy(g_szLogFile, m_log.c_str());
        g_bLogWanted = TRUE;
        g_lpszInfText = NULL;
        g_lpszInfNext = NULL;
    }
    void Source(const std::string &name, const std::string &text)
    {
        std::string path = m_src + "\\" + name;
        std::string dir = path.substr(0, path.rfind('\\'));
        fnCreateDirTree(dir.c_str());
        ASSERT_TRUE(ktest::WriteFileText(path, text)) << path;
    }
    std::string Dst(const std::string &name) const { return m_dst + "\\" + name; }
    /* Run the [Files] section of a script that is the whole text. */
    BOOL Run(const std::string &script)
    {
        m_script = script;
        g_lpszInfText = &m_script[0];
        return fnInfCopyFilesSection(NULL, NULL, &m_script[0], "[Files]");
    }
    /* Parse one format A line into a fresh record. */
    int Parse(const char *lpszLine, IFStruct *lpIF, int *lpnCond = NULL)
    {
        int nCond = 0;
        memset(lpIF, 0, sizeof(*lpIF));
        return fnParseCopyLine(NULL, lpszLine, lpIF, lpnCond ? lpnCond : &nCond);
    }
    static UINT TempFilesRJ()
    {
        char szTemp[MAX_PATH];
        GetTempPathA(sizeof(szTemp), szTemp);
        WIN32_FIND_DATAA fd;
        UINT u = 0;
        HANDLE h = FindFirstFileA((std::string(szTemp) + "_RJ*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do
                u++;
            while (FindNextFileA(h, &fd));
            FindClose(h);
        }
        return u;
    }
};

/* ---- letter codes ---- */

struct CodeCase {
    const char *lpszCodes1, *lpszCodes2, *lpszCodes3;
    UINT uInstall, uInUse, uVer;
    BOOL bKeep;
    UINT uCopy, uJoinCopy, uPart, uExist;
    BOOL bRecurse;
};

TEST_F(CopyListTest, LetterCodesDecodeByTheirTables)
{
    const CodeCase aCases[] = {
        { "", "", "", IM_N, IU_P, VA_ASK, FALSE, CM_N, CM_N, JP_NONE, EA_N, FALSE },
        { "+SPCK", "N", "N", IM_S, IU_P, VA_C, TRUE, CM_N, CM_N, JP_NONE, EA_N, TRUE },
        { "vcik", "d", "b", IM_V, IU_C, VA_I, TRUE, CM_D, CM_N, JP_NONE, EA_B, FALSE },
        { "TRK", "R", "U", IM_T, IU_R, VA_K, FALSE, CM_R, CM_N, JP_NONE, EA_U, FALSE },
        { "MS", "S", "S", IM_M, IU_S, VA_ASK, FALSE, CM_S, CM_N, JP_NONE, EA_S, FALSE },
        { "A", "V", "P", IM_A, IU_P, VA_ASK, FALSE, CM_V, CM_N, JP_NONE, EA_P, FALSE },
        { "U", "F", "K", IM_A, IU_P, VA_ASK, FALSE, CM_F, CM_N, JP_NONE, EA_K, FALSE },
        { "R", "C", "X", IM_R, IU_P, VA_ASK, FALSE, CM_C, CM_N, JP_NONE, EA_N, FALSE },
        { "K", "P", "", IM_K, IU_P, VA_ASK, FALSE, CM_P, CM_N, JP_NONE, EA_N, FALSE },
        { "Z", "?", "", IM_N, IU_P, VA_ASK, FALSE, CM_Q, CM_N, JP_NONE, EA_N, FALSE },
        { "N", "W", "", IM_N, IU_P, VA_ASK, FALSE, CM_W, CM_N, JP_NONE, EA_N, FALSE },
        { "N", "JN1", "", IM_N, IU_P, VA_ASK, FALSE, CM_J, CM_N, JP_FIRST, EA_N, FALSE },
        { "N", "JF2", "", IM_N, IU_P, VA_ASK, FALSE, CM_J, CM_F, JP_MID, EA_N, FALSE },
        { "N", "JW12", "", IM_N, IU_P, VA_ASK, FALSE, CM_J, CM_W, JP_MID, EA_N, FALSE },
        { "N", "JC0", "", IM_N, IU_P, VA_ASK, FALSE, CM_J, CM_C, JP_LAST, EA_N, FALSE },
        { "N", "J?01", "", IM_N, IU_P, VA_ASK, FALSE, CM_J, CM_Q, JP_LAST, EA_N, FALSE },
        { "N", "JJ1", "", IM_N, IU_P, VA_ASK, FALSE, CM_J, CM_N, JP_FIRST, EA_N, FALSE },
        /* Only copy mode J reads a join copy mode and a part number. */
        { "N", "NF1", "", IM_N, IU_P, VA_ASK, FALSE, CM_N, CM_N, JP_NONE, EA_N, FALSE },
    };
    for (const CodeCase &c : aCases) {
        SCOPED_TRACE(std::string(c.lpszCodes1) + "," + c.lpszCodes2 + "," + c.lpszCodes3);
        IFStruct ifs;
        memset(&ifs, 0xA5, sizeof(ifs));
        ASSERT_TRUE(fnDecodeCopyCodes(c.lpszCodes1, c.lpszCodes2, c.lpszCodes3, &ifs));
        EXPECT_EQ(ifs.uInstallMode, c.uInstall);
        EXPECT_EQ(ifs.uInUseAction, c.uInUse);
        EXPECT_EQ(ifs.uVerAction, c.uVer);
        EXPECT_EQ(ifs.bKeepAttrib, c.bKeep);
        EXPECT_EQ(ifs.uCopyMode, c.uCopy);
        EXPECT_EQ(ifs.uJoinCopyMode, c.uJoinCopy);
        EXPECT_EQ(ifs.uJoinPart, c.uPart);
        EXPECT_EQ(ifs.uExistAction, c.uExist);
        EXPECT_EQ(ifs.bRecurse, c.bRecurse);
    }
}

TEST_F(CopyListTest, FiveLettersInAnyCodeFieldMakeTheLineBad)
{
    IFStruct ifs;
    EXPECT_FALSE(fnDecodeCopyCodes("SPCKX", "", "", &ifs));
    EXPECT_FALSE(fnDecodeCopyCodes("+SPCKX", "", "", &ifs));
    EXPECT_FALSE(fnDecodeCopyCodes("S", "JN123", "", &ifs));
    EXPECT_FALSE(fnDecodeCopyCodes("S", "N", "NNNNN", &ifs));
    EXPECT_EQ(Parse("1,A.DLL,A.DLL,SPCKK,N,N", &ifs), CL_BAD);
    EXPECT_EQ(Parse("1,A.DLL,A.DLL,+SPCK,NNNN,NNNN", &ifs), CL_READ);
}

/* ---- format A lines ---- */

TEST_F(CopyListTest, PlainLineFillsTheRecord)
{
    IFStruct ifs;
    int nCond = 0;
    ASSERT_EQ(Parse("1,SETUP.EX_,C:\\APP\\SETUP.EXE,S,N,N,Setup program", &ifs, &nCond),
              CL_READ);
    EXPECT_EQ(nCond, COND_NONE);
    EXPECT_EQ(ifs.uInstallMode, (UINT)IM_S);
    EXPECT_EQ(ifs.uCopyMode, (UINT)CM_N);
    EXPECT_EQ(ifs.uExistAction, (UINT)EA_N);
    EXPECT_TRUE(ifs.bPromptDisk);
    EXPECT_STREQ(ifs.szDiskID, "1");
    EXPECT_STREQ(ifs.szSrcFileName, "SETUP.EX_");
    EXPECT_STREQ(ifs.szSrcFilePath, ".");
    EXPECT_STREQ(ifs.szDstFileName, "SETUP.EXE");
    EXPECT_STREQ(ifs.szDstDir, "C:\\APP");
    EXPECT_STREQ(ifs.szDescription, "Setup program");
}

TEST_F(CopyListTest, TestInFrontDecidesTheCondition)
{
    IFStruct ifs;
    int nCond = 0;
    ASSERT_EQ(Parse("A=a,1,X.DLL,X.DLL,N", &ifs, &nCond), CL_READ);
    EXPECT_EQ(nCond, COND_HOLDS);
    EXPECT_STREQ(ifs.szSrcFileName, "X.DLL");
    ASSERT_EQ(Parse("A=B,0,Y.DLL,Y.DLL,N", &ifs, &nCond), CL_READ);
    EXPECT_EQ(nCond, COND_FAILS);
    EXPECT_STREQ(ifs.szSrcFileName, "Y.DLL");
    ASSERT_EQ(Parse("A=~B,0,Y.DLL,Y.DLL", &ifs, &nCond), CL_READ);
    EXPECT_EQ(nCond, COND_HOLDS);
    /* A test with its fields missing is a bad line, whatever it gives. */
    EXPECT_EQ(Parse("A=A,1,X.DLL", &ifs, &nCond), CL_BAD);
}

TEST_F(CopyListTest, MissingOrEmptyDiskSourceOrTargetIsBad)
{
    IFStruct ifs;
    EXPECT_EQ(Parse("1,X.DLL", &ifs), CL_BAD);
    EXPECT_EQ(Parse(",X.DLL,X.DLL", &ifs), CL_BAD);
    EXPECT_EQ(Parse("1,,X.DLL", &ifs), CL_BAD);
    EXPECT_EQ(Parse("1,X.DLL,\"\"", &ifs), CL_BAD);
    EXPECT_EQ(Parse("1,X.DLL,SUB\\", &ifs), CL_BAD);
}

TEST_F(CopyListTest, InvalidCharactersAreReportedAndBad)
{
    IFStruct ifs;
    EXPECT_EQ(Parse("1,A<B.DLL,X.DLL", &ifs), CL_BAD);
    EXPECT_EQ(Parse("1,X.DLL,A|B.DLL", &ifs), CL_BAD);
    EXPECT_EQ(Parse("1,X.DLL,\"A,B.DLL\"", &ifs), CL_BAD);
    EXPECT_EQ(Parse("1,X.DLL,A>B.DLL", &ifs), CL_BAD);
    /* The quiet run's message names the file. */
    std::string log = ktest::ReadFileText(m_log);
    EXPECT_NE(log.find("File A<B.DLL contains invalid character(s)."), std::string::npos) << log;
    EXPECT_NE(log.find("File A,B.DLL contains invalid character(s)."), std::string::npos) << log;
}

TEST_F(CopyListTest, DescriptionKeepsAtMost79Characters)
{
    IFStruct ifs;
    std::string s79(79, 'd');
    ASSERT_EQ(Parse(("1,X.DLL,X.DLL,N,N,N," + s79).c_str(), &ifs), CL_READ);
    EXPECT_EQ(std::string(ifs.szDescription), s79);
    /* Longer descriptions are display text: cut to 79, terminated, line kept. */
    for (size_t cch : { (size_t)80, (size_t)81, (size_t)900 }) {
        ASSERT_EQ(Parse(("1,X.DLL,X.DLL,N,N,N," + std::string(cch, 'e')).c_str(), &ifs),
                  CL_READ)
            << cch;
        EXPECT_EQ(std::string(ifs.szDescription), std::string(79, 'e')) << cch;
        EXPECT_STREQ(ifs.szDstFileName, "X.DLL") << "the rest of the line is read too";
    }
}

TEST_F(CopyListTest, DiskFieldSetsPromptAndId)
{
    IFStruct ifs;
    ASSERT_EQ(Parse("0,X.DLL,X.DLL", &ifs), CL_READ);
    EXPECT_FALSE(ifs.bPromptDisk);
    EXPECT_STREQ(ifs.szDiskID, "");
    ASSERT_EQ(Parse("DISK00,X.DLL,X.DLL", &ifs), CL_READ);
    EXPECT_FALSE(ifs.bPromptDisk);
    ASSERT_EQ(Parse("A,X.DLL,X.DLL", &ifs), CL_READ);
    EXPECT_FALSE(ifs.bPromptDisk);
    ASSERT_EQ(Parse("DISK12345,X.DLL,X.DLL", &ifs), CL_READ);
    EXPECT_TRUE(ifs.bPromptDisk);
    EXPECT_STREQ(ifs.szDiskID, "DISK123");
}

TEST_F(CopyListTest, TargetDirectoryRules)
{
    struct {
        const char *lpszTarget;
        std::string want;
    } aCases[] = {
        { "X.DLL", m_dst },
        { "SYSTEM\\X.DLL", m_dst + "\\SYSTEM" },
        { "\\SYSTEM\\X.DLL", m_dst + "\\SYSTEM" },
        { "C:\\APP\\X.DLL", "C:\\APP" },
        { "C:\\X.DLL", "C:\\" },
        { "\\\\SRV\\SHARE\\X.DLL", "\\\\SRV\\SHARE" },
        { ".\\SUB\\X.DLL", ".\\SUB" },
        { "..\\X.DLL", ".." },
    };
    for (auto &c : aCases) {
        SCOPED_TRACE(c.lpszTarget);
        IFStruct ifs;
        ASSERT_EQ(Parse((std::string("1,X.DLL,") + c.lpszTarget).c_str(), &ifs), CL_READ);
        EXPECT_EQ(std::string(ifs.szDstDir), c.want);
        EXPECT_STREQ(ifs.szDstFileName, "X.DLL");
    }
}

TEST_F(CopyListTest, SourceDirectoryPartOrDot)
{
    IFStruct ifs;
    ASSERT_EQ(Parse("1,DATA\\*.DAT,DATA\\*.DAT,+N", &ifs), CL_READ);
    EXPECT_STREQ(ifs.szSrcFilePath, "DATA");
    EXPECT_STREQ(ifs.szSrcFileName, "*.DAT");
    EXPECT_TRUE(ifs.bRecurse);
    char szDir[MAX_PATH] = ".";
    ASSERT_TRUE(fnResolveSourceDir(szDir, sizeof(szDir)));
    EXPECT_EQ(std::string(szDir), m_src);
    strcpy(szDir, "DATA");
    ASSERT_TRUE(fnResolveSourceDir(szDir, sizeof(szDir)));
    EXPECT_EQ(std::string(szDir), m_src + "\\DATA");
    strcpy(szDir, "C:\\ELSE");
    ASSERT_TRUE(fnResolveSourceDir(szDir, sizeof(szDir)));
    EXPECT_STREQ(szDir, "C:\\ELSE");
}

TEST_F(CopyListTest, OverlongPathAfterExpansionIsBadNotCut)
{
    IFStruct ifs;
    memset(&ifs, 0, sizeof(ifs));
    std::string sLong = "C:\\" + std::string(300, 'p') + "\\X.DLL";
    EXPECT_EQ(Parse(("1,X.DLL," + sLong).c_str(), &ifs), CL_BAD);
    EXPECT_EQ(Parse(("1," + sLong + ",X.DLL").c_str(), &ifs), CL_BAD);
    /* A target that only just fits is kept whole. */
    std::string sFits = "C:\\" + std::string(250, 'p') + "\\X.DLL";
    ASSERT_EQ(sFits.size(), 259u);
    ASSERT_EQ(Parse(("1,X.DLL," + sFits).c_str(), &ifs), CL_READ);
    EXPECT_EQ(std::string(ifs.szDstDir) + "\\" + ifs.szDstFileName, sFits);
}

/* ---- format B lines ---- */

TEST_F(CopyListTest, DiskLineFieldsAndPresetCodes)
{
    IFStruct ifs;
    memset(&ifs, 0xA5, sizeof(ifs));
    DWORD dwBytes = 0;
    BOOL bSwitch = FALSE;
    int nCond = 0;
    ASSERT_EQ(fnParseDiskLine(NULL, "1,A.TXT,SUB\\A.TXT,+Disk two,y,5000", &ifs, &dwBytes,
                              &bSwitch, &nCond), CL_READ);
    EXPECT_EQ(nCond, COND_NONE);
    EXPECT_TRUE(ifs.bRecurse);
    EXPECT_STREQ(ifs.szDescription, "Disk two");
    EXPECT_TRUE(bSwitch);
    EXPECT_EQ(dwBytes, 5000u);
    EXPECT_EQ(std::string(ifs.szDstDir), m_dst + "\\SUB");
    EXPECT_EQ(ifs.uInstallMode, (UINT)IM_A);
    EXPECT_EQ(ifs.uInUseAction, (UINT)IU_P);
    EXPECT_EQ(ifs.uVerAction, (UINT)VA_ASK);
    EXPECT_EQ(ifs.uCopyMode, (UINT)CM_N);
    EXPECT_EQ(ifs.uExistAction, (UINT)EA_N);
    EXPECT_EQ(ifs.uJoinPart, (UINT)JP_NONE);

    ASSERT_EQ(fnParseDiskLine(NULL, "0,A.TXT,A.TXT", &ifs, &dwBytes, &bSwitch, &nCond),
              CL_READ);
    EXPECT_EQ(dwBytes, 1u);
    EXPECT_FALSE(bSwitch);
    EXPECT_FALSE(ifs.bRecurse);
    EXPECT_EQ(std::string(ifs.szDstDir), m_dst);
    /* Qualified directories stay as written; characters format A refuses pass. */
    ASSERT_EQ(fnParseDiskLine(NULL, "0,A.TXT,..\\UP\\A<.TXT", &ifs, &dwBytes, &bSwitch, &nCond),
              CL_READ);
    EXPECT_STREQ(ifs.szDstDir, "..\\UP");
    EXPECT_EQ(fnParseDiskLine(NULL, "0,A.TXT,A.TXT,,N,12x", &ifs, &dwBytes, &bSwitch, &nCond),
              CL_BAD);
    EXPECT_EQ(fnParseDiskLine(NULL, "0,A.TXT,A.TXT,,N,4294967296", &ifs, &dwBytes, &bSwitch,
                              &nCond), CL_BAD);
    EXPECT_EQ(fnParseDiskLine(NULL, ("0,A.TXT,A.TXT," + std::string(80, 'L')).c_str(), &ifs,
                              &dwBytes, &bSwitch, &nCond), CL_BAD);
}

/* ---- the cursor, header keys, [CopyConfig], disks ---- */

TEST_F(CopyListTest, CursorReadsForwardAndStartsAgainOnlyForAStepBack)
{
    std::string text = "a\r\n; note\r\n\r\nb\nc\r\n[Next]\r\nd\r\n";
    CopyCursorStruct cur;
    fnInitCopyCursor(&cur, &text[0]);
    char szLine[64];
    ASSERT_TRUE(fnGetCopyLine(&cur, 1, szLine, sizeof(szLine)));
    EXPECT_STREQ(szLine, "a");
    ASSERT_TRUE(fnGetCopyLine(&cur, 3, szLine, sizeof(szLine)));
    EXPECT_STREQ(szLine, "c");
    EXPECT_EQ(cur.uLine, 3u);
    ASSERT_TRUE(fnGetCopyLine(&cur, 2, szLine, sizeof(szLine)));
    EXPECT_STREQ(szLine, "b");
    EXPECT_FALSE(fnGetCopyLine(&cur, 4, szLine, sizeof(szLine)));
    EXPECT_STREQ(szLine, "");
    EXPECT_FALSE(fnGetCopyLine(&cur, 0, szLine, sizeof(szLine)));
}

TEST_F(CopyListTest, HeaderKeysComeBeforeTheFirstFileLine)
{
    std::string text = "TotalFiles=12\r\nBeQuiet=Yes\r\nA=B,TotalFiles=99\r\nDisksSection=Media\r\n"
                       "DirsSection=[MyDirs]\r\n1,A.TXT,A.TXT\r\nTotalFiles=3\r\n";
    CopyHeaderStruct hdr;
    char *lpszFirst = fnReadCopyHeader(&text[0], &hdr, TRUE);
    ASSERT_NE(lpszFirst, (char *)NULL);
    EXPECT_EQ(std::string(lpszFirst).substr(0, 13), "1,A.TXT,A.TXT");
    EXPECT_TRUE(hdr.bTotalFiles);
    EXPECT_EQ(hdr.uTotalFiles, 12u);
    EXPECT_TRUE(hdr.bBeQuiet);
    EXPECT_TRUE(hdr.bQuietValue);
    EXPECT_STREQ(hdr.szDisksSection, "[Media]");
    EXPECT_STREQ(hdr.szDirsSection, "[MyDirs]");

    /* TotalFiles=0 counts; DirsSection is no key of an install section. */
    std::string text2 = "TotalFiles=0\r\nBeQuiet=N\r\nDirsSection=X\r\n1,A.TXT,A.TXT\r\n";
    lpszFirst = fnReadCopyHeader(&text2[0], &hdr, FALSE);
    EXPECT_EQ(std::string(lpszFirst).substr(0, 13), "DirsSection=X");
    EXPECT_FALSE(hdr.bTotalFiles);
    EXPECT_FALSE(hdr.bQuietValue);
    EXPECT_STREQ(hdr.szDisksSection, "[Disks]");
    EXPECT_STREQ(hdr.szDirsSection, "[MakeDirs]");
}

TEST_F(CopyListTest, CopyConfigGivesTheTotalAndTheQuietMode)
{
    std::string script = "[CopyConfig]\r\nFilesToCopy=7\r\nBeQuiet=N\r\n[Files]\r\n";
    g_lpszInfText = &script[0];
    CopyHeaderStruct hdr;
    memset(&hdr, 0, sizeof(hdr));
    g_bQuiet = TRUE;
    fnReadCopyConfig(&hdr);
    EXPECT_TRUE(hdr.bTotalFiles);
    EXPECT_EQ(hdr.uTotalFiles, 7u);
    EXPECT_FALSE(g_bQuiet);
    g_bQuiet = TRUE;
    /* A 0 counts the files instead of skipping them all. */
    std::string zero = "[CopyConfig]\r\nFilesToCopy=0\r\n";
    g_lpszInfText = &zero[0];
    memset(&hdr, 0, sizeof(hdr));
    fnReadCopyConfig(&hdr);
    EXPECT_FALSE(hdr.bTotalFiles);
}

TEST_F(CopyListTest, DisksSectionLookup)
{
    std::string disks = "1=First disk\r\nA=B,2=Not this one\r\nA=A,2=Second disk\r\n"
                        "3=\"Third, with comma\"\r\nno key here\r\n4=After the end\r\n";
    char szName[80];
    ASSERT_TRUE(fnLookupDiskName(&disks[0], "1", szName, sizeof(szName)));
    EXPECT_STREQ(szName, "First disk");
    ASSERT_TRUE(fnLookupDiskName(&disks[0], "2", szName, sizeof(szName)));
    EXPECT_STREQ(szName, "Second disk");
    ASSERT_TRUE(fnLookupDiskName(&disks[0], "3", szName, sizeof(szName)));
    EXPECT_STREQ(szName, "Third, with comma");
    EXPECT_FALSE(fnLookupDiskName(&disks[0], "4", szName, sizeof(szName)));
    EXPECT_STREQ(szName, "");
    /* A later section of the script is found past the walk's cut. */
    std::string script = "[Files]\r\n";
    std::string rest = "[Disks]\r\n1=Later\r\n";
    g_lpszInfText = &script[0];
    g_lpszInfNext = &rest[0];
    char *lpszDisks = fnFindScriptSection("[Disks]");
    ASSERT_NE(lpszDisks, (char *)NULL);
    ASSERT_TRUE(fnLookupDiskName(lpszDisks, "1", szName, sizeof(szName)));
    EXPECT_STREQ(szName, "Later");
}

TEST_F(CopyListTest, CountingWithWildcardsAndRecursion)
{
    Source("A.TXT", "a");
    Source("DATA\\1.DAT", "1");
    Source("DATA\\2.DAT", "2");
    Source("DATA\\NOTE.TXT", "n");
    Source("DATA\\SUB1\\3.DAT", "3");
    Source("DATA\\SUB1\\DEEP\\4.DAT", "4");
    Source("DATA\\SUB2\\5.DAT", "5");
    ASSERT_TRUE(CreateDirectoryA((m_src + "\\DATA\\X.DAT").c_str(), NULL));
    EXPECT_EQ(fnCountWildFiles((m_src + "\\DATA").c_str(), "*.DAT", FALSE), 2u);
    EXPECT_EQ(fnCountWildFiles((m_src + "\\DATA").c_str(), "*.DAT", TRUE), 5u);
    std::string lines = "1,A.TXT,A.TXT\r\n1,DATA\\*.DAT,D\\*.DAT,N\r\nX=Y,1,A.TXT,B.TXT\r\n"
                        "1,DATA\\*.DAT,E\\*.DAT,+N\r\n1,DATA\\?.TXT,D\\?.TXT\r\n";
    EXPECT_EQ(fnCountCopyFiles(NULL, &lines[0], COPY_MAX_LINES), 1u + 2u + 1u + 5u + 0u);
    EXPECT_EQ(fnCountCopyFiles(NULL, &lines[0], 2), 3u);
    /* A line with a field missing ends the count. */
    std::string broken = "1,A.TXT,A.TXT\r\n1,A.TXT\r\n1,A.TXT,A.TXT\r\n";
    EXPECT_EQ(fnCountCopyFiles(NULL, &broken[0], COPY_MAX_LINES), 1u);
}

/* ---- whole sections ---- */

TEST_F(CopyListTest, MissingOrEmptySectionIsDone)
{
    EXPECT_TRUE(Run("[Other]\r\n1,A.TXT,A.TXT\r\n"));
    EXPECT_TRUE(Run("[Files]\r\n[Other]\r\n"));
    EXPECT_FALSE(ktest::Exists(m_dst));
}

TEST_F(CopyListTest, WildcardRestoresTheRecordOnReturn)
{
    Source("DATA\\A\\1.DAT", "1");
    Source("DATA\\B\\2.DAT", "2");
    IFStruct ifs;
    memset(&ifs, 0, sizeof(ifs));
    fnStrCopy(ifs.szSrcFilePath, (m_src + "\\DATA").c_str());
    fnStrCopy(ifs.szDstDir, m_dst.c_str());
    fnStrCopy(ifs.szSrcFileName, "*.DAT");
    fnStrCopy(ifs.szDstFileName, "*.DAT");
    fnStrCopy(ifs.szWildSpec, "*.DAT");
    ifs.bRecurse = TRUE;
    ifs.uInstallMode = IM_A;
    ASSERT_TRUE(fnCreateDirTree(m_dst.c_str()));
    EXPECT_EQ(fnWildInstallFiles(NULL, &ifs), 1);
    EXPECT_EQ(std::string(ifs.szSrcFilePath), m_src + "\\DATA");
    EXPECT_EQ(std::string(ifs.szDstDir), m_dst);
    EXPECT_STREQ(ifs.szSrcFileName, "*.DAT");
    EXPECT_STREQ(ifs.szDstFileName, "*.DAT");
    EXPECT_EQ(ifs.uFileNum, 2u);
    EXPECT_FILE_TEXT(Dst("A\\1.DAT"), "1");
    EXPECT_FILE_TEXT(Dst("B\\2.DAT"), "2");
}

TEST_F(CopyListTest, JoinPartWithoutItsFirstPartIsBad)
{
    Source("P2", "two-");
    Source("P3", "three");
    UINT uBefore = TempFilesRJ();
    EXPECT_FALSE(Run("[Files]\r\n0,P2,BIG.DAT,N,JN2\r\n0,P3,BIG.DAT,N,JN0\r\n"));
    EXPECT_FALSE(ktest::Exists(Dst("BIG.DAT")));
    /* A part naming another target does not continue the open join. */
    Source("P1", "one-");
    EXPECT_FALSE(Run("[Files]\r\n0,P1,BIG.DAT,N,JN1\r\n0,P2,OTHER.DAT,N,JN0\r\n"));
    EXPECT_FALSE(ktest::Exists(Dst("BIG.DAT")));
    EXPECT_FALSE(ktest::Exists(Dst("OTHER.DAT")));
    EXPECT_EQ(TempFilesRJ(), uBefore);
}

}  // namespace
