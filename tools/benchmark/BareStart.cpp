// The bare start that scripts/benchmark.py compares the Doctor with: a program with the Doctor's
// manifest and the same libraries imported, which ends as soon as it starts.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Never true: the calls only keep each library in the import table, as the Doctor's use does.
    if (GetTickCount() == 1) {
        DWORD handle = 0;
        GetFileVersionInfoSizeA("", &handle);
        ShellExecuteA(nullptr, "open", "", nullptr, nullptr, SW_SHOWNORMAL);
        GetStockObject(SYSTEM_FONT);
        MessageBoxA(nullptr, "", "", MB_OK);
        RegCloseKey(HKEY_CURRENT_USER);
        printf("\n");
    }
    return 0;
}
