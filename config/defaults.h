/* [ReadDefaults]: values read out of existing INI or text files into the
 * ten default-setting slots that macros offer to later values. */
#ifndef KSTL8_DEFAULTS_H
#define KSTL8_DEFAULTS_H

#include <windows.h>
#include <stddef.h>

#define DEFAULT_SLOTS      10   /* g_szDefaultSetting[10][128] */
#define DEFAULT_VALUE_MAX  1024 /* what one read may give before it goes to its slot */

/* ---- readdefaults.cpp ---- */
/* [ReadDefaults], [ReadIniFiles], [ReadDefaultSettings]: always 1 (go on). */
int fnInfReadDefaults(HWND hWnd, char *lpszText);
/* Fill the slots from slot 0 with the lines from lpszFirstLine on; at
   most ten value lines are read.  A value longer than 127 characters is
   cut inside its slot (slots are only offered to later values).  TRUE. */
BOOL fnReadIniFiles(HWND hWnd, char *lpszFirstLine);
/* Read one value as text by type F, M, S, O, P, C or N (any other letter
   reads nothing) from the scope lpszSection of lpszFile ("" for the whole
   file).  lpszOption is the text the value must hold (M, S) or the end
   mark of the section (O).  TRUE when a non-empty value was found; it is
   then in lpszOut without its line end. */
BOOL fnReadTextIniValue(const char *lpszFile, const char *lpszSection, const char *lpszKey,
                        char cType, const char *lpszOption, char *lpszOut, size_t cchOut);

#endif
