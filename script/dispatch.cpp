/* Section dispatch and the small section readers the opening sections use. */
#include "script.h"
#include "../shell/shell.h"
#include "../startup/startup.h"
#include <string.h>

BOOL fnGetSectionName(const char *lpszSection, char *lpszOut, size_t cchOut)
{
    if (cchOut)
        lpszOut[0] = '\0';
    if (!lpszSection || lpszSection[0] != '[')
        return FALSE;
    /* The name ends at the first ']' of the header line, never beyond it. */
    size_t i = 1;
    while (lpszSection[i] && lpszSection[i] != ']' && lpszSection[i] != '\r' &&
           lpszSection[i] != '\n')
        i++;
    if (lpszSection[i] != ']')
        return FALSE;
    if (i + 2 > cchOut) {
        fnDebugTrace("fnIsInfSection", "Section name too long:\n%.60s", lpszSection);
        return FALSE;
    }
    memcpy(lpszOut, lpszSection, i + 1);
    lpszOut[i + 1] = '\0';
    return TRUE;
}

/* FIXME: until the name lists and their handlers arrive, every section is
   bracketed in the log and goes on. */
int fnParseInfSection(HWND hWnd, char *lpszSection, UserInputStruct *lpUI)
{
    (void)hWnd;
    (void)lpUI;
    char szName[KSTL8_SHORT];
    if (!fnGetSectionName(lpszSection, szName, sizeof(szName)))
        return SECTION_GOON;
    fnPumpMessages();
    fnDebugTrace("fnParseInfSection", "Section=%s", szName);
    fnLogWrite(TRUE, "\r\n%s", szName);
    return SECTION_GOON;
}

static BOOL fnIsBreak(char c)
{
    return c == '\r' || c == '\n';
}

char *fnLocateSection(char *lpszText, const char *lpszName)
{
    size_t cchName = strlen(lpszName);
    char *p = lpszText;
    while (p && *p) {
        while (*p == ' ' || *p == '\t')
            p++;
        if (*p == '[' && fnStrCmpNI(p + 1, lpszName, cchName) == 0 && p[cchName + 1] == ']') {
            while (*p && !fnIsBreak(*p))
                p++;
            while (fnIsBreak(*p))
                p++;
            return p;
        }
        while (*p && !fnIsBreak(*p))
            p++;
        while (fnIsBreak(*p))
            p++;
    }
    return NULL;
}

char *fnNextSectionLine(char *lpszPos, char *lpszLine, size_t cchLine)
{
    lpszLine[0] = '\0';
    char *p = lpszPos;
    while (p && *p) {
        while (*p == ' ' || *p == '\t' || fnIsBreak(*p))
            p++;
        if (*p == '[' || !*p)
            return NULL;
        char *lpszStart = p;
        while (*p && !fnIsBreak(*p))
            p++;
        if (*lpszStart == ';')
            continue;
        /* Keep the first cchLine-1 characters; the tail of a long line is
           skipped, never read as a line of its own. */
        size_t cch = (size_t)(p - lpszStart);
        if (cch >= cchLine) {
            fnDebugTrace("fnNextSectionLine", "Line cut at %u characters", (UINT)(cchLine - 1));
            cch = cchLine - 1;
        }
        memcpy(lpszLine, lpszStart, cch);
        lpszLine[cch] = '\0';
        return p;
    }
    return NULL;
}
