#include "config/ConfigReadScope.h"

#include "base/ThreadSlot.h"
#include "config/ConfigStore.h"

namespace {

ThreadSlot<ConfigReadScope> innermostScope;

} // namespace

ConfigReadScope::ConfigReadScope() : outer(innermostScope.Get()) {
    if (!CurrentConfigKey().IsEmpty()) {
        configuration.OpenUserKey(CurrentConfigKey().Text(), true);
    }
    innermostScope.Set(this);
}

ConfigReadScope::~ConfigReadScope() {
    innermostScope.Set(outer);
}

// Section names compare without regard to case, as the registry's key names do.
const RegKey* ConfigReadScope::Section(const char* name) {
    ConfigReadScope* scope = innermostScope.Get();
    if (!scope || !scope->configuration.IsOpen()) {
        return nullptr;
    }
    for (int i = 0; i < scope->sectionCount; ++i) {
        if (lstrcmpiA(scope->sectionNames[i].Text(), name) == 0) {
            return &scope->sections[i];
        }
    }
    if (scope->sectionCount == MostSections) {
        return nullptr;
    }
    int added = scope->sectionCount++;
    scope->sectionNames[added] = Str(name);
    scope->sections[added].OpenSubKey(scope->configuration, name);
    return &scope->sections[added];
}
