#pragma once

#include <cstdint>

// The code each stage of a run yields; the three together are the analysis result, which the
// report prints as "install:files:configuration" and the prognosis and exit codes are chosen by.
using StageCode = uint32_t;

namespace InstallCode {
const StageCode Installed = 0;
const StageCode NotInstalled = 1;
const StageCode ConfigurationMissing = 3;
const StageCode InstallationBroken = 6;
} // namespace InstallCode

namespace FilesCode {
const StageCode Present = 0;
const StageCode SystemComponentFailed = 5;
const StageCode ProductFileMissing = 6;
} // namespace FilesCode

namespace ConfigCode {
const StageCode Fine = 0;
const StageCode WrongVersion = 2;
const StageCode NothingConfigured = 3;
} // namespace ConfigCode
