#include "diagnosis/FileProbe.h"

#include "base/JoinPath.h"
#include "base/SystemErrorText.h"
#include "base/SystemPaths.h"
#include "diagnosis/CompareVersion.h"
#include "diagnosis/FileVersion.h"
#include "diagnosis/ReportLine.h"

#include <windows.h>

namespace {

void RecordLibrary(RunContext& context, const char* name, const Str& version, const Str& minimum,
                   const char* status) {
    StrList& rows = context.Facts.Libraries;
    rows.Add(Str(name));
    rows.Add(version);
    rows.Add(minimum);
    rows.Add(Str(status));
}

} // namespace

bool ProbeFile(RunContext& context, const Str& path, Str* errorText) {
    HANDLE file = CreateFileA(path.Text(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return true;
    }
    Str reason = SystemErrorText(GetLastError());
    if (errorText) {
        *errorText = reason;
    }
    Str line;
    line.Format("Failed to open file '%s' : %s", path.Text(), reason.Text());
    context.AppendToReport(WholeLine(line));
    return false;
}

// A 64-bit Windows answers the 32-bit system folder here; a 32-bit one has no such folder.
Str SystemFolder() {
    Str folder = QueryFolder(GetSystemWow64DirectoryA);
    return folder.IsEmpty() ? QueryFolder(GetSystemDirectoryA) : folder;
}

bool CheckSystemComponent(RunContext& context, const char* name, int32_t minMajor, int32_t minMinor,
                          int32_t minBuild) {
    Str path = JoinPath(SystemFolder(), name);
    Str minimum;
    minimum.Format("%u.%u.%u", static_cast<unsigned>(minMajor), static_cast<unsigned>(minMinor),
                   static_cast<unsigned>(minBuild));
    if (!ProbeFile(context, path)) {
        RecordLibrary(context, name, Str(), minimum, "missing");
        return false;
    }
    Str version = GetFileVersionText(path.Text());
    Str line;
    line.Format("System Dll %s Version %s\r\n", name, version.Text());
    context.AppendToReport(line);
    bool current = CompareVersion(version.Text(), minMajor, minMinor, minBuild) >= 0;
    RecordLibrary(context, name, version, minimum, current ? "ok" : "out of date");
    if (current) {
        return true;
    }
    line.Format("System Dll %s Out of date need version %s\r\n", name, minimum.Text());
    context.AppendToReport(line);
    return false;
}
