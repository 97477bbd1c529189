#include "diagnosis/CompareVersion.h"
#include "diagnosis/ParseInt.h"
#include "diagnosis/ScheduleEvent.h"

#include <gtest/gtest.h>

TEST(ParseInt, ReadsTheLeadingSignedNumber) {
    struct Case {
        const char* text;
        int32_t number;
    } const cases[] = {
        {"12abc", 12},
        {"abc", 0},
        {"-3", -3},
        {"", 0},
        {"  42", 42},
        {"+7", 7},
        {"\t-8x", -8},
        {"0x1F", 0},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"1,5", 1},
        {"- 4", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.number, ParseInt(c.text)) << c.text;
    }
}

TEST(CompareVersion, AgainstTheMinimum) {
    struct Case {
        const char* text;
        int32_t major, minor, build;
        int32_t result;
    } const cases[] = {
        {"6.00.8168.0", 4, 21, 7022, 100},
        {"4.21.7022", 4, 21, 7022, 0},
        {"4.21.7023", 4, 21, 7022, 1},
        {"4.22.0", 4, 21, 7022, 10},
        {"4.20.9999", 4, 21, 7022, -1},
        {"3.99.99999", 4, 21, 7022, -1},
        {"4.21.7021", 4, 21, 7022, -1},
        {"5.0.7022.1", 5, 0, 7022, 0},
        {"6, 0, 8168, 0", 4, 21, 7022, -1},
        {"Unknown", 4, 21, 7022, -1},
        {"", 4, 21, 7022, -1},
        {"4.21", 4, 21, 7022, -1},
        {" 7.0.2600", 5, 0, 7022, 100},
        {"-1.0.0", -2, 0, 0, 100},
        {"5.-1.0", 5, 0, 0, -1},
        {"5.0.7022 beta", 5, 0, 7022, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.result, CompareVersion(c.text, c.major, c.minor, c.build)) << c.text;
    }
}

TEST(ScheduleEvent, SevenCommaSeparatedFields) {
    ScheduleEvent event(Str("Home page,15,30,1,https://www.example/,3,Every quarter,extra"));
    EXPECT_STREQ("Home page", event.text0.Text());
    EXPECT_EQ(15, event.number1);
    EXPECT_EQ(30, event.number2);
    EXPECT_EQ(1, event.workGroup);
    EXPECT_STREQ("https://www.example/", event.text4.Text());
    EXPECT_EQ(3, event.number5);
    EXPECT_STREQ("Every quarter", event.text6.Text());
}

TEST(ScheduleEvent, EscapesBlanksAndMissingFields) {
    ScheduleEvent escaped(Str("Shop\\, checkout, 60,  -5,2,C:\\\\dir\\x,x9,note\\"));
    EXPECT_STREQ("Shop, checkout", escaped.text0.Text());
    EXPECT_EQ(60, escaped.number1);
    EXPECT_EQ(-5, escaped.number2);
    EXPECT_EQ(2, escaped.workGroup);
    EXPECT_STREQ("C:\\dir\\x", escaped.text4.Text());
    EXPECT_EQ(0, escaped.number5);
    EXPECT_STREQ("note", escaped.text6.Text());

    ScheduleEvent empty((Str()));
    EXPECT_STREQ("", empty.text0.Text());
    EXPECT_EQ(0, empty.number1);
    EXPECT_EQ(0, empty.number2);
    EXPECT_EQ(0, empty.workGroup);
    EXPECT_STREQ("", empty.text6.Text());

    ScheduleEvent shortEntry(Str("Nightly,1440"));
    EXPECT_STREQ("Nightly", shortEntry.text0.Text());
    EXPECT_EQ(1440, shortEntry.number1);
    EXPECT_EQ(0, shortEntry.workGroup);
    EXPECT_STREQ("", shortEntry.text4.Text());
}
