#pragma once

#include "SampleVariant.h"

#include <string>

// Where the sample installation lives: the places a 32-bit installer would choose.
struct SamplePlaces {
    std::string installFolder;
    std::string configurationRoot;
    std::string configurationName;
    std::string configurationFolder;
    std::string reportLog;
    std::string configurationKey;
};

// The international variant's places lie inside the usual ones, so removing those removes both.
const SamplePlaces& PlacesOf(const SampleVariant& variant);
const SamplePlaces& UsualPlaces();

extern const char* const SampleProductRoot;
extern const char* const SampleSettingsKey;
extern const char* const SampleUninstallKey;
