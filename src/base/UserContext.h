#pragma once

#include "base/Str.h"

#include <windows.h>

// Whose settings a run reads: the hive that stands for HKEY_CURRENT_USER and the values the
// user's own REG_EXPAND_SZ texts expand with. Every read of the user's keys and every expansion
// goes through the context that is active on the thread; without one, that is the process's
// own user.
class UserContext {
public:
    enum Variable { Profile, AppData, LocalAppData, UserName, HomePath, VariableCount };

    static UserContext OfProcess();
    // A user's hive opened elsewhere: the values from its Volatile Environment where it has one,
    // else from its shell folders and the profile's path.
    static UserContext OfHive(HKEY root, const Str& account, const Str& profilePath);

    // The text with the user's variables replaced by this user's values and every other
    // variable by the machine's; defaultText when the system cannot expand it.
    Str Expand(const char* text, const char* defaultText) const;

    HKEY Root = HKEY_CURRENT_USER;
    Str Account;

private:
    static const char* VariableName(Variable variable);
    const Str* UserValue(const Str& name) const;

    Str values[VariableCount];
};

// The context the thread's reads use, and the scope that makes another one active.
const UserContext& ActiveUser();

class ActiveUserScope {
public:
    explicit ActiveUserScope(const UserContext& user);
    ActiveUserScope(const ActiveUserScope&) = delete;
    ActiveUserScope& operator=(const ActiveUserScope&) = delete;
    ~ActiveUserScope();

private:
    const UserContext* previous;
};
