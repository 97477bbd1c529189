#pragma once

#include "base/RegKey.h"

// While one lives on a thread, settings of the current configuration are read below one open key
// of the configuration, so that each section costs one level of lookup instead of the whole path
// through the registry's 32-bit view. Writes still open the whole path. Scopes may nest; the
// key is opened when the scope starts, so keep a scope to one pass over the settings.
class ConfigReadScope {
public:
    ConfigReadScope();
    ConfigReadScope(const ConfigReadScope&) = delete;
    ConfigReadScope& operator=(const ConfigReadScope&) = delete;
    ~ConfigReadScope();

    // The configuration's key of the innermost scope on this thread, or null.
    static const RegKey* OpenConfiguration();

private:
    RegKey configuration;
    const ConfigReadScope* outer;
};
