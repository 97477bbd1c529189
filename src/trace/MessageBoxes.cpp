#include "trace/MessageBoxes.h"

#include "trace/TraceLog.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

const int TextBufferSize = 400;
const int LongestText = 397;
const UINT InformationStyle = MB_ICONINFORMATION | MB_TASKMODAL;
const UINT QuestionStyle = MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL;

const char* const MakerCaption = "Tessaly Software";
const MessageBoxOwner* Owner = nullptr;

const char* Caption() {
    return Owner ? Owner->Caption() : MakerCaption;
}

// The window the user is working in: the main window, or the dialog open above it. A box owned
// by the main window itself would re-enable it under a modal dialog when it closes.
HWND DefaultOwner() {
    HWND main = Owner ? Owner->MainWindow() : nullptr;
    return main ? GetLastActivePopup(main) : nullptr;
}

// Returns whether the text had to be cut to fit.
bool FormatText(char* text, const char* format, va_list args) {
    int written = vsnprintf(text, LongestText + 1, format, args);
    if (written < 0) {
        text[0] = '\0';
    }
    return written > LongestText;
}

} // namespace

void SetMessageBoxOwner(const MessageBoxOwner* owner) {
    Owner = owner;
}

void ShowTraceMessage(const char* text) {
    HWND owner = DefaultOwner();
    const char* caption = owner ? Owner->Caption() : MakerCaption;
    MessageBoxA(owner, text, caption, InformationStyle);
}

void ShowMessage(HWND owner, const char* format, ...) {
    char text[TextBufferSize] = {};
    va_list args;
    va_start(args, format);
    FormatText(text, format, args);
    va_end(args);
    strcat(text, "\n");
    Trace(1, "MessageBox:%s", text);
    MessageBoxA(owner ? owner : DefaultOwner(), text, Caption(), InformationStyle);
}

bool AskQuestion(const char* format, ...) {
    char text[TextBufferSize] = {};
    va_list args;
    va_start(args, format);
    bool cut = FormatText(text, format, args);
    va_end(args);
    if (cut) {
        strcat(text, "\n");
    }
    Trace(1, "AskQuestion:%s", text);
    return MessageBoxA(nullptr, text, Caption(), QuestionStyle) == IDYES;
}
