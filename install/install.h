/* Path and file utilities used across the program. */
#ifndef KSTL8_INSTALL_H
#define KSTL8_INSTALL_H

#include <windows.h>
#include <stddef.h>

/* Backup methods ([Config] BackUpMethod). */
#define BACKUP_PROMPT    500
#define BACKUP_ORIEXT    501
#define BACKUP_UNIQUE    502
#define BACKUP_TIME      503
#define BACKUP_DATE      504
#define BACKUP_DATETIME  505
#define BACKUP_NOMOD     506

/* ---- fileutil.cpp ---- */
/* Join a directory and a name with exactly one backslash; FALSE when the
   result does not fit (the output is then empty). */
BOOL fnMakePath(const char *lpszDir, const char *lpszName, char *lpszOut, size_t cchOut);
/* The text after the last \, / or : (the whole path when there is none). */
const char *fnGetFilePart(const char *lpszPath);
/* The text before the last separator; a drive root keeps its backslash. */
BOOL fnGetDirPart(const char *lpszPath, char *lpszOut, size_t cchOut);
/* The extension after the last dot of the file name, or "". */
const char *fnGetExtension(const char *lpszPath);
BOOL fnFileExists(const char *lpszPath);
BOOL fnPathExists(const char *lpszPath);
BOOL fnDirExists(const char *lpszPath);
/* The system's drive type for the drive of the path (DRIVE_* values). */
UINT fnGetDriveType(const char *lpszPath);
/* Create every missing directory of the path. */
BOOL fnCreateDirTree(const char *lpszPath);
/* Free backup or unique name for lpszName in lpszDir: 1 the name itself
   is free, 2 a backup name was found, 0 none is free. */
int fnUniqueFileName(const char *lpszDir, const char *lpszName, char *lpszOut, size_t cchOut);
/* Read a whole file into a new block of at most cbMax-1 bytes, ended by a
   zero byte; *lpcbRead gets the byte count.  NULL when it can't be read. */
char *fnReadWholeFile(const char *lpszPath, DWORD cbMax, DWORD *lpcbRead, BOOL *lpbCut);
/* Write a block to a file through a temporary file beside it, so the
   target is either untouched or completely rewritten. */
BOOL fnWriteFileSafely(const char *lpszPath, const void *lpData, DWORD cbData);
/* Short (8.3) and long forms of an existing path, in lpszOut. */
BOOL fnGetShortPathName(const char *lpszLong, char *lpszOut, size_t cchOut);
BOOL fnGetLongPathName(const char *lpszShort, char *lpszOut, size_t cchOut);

/* ---- version.cpp ---- */
/* The "FileVersion", "ProductVersion" and "LegalCopyRight" strings of a
   file's version resource; any output may be NULL and is emptied first. */
BOOL fnGetFileVersion(const char *lpszFile, char *lpszFileVer, size_t cchFileVer,
                      char *lpszProductVer, size_t cchProductVer, char *lpszCopyright,
                      size_t cchCopyright);
/* Compare the version resources of the new file and the existing one:
   0 identical, 1 no memory or a failed read, 2 one has none, 3 the source
   or 4 the target cannot be read, 5 the fixed blocks cannot both be read,
   6 different, 7 the source is older, 8 flags, 9 systems, 10 languages. */
UINT fnCmpFileVersionInfo(const char *lpszSource, const char *lpszTarget);
/* The translation of a resource as text ("040904e4"), "040904E4" without. */
void fnTranslationText(void *lpBlock, char *lpszOut, size_t cchOut);
/* The words for the set file flags, or "No flags". */
void fnVersionFlagsText(DWORD dwFlags, char *lpszOut, size_t cchOut);
/* The file type, with the subtype in brackets for drivers, fonts and
   virtual devices. */
void fnVersionTypeText(DWORD dwType, DWORD dwSubtype, char *lpszOut, size_t cchOut);
/* Fill a list box with the file's version data; FALSE (and one line
   saying so) when it has none. */
BOOL fnFillVersionList(const char *lpszFile, HWND hList);

#endif
