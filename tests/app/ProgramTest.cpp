#include "DoctorOutcome.h"
#include "Programs.h"
#include "Registry.h"
#include "ReportRun.h"
#include "Scratch.h"
#include "WindowDriver.h"
#include "WindowRun.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

namespace {

// The pair installed where the product's own folder lies: blanks and letters outside ASCII in
// the path, which the companion hands to the window program it starts.
class InstalledPair {
public:
    InstalledPair() : folder(scratch.File("Velmont Doctor (x86) Ωμέγα")) {
        copied = CreateDirectoryA(folder.c_str(), nullptr) &&
                 CopyFileA(DoctorPath().c_str(), Doctor().c_str(), TRUE) &&
                 CopyFileA(CompanionPath().c_str(), Companion().c_str(), TRUE);
    }

    std::string Doctor() const { return folder + "\\VLDoctor.exe"; }
    std::string Companion() const { return folder + "\\VLDoctor.com"; }

    bool copied;

private:
    ScratchFolder scratch;
    std::string folder;
};

} // namespace

TEST(Program, WindowModeEndsWithExitCodeZero) {
    enum Close { EscapeKey, CloseButton, CloseBox };
    for (Close close : {EscapeKey, CloseButton, CloseBox}) {
        WindowRun program;
        ASSERT_TRUE(program.Started());
        HWND main = program.WaitForWindow(MainCaption);
        ASSERT_NE(nullptr, main) << close;
        EXPECT_EQ("Ready for analysis to begin. Press  Diagnose to begin",
                  ControlText(main, IDC_STATUS_LINE));
        if (close == EscapeKey) {
            PressKey(main, VK_ESCAPE);
        } else if (close == CloseButton) {
            PostMessageA(GetDlgItem(main, IDCANCEL), BM_CLICK, 0, 0);
        } else {
            PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        EXPECT_TRUE(program.EndedCleanly()) << close;
    }
}

TEST(Program, ConsoleCompanionReportsAsTheWindowProgramDoes) {
    ScratchFolder scratch;
    InstalledPair pair;
    ASSERT_TRUE(pair.copied);
    std::string expected = scratch.File("exe.txt");
    std::string errors = scratch.File("err.txt");
    // Each run has a file of its own: under Wine the console host of a finished console program
    // can still hold its standard handles for a moment.
    struct Run {
        std::string arguments;
        std::string standardOutput;
        std::string report;
    };
    for (const char* variant : {"healthy", "missing-file"}) {
        ASSERT_TRUE(LaySample(variant));
        unsigned long exitCode = RunDoctor("/report", expected, "");
        std::string printed = scratch.File(std::string(variant) + "-printed.txt");
        std::string written = scratch.File(std::string(variant) + "-written.txt");
        for (const Run& run :
             {Run{"/report", printed, printed}, Run{"/report \"" + written + "\"", "", written}}) {
            EXPECT_EQ(exitCode,
                      RunDoctor(run.arguments, run.standardOutput, errors, pair.Companion()))
                << variant << " " << run.arguments;
            EXPECT_TRUE(WithoutTimeLine(ReadBytes(expected)) ==
                        WithoutTimeLine(ReadBytes(run.report)))
                << variant << " " << run.arguments;
            EXPECT_EQ("", ReadBytes(errors)) << variant;
        }
    }
    LaySample("clean");
}

TEST(Program, ConsoleCompanionStartsTheWindowAndReturnsAtOnce) {
    InstalledPair pair;
    ASSERT_TRUE(pair.copied);
    ProgramRun run = RunProgram("\"" + pair.Companion() + "\"", "", "", WindowLimit / 3);
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(0u, run.exitCode);
    HWND main = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (main = FindWindowA(nullptr, MainCaption)) != nullptr; }));
    DWORD id = 0;
    GetWindowThreadProcessId(main, &id);
    HANDLE process =
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, id);
    ASSERT_NE(nullptr, process);
    char image[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH;
    QueryFullProcessImageNameA(process, 0, image, &size);
    EXPECT_EQ(pair.Doctor(), std::string(image, size));
    PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    DWORD code = 99;
    if (WaitForSingleObject(process, WindowLimit) != WAIT_OBJECT_0) {
        TerminateProcess(process, 99);
    }
    EXPECT_TRUE(GetExitCodeProcess(process, &code) && code == 0);
    CloseHandle(process);
}

