/* Copy sections: install lines and to-disk lines. */
#ifndef KSTL8_COPYLIST_H
#define KSTL8_COPYLIST_H

#include <windows.h>
#include <stddef.h>
#include "engine.h"

#define COPY_MAX_LINES 9000     /* file lines a copy section may hold */

/* Results of the line readers. */
#define CL_BAD   0
#define CL_READ  1
#define CL_END   2

/* A cursor over the file lines of a section: it only moves forward, so
   reading line n after line n-1 costs one line, whatever n is. */
struct CopyCursorStruct {
    char *lpszFirst;    /* the first file line (after the header keys) */
    char *lpszPos;      /* the position after line uLine */
    UINT uLine;         /* number of the line read last, 0 before the first */
};

/* Settings from a copy section's header lines and from [CopyConfig]. */
struct CopyHeaderStruct {
    BOOL bTotalFiles;               /* TotalFiles given with a non-zero number */
    UINT uTotalFiles;
    BOOL bBeQuiet;                  /* BeQuiet given */
    BOOL bQuietValue;               /* its value: Y */
    char szDisksSection[128];       /* "[Disks]" unless DisksSection names another */
    char szDirsSection[128];        /* "[MakeDirs]" unless DirsSection names another */
};

/* Where a join of split files stands. */
#define JOIN_NONE      0    /* no join is open */
#define JOIN_OPEN      1    /* parts go to szJoinTmp */
#define JOIN_ABANDONED 2    /* a part failed: the rest of the join is passed by */

/* One copy section while it runs. */
struct CopySectStruct {
    HWND hWnd;
    HWND hWndStatus;                /* the progress window when it is used, else NULL */
    char szName[128];               /* "[Files]" */
    CopyCursorStruct cur;
    CopyHeaderStruct hdr;
    UINT uMaxLines;
    UINT uMaxFiles;
    char *lpszDisks;                /* the disks section's lines, or NULL */
    UINT uJoin;                     /* JOIN_* */
    char szJoinTmp[260];
    char szJoinDstDir[260];
    char szJoinDstName[260];
    IFStruct ifs;
};

/* ---- copylist.cpp: the section entries ---- */
/* Carry out a [Files]/[CopyFiles] section, or a [MakeDisks]/
   [CopyFilesToDisk] section, found by name in the script text.  TRUE when
   every line was done (or the section is missing or empty). */
BOOL fnInfCopyFilesSection(HWND hWnd, HWND hWndStatus, char *lpszText, const char *lpszName);
BOOL fnInfCopyFilesToDisks(HWND hWnd, HWND hWndStatus, char *lpszText, const char *lpszName);
/* Steps shared by both kinds of section: find it, read its header and
   [CopyConfig], count, set up the progress window.  1 go on, 2 nothing to
   do (TRUE), 0 failed. */
int fnStartCopySection(HWND hWnd, HWND hWndStatus, char *lpszText, const char *lpszName,
                       BOOL bDiskFormat, CopySectStruct *lpS);
/* Move the meter of the progress window (nothing without one). */
void fnSetCopyMeter(HWND hWndStatus, UINT uPos);
/* Show message 1046 for line uLine of the section; FALSE for the caller. */
BOOL fnBadCopyLine(UINT uLine, const char *lpszName);
/* The disk name of the line's disk id into the record. */
void fnSetDiskName(CopySectStruct *lpS);
/* Create the tree of szDstDir (1072 or 1054 when it can't be) and resolve
   szSrcFilePath.  FALSE when the section must stop. */
BOOL fnPrepareCopyDirs(CopySectStruct *lpS);
/* A wildcard line: its matches one by one.  FALSE when the section stops. */
BOOL fnCopyWildLine(CopySectStruct *lpS);

