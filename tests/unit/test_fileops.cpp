/* Files by name on the real platform: open modes, line reading, copies
 * with times, attributes, free space, directory trees, renames and the
 * 9x WININIT.INI replacement (the NT delayed move and what a Wine restart
 * does with both are in the delayed_replace scenario). */
#include "testutil.h"
#include "install/install.h"

namespace {

class FileOps : public ktest::TempDirTest {
protected:
    void SetUp() override
    {
        ktest::TempDirTest::SetUp();
        m_saved.Keep(g_OSInfo);
        m_saved.Keep(g_bUseDiskFreeSpaceEx);
    }
    void Write(const std::string &name, const std::string &text)
    {
        ASSERT_TRUE(ktest::WriteFileText(Path(name), text)) << name;
    }
    static FILETIME Time(int nDaysAgo)
    {
        SYSTEMTIME st = { 2001, 5, 0, 20, 12, 0, 0, 0 };
        FILETIME ft;
        SystemTimeToFileTime(&st, &ft);
        ULARGE_INTEGER ul = { { ft.dwLowDateTime, ft.dwHighDateTime } };
        ul.QuadPart -= (ULONGLONG)nDaysAgo * 24 * 3600 * 10000000ull;
        ft.dwLowDateTime = ul.LowPart;
        ft.dwHighDateTime = ul.HighPart;
        return ft;
    }
    /* Wine reports the archive bit on every plain file (NORMAL reads back
       as 0x20), so attribute checks leave it out. */
    static DWORD Attrib(const std::string &path)
    {
        return GetFileAttributesA(path.c_str()) & ~(DWORD)FILE_ATTRIBUTE_ARCHIVE;
    }
    static FILETIME WriteTime(const std::string &path)
    {
        FILETIME ft = { 0, 0 };
        HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                               0, NULL);
        GetFileTime(h, NULL, NULL, &ft);
        CloseHandle(h);
        return ft;
    }
};

struct Line {
    int nRC;
    std::string text;
    bool bNul;
};

std::vector<Line> ReadLines(const std::string &path, size_t cbBuf, int nMax = 10)
{
    std::vector<Line> lines;
    HANDLE h = fnOpenFile(path.c_str(), OPEN_READ);
    EXPECT_NE(h, INVALID_HANDLE_VALUE);
    std::vector<char> buf(cbBuf + 8, (char)ktest::POISON);
    for (int i = 0; i < nMax; i++) {
        BOOL bNul = FALSE;
        int nRC = fnReadFileLine(h, buf.data(), cbBuf, &bNul);
        EXPECT_EQ((unsigned char)buf[cbBuf], ktest::POISON) << "wrote past the buffer";
        EXPECT_LT(strnlen(buf.data(), cbBuf), cbBuf) << "no terminator";
        lines.push_back({ nRC, std::string(buf.data()), bNul != FALSE });
        if (nRC != 0)
            break;
    }
    CloseHandle(h);
    return lines;
}

}  // namespace

