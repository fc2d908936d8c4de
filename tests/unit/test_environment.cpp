/* Environment variables: list edits, the user and system environment in
 * the real registry of the prefix, the running process's variable, and
 * AUTOEXEC.BAT edits on a file of the test's own. */
#include "testutil.h"
#include "config/config.h"
#include "config/environment.h"
#include "install/install.h"
#include <stdlib.h>

namespace {

const char USER_KEY[] = "Environment";
const char SYSTEM_KEY[] = "System\\CurrentControlSet\\Control\\Session Manager\\Environment";
const char *const NAMES[] = { "K8UT_PATH", "K8UT_ONE", "K8UT_EXP", "K8UT_NUM", "K8UT_SYS" };

void SetValue(HKEY hRoot, const char *lpszSub, const char *lpszName, DWORD dwType,
              const std::string &data)
{
    HKEY hKey;
    ASSERT_EQ(RegCreateKeyExA(hRoot, lpszSub, 0, NULL, 0, KEY_SET_VALUE, NULL, &hKey, NULL),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(hKey, lpszName, 0, dwType, (const BYTE *)data.c_str(),
                             (DWORD)data.size() + 1), ERROR_SUCCESS);
    RegCloseKey(hKey);
}

/* The stored text, or "<absent>"; *lpdwType gets its type. */
std::string GetValue(HKEY hRoot, const char *lpszSub, const char *lpszName,
                     DWORD *lpdwType = NULL)
{
    HKEY hKey;
    if (RegOpenKeyExA(hRoot, lpszSub, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return "<absent>";
    DWORD dwType = 0, cb = 0;
    std::string text = "<absent>";
    if (RegQueryValueExA(hKey, lpszName, NULL, &dwType, NULL, &cb) == ERROR_SUCCESS) {
        std::vector<char> buf(cb + 1, '\0');
        RegQueryValueExA(hKey, lpszName, NULL, &dwType, (BYTE *)buf.data(), &cb);
        text = buf.data();
    }
    RegCloseKey(hKey);
    if (lpdwType)
        *lpdwType = dwType;
    return text;
}

std::string ProcessEnv(const char *lpszName)
{
    char sz[8192];
    DWORD cch = GetEnvironmentVariableA(lpszName, sz, sizeof(sz));
    return cch && cch < sizeof(sz) ? std::string(sz) : "<absent>";
}

class EnvironmentTest : public ktest::TempDirTest {
protected:
    char m_szAutoExec[sizeof(g_szAutoExecFile)];

    void Clean()
    {
        for (const char *n : NAMES) {
            HKEY hKey;
            if (RegOpenKeyExA(HKEY_CURRENT_USER, USER_KEY, 0, KEY_SET_VALUE, &hKey) == 0) {
                RegDeleteValueA(hKey, n);
                RegCloseKey(hKey);
            }
            if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SYSTEM_KEY, 0, KEY_SET_VALUE, &hKey) == 0) {
                RegDeleteValueA(hKey, n);
                RegCloseKey(hKey);
            }
            SetEnvironmentVariableA(n, NULL);
        }
    }
    void SetUp() override
    {
        ktest::TempDirTest::SetUp();
        memcpy(m_szAutoExec, g_szAutoExecFile, sizeof(m_szAutoExec));
        fnStrCopy(g_szAutoExecFile, Path("AUTOEXEC.BAT").c_str());
        g_uBackUpMethod = BACKUP_ORIEXT;
        fnResetConfigBackups();
        Clean();
    }
    void TearDown() override
    {
        Clean();
        fnResetConfigBackups();
        memcpy(g_szAutoExecFile, m_szAutoExec, sizeof(m_szAutoExec));
        ktest::TempDirTest::TearDown();
    }
    std::string User(const char *lpszName, DWORD *lpdwType = NULL)
    {
        return GetValue(HKEY_CURRENT_USER, USER_KEY, lpszName, lpdwType);
    }
    BOOL Auto(const char *lpszKey, const char *lpszValue, const char *lpszAction,
              AutoExecStateStruct *lpState)
    {
        return fnSetAutoExecEnvironment(NULL, lpszKey, lpszValue, lpszAction, TRUE, lpState);
    }
    BOOL RunSection(const std::string &text)
    {
        std::vector<char> buf(text.begin(), text.end());
        buf.push_back('\0');
        return fnReadSetEnvironment(NULL, buf.data());
    }
};

struct ListCase {
    const char *lpszList;
    const char *lpszEntry;
    char cAction;
    const char *lpszWant;
    BOOL bChanged;
};

TEST(EnvListTest, EveryActionFoundAndNotFound)
{
    const ListCase aCases[] = {
        /* found */
        { "C:\\DOS;C:\\APP;C:\\WIN", "c:\\app", 'S', "C:\\DOS;C:\\APP;C:\\WIN", FALSE },
        { "C:\\DOS;C:\\APP;C:\\WIN", "c:\\app", 'N', "C:\\DOS;C:\\APP;C:\\WIN", FALSE },
        { "C:\\DOS;C:\\APP;C:\\WIN", "c:\\app", 'R', "C:\\DOS;C:\\APP;C:\\WIN", FALSE },
        { "C:\\DOS;C:\\APP;C:\\WIN", "C:\\APP", 'D', "C:\\DOS;C:\\WIN", TRUE },
        { "C:\\DOS;C:\\APP;C:\\WIN", "C:\\APP", 'E', "C:\\DOS;C:\\WIN;C:\\APP", TRUE },
        { "C:\\DOS;C:\\APP;C:\\WIN", "C:\\APP", 'B', "C:\\APP;C:\\DOS;C:\\WIN", TRUE },
        { "C:\\APP", "C:\\APP", 'D', "", TRUE },
        /* a moved entry keeps the list's spelling */
        { "C:\\APP;C:\\DOS", "c:\\app", 'E', "C:\\DOS;C:\\APP", TRUE },
        /* not found */
        { "C:\\DOS", "C:\\APP", 'E', "C:\\DOS;C:\\APP", TRUE },
        { "C:\\DOS", "C:\\APP", 'N', "C:\\DOS;C:\\APP", TRUE },
        { "C:\\DOS", "C:\\APP", 'B', "C:\\APP;C:\\DOS", TRUE },
        { "C:\\DOS", "C:\\APP", 'S', "C:\\APP;C:\\DOS", TRUE },
        { "C:\\DOS", "C:\\APP", 'R', "C:\\DOS", FALSE },
        { "C:\\DOS", "C:\\APP", 'D', "C:\\DOS", FALSE },
        /* whole entries only: \APP is no part of C:\APP */
        { "C:\\APP;C:\\DOS", "\\APP", 'D', "C:\\APP;C:\\DOS", FALSE },
        { "C:\\APP;C:\\DOS", "\\APP", 'E', "C:\\APP;C:\\DOS;\\APP", TRUE },
        /* an entry given with its ";", a list ending in one */
        { "C:\\DOS;", "C:\\APP;", 'E', "C:\\DOS;C:\\APP", TRUE },
        /* an empty entry never matches and changes nothing */
        { "C:\\DOS;;C:\\WIN", "", 'D', "C:\\DOS;;C:\\WIN", FALSE },
        { "C:\\DOS", "", 'N', "C:\\DOS", FALSE },
        { "", "C:\\APP", 'N', "C:\\APP", TRUE },
    };
    for (const ListCase &c : aCases) {
        SCOPED_TRACE(std::string(c.lpszList) + " | " + c.lpszEntry + " | " + c.cAction);
        BOOL bChanged = 2;
        char *lpsz = fnEditEnvList(c.lpszList, c.lpszEntry, c.cAction, &bChanged);
        ASSERT_NE(lpsz, nullptr);
        EXPECT_STREQ(lpsz, c.lpszWant);
        EXPECT_EQ(bChanged, c.bChanged);
        free(lpsz);
    }
}

TEST_F(EnvironmentTest, UserListActions)
{
    struct { const char *lpszStart; const char *lpszAction; const char *lpszWant; } aCases[] = {
        { "C:\\DOS", "E", "C:\\DOS;C:\\APP" },
        { "C:\\DOS", "B", "C:\\APP;C:\\DOS" },
        { "C:\\DOS;C:\\APP", "N", "C:\\DOS;C:\\APP" },
        { "C:\\DOS;C:\\APP;C:\\WIN", "D", "C:\\DOS;C:\\WIN" },
        { "C:\\APP;C:\\DOS", "e", "C:\\DOS;C:\\APP" },
        { "C:\\DOS", "Xyz", "C:\\DOS;C:\\APP" },     /* unknown letter: N */
    };
    for (auto &c : aCases) {
        SCOPED_TRACE(std::string(c.lpszStart) + " " + c.lpszAction);
        SetValue(HKEY_CURRENT_USER, USER_KEY, "K8UT_PATH", REG_SZ, c.lpszStart);
        EXPECT_TRUE(fnSetRegEnvironment("K8UT_PATH", "C:\\APP", c.lpszAction, TRUE, TRUE));
        DWORD dwType = 0;
        EXPECT_EQ(User("K8UT_PATH", &dwType), c.lpszWant);
        EXPECT_EQ(dwType, (DWORD)REG_SZ);
    }
    /* The last entry removed: the variable goes. */
    SetValue(HKEY_CURRENT_USER, USER_KEY, "K8UT_PATH", REG_SZ, "C:\\APP");
    EXPECT_TRUE(fnSetRegEnvironment("K8UT_PATH", "C:\\APP", "D", TRUE, TRUE));
    EXPECT_EQ(User("K8UT_PATH"), "<absent>");
}

TEST_F(EnvironmentTest, SingleValuesAndMissingVariables)
{
    SetValue(HKEY_CURRENT_USER, USER_KEY, "K8UT_ONE", REG_SZ, "C:\\DOS;C:\\WIN");
    /* bMulti N replaces the whole value, also a list. */
    EXPECT_TRUE(fnSetRegEnvironment("K8UT_ONE", "C:\\APP", "N", FALSE, TRUE));
    EXPECT_EQ(User("K8UT_ONE"), "C:\\APP");
    EXPECT_TRUE(fnSetRegEnvironment("K8UT_ONE", "C:\\NEW", "S", FALSE, TRUE));
    EXPECT_EQ(User("K8UT_ONE"), "C:\\APP");
    EXPECT_TRUE(fnSetRegEnvironment("K8UT_ONE", "C:\\NEW", "R", FALSE, TRUE));
    EXPECT_EQ(User("K8UT_ONE"), "C:\\NEW");
    EXPECT_EQ(ProcessEnv("K8UT_ONE"), "C:\\NEW");
    /* D with bMulti N removes the whole variable, here and in the process. */
    EXPECT_TRUE(fnSetRegEnvironment("K8UT_ONE", "whatever", "D", FALSE, TRUE));
    EXPECT_EQ(User("K8UT_ONE"), "<absent>");
    EXPECT_EQ(ProcessEnv("K8UT_ONE"), "<absent>");
    /* A missing variable is created with the value by N, S, B and E ... */
    for (const char *lpszAction : { "S", "B", "E", "N" }) {
        SCOPED_TRACE(lpszAction);
        EXPECT_TRUE(fnSetRegEnvironment("K8UT_ONE", "C:\\FRESH", lpszAction, TRUE, TRUE));
        EXPECT_EQ(User("K8UT_ONE"), "C:\\FRESH");
        EXPECT_TRUE(fnSetRegEnvironment("K8UT_ONE", "x", "D", FALSE, TRUE));
    }
    /* ... while D and R leave it missing. */
    for (const char *lpszAction : { "D", "R" }) {
        SCOPED_TRACE(lpszAction);
        EXPECT_TRUE(fnSetRegEnvironment("K8UT_ONE", "C:\\FRESH", lpszAction, FALSE, TRUE));
        EXPECT_EQ(User("K8UT_ONE"), "<absent>");
    }
}

TEST_F(EnvironmentTest, EmptyValuesAndUnreadableValuesChangeNothing)
{
    SetValue(HKEY_CURRENT_USER, USER_KEY, "K8UT_PATH", REG_SZ, "C:\\DOS;C:\\WIN");
    for (const char *lpszAction : { "N", "R", "E", "D" }) {
        SCOPED_TRACE(lpszAction);
        EXPECT_FALSE(fnSetRegEnvironment("K8UT_PATH", "", lpszAction, TRUE, TRUE));
        EXPECT_EQ(User("K8UT_PATH"), "C:\\DOS;C:\\WIN");
    }
    EXPECT_FALSE(fnSetRegEnvironment("K8UT_PATH", "", "N", FALSE, TRUE));
    EXPECT_EQ(User("K8UT_PATH"), "C:\\DOS;C:\\WIN");
    /* A value that is no text is not replaced by one entry. */
    HKEY hKey;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, USER_KEY, 0, KEY_SET_VALUE, &hKey), 0);
    DWORD dw = 7;
    RegSetValueExA(hKey, "K8UT_NUM", 0, REG_DWORD, (const BYTE *)&dw, sizeof(dw));
    RegCloseKey(hKey);
    EXPECT_FALSE(fnSetRegEnvironment("K8UT_NUM", "C:\\APP", "E", TRUE, TRUE));
    DWORD dwType = 0;
    GetValue(HKEY_CURRENT_USER, USER_KEY, "K8UT_NUM", &dwType);
    EXPECT_EQ(dwType, (DWORD)REG_DWORD);
}

