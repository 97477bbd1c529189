#include "base/FileFinder.h"
#include "base/SystemErrorText.h"

#include "Scratch.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(DirectoryExists, FoldersOnly) {
    ScratchFolder scratch;
    WriteBytes(scratch.File("plain.txt"), "x");
    EXPECT_TRUE(DirectoryExists(scratch.Path().c_str()));
    EXPECT_FALSE(DirectoryExists(scratch.File("plain.txt").c_str()));
    EXPECT_FALSE(DirectoryExists(scratch.File("absent").c_str()));
    EXPECT_FALSE(DirectoryExists(""));
}

TEST(FileFinder, FirstEntryIsHandedOutByTheFirstFindNext) {
    ScratchFolder scratch;
    WriteBytes(scratch.File("AppTrace.log"), "1");
    WriteBytes(scratch.File("WorkTrace.log"), "2");
    WriteBytes(scratch.File("other.log"), "3");
    FileFinder finder;
    ASSERT_TRUE(finder.FindFirst((scratch.Path() + "\\*Trace.log").c_str()));
    std::set<std::string> names;
    ASSERT_TRUE(finder.FindNext());
    names.insert(finder.FileName().Text());
    ASSERT_TRUE(finder.FindNext());
    names.insert(finder.FileName().Text());
    EXPECT_FALSE(finder.FindNext());
    EXPECT_FALSE(finder.FindNext());
    EXPECT_EQ((std::set<std::string>{"AppTrace.log", "WorkTrace.log"}), names);
}

TEST(FileFinder, NoMatch) {
    ScratchFolder scratch;
    FileFinder finder;
    EXPECT_FALSE(finder.FindFirst((scratch.Path() + "\\*Trace.log").c_str()));
    EXPECT_FALSE(finder.FindNext());
    FileFinder unused;
    EXPECT_FALSE(unused.FindNext());
}

TEST(SystemErrorText, SystemTextsAndUnknownCodes) {
    Str notFound = SystemErrorText(ERROR_FILE_NOT_FOUND);
    EXPECT_GT(notFound.Length(), 2);
    EXPECT_EQ("\r\n", std::string(notFound.Text()).substr(notFound.Length() - 2));
    Str unknown = SystemErrorText(0x2FFFFFFF);
    EXPECT_STREQ("Unknown error 805306367\r\n", unknown.Text());
}
