/* Macro expansion against the real registry, environment and file system
 * of the prefix. */
#include "testutil.h"
#include "script/macro.h"
#include "script/macroint.h"
#include "registry/registry.h"
#include "install/install.h"
#include <string>

using ktest::TempDirTest;

namespace {

class MacroTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        m_saved.Keep(g_szSysDir);        m_saved.Keep(g_szSourceDir);
        m_saved.Keep(g_OSInfo);          m_saved.Keep(g_cMacroChar);
        m_saved.Keep(g_szDate);          m_saved.Keep(g_szTime);
        m_saved.Keep(g_szProgramFilesDir);
        GetWindowsDirectoryA(g_szWinDir, sizeof(g_szWinDir));
        GetSystemDirectoryA(g_szSysDir, sizeof(g_szSysDir));
        fnInitMacroTables();
    }
    void TearDown() override
    {
        fnInitMacroTables();
        TempDirTest::TearDown();
    }
    /* The expansion of lpszText in a buffer of cch (at most 1024). */
    std::string X(const char *lpszText, int *lpnResult = NULL, size_t cch = 260)
    {
        char szBuf[1024];
        memset(szBuf, 0xA5, sizeof(szBuf));
        strncpy(szBuf, lpszText, sizeof(szBuf) - 1);
        szBuf[sizeof(szBuf) - 1] = '\0';
        int n = fnExpandOpts(szBuf, cch);
        if (lpnResult)
            *lpnResult = n;
        EXPECT_LT(strnlen(szBuf, cch), cch) << "no terminator inside the buffer";
        return std::string(szBuf, strnlen(szBuf, cch));
    }
    static std::string Reg(HKEY hRoot, const char *lpszLookup)
    {
        char szValue[1024] = "";
        return fnGetRegistry(hRoot, lpszLookup, szValue, sizeof(szValue)) ? szValue : "?";
    }
};

TEST_F(MacroTest, PlainTextMacroCharAndResultCodes)
{
    int n = 7;
    EXPECT_EQ(X("no macro here", &n), "no macro here");
    EXPECT_EQ(n, MACRO_NONE);
    EXPECT_EQ(X("a@@b", &n), "a@b");
    EXPECT_EQ(n, MACRO_NONE);
    EXPECT_EQ(X("end@", &n), "end@");
    EXPECT_EQ(X("@Y and @N stay", &n), "@Y and @N stay");
    EXPECT_EQ(n, MACRO_NONE);
    strcpy(g_szDestDir, "C:\\APPS\\");
    EXPECT_EQ(X("@D", &n), "C:\\APPS");
    EXPECT_EQ(n, MACRO_OK);
    g_szDestDir[0] = '\0';
    EXPECT_EQ(X("x@Dy", &n), "xy");
    EXPECT_EQ(n, MACRO_EMPTY);
    /* A letter in either case, and @. separates a macro from digits. */
    strcpy(g_szDestDir, "C:\\A");
    EXPECT_EQ(X("@d@.1"), "C:\\A1");
}

TEST_F(MacroTest, DirectoriesAndPathParts)
{
    strcpy(g_szDirList[0], "D:\\X\\Y");
    EXPECT_EQ(X("@D1"), "D:\\X\\Y");
    EXPECT_EQ(X("@D10"), "D:");
    EXPECT_EQ(X("@D11"), "D:\\X");
    EXPECT_EQ(X("@D12"), "X\\Y");
    EXPECT_EQ(X("@D13"), "@D13");   /* no such part: plain text */
    EXPECT_EQ(X("@D0"), "@D0");     /* entries count from 1 */
    /* A root keeps its backslash, so "@D\X" names a file on the root. */
    strcpy(g_szDestDir, "C:\\");
    EXPECT_EQ(X("@D"), "C:\\");
    strcpy(g_szSourceDir, "E:\\SRC\\");
    EXPECT_EQ(X("@H\\SETUP.INF"), "E:\\SRC\\SETUP.INF");
    strcpy(g_szLaunchDirs[0], "F:\\RUN\\BIN");
    EXPECT_EQ(X("@E02"), "RUN\\BIN");
    /* @F names a table nothing fills: empty, and @F alone is text. */
    int n;
    EXPECT_EQ(X("[@F1]", &n), "[]");
    EXPECT_EQ(n, MACRO_EMPTY);
    EXPECT_EQ(X("@F"), "@F");
    /* @K keeps the last name for part 2; "-NOTFOUND-" is nothing; 9 is text. */
    strcpy(g_szRegValues[0], "C:\\Tools\\app.exe");
    strcpy(g_szRegValues[8], "-NOTFOUND-");
    EXPECT_EQ(X("@K02"), "app.exe");
    EXPECT_EQ(X("@K01"), "C:\\Tools");
    EXPECT_EQ(X("<@K8>", &n), "<>");
    EXPECT_EQ(n, MACRO_EMPTY);
    EXPECT_EQ(X("@K9"), "@K9");
}

