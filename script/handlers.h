/* Section handler entry points the dispatcher calls.  Entries of the
 * first kind get the text after their section's header; entries of the
 * second kind get the section's start and its matched name. */
#ifndef KSTL8_HANDLERS_H
#define KSTL8_HANDLERS_H

#include <windows.h>
#include "script.h"

typedef int (*PFNSECTIONTEXT)(HWND hWnd, char *lpszText);
typedef int (*PFNSECTIONNAMED)(HWND hWnd, char *lpszSection, const char *lpszName,
                               UserInputStruct *lpUI);

int fnInfInfo(HWND hWnd, char *lpszText);
int fnInfFloatInfo(HWND hWnd, char *lpszText);
int fnInfCheckFors(HWND hWnd, char *lpszText);
int fnInfFileCheck(HWND hWnd, char *lpszText);
int fnInfVersionTest(HWND hWnd, char *lpszText);
int fnInfRegistry(HWND hWnd, char *lpszText);
int fnInfSetEnvironment(HWND hWnd, char *lpszText);
int fnInfReadDefaults(HWND hWnd, char *lpszText);
int fnInfIniEdits(HWND hWnd, char *lpszText);
int fnInfCloseFiles(HWND hWnd, char *lpszText);
int fnInfExec(HWND hWnd, char *lpszText);
int fnInfShellExec(HWND hWnd, char *lpszText);
int fnInfLaunchAndBack(HWND hWnd, char *lpszText);
int fnInfWriteCmdFile(HWND hWnd, char *lpszText);
int fnInfIsStringInFile(HWND hWnd, char *lpszText);

int fnInfInitOptions(HWND hWnd, char *lpszSection, const char *lpszName, UserInputStruct *lpUI);
int fnInfInputSection(HWND hWnd, char *lpszSection, const char *lpszName, UserInputStruct *lpUI);
int fnParseInfGetUserInput(HWND hWnd, char *lpszSection, const char *lpszName,
                           UserInputStruct *lpUI);
int fnInfCheckSpace(HWND hWnd, char *lpszSection, const char *lpszName, UserInputStruct *lpUI);
int fnInfMakeDirs(HWND hWnd, char *lpszSection, const char *lpszName, UserInputStruct *lpUI);
int fnInfMoveFiles(HWND hWnd, char *lpszSection, const char *lpszName, UserInputStruct *lpUI);
int fnInfCopyFiles(HWND hWnd, char *lpszSection, const char *lpszName, UserInputStruct *lpUI);
int fnReadShortCutSections(HWND hWnd, char *lpszSection, const char *lpszName,
                           UserInputStruct *lpUI);

#endif
