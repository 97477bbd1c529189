#include "diagnosis/ProductFilesCheck.h"

#include "base/JoinPath.h"
#include "diagnosis/FileProbe.h"
#include "diagnosis/FileVersion.h"
#include "diagnosis/ReportLine.h"

#include <windows.h>

#include <cstring>

const char* const ProductFileTable[] = {
    "Licence.rtf",  "PresetConfig.ini", "VLWork.exe",   "VLUpgrade.exe",
    "VLTray.exe",   "VLAlert.exe",      "VLWizard.exe", "VLSched.exe",
    "VLBrowse.exe", "VLSPos.exe",       "VLLib.dll",    "",
};

namespace {

bool IsNotFound(uint32_t code) {
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
}

void FindProductFileFailure(RunContext& context, const char* name, const Evidence& failure) {
    bool missing = IsNotFound(failure.ErrorCode);
    Str title;
    Str fix;
    if (missing) {
        title.Format("The product file %s is missing", name);
        fix.Format("Reinstall Velmont to restore '%s'.", failure.Path.Text());
    } else {
        title.Format("The product file %s cannot be opened", name);
        fix.Format("Make sure that this user may read '%s' and that no program holds it locked "
                   "(the system answered: %s).",
                   failure.Path.Text(), failure.ErrorText.Text());
    }
    context.AddFinding(missing ? FindingId::ProductFileMissing : FindingId::ProductFileUnreadable,
                       title, fix, failure);
}

// Programs and libraries carry a version resource: one whose version cannot be read is damaged
// (cut short, overwritten) or not the product's, where a document has no version by design.
bool IsProgramFile(const char* name) {
    const char* dot = strrchr(name, '.');
    return dot && (_stricmp(dot, ".exe") == 0 || _stricmp(dot, ".dll") == 0);
}

void FindUnreadableVersion(RunContext& context, const char* name, const Str& path,
                           const Str& version) {
    Evidence evidence;
    evidence.Path = path;
    evidence.Found = version;
    Str title;
    title.Format("The version of the product file %s cannot be read", name);
    Str fix;
    fix.Format("Reinstall Velmont to restore '%s': a program file without a readable version is "
               "damaged or not Velmont's.",
               path.Text());
    context.AddFinding(FindingId::ProductFileVersionUnreadable, title, fix, evidence);
}

// False when the file cannot be opened (the probe has reported why).
bool ReportProductFile(RunContext& context, const char* name) {
    Str path = JoinPath(context.InstallFolder, name);
    Evidence failure;
    FileByteSource file;
    bool opened = ProbeFile(context, path, file, &failure);
    Str version = opened ? GetFileVersionText(file, path.Text()) : Str();
    Str code;
    if (!opened) {
        code.Format("%u", static_cast<unsigned>(failure.ErrorCode));
    }
    StrList& rows = context.Facts.ProductFiles;
    rows.Add(path);
    rows.Add(version);
    rows.Add(failure.ErrorText);
    rows.Add(code);
    if (!opened) {
        FindProductFileFailure(context, name, failure);
        return false;
    }
    bool known = !version.IsEmpty() && strcmp(version.Text(), "Unknown") != 0;
    if (known) {
        Str line;
        line.Format("File '%s' Version %s\r\n", path.Text(), version.Text());
        context.AppendToReport(WholeLine(line));
    } else if (IsProgramFile(name)) {
        FindUnreadableVersion(context, name, path, version);
    }
    return true;
}

} // namespace

StageCode ProductFilesCheck(RunContext& context) {
    if (!CheckSystemComponent(context, "mfc42.dll", 4, 21, 7022) ||
        !CheckSystemComponent(context, "msvcrt.dll", 5, 0, 7022)) {
        return FilesCode::SystemComponentFailed;
    }
    if (context.InstallFolder.IsEmpty()) {
        return FilesCode::Present;
    }
    bool missing = false;
    for (const char* const* name = ProductFileTable; **name; ++name) {
        if (!ReportProductFile(context, *name)) {
            missing = true;
        }
    }
    return missing ? FilesCode::ProductFileMissing : FilesCode::Present;
}
