#include "SampleFiles.h"

#include "Files.h"
#include "SamplePlaces.h"
#include "SampleTraceLogs.h"

#include "diagnosis/FileByteSource.h"
#include "diagnosis/FileProbe.h"
#include "diagnosis/ImageVersionResource.h"

#include <windows.h>

#include <cstdio>

namespace {

const char* const StubFiles[] = {"VLWork.exe",   "VLUpgrade.exe", "VLTray.exe",
                                 "VLAlert.exe",  "VLWizard.exe",  "VLSched.exe",
                                 "VLBrowse.exe", "VLSPos.exe",    "VLLib.dll"};
const char* const SystemLibraries[] = {"mfc42.dll", "msvcrt.dll"};

// The product writes its logs in the system's ANSI code page: the international variant adds a
// name in Windows-1252 ("Müller") beside the folder names, which are UTF-8. The credentials
// variant adds the service account the setup logged in with.
std::string InstallationLog(const SampleVariant& variant, const std::string& folder) {
    std::string log = "Velmont 2.4 setup log\r\nInstalling to " + folder + "\r\n";
    if (variant.credentials) {
        log += "Service account monitor password=Inst4ll-Secret\r\n";
    }
    if (variant.international) {
        log += "Licensed to M\xFCller\r\n";
    }
    return log + "Registered VLLib.dll\r\nSetup finished: success\r\n";
}

// An incomplete copy: the file ends in the middle of its version block, inside the resource
// section.
bool CutInsideResourceSection(const std::string& path) {
    ResourcePlace place;
    {
        FileByteSource file;
        if (!file.Open(path.c_str()) || !FindVersionResource(file, place)) {
            return false;
        }
    }
    std::string bytes = ReadBytes(path);
    return WriteBytes(path, bytes.substr(0, static_cast<size_t>(place.offset + place.size / 2)));
}

bool LayInstallFolder(const SampleVariant& variant, const std::string& stubFolder) {
    std::string folder = PlacesOf(variant).installFolder;
    if (!MakeFolders(folder)) {
        return false;
    }
    bool ok =
        WriteBytes(folder + "\\Licence.rtf",
                   "{\\rtf1\\ansi Velmont licence agreement for the sample installation.\\par}"
                   "\r\n") &&
        WriteBytes(folder + "\\PresetConfig.ini",
                   "[Main]\r\nVersion=1\r\nTraceMode=0\r\n[Schedule]\r\nEventCount=0\r\n") &&
        WriteBytes(folder + "\\VLInst.log", InstallationLog(variant, folder));
    for (const char* name : StubFiles) {
        if (!variant.everyProductFile && std::string(name) == "VLLib.dll") {
            continue;
        }
        std::string from = stubFolder + "\\product\\" + name;
        std::string to = folder + "\\" + name;
        ok = CopyFileA(from.c_str(), to.c_str(), FALSE) && ok;
        if (!variant.wholeProductFiles && std::string(name) == "VLTray.exe") {
            ok = CutInsideResourceSection(to) && ok;
        }
    }
    return ok;
}

bool LayConfigurationFolder(const SampleVariant& variant) {
    const SamplePlaces& places = PlacesOf(variant);
    const std::string& root = places.configurationRoot;
    return MakeFolders(places.configurationFolder) &&
           WriteBytes(places.reportLog, "08 09:00:00 Report log opened\r\n") &&
           WriteBytes(root + "\\VLWorkTrace.log",
                      MonitorTraceLog(variant.credentials, variant.international)) &&
           WriteBytes(root + "\\VLSchedTrace.log", SchedulerTraceLog(variant.international));
}

// The sample's own stub for a system library, as built beside the tool.
std::string StubLibrary(const std::string& stubFolder, const char* name, bool current) {
    std::string folder = stubFolder + (current ? "\\system\\" : "\\system\\old\\");
    return folder + name;
}

bool IsSampleStub(const std::string& path, const std::string& stubFolder, const char* name) {
    std::string bytes = ReadBytes(path);
    return !bytes.empty() && (bytes == ReadBytes(StubLibrary(stubFolder, name, true)) ||
                              bytes == ReadBytes(StubLibrary(stubFolder, name, false)));
}

// Never replaces a real system library: only a missing one or the sample's own stub.
bool LaySystemLibraries(const SampleVariant& variant, const std::string& stubFolder) {
    std::string system = SystemFolder().Text();
    bool ok = true;
    for (const char* name : SystemLibraries) {
        std::string target = system + "\\" + name;
        bool current = variant.currentClassLibrary || std::string(name) != "mfc42.dll";
        if (GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES &&
            !IsSampleStub(target, stubFolder, name)) {
            fprintf(stderr, "VLSample: kept the system's own %s\n", target.c_str());
            continue;
        }
        ok = CopyFileA(StubLibrary(stubFolder, name, current).c_str(), target.c_str(), FALSE) && ok;
    }
    return ok;
}

} // namespace

bool LaySampleFiles(const SampleVariant& variant, const std::string& stubFolder) {
    return LayInstallFolder(variant, stubFolder) &&
           (!variant.configurationFolder || LayConfigurationFolder(variant)) &&
           LaySystemLibraries(variant, stubFolder);
}

void RemoveSampleFiles(const std::string& stubFolder) {
    const std::string& installFolder = UsualPlaces().installFolder;
    RemoveTree(installFolder.substr(0, installFolder.rfind('\\')));
    RemoveTree(UsualPlaces().configurationRoot);
    std::string system = SystemFolder().Text();
    for (const char* name : SystemLibraries) {
        std::string target = system + "\\" + name;
        if (IsSampleStub(target, stubFolder, name)) {
            DeleteFileA(target.c_str());
        }
    }
}
