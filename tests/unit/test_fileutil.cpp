/* Backup and unique names: the name itself, the .ORI and .MOD names, and
 * the numbered {nn}.SAV names up to {99}. */
#include "testutil.h"
#include "install/install.h"

namespace {

class UniqueName : public ktest::TempDirTest {
protected:
    char m_sz[KSTL8_PATH + 8];

    void SetUp() override
    {
        ktest::TempDirTest::SetUp();
        g_uBackUpMethod = BACKUP_UNIQUE;
    }
    void Touch(const std::string &name)
    {
        ASSERT_TRUE(ktest::WriteFileText(Path(name), name)) << name;
    }
    int Unique(const char *lpszName)
    {
        ktest::Poison(m_sz);
        return fnUniqueFileName(m_dir.c_str(), lpszName, m_sz, KSTL8_PATH);
    }
};

}  // namespace

TEST_F(UniqueName, FreeNameIsTheNameItself)
{
    EXPECT_EQ(Unique("NEW.TXT"), 1);
    EXPECT_BOUNDED(m_sz, Path("NEW.TXT").c_str());
}

TEST_F(UniqueName, OriginalExtensionWhileItIsFree)
{
    g_uBackUpMethod = BACKUP_ORIEXT;
    Touch("README.TXT");
    EXPECT_EQ(Unique("README.TXT"), 2);
    EXPECT_BOUNDED(m_sz, Path("README.ORI").c_str());
    Touch("README.ORI");
    EXPECT_EQ(Unique("README.TXT"), 2);
    EXPECT_BOUNDED(m_sz, Path("README.{00}.SAV.TXT").c_str());
    g_uBackUpMethod = BACKUP_NOMOD;
    EXPECT_EQ(Unique("README.TXT"), 2);
    EXPECT_BOUNDED(m_sz, Path("README.MOD").c_str());
}

TEST_F(UniqueName, NumbersGrowFromTheHighestTaken)
{
    Touch("README.TXT");
    Touch("README.{00}.SAV.TXT");
    Touch("README.{01}.SAV.TXT");
    EXPECT_EQ(Unique("README.TXT"), 2);
    EXPECT_BOUNDED(m_sz, Path("README.{02}.SAV.TXT").c_str());
    ASSERT_TRUE(DeleteFileA(Path("README.{00}.SAV.TXT").c_str()));
    ASSERT_TRUE(DeleteFileA(Path("README.{01}.SAV.TXT").c_str()));
    Touch("README.{09}.SAV.TXT");
    EXPECT_EQ(Unique("README.TXT"), 2);
    EXPECT_STREQ(m_sz, Path("README.{10}.SAV.TXT").c_str());
    Touch("README.{99}.SAV.TXT");
    EXPECT_EQ(Unique("README.TXT"), 0);
}

TEST_F(UniqueName, BaseNameAndExtensionOfTheName)
{
    /* The base name ends at the first dot; the extension follows the last. */
    Touch("README.TXT.BAK");
    EXPECT_EQ(Unique("README.TXT.BAK"), 2);
    EXPECT_STREQ(m_sz, Path("README.{00}.SAV.BAK").c_str());
    Touch("FILE");
    EXPECT_EQ(Unique("FILE"), 2);
    EXPECT_STREQ(m_sz, Path("FILE.{00}.SAV.").c_str());
    /* Numbered names keep 24 characters of the base name; .ORI keeps it all. */
    const std::string base = "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234";
    Touch(base + ".TXT");
    EXPECT_EQ(Unique((base + ".TXT").c_str()), 2);
    EXPECT_STREQ(m_sz, Path(base.substr(0, 24) + ".{00}.SAV.TXT").c_str());
    g_uBackUpMethod = BACKUP_ORIEXT;
    EXPECT_EQ(Unique((base + ".TXT").c_str()), 2);
    EXPECT_STREQ(m_sz, Path(base + ".ORI").c_str());
}

TEST_F(UniqueName, NameWithItsOwnSubdirectory)
{
    ASSERT_TRUE(CreateDirectoryA(Path("SUB").c_str(), NULL));
    Touch("SUB\\README.TXT");
    EXPECT_EQ(Unique("SUB\\README.TXT"), 2);
    EXPECT_STREQ(m_sz, Path("SUB\\README.{00}.SAV.TXT").c_str());
    /* The .ORI name goes into the target directory itself. */
    g_uBackUpMethod = BACKUP_ORIEXT;
    EXPECT_EQ(Unique("SUB\\README.TXT"), 2);
    EXPECT_STREQ(m_sz, Path("README.ORI").c_str());
}

TEST_F(UniqueName, OutputThatDoesNotFitGivesNoName)
{
    Touch("README.TXT");
    char sz[16];
    ktest::Poison(sz);
    EXPECT_EQ(fnUniqueFileName(m_dir.c_str(), "README.TXT", sz, 8), 0);
    for (size_t i = 8; i < sizeof(sz); i++)
        EXPECT_EQ((unsigned char)sz[i], ktest::POISON) << i;
}