TEST_F(FileOps, OpenModes)
{
    Write("F.TXT", "old text");
    std::string f = Path("F.TXT");
    HANDLE h0 = fnOpenFile(f.c_str(), OPEN_READ);
    ASSERT_NE(h0, INVALID_HANDLE_VALUE);
    HANDLE h0b = fnOpenFile(f.c_str(), OPEN_READ);  /* read is shared */
    EXPECT_NE(h0b, INVALID_HANDLE_VALUE);
    EXPECT_EQ(fnOpenFile(f.c_str(), OPEN_WRITE), INVALID_HANDLE_VALUE);
    CloseHandle(h0b);
    CloseHandle(h0);
    HANDLE h2 = fnOpenFile(f.c_str(), OPEN_READWRITE);
    ASSERT_NE(h2, INVALID_HANDLE_VALUE);
    SetLastError(0xdeadbeef);
    EXPECT_EQ(fnOpenFile(f.c_str(), OPEN_READ), INVALID_HANDLE_VALUE);  /* not shared */
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_SHARING_VIOLATION);
    CloseHandle(h2);

    HANDLE hA = fnOpenFile(f.c_str(), OPEN_APPEND);  /* keeps the content */
    ASSERT_NE(hA, INVALID_HANDLE_VALUE);
    CloseHandle(hA);
    EXPECT_FILE_TEXT(f, "old text");
    HANDLE hC = fnOpenFile(f.c_str(), OPEN_CREATE);  /* truncates */
    ASSERT_NE(hC, INVALID_HANDLE_VALUE);
    CloseHandle(hC);
    EXPECT_FILE_TEXT(f, "");
    HANDLE hN = fnOpenFile(Path("NEW.TXT").c_str(), OPEN_ALWAYS_RW);
    ASSERT_NE(hN, INVALID_HANDLE_VALUE);
    CloseHandle(hN);
    EXPECT_EQ(fnOpenFile(Path("MISSING").c_str(), OPEN_READWRITE), INVALID_HANDLE_VALUE);

    EXPECT_EQ(fnOpenFile(m_dir.c_str(), OPEN_EXIST), (HANDLE)NULL);
    EXPECT_EQ(fnOpenFile(("\"" + f + "\"").c_str(), OPEN_EXIST), (HANDLE)NULL);
    EXPECT_EQ(fnOpenFile(Path("MISSING").c_str(), OPEN_EXIST), INVALID_HANDLE_VALUE);
    EXPECT_EQ(fnOpenFile(f.c_str(), 3), INVALID_HANDLE_VALUE);
    EXPECT_EQ(fnOpenFile(f.c_str(), OPEN_DELETE), (HANDLE)NULL);
    EXPECT_FALSE(ktest::Exists(f));
    EXPECT_EQ(fnOpenFile(f.c_str(), OPEN_DELETE), INVALID_HANDLE_VALUE);

    /* fnDeleteFile takes files only, fnCreateEmptyFile keeps what is there. */
    EXPECT_FALSE(fnDeleteFile(m_dir.c_str()));
    EXPECT_FALSE(fnDeleteFile(""));
    Write("K.TXT", "kept");
    EXPECT_TRUE(fnCreateEmptyFile(Path("K.TXT").c_str()));
    EXPECT_FILE_TEXT(Path("K.TXT"), "kept");
    EXPECT_TRUE(fnCreateEmptyFile(Path("E.TXT").c_str()));
    EXPECT_FILE_TEXT(Path("E.TXT"), "");
    EXPECT_EQ(fnGetFileSize(Path("K.TXT").c_str()), 4u);
    EXPECT_EQ(fnGetFileSize(Path("MISSING").c_str()), 0u);
    EXPECT_TRUE(fnTestWriteToFile(Path("K.TXT").c_str()));
    EXPECT_FALSE(fnTestWriteToFile(Path("MISSING").c_str()));
}

TEST_F(FileOps, ReadLinesWithTheirLineEnds)
{
    Write("CRLF.TXT", "A\r\nB");
    std::vector<Line> l = ReadLines(Path("CRLF.TXT"), 64);
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0].nRC, 0);
    EXPECT_EQ(l[0].text, "A\r\n");
    EXPECT_EQ(l[1].nRC, 1);
    EXPECT_EQ(l[1].text, "B");

    Write("LF.TXT", "one\ntwo\n");
    l = ReadLines(Path("LF.TXT"), 64);
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0].text, "one\n");
    EXPECT_EQ(l[0].nRC, 0);
    EXPECT_EQ(l[1].text, "two\n");
    EXPECT_EQ(l[1].nRC, 1);

    /* Ctrl-Z ends the text, at the start of a line or after one. */
    Write("EOF.TXT", "x\r\n\x1Ahidden");
    l = ReadLines(Path("EOF.TXT"), 64);
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[1].nRC, 1);
    EXPECT_EQ(l[1].text, "");
    Write("EOF2.TXT", "y\x1A\r\nhidden");
    l = ReadLines(Path("EOF2.TXT"), 64);
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].nRC, 1);
    EXPECT_EQ(l[0].text, "y");

    Write("EMPTY.TXT", "");
    l = ReadLines(Path("EMPTY.TXT"), 64);
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].nRC, 1);
    EXPECT_EQ(l[0].text, "");
}

