#include "diagnosis/CompareVersion.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* text;
    int32_t minMajor;
    int32_t minMinor;
    int32_t minBuild;
    int32_t expected;
};

} // namespace

TEST(CompareVersion, OrdersMajorMinorBuild) {
    const Case cases[] = {
        {"6.00.8168.0", 4, 21, 7022, 100}, {"4.21.7022", 4, 21, 7022, 0},
        {"4.21.7023", 4, 21, 7022, 1},     {"4.22.0", 4, 21, 7022, 10},
        {"4.20.9999", 4, 21, 7022, -1},    {"3.99.99999", 4, 21, 7022, -1},
        {"4.21.7021", 4, 21, 7022, -1},    {"5.0.7022.1", 5, 0, 7022, 0},
        {"7.0.2600", 5, 0, 7022, 100},     {"4.21.7022 (build lab)", 4, 21, 7022, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, CompareVersion(c.text, c.minMajor, c.minMinor, c.minBuild))
            << "version '" << c.text << "'";
    }
}

TEST(CompareVersion, ReadsNumbersAsScanfDoes) {
    const Case cases[] = {
        {" 4.21.7022", 4, 21, 7022, 0},
        {"4. 21. 7022", 4, 21, 7022, 0},
        {"+4.+21.+7022", 4, 21, 7022, 0},
        {"-1.0.0", 0, 0, 0, -1},
        {"0.0.0", -1, 5, 5, 100},
        {"0.-2.0", 0, -3, 0, 10},
        {"2147483647.0.0", 2147483647, 0, 0, 0},
        {"-2147483648.0.0", -2147483647, 0, 0, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, CompareVersion(c.text, c.minMajor, c.minMinor, c.minBuild))
            << "version '" << c.text << "'";
    }
}

TEST(CompareVersion, UnreadableTextIsOlderThanAnything) {
    const char* texts[] = {
        "6, 0, 8168, 0", "Unknown", "", "4.21", "4 .21.7022", "4.21.", "4..21.7022", "v4.21.7022",
    };
    for (const char* text : texts) {
        EXPECT_EQ(-1, CompareVersion(text, 0, 0, 0)) << "version '" << text << "'";
        EXPECT_EQ(-1, CompareVersion(text, INT32_MIN, INT32_MIN, INT32_MIN))
            << "version '" << text << "'";
    }
    EXPECT_EQ(-1, CompareVersion(nullptr, INT32_MIN, INT32_MIN, INT32_MIN));
}
