#pragma once

#include "Files.h"

#include <windows.h>

#include <string>

// A private folder under the temporary folder, removed with everything in it at the end.
class ScratchFolder {
public:
    ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder();

    const std::string& Path() const { return path; }
    std::string File(const std::string& name) const { return path + "\\" + name; }

private:
    std::string path;
};
