#pragma once

#include "SampleVariant.h"

#include <string>

// The installation folder, the configuration folder with its trace logs and the two system
// libraries. stubFolder holds the stub programs and libraries built with the tool.
bool LaySampleFiles(const SampleVariant& variant, const std::string& stubFolder);
// Removes the folders, and the system libraries only where they are the sample's own stubs.
void RemoveSampleFiles(const std::string& stubFolder);