TEST_F(EnvironmentTest, ExpandableValueKeepsItsReferencesAndType)
{
    SetEnvironmentVariableA("K8UT_SYS", "C:\\BASE");
    SetValue(HKEY_CURRENT_USER, USER_KEY, "K8UT_EXP", REG_EXPAND_SZ, "%K8UT_SYS%\\bin");
    EXPECT_TRUE(fnSetRegEnvironment("K8UT_EXP", "C:\\APP", "E", TRUE, TRUE));
    DWORD dwType = 0;
    EXPECT_EQ(User("K8UT_EXP", &dwType), "%K8UT_SYS%\\bin;C:\\APP");
    EXPECT_EQ(dwType, (DWORD)REG_EXPAND_SZ);
}

TEST_F(EnvironmentTest, LongListIsEditedWholeAndTheEntryAddedOnce)
{
    std::string list;
    for (int i = 0; list.size() < 6000; i++)
        list += (i ? ";" : "") + std::string("C:\\Some Long Folder Name\\Part") + std::to_string(i);
    SetValue(HKEY_CURRENT_USER, USER_KEY, "K8UT_PATH", REG_SZ, list);
    EXPECT_TRUE(fnSetRegEnvironment("K8UT_PATH", "C:\\APP", "E", TRUE, TRUE));
    EXPECT_EQ(User("K8UT_PATH"), list + ";C:\\APP");
    EXPECT_TRUE(fnSetRegEnvironment("K8UT_PATH", "c:\\app", "E", TRUE, TRUE));
    EXPECT_EQ(User("K8UT_PATH"), list + ";C:\\APP");
    EXPECT_TRUE(fnSetRegEnvironment("K8UT_PATH", "C:\\APP", "D", TRUE, TRUE));
    EXPECT_EQ(User("K8UT_PATH"), list);
}

