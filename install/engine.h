/* The install-file record and the engine that installs one file: finding
 * the source and existing copies, the version rules, backups, unique
 * names and replacement at restart. */
#ifndef KSTL8_ENGINE_H
#define KSTL8_ENGINE_H

#include <windows.h>
#include <stddef.h>

/* Install modes (code field 1, letter 1). */
#define IM_N 100
#define IM_S 101
#define IM_V 102
#define IM_T 103
#define IM_M 104
#define IM_A 105        /* A and U: copy as is */
#define IM_R 108
#define IM_K 109
/* In-use actions (code field 1, letter 2). */
#define IU_P 100
#define IU_C 101
#define IU_R 102
#define IU_S 103
/* Version actions (code field 1, letter 3). */
#define VA_ASK 100
#define VA_C   101
#define VA_I   102
#define VA_K   103
/* Copy modes (code field 2, letters 1 and 2). */
#define CM_N 100
#define CM_D 101
#define CM_R 102
#define CM_S 103
#define CM_V 104
#define CM_F 105
#define CM_C 106
#define CM_P 107
#define CM_Q 108        /* ? */
#define CM_W 109
#define CM_J 110
/* Exist actions (code field 3, letter 1). */
#define EA_N 100
#define EA_B 101
#define EA_U 102
#define EA_S 103
#define EA_P 104
#define EA_K 105
/* Parts of a split file. */
#define JP_NONE  100
#define JP_MID   101
#define JP_FIRST 102
#define JP_LAST  103

/* One file to install; a copy section owns one for all its lines. */
struct IFStruct {
    HWND hWndStatus;            /* progress window of the run, or NULL */
    UINT uFileNum;              /* 1-based; the meter's position */
    UINT uInstallMode;
    UINT uInUseAction;
    UINT uVerAction;
    UINT uCopyMode;
    UINT uJoinCopyMode;
    UINT uExistAction;
    BOOL bKeepAttrib;
    BOOL bPromptDisk;
    UINT uJoinPart;
    BOOL bRecurse;
    BOOL bQuiet;
    char szDiskID[8];
    char szCurDir[260];
    char szDstDir[260];
    char szDstFileName[260];
    char szSrcFilePath[260];
    char szSrcFileName[260];
    char szSrcFileSpec[260];
    char szDstFileSpec[260];
    char szBackupFile[260];
    char szWildSpec[260];
    char szSuggestDstDir[260];
    char szDescription[80];
    char szDiskName[80];
};

/* Install result bits (the layout of the system's version-install result). */
#define IR_TEMPFILE      0x00001
#define IR_MISMATCH      0x00002
#define IR_SRCOLD        0x00004
#define IR_DIFFLANG      0x00008
#define IR_DIFFCODEPG    0x00010
#define IR_DIFFTYPE      0x00020
#define IR_WRITEPROT     0x00040
#define IR_FILEINUSE     0x00080
#define IR_OUTOFSPACE    0x00100
#define IR_ACCESSVIOL    0x00200
#define IR_SHARINGVIOL   0x00400
#define IR_CANNOTCREATE  0x00800
#define IR_CANNOTDELETE  0x01000
#define IR_CANNOTRENAME  0x02000
#define IR_OUTOFMEMORY   0x08000
#define IR_CANNOTREADSRC 0x10000
#define IR_CANNOTREADDST 0x20000
/* Install flags. */
#define IF_FORCEINSTALL  1
#define IF_DONTDELETEOLD 2

/* The last install result, read by the messages. */
extern DWORD g_dwInstallResult;

/* Install one file: 0 installed, 1 skipped, 2 stop the section. */
int fnInstallFileVer(HWND hWnd, IFStruct *lpIF);
/* Where and how: 0 install, 11 stop, 12 skip, 13 into the old copy's
   directory, 14 keep old copies, 15 stop, 16 Windows directory, 17 the
   destination directory keeping old copies. */
int fnFindFileInfoVer(HWND hWnd, IFStruct *lpIF);
/* 0 done, 11 stop, 12 skip, 13 source not found, 14 target in use. */
int fnInstallFile(HWND hWnd, DWORD dwFlags, IFStruct *lpIF, char *lpszTmpFile, size_t cchTmp);
DWORD fnVerInstallFile(DWORD dwFlags, const char *lpszSrcName, const char *lpszDstName,
                       const char *lpszSrcDir, const char *lpszDstDir, const char *lpszCurDir,
                       char *lpszTmpFile, size_t cchTmp, UINT uInstallMode, BOOL bKeepAttrib);
