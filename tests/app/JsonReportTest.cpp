#include "DoctorOutcome.h"
#include "ReportRun.h"
#include "Scratch.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

struct JsonCase {
    const char* variant;
    unsigned long exitCode;
};

} // namespace

// /json describes the run that the text report describes: a parser reads it, and its stage
// codes, files and trace lines are the report's. The console companion writes the same document.
TEST(JsonReport, AgreesWithTheTextReportOfTheSameState) {
    ScratchFolder scratch;
    std::string reportFile = scratch.File("report.txt");
    std::string jsonFile = scratch.File("report.json");
    for (JsonCase c : {JsonCase{"healthy", 0}, {"missing-file", 1}, {"not-installed", 3}}) {
        ASSERT_TRUE(LaySample(c.variant));
        EXPECT_EQ(c.exitCode, RunDoctor("/report \"" + reportFile + "\"", "", ""));
        EXPECT_EQ(c.exitCode, RunDoctor("/json", jsonFile, "", CompanionPath())) << c.variant;
        std::string report = ReadBytes(reportFile);
        nlohmann::json json = nlohmann::json::parse(ReadBytes(jsonFile));
        EXPECT_EQ(WithoutTimeLine(report), WithoutTimeLine(json["report"].get<std::string>()));
        EXPECT_EQ(c.exitCode == 0, json["healthy"].get<bool>()) << c.variant;
        EXPECT_EQ(c.exitCode != 3, json["product"]["installed"].get<bool>()) << c.variant;
        const nlohmann::json& codes = json["stageCodes"];
        std::string analysis = "Analysis result " + codes["installation"].dump() + ":" +
                               codes["files"].dump() + ":" + codes["configuration"].dump();
        EXPECT_EQ(c.exitCode != 3, Contains(report, analysis)) << c.variant << " " << analysis;
        for (const nlohmann::json& file : json["productFiles"]) {
            std::string path = file["path"].get<std::string>();
            EXPECT_EQ(file.contains("error"), Contains(report, "Failed to open file '" + path))
                << path;
        }
        for (const nlohmann::json& log : json["traceLogs"]) {
            EXPECT_TRUE(Contains(report, "File contents of '" + log["path"].get<std::string>()));
            for (const nlohmann::json& line : log["lines"]) {
                EXPECT_TRUE(Contains(report, line.get<std::string>() + "\r\n")) << line;
            }
        }
        EXPECT_EQ(c.exitCode == 3 ? 0u : 2u, json["traceLogs"].size()) << c.variant;
    }
    LaySample("clean");
}
