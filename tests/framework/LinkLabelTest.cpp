#include "framework/LinkLabel.h"
#include "framework/AppBase.h"
#include "framework/Dialog.h"
#include "framework/Messages.h"

#include "DialogWatcher.h"
#include "ProgramApp.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace {

// Template 131 of the program's resources: 1006 is a plain left-aligned static, 1008 a static
// with SS_NOPREFIX.
const unsigned TestTemplate = 131;
const char* const TestCaption = "Doctor's Report";
const int PlainId = 1006;
const int NoPrefixId = 1008;
const unsigned HandCursorId = 1224;
const COLORREF LinkBlue = RGB(0, 0, 128);
const COLORREF LinkPurple = RGB(128, 0, 128);
const UINT ReadCursorMessage = WM_APP + 2;
const UINT RunStepsMessage = WM_APP + 3;

class LinkDialog : public Dialog {
public:
    explicit LinkDialog(const std::string& address)
        : Dialog(TestTemplate, nullptr, GetModuleHandleA(nullptr)), address(address),
          plain(HandCursorId), noPrefix(HandCursorId) {}

    BOOL OnInitDialog() override {
        Dialog::OnInitDialog();
        SetDlgItemTextA(hwnd, PlainId, address.c_str());
        plain.SubclassItem(PlainId, *this);
        noPrefix.SubclassItem(NoPrefixId, *this);
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM, LPARAM lParam) override {
        if (message == ReadCursorMessage) {
            cursorShown = GetCursor();
            return 1;
        }
        if (message == RunStepsMessage) {
            (*reinterpret_cast<std::function<void()>*>(lParam))();
            return 1;
        }
        return 0;
    }

    std::string address;
    LinkLabel plain;
    LinkLabel noPrefix;
    HCURSOR cursorShown = nullptr;
};

struct ColourAnswer {
    LRESULT brush = 0;
    COLORREF text = CLR_INVALID;
    int backgroundMode = 0;
    HGDIOBJ font = nullptr;
};

ColourAnswer AskColours(HWND dialog, HWND control) {
    ColourAnswer answer;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ original = GetCurrentObject(dc, OBJ_FONT);
    answer.brush = SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                reinterpret_cast<LPARAM>(control));
    answer.text = GetTextColor(dc);
    answer.backgroundMode = GetBkMode(dc);
    answer.font = GetCurrentObject(dc, OBJ_FONT);
    SelectObject(dc, original);
    DeleteDC(dc);
    return answer;
}

void Click(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, STN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Runs the steps on the dialog's own thread, where none of its painting can come between them.
void RunOnDialogThread(HWND dialog, std::function<void()> steps) {
    SendMessageA(dialog, RunStepsMessage, 0, reinterpret_cast<LPARAM>(&steps));
}

bool HasNotifyStyle(HWND control) {
    return (GetWindowLongPtrA(control, GWL_STYLE) & SS_NOTIFY) != 0;
}

std::string ProgramThatOpens() {
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\hostname.exe";
}

bool IsUnderlined(HGDIOBJ font) {
    LOGFONTA description = {};
    return GetObjectA(font, sizeof description, &description) && description.lfUnderline;
}

// What the control shows, as painted afresh now.
std::vector<COLORREF> Picture(HWND control) {
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT client = {};
    GetClientRect(control, &client);
    std::vector<COLORREF> pixels;
    HDC dc = GetDC(control);
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            pixels.push_back(GetPixel(dc, x, y));
        }
    }
    ReleaseDC(control, dc);
    return pixels;
}

} // namespace

