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

/* ---- pathutil.cpp: path strings and names ---- */
/* Every output of these functions is a buffer of KSTL8_PATH (260) bytes
   unless a size is passed with it. */
/* Remove the quotes (" or ') around a path, in place; returns lpszPath. */
char *fnStripQuotes(char *lpszPath);
/* Name plus "." plus extension (one leading dot of the extension
   dropped).  FALSE, output untouched, for an empty name; FALSE, output
   empty, when the result does not fit. */
BOOL fnAddExtension(char *lpszOut, size_t cchOut, const char *lpszName, const char *lpszExt);
/* Split a path (unquoted in place) into the requested parts, each NULL
   or a KSTL8_PATH buffer: drive, directory without drive, base name,
   extension, file name, directory with drive.  FALSE when a requested
   part is missing. */
BOOL fnSplitPath(char *lpszPath, char *lpszDrive, char *lpszDir, char *lpszBase,
                 char *lpszExt, char *lpszFile, char *lpszDirDrive);
/* "X:..." or "\\...". */
BOOL fnIsFullPath(const char *lpszPath);
/* Begins with two slashes, .\ ./ ..\ ../, is "." or "..", or "X:". */
BOOL fnIsQualifiedPath(const char *lpszPath);
BOOL fnIsDotDir(const char *lpszName);
/* The path without its first character and the run of : and \ after it. */
BOOL fnSkipDrive(const char *lpszPath, char *lpszOut, size_t cchOut);
/* TRUE when the path's drive exists; else message 1071 (bEnterAnother)
   or 1072 and FALSE. */
BOOL fnTestDrive(HWND hWnd, const char *lpszPath, BOOL bEnterAnother);
/* A new empty temporary file in lpszDir named with the prefix. */
BOOL fnGetTempFileName(const char *lpszDir, const char *lpszPrefix, char *lpszOut, size_t cchOut);
/* The same in the system temporary directory (C:\ when there is none);
   lpszTempDir, when given, gets that directory. */
BOOL fnGetTempFile(const char *lpszPrefix, char *lpszOut, size_t cchOut, char *lpszTempDir,
                   size_t cchTempDir);
/* The path itself when free, else the highest free numbered name
   (path.^00-.^99, or with bKeepName dir\base.X00-X99); FALSE when none. */
BOOL fnUniqueShortName(const char *lpszPath, char *lpszOut, size_t cchOut, BOOL bKeepName);
/* Find a source file: as given, in g_szSourceDir, or, for a source
   directory named DISK..., in its parent (lpszFile then gets that path). */
BOOL fnFindSourceFile(char *lpszFile, size_t cchFile);

/* ---- expand.cpp: names of compressed files ---- */
/* The name a compressed file (SZDD or cabinet) has once expanded. */
BOOL fnGetExpandedName(const char *lpszPath, char *lpszOut, size_t cchOut);

/* ---- fileops.cpp: opening, reading, writing, attributes, times ---- */
#define OPEN_READ        0      /* read, share read, existing */
#define OPEN_WRITE       1      /* write, exclusive, existing */
#define OPEN_READWRITE   2      /* read and write, exclusive, existing */
#define OPEN_DELETE      512    /* delete the file: NULL or invalid */
#define OPEN_CREATE      4096   /* read and write, create always */
#define OPEN_APPEND      4097   /* write, open always */
#define OPEN_ALWAYS_RW   4098   /* read and write, open always */
#define OPEN_EXIST       16384  /* existence probe: NULL or invalid */
/* The one place files are opened by name.  Modes 512 and 16384 give
   NULL (no handle to close) on success. */
HANDLE fnOpenFile(const char *lpszPath, UINT uMode);
BOOL fnDeleteFile(const char *lpszPath);
BOOL fnCreateEmptyFile(const char *lpszPath);
DWORD fnGetFileSize(const char *lpszPath);
/* Copy with the system call; the copy is made plain and writable, and
   with bKeepTime gets the source's last-write time. */
BOOL fnCopyFile(const char *lpszSource, const char *lpszTarget, BOOL bFailIfExists,
                BOOL bKeepTime);
BOOL fnCopyFileTo(const char *lpszSource, const char *lpszName, const char *lpszDir);
/* 0 written (or empty), -1 failed. */
int fnWriteToFile(HANDLE hFile, const char *lpszText);
BOOL fnWriteLine(HANDLE hFile, const char *lpszText);
/* One line with its line end into lpszBuf: 0 more lines follow, 1 the
   last line (or end of file), -1 the line does not fit or seeking failed.
   A NUL byte ends a line too; *lpbNul (optional) is then set. */
int fnReadFileLine(HANDLE hFile, char *lpszBuf, size_t cbBuf, BOOL *lpbNul = NULL);
BOOL fnSeekStart(HANDLE hFile);
BOOL fnSeekEnd(HANDLE hFile);
BOOL fnSeekBy(HANDLE hFile, LONG lOffset);
BOOL fnGetFileAttrib(const char *lpszPath, DWORD *lpdwAttrib);
/* bAll: no attributes at all; else only the read-only bit is cleared. */
BOOL fnClearFileAttrib(const char *lpszPath, BOOL bAll);
BOOL fnGetFileTime(const char *lpszPath, FILETIME *lpTime);
/* Set the last-write time; the attributes are kept. */
BOOL fnSetFileTime(const char *lpszPath, const FILETIME *lpTime);
/* 0 first unreadable, 1 second unreadable, 2 first later, 3 first
   earlier, 4 equal. */
UINT fnCompareFileTimes(const char *lpszFirst, const char *lpszSecond);
BOOL fnTestWriteToFile(const char *lpszPath);
/* Make an existing file writable, asking 1143 when it is read-only. */
BOOL fnEnableWriteToFile(const char *lpszPath, DWORD *lpdwAttrib);
/* Free bytes for the path's volume, 0xFFFFFFFF when more than 32 bits. */
DWORD fnGetDiskSpace(const char *lpszPath);
/* The extended free-space query is used when the system has it; tests
   clear this to run the classic one. */
extern BOOL g_bUseDiskFreeSpaceEx;
/* Create one directory (an existing one is fine); with bLog a directory
   made now is written to the install log. */
BOOL fnCreateDir(const char *lpszDir, BOOL bLog);
BOOL fnCreateDirTreeLog(const char *lpszPath, BOOL bLog);

/* ---- rename.cpp: renames and replacement at the next start ---- */
/* Move a file onto another, replacing it, by the family's own means. */
BOOL fnMoveReplace(const char *lpszOld, const char *lpszNew);
BOOL fnRename(const char *lpszOld, const char *lpszNew);
/* Arrange for the source to replace the target (NUL: delete the source)
   at the next Windows start: a delayed move on NT, a WININIT.INI
   [rename] line on 9x. */
BOOL fnReplaceFileInUse(const char *lpszSource, const char *lpszTarget);

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
/* The same; *lpdwTargetError (may be NULL) gets the system error of a
   target whose resource could not be sized or read (32: it is locked). */
UINT fnCmpFileVersionInfoErr(const char *lpszSource, const char *lpszTarget,
                             DWORD *lpdwTargetError);
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