/* ---- copyline.cpp: lines, fields, codes ---- */
void fnInitCopyCursor(CopyCursorStruct *lpCur, char *lpszFirst);
/* File line uLine (from 1) into lpszLine; FALSE when there is none. */
BOOL fnGetCopyLine(CopyCursorStruct *lpCur, UINT uLine, char *lpszLine, size_t cchLine);
/* Decode the three code fields of a format A line into the record.
   FALSE when a field holds more than four letters (after the '+'). */
BOOL fnDecodeCopyCodes(const char *lpszCodes1, const char *lpszCodes2, const char *lpszCodes3,
                       IFStruct *lpIF);
/* One format A line (text of the line) into the record: CL_BAD or
   CL_READ; *lpnCond gets COND_NONE, COND_HOLDS or COND_FAILS. */
int fnParseCopyLine(HWND hWnd, const char *lpszLine, IFStruct *lpIF, int *lpnCond);
/* One format B line into the record, with the bytes it needs on the
   target disk and whether a new disk is asked for first. */
int fnParseDiskLine(HWND hWnd, const char *lpszLine, IFStruct *lpIF, DWORD *lpdwBytes,
                    BOOL *lpbSwitch, int *lpnCond);
/* Read line uLine of the section: CL_BAD, CL_READ or CL_END. */
int fnReadCopyFiles(HWND hWnd, CopyCursorStruct *lpCur, UINT uLine, IFStruct *lpIF,
                    int *lpnCond);
int fnReadCopyFilesToDisks(HWND hWnd, CopyCursorStruct *lpCur, UINT uLine, IFStruct *lpIF,
                           DWORD *lpdwBytes, BOOL *lpbSwitch, int *lpnCond);
/* A source directory as the copy uses it: "." is g_szSourceDir, one
   without drive lies under g_szSourceDir.  FALSE when it does not fit. */
BOOL fnResolveSourceDir(char *lpszDir, size_t cchDir);
/* TRUE when the name holds * or ?. */
BOOL fnIsWildName(const char *lpszName);

/* ---- copysect.cpp: header keys, [CopyConfig], counting, disks ---- */
/* Read the header keys from lpszFirst; returns the first file line. */
char *fnReadCopyHeader(char *lpszFirst, CopyHeaderStruct *lpHdr, BOOL bDiskFormat);
/* [CopyConfig] of the script: FilesToCopy (0 counts) and BeQuiet. */
void fnReadCopyConfig(CopyHeaderStruct *lpHdr);
/* A section of the script (the part the walk shows, then the rest after
   the running section): the position after its header, or NULL. */
char *fnFindScriptSection(const char *lpszHeader);
/* Count the files of up to uLimit lines from lpszFirst: wildcard lines
   count their matches (and with + those in every subdirectory). */
UINT fnCountCopyFiles(HWND hWnd, char *lpszFirst, UINT uLimit);
/* The first field of the line keyed lpszDiskID in the disks section
   (position after its header), macro-expanded.  FALSE when not found. */
BOOL fnLookupDiskName(char *lpszDisks, const char *lpszDiskID, char *lpszOut, size_t cchOut);
/* File lines from lpszFirst, counting stops after uMax. */
UINT fnCountFileLines(char *lpszFirst, UINT uMax);

/* ---- wildcard.cpp ---- */
/* Files (not directories) matching lpszSpec in lpszDir, and with
   bRecurse in every subdirectory below it. */
UINT fnCountWildFiles(const char *lpszDir, const char *lpszSpec, BOOL bRecurse);
/* Install every file matching szWildSpec in szSrcFilePath into szDstDir,
   and with bRecurse the subdirectory trees too.  0 stopped (cancel, an
   install said stop, a directory failed), 1 done, 2 done and the
   subdirectory search found nothing.  The record's directories and names
   are as at entry when it returns. */
int fnWildInstallFiles(HWND hWnd, IFStruct *lpIF);
/* Create szDstDir\lpszSubDir and install the matches of szSrcFilePath\
   lpszSubDir there.  FALSE when the directory can't be made or the
   install stopped. */
BOOL fnWildInstallDirectory(HWND hWnd, IFStruct *lpIF, const char *lpszSubDir);

#endif
