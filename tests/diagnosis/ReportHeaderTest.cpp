#include "diagnosis/ReportHeader.h"
#include "diagnosis/DiagnosisPass.h"
#include "diagnosis/MemoryReport.h"

#include "Registry.h"
#include "resources/Version.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

TEST(ReportHeader, TimeLineShowsDayBeforeMonth) {
    SYSTEMTIME time = {};
    time.wYear = 2011;
    time.wMonth = 2;
    time.wDay = 3;
    time.wHour = 9;
    time.wMinute = 5;
    time.wSecond = 7;
    time.wMilliseconds = 42;
    DWORD serial = 0x1A2B3C4D;
    EXPECT_STREQ("Time 9:05:07.042 on 3/02/2011 (1a2b3c4d)\r\n",
                 FormatTimeLine(time, &serial).Text());
    EXPECT_STREQ("Time 9:05:07.042 on 3/02/2011 (unknown)\r\n",
                 FormatTimeLine(time, nullptr).Text());
}

TEST(ReportHeader, FiveLinesInOrder) {
    MemoryReport report;
    WriteReportHeader(report);
    std::string text = report.Text().Text();
    std::regex header(
        "Velmont Doctor version '1\\.24'\r\n"
        "System Version is [0-9]+\\.[0-9]+ 0x[0-9a-f]+ Platform 0x[0-9a-f]+ Info "
        "'[^'\r\n]*'\r\n"
        "Computer  '[^'\r\n]+'\r\n"
        "User '[^'\r\n]+'\r\n"
        "Time [0-9]{1,2}:[0-9]{2}:[0-9]{2}\\.[0-9]{3} on [0-9]{1,2}/[0-9]{2}/[0-9]{4} "
        "\\([0-9a-f]+\\)\r\n");
    EXPECT_TRUE(std::regex_match(text, header)) << text;
}

TEST(ReportHeader, EachRunStartsFromAZeroedResult) {
    ProductRegistryScope noProduct;
    MemoryReport report;
    report.Analysis = {3, 5, 2};
    RunDiagnosisPass(report);
    EXPECT_EQ(1u, report.Analysis.InstallResult);
    EXPECT_EQ(0u, report.Analysis.FilesResult);
    EXPECT_EQ(0u, report.Analysis.ConfigResult);
    EXPECT_EQ(0u, std::string(report.Text().Text())
                      .find("Velmont Doctor version '" VLD_VERSION_TEXT "'\r\n"));
}
