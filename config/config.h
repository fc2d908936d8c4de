/* Configuration files: [IniEdits] (profile and text edits, PATH lines of
 * batch files, backups of the files before their first change). */
#ifndef KSTL8_CONFIG_H
#define KSTL8_CONFIG_H

#include <windows.h>
#include <stddef.h>

#define CFG_LINE      1024  /* a line of a configuration file, with its line end */
#define CFG_SECTION   128   /* the section field of an [IniEdits] line */
#define CFG_KEY       80    /* the key field */

/* ---- iniedit.cpp ---- */
/* [IniEdits]: edits every line of the section; always 1 (go on). */
int fnInfIniEdits(HWND hWnd, char *lpszText);
/* Process the lines of the section from lpszFirstLine on.  FALSE when a
   line's answer stopped the section. */
BOOL fnReadIniEdits(HWND hWnd, char *lpszFirstLine);

/* ---- textedit.cpp ---- */
/* Copy lpszFile to lpszTempFile with one edit made: lpszType is the type
   letter (and an optional "\" that the caller has already applied),
   cAction the action letter, lpszOption the option ("" for none).
   Writes the install-log records.  FALSE when a file cannot be opened,
   read or written, or a line would not fit: the temporary copy is then
   incomplete and must not be used. */
BOOL fnEditIniLine(const char *lpszFile, const char *lpszTempFile, const char *lpszSection,
                   const char *lpszKey, const char *lpszValue, const char *lpszType,
                   char cAction, const char *lpszOption);

/* ---- editpath.cpp ---- */
/* The directory list after a PATH prefix of lpszLine (no leading blanks),
   or NULL when the line is no PATH line. */
const char *fnFindPathLine(const char *lpszLine);
/* The whole entry lpszEntry (ending in ";") in a list that ends in ";",
   ignoring case: TRUE with the offsets of the entry and of the text after
   it.  An empty entry never matches. */
BOOL fnFindListEntry(const char *lpszList, const char *lpszEntry, size_t *lpuStart,
                     size_t *lpuEnd);
/* Copy lpszFile to lpszTempFile with the PATH lines edited: lpszPrefix is
   the prefix of the rebuilt lines ("SET PATH="), lpszKey the directory to
   find, lpszValue the directory to add, cAction the action and lpszOption
   where a new PATH line goes (A, B, else the end).  As fnEditIniLine. */
BOOL fnEditPath(const char *lpszFile, const char *lpszTempFile, const char *lpszPrefix,
                const char *lpszKey, const char *lpszValue, char cAction,
                const char *lpszOption);

/* ---- backup.cpp ---- */
/* Back up lpszFile (the full path; lpszName its file name, lpszDir its
   directory) by the backup method uMethod (BACKUP_*), at most once per
   run.  lpszCopy gets the path of the copy ("" when none was made): the
   .MOD copy that NOMOD edits go to.  Under NOMOD a missing file gets an
   empty .MOD copy, so the edit never reaches the file itself.  FALSE when
   the user chose to stop, or the backup directory cannot be made. */
BOOL fnBackupConfigFile(HWND hWnd, const char *lpszFile, const char *lpszName,
                        const char *lpszDir, UINT uMethod, char *lpszCopy, size_t cchCopy);
/* Forget the backups of this run (the start of a run; tests). */
void fnResetConfigBackups(void);

#endif
