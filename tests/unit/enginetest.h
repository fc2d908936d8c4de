/* Shared fixture of the install-engine tests: source, destination,
 * Windows and system directories of the test's own, fixture programs with
 * version resources, compressed files, a helper process that holds a file
 * open without sharing, and recorders for the engine's dialog seams. */
#ifndef KSTL8_ENGINETEST_H
#define KSTL8_ENGINETEST_H

#include "testutil.h"
#include "install/install.h"
#include "install/engine.h"
#include "dialogs/dialogs.h"
#include "resources/resource.h"
#include <string>
#include <vector>

namespace ktest {

inline std::string ExeDir()
{
    char szExe[MAX_PATH];
    GetModuleFileNameA(NULL, szExe, sizeof(szExe));
    std::string dir(szExe);
    return dir.substr(0, dir.find_last_of('\\') + 1);
}

inline FILETIME TimeOf(const std::string &path)
{
    FILETIME ft = { 0, 0 };
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                           OPEN_EXISTING, 0, NULL);
    if (h != INVALID_HANDLE_VALUE) {
        GetFileTime(h, NULL, NULL, &ft);
        CloseHandle(h);
    }
    return ft;
}

inline bool SameTime(const FILETIME &a, const FILETIME &b)
{
    return CompareFileTime(&a, &b) == 0;
}

inline bool SetYear(const std::string &path, WORD wYear)
{
    SYSTEMTIME st = { wYear, 6, 0, 15, 12, 0, 0, 0 };
    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    BOOL bOk = SetFileTime(h, NULL, NULL, &ft);
    return CloseHandle(h) && bOk;
}

/* Files whose names begin with lpszPrefix in a directory. */
inline std::vector<std::string> FilesLike(const std::string &dir, const char *lpszPattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\" + lpszPattern).c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do
            names.push_back(fd.cFileName);
        while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    return names;
}

/* A second process holds a file open with share mode 0 while it lives. */
class FileHolder {
    PROCESS_INFORMATION m_pi;
    std::string m_path;

public:
    explicit FileHolder(const std::string &path) : m_path(path)
    {
        memset(&m_pi, 0, sizeof(m_pi));
        std::string cmd = "\"" + ExeDir() + "holdfile.exe\" \"" + path + "\" 60";
        STARTUPINFOA si;
        memset(&si, 0, sizeof(si));
        si.cb = sizeof(si);
        std::vector<char> line(cmd.begin(), cmd.end());
        line.push_back('\0');
        if (!CreateProcessA(NULL, line.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &m_pi))
            return;
        for (int i = 0; i < 200 && !Exists(path + ".held"); i++)
            Sleep(50);
    }
    bool Holding() const
    {
        return m_pi.hProcess && Exists(m_path + ".held");
    }
    void Release()
    {
        if (!m_pi.hProcess)
            return;
        WriteFileText(m_path + ".release", "");
        if (WaitForSingleObject(m_pi.hProcess, 10000) != WAIT_OBJECT_0)
            TerminateProcess(m_pi.hProcess, 9);
        CloseHandle(m_pi.hProcess);
        CloseHandle(m_pi.hThread);
        m_pi.hProcess = NULL;
        DeleteFileA((m_path + ".release").c_str());
    }
    ~FileHolder()
    {
        Release();
    }
};

/* What the engine asked through its dialog seam, and the answers given. */
struct DialogLog {
    std::vector<UINT> templates;
    std::vector<std::string> files;     /* the first text of each dialog */
    std::vector<INT_PTR> answers;       /* one per call, the last repeated */
    std::string diskLocation;           /* dialog 5 with IDOK: the new location */
};
extern DialogLog g_dialogLog;
INT_PTR RecordDialog(HWND hWndOwner, UINT uTemplate, DLGPROC pfnProc, LPARAM lParam);

class EngineTest : public TempDirTest {
protected:
    IFStruct m_if;
    std::string m_src, m_dst, m_win, m_sys;

    void SetUp() override
    {
        TempDirTest::SetUp();
        m_saved.Keep(g_szSysDir);
        m_saved.Keep(g_szSourceDir);
        m_saved.Keep(g_OSInfo);
        m_saved.Keep(g_pfnEngineDialog);
        m_saved.Keep(g_pfnCloseFileOwner);
        m_saved.Keep(g_pfnVerFindFile);
        m_saved.Keep(g_szDiskLocation);
        m_saved.Keep(g_szDiskFile);
        m_src = Path("SRC");
        m_dst = Path("DST");
        m_win = Path("WIN");
        m_sys = Path("SYS");
        for (const std::string *p : { &m_src, &m_dst, &m_win, &m_sys })
            ASSERT_TRUE(CreateDirectoryA(p->c_str(), NULL)) << *p;
        fnStrCopy(g_szWinDir, m_win.c_str());
        fnStrCopy(g_szSysDir, m_sys.c_str());
        fnStrCopy(g_szSourceDir, m_src.c_str());
        fnStrCopy(g_szDestDir, m_dst.c_str());
        g_uOnExit = 0;
        g_uBackUpMethod = BACKUP_UNIQUE;
        g_OSInfo.uWinFamily = 3;
        g_dialogLog = DialogLog();
        g_pfnEngineDialog = RecordDialog;
        Prepare("APP.DLL", "APP.DLL", IM_N);
    }

    void Prepare(const std::string &srcName, const std::string &dstName, UINT uMode,
                 UINT uCopy = CM_N, UINT uExist = EA_N)
    {
        memset(&m_if, 0, sizeof(m_if));
        m_if.uFileNum = 1;
        m_if.uInstallMode = uMode;
        m_if.uInUseAction = IU_P;
        m_if.uVerAction = VA_ASK;
        m_if.uCopyMode = uCopy;
        m_if.uJoinCopyMode = CM_N;
        m_if.uExistAction = uExist;
        m_if.uJoinPart = JP_NONE;
        m_if.bQuiet = TRUE;
        fnStrCopy(m_if.szSrcFilePath, m_src.c_str());
        fnStrCopy(m_if.szSrcFileName, srcName.c_str());
        fnStrCopy(m_if.szDstDir, m_dst.c_str());
        fnStrCopy(m_if.szSuggestDstDir, m_dst.c_str());
        fnStrCopy(m_if.szDstFileName, dstName.c_str());
    }
    int Install()
    {
        return fnInstallFileVer(NULL, &m_if);
    }
    static std::string Fixture(const char *lpszName)
    {
        return ExeDir() + lpszName + ".exe";
    }
    static std::string Compressed(const char *lpszName)
    {
        return ExeDir() + "compress\\" + lpszName;
    }
    static std::string Original(const char *lpszName)
    {
        return ExeDir() + "compress\\orig\\" + lpszName;
    }
    /* Copy a fixture program to dir\name. */
    static bool Put(const std::string &from, const std::string &dir, const char *lpszName)
    {
        return CopyFileA(from.c_str(), (dir + "\\" + lpszName).c_str(), FALSE) != 0;
    }
    std::string Src(const char *lpszName) const { return m_src + "\\" + lpszName; }
    std::string Dst(const char *lpszName) const { return m_dst + "\\" + lpszName; }
};

}  // namespace ktest

#endif
