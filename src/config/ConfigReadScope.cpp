#include "config/ConfigReadScope.h"

#include "config/ConfigStore.h"

namespace {

thread_local const ConfigReadScope* innermostScope = nullptr;

} // namespace

ConfigReadScope::ConfigReadScope() : outer(innermostScope) {
    if (!CurrentConfigKey().IsEmpty()) {
        configuration.OpenUserKey(CurrentConfigKey().Text(), true);
    }
    innermostScope = this;
}

ConfigReadScope::~ConfigReadScope() {
    innermostScope = outer;
}

const RegKey* ConfigReadScope::OpenConfiguration() {
    return innermostScope && innermostScope->configuration.IsOpen() ? &innermostScope->configuration
                                                                    : nullptr;
}
