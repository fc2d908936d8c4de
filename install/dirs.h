/* Directory sections, disk-space sections and the free-space test. */
#ifndef KSTL8_DIRS_H
#define KSTL8_DIRS_H

#include <windows.h>
#include <stddef.h>

/* A directory section reads at most this many lines. */
#define MAX_DIR_LINES 64

/* fnInfGetDir results besides TRUE and FALSE. */
#define GETDIR_END   0      /* no such line */
#define GETDIR_SKIP  4      /* not a directory line: ExpandDelims or a false test */

/* fnCreateDirectories results. */
#define MAKEDIRS_DONE    1
#define MAKEDIRS_FAILED  2  /* a tree failed, or the user cancelled */

/* Create the directories of a directory section found in lpszText (or,
   when it is missing there, in lpszText2) under g_szDestDir, with the
   progress window and logging.  TRUE when missing, empty or done. */
BOOL fnMakeDirsSection(HWND hWnd, char *lpszText, char *lpszText2, const char *lpszName);
/* The directory pass of the to-disk copy: the same without progress
   window and without logging. */
BOOL fnMakeDiskDirs(HWND hWnd, char *lpszText, const char *lpszName);
/* Free-space test: TRUE when lpszPath's drive has dwNeeded bytes free,
   or the user chose to go on (messages 1052, 1051, 1047). */
BOOL fnTestFreeSpace(HWND hWnd, const char *lpszPath, DWORD dwNeeded, DWORD dwMinimum,
                     BOOL bWinDrive);

/* Line n (from 1) of the section text lpszSection: GETDIR_END, GETDIR_SKIP,
   or TRUE with the directory field in lpszDir (FALSE when the line has
   none, or it does not fit). */
int fnInfGetDir(char *lpszSection, int n, char *lpszDir, size_t cchDir);
/* Create the directories of the first uLines lines of lpszSection, each
   in turn made the current directory.  hWndProgress may be NULL; with
   bProgress its meter moves from uBase and its Cancel stops the work.
   MAKEDIRS_DONE or MAKEDIRS_FAILED. */
int fnCreateDirectories(HWND hWnd, HWND hWndProgress, char *lpszSection, const char *lpszName,
                        UINT uLines, UINT uBase, BOOL bProgress, BOOL bLog);
/* A disk-space section found in lpszText: the measured (or given) need
   goes to *lpdwNeeded, capped at 0xFFFFFFFF.  FALSE on a bad line, a
   missing Path (1036) or a measure of 0. */
BOOL fnCheckDiskSpace(HWND hWnd, char *lpszText, DWORD *lpdwNeeded, const char *lpszName);
/* Bytes the files matching lpszPattern ("*.*" when empty) under lpszPath
   hold: on disk (whole clusters) with bSpaceUsed, else their sizes.
   0 for an empty path or when the drive can't be asked. */
ULONGLONG fnGetDirSpaceInUse(const char *lpszPath, const char *lpszPattern,
                             const char *lpszSkipDirs, BOOL bSpaceUsed, BOOL bEntireTree);
/* Add the sizes of the matching files to *lpullSize and their on-disk
   sizes to *lpullUsed; with bRecurse also of every subdirectory not in
   the comma list lpszSkipDirs.  0 failure, 1 done, 2 nothing to descend
   into.  A directory without a match is not a failure. */
int fnBytesUsedByFiles(const char *lpszPath, const char *lpszPattern, const char *lpszSkipDirs,
                       BOOL bRecurse, DWORD dwCluster, ULONGLONG *lpullSize,
                       ULONGLONG *lpullUsed);
/* ullValue rounded up to a multiple of dwUnit; 0 when dwUnit is 0. */
ULONGLONG fnRoundUp(ULONGLONG ullValue, DWORD dwUnit);
/* Cluster size of the drive that holds lpszPath; 0 when it can't be asked. */
DWORD fnGetClusterSize(const char *lpszPath);
/* The drive part of a path for messages: "C:" or "\\server\share". */
BOOL fnGetDriveName(const char *lpszPath, char *lpszOut, size_t cchOut);

/* The free-space query these tests use; tests put their own here. */
typedef DWORD (*PFNGETDISKSPACE)(const char *lpszPath);
extern PFNGETDISKSPACE g_pfnGetDiskSpace;

#endif