// Commands typed at a prompt (here read from its input): the prompt waits for a console program
// only, so a whole report and the Doctor's exit code show that it ran VLDoctor.com.
TEST(Program, APromptRunsTheConsoleCompanionAndWaitsForIt) {
    ScratchFolder scratch;
    std::string expected = scratch.File("exe.txt");
    std::string report = scratch.File("report.txt");
    std::string typed = scratch.File("typed.txt");
    std::string prompt = scratch.File("prompt.txt");
    ASSERT_TRUE(LaySample("missing-file"));
    unsigned long exitCode = RunDoctor("/report", expected, "");
    ASSERT_NE(0u, exitCode);
    ASSERT_TRUE(WriteBytes(typed, "VLDoctor /report > \"" + report +
                                      "\"\r\necho exit code %ERRORLEVEL%.\r\nexit\r\n"));
    ProgramRun run = RunProgram("cmd", prompt, "", 60000, typed);
    EXPECT_TRUE(run.finished);
    EXPECT_NE(std::string::npos,
              ReadBytes(prompt).find("exit code " + std::to_string(exitCode) + "."));
    EXPECT_TRUE(WithoutTimeLine(ReadBytes(expected)) == WithoutTimeLine(ReadBytes(report)));
    LaySample("clean");
}

namespace {

const char* const DesktopKey = "Control Panel\\Desktop";

// The screen's DPI as Wine reads it when a program starts; the old value comes back at the end.
class ScreenDpi {
public:
    explicit ScreenDpi(DWORD dpi)
        : hadValue(TestRegistry::GetDword(HKEY_CURRENT_USER, DesktopKey, "LogPixels", old)) {
        TestRegistry::SetDword(HKEY_CURRENT_USER, DesktopKey, "LogPixels", dpi);
    }
    ScreenDpi(const ScreenDpi&) = delete;
    ScreenDpi& operator=(const ScreenDpi&) = delete;
    ~ScreenDpi() {
        if (hadValue) {
            TestRegistry::SetDword(HKEY_CURRENT_USER, DesktopKey, "LogPixels", old);
        } else {
            RegDeleteKeyValueA(HKEY_CURRENT_USER, DesktopKey, "LogPixels");
        }
    }

private:
    DWORD old = 0;
    bool hadValue;
};

// The Diagnose button and the report log of a window started at that DPI, in screen pixels.
bool MeasureMainWindow(DWORD dpi, RECT& button, RECT& log) {
    ScreenDpi screen(dpi);
    WindowRun program;
    HWND main = program.Started() ? program.WaitForWindow(MainCaption) : nullptr;
    if (!main) {
        return false;
    }
    GetWindowRect(GetDlgItem(main, IDOK), &button);
    GetWindowRect(GetDlgItem(main, IDC_REPORT_LOG), &log);
    PressKey(main, VK_ESCAPE);
    return program.EndedCleanly();
}

double Ratio(LONG larger, LONG smaller) {
    return smaller > 0 ? static_cast<double>(larger) / smaller : 0;
}

} // namespace

// At 144 DPI the layout and its font grow by half. (Wine draws a program without DPI awareness
// at the screen's DPI as well; the manifest's setting is checked with the resources.)
TEST(Program, AtOneHundredFortyFourDpiTheControlsScale) {
    RECT button96, log96, button144, log144;
    ASSERT_TRUE(MeasureMainWindow(96, button96, log96));
    ASSERT_TRUE(MeasureMainWindow(144, button144, log144));
    EXPECT_NEAR(1.5, Ratio(button144.bottom - button144.top, button96.bottom - button96.top), 0.1);
    EXPECT_NEAR(1.5, Ratio(log144.right - log144.left, log96.right - log96.left), 0.1);
}
