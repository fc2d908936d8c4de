/* Decoding the reported Windows version.  The numbers are those Wine 8.0
 * reports for each faked version: GetVersion() as recorded in
 * wine-notes.md, and for the 9x family the full dwBuildNumber as printed
 * by `wine64 cmd /c ver` under win95 (4.0.67109814), win98
 * (4.10.67766446) and winme (4.90.73010104). */
#include "testutil.h"

namespace {

struct VersionCase {
    const char *lpszName;
    DWORD dwMajor, dwMinor, dwBuild, dwPlatform;
    const char *lpszCSD;
    DWORD bWinNT;
    UINT uFamily, uVersion, uSR;
    DWORD dwWantBuild;
    const char *lpszID, *lpszText;
};

const VersionCase s_aCases[] = {
    { "win95", 4, 0, 0x040003B6, VER_PLATFORM_WIN32_WINDOWS, "", 0, 2, 1, 0, 950, "W95",
      "95, Vs. 4.0, build 950" },
    /* Without a service-pack text the build tells the service release. */
    { "win95 1023", 4, 0, 0x040003FF, VER_PLATFORM_WIN32_WINDOWS, "", 0, 2, 1, 0, 1023, "W95",
      "95, Vs. 4.0, build 1023" },
    { "win95 SR 1", 4, 0, 0x04000400, VER_PLATFORM_WIN32_WINDOWS, "", 0, 2, 1, 1, 1024, "W95",
      "95, Vs. 4.0, build 1024, SR 1" },
    { "win95 1079", 4, 0, 0x04000437, VER_PLATFORM_WIN32_WINDOWS, "", 0, 2, 1, 1, 1079, "W95",
      "95, Vs. 4.0, build 1079, SR 1" },
    { "win95 OEM SR 2", 4, 0, 0x04000438, VER_PLATFORM_WIN32_WINDOWS, "", 0, 2, 1, 2, 1080,
      "W95", "95, Vs. 4.0, build 1080, OEM SR 2" },
    /* A service-pack text (here one that begins with a blank) overrules the build. */
    { "win95 OSR2 text", 4, 0, 0x04000457, VER_PLATFORM_WIN32_WINDOWS, " B", 0, 2, 1, 0, 1111,
      "W95", "95, Vs. 4.0, build 1111" },
    { "win98", 4, 10, 0x040A08AE, VER_PLATFORM_WIN32_WINDOWS, " A ", 0, 2, 2, 0, 2222, "W98",
      "98, Vs. 4.10, build 2222" },
    { "minor 89", 4, 89, 0x04590001, VER_PLATFORM_WIN32_WINDOWS, "", 0, 2, 2, 0, 1, "W98",
      "98, Vs. 4.89, build 1" },
    { "winme", 4, 90, 0x045A0BB8, VER_PLATFORM_WIN32_WINDOWS, " ", 0, 2, 5, 0, 3000, "WME",
      "ME, Vs. 4.90, build 3000" },
    { "nt40", 4, 0, 0x0565, VER_PLATFORM_WIN32_NT, "Service Pack 6a", 1, 3, 3, 6, 1381, "WNT",
      "NT, Vs. 4.0, build 1381, Service Pack 6a" },
    { "win2k", 5, 0, 0x0893, VER_PLATFORM_WIN32_NT, "Service Pack 4", 1, 3, 4, 4, 2195, "W2K",
      "2000, Vs. 5.0, build 2195, Service Pack 4" },
    { "winxp", 5, 1, 0x0A28, VER_PLATFORM_WIN32_NT, "Service Pack 3", 1, 3, 6, 3, 2600, "WXP",
      "XP, Vs. 5.1, build 2600, Service Pack 3" },
    /* 6.x and later count as XP-class. */
    { "6.0", 6, 0, 6002, VER_PLATFORM_WIN32_NT, "Service Pack 2", 1, 3, 6, 2, 6002, "WXP",
      "XP, Vs. 6.0, build 6002, Service Pack 2" },
    { "default 6.1", 6, 1, 7601, VER_PLATFORM_WIN32_NT, "Service Pack 1", 1, 3, 6, 1, 7601,
      "WXP", "XP, Vs. 6.1, build 7601, Service Pack 1" },
    { "win32s", 3, 10, 0, VER_PLATFORM_WIN32s, "", 0, 1, 0, 0, 0, "", "32s\n3.10" },
};

OSVERSIONINFOA MakeVersion(const VersionCase &c)
{
    OSVERSIONINFOA ver;
    memset(&ver, 0, sizeof(ver));
    ver.dwOSVersionInfoSize = sizeof(ver);
    ver.dwMajorVersion = c.dwMajor;
    ver.dwMinorVersion = c.dwMinor;
    ver.dwBuildNumber = c.dwBuild;
    ver.dwPlatformId = c.dwPlatform;
    strcpy(ver.szCSDVersion, c.lpszCSD);
    return ver;
}

}  // namespace

