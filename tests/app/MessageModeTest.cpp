#include "base/Str.h"

#include "Registry.h"
#include "Scratch.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char* const Opening = "Please add a description of the problem you are having :\r\n"
                            "<Your problem description>\r\n"
                            "\r\n\r\nDoctor's Prognosis :\r\n";
const char* const ReportHeading = "\r\n\r\nDoctor's Report :\r\n";
const char* const LogHeading = "\r\n\r\nInstallation Log :\r\n";
const DWORD Timeout = 60000;

std::string DoctorPath() {
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.rfind('\\')) + "\\VLDoctor.exe";
}

class InheritedFile {
public:
    explicit InheritedFile(const std::string& path) {
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        handle = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    InheritedFile(const InheritedFile&) = delete;
    InheritedFile& operator=(const InheritedFile&) = delete;
    ~InheritedFile() {
        if (handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
        }
    }

    HANDLE Handle() const { return handle; }

private:
    HANDLE handle;
};

// Runs the Doctor with its standard output and error in files; gives its exit code, or -1.
int RunDoctor(const std::string& arguments, const std::string& outPath,
              const std::string& errorPath) {
    InheritedFile out(outPath);
    InheritedFile error(errorPath);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out.Handle();
    startup.hStdError = error.Handle();
    PROCESS_INFORMATION process = {};
    std::string command = "\"" + DoctorPath() + "\" " + arguments;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return -1;
    }
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, Timeout) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &code);
    } else {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

std::string TableText(unsigned id) {
    Str text;
    text.LoadText(id);
    return text.Text();
}

// The report without its time line, which differs between two runs.
std::string WithoutTimeLine(const std::string& report) {
    size_t start = report.find("Time ");
    if (start == std::string::npos) {
        return report;
    }
    size_t end = report.find("\r\n", start);
    return report.substr(0, start) + report.substr(end == std::string::npos ? start : end);
}

class MessageModeTest : public ::testing::Test {
protected:
    ScratchFolder scratch;
    std::string out = scratch.File("out.txt");
    std::string error = scratch.File("error.txt");
    ProductRegistryScope noProduct;
};

} // namespace

TEST_F(MessageModeTest, WritesTheMessageOfTheRun) {
    std::string messagePath = scratch.File("message.txt");
    std::string reportPath = scratch.File("report.txt");
    int messageExit = RunDoctor("/message \"" + messagePath + "\"", out, error);
    int reportExit = RunDoctor("/report \"" + reportPath + "\"", out, error);
    ASSERT_TRUE(messageExit == 0 || messageExit == 1) << messageExit;
    EXPECT_EQ(reportExit, messageExit);
    std::string message = ReadBytes(messagePath);
    std::string report = ReadBytes(reportPath);
    ASSERT_EQ(0u, message.find(Opening));

    size_t diagnosisStart = strlen(Opening);
    size_t reportStart = message.find(ReportHeading, diagnosisStart);
    size_t logStart = message.rfind(LogHeading);
    ASSERT_NE(std::string::npos, reportStart);
    ASSERT_NE(std::string::npos, logStart);
    ASSERT_LE(reportStart, logStart);
    std::string diagnosis = message.substr(diagnosisStart, reportStart - diagnosisStart);
    std::string reportPiece = message.substr(reportStart + strlen(ReportHeading),
                                             logStart - reportStart - strlen(ReportHeading));
    bool healthy = messageExit == 0;
    EXPECT_EQ(healthy, diagnosis == TableText(102)) << diagnosis;
    EXPECT_TRUE(diagnosis == TableText(102) || diagnosis == TableText(108) ||
                diagnosis == TableText(112) || diagnosis == TableText(115) ||
                diagnosis == TableText(116))
        << diagnosis;
    EXPECT_EQ(WithoutTimeLine(report).size(), WithoutTimeLine(reportPiece).size());
    EXPECT_TRUE(WithoutTimeLine(report) == WithoutTimeLine(reportPiece));
    EXPECT_EQ(message.size(), logStart + strlen(LogHeading)) << "no installation, no log";
}

TEST_F(MessageModeTest, StandardOutputCarriesTheSameMessage) {
    EXPECT_GE(RunDoctor("/MESSAGE -", out, error), 0);
    std::string message = ReadBytes(out);
    EXPECT_EQ(0u, message.find(Opening));
    EXPECT_NE(std::string::npos, message.find(LogHeading));
    EXPECT_EQ("", ReadBytes(error));
}

TEST_F(MessageModeTest, UnwritableFileIsAnError) {
    std::string path = scratch.File("missing\\folder\\message.txt");
    EXPECT_EQ(2, RunDoctor("/message \"" + path + "\"", out, error));
    EXPECT_EQ("VLDoctor: cannot write the message to '" + path + "'\r\n", ReadBytes(error));
    EXPECT_EQ("", ReadBytes(out));
}
