#pragma once

#include "base/Str.h"

#include <cstdint>

// What belongs to the machine rather than to a user, read on the first ask and kept: the
// system's version and computer name, the system libraries and the uninstall entry. A run over
// every user hands one set to each user's pass, so the machine is read once.
class MachineReadings {
public:
    struct Library {
        Str Name;
        Str Path;
        bool Opened = false;
        uint32_t OpenError = 0; // the system's reason when it did not open
        Str Version;
    };
    struct Version {
        uint32_t Major = 0;
        uint32_t Minor = 0;
        uint32_t Build = 0;
        uint32_t Platform = 0;
        Str ServicePack;
    };
    static constexpr int32_t MostLibraries = 4;

    const Version& SystemVersion();
    // Empty when the system cannot say.
    const Str& ComputerName();
    const Library& SystemLibrary(const char* name);
    // The entry is there and names no uninstall command.
    bool UninstallCommandMissing();
    void Clear();

private:
    bool versionRead = false;
    Version version;
    bool computerRead = false;
    Str computer;
    Library libraries[MostLibraries];
    int32_t libraryCount = 0;
    bool uninstallRead = false;
    bool uninstallCommandMissing = false;
};