TEST_F(FileOps, ReadLineNulBytesAndFullBuffers)
{
    /* A NUL byte ends a line and is stepped over: the reader moves on. */
    Write("ZERO.BIN", std::string("ab\0cd\r\nef", 9));
    std::vector<Line> l = ReadLines(Path("ZERO.BIN"), 64);
    ASSERT_EQ(l.size(), 3u) << l[0].nRC << " [" << l[0].text << "]";
    EXPECT_EQ(l[0].text, "ab");
    EXPECT_TRUE(l[0].bNul);
    EXPECT_EQ(l[0].nRC, 0);
    EXPECT_EQ(l[1].text, "cd\r\n");
    EXPECT_FALSE(l[1].bNul);
    EXPECT_EQ(l[2].text, "ef");
    EXPECT_EQ(l[2].nRC, 1);

    /* A buffer of 8 holds 7 bytes and the terminator. */
    Write("LONG.TXT", "1234567\r\n");
    l = ReadLines(Path("LONG.TXT"), 8);
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].nRC, -1);
    EXPECT_EQ(l[0].text, "1234567");
    Write("FIT.TXT", "12345\r\nZ");
    l = ReadLines(Path("FIT.TXT"), 8);
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0].text, "12345\r\n");
    EXPECT_EQ(l[0].nRC, 0);
    EXPECT_EQ(l[1].text, "Z");
}

TEST_F(FileOps, WriteTextAndLines)
{
    HANDLE h = fnOpenFile(Path("OUT.TXT").c_str(), OPEN_CREATE);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(fnWriteToFile(h, ""), 0);
    EXPECT_TRUE(fnWriteLine(h, ""));
    EXPECT_EQ(fnWriteToFile(h, "a"), 0);
    EXPECT_TRUE(fnWriteLine(h, "b"));
    EXPECT_TRUE(fnSeekStart(h));
    EXPECT_EQ(fnWriteToFile(h, "A"), 0);
    EXPECT_TRUE(fnSeekEnd(h));
    EXPECT_TRUE(fnSeekBy(h, -2));
    EXPECT_EQ(fnWriteToFile(h, "!!"), 0);
    CloseHandle(h);
    EXPECT_FILE_TEXT(Path("OUT.TXT"), "Ab!!");
    HANDLE hR = fnOpenFile(Path("OUT.TXT").c_str(), OPEN_READ);
    EXPECT_EQ(fnWriteToFile(hR, "x"), -1);
    EXPECT_FALSE(fnWriteLine(hR, "x"));
    CloseHandle(hR);
}

