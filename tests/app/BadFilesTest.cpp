#include "DoctorOutcome.h"
#include "ReportRun.h"

#include "Scratch.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>

namespace {

const char* const ConfigFolder = "C:\\users\\Public\\Velmont";
const char* const WorkTraceLog = "C:\\users\\Public\\Velmont\\VLWorkTrace.log";
const char* const SchedTraceLog = "C:\\users\\Public\\Velmont\\VLSchedTrace.log";
const char* const InstallLog = "C:\\Program Files (x86)\\Tessaly\\Velmont\\VLInst.log";
const size_t FiftyMegabytes = 50u << 20;
const size_t LinePiece = 2046; // the most one read of a trace log yields

// A file written in large blocks of one repeated text, removed when the object goes.
class LargeFile {
public:
    LargeFile(const std::string& path, const std::string& unit, size_t size, const char* end)
        : path(path) {
        std::string block;
        while (block.size() < (1u << 20)) {
            block += unit;
        }
        FILE* file = fopen(path.c_str(), "wb");
        size_t left = size;
        while (file && left > 0) {
            size_t part = left < block.size() ? left : block.size();
            fwrite(block.data(), 1, part, file);
            left -= part;
        }
        if (file) {
            fputs(end, file);
            fclose(file);
        }
    }
    LargeFile(const LargeFile&) = delete;
    LargeFile& operator=(const LargeFile&) = delete;
    ~LargeFile() { DeleteFileA(path.c_str()); }

private:
    std::string path;
};

// A file another process holds open with no sharing at all, as long as the object lives.
class LockedFile {
public:
    explicit LockedFile(const char* path)
        : handle(CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;
    ~LockedFile() {
        if (handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
        }
    }

    bool Locked() const { return handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle;
};

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class BadFilesTest : public ::testing::Test {
protected:
    static void TearDownTestSuite() { LaySample("clean"); }
    void SetUp() override { ASSERT_TRUE(LaySample("healthy")); }

    DoctorOutcome Run(const char* mode = "/report") {
        return RunDoctorInto(mode, scratch.File("report.txt"), 60000);
    }
    // A healthy run: exit 0, the healthy result, both sample trace logs copied.
    void ExpectHealthy(const DoctorOutcome& outcome) {
        ASSERT_TRUE(outcome.finished);
        EXPECT_EQ(0u, outcome.exitCode);
        EXPECT_EQ("Analysis result 0:0:0", AnalysisLine(outcome.text));
        EXPECT_TRUE(HasTraceLogSection(outcome.text, SchedTraceLog));
    }

    ScratchFolder scratch;
};

} // namespace

TEST_F(BadFilesTest, ATraceLogWithNulBytesLosesTheRestOfEachSuchLine) {
    std::string path = std::string(ConfigFolder) + "\\NulTrace.log";
    ASSERT_TRUE(WriteBytes(path, std::string("alpha\0beta\r\ngamma\r\n\0\0\0\r\nend\r\n", 29)));
    DoctorOutcome outcome = Run();
    ExpectHealthy(outcome);
    EXPECT_EQ("alphagamma\r\nend\r\n", TraceLogSection(outcome.text, path));
    DeleteFileA(path.c_str());
}

// A CR CR LF (a CR LF written once more in text mode) and a bare CR (a progress line drawn over
// itself) end lines in the JSON, where no line may hold a CR.
TEST_F(BadFilesTest, StrayCarriageReturnsInATraceLogEndLinesInTheJson) {
    std::string path = std::string(ConfigFolder) + "\\CrTrace.log";
    ASSERT_TRUE(WriteBytes(path, "step one\r\r\nprogress 50%\r60%\r\n\r\nend\r"));
    DoctorOutcome outcome = Run("/json");
    DeleteFileA(path.c_str());
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(0u, outcome.exitCode);
    nlohmann::json json = nlohmann::json::parse(outcome.text, nullptr, false);
    ASSERT_TRUE(json.is_object());
    nlohmann::json lines;
    for (const nlohmann::json& log : json["traceLogs"]) {
        if (log["path"] == path) {
            lines = log["lines"];
        }
    }
    EXPECT_EQ(nlohmann::json({"step one", "progress 50%", "60%", "", "end"}), lines);
}

TEST_F(BadFilesTest, ATraceLogWithoutALineEndIsCopiedAsItIs) {
    std::string path = std::string(ConfigFolder) + "\\OpenTrace.log";
    ASSERT_TRUE(WriteBytes(path, "first\r\nlast without an end"));
    DoctorOutcome outcome = Run();
    ExpectHealthy(outcome);
    EXPECT_EQ("first\r\nlast without an end", TraceLogSection(outcome.text, path));
    EXPECT_NE(std::string::npos, outcome.text.find("last without an end\r\nFile contents of '") +
                                     outcome.text.find("last without an end\r\n\r\nAnalysis"));
    DeleteFileA(path.c_str());
}

// One line of 50 MB is read in pieces of 2,046 bytes; the last 100 pieces are the tail.
TEST_F(BadFilesTest, ATraceLogOfOneFiftyMegabyteLineGivesItsLastHundredPieces) {
    std::string path = std::string(ConfigFolder) + "\\HugeTrace.log";
    LargeFile huge(path, "0123456789abcdef", FiftyMegabytes, "\r\n");
    size_t total = FiftyMegabytes + 2;
    size_t pieces = (total + LinePiece - 1) / LinePiece;
    size_t tail = total - (pieces - 100) * LinePiece;
    DoctorOutcome outcome = Run();
    ExpectHealthy(outcome);
    std::string section = TraceLogSection(outcome.text, path);
    ASSERT_EQ(tail, section.size());
    std::string expected;
    for (size_t at = FiftyMegabytes - (tail - 2); at < FiftyMegabytes; ++at) {
        expected += "0123456789abcdef"[at % 16];
    }
    EXPECT_TRUE(expected + "\r\n" == section);
}

TEST_F(BadFilesTest, AFolderNamedLikeATraceLogIsPassedOver) {
    std::string folder = std::string(ConfigFolder) + "\\XTrace.log";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    DoctorOutcome outcome = Run();
    RemoveDirectoryA(folder.c_str());
    ExpectHealthy(outcome);
    EXPECT_FALSE(HasTraceLogSection(outcome.text, folder));
    EXPECT_TRUE(HasTraceLogSection(outcome.text, WorkTraceLog));
}

TEST_F(BadFilesTest, ATraceLogHeldOpenExclusivelyIsPassedOver) {
    DoctorOutcome outcome;
    {
        LockedFile locked(WorkTraceLog);
        ASSERT_TRUE(locked.Locked());
        outcome = Run();
    }
    ExpectHealthy(outcome);
    EXPECT_FALSE(HasTraceLogSection(outcome.text, WorkTraceLog));
    EXPECT_EQ(std::string::npos, outcome.text.find("Work: GET"));
}

TEST_F(BadFilesTest, AnInstallationLogOfFiftyMegabytesIsCarriedWhole) {
    const std::string line = "Copied file 0123456789\r\n";
    DoctorOutcome outcome;
    {
        LargeFile log(InstallLog, line, FiftyMegabytes, "Setup finished: success\r\n");
        outcome = Run("/message");
    }
    ASSERT_TRUE(outcome.finished);
    EXPECT_EQ(0u, outcome.exitCode);
    const std::string heading = "\r\n\r\nInstallation Log :\r\n";
    size_t start = outcome.text.rfind(heading);
    ASSERT_NE(std::string::npos, start);
    std::string log = outcome.text.substr(start + heading.size());
    ASSERT_EQ(FiftyMegabytes + 25, log.size());
    EXPECT_EQ(0u, log.find(line + line));
    EXPECT_EQ(log.size() - 25, log.rfind("Setup finished: success\r\n"));
    EXPECT_NE(std::string::npos, outcome.text.rfind("\r\nAnalysis result 0:0:0\r\n", start));
}

TEST_F(BadFilesTest, AnOverlongTraceModeAndANonNumericFilterTraceNothing) {
    ScratchFolder temp;
    EnvironmentChange tmp("TMP", temp.Path());
    EnvironmentChange tempVariable("TEMP", temp.Path());
    DoctorSettingsFile settings("[Settings]\r\nTraceMode=file" + std::string(596, 'x') +
                                "\r\nTraceFilter=abc\r\n");
    DoctorOutcome outcome = Run();
    ExpectHealthy(outcome);
    EXPECT_FALSE(FileExists(temp.File("trace.log")));
}

TEST_F(BadFilesTest, ANonNumericFilterCountsAsZero) {
    ScratchFolder temp;
    EnvironmentChange tmp("TMP", temp.Path());
    EnvironmentChange tempVariable("TEMP", temp.Path());
    DoctorSettingsFile settings("[Settings]\r\nTraceMode=FILE\r\nTraceFilter=abc\r\n");
    DoctorOutcome outcome = Run();
    ExpectHealthy(outcome);
    std::string trace = ReadBytes(temp.File("trace.log"));
    EXPECT_EQ(0u, trace.find("Trace opened "));
    EXPECT_NE(std::string::npos, trace.find(" <<<Change trace filter to 0>>>\r\n"));
    EXPECT_EQ(std::string::npos, trace.find("Set config"));
}

TEST_F(BadFilesTest, AnUnwritableTemporaryFolderLeavesTheReportWhole) {
    ScratchFolder temp;
    std::string plainFile = temp.File("plain");
    ASSERT_TRUE(WriteBytes(plainFile, "not a folder"));
    DoctorSettingsFile settings("[Settings]\r\nTraceMode=flushed\r\nTraceFilter=-1\r\n");
    for (const std::string& folder : {temp.File("missing"), plainFile}) {
        EnvironmentChange tmp("TMP", folder);
        EnvironmentChange tempVariable("TEMP", folder);
        DoctorOutcome outcome = Run();
        ExpectHealthy(outcome);
        EXPECT_FALSE(FileExists(temp.File("missing")));
        EXPECT_EQ("not a folder", ReadBytes(plainFile));
    }
}
