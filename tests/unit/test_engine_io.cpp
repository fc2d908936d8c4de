/* The engine's file operations under failure: targets held open by another
 * process, replacement at the next start on both families, appended parts,
 * write-protected targets and the error bits of expansion and copies. */
#include "enginetest.h"

using ktest::EngineTest;
using ktest::FileHolder;
using ktest::ReadFileText;

namespace {

const char SESSION_KEY[] = "System\\CurrentControlSet\\Control\\Session Manager";
const char PENDING[] = "PendingFileRenameOperations";

/* The delayed-move list, kept and put back around a test: the moves it
   arranges must never run at a later Wine start. */
class PendingGuard {
    std::vector<char> m_old;
    bool m_bHad = false;

public:
    PendingGuard()
    {
        m_old = Read(&m_bHad);
    }
    ~PendingGuard()
    {
        HKEY hKey;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SESSION_KEY, 0, KEY_SET_VALUE, &hKey) != 0)
            return;
        if (m_bHad)
            RegSetValueExA(hKey, PENDING, 0, REG_MULTI_SZ, (const BYTE *)m_old.data(),
                           (DWORD)m_old.size());
        else
            RegDeleteValueA(hKey, PENDING);
        RegCloseKey(hKey);
    }
    static std::vector<char> Read(bool *lpbHad)
    {
        std::vector<char> data;
        *lpbHad = false;
        HKEY hKey;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SESSION_KEY, 0, KEY_QUERY_VALUE, &hKey) != 0)
            return data;
        DWORD cb = 0, dwType = 0;
        if (RegQueryValueExA(hKey, PENDING, NULL, &dwType, NULL, &cb) == 0) {
            data.resize(cb);
            *lpbHad = RegQueryValueExA(hKey, PENDING, NULL, &dwType, (BYTE *)data.data(), &cb) == 0;
        }
        RegCloseKey(hKey);
        return data;
    }
    /* The strings of the list. */
    static std::vector<std::string> Entries()
    {
        bool bHad;
        std::vector<char> data = Read(&bHad);
        std::vector<std::string> entries;
        for (size_t i = 0; i < data.size() && data[i];) {
            std::string s(&data[i]);
            entries.push_back(s);
            i += s.size() + 1;
        }
        return entries;
    }
};

bool EndsWithI(const std::string &s, const std::string &tail)
{
    return s.size() >= tail.size() &&
           fnStrCmpI(s.c_str() + s.size() - tail.size(), tail.c_str()) == 0;
}

/* ---- targets in use ---- */

TEST_F(EngineTest, LockedTargetGoesInUnderUniqueNameNT)
{
    PendingGuard guard;
    ASSERT_TRUE(ktest::WriteFileText(Src("APP.DLL"), "new bytes"));
    ASSERT_TRUE(ktest::WriteFileText(Dst("APP.DLL"), "old bytes"));
    FileHolder holder(Dst("APP.DLL"));
    ASSERT_TRUE(holder.Holding());
    Prepare("APP.DLL", "APP.DLL", IM_N);
    EXPECT_EQ(Install(), 0);
    holder.Release();
    EXPECT_EQ(g_uOnExit, 4u);
    EXPECT_EQ(ReadFileText(Dst("APP.DLL")), "old bytes");
    EXPECT_EQ(ReadFileText(Dst("APP.{00}.SAV.DLL")), "new bytes");
    std::vector<std::string> entries = PendingGuard::Entries();
    ASSERT_GE(entries.size(), 2u);
    /* The last pair: the unique copy onto the real destination. */
    const std::string &from = entries[entries.size() - 2], &to = entries.back();
    EXPECT_TRUE(EndsWithI(from, "\\DST\\APP.{00}.SAV.DLL")) << from;
    EXPECT_TRUE(EndsWithI(to, "\\DST\\APP.DLL")) << to;
    EXPECT_EQ(to.substr(0, 1), "!");
    EXPECT_FALSE(ktest::Exists(m_win + "\\WININIT.INI"));
}

