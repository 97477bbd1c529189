#include "DoctorOutcome.h"

#include "Programs.h"
#include "Scratch.h"

#include <windows.h>

#include <vector>

namespace {

const char* const SectionHeading = "\r\nFile contents of '";
const char* const ResultHeading = "\r\nAnalysis result ";

size_t LineStart(const std::string& text, const std::string& prefix) {
    if (text.compare(0, prefix.size(), prefix) == 0) {
        return 0;
    }
    size_t at = text.find("\n" + prefix);
    return at == std::string::npos ? at : at + 1;
}

std::string Heading(const std::string& path) {
    return SectionHeading + path + "' :\r\n";
}

} // namespace

DoctorOutcome RunDoctorInto(const std::string& mode, const std::string& file,
                            unsigned long timeoutMs) {
    DeleteFileA(file.c_str());
    std::string command = "\"" + ProgramFolder() + "\\VLDoctor.exe\" " + mode + " \"" + file + "\"";
    ProgramRun run = RunProgram(command, "", "", timeoutMs);
    DoctorOutcome outcome;
    outcome.finished = run.finished;
    outcome.exitCode = run.exitCode;
    outcome.text = ReadBytes(file);
    return outcome;
}

std::string LineStartingWith(const std::string& report, const std::string& prefix) {
    size_t start = LineStart(report, prefix);
    if (start == std::string::npos) {
        return "";
    }
    size_t end = report.find("\r\n", start);
    return report.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string AnalysisLine(const std::string& report) {
    return LineStartingWith(report, "Analysis result ");
}

bool HasTraceLogSection(const std::string& report, const std::string& path) {
    return report.find(Heading(path)) != std::string::npos;
}

// From the heading to the next heading or the analysis result line, whichever comes first.
std::string TraceLogSection(const std::string& report, const std::string& path) {
    size_t start = report.find(Heading(path));
    if (start == std::string::npos) {
        return "";
    }
    start += Heading(path).size();
    size_t end = std::min(report.find(SectionHeading, start), report.find(ResultHeading, start));
    return report.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string WithoutTimeLine(const std::string& report) {
    size_t start = report.find("\r\nTime ");
    size_t end = report.find("\r\n", start + 2);
    if (start == std::string::npos || end == std::string::npos) {
        return report;
    }
    return report.substr(0, start) + report.substr(end);
}

DoctorSettingsFile::DoctorSettingsFile(const std::string& contents)
    : path(ProgramFolder() + "\\VLDoctor.ini") {
    WriteBytes(path, contents);
}

DoctorSettingsFile::~DoctorSettingsFile() {
    DeleteFileA(path.c_str());
}

EnvironmentChange::EnvironmentChange(const char* name, const std::string& value) : name(name) {
    DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
    hadValue = size > 0;
    if (hadValue) {
        std::vector<char> old(size);
        GetEnvironmentVariableA(name, old.data(), size);
        oldValue = old.data();
    }
    SetEnvironmentVariableA(name, value.c_str());
}

EnvironmentChange::~EnvironmentChange() {
    SetEnvironmentVariableA(name.c_str(), hadValue ? oldValue.c_str() : nullptr);
}
