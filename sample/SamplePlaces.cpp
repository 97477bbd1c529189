#include "SamplePlaces.h"

namespace {

const char* const ConfigurationsKey = "Software\\Tessaly\\Velmont\\Configurations\\";

SamplePlaces Places(const std::string& installFolder, const std::string& configurationRoot,
                    const std::string& configurationName) {
    SamplePlaces places;
    places.installFolder = installFolder;
    places.configurationRoot = configurationRoot;
    places.configurationName = configurationName;
    places.configurationFolder = configurationRoot + "\\" + configurationName;
    places.reportLog = places.configurationFolder + "\\Report.log";
    places.configurationKey = ConfigurationsKey + configurationName;
    return places;
}

} // namespace

const SamplePlaces& UsualPlaces() {
    static const SamplePlaces places = Places("C:\\Program Files (x86)\\Tessaly\\Velmont",
                                              "C:\\users\\Public\\Velmont", "Head Office");
    return places;
}

// Cyrillic, Greek and Japanese names in UTF-8, which the manifest makes the tool's code page.
const SamplePlaces& PlacesOf(const SampleVariant& variant) {
    static const SamplePlaces international =
        Places("C:\\Program Files (x86)\\Tessaly\\Velmont Ωμέγα",
               "C:\\users\\Public\\Velmont\\Настройки 設定", "Филиал Αθήνα 東京");
    return variant.international ? international : UsualPlaces();
}

const char* const SampleProductRoot = "Software\\Tessaly";
const char* const SampleSettingsKey = "Software\\Tessaly\\Velmont\\Settings";
const char* const SampleUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tessaly Velmont";
