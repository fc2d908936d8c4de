/* Shared helpers of the unit tests: the process-wide settings saved and
 * put back around each test, a directory of its own for each test that
 * touches files, poisoned buffers and whole-file reads and writes.
 * Helpers report failures at the caller's line. */
#ifndef KSTL8_TESTUTIL_H
#define KSTL8_TESTUTIL_H

#include <gtest/gtest.h>
#include <windows.h>
#include <string.h>
#include <string>
#include <vector>
#include "shell/shell.h"
#include "startup/startup.h"
#include "script/script.h"

namespace ktest {

const unsigned char POISON = 0xA5;

template <size_t N> inline void Poison(char (&buf)[N])
{
    memset(buf, POISON, N);
}

/* buf holds exactly lpszWant with its terminator, and every byte from
   uFrom to the end of the buffer still holds the poison. */
inline void ExpectBounded_(const char *lpszFile, int nLine, const char *buf, size_t cbBuf,
                           const char *lpszWant, size_t uFrom)
{
    ::testing::ScopedTrace trace(lpszFile, nLine, "bounded buffer");
    size_t cch = strnlen(buf, cbBuf);
    ASSERT_LT(cch, cbBuf) << "no terminator inside the buffer";
    EXPECT_EQ(std::string(buf, cch), std::string(lpszWant));
    EXPECT_EQ(cch, strlen(lpszWant));
    for (size_t i = uFrom; i < cbBuf; i++)
        if ((unsigned char)buf[i] != POISON) {
            ADD_FAILURE() << "byte " << i << " after the text was written";
            break;
        }
}
/* The text, its terminator, and poison in every byte after it. */
#define EXPECT_BOUNDED(buf, want) \
    ktest::ExpectBounded_(__FILE__, __LINE__, buf, sizeof(buf), want, strlen(want) + 1)
/* The text, and poison from byte `from` on (the callee was given `from` bytes). */
#define EXPECT_BOUNDED_FROM(buf, want, from) \
    ktest::ExpectBounded_(__FILE__, __LINE__, buf, sizeof(buf), want, from)

/* ---- files ---- */
inline bool Exists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline bool WriteFileText(const std::string &path, const std::string &text)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD cb = 0;
    BOOL bOk = WriteFile(h, text.data(), (DWORD)text.size(), &cb, NULL) && cb == text.size();
    return CloseHandle(h) && bOk;
}

/* The whole file; a file that the program still holds open is read too. */
inline std::string ReadFileText(const std::string &path)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string text;
    char buf[65536];
    DWORD cb = 0;
    while (ReadFile(h, buf, sizeof(buf), &cb, NULL) && cb > 0)
        text.append(buf, cb);
    CloseHandle(h);
    return text;
}

#define EXPECT_FILE_TEXT(path, want) \
    do { \
        ::testing::ScopedTrace trace_(__FILE__, __LINE__, path); \
        EXPECT_EQ(ktest::ReadFileText(path), std::string(want)); \
    } while (0)

/* Remove a tree; FALSE when something in it could not be removed (a
   handle the product left open, for one). */
inline bool RemoveTree(const std::string &dir)
{
    WIN32_FIND_DATAA fd;
    bool bOk = true;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = dir + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                bOk = RemoveTree(path) && bOk;
            else
                bOk = DeleteFileA(path.c_str()) && bOk;
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    return RemoveDirectoryA(dir.c_str()) && bOk;
}

/* ---- process-wide settings ---- */
/* Byte copies of the globals a test may change, put back afterwards. */
class GlobalsSnapshot {
    struct Item {
        void *p;
        std::vector<char> bytes;
    };
    std::vector<Item> m_items;

public:
    template <class T> void Keep(T &v)
    {
        m_items.push_back({ &v, std::vector<char>((char *)&v, (char *)&v + sizeof(T)) });
    }
    void Restore()
    {
        for (Item &i : m_items)
            memcpy(i.p, i.bytes.data(), i.bytes.size());
        m_items.clear();
    }
};

/* Every test starts quiet (no box is ever shown), without trace or log,
   with the real dispatcher, and gets the old settings back at its end. */
class KestrelTest : public ::testing::Test {
protected:
    GlobalsSnapshot m_saved;

    void SetUp() override
    {
        m_saved.Keep(g_bQuiet);             m_saved.Keep(g_uDebug);
        m_saved.Keep(g_szDestDir);          m_saved.Keep(g_szStartDestDir);
        m_saved.Keep(g_szLogFile);          m_saved.Keep(g_bLogWanted);
        m_saved.Keep(g_bLogStarted);        m_saved.Keep(g_nExitCode);
        m_saved.Keep(g_szTitle);            m_saved.Keep(g_szDebugFile);
        m_saved.Keep(g_szTmpPath);          m_saved.Keep(g_szWinDir);
        m_saved.Keep(g_szIniFile);          m_saved.Keep(g_szHomeDir);
        m_saved.Keep(g_szAskForResponse);   m_saved.Keep(g_szStartupMsg);
        m_saved.Keep(g_bNoPrompts);         m_saved.Keep(g_bMessage);
        m_saved.Keep(g_uShowVSWin);         m_saved.Keep(g_uOnExit);
        m_saved.Keep(g_uBackUpMethod);      m_saved.Keep(g_uCipherMode);
        m_saved.Keep(g_bSplash);            m_saved.Keep(g_dwDebugInterval);
        m_saved.Keep(g_pfnParseInfSection); m_saved.Keep(g_lpszInfText);
        m_saved.Keep(g_lpszInfNext);
        g_bQuiet = TRUE;
        g_uDebug = 0;
        g_szLogFile[0] = '\0';
        g_bLogWanted = FALSE;
        g_bLogStarted = FALSE;
        g_szDebugFile[0] = '\0';
        g_nExitCode = KSTL8_EXIT_OK;
        g_uCipherMode = 0;
        g_pfnParseInfSection = fnParseInfSection;
    }
    void TearDown() override
    {
        fnCloseDebugFile();
        m_saved.Restore();
    }
};

/* A directory of the test's own under the temporary path, removed at its end. */
class TempDirTest : public KestrelTest {
protected:
    std::string m_dir;

    void SetUp() override
    {
        KestrelTest::SetUp();
        char szTemp[MAX_PATH];
        ASSERT_NE(GetTempPathA(sizeof(szTemp), szTemp), 0u);
        const ::testing::TestInfo *lpInfo =
            ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = std::string(szTemp) + "k8u." + lpInfo->test_suite_name() + "." +
                lpInfo->name() + "." + std::to_string(GetCurrentProcessId());
        RemoveTree(m_dir);
        ASSERT_TRUE(CreateDirectoryA(m_dir.c_str(), NULL)) << m_dir;
    }
    void TearDown() override
    {
        fnCloseDebugFile();
        EXPECT_TRUE(RemoveTree(m_dir)) << "left behind or held open: " << m_dir;
        KestrelTest::TearDown();
    }
    std::string Path(const std::string &name) const
    {
        return m_dir + "\\" + name;
    }
};

}  // namespace ktest

#endif
