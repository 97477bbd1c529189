#include "report/ReportClipboard.h"

#include "base/TextEncoding.h"
#include "resources/ExampleTexts.h"
#include "trace/MessageBoxes.h"
#include "trace/TraceLog.h"

#include <cstring>

namespace {

class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) : open(OpenClipboard(owner) != 0) {}
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    ~OpenedClipboard() {
        if (open) {
            CloseClipboard();
        }
    }

    bool IsOpen() const { return open; }

private:
    bool open;
};

// A movable block holding the text with its terminating NUL, or null.
HGLOBAL CopyToGlobalMemory(const std::wstring& text) {
    SIZE_T size = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
    if (!block) {
        return nullptr;
    }
    void* memory = GlobalLock(block);
    if (!memory) {
        GlobalFree(block);
        return nullptr;
    }
    memcpy(memory, text.c_str(), size);
    GlobalUnlock(block);
    return block;
}

// The clipboard owns the block once it took it. UTF-16 text reads the same in every program; the
// system derives the 8-bit formats from it.
bool PlaceOnClipboard(const Str& text) {
    EmptyClipboard();
    std::wstring wide = WideFromUtf8(text);
    HGLOBAL block = CopyToGlobalMemory(wide);
    if (!block) {
        Trace(1, "Cannot allocate %d bytes of clipboard memory",
              static_cast<int>((wide.size() + 1) * sizeof(wchar_t)));
        return false;
    }
    if (!SetClipboardData(CF_UNICODETEXT, block)) {
        Trace(1, "Cannot set the clipboard text");
        GlobalFree(block);
        return false;
    }
    return true;
}

} // namespace

bool PutReportOnClipboard(HWND owner, const Str& message) {
    bool placed = false;
    {
        OpenedClipboard clipboard(owner);
        if (!clipboard.IsOpen()) {
            return false;
        }
        placed = PlaceOnClipboard(message);
    }
    if (!placed) {
        ShowMessage(owner, "The report could not be placed on the Clipboard");
        return false;
    }
    ShowMessage(
        owner,
        "The report has been pasted onto the Clipboard\nIn your favorite E-mail program use "
        "Edit | Paste and send it to '%s'",
        SupportEmailAddress);
    return true;
}
