#include "base/CredentialMask.h"

#include "base/CredentialRules.h"

#include <cstring>
#include <string>

namespace {

// Masking by one rule can bring text together that another rule then recognises; masking stops
// at the round that finds nothing more, so that a masked text masks to itself.
const int MaxRounds = 8;

std::string Replace(std::string_view text, const CredentialSpans& spans) {
    std::string masked;
    masked.reserve(text.size());
    size_t from = 0;
    for (const auto& [start, end] : spans) {
        masked.append(text.substr(from, start - from));
        masked.append(CredentialMask);
        from = end;
    }
    masked.append(text.substr(from));
    return masked;
}

// One pass of every rule, in order; work holds the text once anything was masked.
int32_t MaskRound(std::string_view& text, std::string& work) {
    int32_t count = 0;
    for (void (*find)(std::string_view, CredentialSpans&) :
         {FindHeaderCredentials, FindUrlPasswords, FindKeyValues}) {
        CredentialSpans spans;
        find(text, spans);
        if (!spans.empty()) {
            std::string masked = Replace(text, spans);
            work.swap(masked);
            text = work;
            count += static_cast<int32_t>(spans.size());
        }
    }
    return count;
}

} // namespace

Str MaskCredentials(const Str& text, int32_t& masked) {
    if (!strpbrk(text.Text(), "=:")) {
        return text;
    }
    std::string_view current = text.Text();
    std::string work;
    int32_t found = 0;
    for (int round = 0; round < MaxRounds; ++round) {
        int32_t count = MaskRound(current, work);
        if (count == 0) {
            break;
        }
        found += count;
    }
    if (found == 0) {
        return text;
    }
    masked += found;
    return Str(work.c_str());
}

Str MaskedCountLine(int32_t masked, const char* where) {
    Str line;
    if (masked > 0) {
        line.Format("\r\n%d credential%s masked in this %s\r\n", static_cast<int>(masked),
                    masked == 1 ? "" : "s", where);
    }
    return line;
}
