#include "base/Str.h"

#include <windows.h>

void Str::LoadText(unsigned id) {
    char buffer[1024];
    int copied = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    if (copied <= 0) {
        Empty();
        return;
    }
    Assign(buffer);
}
