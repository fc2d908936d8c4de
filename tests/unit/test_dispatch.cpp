/* The dispatcher: section names, result rules and the set-up settings. */
#include <gtest/gtest.h>
#include <string.h>
#include "script/script.h"
#include "startup/startup.h"

namespace {

struct DispatchTest : ::testing::Test {
    UserInputStruct ui;
    void SetUp() override
    {
        g_bQuiet = TRUE;
        memset(&ui, 0, sizeof(ui));
        ui.uQuiet = 1;
    }
};

}  // namespace

TEST_F(DispatchTest, SectionNames)
{
    char sz[128];
    memset(sz, 0xA5, sizeof(sz));
    EXPECT_TRUE(fnGetSectionName("[Files] ; main\r\n", sz, sizeof(sz)));
    EXPECT_STREQ(sz, "[Files]");
    /* The ']' must stand on the header line itself. */
    EXPECT_FALSE(fnGetSectionName("[Files\r\n]", sz, sizeof(sz)));
    EXPECT_FALSE(fnGetSectionName("[Files", sz, sizeof(sz)));
    /* A name longer than the buffer matches nothing and writes nothing past it. */
    char szLong[300] = "[";
    memset(szLong + 1, 'N', 200);
    strcpy(szLong + 201, "]");
    memset(sz, 0xA5, sizeof(sz));
    EXPECT_FALSE(fnGetSectionName(szLong, sz, 64));
    EXPECT_EQ((unsigned char)sz[64], 0xA5);
    EXPECT_TRUE(fnIsInfSection("[checkafter]\r\n", "[CheckFor],[CheckAfter]", sz, sizeof(sz)));
    EXPECT_STREQ(sz, "[CheckAfter]");
    EXPECT_FALSE(fnIsInfSection("[ CheckFor]\r\n", "[CheckFor],[CheckAfter]", sz, sizeof(sz)));
    EXPECT_FALSE(fnIsInfSection("[Check]\r\n", "[CheckFor],[CheckAfter]", sz, sizeof(sz)));
}

TEST_F(DispatchTest, RuleAFailureAndSuccess)
{
    EXPECT_EQ(fnMapSectionResult(RULE_A, 0, "[Files]", &ui), SECTION_FAILED);
    EXPECT_EQ(fnMapSectionResult(RULE_A, 7, "[Files]", &ui), SECTION_GOON);
    EXPECT_EQ(ui.uQuiet, 1u);
}

TEST_F(DispatchTest, RuleBPassesStopsAndClearsTheClosingMessage)
{
    EXPECT_EQ(fnMapSectionResult(RULE_B, SECTION_RESTART, "[CheckFor]", &ui), SECTION_RESTART);
    EXPECT_EQ(ui.uQuiet, 1u);
    for (int n : { 2, 5, 6, 7 }) {
        ui.uQuiet = 1;
        EXPECT_EQ(fnMapSectionResult(RULE_B, n, "[CheckFor]", &ui), n);
        EXPECT_EQ(ui.uQuiet, 0u) << n;
    }
}

TEST_F(DispatchTest, RuleCStopsOnAConfirmedCancel)
{
    for (int n : { 2, 5, 6, 7 }) {
        ui.uQuiet = 1;
        EXPECT_EQ(fnMapSectionResult(RULE_C, n, "[AskFor]", &ui), n) << n;
        EXPECT_EQ(ui.uQuiet, 0u) << n;
    }
    ui.uQuiet = 1;
    EXPECT_EQ(fnMapSectionResult(RULE_C, 0, "[AskFor]", &ui), SECTION_FAILED);
    EXPECT_EQ(fnMapSectionResult(RULE_C, 3, "[AskFor]", &ui), SECTION_GOON);
    EXPECT_EQ(ui.uQuiet, 1u);
}

TEST_F(DispatchTest, InitOptionsAndStringTestRules)
{
    EXPECT_EQ(fnMapSectionResult(RULE_INIT, 103, "[InitOptions]", &ui), 6);
    EXPECT_EQ(ui.uQuiet, 0u);
    ui.uQuiet = 1;
    EXPECT_EQ(fnMapSectionResult(RULE_INIT, 5, "[InitOptions]", &ui), 5);
    EXPECT_EQ(ui.uQuiet, 0u);
    EXPECT_EQ(fnMapSectionResult(RULE_INIT, 0, "[InitOptions]", &ui), SECTION_FAILED);
    ui.uQuiet = 1;
    EXPECT_EQ(fnMapSectionResult(RULE_STRING, 2, "[IsStringInFile]", &ui), 6);
    EXPECT_EQ(ui.uQuiet, 0u);
    EXPECT_EQ(fnMapSectionResult(RULE_STRING, 0, "[IsStringInFile]", &ui), SECTION_GOON);
}

TEST_F(DispatchTest, UnknownAndEmptySectionsGoOn)
{
    char szUnknown[] = "[NoSuchList]\r\nk=v\r\n";
    EXPECT_EQ(fnParseInfSection(NULL, szUnknown, &ui), SECTION_GOON);
    char szEnd[] = "[END]\r\n";
    EXPECT_EQ(fnParseInfSection(NULL, szEnd, &ui), 6);
    /* A group section is dispatched only once a set-up section named it. */
    char szGroup[] = "[MyGroup]\r\nk=v\r\n";
    EXPECT_EQ(fnParseInfSection(NULL, szGroup, &ui), SECTION_GOON);
}
