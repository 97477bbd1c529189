#include "MailTestSupport.h"

#include "base/TextEncoding.h"
#include "report/MapiLibrary.h"

#include <cstdlib>
#include <cstring>

namespace {

const char* const OutcomeNames[] = {"VLD_MAPI_LOGON", "VLD_MAPI_SESSION", "VLD_MAPI_SEND",
                                    "VLD_MAPI_LOGOFF", "VLD_MAPI_RECORD"};

const size_t StampLength = 12;

} // namespace

// Copying over a file found there keeps that file's name; the original is copied back at the end.
InstalledTestMapi::InstalledTestMapi(const char* build) : target(MapiLibraryPath().Text()) {
    saved = target + ".vld-saved";
    if (GetFileAttributesA(saved.c_str()) != INVALID_FILE_ATTRIBUTES) {
        // Left by a run that ended before it could put the original back.
        CopyFileA(saved.c_str(), target.c_str(), FALSE);
    }
    hadFile = GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (hadFile && !CopyFileA(target.c_str(), saved.c_str(), FALSE)) {
        hadFile = false;
        return;
    }
    std::string source = ProgramFolder() + "\\mapi32\\" + build + "\\MAPI32.DLL";
    installed = CopyFileA(source.c_str(), target.c_str(), FALSE) != 0;
}

InstalledTestMapi::~InstalledTestMapi() {
    if (hadFile) {
        CopyFileA(saved.c_str(), target.c_str(), FALSE);
        DeleteFileA(saved.c_str());
    } else if (installed) {
        DeleteFileA(target.c_str());
    }
}

PlantedTestMapi::PlantedTestMapi() : target(ProgramFolder() + "\\MAPI32.DLL") {
    std::string source = ProgramFolder() + "\\mapi32\\complete\\MAPI32.DLL";
    planted = CopyFileA(source.c_str(), target.c_str(), TRUE) != 0;
}

PlantedTestMapi::~PlantedTestMapi() {
    if (planted) {
        DeleteFileA(target.c_str());
    }
}

MapiOutcomes::MapiOutcomes(const std::string& recordPath) {
    SetEnvironmentVariableA("VLD_MAPI_RECORD", recordPath.c_str());
}

MapiOutcomes::~MapiOutcomes() {
    for (const char* name : OutcomeNames) {
        SetEnvironmentVariableA(name, nullptr);
    }
}

void MapiOutcomes::Set(const char* name, unsigned long long value) {
    char text[32];
    snprintf(text, sizeof text, "%#llx", value);
    SetEnvironmentVariableA(name, text);
}

bool NativeMapiPreferred() {
    const char* overrides = getenv("WINEDLLOVERRIDES");
    return overrides && strstr(overrides, "mapi32=n");
}

std::vector<std::string> TracedLines(const std::string& traceText) {
    std::vector<std::string> lines;
    size_t start = traceText.find(">>>\n");
    start = start == std::string::npos ? traceText.size() : start + 4;
    while (start < traceText.size()) {
        size_t end = traceText.find('\n', start);
        if (end == std::string::npos) {
            end = traceText.size();
        }
        std::string line = traceText.substr(start, end - start);
        lines.push_back(line.size() >= StampLength ? line.substr(StampLength) : line);
        start = end + 1;
    }
    return lines;
}

OwnerWindow::OwnerWindow()
    : window(CreateWindowExA(0, "STATIC", "Mail owner", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)) {
}

OwnerWindow::~OwnerWindow() {
    if (window) {
        DestroyWindow(window);
    }
}

std::string ClipboardText(bool& hasText) {
    hasText = false;
    std::string text;
    if (!OpenClipboard(nullptr)) {
        return text;
    }
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const wchar_t* memory = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    if (memory) {
        hasText = true;
        size_t length = wcsnlen(memory, GlobalSize(data) / sizeof(wchar_t));
        text = Utf8FromWide(memory, static_cast<int32_t>(length)).Text();
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

bool SetClipboardText(const std::string& text) {
    if (!OpenClipboard(nullptr)) {
        return false;
    }
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    char* memory = block ? static_cast<char*>(GlobalLock(block)) : nullptr;
    bool done = false;
    if (memory) {
        memcpy(memory, text.c_str(), text.size() + 1);
        GlobalUnlock(block);
        done = SetClipboardData(CF_TEXT, block) != nullptr;
    }
    if (block && !done) {
        GlobalFree(block);
    }
    CloseClipboard();
    return done;
}

std::string ExpectedMessage(const std::string& diagnosis, const std::string& report,
                            const std::string& log) {
    return "Please add a description of the problem you are having :\r\n"
           "<Your problem description>\r\n"
           "\r\n\r\nDoctor's Prognosis :\r\n" +
           diagnosis + "\r\n\r\nDoctor's Report :\r\n" + report + "\r\n\r\nInstallation Log :\r\n" +
           log;
}
