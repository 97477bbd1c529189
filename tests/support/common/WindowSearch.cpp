#include "WindowSearch.h"

#include <string>

namespace {

struct WindowSearch {
    DWORD process;
    const char* caption;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char text[64] = {};
    GetWindowTextA(window, text, sizeof text);
    if (owner != search->process || !IsWindowVisible(window) ||
        std::string(text) != search->caption) {
        return TRUE;
    }
    search->found = window;
    return FALSE;
}

} // namespace

HWND FindWindowOf(DWORD process, const char* caption) {
    WindowSearch search{process, caption, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
