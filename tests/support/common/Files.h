#pragma once

#include <string>

// Whole-file reads and writes and folder trees, for the tests and the sample tool.
bool WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
// Creates the folder and every missing folder above it.
bool MakeFolders(const std::string& path);
void RemoveTree(const std::string& path);
