/* The registry layer and the registry section against the real registry
 * of the prefix.  Each test works below a key of its own under
 * HKCU\Software, removed at its end. */
#include "testutil.h"
#include "registry/registry.h"
#include "script/macro.h"
#include "script/macroint.h"
#include <string>
#include <vector>

using ktest::KestrelTest;

namespace {

/* Independent of the code under test: used to set up and clean up. */
void DeleteTree(HKEY hParent, const std::string &sub)
{
    HKEY h;
    if (RegOpenKeyExA(hParent, sub.c_str(), 0, KEY_ALL_ACCESS, &h) != ERROR_SUCCESS)
        return;
    char szName[256];
    DWORD cch = sizeof(szName);
    while (RegEnumKeyExA(h, 0, szName, &cch, NULL, NULL, NULL, NULL) == ERROR_SUCCESS) {
        DeleteTree(h, szName);
        cch = sizeof(szName);
    }
    RegCloseKey(h);
    RegDeleteKeyA(hParent, sub.c_str());
}

class RegistryTest : public KestrelTest {
protected:
    std::string m_sub;     /* Software\k8reg.<test>.<pid> */
    std::string m_key;     /* the same with its root name, for scripts */

    void SetUp() override
    {
        KestrelTest::SetUp();
        m_saved.Keep(g_szRegValues);
        m_saved.Keep(g_szExpandDelims);
        m_sub = std::string("Software\\k8reg.") +
                ::testing::UnitTest::GetInstance()->current_test_info()->name() + "." +
                std::to_string(GetCurrentProcessId());
        m_key = "HKEY_CURRENT_USER\\" + m_sub;
        DeleteTree(HKEY_CURRENT_USER, m_sub);
        memset(g_szRegValues, 0, sizeof(g_szRegValues));
    }
    void TearDown() override
    {
        DeleteTree(HKEY_CURRENT_USER, m_sub);
        KestrelTest::TearDown();
    }
    std::string Sub(const std::string &rest) const
    {
        return rest.empty() ? m_sub : m_sub + "\\" + rest;
    }
    void SetRaw(const std::string &rest, const char *lpszName, DWORD dwType, const void *lpData,
                DWORD cb)
    {
        HKEY h;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, Sub(rest).c_str(), 0, NULL, 0,
                                  KEY_ALL_ACCESS, NULL, &h, NULL), ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(h, lpszName, 0, dwType, (const BYTE *)lpData, cb),
                  ERROR_SUCCESS);
        RegCloseKey(h);
    }
    void SetSz(const std::string &rest, const char *lpszName, const char *lpszText)
    {
        SetRaw(rest, lpszName, REG_SZ, lpszText, (DWORD)strlen(lpszText) + 1);
    }
    /* The stored type and bytes of a value; type 0xFFFF when it is missing. */
    static std::pair<DWORD, std::string> Raw(const std::string &sub, const char *lpszName)
    {
        HKEY h;
        std::pair<DWORD, std::string> r(0xFFFF, "");
        if (RegOpenKeyExA(HKEY_CURRENT_USER, sub.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
            return r;
        BYTE ab[4096];
        DWORD cb = sizeof(ab), dwType = 0;
        if (RegQueryValueExA(h, lpszName, NULL, &dwType, ab, &cb) == ERROR_SUCCESS)
            r = std::make_pair(dwType, std::string((char *)ab, cb));
        RegCloseKey(h);
        return r;
    }
    static bool KeyExists(const std::string &sub)
    {
        HKEY h;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, sub.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
            return false;
        RegCloseKey(h);
        return true;
    }
    static DWORD ValueCount(const std::string &sub)
    {
        HKEY h;
        DWORD n = 0xFFFF;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, sub.c_str(), 0, KEY_READ, &h) == ERROR_SUCCESS) {
            RegQueryInfoKeyA(h, NULL, NULL, NULL, NULL, NULL, NULL, &n, NULL, NULL, NULL, NULL);
            RegCloseKey(h);
        }
        return n;
    }
    /* Run a section made of lines; @KEY in a line stands for m_key. */
    BOOL Section(std::string text)
    {
        for (size_t i; (i = text.find("@KEY")) != std::string::npos;)
            text.replace(i, 4, m_key);
        std::vector<char> buf(text.begin(), text.end());
        buf.push_back('\0');
        return fnRegistrySection(NULL, buf.data());
    }
    std::string Get(const std::string &lookup)
    {
        char sz[1024];
        return fnGetRegistry(HKEY_CURRENT_USER, Sub(lookup).c_str(), sz, sizeof(sz)) ? sz : "?";
    }
};

