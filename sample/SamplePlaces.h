#pragma once

// Where the sample installation lives: the places a 32-bit installer would choose.
extern const char* const SampleInstallFolder;
extern const char* const SampleConfigurationRoot;
extern const char* const SampleConfigurationName;
extern const char* const SampleConfigurationFolder;
extern const char* const SampleReportLog;
extern const char* const SampleProductRoot;
extern const char* const SampleSettingsKey;
extern const char* const SampleConfigurationKey;
extern const char* const SampleUninstallKey;
