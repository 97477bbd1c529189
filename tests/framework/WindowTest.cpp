#include "framework/Window.h"
#include "framework/AppBase.h"
#include "framework/Messages.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const char* const FrameworkClass = "XFCWnd";

class ProgramApp : public AppBase {
public:
    ProgramApp() { InstanceHandle = GetModuleHandleA(nullptr); }
};

void RegisterFrameworkClass() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = FrameworkWndProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = FrameworkClass;
    RegisterClassA(&windowClass);
}

class RecordingWindow : public Window {
public:
    LRESULT WindowProc(UINT message, WPARAM, LPARAM) override {
        messages.push_back(message);
        return message == WM_APP ? 1 : 0;
    }
    LRESULT OnCommand(WPARAM wParam, LPARAM) override {
        commands.push_back(wParam);
        return 0;
    }
    std::vector<UINT> messages;
    std::vector<WPARAM> commands;
};

bool Contains(const std::vector<UINT>& messages, UINT message) {
    for (UINT m : messages) {
        if (m == message) {
            return true;
        }
    }
    return false;
}

bool QuitPosted() {
    MSG message;
    return PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

const RECT PlacedRect = {10, 20, 310, 220};

} // namespace

TEST(Window, CreateMapsAFrameworkWindowUntilItIsDestroyed) {
    ProgramApp app;
    RegisterFrameworkClass();
    RecordingWindow window;
    ASSERT_TRUE(window.Create(0, FrameworkClass, "framework window", WS_POPUP, PlacedRect, nullptr,
                              nullptr, &window));
    HWND handle = window.hwnd;
    EXPECT_EQ(&window, app.Windows.FindObject(handle));
    EXPECT_FALSE(Contains(window.messages, WM_CREATE));
    RECT placed = {};
    GetWindowRect(handle, &placed);
    EXPECT_EQ(10, placed.left);
    EXPECT_EQ(20, placed.top);
    EXPECT_EQ(300, placed.right - placed.left);
    EXPECT_EQ(200, placed.bottom - placed.top);

    EXPECT_EQ(0, SendMessageA(handle, WM_APP, 0, 0)); // handled: 0
    SendMessageA(handle, WM_COMMAND, 77, 0);
    ASSERT_EQ(1u, window.commands.size());
    EXPECT_EQ(77u, window.commands[0]);
    EXPECT_TRUE(Contains(window.messages, WM_COMMAND)); // OnCommand said 0

    Str text;
    window.GetText(text);
    EXPECT_STREQ("framework window", text.Text());
    SetWindowTextA(handle, "");
    window.GetText(text);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(0, text.Capacity());

    window.messages.clear();
    DestroyWindow(handle);
    EXPECT_FALSE(Contains(window.messages, WM_DESTROY));
    EXPECT_EQ(nullptr, app.Windows.FindObject(handle));
    EXPECT_EQ(handle, window.hwnd); // keeps the old handle
    EXPECT_TRUE(QuitPosted());      // the map is empty again
}

TEST(Window, FailedCreationMapsNothing) {
    ProgramApp app;
    RecordingWindow window;
    EXPECT_FALSE(
        window.Create(0, "NoSuchWindowClass", "", WS_POPUP, PlacedRect, nullptr, nullptr, &window));
    EXPECT_EQ(nullptr, window.hwnd);
    EXPECT_EQ(0, app.Windows.Count());
}

TEST(Window, FrameworkWindowWithoutObjectGetsDefaultHandling) {
    ProgramApp app;
    RegisterFrameworkClass();
    HWND handle = CreateWindowExA(0, FrameworkClass, "no object", WS_POPUP, 0, 0, 10, 10, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, handle);
    EXPECT_EQ(0, app.Windows.Count());
    char text[16] = {};
    EXPECT_EQ(9, GetWindowTextA(handle, text, sizeof text));
    DestroyWindow(handle);
    QuitPosted();
}

TEST(Window, SubclassedItemPassesWhatItLeavesToItsOwnProcedure) {
    ProgramApp app;
    RegisterFrameworkClass();
    Window parent;
    ASSERT_TRUE(parent.Create(0, FrameworkClass, "parent", WS_POPUP, PlacedRect, nullptr, nullptr,
                              &parent));
    HWND item = CreateWindowExA(0, "Static", "item text", WS_CHILD, 0, 0, 50, 10, parent.hwnd,
                                reinterpret_cast<HMENU>(1234), nullptr, nullptr);
    WNDPROC staticProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(item, GWLP_WNDPROC));
    {
        RecordingWindow control;
        control.SubclassItem(999, parent); // no such item
        EXPECT_EQ(nullptr, control.hwnd);
        control.SubclassItem(1234, parent);
        EXPECT_EQ(item, control.hwnd);
        EXPECT_EQ(staticProc, control.savedProc);
        EXPECT_EQ(reinterpret_cast<LONG_PTR>(FrameworkWndProc),
                  GetWindowLongPtrA(item, GWLP_WNDPROC));
        EXPECT_EQ(&control, app.Windows.FindObject(item));
        char text[32] = {};
        GetWindowTextA(item, text, sizeof text); // answered by the static's own procedure
        EXPECT_STREQ("item text", text);
        EXPECT_TRUE(Contains(control.messages, WM_GETTEXT));

        control.SubclassItem(1234, parent); // already bound: nothing changes
        EXPECT_EQ(staticProc, control.savedProc);
    }
    // The object's end puts the static's procedure back.
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(staticProc), GetWindowLongPtrA(item, GWLP_WNDPROC));
    DestroyWindow(parent.hwnd);
    QuitPosted();
}

TEST(Window, CentresOnTheWholeScreen) {
    ProgramApp app;
    RegisterFrameworkClass();
    Window window;
    ASSERT_TRUE(
        window.Create(0, FrameworkClass, "", WS_POPUP, PlacedRect, nullptr, nullptr, &window));
    window.CenterOnScreen();
    RECT placed = {};
    GetWindowRect(window.hwnd, &placed);
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ((screenWidth - 300) / 2, placed.left);
    EXPECT_EQ((screenHeight - 200) / 2, placed.top);
    EXPECT_EQ(300, placed.right - placed.left);
    if (screenWidth == 1024 && screenHeight == 768) {
        EXPECT_EQ(362, placed.left);
        EXPECT_EQ(284, placed.top);
    }
    DestroyWindow(window.hwnd);
    QuitPosted();
}
