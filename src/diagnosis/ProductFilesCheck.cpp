#include "diagnosis/ProductFilesCheck.h"

#include "diagnosis/FileProbe.h"
#include "diagnosis/ReportLine.h"

#include <cstring>

const char* const ProductFileTable[] = {
    "Licence.rtf",  "PresetConfig.ini", "VLWork.exe",   "VLUpgrade.exe",
    "VLTray.exe",   "VLAlert.exe",      "VLWizard.exe", "VLSched.exe",
    "VLBrowse.exe", "VLSPos.exe",       "VLLib.dll",    "",
};

namespace {

const int32_t FilesPresent = 0;
const int32_t SystemComponentFailed = 5;
const int32_t ProductFileMissing = 6;

// False when the file cannot be opened (the probe has reported why).
bool ReportProductFile(RunContext& context, const char* name) {
    Str path;
    path.Format("%s\\%s", context.InstallFolder.Text(), name);
    if (!ProbeFile(context, path)) {
        return false;
    }
    Str version = GetFileVersionText(path.Text());
    if (!version.IsEmpty() && strcmp(version.Text(), "Unknown") != 0) {
        Str line;
        line.Format("File '%s' Version %s\r\n", path.Text(), version.Text());
        context.AppendToReport(WholeLine(line));
    }
    return true;
}

} // namespace

int32_t ProductFilesCheck(RunContext& context) {
    if (!CheckSystemComponent(context, "mfc42.dll", 4, 21, 7022) ||
        !CheckSystemComponent(context, "msvcrt.dll", 5, 0, 7022)) {
        return SystemComponentFailed;
    }
    if (context.InstallFolder.IsEmpty()) {
        return FilesPresent;
    }
    bool missing = false;
    for (const char* const* name = ProductFileTable; **name; ++name) {
        if (!ReportProductFile(context, *name)) {
            missing = true;
        }
    }
    return missing ? ProductFileMissing : FilesPresent;
}
