#include "ReportRun.h"
#include "WindowRun.h"

#include "app/CheckSummary.h"
#include "app/JsonReport.h"
#include "app/ReportMode.h"
#include "app/StatusLine.h"
#include "base/TextEncoding.h"
#include "diagnosis/DiagnosisPass.h"
#include "diagnosis/MemoryReport.h"

#include "Scratch.h"
#include "WindowDriver.h"
#include "resources/ResourceIds.h"
#include "resources/Version.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace {

struct FindingsCase {
    const char* variant;
    unsigned long exitCode;
    std::vector<std::string> ids; // in the order the checks find them
    const char* stages;           // installation, files, configuration
};

const char* const TraceOn = "configuration.trace-mode-on"; // every sample traces

const FindingsCase FindingsCases[] = {
    {"healthy", 0, {TraceOn}, "ok ok ok"},
    {"credentials", 0, {TraceOn}, "ok ok ok"},
    {"international", 0, {TraceOn}, "ok ok ok"},
    {"not-installed", 3, {"installation.not-installed"}, "problem not-checked not-checked"},
    {"no-install-folder",
     1,
     {"installation.install-folder-unknown", TraceOn},
     "problem partly-checked ok"},
    {"no-uninstall-command",
     1,
     {"installation.uninstall-command-missing", TraceOn},
     "problem ok ok"},
    {"no-config-folder", 1, {"installation.config-folder-missing", TraceOn}, "problem ok ok"},
    {"no-logfile", 1, {"installation.log-file-unset", TraceOn}, "problem ok ok"},
    {"missing-file", 1, {"files.product-file-missing", TraceOn}, "ok problem ok"},
    {"old-mfc42", 1, {"files.system-library-outdated", TraceOn}, "ok problem ok"},
    {"config-version-2", 1, {TraceOn, "configuration.version-unknown"}, "ok ok problem"},
    {"no-events", 1, {TraceOn, "configuration.no-events"}, "ok ok problem"},
    {"truncated-file", 1, {"files.product-file-version-unreadable", TraceOn}, "ok problem ok"},
};

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

nlohmann::json JsonOf(const std::string& variant, const ScratchFolder& scratch) {
    std::string file = scratch.File(variant + ".json");
    if (!LaySample(variant)) {
        return nlohmann::json();
    }
    RunDoctor("/json \"" + file + "\"", "", "", CompanionPath());
    return nlohmann::json::parse(ReadBytes(file), nullptr, false);
}

} // namespace

// Each variant gives exactly its findings and stage states, in the JSON and in /check, which
// shows each finding's title with its fix under it and exits as the other modes do.
TEST(Findings, EachSampleVariantGivesItsFindingsAndStages) {
    ScratchFolder scratch;
    std::string summaryFile = scratch.File("check.txt");
    for (const FindingsCase& c : FindingsCases) {
        nlohmann::json json = JsonOf(c.variant, scratch);
        ASSERT_TRUE(json.is_object()) << c.variant;
        std::vector<std::string> ids;
        for (const nlohmann::json& finding : json["findings"]) {
            ids.push_back(finding["id"].get<std::string>());
            if (c.exitCode == 0) {
                EXPECT_EQ("info", finding["severity"]) << c.variant;
            }
        }
        EXPECT_EQ(c.ids, ids) << c.variant;
        const nlohmann::json& stages = json["stages"];
        EXPECT_EQ(c.stages, stages["installation"].get<std::string>() + " " +
                                stages["files"].get<std::string>() + " " +
                                stages["configuration"].get<std::string>())
            << c.variant;

        EXPECT_EQ(c.exitCode, RunDoctor("/check \"" + summaryFile + "\"", "", "", CompanionPath()))
            << c.variant;
        std::string summary = ReadBytes(summaryFile);
        for (const nlohmann::json& finding : json["findings"]) {
            std::string title = finding["title"].get<std::string>();
            std::string fix = finding["fix"].get<std::string>();
            EXPECT_TRUE(Contains(summary, title + "\r\n     " + fix + "\r\n")) << title;
        }
        EXPECT_EQ(std::string::npos, summary.find('\xE2')) << "a file gets ASCII marks";
    }
    LaySample("clean");
}

// A file that cannot be opened is named with the system's text as one line, and its code.
TEST(Findings, AFileThatCannotBeOpenedCarriesTheSystemsErrorAndCode) {
    ScratchFolder scratch;
    nlohmann::json json = JsonOf("missing-file", scratch);
    LaySample("clean");
    ASSERT_TRUE(json.is_object());
    const nlohmann::json& evidence = json["findings"][0]["evidence"];
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, evidence["errorCode"].get<int>());
    bool fileSeen = false;
    for (const nlohmann::json& file : json["productFiles"]) {
        if (file.contains("error")) {
            fileSeen = true;
            EXPECT_EQ(evidence["path"], file["path"]);
            EXPECT_EQ(evidence["errorText"], file["error"]);
            EXPECT_EQ(evidence["errorCode"], file["errorCode"]);
        }
    }
    EXPECT_TRUE(fileSeen);
}

namespace {

// A run as the local system account would be, which Wine cannot run a program as.
class SystemAccountRun : public MemoryReport {
public:
    bool UnderSystemAccount() const override { return true; }
};

} // namespace

