/* Programs and processes. */
#ifndef KSTL8_PROCESS_H
#define KSTL8_PROCESS_H

#include <windows.h>

/* ---- reload.cpp: restart from a temporary copy ---- */
/* Copy the program (lpszOwnPath) into the temporary directory as
   g_szDefaultExec and start that copy with this run's script, home and
   destination directories and -t.  TRUE when the copy was started; FALSE
   when it could not be made or launched (message 1040 first when the
   temporary drive is too small).  The caller ends this instance either way. */
BOOL fnReloadExec(const char *lpszOwnPath);

#endif
