#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One way the sample installation can be laid: healthy, or with one fault of the kind the Doctor
// is made to find.
struct SampleVariant {
    std::string name;
    std::string outcome;
    bool installed = true;
    bool installFolderRecorded = true;
    bool uninstallCommand = true;
    bool configurationFolder = true;
    bool reportLogSet = true;
    bool everyProductFile = true;
    bool wholeProductFiles = true; // false: VLTray.exe cut short inside its resource section
    bool currentClassLibrary = true;
    uint32_t configurationVersion = 1;
    bool events = true;
    bool credentials = false; // in a trace log, a site name and the installation log
    bool international = false;
    bool manyUsers = false;   // two more people with profiles: one logged off with Velmont
    bool profileGone = false; // and one whose profile folder is gone
};

const std::vector<SampleVariant>& SampleVariants();
const SampleVariant* FindSampleVariant(const std::string& name);
