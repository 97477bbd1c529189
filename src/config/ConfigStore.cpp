#include "config/ConfigStore.h"

#include "base/RegKey.h"
#include "config/ConfigSettings.h"
#include "trace/TraceLog.h"

const char* const ProductSettingsKey = "Software\\Tessaly\\Velmont\\Settings";
const char* const ProductConfigurationsKey = "Software\\Tessaly\\Velmont\\Configurations";

namespace {

const char* const StandardConfiguration = "_*Standard*_";

thread_local Str currentConfigKey;

} // namespace

const Str& CurrentConfigKey() {
    return currentConfigKey;
}

// Without a readable Settings key (no product) the fields and the current key stay as they were.
void ConfigStore::Load() {
    configurationsKey.Assign(ProductConfigurationsKey);
    RegKey settings;
    if (settings.OpenUserKey(ProductSettingsKey, true)) {
        configurationName = settings.GetString("Config", "");
        if (configurationName.IsEmpty()) {
            configurationName.Assign(StandardConfiguration);
        }
        currentConfigKey = Concat(Concat(configurationsKey, "\\"), configurationName);
        rootFolder = ConfigString("Main", "RootFolder", "").Value();
        if (!rootFolder.IsEmpty()) {
            configurationFolder = Concat(Concat(rootFolder, "\\"), configurationName);
        } else {
            configurationFolder = settings.GetString("Folder", "");
            rootFolder = configurationFolder;
        }
    }
    Trace(2, "Set config '%s' '%s'", configurationFolder.Text(), configurationName.Text());
}
