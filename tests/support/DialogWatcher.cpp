#include "DialogWatcher.h"

#include <algorithm>

std::string WindowText(HWND window) {
    int length = GetWindowTextLengthA(window);
    std::string text(length + 1, '\0');
    int got = GetWindowTextA(window, text.data(), length + 1);
    text.resize(got > 0 ? got : 0);
    return text;
}

DialogWatcher::DialogWatcher(int answer, std::string caption, ShownCallback onShown)
    : answer(answer), caption(std::move(caption)), onShown(std::move(onShown)) {
    watcher = std::thread([this] { Watch(); });
}

DialogWatcher::~DialogWatcher() {
    stopping = true;
    watcher.join();
}

std::vector<SeenDialog> DialogWatcher::Seen() {
    std::lock_guard<std::mutex> guard(lock);
    return seen;
}

HWND DialogWatcher::FindDialog() {
    struct Search {
        DialogWatcher* self;
        HWND found;
    } search{this, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            char className[16] = {};
            GetClassNameA(window, className, sizeof className);
            if (process != GetCurrentProcessId() || strcmp(className, "#32770") != 0 ||
                !IsWindowVisible(window)) {
                return TRUE;
            }
            if (!s->self->caption.empty() && WindowText(window) != s->self->caption) {
                return TRUE;
            }
            auto& done = s->self->answered;
            if (std::find(done.begin(), done.end(), window) != done.end()) {
                return TRUE;
            }
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void DialogWatcher::Watch() {
    while (!stopping) {
        HWND dialog = FindDialog();
        if (!dialog) {
            Sleep(10);
            continue;
        }
        SeenDialog record;
        record.handle = dialog;
        record.owner = GetWindow(dialog, GW_OWNER);
        record.caption = WindowText(dialog);
        record.text = WindowText(GetDlgItem(dialog, 0xFFFF));
        record.style = static_cast<UINT>(GetWindowLongPtrA(dialog, GWL_STYLE));
        if (onShown) {
            onShown(record);
        }
        {
            std::lock_guard<std::mutex> guard(lock);
            seen.push_back(record);
            answered.push_back(dialog);
        }
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    }
}