TEST_F(EnvironmentTest, SystemEnvironmentAndTheProcessList)
{
    SetValue(HKEY_LOCAL_MACHINE, SYSTEM_KEY, "K8UT_SYS", REG_SZ, "C:\\SYS");
    SetEnvironmentVariableA("K8UT_SYS", "C:\\SYS;C:\\USERPART");
    EXPECT_TRUE(fnSetRegEnvironment("K8UT_SYS", "C:\\APP", "B", TRUE, FALSE));
    EXPECT_EQ(GetValue(HKEY_LOCAL_MACHINE, SYSTEM_KEY, "K8UT_SYS"), "C:\\APP;C:\\SYS");
    EXPECT_EQ(User("K8UT_SYS"), "<absent>");
    /* The process keeps its own list with the entry added, not the
       system value alone. */
    EXPECT_EQ(ProcessEnv("K8UT_SYS"), "C:\\APP;C:\\SYS;C:\\USERPART");
    EXPECT_TRUE(fnSetRegEnvironment("K8UT_SYS", "C:\\APP", "D", TRUE, FALSE));
    EXPECT_EQ(ProcessEnv("K8UT_SYS"), "C:\\SYS;C:\\USERPART");
    /* A single user value removed: the process falls back on the system's. */
    SetValue(HKEY_CURRENT_USER, USER_KEY, "K8UT_SYS", REG_SZ, "C:\\MINE");
    EXPECT_TRUE(fnSetRegEnvironment("K8UT_SYS", "x", "D", FALSE, TRUE));
    EXPECT_EQ(ProcessEnv("K8UT_SYS"), "C:\\SYS");
}

