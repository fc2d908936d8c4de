/* The install engine on real files: install modes against fresh, newer,
 * older and identical destinations, expansion and plain copies, times and
 * attributes, exist actions, copy modes W and C, old copies elsewhere,
 * missing sources and the disk dialog, and the seams of the dialogs. */
#include "enginetest.h"

using ktest::EngineTest;
using ktest::ReadFileText;
using ktest::SameTime;
using ktest::TimeOf;

namespace ktest {
DialogLog g_dialogLog;

INT_PTR RecordDialog(HWND, UINT uTemplate, DLGPROC, LPARAM lParam)
{
    DialogLog &log = g_dialogLog;
    log.templates.push_back(uTemplate);
    if (uTemplate == IDD_SOURCEDISK)
        log.files.push_back(g_szDiskFile);
    else if (uTemplate == IDD_VERCONFLICT)
        log.files.push_back(((const VersionConflictStruct *)lParam)->szDstName);
    else
        log.files.push_back(((const FileChoiceStruct *)lParam)->szFile);
    size_t i = log.templates.size() - 1;
    INT_PTR nAnswer = log.answers.empty() ? IDCANCEL
                                          : log.answers[i < log.answers.size() ? i : log.answers.size() - 1];
    if (uTemplate == IDD_SOURCEDISK && nAnswer == IDOK)
        fnStrCopy(g_szDiskLocation, log.diskLocation.c_str());
    return nAnswer;
}
}  // namespace ktest

using ktest::g_dialogLog;

namespace {

/* ---- install modes ---- */

TEST_F(EngineTest, EveryModeInstallsOntoAFreshDestination)
{
    ASSERT_TRUE(Put(Fixture("ver_4002"), m_src, "APP.DLL"));
    const std::string want = ReadFileText(Src("APP.DLL"));
    const UINT auModes[] = { IM_N, IM_S, IM_V, IM_T, IM_M, IM_A, IM_R, IM_K };
    for (UINT uMode : auModes) {
        SCOPED_TRACE(uMode);
        DeleteFileA(Dst("APP.DLL").c_str());
        Prepare("APP.DLL", "APP.DLL", uMode);
        EXPECT_EQ(Install(), 0);
        EXPECT_EQ(ReadFileText(Dst("APP.DLL")), want);
        EXPECT_TRUE(SameTime(TimeOf(Dst("APP.DLL")), TimeOf(Src("APP.DLL"))));
        EXPECT_TRUE(ktest::FilesLike(m_dst, "_VS*").empty());
    }
}

TEST_F(EngineTest, IdenticalVersionsCopyNothingAndCountAsInstalled)
{
    ASSERT_TRUE(Put(Fixture("ver_4001"), m_src, "APP.DLL"));
    const UINT auModes[] = { IM_V, IM_T, IM_S, IM_M };
    for (UINT uMode : auModes) {
        SCOPED_TRACE(uMode);
        ASSERT_TRUE(Put(Fixture("ver_4001"), m_dst, "APP.DLL"));
        ASSERT_TRUE(ktest::SetYear(Dst("APP.DLL"), 1999));
        const FILETIME ftOld = TimeOf(Dst("APP.DLL"));
        Prepare("APP.DLL", "APP.DLL", uMode);
        EXPECT_EQ(Install(), 0);
        /* Not rewritten: the old time stamp is still there. */
        EXPECT_TRUE(SameTime(TimeOf(Dst("APP.DLL")), ftOld));
        EXPECT_TRUE(ktest::FilesLike(m_dst, "_VS*").empty());
    }
    /* Mode N does not compare: the file is written again. */
    Prepare("APP.DLL", "APP.DLL", IM_N);
    EXPECT_EQ(Install(), 0);
    EXPECT_TRUE(SameTime(TimeOf(Dst("APP.DLL")), TimeOf(Src("APP.DLL"))));
}

struct ModeCase {
    UINT uMode, uCopy, uVerAction;
    const char *lpszSource, *lpszExisting;
    int nResult;
    bool bInstalled;
};

TEST_F(EngineTest, VersionRulesOntoNewerAndOlderFiles)
{
    const ModeCase aCases[] = {
        /* the source is older than the existing file */
        { IM_N, CM_N, VA_ASK, "ver_4001", "ver_4002", 0, true },
        { IM_S, CM_N, VA_ASK, "ver_4001", "ver_4002", 1, false },   /* quiet: kept */
        { IM_V, CM_N, VA_ASK, "ver_4001", "ver_4002", 1, false },
        { IM_T, CM_N, VA_ASK, "ver_4001", "ver_4002", 1, false },   /* older: not forced */
        { IM_M, CM_N, VA_ASK, "ver_4001", "ver_4002", 1, false },
        { IM_S, CM_N, VA_K, "ver_4001", "ver_4002", 1, false },
        { IM_S, CM_N, VA_C, "ver_4001", "ver_4002", 2, false },     /* stops the section */
        { IM_S, CM_N, VA_I, "ver_4001", "ver_4002", 0, true },      /* forced */
        { IM_S, CM_F, VA_ASK, "ver_4001", "ver_4002", 0, true },
        { IM_S, CM_S, VA_ASK, "ver_4001", "ver_4002", 1, false },
        { IM_A, CM_N, VA_ASK, "ver_4001", "ver_4002", 0, true },    /* as is */
        { IM_K, CM_N, VA_ASK, "ver_4001", "ver_4002", 0, true },
        { IM_R, CM_N, VA_ASK, "ver_4001", "ver_4002", 0, true },
        /* the source is newer: S, V and M still ask (quiet keeps), T installs */
        { IM_S, CM_N, VA_ASK, "ver_4002", "ver_4001", 1, false },
        { IM_V, CM_N, VA_ASK, "ver_4002", "ver_4001", 1, false },
        { IM_M, CM_N, VA_ASK, "ver_4002", "ver_4001", 1, false },
        { IM_T, CM_N, VA_ASK, "ver_4002", "ver_4001", 0, true },
        { IM_T, CM_D, VA_ASK, "ver_4002", "ver_4001", 1, false },   /* the T rule is N's only */
        { IM_N, CM_N, VA_ASK, "ver_4002", "ver_4001", 0, true },
        /* another language, newer */
        { IM_T, CM_N, VA_ASK, "ver_5000de", "ver_4001", 0, true },
        { IM_S, CM_N, VA_ASK, "ver_5000de", "ver_4001", 1, false },
        /* no version resource in the new file: installed */
        { IM_S, CM_N, VA_ASK, "ver_none", "ver_4001", 0, true },
    };
    for (const ModeCase &c : aCases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.uMode << " copy " << c.uCopy << " ver "
                                        << c.uVerAction << " " << c.lpszSource << " onto "
                                        << c.lpszExisting);
        ASSERT_TRUE(Put(Fixture(c.lpszSource), m_src, "APP.DLL"));
        ASSERT_TRUE(Put(Fixture(c.lpszExisting), m_dst, "APP.DLL"));
        Prepare("APP.DLL", "APP.DLL", c.uMode, c.uCopy);
        m_if.uVerAction = c.uVerAction;
        EXPECT_EQ(Install(), c.nResult);
        EXPECT_EQ(ReadFileText(Dst("APP.DLL")),
                  ReadFileText(c.bInstalled ? Src("APP.DLL") : Fixture(c.lpszExisting)));
        EXPECT_TRUE(ktest::FilesLike(m_dst, "_VS*").empty()) << "temporary copy left";
        EXPECT_TRUE(g_dialogLog.templates.empty()) << "a quiet run opened a dialog";
    }
}

