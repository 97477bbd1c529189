#pragma once

// The one scan of a line's keys, which reads every form of key and value: KeyValueRules.cpp
// holds the scanner with key=value and key: value, FreeTextRules.cpp a secret word in free text,
// SwitchRules.cpp the command-line switches.

#include "masking/CredentialRules.h"

#include <cstddef>
#include <string_view>

namespace credentials {

// Every form in one scan: key=value, key: value, a secret word in free text, a switch.
void ScanKeys(std::string_view line, CredentialSpans& spans);
size_t MaskFreeText(std::string_view line, std::string_view key, std::string_view previous,
                    size_t keyEnd, CredentialSpans& spans);
size_t MaskFlag(std::string_view line, std::string_view key, size_t keyEnd, CredentialSpans& spans);
bool StartsSwitch(std::string_view line, size_t rawStart, size_t keyStart);

} // namespace credentials
