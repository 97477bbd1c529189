#pragma once

#include <string>
#include <vector>

// Puts the sample's stub libraries into the 32-bit system folder for one test and restores
// whatever was there before when it goes.
class SystemLibraryScope {
public:
    SystemLibraryScope();
    SystemLibraryScope(const SystemLibraryScope&) = delete;
    SystemLibraryScope& operator=(const SystemLibraryScope&) = delete;
    ~SystemLibraryScope();

    // stub: "system\\mfc42.dll", "system\\old\\mfc42.dll", ... below the sample's stub folder.
    bool Put(const std::string& name, const std::string& stub);
    bool PutBytes(const std::string& name, const std::string& bytes);
    bool Remove(const std::string& name);
    std::string Path(const std::string& name) const;

private:
    void Keep(const std::string& name);

    struct Saved {
        std::string name;
        bool existed;
        std::string bytes;
    };
    std::vector<Saved> saved;
};

std::string StubPath(const std::string& stub);
