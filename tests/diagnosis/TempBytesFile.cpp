#include "TempBytesFile.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

std::string TempFolder() {
    for (const char* name : {"TEMP", "TMPDIR"}) {
        const char* value = getenv(name);
        if (value && *value) {
            return value;
        }
    }
    return "/tmp";
}

} // namespace

TempBytesFile::TempBytesFile() {
    static unsigned serial = 0;
    char name[96];
    snprintf(name, sizeof name, "/vld-tail-%lx-%p-%u.log",
             static_cast<unsigned long>(time(nullptr)), static_cast<void*>(&serial), ++serial);
    path = TempFolder() + name;
}

TempBytesFile::~TempBytesFile() {
    remove(path.c_str());
}

bool TempBytesFile::Write(const std::string& bytes) {
    FILE* file = fopen(path.c_str(), "wb");
    if (!file) {
        return false;
    }
    bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && written;
}

bool TempBytesFile::WriteAt(int64_t offset, const std::string& bytes) {
    FILE* file = fopen(path.c_str(), "r+b");
    if (!file) {
        file = fopen(path.c_str(), "w+b");
    }
    if (!file) {
        return false;
    }
    bool written = fseeko64(file, offset, SEEK_SET) == 0 &&
                   fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && written;
}
