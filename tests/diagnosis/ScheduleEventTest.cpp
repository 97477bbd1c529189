#include "diagnosis/ScheduleEvent.h"

#include <gtest/gtest.h>

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
