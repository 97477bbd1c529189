#include "diagnosis/ProductFilesCheck.h"

#include "base/JoinPath.h"
#include "diagnosis/FileProbe.h"
#include "diagnosis/FileVersion.h"
#include "diagnosis/ReportLine.h"

#include <cstring>

const char* const ProductFileTable[] = {
    "Licence.rtf",  "PresetConfig.ini", "VLWork.exe",   "VLUpgrade.exe",
    "VLTray.exe",   "VLAlert.exe",      "VLWizard.exe", "VLSched.exe",
    "VLBrowse.exe", "VLSPos.exe",       "VLLib.dll",    "",
};

namespace {

// False when the file cannot be opened (the probe has reported why).
bool ReportProductFile(RunContext& context, const char* name) {
    Str path = JoinPath(context.InstallFolder, name);
    Str error;
    bool opened = ProbeFile(context, path, &error);
    Str version = opened ? GetFileVersionText(path.Text()) : Str();
    StrList& rows = context.Facts.ProductFiles;
    rows.Add(path);
    rows.Add(version);
    rows.Add(error);
    if (!opened) {
        return false;
    }
    if (!version.IsEmpty() && strcmp(version.Text(), "Unknown") != 0) {
        Str line;
        line.Format("File '%s' Version %s\r\n", path.Text(), version.Text());
        context.AppendToReport(WholeLine(line));
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
