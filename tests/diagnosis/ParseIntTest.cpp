#include "diagnosis/ParseInt.h"

#include <gtest/gtest.h>

TEST(ParseInt, ReadsTheLeadingNumber) {
    struct Case {
        const char* text;
        int32_t expected;
    };
    const Case cases[] = {
        {"12abc", 12},
        {"abc", 0},
        {"-3", -3},
        {"+7", 7},
        {" \t\r\n42", 42},
        {"0042", 42},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"5,6", 5},
        {"7 8", 7},
        {"0x1f", 0},
        {"", 0},
        {"-", 0},
        {"- 3", 0},
        {"+", 0},
        {",5", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, ParseInt(c.text)) << "text '" << c.text << "'";
    }
}

TEST(ParseInt, NullTextIsZero) {
    EXPECT_EQ(0, ParseInt(nullptr));
}