std::string Bytes(std::initializer_list<int> l)
{
    std::string s;
    for (int b : l)
        s.push_back((char)b);
    return s;
}

TEST_F(RegistryTest, SplitKeyRootNamesAtTheStartOnly)
{
    struct { const char *lpszText; HKEY hRoot; const char *lpszSub; } aCases[] = {
        { "HKEY_CLASSES_ROOT\\.txt", HKEY_CLASSES_ROOT, ".txt" },
        { "HKEY_LOCAL_MACHINE\\Software\\X", HKEY_LOCAL_MACHINE, "Software\\X" },
        { "hkey_current_user\\\\\\Software", HKEY_CURRENT_USER, "Software" },
        { "  HKEY_USERS\\.DEFAULT", HKEY_USERS, ".DEFAULT" },
        { "HKEY_PERFORMANCE_DATA\\x", HKEY_PERFORMANCE_DATA, "x" },
        { "HKEY_CURRENT_CONFIG\\System", HKEY_CURRENT_CONFIG, "System" },
        { "HKEY_DYN_DATA\\PerfStats", HKEY_DYN_DATA, "PerfStats" },
        /* The root itself. */
        { "HKEY_CURRENT_USER\\", HKEY_CURRENT_USER, "" },
    };
    for (auto &c : aCases) {
        SCOPED_TRACE(c.lpszText);
        HKEY hRoot = NULL;
        const char *lpszSub = NULL;
        EXPECT_TRUE(fnSplitRegKey(c.lpszText, &hRoot, &lpszSub));
        EXPECT_EQ(hRoot, c.hRoot);
        EXPECT_STREQ(lpszSub, c.lpszSub);
    }
    const char *aNone[] = { "HKEY_CURRENT_USER", "HKCU\\Software", "HKLM\\Software",
                            "Software\\HKEY_CURRENT_USER\\x", "HKEY_CURRENT_USERS\\x",
                            "", "\\HKEY_CURRENT_USER\\x" };
    for (const char *lpszText : aNone) {
        SCOPED_TRACE(lpszText);
        HKEY hRoot = (HKEY)1;
        const char *lpszSub = NULL;
        EXPECT_FALSE(fnSplitRegKey(lpszText, &hRoot, &lpszSub));
        EXPECT_EQ(hRoot, (HKEY)NULL);
    }
}

TEST_F(RegistryTest, GetRegistryConvertsByStoredType)
{
    SetSz("", "Sz", "plain text");
    SetSz("", "", "the default");
    SetRaw("", "Bin", REG_BINARY, "\x01\x02\x0a\xff", 4);
    DWORD dw = 0x1f;
    SetRaw("", "Dw", REG_DWORD, &dw, 4);
    SetRaw("", "Big", REG_DWORD_BIG_ENDIAN, "\x00\x00\x01\x02", 4);
    SetRaw("", "Multi", REG_MULTI_SZ, "one\0two\0", 9);
    SetRaw("", "Exp", REG_EXPAND_SZ, "%K8REGTEST%\\x", 14);
    SetRaw("", "NoZero", REG_SZ, "abc", 3);
    SetEnvironmentVariableA("K8REGTEST", "C:\\expanded");
    EXPECT_EQ(Get("Sz"), "plain text");
    char szDef[64];
    ASSERT_TRUE(fnGetRegistry(HKEY_CURRENT_USER, (m_sub + "\\").c_str(), szDef, sizeof(szDef)));
    EXPECT_STREQ(szDef, "the default");
    EXPECT_EQ(Get("Bin"), "01020aff");
    EXPECT_EQ(Get("Dw"), "1f");
    EXPECT_EQ(Get("Big"), "102");
    EXPECT_EQ(Get("Multi"), "one");
    EXPECT_EQ(Get("Exp"), "C:\\expanded\\x");
    EXPECT_EQ(Get("NoZero"), "abc");
    EXPECT_EQ(Get("Missing"), "?");
    SetEnvironmentVariableA("K8REGTEST", NULL);
    /* No key part at all: not found. */
    SetSz("", "Root", "x");
    char sz[64];
    EXPECT_FALSE(fnGetRegistry(HKEY_CURRENT_USER, "NoBackslash", sz, sizeof(sz)));
}

