#include "SamplePlaces.h"

const char* const SampleInstallFolder = "C:\\Program Files (x86)\\Tessaly\\Velmont";
const char* const SampleConfigurationRoot = "C:\\users\\Public\\Velmont";
const char* const SampleConfigurationName = "Head Office";
const char* const SampleConfigurationFolder = "C:\\users\\Public\\Velmont\\Head Office";
const char* const SampleReportLog = "C:\\users\\Public\\Velmont\\Head Office\\Report.log";
const char* const SampleProductRoot = "Software\\Tessaly";
const char* const SampleSettingsKey = "Software\\Tessaly\\Velmont\\Settings";
const char* const SampleConfigurationKey =
    "Software\\Tessaly\\Velmont\\Configurations\\Head Office";
const char* const SampleUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tessaly Velmont";
