#include "base/WholeFile.h"

#include "base/TextEncoding.h"

#include <windows.h>

#include <cstring>
#include <cwchar>

namespace {

// A name taken by a file left from an earlier run is skipped; this many tries at most.
const unsigned TemporaryNameTries = 64;

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { Close(); }

    bool Valid() const { return handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle; }
    bool Close() {
        bool closed = !Valid() || CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle;
};

bool WriteAll(HANDLE file, const char* data, int32_t length) {
    while (length > 0) {
        DWORD written = 0;
        if (!WriteFile(file, data, static_cast<DWORD>(length), &written, nullptr) || written == 0) {
            return false;
        }
        data += written;
        length -= static_cast<int32_t>(written);
    }
    return true;
}

// The folder part of a path, with its separator: the temporary file must lie on FILE's volume
// for the move to be one step.
std::wstring FolderOf(const std::wstring& path) {
    size_t end = path.find_last_of(L"\\/:");
    return end == std::wstring::npos ? std::wstring() : path.substr(0, end + 1);
}

// Longer than MAX_PATH, made absolute and given the \\?\ prefix.
std::wstring Extended(const std::wstring& wide) {
    if (wide.size() < MAX_PATH || wide.compare(0, 4, L"\\\\?\\") == 0) {
        return wide;
    }
    DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    DWORD length = size ? GetFullPathNameW(wide.c_str(), size, &full[0], nullptr) : 0;
    if (length == 0 || length >= size) {
        return wide;
    }
    full.resize(length);
    if (full.compare(0, 2, L"\\\\") == 0) {
        return L"\\\\?\\UNC\\" + full.substr(2);
    }
    return L"\\\\?\\" + full;
}

// The temporary name is longer than FILE's, so it may pass MAX_PATH where FILE does not.
HANDLE CreateTemporaryBeside(const std::wstring& target, std::wstring& temporary) {
    std::wstring folder = FolderOf(target);
    for (unsigned attempt = 0; attempt < TemporaryNameTries; ++attempt) {
        wchar_t name[64];
        swprintf(name, sizeof name / sizeof name[0], L"~VLDoctor-%lx-%x.tmp",
                 static_cast<unsigned long>(GetCurrentProcessId()), attempt);
        temporary = Extended(folder + name);
        HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
            return file;
        }
    }
    return INVALID_HANDLE_VALUE;
}

// Wine's replace call can move a read-only FILE or a folder aside to a name of its own and leave
// it there: such a FILE is refused before, with the code Windows gives. A FILE open without
// sharing its removal is refused by the replace itself, which, given a backup name, leaves both
// files as they were on Wine as on Windows.
bool CanBeReplaced(DWORD attributes) {
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    return true;
}

// ReplaceFileW renames FILE aside before it moves the new file in. When that move fails
// (ERROR_UNABLE_TO_MOVE_REPLACEMENT_2), FILE lives on only under the backup name, and without one
// under a name of the system's choosing (ERROR_UNABLE_TO_MOVE_REPLACEMENT: not at all): so a
// backup name is always given, FILE is put back from it, and it is removed after a success.
bool ReplaceKeepingTarget(const std::wstring& temporary, const std::wstring& target,
                          ReplaceFileCall replace) {
    std::wstring backup = Extended(temporary + L".old");
    if (replace(target.c_str(), temporary.c_str(), backup.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS,
                nullptr, nullptr)) {
        DeleteFileW(backup.c_str());
        return true;
    }
    DWORD error = GetLastError();
    if (GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES) {
        MoveFileExW(backup.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
    }
    SetLastError(error);
    return false;
}

// ReplaceFileW keeps the existing file's security settings and attributes; it needs a file to
// replace, so a new FILE is a plain rename.
bool MoveOver(const std::wstring& temporary, const std::wstring& target, ReplaceFileCall replace) {
    DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return MoveFileExW(temporary.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    }
    return CanBeReplaced(attributes) && ReplaceKeepingTarget(temporary, target, replace);
}

bool WriteAndClose(FileHandle& file, const char* data, int32_t length, uint32_t& error) {
    if (!WriteAll(file.Get(), data, length) || !FlushFileBuffers(file.Get())) {
        error = GetLastError();
        return false;
    }
    if (!file.Close()) {
        error = GetLastError();
        return false;
    }
    return true;
}

// FILE may name a device (NUL, a console, a pipe) rather than a file: there is nothing to
// replace, and the bytes go to it as they come. An existing file is left as it was.
HANDLE OpenDevice(const std::wstring& target) {
    HANDLE opened = CreateFileW(target.c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (opened != INVALID_HANDLE_VALUE && GetFileType(opened) == FILE_TYPE_DISK) {
        CloseHandle(opened);
        return INVALID_HANDLE_VALUE;
    }
    return opened;
}

} // namespace

std::wstring ExtendedPath(const char* path) {
    return Extended(WideFromUtf8(path, static_cast<int32_t>(strlen(path))));
}

bool WriteWholeFile(const char* path, const char* data, int32_t length, uint32_t& error,
                    ReplaceFileCall replace) {
    std::wstring target = ExtendedPath(path);
    FileHandle device(OpenDevice(target));
    if (device.Valid()) {
        bool written = WriteAll(device.Get(), data, length);
        error = written ? 0 : GetLastError();
        return written;
    }
    std::wstring temporary;
    FileHandle file(CreateTemporaryBeside(target, temporary));
    if (!file.Valid()) {
        error = GetLastError();
        return false;
    }
    bool written = WriteAndClose(file, data, length, error);
    if (written && !MoveOver(temporary, target, replace)) {
        error = GetLastError();
        written = false;
    }
    if (!written) {
        file.Close();
        DeleteFileW(temporary.c_str());
    }
    return written;
}
