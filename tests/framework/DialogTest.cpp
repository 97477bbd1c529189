#include "framework/Dialog.h"
#include "framework/AppBase.h"
#include "framework/Messages.h"

#include "DialogWatcher.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace {

// Template 131 of the program's resources: statics 1008, 1009 and 1006, check box 1004, buttons
// 1 and 1007.
const unsigned TestTemplate = 131;
const char* const TestCaption = "Doctor's Report";
const int TextId = 1008;
const int CheckId = 1004;
const int StaticId = 1006;
const int ButtonId = 1007;
const int MissingId = 4321;

class ProgramApp : public AppBase {
public:
    ProgramApp() { InstanceHandle = GetModuleHandleA(nullptr); }
};

// Records what reaches each virtual operation.
class TestDialog : public Dialog {
public:
    TestDialog() : Dialog(TestTemplate, nullptr, GetModuleHandleA(nullptr)) {}

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        bool reflected = message == ReflectCtlColor || message == ReflectCommand;
        if (!reflected && (CurrentMessage.message != message || CurrentMessage.wParam != wParam ||
                           CurrentMessage.lParam != lParam || CurrentMessage.hwnd != hwnd)) {
            ++currentMessageMismatches;
        }
        messages.push_back(message);
        // Clicks only: the template's list box also tells of its focus.
        if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
            commands.push_back(wParam);
        }
        return message == WM_COMMAND && LOWORD(wParam) == ButtonId ? 1 : 0;
    }
    void DoDataExchange(DataExchange& exchange) override {
        DdxText(exchange, TextId, text);
        DdxCheck(exchange, CheckId, check);
        DdxText(exchange, MissingId, missingText);
        DdxCheck(exchange, MissingId, missingCheck);
        DdxControl(exchange, StaticId, control);
        DdxControl(exchange, MissingId, missingControl);
        ++exchanges;
    }
    BOOL OnInitDialog() override {
        initialised = true;
        return Dialog::OnInitDialog();
    }
    void OnOK() override {
        ++okCount;
        Dialog::OnOK();
    }
    void OnCancel() override {
        ++cancelCount;
        Dialog::OnCancel();
    }

    Str text{"loaded text"};
    int32_t check = 5;
    Str missingText{"untouched"};
    int32_t missingCheck = 7;
    Window control;
    Window missingControl;
    std::vector<UINT> messages;
    std::vector<WPARAM> commands;
    std::atomic<int> exchanges{0};
    std::atomic<int> okCount{0};
    std::atomic<int> cancelCount{0};
    std::atomic<int> currentMessageMismatches{0};
    bool initialised = false;
};

// A control object that answers what the dialog reflects to it.
class ReflectingControl : public Window {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == ReflectCommand) {
            reflectedCommands.push_back(wParam);
            reflectedFrom = reinterpret_cast<HWND>(lParam);
            return 0;
        }
        if (message == ReflectCtlColor) {
            return reinterpret_cast<LRESULT>(brush);
        }
        return 0;
    }
    std::vector<WPARAM> reflectedCommands;
    HWND reflectedFrom = nullptr;
    HBRUSH brush = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
};

const UINT BindMessage = WM_APP + 1;

// Binds two controls to objects when asked, on the dialog's own thread.
class BindingDialog : public TestDialog {
public:
    BindingDialog(Window& button, Window& label) : button(button), label(label) {}

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != BindMessage) {
            return TestDialog::WindowProc(message, wParam, lParam);
        }
        DataExchange loading(false);
        DdxControl(loading, ButtonId, button);
        DdxControl(loading, TextId, label);
        return 1;
    }

private:
    Window& button;
    Window& label;
};

bool Contains(const std::vector<UINT>& messages, UINT message) {
    for (UINT m : messages) {
        if (m == message) {
            return true;
        }
    }
    return false;
}

} // namespace

