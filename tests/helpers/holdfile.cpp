/* holdfile PATH [SECONDS]: opens PATH (created when missing) for reading
 * and writing with no sharing, so that other processes get sharing
 * violations on it; creates PATH.held once it holds the file, and lets go
 * when PATH.release appears or after SECONDS (default 30).  Exit code 0
 * after a release, 1 when the file could not be opened, 2 on time-out. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char **argv)
{
    if (argc < 2)
        return 1;
    char szHeld[MAX_PATH], szRelease[MAX_PATH];
    if (snprintf(szHeld, sizeof(szHeld), "%s.held", argv[1]) >= (int)sizeof(szHeld) ||
        snprintf(szRelease, sizeof(szRelease), "%s.release", argv[1]) >= (int)sizeof(szRelease))
        return 1;
    int nSeconds = argc > 2 ? atoi(argv[2]) : 30;
    HANDLE hFile = CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return 1;
    HANDLE hMark = CreateFileA(szHeld, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, NULL,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hMark != INVALID_HANDLE_VALUE)
        CloseHandle(hMark);
    int nRC = 2;
    for (int i = 0; i < nSeconds * 20; i++) {
        if (GetFileAttributesA(szRelease) != INVALID_FILE_ATTRIBUTES) {
            nRC = 0;
            break;
        }
        Sleep(50);
    }
    CloseHandle(hFile);
    DeleteFileA(szHeld);
    DeleteFileA(szRelease);
    return nRC;
}
