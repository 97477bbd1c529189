#include "report/MapiLibrary.h"

#include "base/JoinPath.h"
#include "base/SystemErrorText.h"
#include "base/SystemPaths.h"
#include "trace/TraceLog.h"

MapiFunctions TheMapi;

namespace {

template <typename Function> bool Resolve(HMODULE library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    return function != nullptr;
}

bool ResolveAll(HMODULE library) {
    MapiFunctions& f = TheMapi;
    bool complete = Resolve(library, "MAPILogon", f.Logon);
    complete &= Resolve(library, "MAPILogoff", f.Logoff);
    complete &= Resolve(library, "MAPISendMail", f.SendMail);
    complete &= Resolve(library, "MAPISaveMail", f.SaveMail);
    complete &= Resolve(library, "MAPIReadMail", f.ReadMail);
    complete &= Resolve(library, "MAPIDeleteMail", f.DeleteMail);
    complete &= Resolve(library, "MAPIFindNext", f.FindNext);
    complete &= Resolve(library, "MAPIFreeBuffer", f.FreeBuffer);
    complete &= Resolve(library, "MAPIAddress", f.Address);
    complete &= Resolve(library, "MAPIDetails", f.Details);
    complete &= Resolve(library, "MAPIResolveName", f.ResolveName);
    Resolve(library, "MAPISendMailW", f.SendMailW);
    return complete;
}

} // namespace

Str MapiLibraryPath() {
    Str folder = QueryFolder(GetSystemDirectoryA);
    return folder.IsEmpty() ? folder : JoinPath(folder, "MAPI32.DLL");
}

HMODULE LoadMapi() {
    Str path = MapiLibraryPath();
    HMODULE library = path.IsEmpty() ? nullptr : LoadLibraryA(path.Text());
    if (reinterpret_cast<ULONG_PTR>(library) < 32) {
        Str reason = SystemErrorText(GetLastError());
        Trace(0, "Can not load MAPI mail access DLL %s", reason.Text());
        return nullptr;
    }
    if (!ResolveAll(library)) {
        UnloadMapi(library);
        Trace(0, "Cannot load MAPI functions");
        return nullptr;
    }
    return library;
}

void UnloadMapi(HMODULE library) {
    TheMapi = MapiFunctions();
    if (library) {
        FreeLibrary(library);
    }
}
