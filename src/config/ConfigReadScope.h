#pragma once

#include "base/RegKey.h"
#include "base/Str.h"

// While one lives on a thread, settings of the current configuration are read below one open key
// of the configuration, and each section's key is opened once for all its settings: under the
// registry's 32-bit view every level of a path costs a lookup and one more for the view's
// redirection. Writes still open the whole path. Scopes may nest; the key is opened when the
// scope starts, so keep a scope to one pass over the settings.
class ConfigReadScope {
public:
    ConfigReadScope();
    ConfigReadScope(const ConfigReadScope&) = delete;
    ConfigReadScope& operator=(const ConfigReadScope&) = delete;
    ~ConfigReadScope();

    // The key of a section of the configuration in the innermost scope on this thread (closed
    // when the section is missing), or null when no scope has the configuration open or the
    // scope has no room left for another section.
    static const RegKey* Section(const char* name);

private:
    static const int MostSections = 8;

    RegKey configuration;
    ConfigReadScope* outer;
    Str sectionNames[MostSections];
    RegKey sections[MostSections];
    int sectionCount = 0;
};