TEST_F(RegistryTest, GetRegistryNeverReturnsACutValueAsWhole)
{
    std::string big(1500, 'v');
    SetSz("", "Big", big.c_str());
    SetRaw("", "Bin", REG_BINARY, "\x01\x02\x03", 3);
    /* Read whole: a value longer than any fixed buffer comes back entire. */
    char szHuge[2048];
    EXPECT_TRUE(fnGetRegistry(HKEY_CURRENT_USER, Sub("Big").c_str(), szHuge, sizeof(szHuge)));
    EXPECT_EQ(std::string(szHuge), big);
    /* Too long and no way to say so: not found, output untouched. */
    char sz[1024];
    ktest::Poison(sz);
    EXPECT_FALSE(fnGetRegistry(HKEY_CURRENT_USER, Sub("Big").c_str(), sz, sizeof(sz)));
    EXPECT_EQ((unsigned char)sz[0], ktest::POISON);
    char szSix[8];
    ktest::Poison(szSix);
    EXPECT_FALSE(fnGetRegistry(HKEY_CURRENT_USER, Sub("Bin").c_str(), szSix, 6));
    EXPECT_EQ((unsigned char)szSix[0], ktest::POISON);
    /* A caller that asks to know gets the cut text, flagged. */
    BOOL bCut = FALSE;
    ktest::Poison(szSix);
    EXPECT_TRUE(fnGetRegistry(HKEY_CURRENT_USER, Sub("Bin").c_str(), szSix, 6, &bCut));
    EXPECT_TRUE(bCut);
    EXPECT_BOUNDED_FROM(szSix, "01020", 6);
    bCut = FALSE;
    EXPECT_TRUE(fnGetRegistry(HKEY_CURRENT_USER, Sub("Bin").c_str(), szSix, 7, &bCut));
    EXPECT_FALSE(bCut);
    EXPECT_STREQ(szSix, "010203");
}

TEST_F(RegistryTest, SetValueConvertsScriptText)
{
    HKEY h;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, m_sub.c_str(), 0, NULL, 0, KEY_ALL_ACCESS,
                              NULL, &h, NULL), ERROR_SUCCESS);
    struct { const char *lpszData; DWORD dw; } aDwords[] = {
        { "1F", 1 }, { "1FH", 31 }, { "1fh", 31 }, { "0x1F", 31 }, { "0X1f", 31 },
        { "31", 31 }, { "", 0 }, { "0x", 0 }, { "12abc", 12 }, { "4294967295", 0xFFFFFFFF },
        { "FFFFFFFFH", 0xFFFFFFFF },
    };
    for (auto &c : aDwords) {
        SCOPED_TRACE(c.lpszData);
        EXPECT_TRUE(fnRegSetValue(h, "D", REG_DWORD, c.lpszData));
        EXPECT_EQ(Raw(m_sub, "D"), std::make_pair((DWORD)REG_DWORD,
                                                  std::string((char *)&c.dw, 4)));
    }
    /* A number beyond 32 bits is refused, the old value kept. */
    EXPECT_FALSE(fnRegSetValue(h, "D", REG_DWORD, "4294967296"));
    EXPECT_FALSE(fnRegSetValue(h, "D", REG_DWORD, "100000000H"));
    EXPECT_EQ(Raw(m_sub, "D").second, std::string("\xff\xff\xff\xff", 4));
    EXPECT_TRUE(fnRegSetValue(h, "B", REG_DWORD_BIG_ENDIAN, "0x01020304"));
    EXPECT_EQ(Raw(m_sub, "B"), std::make_pair((DWORD)REG_DWORD_BIG_ENDIAN,
                                              Bytes({ 1, 2, 3, 4 })));
    EXPECT_EQ(Get("B"), "1020304");
    EXPECT_TRUE(fnRegSetValue(h, "X", REG_BINARY, "01,02, 0A"));
    EXPECT_EQ(Raw(m_sub, "X"), std::make_pair((DWORD)REG_BINARY, Bytes({ 1, 2, 10 })));
    EXPECT_TRUE(fnRegSetValue(h, "X", REG_BINARY, "1,2,ff 3"));
    EXPECT_EQ(Raw(m_sub, "X").second, Bytes({ 1, 2, 255, 3 }));
    EXPECT_TRUE(fnRegSetValue(h, "X", REG_BINARY, "0102a"));
    EXPECT_EQ(Raw(m_sub, "X").second, Bytes({ 1, 2, 10 }));
    /* A character that is no hexadecimal digit writes nothing. */
    EXPECT_FALSE(fnRegSetValue(h, "X", REG_BINARY, "01,0G"));
    EXPECT_FALSE(fnRegSetValue(h, "X", REG_BINARY, "01;02"));
    EXPECT_EQ(Raw(m_sub, "X").second, Bytes({ 1, 2, 10 }));
    EXPECT_TRUE(fnRegSetValue(h, "M", REG_MULTI_SZ, "one"));
    EXPECT_EQ(Raw(m_sub, "M"), std::make_pair((DWORD)REG_MULTI_SZ, std::string("one\0\0", 5)));
    EXPECT_TRUE(fnRegSetValue(h, "S", REG_SZ, "text"));
    EXPECT_EQ(Raw(m_sub, "S"), std::make_pair((DWORD)REG_SZ, std::string("text\0", 5)));
    EXPECT_TRUE(fnRegSetValue(h, "N", REG_NONE, "raw"));
    EXPECT_EQ(Raw(m_sub, "N"), std::make_pair((DWORD)REG_NONE, std::string("raw\0", 4)));
    SetEnvironmentVariableA("K8REGTEST", "C:\\here");
    EXPECT_TRUE(fnRegSetValue(h, "E", REG_EXPAND_SZ, "%K8REGTEST%\\x"));
    EXPECT_EQ(Raw(m_sub, "E"), std::make_pair((DWORD)REG_EXPAND_SZ,
                                              std::string("C:\\here\\x\0", 10)));
    /* An expansion longer than the buffer is refused, not cut. */
    SetEnvironmentVariableA("K8REGTEST", std::string(1000, 'e').c_str());
    EXPECT_FALSE(fnRegSetValue(h, "E", REG_EXPAND_SZ, "%K8REGTEST%%K8REGTEST%"));
    EXPECT_EQ(Raw(m_sub, "E").second, std::string("C:\\here\\x\0", 10));
    SetEnvironmentVariableA("K8REGTEST", NULL);
    RegCloseKey(h);
}

