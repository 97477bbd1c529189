#include "base/Str.h"

#include <gtest/gtest.h>

TEST(Str, LoadTextOfMissingIdIsEmpty) {
    Str s("something");
    s.LoadText(64999);
    EXPECT_STREQ("", s.Text());
    EXPECT_EQ(0, s.Length());
}
