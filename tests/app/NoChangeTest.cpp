#include "DoctorOutcome.h"
#include "ReportRun.h"

#include "Programs.h"
#include "Registry.h"
#include "Scratch.h"
#include "Snapshot.h"
#include "WindowDriver.h"
#include "WindowRun.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const char* const InstallFolder = "C:\\Program Files (x86)\\Tessaly\\Velmont";
const char* const ConfigurationRoot = "C:\\users\\Public\\Velmont";
const char* const TraceModeValue =
    "Software\\Tessaly\\Velmont\\Configurations\\Head Office\\Main [TraceMode] type 4 = ";

// Everything of the product the Doctor could change: its registry trees and its two folders.
std::string ProductState() {
    return SnapshotProductRegistry() + SnapshotFolder(InstallFolder) +
           SnapshotFolder(ConfigurationRoot);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// The lines of the first text that the second lacks.
std::vector<std::string> Missing(const std::string& from, const std::string& in) {
    std::vector<std::string> a = Lines(from);
    std::vector<std::string> b = Lines(in);
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    std::vector<std::string> missing;
    std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(missing));
    return missing;
}

enum class ReportClose { NoRun, CloseButton, EscapeKey, CloseWithBoxChanged };

// One window run: Diagnose (unless NoRun), the report dialog closed as asked, then the main
// window closed with Escape. True when every window came and went and the program ended well.
bool RunWindowMode(ReportClose close, int& checkBefore) {
    WindowRun program;
    HWND main = program.Started() ? program.WaitForWindow(MainCaption) : nullptr;
    if (!main) {
        return false;
    }
    if (close != ReportClose::NoRun) {
        PostMessageA(main, WM_COMMAND, IDOK, 0);
        HWND report = program.WaitForWindow(ReportCaption);
        if (!report) {
            return false;
        }
        HWND box = GetDlgItem(report, IDC_GENERATE_TRACE);
        checkBefore = static_cast<int>(SendMessageA(box, BM_GETCHECK, 0, 0));
        if (close == ReportClose::CloseWithBoxChanged) {
            SendMessageA(box, BM_CLICK, 0, 0);
        }
        if (close == ReportClose::EscapeKey) {
            PressKey(report, VK_ESCAPE);
        } else {
            PostMessageA(GetDlgItem(report, IDOK), BM_CLICK, 0, 0);
        }
        if (!WaitUntilGone(report, WindowLimit)) {
            return false;
        }
        WaitUntil([&] { return ItemText(main, IDC_STATUS_LINE) == "Scan complete - all done"; },
                  WindowLimit);
    }
    PressKey(main, VK_ESCAPE);
    return program.EndedCleanly();
}

class NoChangeTest : public ::testing::Test {
protected:
    static void TearDownTestSuite() { LaySample("clean"); }

    ScratchFolder scratch;
};

const char* const Configurations = "Software\\Tessaly\\Velmont\\Configurations";

// A product whose configuration lacks whole sections: reading them must not create them.
void RemoveSections() {
    std::string configuration = std::string(Configurations) + "\\Head Office";
    TestRegistry::DeleteTree(HKEY_CURRENT_USER, (configuration + "\\Sites").c_str());
    TestRegistry::DeleteTree(HKEY_CURRENT_USER, (configuration + "\\WorkGroups").c_str());
    TestRegistry::DeleteTree(HKEY_CURRENT_USER, (configuration + "\\Alerts").c_str());
}

// The settings name a configuration that was never made: looking for it must not make it.
void NameAnUnknownConfiguration() {
    TestRegistry::SetString(HKEY_CURRENT_USER, TestRegistry::SettingsPath, "Config", "Branch");
}

void RemoveConfigurations() {
    TestRegistry::DeleteTree(HKEY_CURRENT_USER, Configurations);
}

void RemoveMachineSettings() {
    TestRegistry::DeleteTree(HKEY_LOCAL_MACHINE, TestRegistry::SettingsPath);
}

struct Damage {
    const char* name;
    void (*apply)();
    bool everyVariant; // else only to the healthy sample, whose checks all get that far
};

// Each path the checks take through a product that lacks something.
const Damage Damages[] = {
    {"as laid", [] {}, true},
    {"sections missing", RemoveSections, true},
    {"unknown configuration", NameAnUnknownConfiguration, false},
    {"no configurations key", RemoveConfigurations, false},
    {"no machine settings", RemoveMachineSettings, false},
};

} // namespace

