#pragma once

#include <string>

// The folder of the running test program: the build's program folder, where VLDoctor.exe,
// VLSample.exe, the sample's stubs (sample\...) and the expected reports (golden\...) are.
std::string ProgramFolder();

struct ProgramRun {
    bool started = false;
    bool finished = false; // false when it had to be ended after the time limit
    unsigned long exitCode = 0;
};

// Runs a command line in ProgramFolder() with standard output and error sent to the files
// given (an empty name gives the null device), standard input read from inputFile when one is
// named, and waits for it, at most timeoutMs.
ProgramRun RunProgram(const std::string& commandLine, const std::string& outputFile,
                      const std::string& errorFile, unsigned long timeoutMs = 60000,
                      const std::string& inputFile = "");
