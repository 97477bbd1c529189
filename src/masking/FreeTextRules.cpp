// A secret word in free text and its value without = or : between: with password 'x', password
// set to "x", using password S3cr3t!.

#include "masking/KeyScan.h"

#include "masking/CredentialText.h"
#include "masking/CredentialWords.h"
#include "masking/ValueScan.h"

using namespace credentials;

namespace {

// Short words between a secret word and its quoted value: password set to "x", password is 'x'.
size_t SkipConnectors(std::string_view line, size_t at) {
    static constexpr std::string_view Connectors[] = {"is", "was", "set", "to", "changed", "now"};
    for (int words = 0; words < 3; ++words) {
        bool skipped = false;
        for (std::string_view connector : Connectors) {
            size_t length = connector.size();
            if (MatchesAt(line, at, connector) && at + length < line.size() &&
                IsBlank(line[at + length])) {
                at = SkipBlanks(line, at + length);
                skipped = true;
                break;
            }
        }
        if (!skipped) {
            break;
        }
    }
    return at;
}

} // namespace

namespace credentials {

// A secret word in free text and what follows it after blanks: a quoted value, or one made-up
// word. Returns where scanning goes on.
size_t MaskFreeText(std::string_view line, std::string_view key, std::string_view previous,
                    size_t keyEnd, CredentialSpans& spans) {
    size_t at = SkipConnectors(line, SkipBlanks(line, keyEnd));
    if (at >= line.size()) {
        return keyEnd;
    }
    if (IsQuote(line[at])) {
        if (ClassifyKey(key, previous).kind != KeyKind::Strong) {
            return keyEnd;
        }
        size_t close = FindClosingQuote(line, at);
        if (!IsStateValue(line.substr(at + 1, close - at - 1), KeyKind::Strong)) {
            AddSpan(at + 1, close, spans);
            return close;
        }
        return keyEnd;
    }
    size_t end = WordEnd(line, at);
    std::string_view word = line.substr(at, end - at);
    if (LooksLikeSecretWord(word) && ClassifyKey(key, previous).kind == KeyKind::Strong) {
        while (end > at && IsIn(line[end - 1], ".,;:!?)")) {
            --end;
        }
        AddSpan(at, end, spans);
        return end;
    }
    return keyEnd;
}

} // namespace credentials
