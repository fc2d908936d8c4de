/* The script cipher: the table, exact round trips, how each row is
 * chosen, the refusals, backup names, the random offset and the cipher
 * modes on files up to the script size limit. */
#include "testutil.h"
#include <set>

namespace {

/* Bytes 1..255 and then 0: the text must not begin with a zero byte. */
std::string EveryByte()
{
    std::string s;
    for (int i = 1; i <= 256; i++)
        s += (char)(i & 0xFF);
    return s;
}

std::string Encipher(std::string s, UINT uOffset)
{
    EXPECT_TRUE(fnShiftEnCrypt(&s[0], uOffset, (DWORD)s.size()));
    return s;
}

const DWORD MAX_SCRIPT = INF_BUFFER_SIZE - 1;   /* 262,139 bytes */

}  // namespace

TEST(Cipher, TableRowsArePermutations)
{
    EXPECT_TRUE(fnCipherTableValid());
}

TEST(Cipher, EveryByteComesBackForEveryOffsetTried)
{
    const std::string plain = EveryByte();
    for (UINT uOffset : { 1u, 2u, 63u, 64u, 125u, 126u }) {
        SCOPED_TRACE(uOffset);
        /* Bytes after the given length stay as they are. */
        std::string buf = plain + "TAIL";
        ASSERT_TRUE(fnShiftEnCrypt(&buf[0], uOffset, (DWORD)plain.size()));
        EXPECT_EQ(buf.substr(plain.size()), "TAIL");
        int nChanged = 0;
        for (size_t i = 0; i < plain.size(); i++) {
            unsigned char c = (unsigned char)plain[i];
            if (c == 0 || c > 127)
                EXPECT_EQ(buf[i], plain[i]) << "byte " << (int)c << " must pass through";
            else
                nChanged += buf[i] != plain[i];
        }
        EXPECT_GT(nChanged, 100);
        ASSERT_TRUE(fnShiftDeCrypt(&buf[0], uOffset, (DWORD)plain.size()));
        EXPECT_EQ(buf, plain + "TAIL");
    }
    /* Line ends and the text of a script as well. */
    const std::string script = "[Config]\r\nTitle=Caf\xe9\r\n\tLogFile=SETUP.LOG\n";
    for (UINT uOffset = 1; uOffset <= 126; uOffset++) {
        std::string buf = Encipher(script, uOffset);
        ASSERT_TRUE(fnShiftDeCrypt(&buf[0], uOffset, (DWORD)buf.size()));
        ASSERT_EQ(buf, script) << uOffset;
    }
}

TEST(Cipher, RowIsChosenByTheOffsetThenByThePlainCharacterBefore)
{
    for (UINT r = 1; r <= 126; r++) {
        SCOPED_TRACE(r);
        /* The first character uses row uOffset; a plain character p makes
           the next one use row p-1, whatever the offset was. */
        const char cNext = 'x';
        char cFirst = Encipher(std::string(1, cNext), r)[0];
        std::string pair = std::string(1, (char)(r + 1)) + cNext;
        EXPECT_EQ(Encipher(pair, 1)[1], cFirst);
        EXPECT_EQ(Encipher(pair, 126)[1], cFirst);
        /* Bytes that pass through leave the row alone. */
        std::string gap = std::string(1, (char)(r + 1)) + "\xC0" + std::string(1, '\0') + cNext;
        EXPECT_EQ(Encipher(gap, 17)[3], cFirst);
        /* One row maps the 127 characters onto 127 different ones. */
        std::set<unsigned char> seen;
        for (int c = 1; c <= 127; c++) {
            unsigned char e = (unsigned char)Encipher(std::string(1, (char)c), r)[0];
            EXPECT_TRUE(e >= 1 && e <= 127) << c;
            seen.insert(e);
        }
        EXPECT_EQ(seen.size(), 127u);
    }
}

TEST(Cipher, RefusesWhatItCannotWork)
{
    char sz[] = "text";
    EXPECT_FALSE(fnShiftEnCrypt(NULL, 1, 4));
    EXPECT_FALSE(fnShiftDeCrypt(NULL, 1, 4));
    EXPECT_FALSE(fnShiftEnCrypt(sz, 1, 0));
    EXPECT_FALSE(fnShiftDeCrypt(sz, 1, 0));
    char szEmpty[] = "\0after";
    EXPECT_FALSE(fnShiftEnCrypt(szEmpty, 1, 6));
    EXPECT_FALSE(fnShiftDeCrypt(szEmpty, 1, 6));
    /* 127 names no row of the table. */
    EXPECT_FALSE(fnShiftEnCrypt(sz, 127, 4));
    EXPECT_FALSE(fnShiftDeCrypt(sz, 127, 4));
    EXPECT_STREQ(sz, "text");
    EXPECT_STREQ(szEmpty + 1, "after");
}

TEST(Cipher, RandomOffsetStaysInItsRange)
{
    std::set<UINT> seen;
    for (int i = 0; i < 40; i++) {
        UINT u = fnRandomOffset(1, 126);
        ASSERT_GE(u, 1u);
        ASSERT_LE(u, 126u);
        seen.insert(u);
        UINT uTwo = fnRandomOffset(1, 2);
        ASSERT_TRUE(uTwo == 1 || uTwo == 2) << uTwo;
        Sleep(3);
    }
    EXPECT_GT(seen.size(), 1u) << "the offset must change with the time";
    EXPECT_EQ(fnRandomOffset(7, 7), 7u);
}

