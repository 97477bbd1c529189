#pragma once

#include "base/StrList.h"

#include <cstdint>

// One string setting of a section of the current configuration, read at construction.
class ConfigString {
public:
    ConfigString(const char* section, const char* key, const char* defaultText);
    virtual ~ConfigString() = default;

    const Str& Value() const { return value; }

protected:
    ConfigString(const char* section, const char* key);

    Str section;
    Str key;

private:
    Str value;
};

// One 32-bit setting; a changed value is written back when the object goes.
class ConfigInt : public ConfigString {
public:
    ConfigInt(const char* section, const char* key, int32_t defaultValue);
    ConfigInt(const ConfigInt&) = delete;
    ConfigInt& operator=(const ConfigInt&) = delete;
    ~ConfigInt() override;

    int32_t Value() const { return value; }
    void SetValue(int32_t newValue);

private:
    int32_t value;
    bool changed = false;
};

// A list stored as <prefix>Count and the items <prefix>0, <prefix>1, ...
class ConfigList : public TokenList {
public:
    static constexpr int32_t MostItems = 1000;

    ConfigList(const char* section, const char* prefix);
    void Load(const char* defaultText);

private:
    Str section;
    Str prefix;
};

Str SectionPath(const Str& section);
// The same key as an administrator finds it in the registry editor; empty like SectionPath.
Str SectionRegistryPath(const char* section);
