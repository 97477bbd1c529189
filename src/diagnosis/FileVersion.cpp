#include "diagnosis/FileVersion.h"

#include "base/CharBuffer.h"
#include "base/TextEncoding.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>

namespace {

const char* const UnknownVersion = "Unknown";

// A loaded image's resources, read without running any of its code.
class ImageResources {
public:
    explicit ImageResources(const char* path)
        : module(LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ImageResources(const ImageResources&) = delete;
    ImageResources& operator=(const ImageResources&) = delete;
    ~ImageResources() {
        if (module) {
            FreeLibrary(module);
        }
    }

    HMODULE Module() const { return module; }

private:
    HMODULE module;
};

// A value of the version block and its length, or null when the query fails or finds nothing.
template <typename Char, typename Query>
const void* QueryVersionValue(Query query, const void* block, const Char* name, UINT& length) {
    void* value = nullptr;
    length = 0;
    if (!query(block, name, &value, &length) || length == 0 || !value) {
        return nullptr;
    }
    return value;
}

// The FileVersion string of the first translation the block lists, as the system's reader gives
// the block. Its strings are in the process's code page, which is UTF-8.
Str FileVersionOfSystemBlock(const char* block) {
    UINT length = 0;
    const WORD* translation = static_cast<const WORD*>(
        QueryVersionValue(VerQueryValueA, block, "\\VarFileInfo\\Translation", length));
    if (!translation || length < 2 * sizeof(WORD)) {
        return Str(UnknownVersion);
    }
    char query[64];
    snprintf(query, sizeof query, "\\StringFileInfo\\%04x%04x\\FileVersion", translation[0],
             translation[1]);
    const char* version =
        static_cast<const char*>(QueryVersionValue(VerQueryValueA, block, query, length));
    if (!version) {
        return Str(UnknownVersion);
    }
    // A damaged resource may lack the terminator: never read past the value.
    return Str(version, static_cast<int32_t>(strnlen(version, length)));
}

// The same for a block of UTF-16 strings, the form of every 32-bit image's version resource.
Str FileVersionOfImageBlock(const char* block) {
    UINT length = 0;
    const WORD* translation = static_cast<const WORD*>(
        QueryVersionValue(VerQueryValueW, block, L"\\VarFileInfo\\Translation", length));
    if (!translation || length < 2 * sizeof(WORD)) {
        return Str(UnknownVersion);
    }
    wchar_t query[64];
    swprintf(query, sizeof query / sizeof query[0], L"\\StringFileInfo\\%04x%04x\\FileVersion",
             translation[0], translation[1]);
    const wchar_t* version =
        static_cast<const wchar_t*>(QueryVersionValue(VerQueryValueW, block, query, length));
    if (!version) {
        return Str(UnknownVersion);
    }
    return Utf8FromWide(version, static_cast<int32_t>(wcsnlen(version, length)));
}

// The system's reader maps the file once to size the block and once more to read it.
Str FileVersionBySystem(const char* path) {
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &handle);
    if (size == 0) {
        return Str(UnknownVersion);
    }
    CharBuffer block(size);
    if (!block.Data()) {
        return Str(UnknownVersion);
    }
    GetFileVersionInfoA(path, handle, size, block.Data());
    return FileVersionOfSystemBlock(block.Data());
}

// A 32-bit block starts with its length, its value's length and a type of 0 or 1, where a
// 16-bit block has the first character of its name.
bool IsImageVersionBlock(const void* data, DWORD size) {
    const WORD* header = static_cast<const WORD*>(data);
    return size >= 3 * sizeof(WORD) && header[0] <= size && header[2] <= 1;
}

// Reads a 32-bit image's version resource with a single mapping of the file; false for anything
// else (no image, no resource, a 16-bit block), which the system's reader then takes.
bool ReadImageFileVersion(const char* path, Str& version) {
    ImageResources image(path);
    if (!image.Module()) {
        return false;
    }
    HRSRC resource = FindResourceA(image.Module(), MAKEINTRESOURCEA(VS_VERSION_INFO),
                                   MAKEINTRESOURCEA(16)); // RT_VERSION
    HGLOBAL loaded = resource ? LoadResource(image.Module(), resource) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    DWORD size = data ? SizeofResource(image.Module(), resource) : 0;
    if (!IsImageVersionBlock(data, size)) {
        return false;
    }
    // A copy with a zeroed tail, as the queries expect of a block they may walk to its end.
    CharBuffer block(size + sizeof(DWORD));
    if (!block.Data()) {
        return false;
    }
    memcpy(block.Data(), data, size);
    version = FileVersionOfImageBlock(block.Data());
    return true;
}

} // namespace

Str GetFileVersionText(const char* path) {
    Str version;
    return ReadImageFileVersion(path, version) ? version : FileVersionBySystem(path);
}