TEST_F(EngineTest, LockedTargetInCompareModeIsInUseNotUnreadable)
{
    PendingGuard guard;
    ASSERT_TRUE(Put(Fixture("ver_4002"), m_src, "APP.DLL"));
    ASSERT_TRUE(Put(Fixture("ver_4001"), m_dst, "APP.DLL"));
    FileHolder holder(Dst("APP.DLL"));
    ASSERT_TRUE(holder.Holding());
    for (UINT uMode : { IM_S, IM_V }) {
        SCOPED_TRACE(uMode);
        g_uOnExit = 0;
        DeleteFileA(Dst("APP.{00}.SAV.DLL").c_str());
        Prepare("APP.DLL", "APP.DLL", uMode);
        EXPECT_EQ(Install(), 0);
        EXPECT_EQ(g_uOnExit, 4u);
        EXPECT_EQ(ReadFileText(Dst("APP.{00}.SAV.DLL")), ReadFileText(Src("APP.DLL")));
        EXPECT_TRUE(ktest::FilesLike(m_dst, "_VS*").empty());
    }
    holder.Release();
    EXPECT_EQ(ReadFileText(Dst("APP.DLL")), ReadFileText(Fixture("ver_4001")));
}

TEST_F(EngineTest, LockedTargetOn9xGetsAWininitLine)
{
    PendingGuard guard;
    g_OSInfo.uWinFamily = 2;
    ASSERT_TRUE(ktest::WriteFileText(Src("LONG NAME.DLL"), "new"));
    ASSERT_TRUE(ktest::WriteFileText(Dst("LONG NAME.DLL"), "old"));
    FileHolder holder(Dst("LONG NAME.DLL"));
    ASSERT_TRUE(holder.Holding());
    size_t nBefore = PendingGuard::Entries().size();
    Prepare("LONG NAME.DLL", "LONG NAME.DLL", IM_N);
    EXPECT_EQ(Install(), 0);
    holder.Release();
    EXPECT_EQ(g_uOnExit, 4u);
    std::string unique = Dst("LONG NAME.{00}.SAV.DLL");
    EXPECT_EQ(ReadFileText(unique), "new");
    char szShortDst[260], szShortNew[260];
    ASSERT_TRUE(fnGetShortPathName(Dst("LONG NAME.DLL").c_str(), szShortDst, sizeof(szShortDst)));
    ASSERT_TRUE(fnGetShortPathName(unique.c_str(), szShortNew, sizeof(szShortNew)));
    EXPECT_EQ(ReadFileText(m_win + "\\WININIT.INI"),
              std::string("[rename]\r\n") + szShortDst + "=" + szShortNew + "\r\n");
    EXPECT_EQ(PendingGuard::Entries().size(), nBefore) << "9x must not use the delayed move";
}

TEST_F(EngineTest, SecondInUseOrFailedReplacementInstallsNothing)
{
    PendingGuard guard;
    ASSERT_TRUE(ktest::WriteFileText(Src("APP.DLL"), "new"));
    ASSERT_TRUE(ktest::WriteFileText(Dst("APP.DLL"), "old"));
    /* Every unique name is taken: nothing is installed, nothing arranged. */
    ASSERT_TRUE(ktest::WriteFileText(Dst("APP.{99}.SAV.DLL"), "taken"));
    FileHolder holder(Dst("APP.DLL"));
    ASSERT_TRUE(holder.Holding());
    Prepare("APP.DLL", "APP.DLL", IM_N);
    size_t nBefore = PendingGuard::Entries().size();
    EXPECT_EQ(Install(), 1);
    EXPECT_EQ(g_uOnExit, 0u);
    EXPECT_EQ(PendingGuard::Entries().size(), nBefore);
    /* On 9x, a WININIT.INI that cannot be written: the unique copy is
       deleted and the file skipped (quiet answer Yes). */
    DeleteFileA(Dst("APP.{99}.SAV.DLL").c_str());
    g_OSInfo.uWinFamily = 2;
    fnStrCopy(g_szWinDir, Path("NO\\SUCH\\DIR").c_str());
    Prepare("APP.DLL", "APP.DLL", IM_N);
    EXPECT_EQ(Install(), 1);
    holder.Release();
    EXPECT_EQ(g_uOnExit, 0u);
    EXPECT_FALSE(ktest::Exists(Dst("APP.{00}.SAV.DLL")));
    EXPECT_EQ(ReadFileText(Dst("APP.DLL")), "old");
}

/* ---- error bits ---- */