TEST(LinkLabel, DrawsUnderlinedLinkBlueWithOneFontForAllRequests) {
    ProgramApp app;
    LinkDialog dialog("http://www.velmont.example/");
    ColourAnswer first, second, noPrefix;
    bool notifyBefore = true, notifyAfter = false, noPrefixNotify = false;
    WindowDriver driver([&] {
        HWND window = WaitForDialog(TestCaption);
        ASSERT_NE(nullptr, window);
        // The dialog's first painting asks for the colours too, and turns on the notify style.
        RunOnDialogThread(window, [&] {
            HWND label = GetDlgItem(window, PlainId);
            SetWindowLongPtrA(label, GWL_STYLE, GetWindowLongPtrA(label, GWL_STYLE) & ~SS_NOTIFY);
            notifyBefore = HasNotifyStyle(label);
            first = AskColours(window, label);
            notifyAfter = HasNotifyStyle(label);
            second = AskColours(window, label);
            noPrefix = AskColours(window, GetDlgItem(window, NoPrefixId));
            noPrefixNotify = HasNotifyStyle(GetDlgItem(window, NoPrefixId));
        });
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_FALSE(notifyBefore);
    EXPECT_TRUE(notifyAfter);
    EXPECT_EQ(reinterpret_cast<LRESULT>(GetStockObject(HOLLOW_BRUSH)), first.brush);
    EXPECT_EQ(LinkBlue, first.text);
    EXPECT_EQ(TRANSPARENT, first.backgroundMode);
    EXPECT_EQ(dialog.plain.font.Handle(), first.font);
    EXPECT_TRUE(IsUnderlined(first.font));
    EXPECT_EQ(first.font, second.font); // made once
    EXPECT_EQ(first.brush, second.brush);
    // A static with SS_NOPREFIX keeps its normal look (the dialog's default colours), but
    // reports clicks.
    EXPECT_NE(first.brush, noPrefix.brush);
    EXPECT_NE(LinkBlue, noPrefix.text);
    EXPECT_FALSE(IsUnderlined(noPrefix.font));
    EXPECT_EQ(nullptr, dialog.noPrefix.font.Handle());
    EXPECT_TRUE(noPrefixNotify);
}

TEST(LinkLabel, OpensTheControlsAddressTurnsPurpleAndKeepsTheFirstAddress) {
    std::string program = ProgramThatOpens();
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(program.c_str()));
    ProgramApp app;
    LinkDialog dialog(program);
    ColourAnswer afterOpen;
    std::string linkAfterFirstClick;
    WindowDriver driver([&] {
        HWND window = WaitForDialog(TestCaption);
        ASSERT_NE(nullptr, window);
        Click(window, PlainId);
        linkAfterFirstClick = dialog.plain.link.Text();
        afterOpen = AskColours(window, GetDlgItem(window, PlainId));
        SetDlgItemTextA(window, PlainId, "C:\\no\\such\\folder\\page.htm");
        Click(window, PlainId); // opens the address read on the first click
    });
    DialogWatcher boxes(IDOK, app.ModuleName.Text());
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(program, linkAfterFirstClick);
    EXPECT_EQ(1, dialog.plain.visited);
    EXPECT_EQ(LinkPurple, afterOpen.text);
    EXPECT_EQ(0u, boxes.Seen().size());
}

TEST(LinkLabel, AFailedOpenShowsTheAddressAndStaysBlue) {
    const std::string address = "C:\\no\\such\\folder\\page.htm";
    ProgramApp app;
    LinkDialog dialog(address);
    ColourAnswer afterFailure;
    DialogWatcher boxes(IDOK, app.ModuleName.Text());
    WindowDriver driver([&] {
        HWND window = WaitForDialog(TestCaption);
        ASSERT_NE(nullptr, window);
        Click(window, PlainId);
        afterFailure = AskColours(window, GetDlgItem(window, PlainId));
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    std::vector<SeenDialog> seen = boxes.Seen();
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ("Unable to display web site page '" + address + "'\n", seen[0].text);
    EXPECT_EQ(dialog.hwnd, seen[0].owner);
    EXPECT_EQ(0, dialog.plain.visited);
    EXPECT_EQ(LinkBlue, afterFailure.text);
}

TEST(LinkLabel, ShowsThePointingHandOverTheLink) {
    ProgramApp app;
    LinkDialog dialog("http://www.velmont.example/");
    HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(HandCursorId));
    ASSERT_NE(nullptr, hand);
    EXPECT_EQ(hand, dialog.plain.cursor);
    LRESULT answer = -1;
    WindowDriver driver([&] {
        HWND window = WaitForDialog(TestCaption);
        ASSERT_NE(nullptr, window);
        HWND label = GetDlgItem(window, PlainId);
        answer = SendMessageA(label, WM_SETCURSOR, reinterpret_cast<WPARAM>(label),
                              MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        SendMessageA(window, ReadCursorMessage, 0, 0);
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(0, answer); // handled by the label
    EXPECT_EQ(hand, dialog.cursorShown);
}

// Wine cannot switch high contrast on (SPI_SETHIGHCONTRAST fails), so the test tells the link.
TEST(LinkLabel, InHighContrastTakesTheSystemsLinkColourAndRepaintsWhenItChanges) {
    ProgramApp app;
    LinkDialog dialog("http://www.velmont.example/");
    auto systemSwitch = LinkLabel::highContrastOn;
    static bool highContrast;
    highContrast = false;
    LinkLabel::highContrastOn = [] { return highContrast; };
    ColourAnswer off, on, visitedOn;
    bool paintedBefore = false, repaintAsked = false;
    WindowDriver driver([&] {
        HWND window = WaitForDialog(TestCaption);
        ASSERT_NE(nullptr, window);
        RunOnDialogThread(window, [&] {
            HWND label = GetDlgItem(window, PlainId);
            off = AskColours(window, label);
            RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            paintedBefore = !GetUpdateRect(label, nullptr, FALSE);
            highContrast = true;
            SendMessageA(window, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
            repaintAsked = GetUpdateRect(label, nullptr, FALSE) != FALSE;
            on = AskColours(window, label);
            dialog.plain.visited = 1;
            visitedOn = AskColours(window, label);
        });
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    LinkLabel::highContrastOn = systemSwitch;
    EXPECT_EQ(LinkBlue, off.text);
    EXPECT_TRUE(paintedBefore);
    EXPECT_TRUE(repaintAsked);
    EXPECT_EQ(GetSysColor(COLOR_HOTLIGHT), on.text);
    EXPECT_EQ(GetSysColor(COLOR_HOTLIGHT), visitedOn.text);
}

// Wine keeps no keyboard-cue state (WM_QUERYUISTATE answers 0): the cues always show there.
TEST(LinkLabel, ShowsTheFocusRectangleOnlyWhileFocused) {
    ProgramApp app;
    LinkDialog dialog("http://www.velmont.example/");
    std::vector<COLORREF> unfocused, focused, leftAgain;
    WindowDriver driver([&] {
        HWND window = WaitForDialog(TestCaption);
        ASSERT_NE(nullptr, window);
        RunOnDialogThread(window, [&] {
            HWND label = GetDlgItem(window, PlainId);
            SetFocus(GetDlgItem(window, IDOK));
            unfocused = Picture(label);
            SetFocus(label);
            focused = Picture(label);
            SetFocus(GetDlgItem(window, IDOK));
            leftAgain = Picture(label);
        });
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    ASSERT_FALSE(unfocused.empty());
    EXPECT_NE(unfocused, focused);
    EXPECT_EQ(unfocused, leftAgain);
}

TEST(LinkLabel, TellsAssistiveTechnologyItIsALinkNamedByItsText) {
    const std::string address = "http://www.velmont.example/";
    ProgramApp app;
    LinkDialog dialog(address);
    VARIANT role = {};
    std::wstring name;
    WindowDriver driver([&] {
        HWND window = WaitForDialog(TestCaption);
        ASSERT_NE(nullptr, window);
        RunOnDialogThread(window, [&] {
            IAccessible* link = nullptr;
            AccessibleObjectFromWindow(GetDlgItem(window, PlainId), OBJID_CLIENT,
                                       __uuidof(IAccessible), reinterpret_cast<void**>(&link));
            ASSERT_NE(nullptr, link);
            VARIANT self = {};
            self.vt = VT_I4;
            self.lVal = CHILDID_SELF;
            link->get_accRole(self, &role);
            BSTR text = nullptr;
            link->get_accName(self, &text);
            name = text ? text : L"";
            SysFreeString(text);
            link->Release();
        });
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(VT_I4, role.vt);
    EXPECT_EQ(ROLE_SYSTEM_LINK, role.lVal);
    EXPECT_EQ(std::wstring(address.begin(), address.end()), name);
}

namespace {

// The role an object hands out as IAccessible after a client asked one of its interfaces for it.
LONG RoleThrough(IUnknown* from) {
    IAccessible* again = nullptr;
    if (FAILED(from->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&again)))) {
        return 0;
    }
    VARIANT self = {};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role = {};
    again->get_accRole(self, &role);
    again->Release();
    return role.vt == VT_I4 ? role.lVal : 0;
}

IUnknown* IdentityOf(IUnknown* from) {
    IUnknown* identity = nullptr;
    from->QueryInterface(__uuidof(IUnknown), reinterpret_cast<void**>(&identity));
    if (identity) {
        identity->Release();
    }
    return identity;
}

} // namespace

// COM identity: each interface the link's object hands out answers IUnknown with one pointer and
// IAccessible with the link, as screen readers walking children or windows expect.
TEST(LinkLabel, EveryInterfaceOfTheLinksObjectLeadsBackToTheLink) {
    ProgramApp app;
    LinkDialog dialog("http://www.velmont.example/");
    std::vector<std::string> faults;
    int handedOut = 0;
    WindowDriver driver([&] {
        HWND window = WaitForDialog(TestCaption);
        ASSERT_NE(nullptr, window);
        RunOnDialogThread(window, [&] {
            IAccessible* link = nullptr;
            AccessibleObjectFromWindow(GetDlgItem(window, PlainId), OBJID_CLIENT,
                                       __uuidof(IAccessible), reinterpret_cast<void**>(&link));
            ASSERT_NE(nullptr, link);
            IUnknown* identity = IdentityOf(link);
            const struct {
                const char* name;
                IID iid;
            } interfaces[] = {{"IAccessible", __uuidof(IAccessible)},
                              {"IDispatch", __uuidof(IDispatch)},
                              {"IEnumVARIANT", __uuidof(IEnumVARIANT)},
                              {"IOleWindow", __uuidof(IOleWindow)},
                              {"IServiceProvider", __uuidof(IServiceProvider)}};
            for (const auto& each : interfaces) {
                IUnknown* other = nullptr;
                if (FAILED(link->QueryInterface(each.iid, reinterpret_cast<void**>(&other)))) {
                    continue;
                }
                ++handedOut;
                if (IdentityOf(other) != identity) {
                    faults.push_back(std::string(each.name) + ": another IUnknown");
                }
                if (RoleThrough(other) != ROLE_SYSTEM_LINK) {
                    faults.push_back(std::string(each.name) + ": IAccessible without the link");
                }
                other->Release();
            }
            link->Release();
        });
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_GE(handedOut, 3) << "IAccessible, IDispatch and one of the standard object's own";
    EXPECT_EQ(std::vector<std::string>(), faults);
}

namespace {

int opened = 0;

bool CountOpen(const char*) {
    ++opened;
    return true;
}

} // namespace

// A key held down repeats its WM_KEYDOWN with the previous-state bit set: the focused link opens
// once per press, with Enter and with Space, through the dialog manager as a real key goes.
TEST(LinkLabel, AHeldEnterOrSpaceOpensTheFocusedLinkOnce) {
    bool (*savedOpen)(const char*) = LinkLabel::openAddress;
    LinkLabel::openAddress = CountOpen;
    opened = 0;
    ProgramApp app;
    LinkDialog dialog("http://www.velmont.example/");
    std::vector<int> afterEachKey;
    WindowDriver driver([&] {
        HWND window = WaitForDialog(TestCaption);
        ASSERT_NE(nullptr, window);
        HWND label = GetDlgItem(window, PlainId);
        RunOnDialogThread(window, [&] { SetFocus(label); });
        for (WPARAM key : {VK_RETURN, VK_SPACE}) {
            PostMessageA(label, WM_KEYDOWN, key, 1);
            for (int repeat = 0; repeat < 3; ++repeat) {
                PostMessageA(label, WM_KEYDOWN, key, 0x40000001);
            }
            PostMessageA(label, WM_KEYUP, key, 0xC0000001);
            std::atomic<bool> counted(false);
            std::function<void()> count = [&] {
                afterEachKey.push_back(opened);
                counted = true;
            };
            PostMessageA(window, RunStepsMessage, 0, reinterpret_cast<LPARAM>(&count));
            ASSERT_TRUE(WaitUntil([&] { return counted.load(); }));
        }
        PressKey(window, VK_ESCAPE);
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    LinkLabel::openAddress = savedOpen;
    EXPECT_EQ(std::vector<int>({1, 2}), afterEachKey);
}
