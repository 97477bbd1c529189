#include "ReportRun.h"

#include "DoctorOutcome.h"
#include "JsonAgreement.h"
#include "Programs.h"
#include "Scratch.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

struct GoldenCase {
    const char* variant;
    unsigned long exitCode;
    const char* state;     // the JSON's state, which fleets count
    const char* prognosis; // the JSON's prognosis name
    const char* stages;    // installation, files, configuration
};

// Every sample variant, its expected report in golden\<variant>.txt, the Doctor's exit code and
// what the JSON says of the run.
const GoldenCase GoldenCases[] = {
    {"healthy", 0, "healthy", "healthy", "ok ok ok"},
    {"not-installed", 3, "not-diagnosed", "not-installed", "problem not-checked not-checked"},
    {"no-install-folder", 1, "problems", "damaged", "problem partly-checked ok"},
    {"no-uninstall-command", 1, "problems", "damaged", "problem ok ok"},
    {"no-config-folder", 1, "problems", "damaged", "problem ok ok"},
    {"no-logfile", 1, "problems", "damaged", "problem ok ok"},
    {"missing-file", 1, "problems", "damaged", "ok problem ok"},
    {"old-mfc42", 1, "problems", "system-component", "ok problem ok"},
    {"config-version-2", 1, "problems", "configuration-version", "ok ok problem"},
    {"no-events", 1, "problems", "unconfigured", "ok ok problem"},
    {"credentials", 0, "healthy", "healthy", "ok ok ok"},
    {"international", 0, "healthy", "healthy", "ok ok ok"},
    {"truncated-file", 1, "problems", "damaged", "ok problem ok"},
};

std::string StagesOf(const nlohmann::json& json) {
    const nlohmann::json& stages = json["stages"];
    return stages["installation"].get<std::string>() + " " + stages["files"].get<std::string>() +
           " " + stages["configuration"].get<std::string>();
}

// The /check line of a stage: its mark, then the stage's name.
std::string CheckStageLine(const std::string& summary, const char* name) {
    size_t at = summary.find(std::string(" ") + name + "  ");
    size_t start = summary.rfind("\n", at);
    return at == std::string::npos
               ? ""
               : summary.substr(start + 1, summary.find("\r\n", at) - start - 1);
}

// The /check mark of each stage state: a problem is an error or a warning.
bool MarkFits(const std::string& line, const std::string& state) {
    std::string mark = line.substr(0, 4);
    if (state == "ok") {
        return mark == "[ok]";
    }
    if (state == "problem") {
        return mark == "[x] " || mark == "[!] ";
    }
    return mark == "[-] " && line.find("not checked)") != std::string::npos;
}

// Healthy, the state, the prognosis, the stages, the findings, the exit code, /check and
// /status all say one thing.
void ExpectOneTruth(const GoldenCase& golden, const nlohmann::json& json,
                    const std::string& summary, const std::string& status) {
    EXPECT_EQ(golden.state, json["state"]);
    EXPECT_EQ(golden.exitCode == 0, json["healthy"].get<bool>());
    EXPECT_EQ(golden.prognosis, json["prognosis"]["name"]);
    EXPECT_EQ(golden.stages, StagesOf(json));
    std::set<std::string> problemStages;
    std::string ids;
    for (const nlohmann::json& finding : json["findings"]) {
        if (finding["severity"] != "info") {
            problemStages.insert(finding["stage"].get<std::string>());
            ids += (ids.empty() ? ": " : ", ") + finding["id"].get<std::string>();
        }
    }
    const struct {
        const char* key;
        const char* label;
    } stages[] = {
        {"installation", "Installation"}, {"files", "Files"}, {"configuration", "Configuration"}};
    for (const auto& stage : stages) {
        std::string state = json["stages"][stage.key].get<std::string>();
        EXPECT_EQ(problemStages.count(stage.key) == 1, state == "problem") << stage.key;
        EXPECT_TRUE(MarkFits(CheckStageLine(summary, stage.label), state)) << stage.key;
    }
    bool noProblems = summary.find("\r\nNo problems found. ") != std::string::npos;
    EXPECT_EQ(golden.exitCode == 0, noProblems) << summary;
    bool notDiagnosed = summary.find("\r\nVelmont was not diagnosed ") != std::string::npos;
    EXPECT_EQ(golden.exitCode == 3, notDiagnosed) << summary;
    EXPECT_EQ(golden.exitCode == 0, problemStages.empty());
    EXPECT_EQ("Velmont " + std::string(golden.state) + ids + "\r\n", status);
}

} // namespace

namespace {

class GoldenReportTest : public ::testing::TestWithParam<GoldenCase> {
protected:
    static void TearDownTestSuite() { LaySample("clean"); }

    ScratchFolder scratch;
};

} // namespace

TEST_P(GoldenReportTest, ReportMatchesTheExpectedReport) {
    const GoldenCase& golden = GetParam();
    ASSERT_TRUE(LaySample(golden.variant));
    std::string file = scratch.File("report.txt");
    std::string errors = scratch.File("errors.txt");
    EXPECT_EQ(golden.exitCode, RunDoctor("/report \"" + file + "\"", "", errors));
    EXPECT_EQ(0u, ReadBytes(errors).size());
    std::string expected =
        ReadBytes(ProgramFolder() + "\\golden\\" + std::string(golden.variant) + ".txt");
    ASSERT_FALSE(expected.empty());
    std::string report = ReadBytes(file);
    EXPECT_EQ("", CompareWithExpected(report, expected));

    for (const char* toStandardOutput : {"/report", "/report -"}) {
        std::string output = scratch.File("stdout.txt");
        EXPECT_EQ(golden.exitCode, RunDoctor(toStandardOutput, output, errors));
        std::string printed = ReadBytes(output);
        EXPECT_TRUE(WithoutTimeLine(printed) == WithoutTimeLine(report)) << toStandardOutput;
        EXPECT_EQ("", CompareWithExpected(printed, expected)) << toStandardOutput;
    }

    // The console companion's JSON of the same state says what the report says.
    std::string json = scratch.File("report.json");
    EXPECT_EQ(golden.exitCode, RunDoctor("/json", json, errors, CompanionPath()));
    nlohmann::json document = nlohmann::json::parse(ReadBytes(json));
    ExpectJsonAgreesWithReport(report, document);

    std::string summary = scratch.File("check.txt");
    EXPECT_EQ(golden.exitCode, RunDoctor("/check \"" + summary + "\"", "", errors));
    std::string status = scratch.File("status.txt");
    EXPECT_EQ(golden.exitCode, RunDoctor("/status", status, errors, CompanionPath()));
    ExpectOneTruth(golden, document, ReadBytes(summary), ReadBytes(status));
}

INSTANTIATE_TEST_SUITE_P(SampleVariants, GoldenReportTest, ::testing::ValuesIn(GoldenCases),
                         [](const ::testing::TestParamInfo<GoldenCase>& info) {
                             std::string name = info.param.variant;
                             for (char& c : name) {
                                 if (c == '-') {
                                     c = '_';
                                 }
                             }
                             return name;
                         });
