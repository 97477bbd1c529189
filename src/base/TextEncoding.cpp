#include "base/TextEncoding.h"

#include <windows.h>

#include <cstring>

namespace {

bool IsAscii(const char* text, int32_t length) {
    for (int32_t i = 0; i < length; ++i) {
        if (static_cast<unsigned char>(text[i]) >= 0x80) {
            return false;
        }
    }
    return true;
}

// Most lines of a log are plain ASCII, which is UTF-8 as it stands: only others are decoded.
bool IsUtf8(const char* text, int32_t length) {
    return IsAscii(text, length) ||
           MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, length, nullptr, 0) > 0;
}

std::wstring WideFrom(unsigned codePage, const char* text, int32_t length) {
    int wide = length > 0 ? MultiByteToWideChar(codePage, 0, text, length, nullptr, 0) : 0;
    std::wstring result(wide > 0 ? wide : 0, L'\0');
    if (wide > 0) {
        MultiByteToWideChar(codePage, 0, text, length, &result[0], wide);
    }
    return result;
}

void AppendLine(Str& utf8, const char* line, int32_t length) {
    if (IsUtf8(line, length)) {
        utf8.Append(Str(line, length));
        return;
    }
    std::wstring wide = WideFrom(SystemAnsiCodePage(), line, length);
    utf8.Append(Utf8FromWide(wide.data(), static_cast<int32_t>(wide.size())));
}

} // namespace

std::wstring WideFromUtf8(const char* text, int32_t length) {
    return WideFrom(CP_UTF8, text, length);
}

std::wstring WideFromUtf8(const Str& text) {
    return WideFromUtf8(text.Text(), text.Length());
}

Str Utf8FromWide(const wchar_t* text, int32_t length) {
    int size = length > 0
                   ? WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr)
                   : 0;
    if (size <= 0) {
        return Str();
    }
    std::string bytes(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, &bytes[0], size, nullptr, nullptr);
    return Str(bytes.data(), size);
}

unsigned SystemAnsiCodePage() {
    DWORD codePage = 0;
    if (!GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                        reinterpret_cast<LPWSTR>(&codePage), sizeof codePage / sizeof(WCHAR)) ||
        codePage == 0) {
        return CP_ACP;
    }
    return codePage;
}

Str ProductTextAsUtf8(const Str& text) {
    Str utf8;
    const char* line = text.Text();
    const char* end = line + text.Length();
    while (line < end) {
        const char* feed = static_cast<const char*>(memchr(line, '\n', end - line));
        const char* next = feed ? feed + 1 : end;
        AppendLine(utf8, line, static_cast<int32_t>(next - line));
        line = next;
    }
    return utf8;
}
