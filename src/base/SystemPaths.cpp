#include "base/SystemPaths.h"

#include "base/CharBuffer.h"

namespace {

const DWORD LongestPath = 32768 * 3;

// query(buffer, size) answers the length without NUL, or the size needed when it did not fit.
template <typename Query> Str Answer(Query query) {
    DWORD size = MAX_PATH * 3 + 1;
    CharBuffer first(size);
    if (!first.Data()) {
        return Str();
    }
    DWORD length = query(first.Data(), size);
    if (length < size) {
        return length == 0 ? Str() : Str(first.Data(), static_cast<int32_t>(length));
    }
    if (length > LongestPath) {
        return Str();
    }
    size = length + 1;
    CharBuffer larger(size);
    length = larger.Data() ? query(larger.Data(), size) : 0;
    if (length == 0 || length >= size) {
        return Str();
    }
    return Str(larger.Data(), static_cast<int32_t>(length));
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
    for (DWORD size = MAX_PATH * 3 + 1; size <= 2 * LongestPath; size *= 2) {
        CharBuffer buffer(size);
        DWORD length = buffer.Data() ? GetModuleFileNameA(module, buffer.Data(), size) : 0;
        if (length == 0) {
            return Str();
        }
        if (length < size - 1) {
            return Str(buffer.Data(), static_cast<int32_t>(length));
        }
    }
    return Str();
}