TEST_F(EngineTest, ConflictDialogGetsBothFilesAndDecides)
{
    g_bQuiet = FALSE;
    ASSERT_TRUE(Put(Fixture("ver_4001"), m_src, "APP.DLL"));
    struct {
        INT_PTR nAnswer;
        int nResult;
        bool bInstalled;
    } aCases[] = { { 7, 1, false }, { 6, 0, true }, { 3, 2, false }, { -1, 1, false },
                   { 2, 1, false } };
    for (const auto &c : aCases) {
        SCOPED_TRACE(c.nAnswer);
        ASSERT_TRUE(Put(Fixture("ver_4002"), m_dst, "APP.DLL"));
        g_dialogLog = ktest::DialogLog();
        g_dialogLog.answers = { c.nAnswer };
        Prepare("APP.DLL", "APP.DLL", IM_S);
        EXPECT_EQ(Install(), c.nResult);
        ASSERT_EQ(g_dialogLog.templates.size(), 1u);
        EXPECT_EQ(g_dialogLog.templates[0], (UINT)IDD_VERCONFLICT);
        EXPECT_EQ(g_dialogLog.files[0], "APP.DLL");
        EXPECT_EQ(ReadFileText(Dst("APP.DLL")),
                  ReadFileText(Fixture(c.bInstalled ? "ver_4001" : "ver_4002")));
        EXPECT_TRUE(ktest::FilesLike(m_dst, "_VS*").empty());
    }
}

/* ---- expansion, plain copies, times, attributes ---- */

