#include "ReportRun.h"

#include "base/SystemErrorText.h"

#include "Programs.h"

#include <cstdlib>
#include <regex>
#include <vector>

namespace {

const size_t PatternLines = 4;

std::vector<std::string> SplitLines(const std::string& text, const std::string& end) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at = text.find(end); at != std::string::npos; at = text.find(end, start)) {
        lines.push_back(text.substr(start, at - start));
        start = at + end.size();
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

// An expected line with its line end, the system's error text standing in for its marker.
std::string ExpectedLine(const std::string& line) {
    static const std::regex marker("(.*)<system error ([0-9]+)>");
    std::smatch match;
    if (std::regex_match(line, match, marker)) {
        unsigned long code = strtoul(match[2].str().c_str(), nullptr, 10);
        return match[1].str() + SystemErrorText(static_cast<uint32_t>(code)).Text();
    }
    return line + "\r\n";
}

std::string Where(const char* what, size_t at) {
    return std::string(what) + " at " + std::to_string(at);
}

} // namespace

std::string DoctorPath() {
    return ProgramFolder() + "\\VLDoctor.exe";
}

std::string CompanionPath() {
    return ProgramFolder() + "\\VLDoctor.com";
}

std::string SystemReason(unsigned long error) {
    std::string text = SystemErrorText(static_cast<uint32_t>(error)).Text();
    return text.substr(0, text.find_last_not_of("\r\n") + 1) + " (" + std::to_string(error) + ")";
}

bool LaySample(const std::string& variant) {
    std::string command = "\"" + ProgramFolder() + "\\VLSample.exe\" " + variant;
    ProgramRun run = RunProgram(command, "", "");
    return run.finished && run.exitCode == 0;
}

unsigned long RunDoctor(const std::string& arguments, const std::string& outputFile,
                        const std::string& errorFile, const std::string& program) {
    ProgramRun run = RunProgram("\"" + program + "\" " + arguments, outputFile, errorFile);
    return run.finished ? run.exitCode : 255;
}

std::string CompareWithExpected(const std::string& report, const std::string& expected) {
    std::vector<std::string> expectedLines = SplitLines(expected, "\n");
    std::vector<std::string> reportLines = SplitLines(report, "\r\n");
    if (expectedLines.size() <= PatternLines || reportLines.size() <= PatternLines) {
        return "too few lines";
    }
    if (reportLines[0] != expectedLines[0]) {
        return "first line differs";
    }
    for (size_t i = 1; i <= PatternLines; ++i) {
        if (!std::regex_match(reportLines[i], std::regex(expectedLines[i]))) {
            return Where("header line does not match its pattern", i + 1);
        }
    }
    std::string expectedRest;
    for (size_t i = PatternLines + 1; i < expectedLines.size(); ++i) {
        expectedRest += ExpectedLine(expectedLines[i]);
    }
    size_t headerEnd = 0;
    for (size_t i = 0; i <= PatternLines; ++i) {
        headerEnd = report.find("\r\n", headerEnd) + 2;
    }
    std::string reportRest = report.substr(headerEnd);
    if (reportRest == expectedRest) {
        return "";
    }
    size_t at = 0;
    while (at < reportRest.size() && at < expectedRest.size() &&
           reportRest[at] == expectedRest[at]) {
        ++at;
    }
    size_t line = PatternLines + 2 + SplitLines(reportRest.substr(0, at), "\r\n").size();
    return Where("reports part in the body, byte", at) + ", near line " + std::to_string(line) +
           ": '" + reportRest.substr(at, 60) + "' against '" + expectedRest.substr(at, 60) + "'";
}