TEST_F(NoChangeTest, ReportModesChangeNothing) {
    const char* const variants[] = {"healthy",      "not-installed",     "no-config-folder",
                                    "missing-file", "no-install-folder", "no-events"};
    for (const char* variant : variants) {
        for (const Damage& damage : Damages) {
            if (!damage.everyVariant && std::string(variant) != "healthy") {
                continue;
            }
            ASSERT_TRUE(LaySample(variant)) << variant;
            damage.apply();
            std::string before = ProductState();
            for (const char* mode : {"/report", "/message", "/json", "/status"}) {
                DoctorOutcome outcome = RunDoctorInto(mode, scratch.File("out.txt"));
                std::string run = std::string(variant) + ", " + damage.name + ", " + mode;
                ASSERT_TRUE(outcome.finished) << run;
                EXPECT_FALSE(outcome.text.empty()) << run;
                std::string after = ProductState();
                EXPECT_EQ(0u, Missing(before, after).size()) << run;
                EXPECT_EQ(0u, Missing(after, before).size()) << run;
                EXPECT_TRUE(before == after) << run;
            }
        }
    }
}

TEST_F(NoChangeTest, WindowRunsChangeNothingUnlessTheTraceBoxChanged) {
    struct Row {
        const char* name;
        ReportClose close;
        int storedTraceMode; // -1: no value
        void (*damage)() = nullptr;
    };
    const Row rows[] = {
        {"Close, unknown configuration", ReportClose::CloseButton, 0, NameAnUnknownConfiguration},
        {"Escape without a run", ReportClose::NoRun, 1},
        {"Close, box left ticked", ReportClose::CloseButton, 1},
        {"Close, box left ticked on 3", ReportClose::CloseButton, 3},
        {"Close, box left clear", ReportClose::CloseButton, -1},
        {"Escape in the report", ReportClose::EscapeKey, 1},
    };
    for (const Row& row : rows) {
        ASSERT_TRUE(LaySample("healthy")) << row.name;
        std::string main = "Software\\Tessaly\\Velmont\\Configurations\\Head Office\\Main";
        if (row.storedTraceMode < 0) {
            RegDeleteKeyValueA(HKEY_CURRENT_USER, main.c_str(), "TraceMode");
        } else {
            TestRegistry::SetDword(HKEY_CURRENT_USER, main.c_str(), "TraceMode",
                                   static_cast<DWORD>(row.storedTraceMode));
        }
        if (row.damage) {
            row.damage();
        }
        std::string before = ProductState();
        int check = -1;
        ASSERT_TRUE(RunWindowMode(row.close, check)) << row.name;
        if (row.close != ReportClose::NoRun) {
            EXPECT_EQ(row.storedTraceMode > 0 ? BST_CHECKED : BST_UNCHECKED, check) << row.name;
        }
        std::string after = ProductState();
        EXPECT_EQ(0u, Missing(before, after).size()) << row.name;
        EXPECT_EQ(0u, Missing(after, before).size()) << row.name;
    }
}

// The one change the Doctor may make: the product's trace mode, from a changed box on Close.
TEST_F(NoChangeTest, CloseWithAChangedBoxChangesTheTraceModeAlone) {
    struct Row {
        int storedBefore; // -1: no value
        std::string removed;
        std::string added;
    };
    const Row rows[] = {
        {1, std::string(TraceModeValue) + "01000000", std::string(TraceModeValue) + "00000000"},
        {0, std::string(TraceModeValue) + "00000000", std::string(TraceModeValue) + "03000000"},
        {-1, "", std::string(TraceModeValue) + "03000000"},
    };
    for (const Row& row : rows) {
        ASSERT_TRUE(LaySample("healthy"));
        std::string main = "Software\\Tessaly\\Velmont\\Configurations\\Head Office\\Main";
        if (row.storedBefore < 0) {
            RegDeleteKeyValueA(HKEY_CURRENT_USER, main.c_str(), "TraceMode");
        } else {
            TestRegistry::SetDword(HKEY_CURRENT_USER, main.c_str(), "TraceMode",
                                   static_cast<DWORD>(row.storedBefore));
        }
        std::string before = ProductState();
        int check = -1;
        ASSERT_TRUE(RunWindowMode(ReportClose::CloseWithBoxChanged, check)) << row.storedBefore;
        std::string after = ProductState();
        std::vector<std::string> removed = Missing(before, after);
        std::vector<std::string> added = Missing(after, before);
        ASSERT_FALSE(added.empty()) << row.storedBefore;
        EXPECT_EQ(row.removed.empty() ? 0u : added.size(), removed.size()) << row.storedBefore;
        for (const std::string& line : removed) {
            EXPECT_EQ(row.removed, line) << row.storedBefore;
        }
        for (const std::string& line : added) {
            EXPECT_EQ(row.added, line) << row.storedBefore;
        }
    }
}
