#include "ReportRun.h"

#include "DoctorOutcome.h"
#include "JsonAgreement.h"
#include "Programs.h"
#include "Scratch.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct GoldenCase {
    const char* variant;
    unsigned long exitCode;
};

// Every sample variant, its expected report in golden\<variant>.txt and the Doctor's exit code.
const GoldenCase GoldenCases[] = {
    {"healthy", 0},           {"not-installed", 3},
    {"no-install-folder", 1}, {"no-uninstall-command", 1},
    {"no-config-folder", 1},  {"no-logfile", 1},
    {"missing-file", 1},      {"old-mfc42", 1},
    {"config-version-2", 1},  {"no-events", 1},
    {"credentials", 0},       {"international", 0},
    {"truncated-file", 0},
};

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
    ExpectJsonAgreesWithReport(report, nlohmann::json::parse(ReadBytes(json)));
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
