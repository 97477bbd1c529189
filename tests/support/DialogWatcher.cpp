#include "DialogWatcher.h"

#include "WindowDriver.h"

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
    for (HWND window : VisibleProcessDialogs()) {
        if ((caption.empty() || WindowText(window) == caption) &&
            std::find(answered.begin(), answered.end(), window) == answered.end()) {
            return window;
        }
    }
    return nullptr;
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
