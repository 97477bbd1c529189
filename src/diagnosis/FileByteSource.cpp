#include "diagnosis/FileByteSource.h"

FileByteSource::~FileByteSource() {
    Close();
}

void FileByteSource::Close() {
    if (file) {
        fclose(file);
        file = nullptr;
    }
    size = 0;
}

bool FileByteSource::Open(const char* path) {
    Close();
    file = fopen(path, "rb");
    if (!file) {
        return false;
    }
    if (fseeko64(file, 0, SEEK_END) == 0) {
        int64_t end = ftello64(file);
        size = end > 0 ? end : 0;
    }
    return true;
}

bool FileByteSource::ReadAt(int64_t offset, char* buffer, int32_t count) {
    if (!file || offset < 0 || count < 0 || offset > size - count) {
        return false;
    }
    if (fseeko64(file, offset, SEEK_SET) != 0) {
        return false;
    }
    return fread(buffer, 1, static_cast<size_t>(count), file) == static_cast<size_t>(count);
}
