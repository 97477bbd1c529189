#pragma once

#include <string>

std::string DoctorPath();
std::string CompanionPath(); // VLDoctor.com, the console companion

// Runs the sample tool and the Doctor the way a support engineer would, each as its own process.
bool LaySample(const std::string& variant);
unsigned long RunDoctor(const std::string& arguments, const std::string& outputFile,
                        const std::string& errorFile, const std::string& program = DoctorPath());

// The system's reason for an error as the Doctor's error lines end: "<text> (<code>)".
std::string SystemReason(unsigned long error);

// Compares a report with an expected report kept with the tests: the first line and everything
// after the header exactly, header lines 2 to 5 by the patterns the expected report holds, and
// "<system error N>" at the end of an expected line standing for the system's text of error N.
// Answers an empty text when they agree, else where they part.
std::string CompareWithExpected(const std::string& report, const std::string& expected);
