#include "resources/ExampleTexts.h"

#include "DialogWatcher.h"
#include "Programs.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <vector>

namespace {

struct Control {
    int id;
    const char* className;
    DWORD style; // besides WS_CHILD and WS_VISIBLE
    DWORD exStyle;
    RECT units;       // x, y, width, height
    const char* text; // null: not compared
};

struct Template {
    unsigned id;
    const char* caption;
    DWORD style;
    DWORD exStyle;
    SIZE units;
    std::vector<Control> controls;
};

const DWORD InfoStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SHELLFONT;
const DWORD Text = SS_LEFT | WS_GROUP;
const DWORD Link = SS_LEFT | WS_GROUP | WS_TABSTOP;
const DWORD PlainText = SS_LEFT | SS_NOPREFIX | WS_GROUP;
const DWORD Default = BS_DEFPUSHBUTTON | WS_TABSTOP;
const DWORD Push = BS_PUSHBUTTON | WS_TABSTOP;

const std::vector<Template>& Templates() {
    static const std::vector<Template> templates = {
        {IDD_MAIN,
         "Doctor Velmont",
         InfoStyle | WS_VISIBLE,
         WS_EX_APPWINDOW,
         {402, 223},
         {
             {-1, "Static", Text, 0, {5, 5, 21, 8}, "Status"},
             {IDC_STATUS_LINE, "Static", Text, 0, {40, 5, 340, 8}, ""},
             // An edit control trades its border for a sunken edge when it is made.
             {IDC_REPORT_LOG,
              "Edit",
              ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP,
              WS_EX_CLIENTEDGE,
              {10, 20, 375, 175},
              ""},
             {1, "Button", Default, 0, {85, 200, 45, 15}, "&Diagnose"},
             {2, "Button", Push, 0, {145, 200, 45, 15}, "Cl&ose"},
             {9, "Button", Push, 0, {270, 200, 45, 15}, "&Help..."},
         }},
        {IDD_REPORT,
         "Doctor's Report",
         InfoStyle,
         0,
         {277, 290},
         {
             {IDC_DIAGNOSIS_TEXT, "Static", PlainText, 0, {10, 10, 250, 45}, ""},
             {IDC_ADVICE_TEXT, "Static", PlainText, 0, {10, 65, 250, 60}, ""},
             // The findings under the prognosis, each list with its label before it.
             {-1, "Static", Text, 0, {10, 128, 250, 8}, "&Findings:"},
             {IDC_FINDINGS_LIST,
              "ListBox",
              // A list box hides its scroll bar while its lines fit.
              LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_TABSTOP,
              WS_EX_CLIENTEDGE,
              {10, 138, 257, 40},
              ""},
             {-1, "Static", Text, 0, {10, 181, 250, 8}, "Fi&x for the selected finding:"},
             {IDC_FINDING_FIX,
              "Edit",
              ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_TABSTOP,
              WS_EX_CLIENTEDGE,
              {10, 191, 257, 26},
              ""},
             {IDC_GENERATE_TRACE,
              "Button",
              BS_AUTOCHECKBOX | WS_TABSTOP,
              0,
              {10, 222, 165, 10},
              "&Generate diagnostic trace files"},
             {-1, "Static", Text, 0, {5, 237, 124, 8}, "For latest information on the Web :"},
             {IDC_REPORT_WEB_LINK, "Static", Link, 0, {130, 237, 135, 8}, VLD_WEB_HOME},
             {-1,
              "Static",
              Text,
              0,
              {5, 247, 265, 17},
              "To send the Doctor's report to Tessaly Software by e-mail press the 'Submit' "
              "button"},
             {1, "Button", Default, 0, {65, 267, 45, 15}, "Cl&ose"},
             {IDC_SUBMIT, "Button", Push, 0, {155, 267, 45, 15}, "&Submit..."},
         }},
        {IDD_HELP,
         "Velmont Doctor Help",
         InfoStyle,
         0,
         {287, 193},
         {
             {-1,
              "Static",
              PlainText,
              0,
              {5, 5, 275, 20},
              "The Doctor is provided as a free analysis program to check that an installed copy "
              "of Velmont is functioning correctly."},
             {-1,
              "Static",
              PlainText,
              0,
              {5, 30, 275, 33},
              "The program checks a large number of settings and files on your computer to "
              "formulate a prognosis of what may be wrong and suggest corrective action. It does "
              "not modify settings or files on your computer. To start the checks press the "
              "'Diagnose' button."},
             {-1,
              "Static",
              PlainText,
              0,
              {5, 65, 275, 25},
              "If the Doctor can't find anything wrong or the suggested action does not improve "
              "matters please send the Doctor's analysis report to our support contact E-mail "
              "address."},
             {-1, "Static", SS_ICON, 0, {73, 100, 21, 20}, nullptr},
             {-1,
              "Static",
              SS_CENTER | SS_CENTERIMAGE | WS_GROUP,
              WS_EX_STATICEDGE,
              {IDD_MAIN, 103, 80, 15},
              VLD_SUPPORT_EMAIL},
             {-1, "Static", SS_ICON, 0, {188, 100, 21, 20}, nullptr},
             {-1,
              "Static",
              SS_CENTER | WS_GROUP,
              0,
              {5, 125, 275, 8},
              "For updated tips and advice please visit the web site by clicking on a link : "},
             {IDC_HELP_HOME_LINK, "Static", Link, 0, {15, 140, 135, 8}, VLD_WEB_HOME},
             {-1, "Static", Text, 0, {165, 140, 80, 8}, "Velmont Index page"},
             {IDC_HELP_TIPS_LINK, "Static", Link, 0, {15, 150, 140, 8}, VLD_WEB_FAQ},
             {-1, "Static", Text, 0, {165, 150, 80, 8}, "Problems and tips"},
             {IDC_HELP_CONTACT_LINK, "Static", Link, 0, {15, 160, 145, 8}, VLD_WEB_CONTACT},
             {-1, "Static", Text, 0, {165, 160, 100, 8}, "About Tessaly Software"},
             {1, "Button", Default, 0, {120, 175, 45, 15}, "Cl&ose"},
         }},
        {IDD_ABOUT,
         "About Velmont Doctor ",
         InfoStyle,
         0,
         {235, 88},
         {
             {-1, "Static", SS_ICON, 0, {10, 30, 20, 20}, nullptr},
             {-1, "Static", PlainText, 0, {40, 10, 119, 8}, "Dr. Velmont Version 1.3"},
             {-1, "Static", Text, 0, {40, 25, 119, 8}, VLD_MAKER_NOTICE},
             {1, "Button", Default | WS_GROUP, 0, {175, 35, 45, 15}, "OK"},
             {-1, "Static", Text, 0, {40, 45, 110, 8}, "Velmont Fault Diagnosis"},
             {IDC_ABOUT_WEB_LINK, "Static", Link, 0, {40, 65, 110, 8}, VLD_WEB_HOME},
         }},
    };
    return templates;
}

INT_PTR CALLBACK InspectOnly(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

// Position and size in pixels, each converted on its own as the dialog manager does.
RECT Pixels(HWND dialog, const RECT& units) {
    RECT base = {0, 0, 4, 8};
    MapDialogRect(dialog, &base);
    int left = MulDiv(units.left, base.right, 4);
    int top = MulDiv(units.top, base.bottom, 8);
    return {left, top, left + MulDiv(units.right, base.right, 4),
            top + MulDiv(units.bottom, base.bottom, 8)};
}

RECT ChildRect(HWND dialog, HWND child) {
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string ClassOf(HWND window) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The letter after a single '&' ("&&" is an ampersand) of a control that shows one, lower case;
// 0 when there is none.
char MnemonicOf(HWND control) {
    DWORD style = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE));
    std::string kind = ClassOf(control), text = WindowText(control);
    bool shows = lstrcmpiA(kind.c_str(), "Button") == 0 ||
                 (lstrcmpiA(kind.c_str(), "Static") == 0 && !(style & SS_NOPREFIX) &&
                  (style & SS_TYPEMASK) <= SS_RIGHT);
    for (size_t i = 0; shows && i + 1 < text.size(); i += text[i] == '&' ? 2 : 1) {
        if (text[i] == '&' && text[i + 1] != '&') {
            return static_cast<char>(tolower(static_cast<unsigned char>(text[i + 1])));
        }
    }
    return 0;
}

bool ComesAfter(const RECT& later, const RECT& earlier) {
    return later.top > earlier.top || (later.top == earlier.top && later.left > earlier.left);
}

BOOL CALLBACK CollectDialogId(HMODULE, LPCSTR, LPSTR name, LONG_PTR ids) {
    if (IS_INTRESOURCE(name)) {
        reinterpret_cast<std::vector<WORD>*>(ids)->push_back(LOWORD(name));
    }
    return TRUE;
}

} // namespace

