/* String table ids. Every text the program shows or needs by name (window
   classes, file names, fallback folders, messages) lives in strings.rc. */
#ifndef KSTL8_STRINGS_H
#define KSTL8_STRINGS_H

#define IDS_LOADERCLASS        1010  /* loader window class */
#define IDS_APPNAME            1011  /* application name */
#define IDS_TITLE              1013  /* main window title */
#define IDS_CLASSNAME          1014  /* main window class */
#define IDS_DEBUGFILE          1015  /* trace file name in the temp directory */
#define IDS_USAGE              1016  /* command line usage (-?) */
#define IDS_PROGRESSCLASS      1020  /* progress meter class */
#define IDS_MISMATCHCLASS      1022  /* mismatch list box class */
#define IDS_SPLASHCLASS        1024  /* status (splash) window class */
#define IDS_ONEMOMENT          1026  /* loader window text */
#define IDS_VERSIONLINE        1027  /* version line, %s product version */
#define IDS_CONTINUEOREXIT     1028  /* appended to a failed version test */
#define IDS_NOMEMORY           1031  /* script buffer allocation failed */
#define IDS_FILENOTFOUND       1032  /* script file missing */
#define IDS_FILEEMPTY          1033  /* script file empty */
#define IDS_DIRNOTEXIST        1036  /* source directory missing */
#define IDS_CANTCREATE         1038  /* trace file cannot be created */
#define IDS_OVERWRITE          1039  /* trace file exists */
#define IDS_TEMPSPACE          1040  /* temp drive too small */
#define IDS_READERROR          1041  /* script read / restart error */
#define IDS_WRITEERROR         1042  /* script write error */
#define IDS_SAVEERROR          1043  /* script backup copy failed */
#define IDS_BADPARAM           1044  /* missing/bad line parameter */
#define IDS_BADSECTION         1045  /* malformed section */
#define IDS_BADLINE            1046  /* bad line in a file section */
#define IDS_SPACESELECTDRIVE   1047  /* too little space, choose another drive */
#define IDS_SPACEEXIT          1048  /* too little space, exit */
#define IDS_SPACEABORTRETRY    1049  /* too little space, abort/retry/ignore */
#define IDS_SPACEINSERTDISK    1050  /* too little space, insert another disk */
#define IDS_SPACEINSTALLANYWAY 1051  /* below needed, above minimum */
#define IDS_WINDRIVESPACE      1052  /* Windows drive too small */
#define IDS_DIRCREATERETRY     1053  /* destination directory cannot be made */
#define IDS_DIRTREEFAIL        1054  /* directory tree cannot be made */
#define IDS_CONFIRMEXIT        1055  /* confirm Cancel/Exit */
#define IDS_INSTALLOK          1059  /* default closing message */
#define IDS_NOTINSTALLED       1061  /* closing message after a failure */
#define IDS_INSERTDISKNUM      1062  /* insert numbered disk */
#define IDS_INSERTDISKIN       1063  /* insert disk in target drive */
#define IDS_DELIMS             1064  /* macro field delimiters */
#define IDS_INSERTSOURCE       1065  /* insert source disk */
#define IDS_DRIVEENTERANOTHER  1071  /* drive missing, enter another */
#define IDS_DRIVEUNAVAILABLE   1072  /* drive missing */
#define IDS_PLAINTEXT          1100  /* plain text pass-through */
#define IDS_FILEINUSE          1101  /* install result: target in use */
#define IDS_SELECTAGAIN        1102  /* rename target exists */
#define IDS_FILENOTINDIR       1103  /* expected file not in chosen directory */
#define IDS_INVALIDCHARS       1104  /* bad characters in a file name */
#define IDS_OUTOFSPACE         1112  /* install result: out of space */
#define IDS_ACCESSVIOLATION    1113  /* install result: access violation */
#define IDS_SHARINGVIOLATION   1114  /* install result: sharing violation */
#define IDS_CANTCREATEFILE     1115  /* install result: cannot create */
#define IDS_CANTDELETEFILE     1116  /* install result: cannot delete */
#define IDS_CANTRENAMEFILE     1117  /* install result: cannot rename */
#define IDS_INSTALLNOMEMORY    1118  /* install result: out of memory */
#define IDS_CANTBACKUP         1119  /* backup of existing file failed */
#define IDS_CANTINSTALL        1120  /* no unique name / in-use replacement */
#define IDS_CANTMOVEFILE       1121
#define IDS_BACKUPKEPT         1122  /* original not put back from its backup */  /* move/copy/rename without target name */
#define IDS_CREATEOKCANCEL     1124  /* create failed, OK/Cancel */
#define IDS_CREATEABORTRETRY   1125  /* create failed on removable drive */
#define IDS_FILETEST           1126  /* file test message */
#define IDS_CANTCONTINUE       1127  /* default file test message */
#define IDS_RESELECTDIR        1128  /* default TestFor message */
#define IDS_CANTREADDEST       1132  /* install result: destination unreadable */
#define IDS_WRITEPROTECTED     1133  /* install target write-protected */
#define IDS_VERMISMATCH        1134  /* version conflict: mismatch */
#define IDS_VEROLDER           1135  /* version conflict: older */
#define IDS_VERLANGUAGE        1136  /* version conflict: language */
#define IDS_VERCODEPAGE        1137  /* version conflict: code page */
#define IDS_VERTYPE            1138  /* version conflict: type */
#define IDS_VEROS              1139  /* version conflict: OS */
#define IDS_VERBUILDFLAGS      1140  /* version conflict: build flags */
#define IDS_CFGPROCESSERR      1142  /* config file cannot be prepared */
#define IDS_READONLY           1143  /* make read-only file writable */
#define IDS_CFGINVALIDFILE     1145  /* config line without file */
#define IDS_CFGWRITEERR        1146  /* config edit failed */
#define IDS_CFGWRITEPROTECTED  1147  /* config file write-protected */
#define IDS_CFGDIRFAIL         1148  /* config directory cannot be made */
#define IDS_CFGBACKUPFAIL      1149  /* config backup failed */
#define IDS_MOVEDIRFAIL        1152  /* move target directory cannot be made */
#define IDS_PLEASEWAIT         1154  /* status window: section/initializing */
#define IDS_EXECUTING          1156  /* status window: running a program */
#define IDS_CLOSING            1158  /* status window: closing a program */
#define IDS_ENVREGFAIL         1161  /* environment variable in registry failed */
#define IDS_ENVAUTOEXECFAIL    1162  /* environment variable in AUTOEXEC.BAT failed */
#define IDS_OPTINTRO           1170  /* options dialog: introduction */
#define IDS_OPTEXITMSG         1173  /* options dialog: exit text */
#define IDS_OPTHELPMSG         1174  /* options dialog: help text */
#define IDS_OPTEXITBTN         1177  /* options dialog: exit button */
#define IDS_OPTHELPBTN         1178  /* options dialog: help button */
#define IDS_OPT2INF            1179  /* options dialog: script for option 2 */
#define IDS_OPT3INF            1180  /* options dialog: script for option 3 */
#define IDS_OPT4INF            1181  /* options dialog: script for option 4 */
#define IDS_RESTARTASK         1190  /* ask to restart Windows */
#define IDS_RESTARTREFUSED     1191  /* restart refused, ask again */
#define IDS_EXITWINASK         1192  /* ask to exit Windows */
#define IDS_EXITWINREFUSED     1193  /* exit refused, ask again */
#define IDS_REBOOTASK          1194  /* ask to reboot */
#define IDS_REBOOTREFUSED      1195  /* reboot refused, ask again */
#define IDS_MAKEDIRSSECTION    1201  /* default directory section name */
#define IDS_SOURCEMSG1         1202  /* source dialog: first text */
#define IDS_SOURCEMSG2         1203  /* source dialog: second text */
#define IDS_DESTMSG1           1206  /* destination dialog: first text */
#define IDS_DESTMSG2           1207  /* destination dialog: second text */
#define IDS_SCDESKTOPASK       1222  /* ask for desktop shortcuts */
#define IDS_SCSTARTUPASK       1223  /* ask for startup shortcuts */
#define IDS_SCCREATEFAIL       1224  /* shortcut/folder creation failed */
#define IDS_SCDEFAULTFOLDER    1226  /* shortcut folder dialog label */
#define IDS_SCNOFOLDER         1228  /* shortcut folder list unavailable */
#define IDS_CANTLOAD           1231  /* exit program cannot be run */
#define IDS_EXECERROR          1234  /* launch failed */
#define IDS_EXECNOTFOUND       1235  /* launch failed: not found */
#define IDS_EXECNOMEMORY       1236  /* launch failed: out of memory */
#define IDS_PROGRAMFILES       1251  /* fallback Program Files directory */
#define IDS_DIRINF             1252  /* fallback device path */
#define IDS_DIRCOMMONFILES     1253  /* fallback common files */
#define IDS_DIRPROGRAMS        1254  /* fallback shell folder Programs */
#define IDS_DIRSTARTMENU       1255  /* fallback shell folder Start Menu */
#define IDS_DIRSTARTUP         1256  /* fallback shell folder Startup */
#define IDS_DIRFONTS           1257  /* fallback shell folder Fonts */
#define IDS_DIRDESKTOP         1258  /* fallback shell folder Desktop */
#define IDS_DIRSENDTO          1259  /* fallback shell folder SendTo */
#define IDS_DIRPERSONAL        1260  /* fallback shell folder Personal */
#define IDS_DIRFAVORITES       1261  /* fallback shell folder Favorites */
#define IDS_DIRTEMPLATES       1262  /* fallback shell folder Templates */
#define IDS_DIRAPPDATA         1263  /* fallback shell folder AppData */
#define IDS_DIRCACHE           1264  /* fallback shell folder Cache */
#define IDS_DIRCOOKIES         1265  /* fallback shell folder Cookies */
#define IDS_DIRHISTORY         1266  /* fallback shell folder History */
#define IDS_DIRRECENT          1267  /* fallback shell folder Recent */
#define IDS_DIRNETHOOD         1268  /* fallback shell folder NetHood */
#define IDS_DIRPRINTHOOD       1269  /* fallback shell folder PrintHood */
#define IDS_REGERROR           1277  /* registry operation failed */
#define IDS_REGMATCH           1282  /* registry check: match */
#define IDS_REGNOMATCH         1284  /* registry check: mismatch */
#define IDS_REGNOTFOUND        1286  /* registry check: key missing */
#define IDS_REGVITAL           1288  /* registry check: fatal */

#endif /* KSTL8_STRINGS_H */
