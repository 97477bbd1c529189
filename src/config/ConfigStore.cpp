#include "config/ConfigStore.h"

#include "base/JoinPath.h"
#include "base/RegKey.h"
#include "base/ThreadSlot.h"
#include "config/ConfigSettings.h"
#include "trace/TraceLog.h"

#include <new>

const char* const ProductSettingsKey = "Software\\Tessaly\\Velmont\\Settings";
const char* const ProductConfigurationsKey = "Software\\Tessaly\\Velmont\\Configurations";

namespace {

const char* const StandardConfiguration = "_*Standard*_";

const Str NoConfigKey;

void WINAPI ReleaseConfigKey(void* key) {
    delete static_cast<Str*>(key);
}

// Each thread's own: a thread that has loaded no store has none.
ThreadSlot<Str> currentConfigKey(ReleaseConfigKey);

void SetCurrentConfigKey(const Str& key) {
    Str* kept = currentConfigKey.Get();
    if (kept) {
        *kept = key;
        return;
    }
    kept = new (std::nothrow) Str(key);
    if (kept && !currentConfigKey.Set(kept)) {
        delete kept;
    }
}

} // namespace

const Str& CurrentConfigKey() {
    const Str* key = currentConfigKey.Get();
    return key ? *key : NoConfigKey;
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
        SetCurrentConfigKey(JoinPath(configurationsKey, configurationName.Text()));
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
