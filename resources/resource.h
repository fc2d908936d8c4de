/* Resource ids: icon, dialog templates and their controls, and the
 * string table (strings.h). */
#ifndef KSTL8_RESOURCE_H
#define KSTL8_RESOURCE_H

#include "strings.h"

#define IDI_SETUP           50

/* Debug dialog: one trace record at a time. */
#define IDD_DEBUG           32
#define IDC_DEBUG_TEXT      101
#define IDC_DEBUG_PAUSE     102
#define IDC_DEBUG_FASTER    103
#define IDC_DEBUG_SLOWER    104

/* Buttons the dialogs share beside IDOK, IDCANCEL, IDRETRY, IDYES, IDNO. */
#define IDC_EXIT            115
#define IDC_CONTINUE        116

/* Script prompt: the message, buttons by style code. */
#define IDD_PROMPT          1
#define IDC_PROMPT_TEXT     110

/* Progress of copies, moves and directory creation (modeless). */
#define IDD_PROGRESS        4
#define IDC_PROGRESS_METER  100
#define IDC_PROGRESS_TEXT1  103
#define IDC_PROGRESS_TEXT2  104
#define IDC_PROGRESS_TEXT3  105
#define IDC_PROGRESS_TEXT4  106

/* Insert the source disk. */
#define IDD_SOURCEDISK      5
#define IDC_SKIPFILE        100
#define IDC_DISK_FILE       101
#define IDC_DISK_LABEL      102
#define IDC_DISK_LOCATION   107
#define IDC_BROWSE          180

/* A file in use: radio 101-104, 104 leaves the installation. */
#define IDD_INUSE           6
#define IDC_INUSE_FILE      100
#define IDC_INUSE_LATER     101
#define IDC_INUSE_RETRY     102
#define IDC_INUSE_SKIP      103
#define IDC_INUSE_EXIT      104

/* A file that exists elsewhere: radio 103-107. */
#define IDD_ELSEWHERE       9
#define IDC_ELSE_FILE       100
#define IDC_ELSE_DIR        101
#define IDC_ELSE_OTHER      102
#define IDC_ELSE_FIRST      103
#define IDC_ELSE_EXIT       107

/* Version conflict: the text, both version lists (tied), the file name
   and the existing file's directory; Exit 3, Install 6, Keep 7. */
#define IDD_VERCONFLICT     7
#define IDC_VC_TEXT         100
#define IDC_VC_EXISTING     101
#define IDC_VC_NEW          102
#define IDC_VC_FILE         103
#define IDC_VC_DIR          104
#define IDC_VC_EXIT         3
#define IDC_VC_INSTALL      6
#define IDC_VC_KEEP         7

/* A file that already exists: radio 102-106. */
#define IDD_EXISTS          10
#define IDC_EXISTS_FILE     100
#define IDC_EXISTS_DIR      101
#define IDC_EXISTS_FIRST    102
#define IDC_EXISTS_EXIT     106

/* Help window (modeless). */
#define IDD_HELP            15
#define IDC_HELP_DONE       197
#define IDC_HELP_TEXT       198

/* Destination or source directory: with two texts (3) or one (14). */
#define IDD_DESTDIR         3
#define IDD_DESTDIR1        14
#define IDC_DEST_PATH       101
#define IDC_DEST_MSG1       102
#define IDC_DEST_MSG2       103
#define IDC_DEST_HELP       199

/* Install options with 1 to 4 option buttons. */
#define IDD_OPTIONS1        16
#define IDD_OPTIONS2        17
#define IDD_OPTIONS3        18
#define IDD_OPTIONS4        19
#define IDC_OPT_INTRO       101
#define IDC_OPT1_TEXT       102
#define IDC_OPT2_TEXT       103
#define IDC_OPT_EXIT_TEXT   104
#define IDC_OPT3_TEXT       105
#define IDC_OPT4_TEXT       106
#define IDC_OPT_HELP_TEXT   107
#define IDC_OPT1            112
#define IDC_OPT2            113
#define IDC_OPT3            114
#define IDC_OPT4            115
#define IDC_OPT_EXIT        116
#define IDC_OPT_HELP        117

/* Sign-on and information text: tall (scrolling) and short. */
#define IDD_TEXTTALL        20
#define IDD_TEXTSHORT       21
#define IDC_TEXT_BODY       100
#define IDC_TEXT_PROMPT     101

/* Shortcut folder. */
#define IDD_SCFOLDER        22
#define IDC_SC_EDIT         131
#define IDC_SC_LABEL        132
#define IDC_SC_LIST         133
#define IDC_SC_EXIT         135

/* Conflict when moving a file: radio 121-133, 133 leaves the installation. */
#define IDD_FILECONFLICT    27
#define IDC_FC_FILE         301
#define IDC_FC_FIRST        121
#define IDC_FC_EXIT         133

/* Floating information (modeless). */
#define IDD_FLOATINFO       33
#define IDC_FLOAT_TEXT      110

#define KSTL8_VERSION_TEXT  "8.0.1"
#define KSTL8_VERSION_BIN   8,0,1,0

#endif