TEST_F(RegistryTest, OpenAndSetCreatesKeysAndNeverDoublesAName)
{
    EXPECT_TRUE(fnRegOpenAndSet(HKEY_CURRENT_USER, Sub("a\\b\\c").c_str(), "Name", "1", REG_SZ));
    EXPECT_EQ(Raw(Sub("a\\b\\c"), "Name").second, std::string("1\0", 2));
    EXPECT_TRUE(fnRegOpenAndSet(HKEY_CURRENT_USER, Sub("a\\b\\c").c_str(), "NAME", "2", REG_SZ));
    EXPECT_EQ(ValueCount(Sub("a\\b\\c")), 1u);
    EXPECT_EQ(Raw(Sub("a\\b\\c"), "name").second, std::string("2\0", 2));
    /* Data that does not convert leaves no value behind. */
    EXPECT_FALSE(fnRegOpenAndSet(HKEY_CURRENT_USER, m_sub.c_str(), "Bad", "zz", REG_BINARY));
    EXPECT_EQ(Raw(m_sub, "Bad").first, 0xFFFFu);
}

TEST_F(RegistryTest, DeletesOfValuesKeysAndBranches)
{
    SetSz("k", "one", "1");
    SetSz("k", "two", "2");
    SetSz("k", "three", "3");
    SetSz("k\\sub\\deeper", "v", "x");
    SetSz("k\\sub2", "v", "x");
    EXPECT_FALSE(fnRegDeleteValue(HKEY_CURRENT_USER, Sub("k").c_str(), ""));
    EXPECT_FALSE(fnRegDeleteValue(HKEY_CURRENT_USER, "", "one"));
    EXPECT_TRUE(fnRegDeleteValue(HKEY_CURRENT_USER, Sub("k").c_str(), "one"));
    EXPECT_FALSE(fnRegDeleteValue(HKEY_CURRENT_USER, Sub("k").c_str(), "one"));
    EXPECT_EQ(ValueCount(Sub("k")), 2u);
    EXPECT_TRUE(fnRegDeleteValues(HKEY_CURRENT_USER, Sub("k").c_str()));
    EXPECT_EQ(ValueCount(Sub("k")), 0u);
    EXPECT_TRUE(KeyExists(Sub("k\\sub\\deeper")));
    EXPECT_FALSE(fnRegDeleteValues(HKEY_CURRENT_USER, Sub("missing").c_str()));
    EXPECT_TRUE(fnRegDeleteBranch(HKEY_CURRENT_USER, Sub("k").c_str()));
    EXPECT_FALSE(KeyExists(Sub("k")));
    EXPECT_TRUE(KeyExists(m_sub));
    EXPECT_FALSE(fnRegDeleteBranch(HKEY_CURRENT_USER, Sub("k").c_str()));
    SetSz("k2", "v", "x");
    SetSz("k2\\s", "v", "x");
    EXPECT_TRUE(fnRegDeleteKey(HKEY_CURRENT_USER, Sub("k2").c_str()));
    EXPECT_FALSE(KeyExists(Sub("k2")));
    /* An empty subkey is the key given itself: refused.  An open test key
       stands in for a root, so a fault cannot reach a real one. */
    SetSz("r\\child", "v", "x");
    SetSz("r", "v", "x");
    HKEY h;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, Sub("r").c_str(), 0, KEY_ALL_ACCESS, &h),
              ERROR_SUCCESS);
    EXPECT_FALSE(fnRegDeleteBranch(h, ""));
    EXPECT_FALSE(fnRegDeleteKey(h, ""));
    RegCloseKey(h);
    EXPECT_TRUE(KeyExists(Sub("r\\child")));
    EXPECT_EQ(ValueCount(Sub("r")), 1u);
}

