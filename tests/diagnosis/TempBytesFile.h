#pragma once

#include <cstdint>
#include <string>

// A file in the temporary folder (TEMP, else TMPDIR, else /tmp), removed at the end.
class TempBytesFile {
public:
    TempBytesFile();
    TempBytesFile(const TempBytesFile&) = delete;
    TempBytesFile& operator=(const TempBytesFile&) = delete;
    ~TempBytesFile();

    const std::string& Path() const { return path; }
    // Replaces the file's contents.
    bool Write(const std::string& bytes);
    // Writes bytes at offset; the file grows as needed (with a hole, where the system can).
    bool WriteAt(int64_t offset, const std::string& bytes);

private:
    std::string path;
};
