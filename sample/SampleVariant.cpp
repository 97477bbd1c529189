#include "SampleVariant.h"

namespace {

SampleVariant Variant(const char* name, const char* outcome) {
    SampleVariant variant;
    variant.name = name;
    variant.outcome = outcome;
    return variant;
}

std::vector<SampleVariant> MakeVariants() {
    std::vector<SampleVariant> variants;
    variants.push_back(Variant("healthy", "0:0:0, everything in place"));
    variants.push_back(Variant("not-installed", "1:0:0, no trace of the product"));
    variants.back().installed = false;
    variants.push_back(Variant("no-install-folder", "6:0:0, no installation folder recorded"));
    variants.back().installFolderRecorded = false;
    variants.push_back(Variant("no-uninstall-command", "6:0:0, uninstall entry without command"));
    variants.back().uninstallCommand = false;
    variants.push_back(Variant("no-config-folder", "3:0:0, configuration folder missing"));
    variants.back().configurationFolder = false;
    variants.push_back(Variant("no-logfile", "3:0:0, report log setting empty"));
    variants.back().reportLogSet = false;
    variants.push_back(Variant("missing-file", "0:6:0, VLLib.dll missing"));
    variants.back().everyProductFile = false;
    variants.push_back(Variant("truncated-file", "0:0:0, VLTray.exe cut short, version unknown"));
    variants.back().wholeProductFiles = false;
    variants.push_back(Variant("old-mfc42", "0:5:0, mfc42.dll older than 4.21.7022"));
    variants.back().currentClassLibrary = false;
    variants.push_back(Variant("config-version-2", "0:0:2, configuration version 2"));
    variants.back().configurationVersion = 2;
    variants.push_back(Variant("no-events", "0:0:3, no scheduled events"));
    variants.back().events = false;
    variants.push_back(
        Variant("credentials", "0:0:0, logins in a trace log, a site, the setup log"));
    variants.back().credentials = true;
    variants.push_back(Variant("international", "0:0:0, Cyrillic, Greek and Japanese names"));
    variants.back().international = true;
    variants.push_back(Variant("many-users", "0:0:0; /users: ines 0:0:2 (logged off), tomas "
                                             "without Velmont"));
    variants.back().manyUsers = true;
    variants.push_back(
        Variant("many-users-gone", "as many-users, and a profile whose folder is gone"));
    variants.back().manyUsers = true;
    variants.back().profileGone = true;
    return variants;
}

} // namespace

const std::vector<SampleVariant>& SampleVariants() {
    static const std::vector<SampleVariant> variants = MakeVariants();
    return variants;
}

const SampleVariant* FindSampleVariant(const std::string& name) {
    for (const SampleVariant& variant : SampleVariants()) {
        if (variant.name == name) {
            return &variant;
        }
    }
    return nullptr;
}
