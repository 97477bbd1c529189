#include "base/Str.h"
#include "resources/ResourceIds.h"

#include "DoctorOutcome.h"
#include "Registry.h"
#include "ReportRun.h"
#include "Scratch.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char* const Opening = "Please add a description of the problem you are having :\r\n"
                            "<Your problem description>\r\n"
                            "\r\n\r\nDoctor's Prognosis :\r\n";
const char* const ReportHeading = "\r\n\r\nDoctor's Report :\r\n";
const char* const LogHeading = "\r\n\r\nInstallation Log :\r\n";

std::string TableText(unsigned id) {
    Str text;
    text.LoadText(id);
    return text.Text();
}

class MessageModeTest : public ::testing::Test {
protected:
    ScratchFolder scratch;
    std::string out = scratch.File("out.txt");
    std::string error = scratch.File("error.txt");
    ProductRegistryScope noProduct;
};

} // namespace

TEST_F(MessageModeTest, WritesTheMessageOfTheRun) {
    std::string messagePath = scratch.File("message.txt");
    std::string reportPath = scratch.File("report.txt");
    unsigned long messageExit = RunDoctor("/message \"" + messagePath + "\"", out, error);
    unsigned long reportExit = RunDoctor("/report \"" + reportPath + "\"", out, error);
    ASSERT_TRUE(messageExit == 0 || messageExit == 1 || messageExit == 3) << messageExit;
    EXPECT_EQ(reportExit, messageExit);
    std::string message = ReadBytes(messagePath);
    std::string report = ReadBytes(reportPath);
    ASSERT_EQ(0u, message.find(Opening));

    size_t diagnosisStart = strlen(Opening);
    size_t reportStart = message.find(ReportHeading, diagnosisStart);
    size_t logStart = message.rfind(LogHeading);
    ASSERT_NE(std::string::npos, reportStart);
    ASSERT_NE(std::string::npos, logStart);
    ASSERT_LE(reportStart, logStart);
    std::string diagnosis = message.substr(diagnosisStart, reportStart - diagnosisStart);
    std::string reportPiece = message.substr(reportStart + strlen(ReportHeading),
                                             logStart - reportStart - strlen(ReportHeading));
    bool healthy = messageExit == 0;
    EXPECT_EQ(healthy, diagnosis == TableText(IDS_HEALTHY_DIAGNOSIS)) << diagnosis;
    EXPECT_TRUE(diagnosis == TableText(IDS_HEALTHY_DIAGNOSIS) ||
                diagnosis == TableText(IDS_DAMAGED_DIAGNOSIS) ||
                diagnosis == TableText(IDS_NOT_INSTALLED_DIAGNOSIS) ||
                diagnosis == TableText(IDS_SYSTEM_COMPONENT_DIAGNOSIS) ||
                diagnosis == TableText(IDS_UNCONFIGURED_DIAGNOSIS))
        << diagnosis;
    EXPECT_EQ(WithoutTimeLine(report).size(), WithoutTimeLine(reportPiece).size());
    EXPECT_TRUE(WithoutTimeLine(report) == WithoutTimeLine(reportPiece));
    EXPECT_EQ(message.size(), logStart + strlen(LogHeading)) << "no installation, no log";
}

TEST_F(MessageModeTest, StandardOutputCarriesTheSameMessage) {
    EXPECT_EQ(3u, RunDoctor("/MESSAGE -", out, error));
    std::string message = ReadBytes(out);
    EXPECT_EQ(0u, message.find(Opening));
    EXPECT_NE(std::string::npos, message.find(LogHeading));
    EXPECT_EQ("", ReadBytes(error));
}

TEST_F(MessageModeTest, UnwritableFileIsAnError) {
    std::string path = scratch.File("missing\\folder\\message.txt");
    EXPECT_EQ(2u, RunDoctor("/message \"" + path + "\"", out, error));
    EXPECT_EQ("VLDoctor: cannot write the message to '" + path +
                  "': " + SystemReason(ERROR_PATH_NOT_FOUND) + "\r\n",
              ReadBytes(error));
    EXPECT_EQ("", ReadBytes(out));
}
