#include "base/SystemPaths.h"

#include <vector>

namespace {

const DWORD LongestPath = 32768 * 3;

// query(buffer, size) answers the length without NUL, or the size needed when it did not fit.
template <typename Query> Str Answer(Query query) {
    std::vector<char> buffer(MAX_PATH * 3 + 1);
    DWORD length = query(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length >= buffer.size() && length <= LongestPath) {
        buffer.resize(length + 1);
        length = query(buffer.data(), static_cast<DWORD>(buffer.size()));
    }
    if (length == 0 || length >= buffer.size()) {
        return Str();
    }
    return Str(buffer.data(), static_cast<int32_t>(length));
}

} // namespace

Str QueryFolder(UINT(WINAPI* query)(LPSTR, UINT)) {
    return Answer([query](char* buffer, DWORD size) { return DWORD{query(buffer, size)}; });
}

Str TempFolder() {
    return Answer([](char* buffer, DWORD size) { return GetTempPathA(size, buffer); });
}

// GetModuleFileNameA cuts the name to the buffer instead of telling the size: grow until it fits.
Str ModulePath(HMODULE module) {
    std::vector<char> buffer(MAX_PATH * 3 + 1);
    for (;;) {
        DWORD length = GetModuleFileNameA(module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return Str();
        }
        if (length < buffer.size() - 1) {
            return Str(buffer.data(), static_cast<int32_t>(length));
        }
        if (buffer.size() > LongestPath) {
            return Str();
        }
        buffer.resize(buffer.size() * 2);
    }
}
