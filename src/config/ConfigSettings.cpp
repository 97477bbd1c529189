#include "config/ConfigSettings.h"

#include "base/JoinPath.h"
#include "base/RegKey.h"
#include "config/ConfigReadScope.h"
#include "config/ConfigStore.h"
#include "trace/TraceLog.h"

// The key of one section of the current configuration, or empty while no configuration is known.
Str SectionPath(const Str& section) {
    const Str& base = CurrentConfigKey();
    if (base.IsEmpty()) {
        return Str();
    }
    return JoinPath(base, section.Text());
}

Str SectionRegistryPath(const char* section) {
    Str path = SectionPath(Str(section));
    return path.IsEmpty() ? path : JoinPath(Str("HKEY_CURRENT_USER"), path.Text());
}

namespace {

// Reading never creates a section key; a missing one reads as its defaults. The key comes from
// the thread's read scope when one lives, else it is opened into own.
const RegKey* ReadSection(RegKey& own, const Str& section) {
    const RegKey* scoped = ConfigReadScope::Section(section.Text());
    if (scoped) {
        return scoped;
    }
    Str path = SectionPath(section);
    return !path.IsEmpty() && own.OpenUserKey(path.Text(), true) ? &own : nullptr;
}

} // namespace

ConfigString::ConfigString(const char* section, const char* key, const char* defaultText)
    : section(section), key(key), value(defaultText) {
    RegKey own;
    const RegKey* sectionKey = ReadSection(own, this->section);
    if (sectionKey) {
        value = sectionKey->GetString(key, defaultText);
    }
}

ConfigString::ConfigString(const char* section, const char* key) : section(section), key(key) {
}

ConfigInt::ConfigInt(const char* section, const char* key, int32_t defaultValue)
    : ConfigString(section, key), value(defaultValue) {
    RegKey own;
    const RegKey* sectionKey = ReadSection(own, this->section);
    if (sectionKey) {
        value =
            static_cast<int32_t>(sectionKey->GetDword(key, static_cast<uint32_t>(defaultValue)));
    }
}

void ConfigInt::SetValue(int32_t newValue) {
    if (newValue != value) {
        value = newValue;
        changed = true;
    }
}

ConfigInt::~ConfigInt() {
    if (!changed) {
        return;
    }
    Str path = SectionPath(section);
    RegKey sectionKey;
    if (!path.IsEmpty() && sectionKey.OpenUserKey(path.Text(), false)) {
        sectionKey.SetDword(key.Text(), static_cast<uint32_t>(value));
    } else {
        Trace(1, "* Set config int failed '%s' Sect '%s'", CurrentConfigKey().Text(),
              section.Text());
    }
    changed = false;
}

ConfigList::ConfigList(const char* section, const char* prefix) : section(section), prefix(prefix) {
}

// Appends to what the list holds. A damaged count (say 2,147,483,647) must not make the Doctor
// read billions of values, so a list ends after MostItems (1,000) items: no real configuration
// has that many entries in one list, and their lines would fill the report window's 65,535
// characters anyway. Each item costs a registry read (an event several), so the bound keeps a
// hostile count to seconds.
void ConfigList::Load(const char* defaultText) {
    Str countKey = Concat(prefix, "Count");
    int32_t count = ConfigInt(section.Text(), countKey.Text(), 0).Value();
    if (count > MostItems) {
        count = MostItems;
    }
    // One open of the section for all items: each open is a round trip to the registry.
    RegKey own;
    const RegKey* sectionKey = count > 0 ? ReadSection(own, section) : nullptr;
    Str itemKey;
    for (int32_t i = 0; i < count; ++i) {
        itemKey.Format("%s%d", prefix.Text(), static_cast<int>(i));
        Add(sectionKey ? sectionKey->GetString(itemKey.Text(), defaultText) : Str(defaultText));
    }
}