TEST_F(EnvironmentTest, AutoExecSetLinesAndPlacements)
{
    AutoExecStateStruct state = { TRUE, "" };
    const std::string bat = Path("AUTOEXEC.BAT");
    ASSERT_TRUE(ktest::WriteFileText(bat, "@ECHO OFF\r\nPATH C:\\DOS\r\nWIN\r\n"));
    EXPECT_TRUE(Auto("TEMP", "C:\\TMP", "N", &state));
    EXPECT_FILE_TEXT(bat, "@ECHO OFF\r\nPATH C:\\DOS\r\nWIN\r\nset TEMP=C:\\TMP\r\n");
    ASSERT_TRUE(ktest::WriteFileText(bat, "  set temp=C:\\OLD\nREM\n"));
    EXPECT_TRUE(Auto("TEMP", "C:\\TMP", "N", &state));
    EXPECT_FILE_TEXT(bat, "set TEMP=C:\\TMP\nREM\n");
    /* S leaves a found line; D removes it; R adds nothing when absent. */
    EXPECT_TRUE(Auto("TEMP", "C:\\OTHER", "S", &state));
    EXPECT_FILE_TEXT(bat, "set TEMP=C:\\TMP\nREM\n");
    EXPECT_TRUE(Auto("TEMP", "x", "D", &state));
    EXPECT_FILE_TEXT(bat, "REM\n");
    EXPECT_TRUE(Auto("TEMP", "C:\\TMP", "R", &state));
    EXPECT_FILE_TEXT(bat, "REM\n");
    /* Second letters T, A and B place a new line. */
    const char *apszCases[][2] = {
        { "NT", "set K=V\r\n@ECHO OFF\r\nLH X\r\nWIN\r\n" },
        { "NA", "@ECHO OFF\r\nset K=V\r\nLH X\r\nWIN\r\n" },
        { "NB", "@ECHO OFF\r\nLH X\r\nset K=V\r\nWIN\r\n" },
    };
    for (auto &c : apszCases) {
        SCOPED_TRACE(c[0]);
        ASSERT_TRUE(ktest::WriteFileText(bat, "@ECHO OFF\r\nLH X\r\nWIN\r\n"));
        EXPECT_TRUE(Auto("K", "V", c[0], &state));
        EXPECT_FILE_TEXT(bat, c[1]);
    }
}

