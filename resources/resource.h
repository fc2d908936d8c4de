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

#define KSTL8_VERSION_TEXT  "8.0.1"
#define KSTL8_VERSION_BIN   8,0,1,0

#endif
