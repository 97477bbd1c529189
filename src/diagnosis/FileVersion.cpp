#include "diagnosis/FileVersion.h"

#include "base/CharBuffer.h"
#include "base/TextEncoding.h"
#include "diagnosis/ImageVersionResource.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

const char* const UnknownVersion = "Unknown";

// A value of the version block and its length, or null when the query fails or finds nothing.
const void* QueryVersionValue(const void* block, const wchar_t* name, UINT& length) {
    void* value = nullptr;
    length = 0;
    if (!VerQueryValueW(block, name, &value, &length) || length == 0 || !value) {
        return nullptr;
    }
    return value;
}

// The FileVersion string of the first translation the block lists. The wide query reads both
// forms of block: a 16-bit one is converted in the room the system's reader leaves for that.
Str FileVersionOfBlock(const char* block) {
    UINT length = 0;
    const WORD* translation =
        static_cast<const WORD*>(QueryVersionValue(block, L"\\VarFileInfo\\Translation", length));
    if (!translation || length < 2 * sizeof(WORD)) {
        return Str(UnknownVersion);
    }
    char query[64];
    int queryLength = snprintf(query, sizeof query, "\\StringFileInfo\\%04x%04x\\FileVersion",
                               translation[0], translation[1]);
    const wchar_t* version = static_cast<const wchar_t*>(
        QueryVersionValue(block, WideFromUtf8(query, queryLength).c_str(), length));
    if (!version) {
        return Str(UnknownVersion);
    }
    // A damaged resource may lack the terminator: never read past the value.
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
    return FileVersionOfBlock(block.Data());
}

// A 32-bit block starts with its length, its value's length and a type of 0 or 1, where a
// 16-bit block has the first character of its name. Only a 32-bit block may be queried in a
// copy of the resource: the wide query converts a 16-bit block into room behind it.
bool IsImageVersionBlock(const void* data, DWORD size) {
    const WORD* header = static_cast<const WORD*>(data);
    return size >= 3 * sizeof(WORD) && header[0] <= size && header[2] <= 1;
}

// Every file the system's reader takes a version from is an executable image, which starts
// with "MZ"; for anything else it would only map the file twice to find nothing.
bool IsExecutableImage(ByteSource& file) {
    char magic[2];
    return file.ReadAt(0, magic, sizeof magic) && magic[0] == 'M' && magic[1] == 'Z';
}

// Reads an image's version resource with plain reads of the file, where the system's reader
// maps the file twice; false for anything else (no plain resource, a 16-bit block), which the
// system's reader then takes.
bool ReadImageFileVersion(ByteSource& file, Str& version) {
    ResourcePlace place;
    if (!FindVersionResource(file, place)) {
        return false;
    }
    // A zeroed tail, as the queries expect of a block they may walk to its end.
    CharBuffer block(place.size + sizeof(DWORD));
    if (!block.Data() ||
        !file.ReadAt(place.offset, block.Data(), static_cast<int32_t>(place.size)) ||
        !IsImageVersionBlock(block.Data(), place.size)) {
        return false;
    }
    version = FileVersionOfBlock(block.Data());
    return true;
}

} // namespace

Str GetFileVersionText(ByteSource& file, const char* path) {
    if (!IsExecutableImage(file)) {
        return Str(UnknownVersion);
    }
    Str version;
    if (ReadImageFileVersion(file, version)) {
        return version;
    }
    return FileVersionBySystem(path);
}
