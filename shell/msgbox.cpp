/* Message boxes built from the string table. */
#include "shell.h"
#include "../startup/startup.h"
#include <stdarg.h>

BOOL fnLoadString(UINT uId, char *lpszOut, size_t cchOut)
{
    if (!lpszOut || cchOut == 0)
        return FALSE;
    lpszOut[0] = '\0';
    int cch = LoadStringA(g_hInstance ? g_hInstance : GetModuleHandleA(NULL), uId,
                          lpszOut, (int)(cchOut > 1024 ? 1024 : cchOut));
    return cch > 0;
}

/* Buttons of each message-box type, in the order the system shows them. */
static const int s_anButtons[7][3] = {
    { IDOK, 0, 0 },                     /* MB_OK */
    { IDOK, IDCANCEL, 0 },              /* MB_OKCANCEL */
    { IDABORT, IDRETRY, IDIGNORE },     /* MB_ABORTRETRYIGNORE */
    { IDYES, IDNO, IDCANCEL },          /* MB_YESNOCANCEL */
    { IDYES, IDNO, 0 },                 /* MB_YESNO */
    { IDRETRY, IDCANCEL, 0 },           /* MB_RETRYCANCEL */
    { IDCANCEL, IDTRYAGAIN, IDCONTINUE }, /* MB_CANCELTRYCONTINUE */
};

int fnQuietAnswer(UINT uStyle)
{
    UINT uType = uStyle & MB_TYPEMASK;
    if (uType > 6)
        return IDOK;
    UINT uDef = (uStyle & MB_DEFMASK) >> 8;
    if (uDef > 2 || s_anButtons[uType][uDef] == 0)
        uDef = 0;
    int nAnswer = s_anButtons[uType][uDef];
    /* A quiet run must never loop: "try again" becomes the answer that gives up. */
    if (nAnswer == IDRETRY || nAnswer == IDTRYAGAIN)
        nAnswer = (uType == MB_ABORTRETRYIGNORE) ? IDABORT : IDCANCEL;
    return nAnswer;
}

/* Log text on one line: line breaks become blanks. */
static void fnFlattenText(const char *lpszText, char *lpszOut, size_t cchOut)
{
    size_t j = 0;
    for (size_t i = 0; lpszText[i] && j + 1 < cchOut; i++) {
        char c = lpszText[i];
        if (c == '\r')
            continue;
        lpszOut[j++] = (c == '\n' || c == '\t') ? ' ' : c;
    }
    lpszOut[j] = '\0';
}

static int fnShowBox(int nQuiet, const char *lpszText, const char *lpszCaption, UINT uStyle)
{
    const char *lpszCap = (lpszCaption && *lpszCaption) ? lpszCaption : g_szTitle;
    if (g_bQuiet) {
        int nAnswer = nQuiet ? nQuiet : fnQuietAnswer(uStyle);
        char szFlat[1024];
        fnFlattenText(lpszText, szFlat, sizeof(szFlat));
        fnDebugTrace("fnMessageBox", "Quiet answer %d to:\n%s", nAnswer, lpszText);
        fnLogWrite(TRUE, "Message: %s (answer %d)", szFlat, nAnswer);
        return nAnswer;
    }
    HWND hOwner = GetFocus();
    if (!hOwner)
        hOwner = g_hWndMain ? g_hWndMain : g_hWndOwner;
    return MessageBoxA(hOwner, lpszText, lpszCap, uStyle | MB_TOPMOST | MB_SETFOREGROUND);
}

static int fnMessageBoxV(int nQuiet, UINT uId, const char *lpszCaption, UINT uStyle,
                         va_list args)
{
    char szFormat[1024];
    char szText[1024];
    const char *lpszFormat;
    if (uId) {
        fnLoadString(uId, szFormat, sizeof(szFormat));
        lpszFormat = szFormat;
    } else {
        lpszFormat = va_arg(args, const char *);
    }
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    /* Only string-table texts and the program's own formats reach here. */
    fnStrFormatVN(szText, sizeof(szText), lpszFormat, args);
#pragma GCC diagnostic pop
    return fnShowBox(nQuiet, szText, lpszCaption, uStyle);
}

int fnMessageBox(UINT uId, const char *lpszCaption, UINT uStyle, ...)
{
    va_list args;
    va_start(args, uStyle);
    int nAnswer = fnMessageBoxV(0, uId, lpszCaption, uStyle, args);
    va_end(args);
    return nAnswer;
}

int fnMessageBoxQ(int nQuiet, UINT uId, const char *lpszCaption, UINT uStyle, ...)
{
    va_list args;
    va_start(args, uStyle);
    int nAnswer = fnMessageBoxV(nQuiet, uId, lpszCaption, uStyle, args);
    va_end(args);
    return nAnswer;
}

int fnMessageBoxText(const char *lpszText, const char *lpszCaption, UINT uStyle)
{
    return fnShowBox(0, lpszText ? lpszText : "", lpszCaption, uStyle);
}
