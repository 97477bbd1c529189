#include "base/SystemErrorText.h"

#include <windows.h>

// Insert markers such as %1 are left as they stand: nobody supplies their values.
Str SystemErrorText(uint32_t code) {
    char* message = nullptr;
    DWORD flags =
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    DWORD length = FormatMessageA(flags, nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                  reinterpret_cast<char*>(&message), 0, nullptr);
    Str text;
    if (length > 0 && message) {
        text.Assign(message);
    } else {
        text.Format("Unknown error %lu\r\n", static_cast<unsigned long>(code));
    }
    if (message) {
        LocalFree(message);
    }
    return text;
}