class CipherFiles : public ktest::TempDirTest {
protected:
    std::string m_script;
    void SetUp() override
    {
        ktest::TempDirTest::SetUp();
        m_script = Path("SETUP.INF");
    }
    std::string Backup(int n)
    {
        char sz[8];
        snprintf(sz, sizeof(sz), ".^%02d", n);
        return m_script + sz;
    }
};

TEST_F(CipherFiles, BackupNameIsOneAboveTheHighestTaken)
{
    char sz[KSTL8_PATH + 8];
    ktest::Poison(sz);
    ASSERT_TRUE(fnScriptBackupName(m_script.c_str(), sz, KSTL8_PATH));
    EXPECT_BOUNDED(sz, Backup(0).c_str());
    ASSERT_TRUE(ktest::WriteFileText(Backup(0), "0"));
    ASSERT_TRUE(ktest::WriteFileText(Backup(1), "1"));
    ASSERT_TRUE(fnScriptBackupName(m_script.c_str(), sz, KSTL8_PATH));
    EXPECT_STREQ(sz, Backup(2).c_str());
    ASSERT_TRUE(DeleteFileA(Backup(0).c_str()));
    ASSERT_TRUE(DeleteFileA(Backup(1).c_str()));
    ASSERT_TRUE(ktest::WriteFileText(Backup(5), "5"));
    ASSERT_TRUE(fnScriptBackupName(m_script.c_str(), sz, KSTL8_PATH));
    EXPECT_STREQ(sz, Backup(6).c_str());
    ASSERT_TRUE(ktest::WriteFileText(Backup(99), "99"));
    EXPECT_FALSE(fnScriptBackupName(m_script.c_str(), sz, KSTL8_PATH));
}

TEST_F(CipherFiles, EncipherThenDecipherTheFile)
{
    const std::string plain = "[Config]\r\nTitle=Caf\xe9\r\n[Files]\r\nA.DLL=B.DLL\r\n";
    ASSERT_TRUE(ktest::WriteFileText(m_script, plain));
    ASSERT_TRUE(fnCipherScriptFile(m_script.c_str(), 1));
    std::string enc = ktest::ReadFileText(m_script);
    ASSERT_EQ(enc.size(), plain.size() + 2);
    EXPECT_EQ(enc[0], '@');
    UINT uOffset = (unsigned char)enc[1];
    EXPECT_GE(uOffset, 1u);
    EXPECT_LE(uOffset, 126u);
    std::string text = enc.substr(2);
    ASSERT_TRUE(fnShiftDeCrypt(&text[0], uOffset, (DWORD)text.size()));
    EXPECT_EQ(text, plain);
    EXPECT_FILE_TEXT(Backup(0), plain);

    ASSERT_TRUE(fnCipherScriptFile(m_script.c_str(), 2));
    EXPECT_FILE_TEXT(m_script, plain);
    EXPECT_FILE_TEXT(Backup(1), enc);
    EXPECT_FALSE(ktest::Exists(m_script + ".$$$"));
    /* A plain script is not deciphered, and no backup is made. */
    EXPECT_FALSE(fnCipherScriptFile(m_script.c_str(), 2));
    EXPECT_FILE_TEXT(m_script, plain);
    EXPECT_FALSE(ktest::Exists(Backup(2)));
}

TEST_F(CipherFiles, OffsetByteOutsideTheTableIsRefused)
{
    for (int nOffset : { 0, 127, 200 }) {
        SCOPED_TRACE(nOffset);
        std::string enc = std::string("@") + (char)nOffset + "abcdef";
        ASSERT_TRUE(ktest::WriteFileText(m_script, enc));
        EXPECT_FALSE(fnCipherScriptFile(m_script.c_str(), 2));
        EXPECT_FILE_TEXT(m_script, enc);
        EXPECT_FALSE(ktest::Exists(Backup(0)));
    }
    ASSERT_TRUE(ktest::WriteFileText(m_script, ""));
    EXPECT_FALSE(fnCipherScriptFile(m_script.c_str(), 1));
    EXPECT_FALSE(fnCipherScriptFile(Path("MISSING.INF").c_str(), 1));
}

TEST_F(CipherFiles, ScriptSizeLimit)
{
    std::string plain(MAX_SCRIPT, 'k');
    plain[0] = '[';
    ASSERT_TRUE(ktest::WriteFileText(m_script, plain));
    ASSERT_TRUE(fnCipherScriptFile(m_script.c_str(), 1));
    std::string enc = ktest::ReadFileText(m_script);
    EXPECT_EQ(enc.size(), MAX_SCRIPT + 2);
    ASSERT_TRUE(fnCipherScriptFile(m_script.c_str(), 2));
    EXPECT_EQ(ktest::ReadFileText(m_script), plain);
    ASSERT_TRUE(DeleteFileA(Backup(0).c_str()));
    ASSERT_TRUE(DeleteFileA(Backup(1).c_str()));
    /* One byte more is refused in both directions, and nothing is touched. */
    ASSERT_TRUE(ktest::WriteFileText(m_script, plain + "k"));
    EXPECT_FALSE(fnCipherScriptFile(m_script.c_str(), 1));
    EXPECT_EQ(ktest::ReadFileText(m_script).size(), MAX_SCRIPT + 1);
    ASSERT_TRUE(ktest::WriteFileText(m_script, enc + "k"));
    EXPECT_FALSE(fnCipherScriptFile(m_script.c_str(), 2));
    EXPECT_EQ(ktest::ReadFileText(m_script), enc + "k");
    EXPECT_FALSE(ktest::Exists(Backup(0)));
}
