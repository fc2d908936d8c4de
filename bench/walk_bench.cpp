/* Benchmark: load and walk scripts of 200 and of 2,000 sections (five
 * lines each) and print the cost per section of each and their ratio.
 * The walk must grow linearly: a ratio near 1. */
#include "startup/startup.h"
#include "shell/shell.h"
#include "script/script.h"
#include <stdio.h>
#include <string.h>
#include <string>

static std::string fnMakeScript(int nSections)
{
    std::string text = "[Config]\r\n";
    char szLine[128];
    for (int i = 0; i < nSections; i++) {
        snprintf(szLine, sizeof(szLine), "[Sect %05d]\r\n", i);
        text += szLine;
        for (int j = 0; j < 5; j++) {
            snprintf(szLine, sizeof(szLine), "Key%d=Val %d of %05d\r\n", j, j, i);
            text += szLine;
        }
    }
    return text;
}

/* Seconds per section for one load and walk, best of nRounds. */
static double fnTimeWalk(const char *lpszPath, int nSections, int nRounds)
{
    LARGE_INTEGER freq, t0, t1;
    QueryPerformanceFrequency(&freq);
    double best = 1e30;
    for (int r = 0; r < nRounds; r++) {
        fnStrCopy(g_szIniFile, lpszPath);
        QueryPerformanceCounter(&t0);
        fnLoadInf(NULL);
        QueryPerformanceCounter(&t1);
        double s = (double)(t1.QuadPart - t0.QuadPart) / (double)freq.QuadPart;
        if (s < best)
            best = s;
    }
    return best / nSections;
}

static BOOL fnWriteScript(const char *lpszPath, const std::string &text)
{
    FILE *f = fopen(lpszPath, "wb");
    if (!f)
        return FALSE;
    BOOL bOk = fwrite(text.data(), 1, text.size(), f) == text.size();
    return fclose(f) == 0 && bOk;
}

int main(void)
{
    g_bQuiet = TRUE;
    g_uDebug = 0;
    char szTemp[MAX_PATH];
    GetTempPathA(sizeof(szTemp), szTemp);
    GetTempPathA(sizeof(g_szTmpPath), g_szTmpPath);
    char szSmall[MAX_PATH], szLarge[MAX_PATH];
    snprintf(szSmall, sizeof(szSmall), "%skbench200.inf", szTemp);
    snprintf(szLarge, sizeof(szLarge), "%skbench2000.inf", szTemp);
    std::string small = fnMakeScript(200), large = fnMakeScript(2000);
    if (!fnWriteScript(szSmall, small) || !fnWriteScript(szLarge, large)) {
        printf("cannot write the benchmark scripts\n");
        return 1;
    }
    if (large.size() > INF_BUFFER_SIZE - 1) {
        printf("the large script (%u bytes) exceeds the limit\n", (unsigned)large.size());
        return 1;
    }
    double dSmall = fnTimeWalk(szSmall, 200, 30);
    double dLarge = fnTimeWalk(szLarge, 2000, 10);
    printf("script of 200 sections:   %7u bytes, %.3f us per section\n", (unsigned)small.size(),
           dSmall * 1e6);
    printf("script of 2000 sections:  %7u bytes, %.3f us per section\n", (unsigned)large.size(),
           dLarge * 1e6);
    printf("ratio (2000 / 200 per section): %.2f  (linear: at most 1.5)\n", dLarge / dSmall);
    DeleteFileA(szSmall);
    DeleteFileA(szLarge);
    return dLarge / dSmall <= 1.5 ? 0 : 2;
}