TEST_F(RegistryTest, EnumOverNumberedSubkeys)
{
    const char *aDesc[] = { "Modem A", "Printer B", "Modem C", "Printer D" };
    for (int i = 0; i < 4; i++) {
        char szName[8];
        snprintf(szName, sizeof(szName), "%04d", i);
        SetSz(std::string("e\\") + szName, "Desc", aDesc[i]);
        SetSz(std::string("e\\") + szName, "Port", i == 2 ? "COM2" : "COM1");
    }
    auto Enum = [&](const char *lpszName, const char *lpszData, const char *lpszName2,
                    const char *lpszData2, char cMode, const std::string &sub) {
        RegEnumTestStruct t = { lpszName, lpszData, lpszName2, lpszData2, cMode };
        char sz[1024];
        ktest::Poison(sz);
        EXPECT_TRUE(fnRegGetEnum(HKEY_CURRENT_USER, Sub(sub).c_str(), &t, sz, sizeof(sz)));
        return std::string(sz);
    };
    EXPECT_EQ(Enum("", "", "", "", 'L', "e"), "0000");
    EXPECT_EQ(Enum("", "", "", "", 'N', "e"), "0001");
    EXPECT_EQ(Enum("Desc", "scanner", "", "", 'L', "e"), "0003");
    EXPECT_EQ(Enum("Desc", "scanner", "", "", 'N', "e"), "0004");
    EXPECT_EQ(Enum("Desc", "printer", "", "", 'L', "e"), "0001");
    EXPECT_EQ(Enum("Desc", "MODEM", "Port", "com2", 'L', "e"), "0002");
    EXPECT_EQ(Enum("Desc", "modem", "Port", "com2", 'n', "e"), "0003");
    /* The second value must exist and a second test text must be given. */
    EXPECT_EQ(Enum("Desc", "modem", "Port", "", 'L', "e"), "0003");
    EXPECT_EQ(Enum("Desc", "modem", "Speed", "9600", 'L', "e"), "0003");
    /* A value present and no test text matches the first that has it. */
    EXPECT_EQ(Enum("Port", "", "", "", 'L', "e"), "0000");
    EXPECT_EQ(Enum("Missing", "", "", "", 'L', "e"), "0003");
    /* F looks at the first subkey only. */
    EXPECT_EQ(Enum("Desc", "printer", "", "", 'F', "e"), "0003");
    EXPECT_EQ(Enum("Desc", "modem", "", "", 'F', "e"), "0000");
    /* With a gap the highest number counts, so N never names a subkey in use. */
    SetSz("g\\0000", "Desc", "x");
    SetSz("g\\0001", "Desc", "x");
    SetSz("g\\0005", "Desc", "x");
    SetSz("g\\Other", "Desc", "x");
    EXPECT_EQ(Enum("Desc", "none", "", "", 'L', "g"), "0005");
    EXPECT_EQ(Enum("Desc", "none", "", "", 'N', "g"), "0006");
    /* No subkeys, or no key: 0000, which is free, in every mode. */
    SetSz("empty", "v", "x");
    EXPECT_EQ(Enum("", "", "", "", 'N', "empty"), "0000");
    EXPECT_EQ(Enum("", "", "", "", 'N', "nokey"), "0000");
    EXPECT_EQ(Enum("", "", "", "", 'L', "nokey"), "0000");
}

