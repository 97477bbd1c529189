#include "SystemLibraries.h"

#include "diagnosis/FileProbe.h"

#include "Programs.h"
#include "Scratch.h"

#include <windows.h>

std::string StubPath(const std::string& stub) {
    return ProgramFolder() + "\\sample\\" + stub;
}

SystemLibraryScope::SystemLibraryScope() = default;

SystemLibraryScope::~SystemLibraryScope() {
    for (auto it = saved.rbegin(); it != saved.rend(); ++it) {
        std::string path = Path(it->name);
        if (it->existed) {
            WriteBytes(path, it->bytes);
        } else {
            DeleteFileA(path.c_str());
        }
    }
}

std::string SystemLibraryScope::Path(const std::string& name) const {
    return std::string(SystemFolder().Text()) + "\\" + name;
}

void SystemLibraryScope::Keep(const std::string& name) {
    for (const Saved& entry : saved) {
        if (entry.name == name) {
            return;
        }
    }
    std::string path = Path(name);
    bool existed = GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    saved.push_back({name, existed, existed ? ReadBytes(path) : std::string()});
}

bool SystemLibraryScope::Put(const std::string& name, const std::string& stub) {
    Keep(name);
    return CopyFileA(StubPath(stub).c_str(), Path(name).c_str(), FALSE) != 0;
}

bool SystemLibraryScope::PutBytes(const std::string& name, const std::string& bytes) {
    Keep(name);
    return WriteBytes(Path(name), bytes);
}

bool SystemLibraryScope::Remove(const std::string& name) {
    Keep(name);
    std::string path = Path(name);
    return DeleteFileA(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}