TEST_F(EnvironmentTest, AutoExecPathLines)
{
    AutoExecStateStruct state = { TRUE, "" };
    const std::string bat = Path("AUTOEXEC.BAT");
    ASSERT_TRUE(ktest::WriteFileText(bat, "PATH C:\\DOS\r\nSET PATH=%PATH%;C:\\WIN\r\n"));
    EXPECT_TRUE(Auto("PATH", "C:\\APP", "N", &state));
    /* Every PATH line gets the directory first and is rebuilt as "PATH ". */
    EXPECT_FILE_TEXT(bat, "PATH C:\\APP;C:\\DOS\r\nPATH C:\\APP;%PATH%;C:\\WIN\r\n");
    ASSERT_TRUE(ktest::WriteFileText(bat, "PATH C:\\DOS\r\n"));
    EXPECT_TRUE(Auto("path", "C:\\APP", "E", &state));
    EXPECT_FILE_TEXT(bat, "PATH C:\\DOS;C:\\APP\r\n");
    /* No PATH line: "PATH " and the value, at the end by default. */
    ASSERT_TRUE(ktest::WriteFileText(bat, "@ECHO OFF\r\n"));
    EXPECT_TRUE(Auto("PATH", "C:\\APP", "N", &state));
    EXPECT_FILE_TEXT(bat, "@ECHO OFF\r\nPATH C:\\APP\r\n");
    /* A missing file is created. */
    ASSERT_TRUE(DeleteFileA(bat.c_str()));
    EXPECT_TRUE(Auto("PATH", "C:\\APP", "N", &state));
    EXPECT_FILE_TEXT(bat, "PATH C:\\APP\r\n");
}