// Over every dialog template of the built program: a mnemonic picks one control, and Tab moves
// through the tab stops as a reader goes, left to right and down.
TEST(DialogTemplates, GiveEachMnemonicOnceAndTabInReadingOrder) {
    std::string program = ProgramFolder() + "\\VLDoctor.exe";
    HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, module) << program;
    std::vector<WORD> ids;
    EnumResourceNamesA(module, RT_DIALOG, CollectDialogId, reinterpret_cast<LONG_PTR>(&ids));
    EXPECT_EQ(Templates().size(), ids.size());
    for (WORD id : ids) {
        HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), RT_DIALOG);
        auto* layout = static_cast<LPCDLGTEMPLATEA>(LockResource(LoadResource(module, found)));
        HWND dialog =
            CreateDialogIndirectParamA(GetModuleHandleA(nullptr), layout, nullptr, InspectOnly, 0);
        ASSERT_NE(nullptr, dialog) << id;
        std::set<char> mnemonics;
        RECT previousStop = {-1, -1, -1, -1};
        for (HWND child = GetWindow(dialog, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            char mnemonic = MnemonicOf(child);
            EXPECT_TRUE(!mnemonic || mnemonics.insert(mnemonic).second) << id << " " << mnemonic;
            if (GetWindowLongPtrA(child, GWL_STYLE) & WS_TABSTOP) {
                RECT place = ChildRect(dialog, child);
                EXPECT_TRUE(ComesAfter(place, previousStop)) << id << " " << GetDlgCtrlID(child);
                previousStop = place;
            }
        }
        DestroyWindow(dialog);
    }
    FreeLibrary(module);
}

