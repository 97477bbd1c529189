#include "trace/TraceLog.h"

#include "trace/MessageBoxes.h"

#include "DialogWatcher.h"
#include "Scratch.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

namespace {

// The program as the message boxes see it: a name for the caption and no main window.
class CaptionOwner : public MessageBoxOwner {
public:
    CaptionOwner() { SetMessageBoxOwner(this); }
    ~CaptionOwner() override { SetMessageBoxOwner(nullptr); }
    const char* Caption() const override { return "VLDoctor"; }
    HWND MainWindow() const override { return nullptr; }
};

const char* const Stamp = "[0-3][0-9] [0-2][0-9]:[0-5][0-9]:[0-6][0-9] ";

class TraceLogTest : public ::testing::Test {
protected:
    void TearDown() override { ConfigureTrace("none", 0, ""); }

    // The trace file is written in text mode: its lines end in CR LF on disk.
    std::string Log() {
        std::string text = ReadBytes(path);
        std::string lines;
        for (char c : text) {
            if (c != '\r') {
                lines += c;
            }
        }
        return lines;
    }
    void Configure(const char* mode, int32_t filter) { ConfigureTrace(mode, filter, path.c_str()); }

    ScratchFolder scratch;
    std::string path = scratch.File("trace.log");
};

bool Matches(const std::string& text, const std::string& pattern) {
    return std::regex_match(text, std::regex(pattern));
}

} // namespace

TEST_F(TraceLogTest, ModeNamesIgnoreCase) {
    EXPECT_EQ(TraceNone, TraceModeCode("None"));
    EXPECT_EQ(TraceFile, TraceModeCode("FILE"));
    EXPECT_EQ(TraceFlushed, TraceModeCode("flushed"));
    EXPECT_EQ(TraceFileAppend, TraceModeCode("FileAppend"));
    EXPECT_EQ(TraceDebugger, TraceModeCode("debug"));
    EXPECT_EQ(TraceDebugger, TraceModeCode(std::string(600, 'x').c_str()));
    EXPECT_EQ(TraceDebugger, TraceModeCode(""));
}

TEST_F(TraceLogTest, OpeningWritesTheOpenedAndFilterLines) {
    Configure("FILE", 0);
    EXPECT_EQ(TraceFile, TheTraceLog.Mode());
    Trace(1, "filtered out");
    ConfigureTrace("none", 0, "");
    std::string pattern =
        "Trace opened [A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9]{2} [0-9:]{8} [0-9]{4}\n \n";
    pattern += std::string(Stamp) + "<<<Change trace filter to 0>>>\n";
    EXPECT_TRUE(Matches(Log(), pattern)) << Log();
}

TEST_F(TraceLogTest, FilterSelectsMasks) {
    Configure("flushed", 2);
    Trace(1, "general");
    Trace(2, "config %s", "loaded");
    Trace(3, "mail");
    Trace(4, "other");
    std::string log = Log();
    EXPECT_EQ(std::string::npos, log.find("general"));
    EXPECT_EQ(std::string::npos, log.find("other"));
    EXPECT_TRUE(
        Matches(log, "(.|\n)*\n" + std::string(Stamp) + "config loaded\n" + Stamp + "mail\n"))
        << log;
}

TEST_F(TraceLogTest, FlushedModeWritesEachLineAtOnce) {
    Configure("flushed", 1);
    Trace(1, "first");
    EXPECT_NE(std::string::npos, Log().find("first\n"));
}

TEST_F(TraceLogTest, FileModesAppendWithoutFlushing) {
    for (const char* mode : {"file", "fileappend"}) {
        Configure(mode, 1);
        Trace(1, "buffered %s", mode);
        EXPECT_EQ(std::string::npos, Log().find(std::string("buffered ") + mode)) << mode;
        ConfigureTrace("none", 0, "");
        EXPECT_NE(std::string::npos, Log().find(std::string("buffered ") + mode)) << mode;
    }
}

TEST_F(TraceLogTest, LongLinesAreCutAt397Characters) {
    Configure("flushed", 1);
    Trace(1, "%s", std::string(1000, 'z').c_str());
    std::string log = Log();
    size_t start = log.rfind('\n', log.size() - 2) + 1;
    std::string line = log.substr(start);
    EXPECT_EQ(398u, line.size());
    EXPECT_EQ('\n', line.back());
    EXPECT_EQ(std::string(397 - 12, 'z'), line.substr(12, 397 - 12));
}

