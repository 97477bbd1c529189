#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct SeenDialog {
    HWND handle = nullptr;
    HWND owner = nullptr;
    std::string caption;
    std::string text; // the message of a message box (its static 0xFFFF)
    UINT style = 0;
};

// Watches this process for dialog boxes with the given caption (any caption when empty), records
// each one and closes it with the command id given (IDOK, IDYES, IDNO...). The callback runs on
// the watcher's thread while the box is still up.
class DialogWatcher {
public:
    using ShownCallback = std::function<void(const SeenDialog&)>;

    explicit DialogWatcher(int answer, std::string caption = "", ShownCallback onShown = {});
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;
    ~DialogWatcher();

    std::vector<SeenDialog> Seen();

private:
    void Watch();
    HWND FindDialog();

    int answer;
    std::string caption;
    ShownCallback onShown;
    std::atomic<bool> stopping{false};
    std::mutex lock;
    std::vector<SeenDialog> seen;
    std::vector<HWND> answered;
    std::thread watcher;
};

std::string WindowText(HWND window);