DWORD fnCopyFileAsIs(const char *lpszReadDir, const char *lpszReadName, const char *lpszWriteDir,
                     const char *lpszWriteName, BOOL bKeepAttrib);
DWORD fnExpandFile(const char *lpszSrcDir, const char *lpszSrcName, const char *lpszDstDir,
                   const char *lpszDstName, BOOL bKeepAttrib);
DWORD fnAppendToFile(const char *lpszReadFile, const char *lpszWriteFile);
/* 1 skipped, 2 stop, 3 look again (the source directory and name may
   have been changed by the user). */
int fnInsertDisk(HWND hWnd, HWND hWndStatus, UINT uFileNum, BOOL bPrompt, const char *lpszDiskName,
                 char *lpszSrcDir, size_t cchSrcDir, char *lpszSrcName, size_t cchSrcName);
/* Is a system error a sign that the file is in use?  With bPrompt, the
   in-use dialog's choice (101-104, 2); else 201 in use, 202 not. */
int fnTestInUse(HWND hWnd, BOOL bPrompt, DWORD dwError, const char *lpszFile);

/* Choices of the in-use dialog (6). */
#define INUSE_AGAIN   101       /* attempt to install the file again */
#define INUSE_RESTART 102       /* install and replace at the next start */
#define INUSE_SKIP    103
#define INUSE_EXIT    104
/* Choices of the exists-elsewhere dialog (9). */
#define ELSE_KEEP     103       /* install, keep the other copy */
#define ELSE_DELETE   104       /* install, delete the other copy */
#define ELSE_REPLACE  105       /* install into the other copy's directory */
#define ELSE_SKIP     106
#define ELSE_EXIT     107
/* Choices of the already-exists dialog (10). */
#define EXISTS_BACKUP 102
#define EXISTS_UNIQUE 103
#define EXISTS_OVER   104
#define EXISTS_SKIP   105
#define EXISTS_EXIT   106

/* ---- engine.cpp: seams a test or a later unit replaces ---- */
/* Every dialog the engine opens (5, 6, 7, 9, 10) runs through this;
   fnDialogBox by default.  Quiet runs never call it. */
typedef INT_PTR (*PFNENGINEDIALOG)(HWND hWndOwner, UINT uTemplate, DLGPROC pfnProc,
                                   LPARAM lParam);
extern PFNENGINEDIALOG g_pfnEngineDialog;
/* In-use action C: close the program that holds the file; TRUE when it
   was closed.  NULL (the default) means no program can be closed. */
typedef BOOL (*PFNCLOSEFILEOWNER)(HWND hWnd, const char *lpszFile);
extern PFNCLOSEFILEOWNER g_pfnCloseFileOwner;
/* The platform's search for an installed copy (VerFindFileA). */
typedef DWORD(WINAPI *PFNVERFINDFILE)(DWORD uFlags, LPSTR lpszFileName, LPSTR lpszWinDir,
                                      LPSTR lpszAppDir, LPSTR lpszCurDir, PUINT lpuCurDirLen,
                                      LPSTR lpszDestDir, PUINT lpuDestDirLen);
extern PFNVERFINDFILE g_pfnVerFindFile;
/* The in-use dialog for a file; a quiet run takes INUSE_RESTART unseen. */
int fnAskInUse(HWND hWnd, const char *lpszFile);

/* ---- verinst.cpp ---- */
/* One file under two spellings: full, long forms compared without case. */
BOOL fnSamePath(const char *lpszFirst, const char *lpszSecond);

/* ---- conflict.cpp: the version-conflict dialog (7) ---- */
struct VersionConflictStruct {
    char szExisting[260];       /* the existing file */
    char szSource[260];         /* the new file's source */
    char szTemp[260];           /* the temporary copy of the new file */
    char szDstName[260];        /* the destination file name */
    DWORD dwResult;             /* install result bits */
};
/* The conflict text for the result bits (1134-1138), 0 without a
   version bit. */
UINT fnConflictTextId(DWORD dwResult);
INT_PTR CALLBACK VersionConflictDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);
/* Run dialog 7: 7 keep, 6 install, 3 exit; a quiet run keeps (7) unseen,
   and any other end counts as keep. */
int fnShowVersionConflict(HWND hWnd, const VersionConflictStruct *lpConflict);

#endif
