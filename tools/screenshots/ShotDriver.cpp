// Starts VLDoctor.exe, runs one diagnosis and opens the report, Help and About windows in turn,
// saving a picture of each as a 24-bit BMP file; then shows the report dialog once more in this
// process in high contrast, its link focused. Used by scripts/screenshots.sh under Wine's
// virtual desktop, where the windows have their frames drawn.
//
// Usage: vlshots PROGRAM OUTPUT-FOLDER
#include "WindowSearch.h"
#include "framework/AppBase.h"
#include "framework/LinkLabel.h"
#include "report/ReportDialog.h"
#include "resources/ResourceIds.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

const DWORD WaitLimit = 30000;

HWND WaitForWindow(DWORD process, const char* caption) {
    for (DWORD waited = 0; waited < WaitLimit; waited += 50) {
        if (HWND found = FindWindowOf(process, caption)) {
            return found;
        }
        Sleep(50);
    }
    fprintf(stderr, "vlshots: no window '%s'\n", caption);
    return nullptr;
}

std::string ItemText(HWND dialog, int id) {
    char text[256] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

bool WriteBitmap(const std::string& path, HDC dc, HBITMAP bitmap, int width, int height) {
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    DWORD rowBytes = ((width * 3 + 3) / 4) * 4;
    std::vector<char> pixels(static_cast<size_t>(rowBytes) * height);
    if (!GetDIBits(dc, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&header),
                   DIB_RGB_COLORS)) {
        return false;
    }
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* out = fopen(path.c_str(), "wb");
    if (!out) {
        return false;
    }
    fwrite(&file, sizeof file, 1, out);
    fwrite(&header, sizeof header, 1, out);
    fwrite(pixels.data(), 1, pixels.size(), out);
    return fclose(out) == 0;
}

// What the screen shows of the window, after it has finished painting.
bool Capture(HWND window, const std::string& path) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(500);
    RECT rect = {};
    GetWindowRect(window, &rect);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);
    bool written = WriteBitmap(path, memory, bitmap, width, height);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    printf("vlshots: %s %s\n", written ? "saved" : "could not save", path.c_str());
    return written;
}

bool CloseAndWait(HWND dialog) {
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    for (DWORD waited = 0; waited < WaitLimit && IsWindow(dialog); waited += 50) {
        Sleep(50);
    }
    return !IsWindow(dialog);
}

bool TakeShots(DWORD process, const std::string& folder) {
    HWND main = WaitForWindow(process, "Doctor Velmont");
    if (!main) {
        return false;
    }
    PostMessageA(GetDlgItem(main, IDOK), BM_CLICK, 0, 0);
    HWND report = WaitForWindow(process, "Doctor's Report");
    if (!report || !Capture(report, folder + "\\report-dialog.bmp") || !CloseAndWait(report)) {
        return false;
    }
    for (DWORD waited = 0; ItemText(main, 1002) != "Scan complete - all done"; waited += 50) {
        if (waited > WaitLimit) {
            return false;
        }
        Sleep(50);
    }
    if (!Capture(main, folder + "\\main-window.bmp")) {
        return false;
    }
    PostMessageA(GetDlgItem(main, IDHELP), BM_CLICK, 0, 0);
    HWND help = WaitForWindow(process, "Velmont Doctor Help");
    if (!help || !Capture(help, folder + "\\help-dialog.bmp") || !CloseAndWait(help)) {
        return false;
    }
    PostMessageA(main, WM_SYSCOMMAND, 0x0010, 0);
    HWND about = WaitForWindow(process, "About Velmont Doctor ");
    if (!about || !Capture(about, folder + "\\about-dialog.bmp") || !CloseAndWait(about)) {
        return false;
    }
    PostMessageA(main, WM_COMMAND, IDCANCEL, 0);
    return true;
}

// The system colours of the high-contrast black scheme for as long as the object lives; the
// user's own colours come back afterwards (Wine keeps them in the prefix's registry).
class HighContrastColours {
public:
    HighContrastColours() {
        for (int i = 0; i < Count; ++i) {
            saved[i] = GetSysColor(Elements[i]);
        }
        SetSysColors(Count, Elements, Scheme);
    }
    HighContrastColours(const HighContrastColours&) = delete;
    HighContrastColours& operator=(const HighContrastColours&) = delete;
    ~HighContrastColours() { SetSysColors(Count, Elements, saved); }

private:
    static constexpr int Count = 8;
    static constexpr INT Elements[Count] = {COLOR_BTNFACE,     COLOR_BTNTEXT,      COLOR_WINDOW,
                                            COLOR_WINDOWTEXT,  COLOR_HOTLIGHT,     COLOR_3DSHADOW,
                                            COLOR_3DHIGHLIGHT, COLOR_ACTIVECAPTION};
    static constexpr COLORREF Scheme[Count] = {
        RGB(0, 0, 0),     RGB(255, 255, 255), RGB(0, 0, 0),       RGB(255, 255, 255),
        RGB(255, 255, 0), RGB(255, 255, 255), RGB(255, 255, 255), RGB(128, 0, 128)};
    COLORREF saved[Count] = {};
};

HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

// Wine cannot switch its high-contrast mode on, so the link is told through its test switch,
// with the system's colours set to the scheme Windows uses then.
bool TakeHighContrastShot(const std::string& folder) {
    AppBase app;
    app.InstanceHandle = GetModuleHandleA(nullptr);
    HighContrastColours colours;
    LinkLabel::highContrastOn = [] { return true; };
    Window reportLog;
    ReportDialog dialog(nullptr, IDS_HEALTHY_DIAGNOSIS, IDS_HEALTHY_ADVICE, false, reportLog,
                        Str());
    bool saved = false;
    std::thread driver([&] {
        HWND report = WaitForWindow(GetCurrentProcessId(), "Doctor's Report");
        if (!report) {
            return;
        }
        HWND link = GetDlgItem(report, IDC_REPORT_WEB_LINK);
        PostMessageA(report, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(link), TRUE);
        for (DWORD waited = 0; waited < WaitLimit && FocusOf(report) != link; waited += 50) {
            Sleep(50);
        }
        saved = FocusOf(report) == link &&
                Capture(report, folder + "\\report-dialog-high-contrast.bmp");
        PostMessageA(report, WM_COMMAND, IDCANCEL, 0);
    });
    dialog.DoModal();
    driver.join();
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: vlshots PROGRAM OUTPUT-FOLDER\n");
        return 2;
    }
    std::string command = std::string("\"") + argv[1] + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        fprintf(stderr, "vlshots: cannot start %s\n", argv[1]);
        return 1;
    }
    bool done = TakeShots(info.dwProcessId, argv[2]);
    if (WaitForSingleObject(info.hProcess, WaitLimit) != WAIT_OBJECT_0) {
        TerminateProcess(info.hProcess, 1);
        done = false;
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    done = done && TakeHighContrastShot(argv[2]);
    return done ? 0 : 1;
}