// The system account's own settings are not a user's: whatever they hold, healthy, damaged or
// nothing, the run answers 3, and /check, /status and the JSON say it was not diagnosed.
TEST(Findings, ARunAsTheSystemAccountIsNotDiagnosedWhateverItsSettingsHold) {
    for (const char* variant : {"healthy", "config-version-2", "not-installed"}) {
        ASSERT_TRUE(LaySample(variant));
        SystemAccountRun run;
        RunDiagnosisPass(run);
        EXPECT_EQ(3, ExitCodeFor(run)) << variant;
        std::string summary = BuildCheckSummary(run, false).Text();
        EXPECT_EQ(std::string::npos, summary.find("No problems found")) << variant;
        EXPECT_EQ(std::string::npos, summary.find("problem found")) << variant;
        EXPECT_NE(std::string::npos, summary.find("not diagnosed")) << variant;
        EXPECT_EQ(0u, std::string(BuildStatusLine(run).Text()).find("Velmont not-diagnosed: "))
            << variant;
        nlohmann::json json = nlohmann::json::parse(BuildJsonReport(run, run.Text()).Text());
        EXPECT_EQ("not-diagnosed", json["state"]) << variant;
        EXPECT_FALSE(json["healthy"].get<bool>()) << variant;
        EXPECT_EQ("system-account", json["prognosis"]["name"]) << variant;
    }
    LaySample("clean");
}

// The system's error codes are unsigned 32-bit numbers: one past the signed range (an NTSTATUS
// such as 0xC0000005) stays the same number in the JSON.
TEST(Findings, AnErrorCodePastTheSignedRangeKeepsItsValueInTheJson) {
    MemoryReport run;
    StrList& rows = run.Facts.ProductFiles;
    rows.Add(Str("C:\\Velmont\\VLWork.exe"));
    rows.Add(Str(""));
    rows.Add(Str("Access violation."));
    rows.Add(Str("3221225477"));
    nlohmann::json json = nlohmann::json::parse(BuildJsonReport(run, Str("report")).Text());
    EXPECT_EQ(3221225477u, json["productFiles"][0]["errorCode"].get<uint64_t>());
}

TEST(Findings, VersionPrintsTheVersionAndExitsZero) {
    ScratchFolder scratch;
    std::string output = scratch.File("version.txt");
    EXPECT_EQ(0u, RunDoctor("/version", output, "", CompanionPath()));
    EXPECT_EQ(VLD_VERSION_TEXT "\r\n", ReadBytes(output));
}

namespace {

// Read in UTF-16: Wine 8's conversion of LB_GETTEXT from another process into 8-bit text reads
// through a bad pointer and ends the caller.
std::vector<std::string> ListLines(HWND dialog) {
    std::vector<std::string> lines;
    HWND list = GetDlgItem(dialog, IDC_FINDINGS_LIST);
    LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = SendMessageW(list, LB_GETTEXTLEN, i, 0);
        std::vector<wchar_t> text(static_cast<size_t>(length > 0 ? length : 0) + 1);
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        lines.push_back(
            Utf8FromWide(text.data(), static_cast<int32_t>(wcslen(text.data()))).Text());
    }
    return lines;
}

} // namespace

// The report dialog lists the run's findings and shows the fix of the one selected with the
// keyboard; a second run in the same window shows only its own findings.
TEST(Findings, TheReportDialogListsTheFindingsOfEachRun) {
    ScratchFolder scratch;
    nlohmann::json json = JsonOf("missing-file", scratch);
    ASSERT_TRUE(json.is_object());
    const nlohmann::json& findings = json["findings"];
    ASSERT_EQ(2u, findings.size());
    WindowRun program;
    HWND main = program.Started() ? program.WaitForWindow(MainCaption) : nullptr;
    ASSERT_NE(nullptr, main);
    PostMessageA(main, WM_COMMAND, IDOK, 0);
    HWND report = program.WaitForWindow(ReportCaption);
    ASSERT_NE(nullptr, report);
    std::vector<std::string> lines = ListLines(report);
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ("Error: " + findings[0]["title"].get<std::string>(), lines[0]);
    EXPECT_EQ(findings[0]["fix"].get<std::string>(), ControlText(report, IDC_FINDING_FIX));
    HWND list = GetDlgItem(report, IDC_FINDINGS_LIST);
    PressKey(list, VK_DOWN);
    EXPECT_TRUE(WaitUntil([&] {
        return ControlText(report, IDC_FINDING_FIX) == findings[1]["fix"].get<std::string>();
    }));
    PressKey(report, VK_ESCAPE);
    ASSERT_TRUE(WaitUntilGone(report));

    ASSERT_TRUE(LaySample("healthy"));
    PostMessageA(main, WM_COMMAND, IDOK, 0);
    report = program.WaitForWindow(ReportCaption);
    ASSERT_NE(nullptr, report);
    lines = ListLines(report);
    EXPECT_EQ(1u, lines.size());
    for (const std::string& line : lines) {
        EXPECT_NE(0u, line.rfind("Error", 0)) << line;
    }
    PressKey(report, VK_ESCAPE);
    WaitUntilGone(report);
    PressKey(main, VK_ESCAPE);
    EXPECT_TRUE(program.EndedCleanly());
    LaySample("clean");
}
