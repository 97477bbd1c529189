#include "base/KeyCache.h"

namespace {

thread_local KeyCacheScope* servingScope = nullptr;

// Only paths below the predefined roots are kept: any other key's handle may be closed and its
// value given to another key while the scope lives.
bool Cacheable(HKEY root, const char* path) {
    return servingScope && path &&
           (root == HKEY_CURRENT_USER || root == HKEY_LOCAL_MACHINE || root == HKEY_USERS);
}

} // namespace

KeyCacheScope::KeyCacheScope() {
    if (!servingScope) {
        servingScope = this;
        serving = true;
    }
}

KeyCacheScope::~KeyCacheScope() {
    for (int i = 0; i < count; ++i) {
        RegCloseKey(entries[i].key);
    }
    if (serving) {
        servingScope = nullptr;
    }
}

// Registry paths compare without regard to case, as the registry itself does.
HKEY KeyCacheScope::OpenCached(HKEY root, const char* path, REGSAM access) {
    if (!Cacheable(root, path)) {
        return nullptr;
    }
    for (int i = 0; i < servingScope->count; ++i) {
        const Entry& entry = servingScope->entries[i];
        if (entry.root == root && lstrcmpiA(entry.path.Text(), path) == 0) {
            HKEY opened = nullptr;
            return RegOpenKeyExA(entry.key, nullptr, 0, access, &opened) == ERROR_SUCCESS ? opened
                                                                                          : nullptr;
        }
    }
    return nullptr;
}

void KeyCacheScope::Remember(HKEY root, const char* path, HKEY opened, REGSAM access) {
    if (!Cacheable(root, path) || servingScope->count == MostKeys) {
        return;
    }
    HKEY own = nullptr;
    if (RegOpenKeyExA(opened, nullptr, 0, access, &own) != ERROR_SUCCESS) {
        return;
    }
    Entry& entry = servingScope->entries[servingScope->count++];
    entry.root = root;
    entry.path = Str(path);
    entry.key = own;
}
