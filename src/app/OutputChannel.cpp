#include "app/OutputChannel.h"

#include "base/SystemErrorText.h"
#include "base/TextEncoding.h"
#include "base/WholeFile.h"

#include <windows.h>

namespace {

bool WriteAll(HANDLE handle, const char* data, int32_t length) {
    while (length > 0) {
        DWORD written = 0;
        if (!WriteFile(handle, data, static_cast<DWORD>(length), &written, nullptr) ||
            written == 0) {
            return false;
        }
        data += written;
        length -= static_cast<int32_t>(written);
    }
    return true;
}

// A console shows UTF-16 whatever its code page; files and pipes get the UTF-8 bytes.
bool WriteText(HANDLE handle, const Str& text) {
    DWORD mode = 0;
    if (!GetConsoleMode(handle, &mode)) {
        return WriteAll(handle, text.Text(), text.Length());
    }
    std::wstring wide = WideFromUtf8(text);
    const wchar_t* data = wide.data();
    DWORD left = static_cast<DWORD>(wide.size());
    while (left > 0) {
        DWORD written = 0;
        if (!WriteConsoleW(handle, data, left, &written, nullptr) || written == 0) {
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

// A window program has no console of its own: started from a command prompt it borrows the
// prompt's console; started with redirected handles (a script, a pipe) it uses those.
HANDLE StandardHandle(DWORD which) {
    HANDLE handle = GetStdHandle(which);
    if (handle && handle != INVALID_HANDLE_VALUE) {
        return handle;
    }
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) {
        return nullptr;
    }
    handle = CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    SetStdHandle(which, handle);
    return handle;
}

} // namespace

bool WriteToFile(const char* path, const Str& text, uint32_t& error) {
    return WriteWholeFile(path, text.Text(), text.Length(), error);
}

bool WriteToStandardOutput(const Str& text, uint32_t& error) {
    HANDLE output = StandardHandle(STD_OUTPUT_HANDLE);
    if (output && WriteText(output, text)) {
        return true;
    }
    error = GetLastError();
    return false;
}

void WriteFailureToStandardError(const Str& what, uint32_t error) {
    Str reason = SystemErrorText(error);
    int32_t length = reason.Length();
    while (length > 0 && (reason.Text()[length - 1] == '\r' || reason.Text()[length - 1] == '\n')) {
        --length;
    }
    Str line;
    line.Format("VLDoctor: %s: %.*s (%lu)\r\n", what.Text(), static_cast<int>(length),
                reason.Text(), static_cast<unsigned long>(error));
    WriteToStandardError(line);
}

void WriteToStandardError(const Str& text) {
    HANDLE error = StandardHandle(STD_ERROR_HANDLE);
    if (error) {
        WriteText(error, text);
    }
}