TEST_F(FileOps, CopyKeepsTimeAndMakesThePlainWritableCopy)
{
    Write("SRC.DLL", "new");
    FILETIME ft = Time(30);
    ASSERT_TRUE(fnSetFileTime(Path("SRC.DLL").c_str(), &ft));
    SetFileAttributesA(Path("SRC.DLL").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);

    EXPECT_TRUE(fnCopyFile(Path("SRC.DLL").c_str(), Path("DST.DLL").c_str(), TRUE, TRUE));
    EXPECT_FILE_TEXT(Path("DST.DLL"), "new");
    FILETIME ftCopy = WriteTime(Path("DST.DLL"));
    EXPECT_EQ(CompareFileTime(&ft, &ftCopy), 0);
    EXPECT_EQ(Attrib(Path("DST.DLL")), 0u);

    Write("OLD.DLL", "old");
    EXPECT_FALSE(fnCopyFile(Path("SRC.DLL").c_str(), Path("OLD.DLL").c_str(), TRUE, FALSE));
    EXPECT_FILE_TEXT(Path("OLD.DLL"), "old");
    EXPECT_TRUE(fnCopyFileTo(Path("SRC.DLL").c_str(), "OLD.DLL", m_dir.c_str()));
    EXPECT_FILE_TEXT(Path("OLD.DLL"), "new");
    EXPECT_FALSE(fnCopyFile(Path("MISSING").c_str(), Path("X").c_str(), FALSE, TRUE));
    EXPECT_FALSE(fnCopyFile(Path("MISSING").c_str(), Path("X").c_str(), FALSE, FALSE));
    EXPECT_FALSE(ktest::Exists(Path("X")));
    SetFileAttributesA(Path("SRC.DLL").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FileOps, TimesAndAttributes)
{
    Write("A.TXT", "a");
    Write("B.TXT", "b");
    std::string a = Path("A.TXT"), b = Path("B.TXT");
    FILETIME ftOld = Time(10), ftNew = Time(1);
    /* Setting the time keeps the attributes, a read-only file too. */
    SetFileAttributesA(a.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(fnSetFileTime(a.c_str(), &ftOld));
    EXPECT_EQ(Attrib(a), (DWORD)(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_TRUE(fnSetFileTime(b.c_str(), &ftNew));
    FILETIME ft;
    ASSERT_TRUE(fnGetFileTime(a.c_str(), &ft));
    EXPECT_EQ(CompareFileTime(&ft, &ftOld), 0);
    EXPECT_EQ(fnCompareFileTimes(Path("MISSING").c_str(), b.c_str()), 0u);
    EXPECT_EQ(fnCompareFileTimes(a.c_str(), Path("MISSING").c_str()), 1u);
    EXPECT_EQ(fnCompareFileTimes(b.c_str(), a.c_str()), 2u);
    EXPECT_EQ(fnCompareFileTimes(a.c_str(), b.c_str()), 3u);
    EXPECT_EQ(fnCompareFileTimes(a.c_str(), a.c_str()), 4u);
    EXPECT_FALSE(fnSetFileTime(Path("MISSING").c_str(), &ftOld));

    /* Without the flag only the read-only bit goes. */
    DWORD dw = 0;
    EXPECT_TRUE(fnClearFileAttrib(a.c_str(), FALSE));
    ASSERT_TRUE(fnGetFileAttrib(a.c_str(), &dw));
    EXPECT_EQ(dw & ~(DWORD)FILE_ATTRIBUTE_ARCHIVE, (DWORD)FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(fnClearFileAttrib(a.c_str(), TRUE));
    EXPECT_EQ(Attrib(a), 0u);
    EXPECT_FALSE(fnGetFileAttrib(Path("MISSING").c_str(), &dw));
    EXPECT_FALSE(fnClearFileAttrib(Path("MISSING").c_str(), TRUE));

    /* Made writable: the caller gets the old attributes, hidden stays. */
    SetFileAttributesA(b.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    DWORD dwOld = 0;
    EXPECT_TRUE(fnEnableWriteToFile(b.c_str(), &dwOld));
    EXPECT_EQ(dwOld & ~(DWORD)FILE_ATTRIBUTE_ARCHIVE,
              (DWORD)(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(Attrib(b), (DWORD)FILE_ATTRIBUTE_HIDDEN);
    EXPECT_FALSE(fnEnableWriteToFile(Path("MISSING").c_str(), &dwOld));
    SetFileAttributesA(b.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FileOps, DirectoryTests)
{
    Write("F.TXT", "f");
    std::string d = m_dir;
    EXPECT_TRUE(fnDirExists(d.c_str()));
    EXPECT_TRUE(fnDirExists((d + "\\").c_str()));
    EXPECT_TRUE(fnDirExists(("\"" + d + "\\\"").c_str()));
    EXPECT_TRUE(fnDirExists("C:\\"));
    EXPECT_TRUE(fnDirExists("c:"));
    EXPECT_FALSE(fnDirExists(Path("F.TXT").c_str()));
    EXPECT_FALSE(fnDirExists(Path("F.TXT\\").c_str()));
    EXPECT_FALSE(fnDirExists(Path("NONE\\").c_str()));
    EXPECT_FALSE(fnDirExists("Q:\\"));
    EXPECT_FALSE(fnDirExists(""));
    EXPECT_TRUE(fnFileExists(Path("F.TXT").c_str()));
    EXPECT_FALSE(fnFileExists(d.c_str()));
    EXPECT_TRUE(fnPathExists(d.c_str()));
    EXPECT_TRUE(fnPathExists(("'" + Path("F.TXT") + "'").c_str()));
}

TEST_F(FileOps, DirectoryTreesLogOnlyWhatThisRunMade)
{
    fnStrCopy(g_szLogFile, Path("INSTALL.LOG").c_str());
    g_bLogWanted = TRUE;
    CreateDirectoryA(Path("HAD").c_str(), NULL);
    EXPECT_TRUE(fnCreateDirTreeLog(Path("HAD").c_str(), TRUE));
    EXPECT_TRUE(fnCreateDirTreeLog((Path("HAD\\A\\B") + "\\").c_str(), TRUE));
    EXPECT_TRUE(fnDirExists(Path("HAD\\A\\B").c_str()));
    EXPECT_TRUE(fnCreateDirTreeLog(Path("N1/N2//N3").c_str(), TRUE));
    EXPECT_TRUE(fnDirExists(Path("N1\\N2\\N3").c_str()));
    EXPECT_TRUE(fnCreateDirTree(Path("PLAIN\\X").c_str()));
    EXPECT_TRUE(fnCreateDirTreeLog("", TRUE));
    /* Only the whole path of each tree is logged, and only when made now. */
    EXPECT_FILE_TEXT(g_szLogFile, Path("HAD\\A\\B") + ", D\r\n" + Path("N1/N2//N3") + ", D\r\n");

    Write("FILE", "x");
    EXPECT_FALSE(fnCreateDirTreeLog(Path("FILE\\SUB").c_str(), TRUE));
    EXPECT_FALSE(fnCreateDir("", FALSE));
    EXPECT_TRUE(fnCreateDir(Path("HAD").c_str(), FALSE));
    EXPECT_FALSE(fnCreateDir(Path("FILE").c_str(), FALSE));
    EXPECT_FALSE(fnCreateDirTree("Q:\\NOT\\MAPPED"));
}

TEST_F(FileOps, FreeSpaceOfNewPathsAndLargeVolumes)
{
    ULARGE_INTEGER ulAvail, ulTotal, ulFree;
    ASSERT_TRUE(GetDiskFreeSpaceExA(m_dir.c_str(), &ulAvail, &ulTotal, &ulFree));
    DWORD dwSectors, dwBytes, dwFreeClusters, dwClusters;
    ASSERT_TRUE(GetDiskFreeSpaceA("C:\\", &dwSectors, &dwBytes, &dwFreeClusters, &dwClusters));
    unsigned long long ullClassic = (unsigned long long)dwFreeClusters * dwBytes * dwSectors;
    auto Capped = [](unsigned long long ull) { return ull > 0xFFFFFFFFull ? 0xFFFFFFFFu : (DWORD)ull; };

    EXPECT_EQ(fnGetDiskSpace(m_dir.c_str()), Capped(ulAvail.QuadPart));
    /* A destination that does not exist yet has its volume's space. */
    EXPECT_EQ(fnGetDiskSpace(Path("NEW\\DIR\\F.DLL").c_str()), Capped(ulAvail.QuadPart));
    g_bUseDiskFreeSpaceEx = FALSE;
    DWORD dwClassic = fnGetDiskSpace(Path("NEW\\DIR").c_str());
    EXPECT_EQ(dwClassic, Capped(ullClassic));
    if (ullClassic > 0xFFFFFFFFull) {
        EXPECT_EQ(dwClassic, 0xFFFFFFFFu);
        EXPECT_NE(dwClassic, (DWORD)ullClassic) << "the product wrapped";
    }
    EXPECT_EQ(fnGetDiskSpace("Q:\\NOT\\MAPPED"), 0u);
}

TEST_F(FileOps, RenameOnBothFamilies)
{
    for (UINT uFamily : { 2u, 3u }) {
        SCOPED_TRACE(uFamily == 3 ? "NT" : "9x");
        g_OSInfo.uWinFamily = uFamily;
        Write("OLD.TXT", "new content");
        Write("NEW.TXT", "old content");
        EXPECT_TRUE(fnRename(Path("OLD.TXT").c_str(), Path("NEW.TXT").c_str()));
        EXPECT_FILE_TEXT(Path("NEW.TXT"), "new content");
        EXPECT_FALSE(ktest::Exists(Path("OLD.TXT")));
        /* A move that fails leaves the existing target as it was. */
        EXPECT_FALSE(fnRename(Path("MISSING.TXT").c_str(), Path("NEW.TXT").c_str()));
        EXPECT_FILE_TEXT(Path("NEW.TXT"), "new content");
        EXPECT_FALSE(fnRename(Path("NEW.TXT").c_str(), Path("NODIR\\X.TXT").c_str()));
        EXPECT_FILE_TEXT(Path("NEW.TXT"), "new content");
        /* The same name on both sides loses nothing. */
        fnRename(Path("NEW.TXT").c_str(), Path("new.txt").c_str());
        EXPECT_FILE_TEXT(Path("NEW.TXT"), "new content");
        ASSERT_TRUE(DeleteFileA(Path("NEW.TXT").c_str()));
        /* Nothing is left beside the target. */
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA(Path("*.^*").c_str(), &fd);
        EXPECT_EQ(h, INVALID_HANDLE_VALUE) << fd.cFileName;
        if (h != INVALID_HANDLE_VALUE)
            FindClose(h);
    }
}

namespace {

class ReplaceInUse9x : public FileOps {
protected:
    void SetUp() override
    {
        FileOps::SetUp();
        m_saved.Keep(g_szWinDir);
        g_OSInfo.uWinFamily = 2;
        fnStrCopy(g_szWinDir, Path("WIN").c_str());
        CreateDirectoryA(g_szWinDir, NULL);
    }
    std::string Ini() const
    {
        return Path("WIN\\WININIT.INI");
    }
    std::string Short(const std::string &path)
    {
        char sz[KSTL8_PATH];
        EXPECT_NE(GetShortPathNameA(path.c_str(), sz, sizeof(sz)), 0u) << path;
        return sz;
    }
};

}  // namespace

TEST_F(ReplaceInUse9x, EntriesGoIntoTheRenameSectionInOrder)
{
    Write("NEW1.DLL", "1");
    Write("NEW2.DLL", "2");
    Write("Target File One.DLL", "old");
    EXPECT_TRUE(fnReplaceFileInUse(Path("NEW1.DLL").c_str(), Path("Target File One.DLL").c_str()));
    std::string e1 = Short(Path("Target File One.DLL")) + "=" + Short(Path("NEW1.DLL")) + "\r\n";
    EXPECT_FILE_TEXT(Ini(), "[rename]\r\n" + e1);

    /* A missing target is created empty, so it has a short name. */
    EXPECT_TRUE(fnReplaceFileInUse(Path("NEW2.DLL").c_str(), Path("T2.DLL").c_str()));
    EXPECT_FILE_TEXT(Path("T2.DLL"), "");
    std::string e2 = Short(Path("T2.DLL")) + "=" + Short(Path("NEW2.DLL")) + "\r\n";
    EXPECT_FILE_TEXT(Ini(), "[rename]\r\n" + e1 + e2);
    /* The NT delayed move is not used on this family. */
    EXPECT_FILE_TEXT(Path("Target File One.DLL"), "old");

    /* NUL deletes the source at the start; no NUL file is made or shortened. */
    EXPECT_TRUE(fnReplaceFileInUse(Path("NEW1.DLL").c_str(), "nul"));
    std::string e3 = "NUL=" + Short(Path("NEW1.DLL")) + "\r\n";
    EXPECT_FILE_TEXT(Ini(), "[rename]\r\n" + e1 + e2 + e3);
}

TEST_F(ReplaceInUse9x, ExistingFilesKeepTheirOtherSectionsAndLineEnds)
{
    Write("S.DLL", "s");
    Write("T.DLL", "t");
    std::string e = Short(Path("T.DLL")) + "=" + Short(Path("S.DLL")) + "\r\n";

    /* A last line without its line end, and no [rename] section. */
    Write("WIN\\WININIT.INI", "[other]\r\nkey=value");
    EXPECT_TRUE(fnReplaceFileInUse(Path("S.DLL").c_str(), Path("T.DLL").c_str()));
    EXPECT_FILE_TEXT(Ini(), "[other]\r\nkey=value\r\n[rename]\r\n" + e);

    /* Inside [rename], before the next section and its blank line. */
    Write("WIN\\WININIT.INI", "; note\r\n[Rename]\r\nA=B\r\n\r\n[after]\r\nx=y\r\n");
    EXPECT_TRUE(fnReplaceFileInUse(Path("S.DLL").c_str(), Path("T.DLL").c_str()));
    EXPECT_FILE_TEXT(Ini(), "; note\r\n[Rename]\r\nA=B\r\n" + e + "\r\n[after]\r\nx=y\r\n");

    /* A header that is the last line, without a line end. */
    Write("WIN\\WININIT.INI", "[rename]");
    EXPECT_TRUE(fnReplaceFileInUse(Path("S.DLL").c_str(), Path("T.DLL").c_str()));
    EXPECT_FILE_TEXT(Ini(), "[rename]\r\n" + e);

    /* A missing source is created empty; a missing Windows folder fails. */
    EXPECT_TRUE(fnReplaceFileInUse(Path("GONE.DLL").c_str(), Path("T.DLL").c_str()));
    EXPECT_FILE_TEXT(Path("GONE.DLL"), "");
    fnStrCopy(g_szWinDir, Path("NOWIN").c_str());
    EXPECT_FALSE(fnReplaceFileInUse(Path("S.DLL").c_str(), Path("T.DLL").c_str()));
    EXPECT_FALSE(ktest::Exists(Path("NOWIN")));
}