TEST_F(TraceLogTest, TwoStartsAppendToOneFile) {
    Configure("file", 0);
    ConfigureTrace("none", 0, "");
    Configure("fileappend", 5);
    ConfigureTrace("none", 0, "");
    std::string log = Log();
    size_t first = log.find("Trace opened");
    size_t second = log.find("Trace opened", first + 1);
    EXPECT_NE(std::string::npos, second);
    EXPECT_NE(std::string::npos, log.find("<<<Change trace filter to 0>>>"));
    EXPECT_NE(std::string::npos, log.find("<<<Change trace filter to 5>>>", second));
}

TEST_F(TraceLogTest, UnopenableFileFallsBackToDebuggerOutput) {
    std::string folderAsFile = scratch.File("sub");
    CreateDirectoryA(folderAsFile.c_str(), nullptr);
    ConfigureTrace("file", 0, folderAsFile.c_str());
    EXPECT_EQ(TraceDebugger, TheTraceLog.Mode());
    ConfigureTrace("flushed", 1, (scratch.File("missing") + "\\trace.log").c_str());
    EXPECT_EQ(TraceDebugger, TheTraceLog.Mode());
}

TEST_F(TraceLogTest, MessageBoxIsAlwaysLoggedAndShown) {
    Configure("flushed", 0);
    {
        DialogWatcher watcher(IDOK);
        Trace(0, "Cannot load %s", "MAPI functions");
        auto seen = watcher.Seen();
        ASSERT_EQ(1u, seen.size());
        EXPECT_EQ("Cannot load MAPI functions\n", seen[0].text);
        EXPECT_EQ("Tessaly Software", seen[0].caption);
        EXPECT_EQ(nullptr, seen[0].owner);
    } // one watcher at a time: a second would race the first for the next box
    std::string log = Log();
    std::string tail = log.substr(log.find(">>>\n") + 4);
    EXPECT_TRUE(
        Matches(tail, std::string(Stamp) + "Message Box displayed :Cannot load MAPI functions\n"))
        << tail;
    Configure("none", 0); // with the trace off, the box still shows
    DialogWatcher offWatcher(IDOK);
    Trace(0, "Cannot load %s", "MAPI functions");
    EXPECT_EQ(1u, offWatcher.Seen().size());
}

TEST_F(TraceLogTest, ShowMessageAndAskQuestion) {
    Configure("flushed", 1);
    CaptionOwner owner;
    {
        DialogWatcher watcher(IDOK);
        ShowMessage(nullptr, "The report has been pasted %d", 1);
        auto seen = watcher.Seen();
        ASSERT_EQ(1u, seen.size());
        EXPECT_EQ("The report has been pasted 1\n", seen[0].text);
        EXPECT_EQ("VLDoctor", seen[0].caption);
    }
    {
        DialogWatcher yes(IDYES);
        EXPECT_TRUE(AskQuestion("Would you like %s ?", "mail"));
        ASSERT_EQ(1u, yes.Seen().size());
        EXPECT_EQ("Would you like mail ?", yes.Seen()[0].text);
    }
    {
        DialogWatcher no(IDNO);
        EXPECT_FALSE(AskQuestion("%s", std::string(500, 'q').c_str()));
        EXPECT_EQ(std::string(397, 'q') + "\n", no.Seen()[0].text);
    }
    std::string log = Log();
    EXPECT_NE(std::string::npos, log.find("MessageBox:The report has been pasted 1\n\n"));
    EXPECT_NE(std::string::npos, log.find("AskQuestion:Would you like mail ?\n"));
}

TEST_F(TraceLogTest, SettingsFileWithHostileValues) {
    std::string settings = scratch.File("VLDoctor.ini");
    WriteBytes(settings,
               "[Settings]\r\nTraceMode=" + std::string(600, 'f') + "\r\nTraceFilter=lots\r\n");
    LoadTraceSettings(settings.c_str());
    EXPECT_EQ(TraceDebugger, TheTraceLog.Mode());
    EXPECT_EQ(0, TheTraceLog.Filter());
}

TEST_F(TraceLogTest, UnwritableTemporaryFolderGivesDebuggerOutput) {
    char saved[MAX_PATH + 1] = {};
    GetEnvironmentVariableA("TMP", saved, sizeof saved);
    std::string missing = scratch.File("no-such-folder");
    SetEnvironmentVariableA("TMP", missing.c_str());
    std::string settings = scratch.File("VLDoctor.ini");
    WriteBytes(settings, "[Settings]\r\nTraceMode=file\r\nTraceFilter=1\r\n");
    LoadTraceSettings(settings.c_str());
    SetEnvironmentVariableA("TMP", saved);
    EXPECT_EQ(TraceDebugger, TheTraceLog.Mode());
    EXPECT_EQ(1, TheTraceLog.Filter());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((missing + "\\trace.log").c_str()));
}