TEST(Dialog, InitialisationFillsTheControlsAndOkSavesThem) {
    ProgramApp app;
    TestDialog dialog;
    HWND seenHandle = nullptr;
    std::string shownText;
    LRESULT shownCheck = -1;
    bool mapped = false;
    WindowDriver driver([&] {
        HWND window = WaitForDialog(TestCaption);
        ASSERT_NE(nullptr, window);
        seenHandle = window;
        mapped = app.Windows.FindObject(window) == &dialog;
        shownText = ItemText(window, TextId);
        shownCheck = SendDlgItemMessageA(window, CheckId, BM_GETCHECK, 0, 0);
        SetDlgItemTextA(window, TextId, "typed text");
        SendDlgItemMessageA(window, CheckId, BM_SETCHECK, BST_UNCHECKED, 0);
        PressKey(window, VK_RETURN);
        WaitUntilGone(window);
    });
    INT_PTR result = dialog.DoModal();
    EXPECT_EQ(IDOK, result);
    EXPECT_TRUE(dialog.initialised);
    EXPECT_EQ(seenHandle, dialog.hwnd);
    EXPECT_TRUE(mapped);
    EXPECT_EQ("loaded text", shownText);
    EXPECT_EQ(BST_CHECKED, shownCheck); // 5 loads as checked
    EXPECT_STREQ("typed text", dialog.text.Text());
    EXPECT_EQ(0, dialog.check);
    EXPECT_EQ(1, dialog.okCount);
    EXPECT_EQ(0, dialog.cancelCount);
    EXPECT_EQ(2, dialog.exchanges);
    EXPECT_STREQ("untouched", dialog.missingText.Text());
    EXPECT_EQ(7, dialog.missingCheck);
    EXPECT_EQ(nullptr, dialog.missingControl.hwnd);
    // Enter reaches OnOK, never the dialog's own handler; nothing reaches it before WM_INITDIALOG.
    EXPECT_TRUE(dialog.commands.empty());
    EXPECT_FALSE(Contains(dialog.messages, WM_SETFONT));
    EXPECT_FALSE(Contains(dialog.messages, WM_INITDIALOG));
    EXPECT_EQ(0, dialog.currentMessageMismatches);
    // The dialog's own colour request goes to the dialog's object as a reflected one.
    EXPECT_TRUE(Contains(dialog.messages, ReflectCtlColor));
    EXPECT_EQ(nullptr, app.Windows.FindObject(seenHandle));
}

TEST(Dialog, EscapeAndCommandTwoCancelWithoutSaving) {
    ProgramApp app;
    for (bool useKey : {true, false}) {
        TestDialog dialog;
        WindowDriver driver([&] {
            HWND window = WaitForDialog(TestCaption);
            ASSERT_NE(nullptr, window);
            SetDlgItemTextA(window, TextId, "typed text");
            if (useKey) {
                PressKey(window, VK_ESCAPE);
            } else {
                PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
            }
            WaitUntilGone(window);
        });
        EXPECT_EQ(IDCANCEL, dialog.DoModal()) << useKey;
        EXPECT_STREQ("loaded text", dialog.text.Text());
        EXPECT_EQ(1, dialog.cancelCount);
        EXPECT_EQ(0, dialog.okCount);
        EXPECT_TRUE(dialog.commands.empty());
    }
}

TEST(Dialog, AMissingTemplateGivesMinusOne) {
    ProgramApp app;
    Dialog dialog(4711, nullptr, GetModuleHandleA(nullptr));
    EXPECT_EQ(-1, dialog.DoModal());
    EXPECT_EQ(0, app.Windows.Count());
}

TEST(Dialog, CheckBoxStatesAndEmptyTexts) {
    ProgramApp app;
    TestDialog dialog;
    WindowDriver driver([&] {
        HWND window = WaitForDialog(TestCaption);
        ASSERT_NE(nullptr, window);
        HWND box = GetDlgItem(window, CheckId);
        LONG_PTR style = GetWindowLongPtrA(box, GWL_STYLE);
        SetWindowLongPtrA(box, GWL_STYLE, (style & ~BS_TYPEMASK) | BS_AUTO3STATE);
        SendMessageA(box, BM_SETCHECK, BST_INDETERMINATE, 0);
        ASSERT_EQ(BST_INDETERMINATE, SendMessageA(box, BM_GETCHECK, 0, 0));
        SetDlgItemTextA(window, TextId, "");
        // Saving runs on the dialog's thread: OK saves, then the dialog ends.
        PostMessageA(window, WM_COMMAND, IDOK, 0);
        WaitUntilGone(window);
    });
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(0, dialog.check);
    EXPECT_TRUE(dialog.text.IsEmpty());
    EXPECT_EQ(0, dialog.text.Capacity());
}

