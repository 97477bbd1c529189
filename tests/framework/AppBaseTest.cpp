#include "framework/AppBase.h"

#include "Scratch.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string ProgramPath() {
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

} // namespace

TEST(AppBase, PathsFollowTheProgramFileUpToItsFirstDot) {
    AppBase app;
    EXPECT_EQ(&app, TheApp);
    app.InitPaths();
    std::string program = ProgramPath();
    std::string stem = program.substr(0, program.rfind('.'));
    EXPECT_STREQ("framework_tests", app.ModuleName.Text());
    EXPECT_EQ(stem + ".ini", app.IniPath.Text());
    EXPECT_EQ(stem + ".hlp", app.HelpPath.Text());
}

TEST(AppBase, ProgramNamesWithSeveralDotsOrNone) {
    AppBase app;
    app.InitPathsFrom("C:\\Tools\\VLDoctor.old.exe");
    EXPECT_STREQ("VLDoctor", app.ModuleName.Text());
    EXPECT_STREQ("C:\\Tools\\VLDoctor.ini", app.IniPath.Text());
    EXPECT_STREQ("C:\\Tools\\VLDoctor.hlp", app.HelpPath.Text());
    app.InitPathsFrom("C:\\Tools.d\\VLDoctor");
    EXPECT_STREQ("VLDoctor", app.ModuleName.Text());
    EXPECT_STREQ("C:\\Tools.d\\VLDoctor.ini", app.IniPath.Text());
    EXPECT_STREQ("C:\\Tools.d\\VLDoctor.hlp", app.HelpPath.Text());
}

TEST(AppBase, ProfileReadsGiveDefaults) {
    ScratchFolder scratch;
    AppBase app;
    app.IniPath.Assign(scratch.File("VLDoctor.ini").c_str());
    EXPECT_STREQ("none", app.GetProfileText("Settings", "TraceMode", "none").Text());
    EXPECT_EQ(5, app.GetProfileNumber("Settings", "TraceFilter", 5));
    WriteBytes(scratch.File("VLDoctor.ini"),
               "[Settings]\r\nTraceMode=Flushed\r\nTraceFilter=3\r\nOther=abc\r\n");
    EXPECT_STREQ("Flushed", app.GetProfileText("Settings", "TraceMode", "none").Text());
    EXPECT_EQ(3, app.GetProfileNumber("Settings", "TraceFilter", 0));
    EXPECT_EQ(0, app.GetProfileNumber("Settings", "Other", 9));
    std::string longMode(600, 'm');
    WriteBytes(scratch.File("VLDoctor.ini"), "[Settings]\r\nTraceMode=" + longMode + "\r\n");
    EXPECT_EQ(511, app.GetProfileText("Settings", "TraceMode", "none").Length());
}
