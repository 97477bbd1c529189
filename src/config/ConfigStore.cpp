#include "config/ConfigStore.h"

#include "base/JoinPath.h"
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
        currentConfigKey = JoinPath(configurationsKey, configurationName.Text());
        rootFolder = ConfigString("Main", "RootFolder", "").Value();
        if (!rootFolder.IsEmpty()) {
            configurationFolder = JoinPath(rootFolder, configurationName.Text());
        } else {
            configurationFolder = settings.GetString("Folder", "");
            rootFolder = configurationFolder;
        }
    }
    Trace(2, "Set config '%s' '%s'", configurationFolder.Text(), configurationName.Text());
}