TEST_F(MacroTest, AnswerTablesFieldsAndOptionStates)
{
    strcpy(g_szAskForResponse, "alpha,bravo=charlie");
    EXPECT_EQ(X("@A1"), "alpha,bravo=charlie");
    EXPECT_EQ(X("@A10"), "alpha");
    EXPECT_EQ(X("@A11"), "alpha");
    EXPECT_EQ(X("@A12"), "bravo");
    EXPECT_EQ(X("@A123"), "bra");
    EXPECT_EQ(X("@A13"), "charlie");
    int n;
    EXPECT_EQ(X("[@A14]", &n), "[]");
    EXPECT_EQ(n, MACRO_EMPTY);
    strcpy(g_szFromComboResponse[1], "one;two");
    strcpy(g_szFromListResponse[8], "last");
    strcpy(g_szDefaultSetting[0], "first default");
    strcpy(g_szDefaultSetting[9], "unreachable");
    EXPECT_EQ(X("@C2 @L9 @P1"), "one;two last first default");
    /* The field delimiters are a setting; only 11 characters are kept. */
    fnSetExpandDelims(";");
    EXPECT_EQ(X("@C22"), "two");
    fnSetExpandDelims("abcdefghijklmnopq");
    EXPECT_STREQ(g_szExpandDelims, "abcdefghijk");
    strcpy(g_szOptionStates[8], "YNNY");
    EXPECT_EQ(X("@B91@B92@B94"), "YNY");
    /* Options 5-9 lie past the four states of a group: plain text. */
    EXPECT_EQ(X("@B95"), "@B95");
    EXPECT_EQ(X("@B9"), "@B9");
    g_szOptionStates[0][0] = '\0';
    EXPECT_EQ(X("@B11"), "@B11");
}

TEST_F(MacroTest, ResultNumbersVersionsAndSystemFacts)
{
    g_alResultNumbers[0] = 1;
    g_alResultNumbers[7] = 102;
    g_alResultNumbers[42] = -3;
    EXPECT_EQ(X("@I0 @I7 @I42 @I07"), "1 102 -3 102");
    EXPECT_EQ(X("@I"), "@I");
    strcpy(g_szDate, "20261207");
    strcpy(g_szTime, "093005");
    EXPECT_EQ(X("@S1-@S2"), "20261207-093005");
    EXPECT_EQ(X("@S"), std::string(g_szSysDir));
    EXPECT_EQ(X("@S7"), "@S7");
    char szUser[256];
    DWORD cch = sizeof(szUser);
    ASSERT_TRUE(GetUserNameA(szUser, &cch));
    EXPECT_EQ(X("@S3"), szUser);
    EXPECT_EQ(X("@S0"), szUser);   /* no NetID in this prefix */
    char szComputer[64];
    cch = sizeof(szComputer);
    ASSERT_TRUE(GetComputerNameA(szComputer, &cch));
    EXPECT_EQ(X("@S4"), szComputer);

    struct Case { DWORD bNT, dwMajor, dwMinor; UINT uFamily; const char *lpszV8, *lpszV9; };
    const Case aCases[] = {
        { 0, 4, 0, 2, "1", "W95" },  { 0, 4, 10, 2, "2", "W98" }, { 0, 4, 90, 2, "2", "WME" },
        { 1, 4, 0, 3, "3", "WNT" },  { 1, 5, 0, 3, "3", "W2K" },  { 1, 5, 1, 3, "3", "W2K" },
        { 0, 3, 10, 1, "0", "W31" },
    };
    for (const Case &c : aCases) {
        g_OSInfo.bWinNT = c.bNT;
        g_OSInfo.dwWinMajor = c.dwMajor;
        g_OSInfo.dwWinMinor = c.dwMinor;
        g_OSInfo.uWinFamily = c.uFamily;
        g_OSInfo.dwWinBuild = 950;
        SCOPED_TRACE(c.lpszV9);
        EXPECT_EQ(X("@V8"), c.lpszV8);
        EXPECT_EQ(X("@V9"), c.lpszV9);
        EXPECT_EQ(X("@V7"), c.uFamily == 1 ? "0" : "1");
        EXPECT_EQ(X("@V@V1 @V2.@V3 @V5"), std::to_string(c.uFamily) + std::to_string(c.uFamily) +
                                              " " + std::to_string(c.dwMajor) + "." +
                                              std::to_string(c.dwMinor) + " 950");
    }
    EXPECT_EQ(X("@V0"), "@V0");
}

