#include "base/StrList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Items(const StrList& list) {
    std::vector<std::string> items;
    for (int32_t i = 0; i < list.Count(); ++i) {
        items.push_back(list.GetAt(i).Text());
    }
    return items;
}

std::vector<std::string> Split(const char* text, char separator = ',', int32_t minimum = 0) {
    TokenList list;
    list.Split(Str(text), separator, minimum);
    return Items(list);
}

using V = std::vector<std::string>;

} // namespace

TEST(StrList, CapacitiesRunOneTwoFourFiveSevenTen) {
    StrList list;
    std::vector<int32_t> capacities;
    for (int i = 0; i < 7; ++i) {
        list.Add(Str("x"));
        capacities.push_back(list.Capacity());
    }
    EXPECT_EQ((std::vector<int32_t>{1, 2, 4, 5, 7, 7, 10}), capacities);
    EXPECT_EQ(7, list.Count());
}

TEST(StrList, OutOfRangeGivesEmpty) {
    StrList list;
    list.Add(Str("a"));
    list.Add(Str("b"));
    list.Add(Str("c"));
    EXPECT_EQ(3, list.Count());
    EXPECT_EQ(4, list.Capacity());
    EXPECT_STREQ("", list.GetAt(-1).Text());
    EXPECT_STREQ("", list.GetAt(3).Text());
    EXPECT_STREQ("c", list.GetAt(2).Text());
}

TEST(StrList, ElementsShareButNeverFollowLaterWrites) {
    StrList list;
    Str item("value");
    list.Add(item);
    EXPECT_EQ(2, item.BlockRefs());
    item.Append("changed");
    EXPECT_STREQ("value", list.GetAt(0).Text());
    Str copy = list.GetAt(0);
    copy.Append("!");
    EXPECT_STREQ("value", list.GetAt(0).Text());
    list.RemoveAll();
    EXPECT_EQ(0, list.Count());
    EXPECT_EQ(0, list.Capacity());
}

TEST(TokenListSplit, FieldsAndBlanks) {
    EXPECT_EQ((V{"a", "b"}), Split("a,b"));
    EXPECT_EQ((V{"a", "b"}), Split("a, b"));
    EXPECT_EQ((V{"a", "b"}), Split("a,    b"));
    EXPECT_EQ((V{"a ", "b"}), Split("a ,b"));
    EXPECT_EQ((V{"a", "", "b"}), Split("a,,b"));
    EXPECT_EQ((V{"a", ""}), Split("a,"));
    EXPECT_EQ((V{}), Split(""));
    EXPECT_EQ((V{" a", "\tb"}), Split(" a,\tb"));
    EXPECT_EQ((V{"", "a"}), Split(",a"));
}

TEST(TokenListSplit, Escapes) {
    EXPECT_EQ((V{"a,b"}), Split("a\\,b"));
    EXPECT_EQ((V{"a\\b"}), Split("a\\\\b"));
    EXPECT_EQ((V{"a\\xb"}), Split("a\\xb"));
    EXPECT_EQ((V{"a"}), Split("a\\"));
    EXPECT_EQ((V{"a", ""}), Split("a,\\"));
    EXPECT_EQ((V{"a;b"}), Split("a\\;b", ';'));
    EXPECT_EQ((V{"a,b", "c"}), Split("a\\,b;c", ';'));
    EXPECT_EQ((V{"a,b"}), Split("a,b", ';'));
}

TEST(TokenListSplit, MinimumPadsWithEmptyItems) {
    EXPECT_EQ(V(7, ""), Split("", ',', 7));
    EXPECT_EQ((V{"text", "5", "6", "2", "", "", ""}), Split("text,5,6,2", ',', 7));
    EXPECT_EQ((V{"a", "b", "c"}), Split("a,b,c", ',', 2));
}

TEST(TokenListSplit, ReplacesPreviousContents) {
    TokenList list;
    list.Split(Str("a,b,c"), ',', 0);
    list.Split(Str("x"), ',', 0);
    EXPECT_EQ((V{"x"}), Items(list));
}