TEST_F(EngineTest, CompressedSourcesExpandByteExactly)
{
    const char *apszCases[][2] = { { "SETUP.EX_", "SETUP.EXE" }, { "BIG.DA_", "BIG.DAT" },
                                   { "DRIVER.SY_", "DRIVER.SYS" } };
    for (const auto &c : apszCases) {
        SCOPED_TRACE(c[0]);
        ASSERT_TRUE(CopyFileA(Compressed(c[0]).c_str(), Src(c[0]).c_str(), FALSE));
        ASSERT_TRUE(ktest::SetYear(Src(c[0]), 2003));
        Prepare(c[0], c[1], IM_N);
        EXPECT_EQ(Install(), 0);
        std::string want = ReadFileText(Original(c[1]));
        ASSERT_GT(want.size(), 10u);
        EXPECT_EQ(ReadFileText(Dst(c[1])), want);
        EXPECT_TRUE(SameTime(TimeOf(Dst(c[1])), TimeOf(Src(c[0]))));
    }
    /* Modes A and U copy the compressed bytes as they are. */
    Prepare("SETUP.EX_", "SETUP.EX_", IM_A);
    EXPECT_EQ(Install(), 0);
    EXPECT_EQ(ReadFileText(Dst("SETUP.EX_")), ReadFileText(Compressed("SETUP.EX_")));
    EXPECT_TRUE(SameTime(TimeOf(Dst("SETUP.EX_")), TimeOf(Src("SETUP.EX_"))));
}

TEST_F(EngineTest, UncompressedSourcesAreCopiedUnchanged)
{
    ASSERT_TRUE(CopyFileA(Original("BIG.DAT").c_str(), Src("BIG.DAT").c_str(), FALSE));
    ASSERT_TRUE(ktest::WriteFileText(Src("EMPTY.TXT"), ""));
    for (const char *lpszName : { "BIG.DAT", "EMPTY.TXT" }) {
        SCOPED_TRACE(lpszName);
        ASSERT_TRUE(ktest::SetYear(Src(lpszName), 2001));
        Prepare(lpszName, lpszName, IM_S);
        EXPECT_EQ(Install(), 0);
        EXPECT_EQ(ReadFileText(Dst(lpszName)), ReadFileText(Src(lpszName)));
        EXPECT_TRUE(SameTime(TimeOf(Dst(lpszName)), TimeOf(Src(lpszName))));
    }
}

