#include "diagnosis/ReportLine.h"

#include <gtest/gtest.h>

#include <string>

TEST(ReportLineTest, ALineCutByFormatGetsItsLineEndBack) {
    std::string folder(9000, 'f');
    Str line;
    line.Format("Installation folder '%s' Build '%u'\r\n", folder.c_str(), 17u);
    ASSERT_EQ(Str::FormatLimit, line.Length());
    Str whole = WholeLine(line);
    std::string expected = ("Installation folder '" + folder).substr(0, Str::FormatLimit - 2);
    EXPECT_EQ(Str::FormatLimit, whole.Length());
    EXPECT_TRUE(expected + "\r\n" == whole.Text());
}

TEST(ReportLineTest, LinesWithinTheLimitStayAsTheyAre) {
    const size_t lengths[] = {0, 1, 100, Str::FormatLimit - 3, Str::FormatLimit - 2};
    for (size_t length : lengths) {
        Str line;
        line.Format("%s\r\n", std::string(length, 'x').c_str());
        Str whole = WholeLine(line);
        EXPECT_EQ(line.Length(), whole.Length()) << length;
        EXPECT_TRUE(std::string(line.Text()) == whole.Text()) << length;
    }
    Str noEnd("a line without an end");
    EXPECT_STREQ("a line without an end", WholeLine(noEnd).Text());
}

TEST(ReportLineTest, ALineThatFillsTheLimitWithItsOwnEndIsKept) {
    Str line;
    line.Format("%s\n", std::string(Str::FormatLimit - 1, 'x').c_str());
    ASSERT_EQ(Str::FormatLimit, line.Length());
    EXPECT_TRUE(std::string(line.Text()) == WholeLine(line).Text());
}