TEST_F(RegistryTest, SectionWritesReadsAndFillsSlotsInOrder)
{
    EXPECT_TRUE(Section(
        "Edit=DWORD,@KEY,D1,1F\n"
        "Edit=DWORD,@KEY,D2,1FH\n"
        "Edit=DWORD,@KEY,D3,0x1F\n"
        "Edit=dword,@KEY,D4,31\n"
        "Edit=BINARY,@KEY,Bin,\"01,02, 0A\"\n"
        "Edit=HEX,@KEY,Hex,ff\n"
        "Edit=,@KEY\\new\\deep,Text,hello\\\n"
        "Edit=FROB,@KEY,Unknown,as text\n"
        "Edit=MULTI_SZ,@KEY,Multi,one\n"
        "Edit=DWORD_BIG_ENDIAN,@KEY,BE,0x0102\n"
        "; a comment\n"
        "Read=SZ,@KEY\\new\\deep\\Text\n"
        "Read=SZ,@KEY\\Missing\n"
        "TrimTrailingSlash=yes\n"
        "Read=SZ,@KEY\\new\\deep\\Text\n"
        "Read=,@KEY\\D2\n"
        "Enum=,@KEY\\none,,,,,N\n"));
    EXPECT_EQ(Raw(m_sub, "D1").second, std::string("\x01\0\0\0", 4));
    EXPECT_EQ(Raw(m_sub, "D2").second, std::string("\x1f\0\0\0", 4));
    EXPECT_EQ(Raw(m_sub, "D3").second, std::string("\x1f\0\0\0", 4));
    EXPECT_EQ(Raw(m_sub, "D4").second, std::string("\x1f\0\0\0", 4));
    EXPECT_EQ(Raw(m_sub, "Bin"), std::make_pair((DWORD)REG_BINARY, Bytes({ 1, 2, 10 })));
    EXPECT_EQ(Raw(m_sub, "Hex"), std::make_pair((DWORD)REG_BINARY, Bytes({ 255 })));
    EXPECT_EQ(Raw(m_sub, "Unknown"), std::make_pair((DWORD)REG_SZ, std::string("as text\0", 8)));
    EXPECT_EQ(Raw(m_sub, "Multi").second, std::string("one\0\0", 5));
    EXPECT_EQ(Raw(m_sub, "BE"), std::make_pair((DWORD)REG_DWORD_BIG_ENDIAN, Bytes({ 0, 0, 1, 2 })));
    EXPECT_STREQ(g_szRegValues[0], "hello\\");
    EXPECT_STREQ(g_szRegValues[1], "-NOTFOUND-");
    EXPECT_STREQ(g_szRegValues[2], "hello");
    EXPECT_STREQ(g_szRegValues[3], "1f");
    EXPECT_STREQ(g_szRegValues[4], "0000");
    /* Each section starts again at slot 0, with the trim switched off. */
    EXPECT_TRUE(Section("Read=SZ,@KEY\\new\\deep\\Text\n"));
    EXPECT_STREQ(g_szRegValues[0], "hello\\");
    EXPECT_STREQ(g_szRegValues[2], "hello");
}

