#include "base/UserContext.h"

#include "base/CharBuffer.h"
#include "base/JoinPath.h"
#include "base/RegKey.h"
#include "base/TextEncoding.h"
#include "base/ThreadSlot.h"

#include <lmcons.h>

#include <cstring>
#include <new>

namespace {

const DWORD ExpandBufferSize = 260;
const DWORD LongestVariable = 32767;

ThreadSlot<const UserContext> activeUser;

const char* const VolatileEnvironmentKey = "Volatile Environment";
const char* const ShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// One %NAME% through the system's expansion, with the process's (the machine's) variables.
bool ExpandWithMachine(const char* text, Str& expanded) {
    char small[ExpandBufferSize];
    DWORD needed = ExpandEnvironmentStringsA(text, small, sizeof small);
    if (needed == 0) {
        return false;
    }
    if (needed <= sizeof small) {
        expanded.Assign(small);
        return true;
    }
    // Longer than a path: expand again into a buffer of the size the system asked for.
    CharBuffer large(needed);
    DWORD again = large.Data() ? ExpandEnvironmentStringsA(text, large.Data(), needed) : 0;
    if (again == 0 || again > needed) {
        return false;
    }
    expanded.Assign(large.Data());
    return true;
}

Str ProcessVariable(const char* name) {
    DWORD needed = GetEnvironmentVariableA(name, nullptr, 0);
    if (needed == 0 || needed > LongestVariable) {
        return Str();
    }
    CharBuffer buffer(needed);
    if (!buffer.Data() || GetEnvironmentVariableA(name, buffer.Data(), needed) >= needed) {
        return Str();
    }
    return Str(buffer.Data());
}

// Read in UTF-16 and given in UTF-8: Wine's GetUserNameA counts characters where the UTF-8 code
// page needs bytes, and cuts a name such as "Jürgen" short.
Str ProcessAccount() {
    wchar_t name[UNLEN + 1];
    DWORD size = UNLEN + 1;
    if (!GetUserNameW(name, &size) || size == 0) {
        return Str();
    }
    return Utf8FromWide(name, static_cast<int32_t>(size - 1));
}

// "\users\name" of "C:\users\name": the profile's path without its drive.
Str WithoutDrive(const Str& path) {
    const char* text = path.Text();
    return path.Length() >= 2 && text[1] == ':' ? Str(text + 2) : path;
}

} // namespace

const char* UserContext::VariableName(Variable variable) {
    static const char* const Names[VariableCount] = {"USERPROFILE", "APPDATA", "LOCALAPPDATA",
                                                     "USERNAME", "HOMEPATH"};
    return Names[variable];
}

UserContext UserContext::OfProcess() {
    UserContext user;
    user.Account = ProcessAccount();
    for (int i = 0; i < VariableCount; ++i) {
        user.values[i] = ProcessVariable(VariableName(static_cast<Variable>(i)));
    }
    return user;
}

UserContext UserContext::OfHive(HKEY root, const Str& account, const Str& profilePath) {
    UserContext user;
    user.Root = root;
    user.Account = account;
    RegKey environment;
    environment.OpenSubKey(root, VolatileEnvironmentKey);
    for (int i = 0; i < VariableCount; ++i) {
        user.values[i] = environment.GetUnexpanded(VariableName(static_cast<Variable>(i)), "");
    }
    if (user.values[Profile].IsEmpty()) {
        user.values[Profile] = profilePath;
    }
    if (user.values[UserName].IsEmpty()) {
        user.values[UserName] = account;
    }
    if (user.values[HomePath].IsEmpty()) {
        user.values[HomePath] = WithoutDrive(user.values[Profile]);
    }
    // Logged off, a user has no volatile values: the shell folders say where their data lies.
    RegKey folders;
    folders.OpenSubKey(root, ShellFoldersKey);
    const struct {
        Variable variable;
        const char* folderName;
        const char* usual;
    } derived[] = {{AppData, "AppData", "AppData\\Roaming"},
                   {LocalAppData, "Local AppData", "AppData\\Local"}};
    for (const auto& folder : derived) {
        if (user.values[folder.variable].IsEmpty()) {
            Str stored = folders.GetUnexpanded(folder.folderName, "");
            user.values[folder.variable] = stored.IsEmpty()
                                               ? JoinPath(user.values[Profile], folder.usual)
                                               : user.Expand(stored.Text(), "");
        }
    }
    return user;
}

// As the system expands: a name that is no variable stays as it is, both percent signs with it.
Str UserContext::Expand(const char* text, const char* defaultText) const {
    Str expanded;
    const char* rest = text;
    while (*rest) {
        const char* open = strchr(rest, '%');
        const char* close = open ? strchr(open + 1, '%') : nullptr;
        if (!close) {
            expanded.Append(rest);
            break;
        }
        expanded.Append(Str(rest, static_cast<int32_t>(open - rest)));
        Str name(open + 1, static_cast<int32_t>(close - open - 1));
        const Str* own = UserValue(name);
        if (own) {
            expanded.Append(*own);
            rest = close + 1;
            continue;
        }
        Str variable(open, static_cast<int32_t>(close - open + 1));
        Str machine;
        if (!ExpandWithMachine(variable.Text(), machine)) {
            return Str(defaultText);
        }
        expanded.Append(machine);
        rest = close + 1;
    }
    return expanded;
}

const Str* UserContext::UserValue(const Str& name) const {
    for (int i = 0; i < VariableCount; ++i) {
        if (!values[i].IsEmpty() &&
            _stricmp(name.Text(), VariableName(static_cast<Variable>(i))) == 0) {
            return &values[i];
        }
    }
    return nullptr;
}

namespace {

// The process's own user, made on the first ask by the system's one-time initialisation: the
// compiler's guard of a local static would set up the threads library in every run, a round of
// requests to Wine's server.
INIT_ONCE processUserMade = INIT_ONCE_STATIC_INIT;
UserContext* processUser = nullptr;
const UserContext NoUser;

BOOL CALLBACK MakeProcessUser(PINIT_ONCE, PVOID, PVOID*) {
    processUser = new (std::nothrow) UserContext(UserContext::OfProcess());
    return TRUE;
}

struct ProcessUserOwner {
    ~ProcessUserOwner() { delete processUser; }
} processUserOwner;

} // namespace

const UserContext& ActiveUser() {
    const UserContext* user = activeUser.Get();
    if (user) {
        return *user;
    }
    InitOnceExecuteOnce(&processUserMade, MakeProcessUser, nullptr, nullptr);
    return processUser ? *processUser : NoUser;
}

ActiveUserScope::ActiveUserScope(const UserContext& user) : previous(activeUser.Get()) {
    activeUser.Set(&user);
}

ActiveUserScope::~ActiveUserScope() {
    activeUser.Set(previous);
}
