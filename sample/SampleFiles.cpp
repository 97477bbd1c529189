#include "SampleFiles.h"

#include "SamplePlaces.h"
#include "SampleTraceLogs.h"

#include "diagnosis/FileProbe.h"

#include <windows.h>

#include <cstdio>

namespace {

const char* const StubFiles[] = {"VLWork.exe",   "VLUpgrade.exe", "VLTray.exe",
                                 "VLAlert.exe",  "VLWizard.exe",  "VLSched.exe",
                                 "VLBrowse.exe", "VLSPos.exe",    "VLLib.dll"};
const char* const SystemLibraries[] = {"mfc42.dll", "msvcrt.dll"};

bool WriteText(const std::string& path, const std::string& text) {
    FILE* file = fopen(path.c_str(), "wb");
    if (!file) {
        return false;
    }
    bool written = fwrite(text.data(), 1, text.size(), file) == text.size();
    return fclose(file) == 0 && written;
}

std::string ReadAll(const std::string& path) {
    std::string bytes;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file) {
        return bytes;
    }
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, got);
    }
    fclose(file);
    return bytes;
}

// Creates the folder and every missing folder above it.
bool MakeFolders(const std::string& path) {
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1)) {
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    }
    return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            std::string child = path + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

// The product writes its logs in the system's ANSI code page: the international variant adds a
// name in Windows-1252 ("Müller") beside the folder names, which are UTF-8.
std::string InstallLog(const SampleVariant& variant, const std::string& folder) {
    std::string log = "Velmont 2.4 setup log\r\nInstalling to " + folder + "\r\n";
    if (variant.international) {
        log += "Licensed to M\xFCller\r\n";
    }
    return log + "Registered VLLib.dll\r\nSetup finished: success\r\n";
}

bool LayInstallFolder(const SampleVariant& variant, const std::string& stubFolder) {
    std::string folder = PlacesOf(variant).installFolder;
    if (!MakeFolders(folder)) {
        return false;
    }
    bool ok = WriteText(folder + "\\Licence.rtf",
                        "{\\rtf1\\ansi Velmont licence agreement for the sample installation.\\par}"
                        "\r\n") &&
              WriteText(folder + "\\PresetConfig.ini",
                        "[Main]\r\nVersion=1\r\nTraceMode=0\r\n[Schedule]\r\nEventCount=0\r\n") &&
              WriteText(folder + "\\VLInst.log", InstallLog(variant, folder));
    for (const char* name : StubFiles) {
        if (!variant.everyProductFile && std::string(name) == "VLLib.dll") {
            continue;
        }
        std::string from = stubFolder + "\\product\\" + name;
        ok = CopyFileA(from.c_str(), (folder + "\\" + name).c_str(), FALSE) && ok;
    }
    return ok;
}

bool LayConfigurationFolder(const SampleVariant& variant) {
    const SamplePlaces& places = PlacesOf(variant);
    const std::string& root = places.configurationRoot;
    return MakeFolders(places.configurationFolder) &&
           WriteText(places.reportLog, "08 09:00:00 Report log opened\r\n") &&
           WriteText(root + "\\VLWorkTrace.log", MonitorTraceLog(variant.international)) &&
           WriteText(root + "\\VLSchedTrace.log", SchedulerTraceLog(variant.international));
}

// The sample's own stub for a system library, as built beside the tool.
std::string StubLibrary(const std::string& stubFolder, const char* name, bool current) {
    std::string folder = stubFolder + (current ? "\\system\\" : "\\system\\old\\");
    return folder + name;
}

bool IsSampleStub(const std::string& path, const std::string& stubFolder, const char* name) {
    std::string bytes = ReadAll(path);
    return !bytes.empty() && (bytes == ReadAll(StubLibrary(stubFolder, name, true)) ||
                              bytes == ReadAll(StubLibrary(stubFolder, name, false)));
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
