#include "framework/AppBase.h"

#include "base/ProfileFile.h"
#include "base/SystemPaths.h"

#include <cstring>

AppBase* TheApp = nullptr;

AppBase::AppBase() {
    TheApp = this;
    SetMessageBoxOwner(this);
}

AppBase::~AppBase() {
    if (TheApp == this) {
        TheApp = nullptr;
        SetMessageBoxOwner(nullptr);
    }
}

const char* AppBase::Caption() const {
    return ModuleName.Text();
}

int AppBase::ExitInstance() {
    if (HelpUsed) {
        ::WinHelpA(Windows.FirstHandle(), HelpPath.Text(), HELP_QUIT, 0);
    }
    return 0;
}

int AppBase::OnIdle(unsigned) {
    return 0;
}

int AppBase::WinHelp(ULONG_PTR data, UINT command) {
    BOOL done = ::WinHelpA(Windows.FirstHandle(), HelpPath.Text(), command, data);
    if (done) {
        HelpUsed = true;
    }
    return done;
}

// The settings and help files sit beside the program, named after it up to the first dot of
// its file name: C:\Tools\VLDoctor.old.exe gives VLDoctor, C:\Tools\VLDoctor.ini and .hlp.
void AppBase::InitPaths() {
    InitPathsFrom(ModulePath(InstanceHandle).Text());
}

void AppBase::InitPathsFrom(const char* path) {
    const char* name = strrchr(path, '\\');
    name = name ? name + 1 : path;
    const char* dot = strchr(name, '.');
    int32_t stemLength = static_cast<int32_t>(dot ? dot - path : strlen(path));
    Str stem(path, stemLength);
    ModuleName = Str(name, static_cast<int32_t>(dot ? dot - name : strlen(name)));
    IniPath = Concat(stem, ".ini");
    HelpPath = Concat(stem, ".hlp");
}

Str AppBase::GetProfileText(const char* section, const char* key, const char* defaultText) const {
    return ReadProfileText(IniPath.Text(), section, key, defaultText);
}

int32_t AppBase::GetProfileNumber(const char* section, const char* key,
                                  int32_t defaultValue) const {
    return ReadProfileNumber(IniPath.Text(), section, key, defaultValue);
}

HWND AppBase::MainWindow() const {
    HWND first = Windows.FirstHandle();
    return Windows.FindObject(first) ? first : nullptr;
}