TEST_F(MacroTest, WindowsFoldersFromTheRegistry)
{
    std::string win = g_szWinDir;
    EXPECT_EQ(X("@W|@W0|@W1|@W2"), win + "|" + win + "|" + win + "|" + g_szSysDir);
    EXPECT_EQ(X("@W3"), win.substr(0, 2));
    strcpy(g_szProgramFilesDir, "C:\\Program Files");
    EXPECT_EQ(X("@W5"), "C:\\Program Files");
    /* Wine keeps the user's folders as expandable strings: they come
       expanded, never with "%USERPROFILE%" in them. */
    std::string desktop = X("@W8");
    EXPECT_EQ(desktop, Reg(HKEY_CURRENT_USER,
                           "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders\\Desktop"));
    EXPECT_EQ(desktop.find('%'), std::string::npos) << desktop;
    EXPECT_NE(desktop, "");
    /* Two digits are one number; 40 and above is plain text. */
    EXPECT_EQ(X("@W30"), Reg(HKEY_LOCAL_MACHINE,
                             "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RegisteredOwner") == "?"
                             ? "Unknown"
                             : Reg(HKEY_LOCAL_MACHINE,
                                   "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RegisteredOwner"));
    EXPECT_EQ(X("@W40"), "@W40");
    EXPECT_EQ(X("@W1@.5"), win + "5");
    /* A folder the registry lacks falls back to the Windows directory. */
    HKEY hKey;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER,
                            "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                            0, KEY_ALL_ACCESS, &hKey), ERROR_SUCCESS);
    char szSaved[1024];
    DWORD cb = sizeof(szSaved), dwType = 0;
    LONG lHad = RegQueryValueExA(hKey, "NetHood", NULL, &dwType, (BYTE *)szSaved, &cb);
    RegDeleteValueA(hKey, "NetHood");
    HKEY hShell;
    char szShell[1024];
    DWORD cbShell = sizeof(szShell), dwShellType = 0;
    LONG lShellHad = -1;
    if (RegOpenKeyExA(HKEY_CURRENT_USER,
                      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0,
                      KEY_ALL_ACCESS, &hShell) == ERROR_SUCCESS) {
        lShellHad = RegQueryValueExA(hShell, "NetHood", NULL, &dwShellType, (BYTE *)szShell, &cbShell);
        RegDeleteValueA(hShell, "NetHood");
    }
    EXPECT_EQ(X("@W22"), win + "\\NetHood");
    if (lHad == ERROR_SUCCESS)
        RegSetValueExA(hKey, "NetHood", 0, dwType, (BYTE *)szSaved, cb);
    RegCloseKey(hKey);
    if (lShellHad == ERROR_SUCCESS)
        RegSetValueExA(hShell, "NetHood", 0, dwShellType, (BYTE *)szShell, cbShell);
    if (lShellHad != -1)
        RegCloseKey(hShell);
}