TEST_F(RegistryTest, SectionValuesFromMacrosAndSlotLimits)
{
    SetSz("", "Src", "copied value");
    /* A slot read earlier feeds a later line through @K. */
    EXPECT_TRUE(Section("Read=SZ,@KEY\\Src\n"
                        "Edit=SZ,@KEY\\@K0,Copy,@K0 again\n"));
    EXPECT_EQ(Raw(Sub("copied value"), "Copy").second, std::string("copied value again\0", 19));
    /* Ten reads: nine slots, the tenth goes nowhere and wraps nowhere. */
    for (int i = 0; i < 10; i++)
        SetSz("", ("V" + std::to_string(i)).c_str(), ("value " + std::to_string(i)).c_str());
    std::string text;
    for (int i = 0; i < 10; i++)
        text += "Read=SZ,@KEY\\V" + std::to_string(i) + "\n";
    EXPECT_TRUE(Section(text));
    for (int i = 0; i < 9; i++)
        EXPECT_EQ(std::string(g_szRegValues[i]), "value " + std::to_string(i));
    /* The tenth fails as an operation: with PROMPT (Yes in a quiet run)
       the section goes on. */
    EXPECT_TRUE(Section(text + "Read=SZ,@KEY\\V0,PROMPT\nEdit=SZ,@KEY,After,1\n"));
    EXPECT_EQ(Raw(m_sub, "After").first, (DWORD)REG_SZ);
    /* A value that does not fit its slot is not found rather than cut. */
    SetSz("", "Long", std::string(1100, 'l').c_str());
    EXPECT_TRUE(Section("Read=SZ,@KEY\\Long\n"));
    EXPECT_STREQ(g_szRegValues[0], "-NOTFOUND-");
    /* Data longer than the expander holds is refused, never written cut. */
    std::string longData(300, 'd');
    EXPECT_TRUE(Section("Edit=SZ,@KEY,Plain," + longData + "\n"
                        "Edit=SZ,@KEY,Macro,@@" + longData + "\n"));
    EXPECT_EQ(Raw(m_sub, "Plain").second, longData + '\0');
    EXPECT_EQ(Raw(m_sub, "Macro").first, 0xFFFFu);
}

TEST_F(RegistryTest, SectionLineRulesAndKeywords)
{
    /* An unknown keyword ends the section successfully; nothing after it runs. */
    EXPECT_TRUE(Section("Edit=SZ,@KEY,Before,1\nFrobnicate=1\nEdit=SZ,@KEY,After,1\n"));
    EXPECT_EQ(Raw(m_sub, "Before").first, (DWORD)REG_SZ);
    EXPECT_EQ(Raw(m_sub, "After").first, 0xFFFFu);
    /* A line without an equals sign fails the section there. */
    EXPECT_FALSE(Section("Edit=SZ,@KEY,One,1\njust words\nEdit=SZ,@KEY,Two,1\n"));
    EXPECT_EQ(Raw(m_sub, "One").first, (DWORD)REG_SZ);
    EXPECT_EQ(Raw(m_sub, "Two").first, 0xFFFFu);
    /* A line test decides whether a line runs. */
    strcpy(g_szAskForResponse, "yes");
    EXPECT_TRUE(Section("@A1=yes,Edit=SZ,@KEY,Held,1\n@A1=no,Edit=SZ,@KEY,Failed,1\n"));
    EXPECT_EQ(Raw(m_sub, "Held").first, (DWORD)REG_SZ);
    EXPECT_EQ(Raw(m_sub, "Failed").first, 0xFFFFu);
    /* Settings lines. */
    EXPECT_TRUE(Section("ExpandDelims=;|\nBackupDir=@D\\backup\n"));
    EXPECT_STREQ(g_szExpandDelims, ";|");
    /* A key without a known root is skipped; PROMPT (quiet: Yes) goes on. */
    EXPECT_TRUE(Section("Edit=SZ,HKCU\\" + m_sub + ",Short,1\n"
                        "Edit=SZ,HKEY_CURRENT_USER,Bare,1\n"
                        "Edit=SZ,,Empty,1\n"
                        "Edit=SZ,@KEY,Last,1\n"));
    EXPECT_EQ(Raw(m_sub, "Short").first, 0xFFFFu);
    EXPECT_EQ(Raw(m_sub, "Last").first, (DWORD)REG_SZ);
}