TEST_F(EngineTest, ExpandAndCopyErrorBits)
{
    ASSERT_TRUE(ktest::WriteFileText(Src("E.TXT"), "e"));
    ASSERT_TRUE(ktest::WriteFileText(Dst("HELD.TXT"), "held"));
    ASSERT_TRUE(ktest::WriteFileText(Dst("RO.TXT"), "ro"));
    ASSERT_TRUE(SetFileAttributesA(Dst("RO.TXT").c_str(), FILE_ATTRIBUTE_READONLY));
    FileHolder holder(Dst("HELD.TXT"));
    ASSERT_TRUE(holder.Holding());
    const char *src = m_src.c_str(), *dst = m_dst.c_str();
    std::string missingDir = Path("MISSING");
    EXPECT_EQ(fnExpandFile(src, "E.TXT", dst, "HELD.TXT", FALSE), (DWORD)IR_SHARINGVIOL);
    EXPECT_EQ(fnExpandFile(src, "E.TXT", missingDir.c_str(), "E.TXT", FALSE),
              (DWORD)IR_CANNOTCREATE);
    EXPECT_EQ(fnExpandFile(src, "NONE.TXT", dst, "E.TXT", FALSE), (DWORD)IR_CANNOTREADSRC);
    EXPECT_EQ(fnExpandFile(dst, "HELD.TXT", dst, "E.TXT", FALSE), (DWORD)IR_CANNOTREADSRC);
    EXPECT_EQ(fnCopyFileAsIs(src, "E.TXT", dst, "HELD.TXT", FALSE), (DWORD)IR_SHARINGVIOL);
    EXPECT_EQ(fnCopyFileAsIs(src, "E.TXT", dst, "RO.TXT", FALSE), (DWORD)IR_WRITEPROT);
    EXPECT_EQ(fnCopyFileAsIs(src, "NONE.TXT", dst, "E.TXT", FALSE), (DWORD)IR_CANNOTREADSRC);
    holder.Release();
    EXPECT_EQ(ReadFileText(Dst("HELD.TXT")), "held");
    EXPECT_EQ(ReadFileText(Dst("RO.TXT")), "ro");
    EXPECT_FALSE(ktest::Exists(Dst("E.TXT")));
    /* The expansion overwrites a read-only target it was told to write. */
    EXPECT_EQ(fnExpandFile(src, "E.TXT", dst, "RO.TXT", FALSE), 0u);
    EXPECT_EQ(ReadFileText(Dst("RO.TXT")), "e");
}

TEST_F(EngineTest, ReadOnlyDestinationIsWriteProtectedNotInUse)
{
    ASSERT_TRUE(Put(Fixture("ver_none"), m_src, "APP.EXE"));
    ASSERT_TRUE(Put(Fixture("ver_4001"), m_dst, "APP.EXE"));
    ASSERT_TRUE(SetFileAttributesA(Dst("APP.EXE").c_str(), FILE_ATTRIBUTE_READONLY));
    char szTmp[260];
    DWORD dw = fnVerInstallFile(0, "APP.EXE", "APP.EXE", m_src.c_str(), m_dst.c_str(),
                                m_dst.c_str(), szTmp, sizeof(szTmp), IM_S, FALSE);
    EXPECT_EQ(dw, (DWORD)(IR_WRITEPROT | IR_TEMPFILE));
    /* The temporary copy is left for the caller, in the destination directory. */
    ASSERT_NE(szTmp[0], '\0');
    EXPECT_EQ(ReadFileText(Dst(szTmp)), ReadFileText(Src("APP.EXE")));
    DeleteFileA(Dst(szTmp).c_str());
    /* Through the engine: message 1133, quiet Abort stops; nothing is left. */
    Prepare("APP.EXE", "APP.EXE", IM_S);
    EXPECT_EQ(Install(), 2);
    EXPECT_EQ(g_uOnExit, 0u);
    EXPECT_EQ(ReadFileText(Dst("APP.EXE")), ReadFileText(Fixture("ver_4001")));
    EXPECT_TRUE(ktest::FilesLike(m_dst, "_VS*").empty());
    EXPECT_TRUE(ktest::FilesLike(m_dst, "*.SAV.*").empty());
}

TEST_F(EngineTest, BackupOfALockedTargetFailsAndSkips)
{
    /* A file held without sharing cannot even be read for its backup:
       message 1119, the file is skipped and nothing is arranged. */
    PendingGuard guard;
    ASSERT_TRUE(ktest::WriteFileText(Src("B.TXT"), "new"));
    ASSERT_TRUE(ktest::WriteFileText(Dst("B.TXT"), "old"));
    FileHolder holder(Dst("B.TXT"));
    ASSERT_TRUE(holder.Holding());
    size_t nBefore = PendingGuard::Entries().size();
    Prepare("B.TXT", "B.TXT", IM_N, CM_N, EA_B);
    EXPECT_EQ(Install(), 1);
    holder.Release();
    EXPECT_EQ(g_uOnExit, 0u);
    EXPECT_EQ(m_if.szBackupFile[0], '\0');
    EXPECT_TRUE(ktest::FilesLike(m_dst, "B.{*").empty());
    EXPECT_EQ(ReadFileText(Dst("B.TXT")), "old");
    EXPECT_EQ(PendingGuard::Entries().size(), nBefore);
}

