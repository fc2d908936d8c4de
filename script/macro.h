/* Macro expansion: every value taken from the script passes through
 * fnExpandOpts, which replaces macros such as @D (the destination) in place. */
#ifndef KSTL8_MACRO_H
#define KSTL8_MACRO_H

#include <windows.h>
#include <stddef.h>

#define MACRO_NONE    0     /* the text held no macro */
#define MACRO_OK      1     /* every macro gave a value */
#define MACRO_EMPTY  (-1)   /* a macro gave nothing, or the result had to be cut */

#define MACRO_RESULT_MAX 259    /* characters an expansion may hold */

/* Answer tables the input, default, registry and search sections fill. */
extern char g_szAskForResponses[9][128];     /* @A: entry 1 is g_szAskForResponse */
extern char g_szOptionStates[9][6];          /* @B: four "Y"/"N" states per group */
extern char g_szFromComboResponse[9][128];   /* @C */
extern char g_szFromListResponse[9][128];    /* @L */
extern char g_szDefaultSetting[10][128];     /* @P n reads text n-1 */
extern char g_szRegValues[9][1024];          /* @K: "-NOTFOUND-" for a missing value */
extern char g_szDirList[9][260];             /* @D n: entry 1 is the destination */
extern char g_szSourceDirList[9][260];       /* @H n: entry 1 is the source at start-up */
extern char g_szFilePathList[9][260];        /* @F n: nothing fills it */
extern char g_szLaunchDir[260];              /* @E: the current launch directory */
extern char g_szLaunchDirs[10][260];         /* @E n */
extern long g_alResultNumbers[100];          /* @I */
extern char g_szProgramFilesDir[260];
extern char g_szUserProgramsFolder[260];
extern char g_szShortcutFolder[260];         /* @W15 */
extern char g_cMacroChar;                    /* "@" unless ExpandOpt changed it */

/* Expand the macros of lpszText (a buffer of cchText) in place.  Returns
   MACRO_NONE, MACRO_OK or MACRO_EMPTY; the text is expanded as far as it
   goes in every case and never beyond cchText-1 or 259 characters. */
int fnExpandOpts(char *lpszText, size_t cchText);
/* Set the macro character from the first character of a value; an empty
   value leaves it as it is. */
void fnSetMacroChar(const char *lpszValue);
/* Set the field delimiter set (at most 11 characters are kept). */
void fnSetExpandDelims(const char *lpszValue);
/* Remove one trailing slash or backslash; with bKeepRoot only from a
   drive path and never from a root such as "C:\". */
void fnStripTrailingBSlash(char *lpszPath, BOOL bKeepRoot);
/* A shell folder of the current user, or g_szWinDir joined with the
   default string uDefaultId.  TRUE when it came from the registry. */
BOOL fnGetShellFolder(const char *lpszValueName, char *lpszOut, size_t cchOut, UINT uDefaultId);
/* Reset the answer tables at the start of a run. */
void fnInitMacroTables(void);

#endif
