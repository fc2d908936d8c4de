/* Benchmark: install 2,000 files of mixed sizes (1 KB to 1 MB) from one
 * [CopyFiles] section, as is (mode A) and with version checks (mode S,
 * onto an empty destination and again onto the installed files), beside
 * a plain CopyFileA loop over the same files; then read copy sections of
 * 1,000 and of 9,000 lines and compare the cost per line. */
#include "startup/startup.h"
#include "shell/shell.h"
#include "script/script.h"
#include "install/install.h"
#include "install/copylist.h"
#include <math.h>
#include <stdio.h>
#include <string.h>
#include <string>

#define BENCH_FILES 2000

static double fnNow(void)
{
    LARGE_INTEGER freq, t;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&t);
    return (double)t.QuadPart / (double)freq.QuadPart;
}

/* Sizes spread evenly on a log scale from 1 KB to 1 MB, fixed seed. */
static DWORD fnFileSize(unsigned *puSeed)
{
    *puSeed = *puSeed * 1103515245u + 12345u;
    double dFrac = (double)((*puSeed >> 8) & 0xFFFF) / 65535.0;
    double dSize = 1024.0 * exp(dFrac * log(1024.0));
    return (DWORD)dSize;
}

static BOOL fnMakeSources(const char *lpszDir)
{
    unsigned uSeed = 20261208u;
    static char s_abData[1024 * 1024];
    for (size_t i = 0; i < sizeof(s_abData); i++)
        s_abData[i] = (char)(i * 7 + (i >> 9));
    CreateDirectoryA(lpszDir, NULL);
    for (int i = 0; i < BENCH_FILES; i++) {
        char szPath[MAX_PATH];
        snprintf(szPath, sizeof(szPath), "%s\\F%04d.DAT", lpszDir, i);
        DWORD cb = fnFileSize(&uSeed), cbDone = 0;
        HANDLE h = CreateFileA(szPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        if (h == INVALID_HANDLE_VALUE)
            return FALSE;
        BOOL bOk = WriteFile(h, s_abData, cb, &cbDone, NULL) && cbDone == cb;
        CloseHandle(h);
        if (!bOk)
            return FALSE;
    }
    return TRUE;
}

static void fnEmptyDir(const char *lpszDir)
{
    for (int i = 0; i < BENCH_FILES; i++) {
        char szPath[MAX_PATH];
        snprintf(szPath, sizeof(szPath), "%s\\F%04d.DAT", lpszDir, i);
        DeleteFileA(szPath);
    }
    CreateDirectoryA(lpszDir, NULL);
}

static double fnTimePlainCopy(const char *lpszSrc, const char *lpszDst)
{
    fnEmptyDir(lpszDst);
    double t0 = fnNow();
    for (int i = 0; i < BENCH_FILES; i++) {
        char szFrom[MAX_PATH], szTo[MAX_PATH];
        snprintf(szFrom, sizeof(szFrom), "%s\\F%04d.DAT", lpszSrc, i);
        snprintf(szTo, sizeof(szTo), "%s\\F%04d.DAT", lpszDst, i);
        CopyFileA(szFrom, szTo, FALSE);
    }
    return fnNow() - t0;
}

/* A [CopyFiles] section of nLines lines; with a false test on every line
   nothing is installed and only the reading is measured. */
static std::string fnMakeSection(int nLines, const char *lpszModes, BOOL bFalseTest)
{
    std::string text = "[CopyFiles]\r\n";
    char szLine[160];
    for (int i = 0; i < nLines; i++) {
        snprintf(szLine, sizeof(szLine), "%s1,F%04d.DAT,F%04d.DAT,%s\r\n",
                 bFalseTest ? "A=B," : "", i % BENCH_FILES, i % BENCH_FILES, lpszModes);
        text += szLine;
    }
    text += "\r\n[End]\r\n";
    return text;
}

static double fnTimeSection(const std::string &section, const char *lpszSrc, const char *lpszDst,
                            BOOL *lpbOk)
{
    std::string copy = section;
    fnStrCopy(g_szSourceDir, lpszSrc);
    fnStrCopy(g_szDestDir, lpszDst);
    double t0 = fnNow();
    *lpbOk = fnInfCopyFilesSection(NULL, NULL, &copy[0], "[CopyFiles]");
    return fnNow() - t0;
}

static BOOL fnSameFiles(const char *lpszA, const char *lpszB)
{
    for (int i = 0; i < BENCH_FILES; i += 97) {
        char szA[MAX_PATH], szB[MAX_PATH];
        snprintf(szA, sizeof(szA), "%s\\F%04d.DAT", lpszA, i);
        snprintf(szB, sizeof(szB), "%s\\F%04d.DAT", lpszB, i);
        if (fnGetFileSize(szA) != fnGetFileSize(szB) || fnGetFileSize(szA) == 0xFFFFFFFF)
            return FALSE;
    }
    return TRUE;
}

int main(void)
{
    g_bQuiet = TRUE;
    g_uDebug = 0;
    char szTemp[MAX_PATH], szSrc[MAX_PATH], szPlain[MAX_PATH], szA[MAX_PATH], szS[MAX_PATH];
    GetTempPathA(sizeof(szTemp), szTemp);
    GetTempPathA(sizeof(g_szTmpPath), g_szTmpPath);
    snprintf(szSrc, sizeof(szSrc), "%skbench_src", szTemp);
    snprintf(szPlain, sizeof(szPlain), "%skbench_plain", szTemp);
    snprintf(szA, sizeof(szA), "%skbench_a", szTemp);
    snprintf(szS, sizeof(szS), "%skbench_s", szTemp);
    if (!fnMakeSources(szSrc)) {
        printf("cannot write the source files\n");
        return 1;
    }
    fnTimePlainCopy(szSrc, szPlain); /* warms the cache for every run below */
    double dPlain = fnTimePlainCopy(szSrc, szPlain);
    BOOL bOkA, bOkS1, bOkS2;
    fnEmptyDir(szA);
    double dA = fnTimeSection(fnMakeSection(BENCH_FILES, "A", FALSE), szSrc, szA, &bOkA);
    fnEmptyDir(szS);
    std::string sectionS = fnMakeSection(BENCH_FILES, "S", FALSE);
    double dS1 = fnTimeSection(sectionS, szSrc, szS, &bOkS1);
    double dS2 = fnTimeSection(sectionS, szSrc, szS, &bOkS2);
    if (!bOkA || !bOkS1 || !bOkS2 || !fnSameFiles(szSrc, szA) || !fnSameFiles(szSrc, szS)) {
        printf("an install failed (A %d, S %d/%d)\n", bOkA, bOkS1, bOkS2);
        return 1;
    }
    printf("%d files, 1 KB to 1 MB\n", BENCH_FILES);
    printf("plain CopyFileA loop:        %8.1f files/s\n", BENCH_FILES / dPlain);
    printf("mode A:                      %8.1f files/s  ratio %.2f (goal at most 1.3)\n",
           BENCH_FILES / dA, dA / dPlain);
    printf("mode S, empty destination:   %8.1f files/s  ratio %.2f (goal at most 2)\n",
           BENCH_FILES / dS1, dS1 / dPlain);
    printf("mode S, over installed files:%8.1f files/s  ratio %.2f (goal at most 2)\n",
           BENCH_FILES / dS2, dS2 / dPlain);

    BOOL bOk1, bOk9;
    double d1 = fnTimeSection(fnMakeSection(1000, "A", TRUE), szSrc, szA, &bOk1) / 1000;
    double d9 = fnTimeSection(fnMakeSection(9000, "A", TRUE), szSrc, szA, &bOk9) / 9000;
    printf("section of 1000 lines: %.3f us per line\n", d1 * 1e6);
    printf("section of 9000 lines: %.3f us per line\n", d9 * 1e6);
    printf("ratio (9000 / 1000 per line): %.2f (goal at most 1.5)\n", d9 / d1);
    BOOL bGoals = dA / dPlain <= 1.3 && dS1 / dPlain <= 2 && dS2 / dPlain <= 2 && d9 / d1 <= 1.5;
    return bOk1 && bOk9 && bGoals ? 0 : 2;
}
