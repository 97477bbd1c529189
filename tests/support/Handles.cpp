#include "Handles.h"

#include <windows.h>

#include <vector>

namespace {

struct SystemHandleEntry {
    ULONG processId;
    BYTE objectType;
    BYTE flags;
    USHORT handle;
    void* object;
    ACCESS_MASK access;
};

} // namespace

size_t OwnHandleCount() {
    using Query = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);
    const ULONG SystemHandleInformation = 16;
    auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    std::vector<char> buffer(1 << 20);
    ULONG size = 0;
    while (query(SystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                 &size) != 0) {
        if (buffer.size() > (64u << 20)) {
            return 0;
        }
        buffer.resize(buffer.size() * 2);
    }
    ULONG count = *reinterpret_cast<const ULONG*>(buffer.data());
    auto entries = reinterpret_cast<const SystemHandleEntry*>(buffer.data() + sizeof(void*));
    size_t own = 0;
    for (ULONG i = 0; i < count; ++i) {
        own += entries[i].processId == GetCurrentProcessId();
    }
    return own;
}
