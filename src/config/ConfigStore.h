#pragma once

#include "base/Str.h"

extern const char* const ProductSettingsKey;
extern const char* const ProductConfigurationsKey;

// Finds the product's current configuration and makes its registry key the base of every later
// setting read on this thread.
class ConfigStore {
public:
    void Load();

    Str configurationsKey;
    Str configurationName;
    Str rootFolder;
    Str configurationFolder;
};

// "Software\Tessaly\Velmont\Configurations\<name>" after a successful load on this thread; empty
// before, so that no setting is ever read from a path built on an empty base.
const Str& CurrentConfigKey();
