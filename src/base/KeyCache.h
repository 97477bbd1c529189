#pragma once

#include "base/Str.h"

#include <windows.h>

// While one lives on a thread, every key below a predefined root (HKEY_CURRENT_USER,
// HKEY_LOCAL_MACHINE, HKEY_USERS) that a read-only open reaches stays open, and a later
// read-only open of the same path is served from it: under the registry's 32-bit view, each
// level of a path costs a lookup of its own and one more for the view's redirection, and a run
// opens the product's settings key a dozen times. Scopes may nest; the outermost one serves.
// The keys are closed when the scope ends, so keep a scope to one pass over the settings.
class KeyCacheScope {
public:
    KeyCacheScope();
    KeyCacheScope(const KeyCacheScope&) = delete;
    KeyCacheScope& operator=(const KeyCacheScope&) = delete;
    ~KeyCacheScope();

    // A new handle to root\path (the caller closes it) when the scope holds that key, else null.
    static HKEY OpenCached(HKEY root, const char* path, REGSAM access);
    // Keeps a handle of its own to an opened key, while the scope has room.
    static void Remember(HKEY root, const char* path, HKEY opened, REGSAM access);

private:
    struct Entry {
        HKEY root = nullptr;
        Str path;
        HKEY key = nullptr;
    };
    static const int MostKeys = 16;

    Entry entries[MostKeys];
    int count = 0;
    bool serving = false;
};
