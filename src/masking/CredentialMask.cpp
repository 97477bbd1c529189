// The masker's engine: one pass over a text, line by line, each line through every rule that
// CredentialRules.cpp lists; the spans they find joined, replaced by the mask and counted.

#include "masking/CredentialMask.h"

#include "masking/CredentialRules.h"

#include <algorithm>
#include <string>

namespace {

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

bool IsBlankLine(std::string_view line) {
    return line.find_first_not_of(" \t\v\f") == std::string_view::npos;
}

// Spans of stars only are masks already (****) or a product's own (**********): left as they are.
bool OnlyStars(std::string_view text) {
    return text.find_first_not_of('*') == std::string_view::npos;
}

// Every rule over one line; their spans joined, shifted to the text. Returns how many
// credentials they mask: one a span, but a span that goes on a value of an earlier line counts
// with it.
int32_t FindInLine(std::string_view line, size_t lineStart, CredentialLineState& state,
                   CredentialSpans& lineSpans, CredentialSpans& spans) {
    lineSpans.clear();
    state.continuedSpans = 0;
    for (size_t rule = 0; rule < CredentialRuleCount; ++rule) {
        CredentialRules[rule].find(line, state, lineSpans);
    }
    JoinSpans(lineSpans);
    int32_t added = 0;
    for (const auto& [from, to] : lineSpans) {
        if (!OnlyStars(line.substr(from, to - from))) {
            spans.emplace_back(lineStart + from, lineStart + to);
            ++added;
        }
    }
    return std::max(0, added - state.continuedSpans);
}

// Outside an open key block, the key-body lines since the last line that was none: an END
// marker that closes no block (a text cut within one, or a block whose BEGIN was lost) masks them
// after the fact, as one credential, and its own line is read as the block's last. Blank lines
// neither end nor join the run. Each line joins the run once, so this stays linear.
int32_t FollowUnopenedKeyBody(std::string_view line, size_t lineStart, CredentialLineState& state,
                              CredentialSpans& keyBody, CredentialSpans& spans) {
    if (state.inPrivateKey) {
        keyBody.clear();
        return 0;
    }
    size_t start = 0;
    size_t end = 0;
    if (FindPrivateKeyBodyWord(line, start, end)) {
        keyBody.emplace_back(lineStart + start, lineStart + end);
        return 0;
    }
    if (IsBlankLine(line)) {
        return 0;
    }
    int32_t count = 0;
    if (ClosesUnopenedPrivateKey(line)) {
        state.inPrivateKey = true;
        state.privateKeyCounted = !keyBody.empty();
        spans.insert(spans.end(), keyBody.begin(), keyBody.end());
        count = keyBody.empty() ? 0 : 1;
    }
    keyBody.clear();
    return count;
}

// The spans of a text, in text order and joined, and how many credentials they mask. Lines end
// at CR or LF; what one line leaves for the next (a private-key block, a due SASL reply) goes
// with the state.
int32_t FindCredentials(std::string_view text, CredentialSpans& spans) {
    CredentialLineState state;
    CredentialSpans lineSpans;
    CredentialSpans keyBody;
    int32_t count = 0;
    size_t lineStart = 0;
    while (lineStart <= text.size()) {
        size_t lineEnd = lineStart;
        while (lineEnd < text.size() && !IsLineEnd(text[lineEnd])) {
            ++lineEnd;
        }
        std::string_view line = text.substr(lineStart, lineEnd - lineStart);
        count += FollowUnopenedKeyBody(line, lineStart, state, keyBody, spans);
        count += FindInLine(line, lineStart, state, lineSpans, spans);
        if (lineEnd == text.size()) {
            break;
        }
        lineStart =
            lineEnd +
            (text[lineEnd] == '\r' && lineEnd + 1 < text.size() && text[lineEnd + 1] == '\n' ? 2
                                                                                             : 1);
    }
    JoinSpans(spans);
    return count;
}

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

} // namespace

void JoinSpans(CredentialSpans& spans) {
    std::sort(spans.begin(), spans.end());
    size_t joined = 0;
    for (size_t i = 1; i < spans.size(); ++i) {
        if (spans[i].first <= spans[joined].second) {
            spans[joined].second = std::max(spans[joined].second, spans[i].second);
        } else {
            spans[++joined] = spans[i];
        }
    }
    spans.resize(spans.empty() ? 0 : joined + 1);
}

// One pass: no rule reads a mask as part of a credential, nor a credential's neighbour
// otherwise once it is masked, so that a masked text masks to itself.
Str MaskCredentials(const Str& text, int32_t& masked) {
    std::string_view view(text.Text(), static_cast<size_t>(text.Length()));
    CredentialSpans spans;
    int32_t count = FindCredentials(view, spans);
    if (spans.empty()) {
        return text;
    }
    masked += std::max(count, 1);
    return Str(Replace(view, spans).c_str());
}

Str MaskedCountLine(int32_t masked, const char* where) {
    Str line;
    if (masked > 0) {
        line.Format("\r\n%d credential%s masked in this %s\r\n", static_cast<int>(masked),
                    masked == 1 ? "" : "s", where);
    }
    return line;
}
