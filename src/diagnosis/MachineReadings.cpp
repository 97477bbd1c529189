#include "diagnosis/MachineReadings.h"

#include "base/JoinPath.h"
#include "base/RegKey.h"
#include "base/TextEncoding.h"
#include "diagnosis/FileByteSource.h"
#include "diagnosis/FileProbe.h"
#include "diagnosis/FileVersion.h"
#include "diagnosis/InstallationCheck.h"

#include <windows.h>

#include <lmcons.h>

#include <cstring>

const MachineReadings::Version& MachineReadings::SystemVersion() {
    if (!versionRead) {
        OSVERSIONINFOA system = {};
        system.dwOSVersionInfoSize = sizeof system;
        GetVersionExA(&system);
        version.Major = system.dwMajorVersion;
        version.Minor = system.dwMinorVersion;
        version.Build = system.dwBuildNumber;
        version.Platform = system.dwPlatformId;
        version.ServicePack = system.szCSDVersion;
        versionRead = true;
    }
    return version;
}

// Read in UTF-16 and given in UTF-8: the UTF-8 code page needs bytes where Wine's ...A calls
// count characters.
const Str& MachineReadings::ComputerName() {
    if (!computerRead) {
        wchar_t name[UNLEN + 1];
        DWORD size = UNLEN + 1;
        computer =
            GetComputerNameW(name, &size) ? Utf8FromWide(name, static_cast<int32_t>(size)) : Str();
        computerRead = true;
    }
    return computer;
}

const MachineReadings::Library& MachineReadings::SystemLibrary(const char* name) {
    for (int32_t i = 0; i < libraryCount; ++i) {
        if (strcmp(libraries[i].Name.Text(), name) == 0) {
            return libraries[i];
        }
    }
    // Past the table's room the last row is read again: the Doctor asks for two libraries.
    Library& library = libraries[libraryCount < MostLibraries ? libraryCount++ : MostLibraries - 1];
    library = Library();
    library.Name = name;
    library.Path = JoinPath(SystemFolder(), name);
    FileByteSource file;
    library.Opened = file.Open(library.Path.Text());
    library.OpenError = file.OpenError();
    if (library.Opened) {
        library.Version = GetFileVersionText(file, library.Path.Text());
    }
    return library;
}

// A missing entry is no fault; one without a command is.
bool MachineReadings::UninstallCommandMissing() {
    if (!uninstallRead) {
        RegKey uninstall;
        uninstallCommandMissing = RegKey::MachineKeyExists(ProductUninstallKey) &&
                                  uninstall.OpenMachineKey(ProductUninstallKey, true) &&
                                  uninstall.GetString("UninstallString", "").IsEmpty();
        uninstallRead = true;
    }
    return uninstallCommandMissing;
}

void MachineReadings::Clear() {
    versionRead = false;
    computerRead = false;
    libraryCount = 0;
    uninstallRead = false;
}