TEST_F(MacroTest, EnvironmentEscapesAndQuotes)
{
    SetEnvironmentVariableA("K8_VAR", "from env");
    SetEnvironmentVariableA("K8_NO_SUCH", NULL);
    int n;
    EXPECT_EQ(X("<@%K8_VAR%>", &n), "<from env>");
    EXPECT_EQ(n, MACRO_OK);
    EXPECT_EQ(X("<@%K8_NO_SUCH%>", &n), "<@%K8_NO_SUCH%>");
    EXPECT_EQ(n, MACRO_EMPTY);
    EXPECT_EQ(X("@%K8 VAR%", &n), "@%K8 VAR%");   /* a blank ends the name: text */
    EXPECT_EQ(n, MACRO_NONE);
    EXPECT_EQ(X("@%K8_VAR"), "@%K8_VAR");
    EXPECT_EQ(X("a@\\cb@\\ec@\\\"d@\\\\e@\\?"), "a,b=c\"d\\e`");
    EXPECT_EQ(X("@\\n@\\r@\\t@\\a@\\v@\\f@\\b"), "\n\r\t\a\v\f\b");
    EXPECT_EQ(X("@\\x"), "@\\x");
    EXPECT_EQ(X("@Qq@Q@R@T"), "\"q\"\r\n\t");
    SetEnvironmentVariableA("K8_VAR", NULL);
}

TEST_F(MacroTest, EndMarkCutsOnlyTheScriptText)
{
    EXPECT_EQ(X("abc@Zdef"), "abc");
    EXPECT_EQ(X("abc@zdef"), "abc");
    /* "@@Z" is an escaped macro character, and a value holding "@Z" is
       never cut. */
    EXPECT_EQ(X("a@@Zb"), "a@Zb");
    strcpy(g_szAskForResponse, "x@Zy");
    EXPECT_EQ(X("<@A1>"), "<x@Zy>");
    SetEnvironmentVariableA("K8_MARK", "p@zq");
    EXPECT_EQ(X("@%K8_MARK%!"), "p@zq!");
    SetEnvironmentVariableA("K8_MARK", NULL);
}

TEST_F(MacroTest, ChangedMacroCharacter)
{
    strcpy(g_szDestDir, "C:\\DEST");
    fnSetMacroChar("$x");
    EXPECT_EQ(X("$D and @D"), "C:\\DEST and @D");
    EXPECT_EQ(X("$$"), "$");
    /* An empty value leaves the character as it is. */
    fnSetMacroChar("");
    EXPECT_EQ(g_cMacroChar, '$');
    fnSetMacroChar("@");
    EXPECT_EQ(X("@D"), "C:\\DEST");
}

TEST_F(MacroTest, ModifiersApplyToTheNextMacroOnly)
{
    std::string dir = Path("A Long Directory Name");
    ASSERT_TRUE(CreateDirectoryA(dir.c_str(), NULL));
    char szShort[260];
    ASSERT_NE(GetShortPathNameA(dir.c_str(), szShort, sizeof(szShort)), 0u);
    ASSERT_STRNE(szShort, dir.c_str());
    strcpy(g_szDestDir, dir.c_str());
    strcpy(g_szDirList[1], dir.c_str());
    EXPECT_EQ(X("@~@D"), szShort);
    EXPECT_EQ(X("@~@D;@D2"), std::string(szShort) + ";" + dir);
    strcpy(g_szDestDir, szShort);
    EXPECT_EQ(X("@#@D"), dir);
    EXPECT_EQ(X("@|@W"), [] {
        std::string s = g_szWinDir;
        for (char &c : s)
            if (c == '\\')
                c = '|';
        return s;
    }());
    /* Any other character clears a pending modifier. */
    strcpy(g_szDestDir, dir.c_str());
    EXPECT_EQ(X("@~x@D"), "x" + dir);
}