/* ---- appending parts ---- */

TEST_F(EngineTest, AppendedPartsByteForByteWithTheLastTime)
{
    std::string parts[3] = { std::string("first\r\n\0\x1a", 9), std::string(70000, 'x'), "last" };
    const char *apszNames[] = { "P1.BIN", "P2.BIN", "P3.BIN" };
    for (int i = 0; i < 3; i++) {
        ASSERT_TRUE(ktest::WriteFileText(Src(apszNames[i]), parts[i]));
        ASSERT_TRUE(ktest::SetYear(Src(apszNames[i]), (WORD)(2001 + i)));
    }
    const UINT auParts[] = { JP_FIRST, JP_MID, JP_LAST };
    for (int i = 0; i < 3; i++) {
        Prepare(apszNames[i], "JOINED.BIN", IM_N, CM_J);
        m_if.uJoinPart = auParts[i];
        EXPECT_EQ(Install(), 0) << i;
    }
    EXPECT_EQ(ReadFileText(Dst("JOINED.BIN")), parts[0] + parts[1] + parts[2]);
    EXPECT_TRUE(ktest::SameTime(ktest::TimeOf(Dst("JOINED.BIN")), ktest::TimeOf(Src("P3.BIN"))));
    /* Directly: a missing part is an error and leaves the target as it was. */
    EXPECT_EQ(fnAppendToFile(Src("NONE.BIN").c_str(), Dst("JOINED.BIN").c_str()),
              (DWORD)IR_CANNOTREADSRC);
    EXPECT_EQ(ReadFileText(Dst("JOINED.BIN")), parts[0] + parts[1] + parts[2]);
}

TEST_F(EngineTest, AppendErrorsAreErrors)
{
    ASSERT_TRUE(ktest::WriteFileText(Src("P1.BIN"), "part"));
    ASSERT_TRUE(ktest::WriteFileText(Dst("JOINED.BIN"), "so far"));
    FileHolder holder(Dst("JOINED.BIN"));
    ASSERT_TRUE(holder.Holding());
    EXPECT_EQ(fnAppendToFile(Src("P1.BIN").c_str(), Dst("JOINED.BIN").c_str()),
              (DWORD)IR_ACCESSVIOL);
    /* Through the engine a failed part is not "installed": quiet Abort. */
    Prepare("P1.BIN", "JOINED.BIN", IM_N, CM_J);
    m_if.uJoinPart = JP_MID;
    EXPECT_EQ(Install(), 2);
    EXPECT_NE(g_dwInstallResult, 0u);
    holder.Release();
    EXPECT_EQ(ReadFileText(Dst("JOINED.BIN")), "so far");
}

TEST_F(EngineTest, ModeRReplacesTheTargetWithTheFirstPart)
{
    ASSERT_TRUE(ktest::WriteFileText(Src("R1.BIN"), "one"));
    ASSERT_TRUE(ktest::WriteFileText(Src("R2.BIN"), "two"));
    ASSERT_TRUE(ktest::WriteFileText(Dst("R.BIN"), "previous"));
    Prepare("R1.BIN", "R.BIN", IM_R, CM_J, EA_B);
    m_if.uJoinPart = JP_FIRST;
    EXPECT_EQ(Install(), 0);
    EXPECT_EQ(ReadFileText(Dst("R.BIN")), "one");
    EXPECT_EQ(ReadFileText(Dst("R.{00}.SAV.BIN")), "previous");
    Prepare("R2.BIN", "R.BIN", IM_R, CM_J, EA_B);
    m_if.uJoinPart = JP_LAST;
    EXPECT_EQ(Install(), 0);
    EXPECT_EQ(ReadFileText(Dst("R.BIN")), "onetwo");
    /* Later parts make no further backup. */
    EXPECT_FALSE(ktest::Exists(Dst("R.{01}.SAV.BIN")));
}

}  // namespace
