/* [SetEnvironment]: environment variables set, extended or removed in the
 * registry (user or system environment) and as "set" or PATH lines of
 * AUTOEXEC.BAT. */
#ifndef KSTL8_ENVIRONMENT_H
#define KSTL8_ENVIRONMENT_H

#include <windows.h>
#include <stddef.h>

/* The batch file the AUTOEXEC.BAT changes go to ("C:\AUTOEXEC.BAT"). */
extern char g_szAutoExecFile[260];

/* What lives for one section's AUTOEXEC.BAT lines. */
struct AutoExecStateStruct {
    BOOL bFirstLine;            /* the next bAuto line is the section's first */
    char szModCopy[260];        /* under NOMOD: the .MOD copy every edit goes to */
};

/* ---- environment.cpp ---- */
/* [SetEnvironment]: 1 to go on, 0 when a line stopped the section. */
int fnInfSetEnvironment(HWND hWnd, char *lpszText);
/* Process the lines from lpszFirstLine on.  FALSE when the user chose to
   stop or a line lacks its test value or its name. */
BOOL fnReadSetEnvironment(HWND hWnd, char *lpszFirstLine);
/* Change the variable in the user (bUser) or system environment of the
   registry by the action letter; with bMulti the value is one entry of a
   ";" list.  The stored value is read whole and edited as stored (an
   expandable value keeps its references and its type).  On a change the
   running process gets the effective value and the top-level windows are
   told.  TRUE on success, or when the action has nothing to do. */
BOOL fnSetRegEnvironment(const char *lpszKey, const char *lpszValue, const char *lpszAction,
                         BOOL bMulti, BOOL bUser);
/* Change the variable in g_szAutoExecFile: a PATH line edit for PATH, a
   "set NAME=value" line otherwise; the file is backed up on the section's
   first line.  TRUE on success or when the user chose to go on; with
   bQuiet nothing is asked. */
BOOL fnSetAutoExecEnvironment(HWND hWnd, const char *lpszKey, const char *lpszValue,
                              const char *lpszAction, BOOL bQuiet, AutoExecStateStruct *lpState);
/* The list lpszList (";"-separated) with lpszEntry placed by the action
   letter, in a new block (free with free()); NULL when out of memory.
   *lpbChanged tells whether the list is different. */
char *fnEditEnvList(const char *lpszList, const char *lpszEntry, char cAction, BOOL *lpbChanged);

#endif