TEST(DialogTemplates, HoldTheControlsOfTheProgramsWindows) {
    for (const Template& expected : Templates()) {
        HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(expected.id),
                                         nullptr, InspectOnly, 0);
        ASSERT_NE(nullptr, dialog) << expected.id;
        EXPECT_EQ(expected.caption, WindowText(dialog)) << expected.id;
        DWORD style = static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE));
        // The system adds DS_3DLOOK and WS_CLIPSIBLINGS to every dialog box it makes.
        EXPECT_EQ(expected.style, style & ~(DS_3DLOOK | WS_CLIPSIBLINGS)) << expected.id;
        DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_EXSTYLE));
        EXPECT_EQ(expected.exStyle, exStyle & WS_EX_APPWINDOW) << expected.id;
        RECT client = {};
        GetClientRect(dialog, &client);
        RECT size = Pixels(dialog, {0, 0, expected.units.cx, expected.units.cy});
        EXPECT_EQ(size.right, client.right) << expected.id;
        EXPECT_EQ(size.bottom, client.bottom) << expected.id;

        HWND child = GetWindow(dialog, GW_CHILD);
        for (size_t i = 0; i < expected.controls.size();
             ++i, child = GetWindow(child, GW_HWNDNEXT)) {
            const Control& control = expected.controls[i];
            std::string where = std::to_string(expected.id) + " #" + std::to_string(i);
            ASSERT_NE(nullptr, child) << where;
            EXPECT_EQ(control.id, GetDlgCtrlID(child)) << where;
            EXPECT_EQ(0, lstrcmpiA(control.className, ClassOf(child).c_str())) << where;
            DWORD childStyle = static_cast<DWORD>(GetWindowLongPtrA(child, GWL_STYLE));
            EXPECT_EQ(WS_CHILD | WS_VISIBLE | control.style, childStyle) << where;
            DWORD childExStyle = static_cast<DWORD>(GetWindowLongPtrA(child, GWL_EXSTYLE));
            EXPECT_EQ(control.exStyle, childExStyle & (WS_EX_STATICEDGE | WS_EX_CLIENTEDGE))
                << where;
            // An icon static takes the size of its icon.
            if (!(control.style & SS_ICON)) {
                EXPECT_TRUE(SameRect(Pixels(dialog, control.units), ChildRect(dialog, child)))
                    << where;
            }
            if (control.text) {
                EXPECT_EQ(control.text, WindowText(child)) << where;
            } else {
                EXPECT_NE(nullptr, reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0)))
                    << where;
            }
        }
        EXPECT_EQ(nullptr, child) << expected.id; // no further controls
        DestroyWindow(dialog);
    }
}
