#pragma once

#include "base/Str.h"

#include <windows.h>

// While one lives on a thread, every key below a predefined root (HKEY_CURRENT_USER,
// HKEY_LOCAL_MACHINE, HKEY_USERS) that a read-only open reaches is opened once and kept open, and
// every read-only open of the same path is served that one handle: under the registry's 32-bit
// view each level of a path costs a lookup of its own and one more for the view's redirection,
// and a run opens the product's settings key a dozen times. Below HKEY_CURRENT_USER each level
// of a path is kept, so that the product's keys share the lookups of their first levels. Scopes
// may nest; the outermost one serves. The keys are closed when the scope ends, so keep a scope to
// one pass over the settings, and let no key served by it outlive it.
class KeyCacheScope {
public:
    KeyCacheScope();
    KeyCacheScope(const KeyCacheScope&) = delete;
    KeyCacheScope& operator=(const KeyCacheScope&) = delete;
    ~KeyCacheScope();

    // False when no scope serves root\path (none lives, the root is not predefined, or the scope
    // has no room left): the caller opens a key of its own. Otherwise status is the open's, and
    // on success key is the scope's handle, which the caller uses but never closes.
    static bool Serve(HKEY root, const char* path, REGSAM access, HKEY& key, LONG& status);

private:
    struct Entry {
        HKEY root = nullptr;
        Str path;
        HKEY key = nullptr;
    };
    static const int MostKeys = 24;

    HKEY Find(HKEY root, const Str& path) const;
    void Keep(HKEY root, const Str& path, HKEY key);
    bool ServeWhole(HKEY root, const char* path, REGSAM access, HKEY& key, LONG& status);
    bool ServeByLevels(const char* path, REGSAM access, HKEY& key, LONG& status);

    Entry entries[MostKeys];
    int count = 0;
    bool serving = false;
};
