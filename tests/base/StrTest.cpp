#include "base/Str.h"

#include <gtest/gtest.h>

#include <string>

TEST(Str, EmptyFormsHaveTextAndNoBlock) {
    Str fromNull(static_cast<const char*>(nullptr));
    Str fromEmpty("");
    Str byDefault;
    Str fromPrefix("abc", 0);
    for (const Str* s : {&fromNull, &fromEmpty, &byDefault, &fromPrefix}) {
        EXPECT_STREQ("", s->Text());
        EXPECT_EQ(0, s->Length());
        EXPECT_EQ(0, s->Capacity());
        EXPECT_EQ(0, s->BlockRefs());
    }
}

TEST(Str, WholeTextAndPrefixFitExactly) {
    Str whole("hello");
    EXPECT_STREQ("hello", whole.Text());
    EXPECT_EQ(5, whole.Length());
    EXPECT_EQ(6, whole.Capacity());
    Str prefix("C:\\Tools\\VLDoctor.exe", 8);
    EXPECT_STREQ("C:\\Tools", prefix.Text());
    EXPECT_EQ(9, prefix.Capacity());
}

TEST(Str, CopiesShareUntilOneWrites) {
    Str a("abc");
    Str b(a);
    EXPECT_EQ(a.Text(), b.Text());
    EXPECT_EQ(2, a.BlockRefs());
    b.Append("d");
    EXPECT_STREQ("abc", a.Text());
    EXPECT_STREQ("abcd", b.Text());
    EXPECT_NE(a.Text(), b.Text());
    EXPECT_EQ(1, a.BlockRefs());
    EXPECT_EQ(1, b.BlockRefs());
}

TEST(Str, AssignToSharedBlockNeverChangesTheOtherHolder) {
    Str a("long enough text");
    Str b;
    b.Assign(a);
    b.Assign("x");
    EXPECT_STREQ("long enough text", a.Text());
    EXPECT_STREQ("x", b.Text());
    Str c(a);
    a.Format("%d", 42);
    EXPECT_STREQ("long enough text", c.Text());
    EXPECT_STREQ("42", a.Text());
}

TEST(Str, AssigningEmptyTextReleasesTheBlock) {
    Str a("abc");
    a.Assign("");
    EXPECT_EQ(0, a.Capacity());
    EXPECT_EQ(0, a.BlockRefs());
    EXPECT_STREQ("", a.Text());
}

TEST(Str, AppendingEmptyTextKeepsSharing) {
    Str a("abc");
    Str b(a);
    b.Append("");
    EXPECT_EQ(a.Text(), b.Text());
    EXPECT_EQ(2, a.BlockRefs());
}

TEST(Str, GrowthIsHalfAgainOfTheNeededSize) {
    Str s("ab");   // capacity 3
    s.Append("c"); // needs 4: new block of 6
    EXPECT_EQ(6, s.Capacity());
    const char* before = s.Text();
    s.Append("de"); // needs 6: fits in place
    EXPECT_EQ(before, s.Text());
    EXPECT_EQ(6, s.Capacity());
    s.Append("f"); // needs 7: 7 + 3 = 10
    EXPECT_EQ(10, s.Capacity());
    EXPECT_STREQ("abcdef", s.Text());
    Str t;
    t.Assign("hello"); // needs 6: 9
    EXPECT_EQ(9, t.Capacity());
}

TEST(Str, AssignInPlaceOnlyWhenPrivateAndLargeEnough) {
    Str s;
    s.Assign("abcdef"); // capacity 10
    const char* block = s.Text();
    s.Assign("xyz");
    EXPECT_EQ(block, s.Text());
    EXPECT_STREQ("xyz", s.Text());
    EXPECT_EQ(3, s.Length());
}

TEST(Str, AssignAndAppendFromOwnText) {
    Str s("abcdef");
    s.Assign(s.Text() + 2);
    EXPECT_STREQ("cdef", s.Text());
    s.Append(s.Text());
    EXPECT_STREQ("cdefcdef", s.Text());
}

TEST(Str, ConcatGivesExactFitOrEmpty) {
    Str left("ab");
    Str sum = Concat(left, Str("cd"));
    EXPECT_STREQ("abcd", sum.Text());
    EXPECT_EQ(5, sum.Capacity());
    Str none = Concat(Str(), Str());
    EXPECT_EQ(0, none.BlockRefs());
    EXPECT_STREQ("x", Concat(Str(), "x").Text());
}

TEST(Str, FormatCutsAt8191Characters) {
    std::string big(10000, 'q');
    Str s;
    s.Format("%s", big.c_str());
    EXPECT_EQ(8191, s.Length());
    EXPECT_EQ(std::string(8191, 'q'), s.Text());
    s.Format("%s", "");
    EXPECT_EQ(0, s.BlockRefs());
    s.Format("%u:%u:%u", 1u, 0u, 3u);
    EXPECT_STREQ("1:0:3", s.Text());
}
