#pragma once

#include <string>

// One run of the real Doctor in report or message mode, written to a file, with a time limit.
struct DoctorOutcome {
    bool finished = false; // false when the run had to be ended after the time limit
    unsigned long exitCode = 0;
    std::string text; // the report or message the run wrote
};

DoctorOutcome RunDoctorInto(const std::string& mode, const std::string& file,
                            unsigned long timeoutMs = 30000);

// Pieces of a report: the whole line that starts with the prefix (without its line end, empty
// when there is none), the analysis result line, and the copied text of one trace log.
std::string LineStartingWith(const std::string& report, const std::string& prefix);
std::string AnalysisLine(const std::string& report);
bool HasTraceLogSection(const std::string& report, const std::string& path);
std::string TraceLogSection(const std::string& report, const std::string& path);
std::string WithoutTimeLine(const std::string& report);

// The Doctor's own settings file beside VLDoctor.exe, present while the object lives.
class DoctorSettingsFile {
public:
    explicit DoctorSettingsFile(const std::string& contents);
    DoctorSettingsFile(const DoctorSettingsFile&) = delete;
    DoctorSettingsFile& operator=(const DoctorSettingsFile&) = delete;
    ~DoctorSettingsFile();

private:
    std::string path;
};

// An environment variable of this process (and so of the Doctor it starts), restored at the end.
class EnvironmentChange {
public:
    EnvironmentChange(const char* name, const std::string& value);
    EnvironmentChange(const EnvironmentChange&) = delete;
    EnvironmentChange& operator=(const EnvironmentChange&) = delete;
    ~EnvironmentChange();

private:
    std::string name;
    std::string oldValue;
    bool hadValue;
};
