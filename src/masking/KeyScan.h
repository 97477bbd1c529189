#pragma once

// The scan of a line's keys, which the families of key and value forms share: KeyValueRules.cpp
// holds the scanner and the = and : forms, FreeTextRules.cpp a secret word in free text,
// SwitchRules.cpp the command-line switches.

#include "masking/CredentialRules.h"

#include <cstddef>
#include <string_view>

namespace credentials {

enum KeyForm : unsigned {
    EqualsForm = 1,   // key=value, key = value, key := value, key => value
    ColonForm = 2,    // key: value, "key": value, Name : value
    FreeTextForm = 4, // password 'x', password set to "x", using password S3cr3t!
    FlagForm = 8,     // --password x, -Password x
};

void ScanKeys(std::string_view line, unsigned forms, CredentialSpans& spans);
size_t MaskFreeText(std::string_view line, std::string_view key, std::string_view previous,
                    size_t keyEnd, CredentialSpans& spans);
size_t MaskFlag(std::string_view line, std::string_view key, size_t keyEnd, CredentialSpans& spans);
bool StartsSwitch(std::string_view line, size_t rawStart, size_t keyStart);

} // namespace credentials