TEST_F(RegistryTest, SectionRefusesDeletesOfRootsAndEmptiedMacros)
{
    SetSz("keep", "v", "x");
    SetSz("keep\\child", "v", "x");
    strcpy(g_szRegValues[5], "-NOTFOUND-");
    /* Slot 5 gives nothing: the key would widen to its parent. */
    std::string text;
    for (const char *kw : { "DeleteValues", "DeleteKey", "DeleteBranch" })
        text += std::string(kw) + "=,@KEY\\keep\\@K5\n";
    text += "DeleteValue=,@KEY\\keep\\@K5,v\n";
    EXPECT_TRUE(Section(text));
    EXPECT_TRUE(KeyExists(Sub("keep\\child")));
    EXPECT_EQ(ValueCount(Sub("keep")), 1u);
    /* A root, however spelled, is never emptied: a value of our own in
       the root of HKCU stays. */
    HKEY hRoot;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, NULL, 0, KEY_ALL_ACCESS, &hRoot), ERROR_SUCCESS);
    std::string name = "k8reg.rootprobe." + std::to_string(GetCurrentProcessId());
    ASSERT_EQ(RegSetValueExA(hRoot, name.c_str(), 0, REG_SZ, (const BYTE *)"x", 2), ERROR_SUCCESS);
    EXPECT_TRUE(Section("DeleteValues=,HKEY_CURRENT_USER\\\n"
                        "DeleteValues=,HKEY_CURRENT_USER\\\\\\\n"));
    EXPECT_EQ(RegQueryValueExA(hRoot, name.c_str(), NULL, NULL, NULL, NULL), ERROR_SUCCESS);
    RegDeleteValueA(hRoot, name.c_str());
    RegCloseKey(hRoot);
    /* The same deletes on a key spelled out work. */
    EXPECT_TRUE(Section("DeleteValue=,@KEY\\keep,v\nDeleteBranch=,@KEY\\keep\\\n"));
    EXPECT_FALSE(KeyExists(Sub("keep")));
}

TEST_F(RegistryTest, SectionCheckOutcomes)
{
    SetSz("", "Ver", "2.0");
    struct { const char *lpszLine; BOOL bGoesOn; } aCases[] = {
        { "Check=,@KEY,Ver,2.0,EXIT", FALSE },
        { "Check=,@KEY,Ver,1.0,EXIT", TRUE },
        { "Check=,@KEY,Gone,2.0,EXIT", FALSE },
        { "Check=,@KEY,Ver,2.0,CONTINUE", TRUE },
        { "Check=,@KEY,Ver,1.0,continue", FALSE },
        { "Check=,@KEY,Gone,1.0,CONTINUE", TRUE },
        { "Check=,@KEY,Ver,2.0,FATAL", TRUE },
        { "Check=,@KEY,Ver,1.0,FATAL", FALSE },
        { "Check=,@KEY,Gone,1.0,FATAL", FALSE },
        { "Check=,@KEY,Ver,1.0", TRUE },
        { "Check=,@KEY,Gone,1.0", TRUE },
        { "Check=,@KEY,Ver,2.0,SOMETHING", TRUE },
        /* Case is ignored; one backslash between key and name. */
        { "Check=,@KEY\\,\\Ver,2.0,EXIT", FALSE },
        { "Check=,@KEY\\Ver,,2.0,EXIT", FALSE },
        /* Quiet questions take Yes, the default, and go on. */
        { "Check=,@KEY,Ver,1.0,PROMPT", TRUE },
        { "Check=,@KEY,Ver,2.0,PROMPTMATCH,Own text", TRUE },
        /* A program that cannot be started fails the section after Yes. */
        { "Check=,@KEY,Ver,1.0,PROMPT,,C:\\no\\such\\program.exe", FALSE },
        { "Check=,@KEY,Ver,2.0,PROMPT,,C:\\no\\such\\program.exe", TRUE },
    };
    for (auto &c : aCases) {
        SCOPED_TRACE(c.lpszLine);
        EXPECT_EQ(Section(std::string(c.lpszLine) + "\n"), c.bGoesOn);
    }
    /* A value too long for the buffer differs from any expected text. */
    SetSz("", "Long", std::string(1100, 'l').c_str());
    EXPECT_TRUE(Section("Check=,@KEY,Long,lll,EXIT\n"));
    EXPECT_FALSE(Section("Check=,@KEY,Long,lll,CONTINUE\n"));
}

TEST_F(RegistryTest, SectionCheckRunsTheProgramAfterYes)
{
    SetSz("", "Ver", "2.0");
    char szReg[MAX_PATH];
    GetSystemDirectoryA(szReg, sizeof(szReg));
    std::string cmd = std::string(szReg) + "\\reg.exe add " + m_key + " /v Ran /d yes /f";
    EXPECT_TRUE(Section("Check=,@KEY,Ver,1.0,PROMPT,Differs," + cmd + "\n"));
    DWORD dwType = 0xFFFF;
    for (int i = 0; i < 100 && (dwType = Raw(m_sub, "Ran").first) == 0xFFFF; i++)
        Sleep(100);
    EXPECT_EQ(dwType, (DWORD)REG_SZ) << "the program did not run: " << cmd;
}

}  // namespace
