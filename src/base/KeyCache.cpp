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

// Registry paths compare without regard to case, as the registry itself does. A key that does
// not open is not kept: the next ask tries again.
bool KeyCacheScope::Serve(HKEY root, const char* path, REGSAM access, HKEY& key, LONG& status) {
    if (!Cacheable(root, path)) {
        return false;
    }
    for (int i = 0; i < servingScope->count; ++i) {
        const Entry& entry = servingScope->entries[i];
        if (entry.root == root && lstrcmpiA(entry.path.Text(), path) == 0) {
            key = entry.key;
            status = ERROR_SUCCESS;
            return true;
        }
    }
    if (servingScope->count == MostKeys) {
        return false;
    }
    HKEY opened = nullptr;
    status = RegOpenKeyExA(root, path, 0, access, &opened);
    if (status != ERROR_SUCCESS) {
        return true;
    }
    Entry& entry = servingScope->entries[servingScope->count++];
    entry.root = root;
    entry.path = Str(path);
    entry.key = opened;
    key = opened;
    return true;
}