TEST(OSVersion, EveryFamilyDecodes)
{
    for (const VersionCase &c : s_aCases) {
        SCOPED_TRACE(c.lpszName);
        OSVERSIONINFOA ver = MakeVersion(c);
        OSInfoStruct os;
        memset(&os, ktest::POISON, sizeof(os));
        fnDecodeOSVersion(&ver, &os);
        EXPECT_EQ(os.bWinNT, c.bWinNT);
        EXPECT_EQ(os.dwWinMajor, c.dwMajor);
        EXPECT_EQ(os.dwWinMinor, c.dwMinor);
        EXPECT_EQ(os.dwWinPlatformID, c.dwPlatform);
        EXPECT_EQ(os.uWinFamily, c.uFamily);
        EXPECT_EQ(os.uWinVersion, c.uVersion);
        EXPECT_EQ(os.uWinSR, c.uSR);
        EXPECT_EQ(os.dwWinBuild, c.dwWantBuild);
        EXPECT_STREQ(os.szWinID, c.lpszID);
        EXPECT_STREQ(os.szWinVersionText, c.lpszText);
        EXPECT_STREQ(os.szWinVSDescription, c.lpszCSD);
    }
}

TEST(OSVersion, LongServicePackTextIsBounded)
{
    VersionCase c = s_aCases[9];   /* nt40 */
    OSVERSIONINFOA ver = MakeVersion(c);
    memset(ver.szCSDVersion, 'S', sizeof(ver.szCSDVersion) - 1);
    ver.szCSDVersion[sizeof(ver.szCSDVersion) - 1] = '\0';
    OSInfoStruct os;
    memset(&os, ktest::POISON, sizeof(os));
    fnDecodeOSVersion(&ver, &os);
    EXPECT_EQ(strlen(os.szWinVSDescription), sizeof(os.szWinVSDescription) - 1);
    EXPECT_STREQ(os.szWinID, "WNT");
    EXPECT_EQ(os.uWinSR, 0u);
    EXPECT_EQ(strncmp(os.szWinVersionText, "NT, Vs. 4.0, build 1381, SSS", 28), 0);
}

TEST(OSVersion, RunningSystemDecodesAsReported)
{
    OSVERSIONINFOA ver;
    memset(&ver, 0, sizeof(ver));
    ver.dwOSVersionInfoSize = sizeof(ver);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ASSERT_TRUE(GetVersionExA(&ver));
#pragma GCC diagnostic pop
    OSInfoStruct want, got;
    fnDecodeOSVersion(&ver, &want);
    memset(&got, ktest::POISON, sizeof(got));
    ASSERT_TRUE(fnGetOSVersionInfo(&got));
    EXPECT_EQ(memcmp(&got, &want, sizeof(got)), 0);
    EXPECT_STRNE(got.szWinID, "");
}
