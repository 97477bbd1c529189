#include "Wine.h"

#include <windows.h>

#include <cstdio>

bool RunsUnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

void RequireWine(const char* program) {
    if (RunsUnderWine()) {
        return;
    }
    fprintf(stderr, "%s: replaces the Velmont installation, so it runs only under Wine\n", program);
    fflush(stderr);
    ExitProcess(2);
}
