#include "diagnosis/FileProbe.h"

#include "base/JoinPath.h"
#include "base/SystemErrorText.h"
#include "base/SystemPaths.h"
#include "diagnosis/CompareVersion.h"
#include "diagnosis/FileVersion.h"
#include "diagnosis/ReportLine.h"
#include "resources/ExampleTexts.h"

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

Str ComponentFix(const char* name, const Str& minimum) {
    Str fix;
    fix.Format("Install %s %s or later into '%s' with the system component installer %s.", name,
               minimum.Text(), SystemFolder().Text(), VLD_LIBINST_URL);
    return fix;
}

void FindComponentMissing(RunContext& context, const char* name, const Str& minimum,
                          Evidence& evidence) {
    evidence.Required = minimum;
    Str title;
    title.Format("The system library %s cannot be opened", name);
    context.AddFinding(FindingId::SystemLibraryMissing, title, ComponentFix(name, minimum),
                       evidence);
}

void FindComponentOutdated(RunContext& context, const char* name, const Str& path,
                           const Str& version, const Str& minimum) {
    Evidence evidence;
    evidence.Path = path;
    evidence.Found = version;
    evidence.Required = minimum;
    Str title;
    title.Format("The system library %s is out of date: version %s, %s needed", name,
                 version.Text(), minimum.Text());
    context.AddFinding(FindingId::SystemLibraryOutdated, title, ComponentFix(name, minimum),
                       evidence);
}

} // namespace

bool ProbeFile(RunContext& context, const Str& path, FileByteSource& file, Evidence* failure) {
    if (file.Open(path.Text())) {
        return true;
    }
    ReportOpenFailure(context, path, file.OpenError(), failure);
    return false;
}

void ReportOpenFailure(RunContext& context, const Str& path, uint32_t code, Evidence* failure) {
    Str reason = SystemErrorText(code);
    if (failure) {
        failure->Path = path;
        failure->ErrorText = WithoutLineEnd(reason);
        failure->ErrorCode = code;
    }
    Str line;
    line.Format("Failed to open file '%s' : %s", path.Text(), reason.Text());
    context.AppendToReport(WholeLine(line));
}

// A 64-bit Windows answers the 32-bit system folder here; a 32-bit one has no such folder.
Str SystemFolder() {
    Str folder = QueryFolder(GetSystemWow64DirectoryA);
    return folder.IsEmpty() ? QueryFolder(GetSystemDirectoryA) : folder;
}

bool CheckSystemComponent(RunContext& context, const char* name, int32_t minMajor, int32_t minMinor,
                          int32_t minBuild) {
    const MachineReadings::Library& library = context.Machine->SystemLibrary(name);
    const Str& path = library.Path;
    Str minimum;
    minimum.Format("%u.%u.%u", static_cast<unsigned>(minMajor), static_cast<unsigned>(minMinor),
                   static_cast<unsigned>(minBuild));
    Evidence failure;
    if (!library.Opened) {
        ReportOpenFailure(context, path, library.OpenError, &failure);
        RecordLibrary(context, name, Str(), minimum, "missing");
        FindComponentMissing(context, name, minimum, failure);
        return false;
    }
    const Str& version = library.Version;
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
    FindComponentOutdated(context, name, path, version, minimum);
    return false;
}