TEST(Dialog, ReflectsClicksAndColourRequestsToTheControlsObject) {
    ProgramApp app;
    ReflectingControl button;
    ReflectingControl label;
    BindingDialog dialog(button, label);
    LRESULT mappedColour = 0;
    LRESULT unmappedColour = 0;
    bool buttonBound = false;
    WNDPROC procBefore = nullptr;
    WNDPROC procAfter = nullptr;
    WindowDriver driver([&] {
        HWND window = WaitForDialog(TestCaption);
        ASSERT_NE(nullptr, window);
        HWND buttonWindow = GetDlgItem(window, ButtonId);
        HWND labelWindow = GetDlgItem(window, TextId);
        procBefore = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(labelWindow, GWLP_WNDPROC));
        SendMessageA(window, BindMessage, 0, 0);
        buttonBound = app.Windows.FindObject(buttonWindow) == &button;
        procAfter = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(labelWindow, GWLP_WNDPROC));
        SendMessageA(buttonWindow, BM_CLICK, 0, 0);
        HDC dc = GetDC(window);
        mappedColour = SendMessageA(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                    reinterpret_cast<LPARAM>(labelWindow));
        unmappedColour = SendMessageA(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                      reinterpret_cast<LPARAM>(GetDlgItem(window, 1009)));
        ReleaseDC(window, dc);
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        WaitUntilGone(window);
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    ASSERT_EQ(1u, button.reflectedCommands.size());
    EXPECT_EQ(static_cast<WPARAM>(ButtonId), button.reflectedCommands[0]);
    EXPECT_EQ(button.hwnd, button.reflectedFrom);
    // After the reflection the dialog's own handler still gets the command.
    ASSERT_EQ(1u, dialog.commands.size());
    EXPECT_EQ(static_cast<WPARAM>(ButtonId), dialog.commands[0]);
    EXPECT_TRUE(buttonBound);
    EXPECT_EQ(procBefore, procAfter); // bound, not subclassed
    EXPECT_EQ(reinterpret_cast<LRESULT>(label.brush), mappedColour);
    EXPECT_NE(reinterpret_cast<LRESULT>(label.brush), unmappedColour);
    EXPECT_TRUE(Contains(dialog.messages, WM_CTLCOLORSTATIC)); // the unmapped request
}

namespace {

// Answers notifications itself: nonzero with the result 42 for every code.
class NotifiedDialog : public TestDialog {
public:
    LRESULT OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override {
        auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == static_cast<UINT>(NotHandledCode)) {
            return 0;
        }
        *result = 42;
        return 1;
    }
    static constexpr int NotHandledCode = -99;
};

LRESULT Notify(HWND dialog, int code) {
    NMHDR header = {};
    header.hwndFrom = dialog;
    header.code = static_cast<UINT>(code);
    return SendMessageA(dialog, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
}

} // namespace

TEST(Dialog, NotificationResultsReachTheSenderOnlyForThePropertySheetCodes) {
    ProgramApp app;
    NotifiedDialog dialog;
    struct Row {
        int code;
        LRESULT answer;
    };
    // PSN_WIZFINISH, PSN_WIZNEXT, PSN_RESET and PSN_KILLACTIVE carry the result; others do not.
    const Row rows[] = {{-208, 42}, {-207, 42}, {-203, 42}, {-201, 42}, {-202, 0}, {-12, 0}};
    LRESULT answers[6] = {};
    LRESULT unhandledAnswer = -1;
    WindowDriver driver([&] {
        HWND window = WaitForDialog(TestCaption);
        ASSERT_NE(nullptr, window);
        for (int i = 0; i < 6; ++i) {
            answers[i] = Notify(window, rows[i].code);
        }
        unhandledAnswer = Notify(window, NotifiedDialog::NotHandledCode);
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(rows[i].answer, answers[i]) << rows[i].code;
    }
    EXPECT_EQ(0, unhandledAnswer);
    EXPECT_TRUE(Contains(dialog.messages, WM_NOTIFY)); // left to the dialog's handler
}
