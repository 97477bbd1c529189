#include "Snapshot.h"

#include "Registry.h"

#include <windows.h>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

std::string Hex(const BYTE* data, DWORD size) {
    std::string text;
    char digits[3];
    for (DWORD i = 0; i < size; ++i) {
        snprintf(digits, sizeof digits, "%02x", data[i]);
        text += digits;
    }
    return text;
}

void AppendValues(HKEY key, const std::string& path, std::string& out) {
    std::vector<char> name(16384);
    std::vector<BYTE> data(1 << 20);
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = static_cast<DWORD>(name.size());
        DWORD dataSize = static_cast<DWORD>(data.size());
        DWORD type = 0;
        if (RegEnumValueA(key, i, name.data(), &nameSize, nullptr, &type, data.data(), &dataSize) !=
            ERROR_SUCCESS) {
            break;
        }
        out += path + " [" + std::string(name.data(), nameSize) + "] type " + std::to_string(type) +
               " = " + Hex(data.data(), dataSize) + "\n";
    }
}

void AppendTree(HKEY root, const std::string& path, REGSAM view, std::string& out) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) {
        return;
    }
    out += "key " + path + "\n";
    AppendValues(key, path, out);
    std::vector<std::string> children;
    char child[512];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof child;
        if (RegEnumKeyExA(key, i, child, &size, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        children.emplace_back(child, size);
    }
    RegCloseKey(key);
    for (const std::string& name : children) {
        AppendTree(root, path + "\\" + name, view, out);
    }
}

} // namespace

std::string SnapshotProductRegistry() {
    std::string out;
    const struct {
        HKEY root;
        const char* name;
        const char* path;
    } trees[] = {
        {HKEY_CURRENT_USER, "HKCU", TestRegistry::ProductRoot},
        {HKEY_LOCAL_MACHINE, "HKLM", TestRegistry::ProductRoot},
        {HKEY_LOCAL_MACHINE, "HKLM", TestRegistry::UninstallPath},
    };
    for (const auto& tree : trees) {
        for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
            out += std::string("== ") + tree.name + (view == KEY_WOW64_32KEY ? " 32\n" : " 64\n");
            AppendTree(tree.root, tree.path, view, out);
        }
    }
    return out;
}

std::string SnapshotFolder(const std::string& path) {
    std::string out;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return out;
    }
    std::vector<WIN32_FIND_DATAA> entries;
    do {
        std::string name = entry.cFileName;
        if (name != "." && name != "..") {
            entries.push_back(entry);
        }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    for (const WIN32_FIND_DATAA& found : entries) {
        std::string child = path + "\\" + found.cFileName;
        char times[64];
        snprintf(times, sizeof times, " written %08lx%08lx attributes %lx",
                 found.ftLastWriteTime.dwHighDateTime, found.ftLastWriteTime.dwLowDateTime,
                 found.dwFileAttributes);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out += "folder " + child + times + "\n" + SnapshotFolder(child);
            continue;
        }
        FILE* file = fopen(child.c_str(), "rb");
        std::string contents;
        if (file) {
            char buffer[65536];
            size_t got;
            while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) {
                contents.append(buffer, got);
            }
            fclose(file);
        }
        out += "file " + child + " size " + std::to_string(found.nFileSizeLow) + times + " hash " +
               std::to_string(std::hash<std::string>()(contents)) + "\n";
    }
    return out;
}