TEST_F(MacroTest, FunctionsAndNestedExpansion)
{
    int n;
    EXPECT_EQ(X("@_fnGetArg(a b c;2)x", &n), "bx");
    EXPECT_EQ(n, MACRO_OK);
    EXPECT_EQ(X("@_fngetarg(k=v;0)"), "k");
    EXPECT_EQ(X("@_fnGetArg(a,b,c;3)"), "c");
    /* The argument is expanded by a call of its own: the text around the
       call survives. */
    EXPECT_EQ(X("X@_fnGetArg(@W;1)Y"), std::string("X") + g_szWinDir + "Y");
    strcpy(g_szAskForResponse, "one two three");
    EXPECT_EQ(X("@_fnGetArg(@A1;3)"), "three");
    /* A failed call, an empty value or another name is plain text. */
    EXPECT_EQ(X("@_fnGetArg(a;9)"), "@_fnGetArg(a;9)");
    EXPECT_EQ(X("@_fnNoSuch(a;1)"), "@_fnNoSuch(a;1)");
    EXPECT_EQ(X("@_GetArg(a;1)"), "@_GetArg(a;1)");
    EXPECT_EQ(X("@_fnGetArg(a b"), "@_fnGetArg(a b");
    /* The version of the program itself. */
    char szExe[MAX_PATH];
    GetModuleFileNameA(NULL, szExe, sizeof(szExe));
    std::string self = szExe;
    SetEnvironmentVariableA("K8_EXE", szExe);
    char szVer[64], szProd[64];
    ASSERT_TRUE(fnGetFileVersion(szExe, szVer, sizeof(szVer), szProd, sizeof(szProd), NULL, 0));
    EXPECT_STREQ(szVer, "8.0.1");
    EXPECT_EQ(X("@_fnGetFileVer(@%K8_EXE%;F)!"), std::string(szVer) + "!");
    EXPECT_EQ(X("@_fnGetFileVer(@%K8_EXE%;p)"), szProd);
    EXPECT_EQ(X("@_fnGetFileVer(@%K8_EXE%;Q)"), "@_fnGetFileVer(" + self + ";Q)");
    SetEnvironmentVariableA("K8_EXE", NULL);
}

TEST_F(MacroTest, ResultsStayInsideTheirBuffers)
{
    /* A value that does not fit is cut inside the buffer and reported,
       so a writer refuses it. */
    std::string longDir = "C:\\" + std::string(250, 'd');
    strcpy(g_szDestDir, longDir.c_str());
    int n;
    std::string got = X("@D\\more\\and\\more", &n);
    EXPECT_EQ(got.size(), 259u);
    EXPECT_EQ(n, MACRO_EMPTY);
    got = X("@D", &n, 40);
    EXPECT_EQ(got, longDir.substr(0, 39));
    EXPECT_EQ(n, MACRO_EMPTY);
    /* An environment value longer than a value buffer. */
    std::string big(2000, 'e');
    SetEnvironmentVariableA("K8_BIG", big.c_str());
    got = X("@%K8_BIG%", &n);
    EXPECT_EQ(n, MACRO_EMPTY);
    EXPECT_LE(got.size(), 259u);
    SetEnvironmentVariableA("K8_BIG", NULL);
    /* Registry values are kept whole in their slot and cut only here. */
    memset(g_szRegValues[3], 'r', 1000);
    g_szRegValues[3][1000] = '\0';
    got = X("@K3", &n);
    EXPECT_EQ(n, MACRO_EMPTY);
    EXPECT_EQ(got, std::string(259, 'r'));
    /* Text without a macro is never touched, however long. */
    std::string plain(600, 'p');
    EXPECT_EQ(X(plain.c_str(), &n, 1024), plain);
    EXPECT_EQ(n, MACRO_NONE);
}

TEST(MacroPaths, StripTrailingBackslash)
{
    struct Case { const char *lpszIn; BOOL bKeepRoot; const char *lpszWant; };
    const Case aCases[] = {
        { "C:\\APPS\\", TRUE, "C:\\APPS" }, { "C:\\", TRUE, "C:\\" },
        { "C:\\", FALSE, "C:" },             { "\\\\srv\\share\\", TRUE, "\\\\srv\\share\\" },
        { "\\\\srv\\share\\", FALSE, "\\\\srv\\share" }, { "dir/", FALSE, "dir" },
        { "C:\\A\\\\", TRUE, "C:\\A\\" },    { "", TRUE, "" },
    };
    for (const Case &c : aCases) {
        char sz[64];
        strcpy(sz, c.lpszIn);
        fnStripTrailingBSlash(sz, c.bKeepRoot);
        EXPECT_STREQ(sz, c.lpszWant) << c.lpszIn << " keep root " << c.bKeepRoot;
    }
}

}  // namespace
