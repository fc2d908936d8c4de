/* FIXME: stand-in until macro expansion lands; expands nothing. */
#include "macro.h"
int fnExpandOpts(char *lpszText, size_t cchText)
{
    (void)lpszText;
    (void)cchText;
    return MACRO_NONE;
}