TEST_F(EnvironmentTest, AutoExecBackedUpOnceAndNomodEditsTheCopy)
{
    const std::string bat = Path("AUTOEXEC.BAT");
    ASSERT_TRUE(ktest::WriteFileText(bat, "REM original\r\n"));
    ASSERT_TRUE(RunSection("TEMP, C:\\TMP, , , , N, , Y\r\nTMP, C:\\TMP, , , , N, , Y\r\n"));
    /* The copy holds the original, not the file after the first line. */
    EXPECT_FILE_TEXT(Path("AUTOEXEC.ORI"), "REM original\r\n");
    EXPECT_FILE_TEXT(bat, "REM original\r\nset TEMP=C:\\TMP\r\nset TMP=C:\\TMP\r\n");
    /* Under NOMOD the file stays; both lines go to its .MOD copy. */
    fnResetConfigBackups();
    g_uBackUpMethod = BACKUP_NOMOD;
    ASSERT_TRUE(ktest::WriteFileText(bat, "REM original\r\n"));
    ASSERT_TRUE(RunSection("A1, one, , , , N, , Y\r\nA2, two, , , , N, , Y\r\n"));
    EXPECT_FILE_TEXT(bat, "REM original\r\n");
    EXPECT_FILE_TEXT(Path("AUTOEXEC.MOD"), "REM original\r\nset A1=one\r\nset A2=two\r\n");
}

TEST_F(EnvironmentTest, AutoExecFailuresLeaveTheFile)
{
    AutoExecStateStruct state = { TRUE, "" };
    const std::string bat = Path("AUTOEXEC.BAT");
    /* A set line that would not fit a line of the file: no change. */
    ASSERT_TRUE(ktest::WriteFileText(bat, "REM\r\n"));
    std::string value(1020, 'v');
    EXPECT_FALSE(Auto("LONG", value.c_str(), "N", &state));
    EXPECT_FILE_TEXT(bat, "REM\r\n");
    /* A file with a NUL byte is not edited at all. */
    ASSERT_TRUE(ktest::WriteFileText(bat, std::string("REM\r\n\0X\r\n", 9)));
    EXPECT_FALSE(Auto("TEMP", "C:\\TMP", "N", &state));
    EXPECT_FILE_TEXT(bat, std::string("REM\r\n\0X\r\n", 9));
    /* The directory of the file is missing: nothing is made. */
    fnStrCopy(g_szAutoExecFile, Path("nodir\\AUTOEXEC.BAT").c_str());
    EXPECT_FALSE(Auto("TEMP", "C:\\TMP", "N", &state));
    EXPECT_FALSE(ktest::Exists(Path("nodir")));
}

TEST_F(EnvironmentTest, SectionLinesTestsAndFields)
{
    SetValue(HKEY_CURRENT_USER, USER_KEY, "K8UT_PATH", REG_SZ, "C:\\DOS");
    /* A failing test skips its line; a passing one runs it; switches read
       only their first letter. */
    EXPECT_TRUE(RunSection("A=B, K8UT_ONE, never\r\n"
                           "A=a, K8UT_PATH, C:\\APP, end, yes\r\n"
                           "K8UT_ONE, value one, , no, , , , no\r\n"
                           "K8UT_SYS, system, N, N, N, Y, NO\r\n"));
    EXPECT_EQ(User("K8UT_PATH"), "C:\\DOS;C:\\APP");
    EXPECT_EQ(User("K8UT_ONE"), "value one");
    EXPECT_EQ(GetValue(HKEY_LOCAL_MACHINE, SYSTEM_KEY, "K8UT_SYS"), "system");
    EXPECT_EQ(User("K8UT_SYS"), "<absent>");
    /* bReg N changes nothing in the registry. */
    EXPECT_TRUE(RunSection("K8UT_EXP, x, N, N, N, N\r\n"));
    EXPECT_EQ(User("K8UT_EXP"), "<absent>");
    /* A missing name makes the section fail; a missing value fails only
       its line (a quiet run goes on) and sets nothing. */
    EXPECT_FALSE(RunSection(", value\r\nK8UT_EXP, never\r\n"));
    EXPECT_EQ(User("K8UT_EXP"), "<absent>");
    EXPECT_TRUE(RunSection("K8UT_EXP\r\nK8UT_ONE, after\r\n"));
    EXPECT_EQ(User("K8UT_EXP"), "<absent>");
    EXPECT_EQ(User("K8UT_ONE"), "after");
}

}  // namespace