TEST_F(EngineTest, KeepAttributesFollowsTheSource)
{
    const DWORD dwAttrib = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    ASSERT_TRUE(ktest::WriteFileText(Src("A.TXT"), "attributes"));
    ASSERT_TRUE(SetFileAttributesA(Src("A.TXT").c_str(), dwAttrib));
    struct {
        UINT uMode;
        BOOL bKeep;
        bool bFollow;
    } aCases[] = { { IM_K, FALSE, true }, { IM_N, TRUE, true }, { IM_S, TRUE, true },
                   { IM_A, FALSE, true },   /* copies as is always keep them */
                   { IM_N, FALSE, false }, { IM_S, FALSE, false } };
    for (const auto &c : aCases) {
        SCOPED_TRACE(testing::Message() << c.uMode << " keep " << c.bKeep);
        SetFileAttributesA(Dst("A.TXT").c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(Dst("A.TXT").c_str());
        Prepare("A.TXT", "A.TXT", c.uMode);
        m_if.bKeepAttrib = c.bKeep;
        ASSERT_EQ(Install(), 0);
        DWORD dwGot = GetFileAttributesA(Dst("A.TXT").c_str());
        EXPECT_EQ(dwGot & dwAttrib, c.bFollow ? dwAttrib : 0u) << std::hex << dwGot;
        EXPECT_EQ(ReadFileText(Dst("A.TXT")), "attributes");
    }
}

/* ---- exist actions ---- */

TEST_F(EngineTest, ExistActionBackupKeepsTheOldBytes)
{
    ASSERT_TRUE(ktest::WriteFileText(Src("APP.TXT"), "new"));
    ASSERT_TRUE(ktest::WriteFileText(Dst("APP.TXT"), "old"));
    ASSERT_TRUE(ktest::SetYear(Dst("APP.TXT"), 1998));
    const FILETIME ftOld = TimeOf(Dst("APP.TXT"));
    Prepare("APP.TXT", "APP.TXT", IM_S, CM_N, EA_B);
    EXPECT_EQ(Install(), 0);
    EXPECT_EQ(std::string(m_if.szBackupFile), Dst("APP.{00}.SAV.TXT"));
    EXPECT_EQ(ReadFileText(Dst("APP.{00}.SAV.TXT")), "old");
    EXPECT_TRUE(SameTime(TimeOf(Dst("APP.{00}.SAV.TXT")), ftOld));
    EXPECT_EQ(ReadFileText(Dst("APP.TXT")), "new");
    /* A second install backs up under the next number. */
    ASSERT_TRUE(ktest::WriteFileText(Src("APP.TXT"), "newer"));
    EXPECT_EQ(Install(), 0);
    EXPECT_EQ(ReadFileText(Dst("APP.{01}.SAV.TXT")), "new");
    EXPECT_EQ(ReadFileText(Dst("APP.TXT")), "newer");
    /* Backup method ORIEXT names the backup .ORI. */
    g_uBackUpMethod = BACKUP_ORIEXT;
    ASSERT_TRUE(ktest::WriteFileText(Src("APP.TXT"), "newest"));
    EXPECT_EQ(Install(), 0);
    EXPECT_EQ(ReadFileText(Dst("APP.ORI")), "newer");
}

TEST_F(EngineTest, ExistActionsUniqueSkipOverwrite)
{
    ASSERT_TRUE(ktest::WriteFileText(Src("APP.TXT"), "new"));
    struct {
        UINT uExist;
        int nResult;
        const char *lpszDst, *lpszUnique, *lpszName;
    } aCases[] = {
        { EA_U, 0, "old", "new", "APP.{00}.SAV.TXT" },
        { EA_S, 1, "old", "<missing>", "APP.TXT" },
        { EA_N, 0, "new", "<missing>", "APP.TXT" },
        { EA_K, 0, "new", "<missing>", "APP.TXT" },
    };
    for (const auto &c : aCases) {
        SCOPED_TRACE(c.uExist);
        ASSERT_TRUE(ktest::WriteFileText(Dst("APP.TXT"), "old"));
        DeleteFileA(Dst("APP.{00}.SAV.TXT").c_str());
        Prepare("APP.TXT", "APP.TXT", IM_N, CM_N, c.uExist);
        EXPECT_EQ(Install(), c.nResult);
        EXPECT_EQ(ReadFileText(Dst("APP.TXT")), c.lpszDst);
        EXPECT_EQ(ReadFileText(Dst("APP.{00}.SAV.TXT")), c.lpszUnique);
        EXPECT_STREQ(m_if.szDstFileName, c.lpszName);
        EXPECT_EQ(m_if.szBackupFile[0], '\0');
    }
}

TEST_F(EngineTest, ExistActionPromptQuietBacksUpAndDialogDecides)
{
    ASSERT_TRUE(ktest::WriteFileText(Src("APP.TXT"), "new"));
    ASSERT_TRUE(ktest::WriteFileText(Dst("APP.TXT"), "old"));
    Prepare("APP.TXT", "APP.TXT", IM_N, CM_N, EA_P);
    EXPECT_EQ(Install(), 0);
    EXPECT_TRUE(g_dialogLog.templates.empty());
    EXPECT_EQ(ReadFileText(Dst("APP.{00}.SAV.TXT")), "old");
    EXPECT_EQ(ReadFileText(Dst("APP.TXT")), "new");

    g_bQuiet = FALSE;
    struct {
        INT_PTR nAnswer;
        int nResult;
        const char *lpszDst;
        const char *lpszUnique;
    } aCases[] = {
        { EXISTS_BACKUP, 0, "new", "old" }, { EXISTS_UNIQUE, 0, "old", "new" },
        { EXISTS_OVER, 0, "new", "<missing>" }, { EXISTS_SKIP, 1, "old", "<missing>" },
        { EXISTS_EXIT, 2, "old", "<missing>" }, { IDCANCEL, 1, "old", "<missing>" },
    };
    for (const auto &c : aCases) {
        SCOPED_TRACE(c.nAnswer);
        ASSERT_TRUE(ktest::WriteFileText(Dst("APP.TXT"), "old"));
        DeleteFileA(Dst("APP.{00}.SAV.TXT").c_str());
        g_dialogLog = ktest::DialogLog();
        g_dialogLog.answers = { c.nAnswer };
        Prepare("APP.TXT", "APP.TXT", IM_N, CM_N, EA_P);
        EXPECT_EQ(Install(), c.nResult);
        ASSERT_EQ(g_dialogLog.templates.size(), 1u);
        EXPECT_EQ(g_dialogLog.templates[0], (UINT)IDD_EXISTS);
        EXPECT_EQ(g_dialogLog.files[0], "APP.TXT");
        EXPECT_EQ(ReadFileText(Dst("APP.TXT")), c.lpszDst);
        EXPECT_EQ(ReadFileText(Dst("APP.{00}.SAV.TXT")), c.lpszUnique);
    }
}

/* ---- copy modes W and C, old copies elsewhere ---- */

TEST_F(EngineTest, CopyModeWInstallsIntoTheWindowsDirectory)
{
    ASSERT_TRUE(ktest::WriteFileText(Src("W.INI"), "w"));
    Prepare("W.INI", "W.INI", IM_N, CM_W);
    EXPECT_EQ(Install(), 0);
    EXPECT_EQ(ReadFileText(m_win + "\\W.INI"), "w");
    EXPECT_FALSE(ktest::Exists(Dst("W.INI")));
}

TEST_F(EngineTest, CopyModeCRemovesWindowsCopiesOnlyAfterSuccess)
{
    ASSERT_TRUE(ktest::WriteFileText(Src("C.DLL"), "new"));
    /* A failed install (source gone, no disk prompt) leaves them alone. */
    for (const std::string &dir : { m_win, m_sys })
        ASSERT_TRUE(ktest::WriteFileText(dir + "\\C.DLL", "stale"));
    Prepare("GONE.DLL", "C.DLL", IM_N, CM_C);
    EXPECT_EQ(Install(), 1);
    EXPECT_EQ(ReadFileText(m_win + "\\C.DLL"), "stale");
    EXPECT_EQ(ReadFileText(m_sys + "\\C.DLL"), "stale");
    /* Success: both go. */
    Prepare("C.DLL", "C.DLL", IM_N, CM_C);
    EXPECT_EQ(Install(), 0);
    EXPECT_EQ(ReadFileText(Dst("C.DLL")), "new");
    EXPECT_FALSE(ktest::Exists(m_win + "\\C.DLL"));
    EXPECT_FALSE(ktest::Exists(m_sys + "\\C.DLL"));
    /* The destination itself, here the system directory spelt otherwise,
       is never deleted. */
    ASSERT_TRUE(ktest::WriteFileText(m_win + "\\C.DLL", "stale"));
    Prepare("C.DLL", "C.DLL", IM_N, CM_C);
    std::string sysOther = m_sys + "\\";
    CharLowerA(&sysOther[0]);
    fnStrCopy(m_if.szDstDir, sysOther.c_str());
    EXPECT_EQ(Install(), 0);
    EXPECT_EQ(ReadFileText(m_sys + "\\C.DLL"), "new");
    EXPECT_FALSE(ktest::Exists(m_win + "\\C.DLL"));
}

TEST_F(EngineTest, OldCopyElsewhereDeletedOnlyWhenAllowed)
{
    char szTmp[260];
    ASSERT_TRUE(ktest::WriteFileText(Src("O.DLL"), "new"));
    struct {
        DWORD dwFlags;
        UINT uMode;
        bool bGone;
    } aCases[] = { { 0, IM_N, true }, { 0, IM_S, true }, { 0, IM_K, true },
                   { IF_DONTDELETEOLD, IM_N, false }, { IF_DONTDELETEOLD, IM_S, false } };
    for (const auto &c : aCases) {
        SCOPED_TRACE(testing::Message() << c.dwFlags << " " << c.uMode);
        ASSERT_TRUE(ktest::WriteFileText(m_win + "\\O.DLL", "old elsewhere"));
        SetFileAttributesA((m_win + "\\O.DLL").c_str(), FILE_ATTRIBUTE_READONLY);
        EXPECT_EQ(fnVerInstallFile(c.dwFlags, "O.DLL", "O.DLL", m_src.c_str(), m_dst.c_str(),
                                   m_win.c_str(), szTmp, sizeof(szTmp), c.uMode, FALSE),
                  0u);
        EXPECT_EQ(ReadFileText(Dst("O.DLL")), "new");
        EXPECT_EQ(ktest::Exists(m_win + "\\O.DLL"), !c.bGone);
        SetFileAttributesA((m_win + "\\O.DLL").c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(Dst("O.DLL").c_str());
    }
    /* The destination named another way is not an old copy. */
    char szShort[260];
    ASSERT_TRUE(fnGetShortPathName(m_dst.c_str(), szShort, sizeof(szShort)));
    std::string lower = m_dst;
    CharLowerA(&lower[0]);
    for (const std::string &cur : { m_dst + "\\", lower, std::string(szShort) }) {
        SCOPED_TRACE(cur);
        EXPECT_EQ(fnVerInstallFile(0, "O.DLL", "O.DLL", m_src.c_str(), m_dst.c_str(), cur.c_str(),
                                   szTmp, sizeof(szTmp), IM_N, FALSE),
                  0u);
        EXPECT_EQ(ReadFileText(Dst("O.DLL")), "new");
    }
}

/* A platform search that reports a copy in the Windows directory. */
DWORD g_dwFindFlags;
std::string g_findDir;
DWORD WINAPI FakeVerFindFile(DWORD, LPSTR, LPSTR, LPSTR, LPSTR lpszCurDir, PUINT lpuCurDirLen,
                             LPSTR lpszDestDir, PUINT lpuDestDirLen)
{
    fnStrCopyN(lpszCurDir, *lpuCurDirLen, g_findDir.c_str());
    if (*lpuDestDirLen)
        lpszDestDir[0] = '\0';
    return g_dwFindFlags;
}

TEST_F(EngineTest, ExistsElsewhereDialogDeleteKeepAndClose)
{
    g_pfnVerFindFile = FakeVerFindFile;
    g_findDir = m_win;
    g_dwFindFlags = VFF_CURNEDEST;
    ASSERT_TRUE(ktest::WriteFileText(Src("E.DLL"), "new"));
    struct {
        BOOL bQuiet;
        INT_PTR nAnswer;
        int nResult;
        const char *lpszDst, *lpszOther;
    } aCases[] = {
        { TRUE, 0, 0, "new", "other" },            /* quiet: install, keep the other */
        { FALSE, ELSE_DELETE, 0, "new", "<missing>" },
        { FALSE, ELSE_KEEP, 0, "new", "other" },
        { FALSE, IDCANCEL, 0, "new", "other" },    /* closing never deletes */
        { FALSE, ELSE_REPLACE, 0, "<missing>", "new" },
        { FALSE, ELSE_SKIP, 1, "<missing>", "other" },
        { FALSE, ELSE_EXIT, 2, "<missing>", "other" },
    };
    for (const auto &c : aCases) {
        SCOPED_TRACE(testing::Message() << c.bQuiet << " " << c.nAnswer);
        g_bQuiet = c.bQuiet;
        DeleteFileA(Dst("E.DLL").c_str());
        ASSERT_TRUE(ktest::WriteFileText(m_win + "\\E.DLL", "other"));
        g_dialogLog = ktest::DialogLog();
        g_dialogLog.answers = { c.nAnswer };
        Prepare("E.DLL", "E.DLL", IM_N, CM_P);
        EXPECT_EQ(Install(), c.nResult);
        EXPECT_EQ(g_dialogLog.templates.size(), c.bQuiet ? 0u : 1u);
        if (!c.bQuiet) {
            EXPECT_EQ(g_dialogLog.templates[0], (UINT)IDD_ELSEWHERE);
        }
        EXPECT_EQ(ReadFileText(Dst("E.DLL")), c.lpszDst);
        EXPECT_EQ(ReadFileText(m_win + "\\E.DLL"), c.lpszOther);
    }
}

TEST_F(EngineTest, WhereAndHowByCopyModeAndInUseAction)
{
    g_pfnVerFindFile = FakeVerFindFile;
    ASSERT_TRUE(ktest::WriteFileText(Src("F.DLL"), "new"));
    g_findDir = m_win;
    g_dwFindFlags = VFF_CURNEDEST;
    const struct {
        UINT uCopy;
        int nFind;
    } aModes[] = { { CM_F, 17 }, { CM_W, 16 }, { CM_C, 0 }, { CM_N, 14 }, { CM_D, 14 } };
    for (const auto &c : aModes) {
        Prepare("F.DLL", "F.DLL", IM_N, c.uCopy);
        EXPECT_EQ(fnFindFileInfoVer(NULL, &m_if), c.nFind) << c.uCopy;
        EXPECT_STREQ(m_if.szCurDir, m_win.c_str());
    }
    /* A copy in the source directory is kept; the source itself is skipped. */
    g_findDir = m_src;
    Prepare("F.DLL", "F.DLL", IM_N, CM_C);
    EXPECT_EQ(fnFindFileInfoVer(NULL, &m_if), 14);
    fnStrCopy(m_if.szDstDir, m_src.c_str());
    fnStrCopy(m_if.szSuggestDstDir, m_src.c_str());
    EXPECT_EQ(fnFindFileInfoVer(NULL, &m_if), 12);
    /* The copy found is in use. */
    g_findDir = m_dst;
    g_dwFindFlags = VFF_FILEINUSE;
    ASSERT_TRUE(ktest::WriteFileText(Dst("F.DLL"), "old"));
    ASSERT_TRUE(ktest::SetYear(Dst("F.DLL"), 1997));
    const struct {
        UINT uInUse, uMode;
        int nFind;
    } aInUse[] = { { IU_S, IM_S, 12 }, { IU_R, IM_S, 0 }, { IU_P, IM_S, 0 },
                   { IU_C, IM_S, 0 }, { IU_R, IM_N, 17 } };
    for (const auto &c : aInUse) {
        Prepare("F.DLL", "F.DLL", c.uMode);
        m_if.uInUseAction = c.uInUse;
        EXPECT_EQ(fnFindFileInfoVer(NULL, &m_if), c.nFind) << c.uInUse << " " << c.uMode;
    }
    EXPECT_TRUE(g_dialogLog.templates.empty());
}

/* The process subsystem's closer: records, and closes on request. */
int g_nCloseCalls;
BOOL g_bCloseOk;
BOOL FakeCloseOwner(HWND, const char *)
{
    g_nCloseCalls++;
    if (g_bCloseOk)
        g_dwFindFlags = 0;  /* the program is gone, the file no longer in use */
    return g_bCloseOk;
}

TEST_F(EngineTest, InUseActionsAskCloseOrRetry)
{
    g_pfnVerFindFile = FakeVerFindFile;
    g_findDir = m_dst;
    ASSERT_TRUE(ktest::WriteFileText(Src("U.DLL"), "new"));
    ASSERT_TRUE(ktest::WriteFileText(Dst("U.DLL"), "old"));
    ASSERT_TRUE(ktest::SetYear(Dst("U.DLL"), 1997));
    g_bQuiet = FALSE;
    /* C: one try at closing; when it works the search runs again. */
    g_pfnCloseFileOwner = FakeCloseOwner;
    g_nCloseCalls = 0;
    g_bCloseOk = TRUE;
    g_dwFindFlags = VFF_FILEINUSE;
    Prepare("U.DLL", "U.DLL", IM_S);
    m_if.uInUseAction = IU_C;
    EXPECT_EQ(fnFindFileInfoVer(NULL, &m_if), 0);
    EXPECT_EQ(g_nCloseCalls, 1);
    EXPECT_TRUE(g_dialogLog.templates.empty());
    /* Closing fails: the dialog asks once, then the answers decide. */
    const struct {
        INT_PTR nAnswer;
        int nFind;
    } aCases[] = { { INUSE_EXIT, 11 }, { INUSE_RESTART, 0 }, { INUSE_SKIP, 12 }, { IDCANCEL, 0 } };
    for (const auto &c : aCases) {
        SCOPED_TRACE(c.nAnswer);
        g_nCloseCalls = 0;
        g_bCloseOk = FALSE;
        g_dwFindFlags = VFF_FILEINUSE;
        g_dialogLog = ktest::DialogLog();
        g_dialogLog.answers = { c.nAnswer };
        m_if.uInUseAction = IU_C;
        EXPECT_EQ(fnFindFileInfoVer(NULL, &m_if), c.nFind);
        EXPECT_EQ(g_nCloseCalls, 1);
        ASSERT_EQ(g_dialogLog.templates.size(), 1u);
        EXPECT_EQ(g_dialogLog.templates[0], (UINT)IDD_INUSE);
        EXPECT_EQ(g_dialogLog.files[0], Dst("U.DLL"));
    }
    /* No closer plugged in: P straight away; "again" searches once more. */
    g_pfnCloseFileOwner = NULL;
    g_dialogLog = ktest::DialogLog();
    g_dialogLog.answers = { INUSE_AGAIN, INUSE_SKIP };
    m_if.uInUseAction = IU_C;
    EXPECT_EQ(fnFindFileInfoVer(NULL, &m_if), 12);
    EXPECT_EQ(g_dialogLog.templates.size(), 2u);
}

/* ---- missing sources ---- */

TEST_F(EngineTest, MissingSourceSkippedOrStopsWithoutDialogs)
{
    Prepare("NONE.DLL", "NONE.DLL", IM_N);
    m_if.bPromptDisk = FALSE;
    g_bQuiet = FALSE;
    EXPECT_EQ(Install(), 1);
    EXPECT_TRUE(g_dialogLog.templates.empty());
    /* Quiet with the disk prompt: nobody can insert a disk, the section stops. */
    g_bQuiet = TRUE;
    m_if.bPromptDisk = TRUE;
    EXPECT_EQ(Install(), 2);
    EXPECT_TRUE(g_dialogLog.templates.empty());
    EXPECT_FALSE(ktest::Exists(Dst("NONE.DLL")));
}

TEST_F(EngineTest, DiskDialogLooksAgainSkipsOrStops)
{
    g_bQuiet = FALSE;
    std::string other = Path("DISK2");
    ASSERT_TRUE(CreateDirectoryA(other.c_str(), NULL));
    ASSERT_TRUE(ktest::WriteFileText(other + "\\D.DLL", "from disk 2"));
    Prepare("D.DLL", "D.DLL", IM_N);
    m_if.bPromptDisk = TRUE;
    fnStrCopy(m_if.szDiskName, "Disk 2");
    g_dialogLog.answers = { IDOK };
    g_dialogLog.diskLocation = other;
    EXPECT_EQ(Install(), 0);
    ASSERT_EQ(g_dialogLog.templates.size(), 1u);
    EXPECT_EQ(g_dialogLog.templates[0], (UINT)IDD_SOURCEDISK);
    EXPECT_EQ(g_dialogLog.files[0], "D.DLL");
    EXPECT_EQ(ReadFileText(Dst("D.DLL")), "from disk 2");
    EXPECT_STREQ(m_if.szSrcFilePath, other.c_str());
    for (INT_PTR nAnswer : { (INT_PTR)IDC_SKIPFILE, (INT_PTR)IDCANCEL, (INT_PTR)-1 }) {
        SCOPED_TRACE(nAnswer);
        g_dialogLog = ktest::DialogLog();
        g_dialogLog.answers = { nAnswer };
        Prepare("D.DLL", "D2.DLL", IM_N);
        m_if.bPromptDisk = TRUE;
        EXPECT_EQ(Install(), nAnswer == IDCANCEL ? 2 : 1);
        EXPECT_FALSE(ktest::Exists(Dst("D2.DLL")));
    }
}

/* ---- the in-use test ---- */

TEST_F(EngineTest, InUseTestByError)
{
    for (DWORD dwError : { 5ul, 32ul, 33ul, 183ul })
        EXPECT_EQ(fnTestInUse(NULL, FALSE, dwError, "X.DLL"), 201) << dwError;
    for (DWORD dwError : { 0ul, 2ul, 3ul, 6ul, 80ul, 112ul, 1224ul })
        EXPECT_EQ(fnTestInUse(NULL, FALSE, dwError, "X.DLL"), 202) << dwError;
    /* With the prompt: quiet takes the restart replacement unseen. */
    EXPECT_EQ(fnTestInUse(NULL, TRUE, 32, "X.DLL"), INUSE_RESTART);
    EXPECT_EQ(fnTestInUse(NULL, TRUE, 2, "X.DLL"), 202);
    EXPECT_TRUE(g_dialogLog.templates.empty());
    g_bQuiet = FALSE;
    g_dialogLog.answers = { INUSE_SKIP };
    EXPECT_EQ(fnTestInUse(NULL, TRUE, 33, "X.DLL"), INUSE_SKIP);
    ASSERT_EQ(g_dialogLog.templates.size(), 1u);
    EXPECT_EQ(g_dialogLog.templates[0], (UINT)IDD_INUSE);
    EXPECT_EQ(g_dialogLog.files[0], "X.DLL");
}

TEST(ConflictText, LaterBitsReplaceEarlierOnes)
{
    EXPECT_EQ(fnConflictTextId(IR_TEMPFILE), 0u);
    EXPECT_EQ(fnConflictTextId(IR_MISMATCH | IR_TEMPFILE), (UINT)IDS_VERMISMATCH);
    EXPECT_EQ(fnConflictTextId(IR_MISMATCH | IR_SRCOLD), (UINT)IDS_VEROLDER);
    EXPECT_EQ(fnConflictTextId(IR_MISMATCH | IR_DIFFLANG), (UINT)IDS_VERLANGUAGE);
    EXPECT_EQ(fnConflictTextId(IR_MISMATCH | IR_DIFFCODEPG | IR_SRCOLD), (UINT)IDS_VERCODEPAGE);
    EXPECT_EQ(fnConflictTextId(IR_MISMATCH | IR_DIFFTYPE | IR_DIFFLANG), (UINT)IDS_VERTYPE);
}

}  // namespace

namespace {

/* ---- the progress window ---- */

class EngineProgressTest : public EngineTest {
protected:
    HWND m_hDlg = NULL;

    void SetUp() override
    {
        EngineTest::SetUp();
        m_saved.Keep(g_hInstance);
        m_saved.Keep(g_szClassName);
        g_hInstance = GetModuleHandleA(NULL);
        fnStrCopy(g_szClassName, "KSTL8ENGINETEST");
        ASSERT_TRUE(fnRegisterClasses(g_hInstance));
        g_bQuiet = FALSE;
        m_hDlg = fnCreateProgressDlg(NULL);
        ASSERT_NE(m_hDlg, (HWND)NULL);
        SendDlgItemMessageA(m_hDlg, IDC_PROGRESS_METER, PM_SETRANGE, 10, 0);
    }
    void TearDown() override
    {
        if (m_hDlg)
            DestroyWindow(m_hDlg);
        EngineTest::TearDown();
    }
    std::string Line(int nId)
    {
        char sz[1024] = "";
        GetDlgItemTextA(m_hDlg, nId, sz, sizeof(sz));
        return sz;
    }
    LRESULT Meter()
    {
        return SendDlgItemMessageA(m_hDlg, IDC_PROGRESS_METER, PM_GETPOS, 0, 0);
    }
};

TEST_F(EngineProgressTest, LinesAndMeterFollowTheFile)
{
    ASSERT_TRUE(ktest::WriteFileText(Src("P.TXT"), "p"));
    Prepare("P.TXT", "P.TXT", IM_N);
    m_if.hWndStatus = m_hDlg;
    m_if.uFileNum = 3;
    fnStrCopy(m_if.szDescription, "Program help");
    EXPECT_EQ(Install(), 0);
    EXPECT_EQ(Line(IDC_PROGRESS_TEXT1), "Installing files...");
    EXPECT_EQ(Line(IDC_PROGRESS_TEXT2), "Description: Program help");
    EXPECT_EQ(Line(IDC_PROGRESS_TEXT3), "Source file: P.TXT");
    EXPECT_EQ(Line(IDC_PROGRESS_TEXT4), "Install as: " + Dst("P.TXT"));
    EXPECT_EQ(Meter(), 3);
    /* A unique name is shown with the old one; a skipped file moves the
       meter too. */
    Prepare("P.TXT", "P.TXT", IM_N, CM_N, EA_U);
    m_if.hWndStatus = m_hDlg;
    m_if.uFileNum = 4;
    EXPECT_EQ(Install(), 0);
    EXPECT_EQ(Line(IDC_PROGRESS_TEXT3), "Installing file: P.TXT");
    EXPECT_EQ(Line(IDC_PROGRESS_TEXT4), "Install as: " + Dst("P.{00}.SAV.TXT"));
    EXPECT_EQ(Meter(), 4);
    Prepare("P.TXT", "P.TXT", IM_N, CM_N, EA_S);
    m_if.hWndStatus = m_hDlg;
    m_if.uFileNum = 5;
    EXPECT_EQ(Install(), 1);
    EXPECT_EQ(Meter(), 5);
}

}  // namespace
