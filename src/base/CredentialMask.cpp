#include "base/CredentialMask.h"

#include "base/CredentialRules.h"

#include <algorithm>
#include <string>

namespace {

// Masking can bring text together that a rule then reads otherwise; masking stops at the round
// that finds nothing more, so that a masked text masks to itself. Each round is one pass of every
// rule over every line, so the rounds keep the masker linear in its input.
const int MaxRounds = 8;

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Spans of stars only are masks already (****) or a product's own (**********): left as they are.
bool OnlyStars(std::string_view text) {
    return text.find_first_not_of('*') == std::string_view::npos;
}

// Every rule over one line; their spans joined where they overlap or touch, shifted to the text.
// Returns how many credentials they mask: one a span, but a span that goes on a value of an
// earlier line counts with it.
int32_t FindInLine(std::string_view text, size_t lineStart, size_t lineEnd,
                   CredentialLineState& state, CredentialSpans& lineSpans, CredentialSpans& spans) {
    std::string_view line = text.substr(lineStart, lineEnd - lineStart);
    lineSpans.clear();
    state.continuedSpans = 0;
    for (size_t rule = 0; rule < CredentialRuleCount; ++rule) {
        CredentialRules[rule].find(line, state, lineSpans);
    }
    if (lineSpans.empty()) {
        return 0;
    }
    size_t before = spans.size();
    std::sort(lineSpans.begin(), lineSpans.end());
    size_t start = lineSpans[0].first;
    size_t end = lineSpans[0].second;
    auto add = [&](size_t from, size_t to) {
        if (!OnlyStars(line.substr(from, to - from))) {
            spans.emplace_back(lineStart + from, lineStart + to);
        }
    };
    for (size_t i = 1; i < lineSpans.size(); ++i) {
        if (lineSpans[i].first <= end) {
            end = std::max(end, lineSpans[i].second);
        } else {
            add(start, end);
            start = lineSpans[i].first;
            end = lineSpans[i].second;
        }
    }
    add(start, end);
    int32_t added = static_cast<int32_t>(spans.size() - before);
    return std::max(0, added - state.continuedSpans);
}

// The spans of one round, in text order, and how many credentials they mask. Lines end at CR or
// LF; what one line leaves for the next (a private-key block, a due SASL reply) goes with the
// state, and a text cut within a key block is read as in the block from its body's first line.
int32_t FindCredentials(std::string_view text, CredentialSpans& spans) {
    CredentialLineState state;
    CredentialSpans lineSpans;
    int32_t count = 0;
    size_t lineStart = 0;
    size_t unopenedKeyBody = UnopenedPrivateKeyBodyStart(text);
    while (lineStart <= text.size()) {
        state.inPrivateKey = state.inPrivateKey || lineStart == unopenedKeyBody;
        size_t lineEnd = lineStart;
        while (lineEnd < text.size() && !IsLineEnd(text[lineEnd])) {
            ++lineEnd;
        }
        count += FindInLine(text, lineStart, lineEnd, state, lineSpans, spans);
        if (lineEnd == text.size()) {
            break;
        }
        lineStart =
            lineEnd +
            (text[lineEnd] == '\r' && lineEnd + 1 < text.size() && text[lineEnd + 1] == '\n' ? 2
                                                                                             : 1);
    }
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

Str MaskCredentials(const Str& text, int32_t& masked) {
    std::string_view current(text.Text(), static_cast<size_t>(text.Length()));
    std::string work;
    int32_t found = 0;
    for (int round = 0; round < MaxRounds; ++round) {
        CredentialSpans spans;
        int32_t count = FindCredentials(current, spans);
        if (spans.empty()) {
            break;
        }
        std::string replaced = Replace(current, spans);
        work.swap(replaced);
        current = work;
        found += std::max(count, 1);
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
