#include "base/KeyCache.h"

#include "base/ThreadSlot.h"

#include <cstring>

namespace {

ThreadSlot<KeyCacheScope> servingScope;

// Only paths below the predefined roots are kept: any other key's handle may be closed and its
// value given to another key while the scope lives.
bool Cacheable(HKEY root, const char* path) {
    return servingScope.Get() && path &&
           (root == HKEY_CURRENT_USER || root == HKEY_LOCAL_MACHINE || root == HKEY_USERS);
}

// The number of names in a path of names between single backslashes; 0 for any other path (empty,
// or with an empty name), which is opened whole.
int LevelCount(const char* path) {
    if (!*path || *path == '\\') {
        return 0;
    }
    int levels = 1;
    for (const char* c = path; *c; ++c) {
        if (*c == '\\') {
            if (c[1] == '\\' || c[1] == '\0') {
                return 0;
            }
            ++levels;
        }
    }
    return levels;
}

} // namespace

KeyCacheScope::KeyCacheScope() {
    if (!servingScope.Get()) {
        serving = servingScope.Set(this);
    }
}

KeyCacheScope::~KeyCacheScope() {
    for (int i = 0; i < count; ++i) {
        RegCloseKey(entries[i].key);
    }
    if (serving) {
        servingScope.Set(nullptr);
    }
}

// The user's keys are the same in both views of the registry, so a level opened below a kept one
// is the key a whole open reaches; below the machine's root some keys are redirected and some
// shared, which only a whole open tells apart.
bool KeyCacheScope::Serve(HKEY root, const char* path, REGSAM access, HKEY& key, LONG& status) {
    if (!Cacheable(root, path)) {
        return false;
    }
    if (root == HKEY_CURRENT_USER && LevelCount(path) > 0) {
        return servingScope.Get()->ServeByLevels(path, access, key, status);
    }
    return servingScope.Get()->ServeWhole(root, path, access, key, status);
}

// Registry paths compare without regard to case, as the registry itself does.
HKEY KeyCacheScope::Find(HKEY root, const Str& path) const {
    for (int i = 0; i < count; ++i) {
        if (entries[i].root == root && lstrcmpiA(entries[i].path.Text(), path.Text()) == 0) {
            return entries[i].key;
        }
    }
    return nullptr;
}

void KeyCacheScope::Keep(HKEY root, const Str& path, HKEY key) {
    Entry& entry = entries[count++];
    entry.root = root;
    entry.path = path;
    entry.key = key;
}

// A key that does not open is not kept: the next ask tries again.
bool KeyCacheScope::ServeWhole(HKEY root, const char* path, REGSAM access, HKEY& key,
                               LONG& status) {
    Str whole(path);
    key = Find(root, whole);
    if (key) {
        status = ERROR_SUCCESS;
        return true;
    }
    if (count == MostKeys) {
        return false;
    }
    status = RegOpenKeyExA(root, path, 0, access, &key);
    if (status == ERROR_SUCCESS) {
        Keep(root, whole, key);
    }
    return true;
}

// Each level below the deepest one kept is opened below its parent and kept. A missing level is
// a missing key; a level that does not open for any other reason leaves the path to a whole open,
// which alone says whether the key opens: a user may read a key below one they may not read.
bool KeyCacheScope::ServeByLevels(const char* path, REGSAM access, HKEY& key, LONG& status) {
    if (MostKeys - count < LevelCount(path)) {
        return false;
    }
    HKEY parent = HKEY_CURRENT_USER;
    const char* level = path;
    for (;;) {
        const char* end = strchr(level, '\\');
        int32_t length =
            end ? static_cast<int32_t>(end - level) : static_cast<int32_t>(strlen(level));
        Str reached(path, static_cast<int32_t>(level - path) + length);
        HKEY kept = Find(HKEY_CURRENT_USER, reached);
        if (!kept) {
            status = RegOpenKeyExA(parent, Str(level, length).Text(), 0, access, &kept);
            if (status != ERROR_SUCCESS) {
                return status == ERROR_FILE_NOT_FOUND;
            }
            Keep(HKEY_CURRENT_USER, reached, kept);
        }
        parent = kept;
        if (!end) {
            break;
        }
        level = end + 1;
    }
    key = parent;
    status = ERROR_SUCCESS;
    return true;
}
