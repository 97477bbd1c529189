#include "ReportRun.h"
#include "WindowRun.h"

#include "Registry.h"
#include "WindowDriver.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

const size_t ReportLogLimit = 65535;
const char* const HugeTraceLog = "C:\\users\\Public\\Velmont\\HugeTrace.log";

// Diagnose in the window; gives the report log's text once the report dialog is up, and closes
// the dialog with Escape and the program with Escape. False when a window did not come or go.
bool DiagnoseInWindow(std::string& reportLog) {
    WindowRun program;
    HWND main = program.Started() ? program.WaitForWindow(MainCaption) : nullptr;
    if (!main) {
        return false;
    }
    PostMessageA(main, WM_COMMAND, IDOK, 0);
    HWND report = program.WaitForWindow(ReportCaption);
    if (!report) {
        return false;
    }
    reportLog = ControlText(main, IDC_REPORT_LOG);
    PressKey(report, VK_ESCAPE);
    if (!WaitUntilGone(report, WindowLimit)) {
        return false;
    }
    PressKey(main, VK_ESCAPE);
    return program.EndedCleanly();
}

class BadWindowTest : public ::testing::Test {
protected:
    static void TearDownTestSuite() { LaySample("clean"); }
    void SetUp() override { ASSERT_TRUE(LaySample("healthy")); }
};

} // namespace

// The window's report holds 65,535 characters: a hostile count fills it and the run goes on.
// Wine's edit control makes each insertion cost more as the text grows: line by line this run
// took 40 s, in blocks it takes about as long as in report mode.
TEST_F(BadWindowTest, AHostileCountFillsTheReportWindowAndTheRunEnds) {
    TestRegistry::SetDword(HKEY_CURRENT_USER,
                           "Software\\Tessaly\\Velmont\\Configurations\\Head Office\\Schedule",
                           "EventCount", 2147483647u);
    std::string log;
    ASSERT_TRUE(DiagnoseInWindow(log));
    EXPECT_EQ(ReportLogLimit, log.size());
    EXPECT_EQ(0u, log.find("Velmont Doctor version '"));
    EXPECT_NE(std::string::npos, log.find("\r\nEvent 500  0 0\r\n"));
    EXPECT_EQ(std::string::npos, log.find("Analysis result"));
}

TEST_F(BadWindowTest, AFiftyMegabyteTraceLineIsCutAtTheReportWindowsEnd) {
    FILE* file = fopen(HugeTraceLog, "wb");
    ASSERT_NE(nullptr, file);
    std::string block(1u << 20, 'h');
    for (int i = 0; i < 50; ++i) {
        fwrite(block.data(), 1, block.size(), file);
    }
    fputs("\r\n", file);
    fclose(file);
    std::string log;
    bool ran = DiagnoseInWindow(log);
    DeleteFileA(HugeTraceLog);
    ASSERT_TRUE(ran);
    EXPECT_EQ(ReportLogLimit, log.size());
    size_t heading = log.find("File contents of '" + std::string(HugeTraceLog) + "' :\r\n");
    ASSERT_NE(std::string::npos, heading);
    EXPECT_EQ(std::string::npos, log.find_first_not_of('h', log.find(":\r\nhhh", heading) + 3));
}
