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

void Replace(std::string_view text, const CredentialSpans& spans, std::string& masked) {
    masked.clear();
    masked.reserve(text.size());
    size_t from = 0;
    for (const auto& [start, end] : spans) {
        masked.append(text.substr(from, start - from));
        masked.append(CredentialMask);
        from = end;
    }
    masked.append(text.substr(from));
}

// Joins the spans a rule added to those of the rules before it, which are in order and joined;
// a rule mostly finds its own from left to right.
void MergeSpans(CredentialSpans& spans, size_t before) {
    auto added = spans.begin() + static_cast<std::ptrdiff_t>(before);
    if (!std::is_sorted(added, spans.end())) {
        std::sort(added, spans.end());
    }
    std::inplace_merge(spans.begin(), added, spans.end());
    JoinSpans(spans);
}

// Every rule over one line, from the state the line starts with; their spans joined.
void FindByRules(std::string_view line, CredentialLineState& state, CredentialSpans& spans) {
    spans.clear();
    state.continuedSpans = 0;
    for (size_t rule = 0; rule < CredentialRuleCount; ++rule) {
        size_t before = spans.size();
        CredentialRules[rule].find(line, state, spans);
        MergeSpans(spans, before);
    }
}

// Positions of a masked line back in the line it was masked from: a mask stands for the whole
// span it replaced. Asked for ascending positions, so that one walk over the masks serves a line.
class Unmasker {
public:
    explicit Unmasker(const CredentialSpans& masks) : masks_(masks) {}

    size_t Start(size_t at) { return Position(at, false); }
    size_t End(size_t at) { return Position(at, true); }

private:
    size_t Position(size_t at, bool end) {
        for (; next_ < masks_.size(); ++next_) {
            const auto& [from, to] = masks_[next_];
            size_t maskStart = from - shrunk_ + grown_;
            size_t maskEnd = maskStart + CredentialMask.size();
            if (end ? at <= maskStart : at < maskStart) {
                break;
            }
            if (end ? at <= maskEnd : at < maskEnd) {
                return end ? to : from;
            }
            shrunk_ += to - from;
            grown_ += CredentialMask.size();
        }
        return at + shrunk_ - grown_;
    }

    const CredentialSpans& masks_;
    size_t next_ = 0;
    size_t shrunk_ = 0; // characters the masks so far replaced
    size_t grown_ = 0;  // and the characters of those masks
};

// What one line's reading needs, kept from line to line so that its storage is reused.
struct LineReading {
    CredentialSpans spans; // what the rules mask in the line
    CredentialSpans masks; // those spans that replace more than stars
    std::string masked;    // the line with them masked
    CredentialSpans found; // what the rules mask in that
};

// The spans of the line that replace more than stars, as the masked text will have them.
void TakeMasks(std::string_view line, LineReading& reading) {
    reading.masks.clear();
    for (const auto& [from, to] : reading.spans) {
        if (!OnlyStars(line.substr(from, to - from))) {
            reading.masks.emplace_back(from, to);
        }
    }
}

// What a rule may read differently once another rule's mask stands in the line (a quote it
// hides, a name it swallows, a key that now ends where it did not): the line read again as it
// will be written, from the state it started with, and whatever that reading masks joins the
// spans; until a reading adds nothing, so that a masked text masks to itself. Each reading masks
// at least one character more, and a line with nothing to mask is read once.
void ReadAgainMasked(std::string_view line, const CredentialLineState& entry,
                     LineReading& reading) {
    for (TakeMasks(line, reading); !reading.masks.empty(); TakeMasks(line, reading)) {
        Replace(line, reading.masks, reading.masked);
        CredentialLineState again = entry;
        FindByRules(reading.masked, again, reading.found);
        Unmasker unmasker(reading.masks);
        bool added = false;
        for (const auto& [from, to] : reading.found) {
            if (!OnlyStars(std::string_view(reading.masked).substr(from, to - from))) {
                reading.spans.emplace_back(unmasker.Start(from), unmasker.End(to));
                added = true;
            }
        }
        if (!added) {
            return;
        }
        JoinSpans(reading.spans);
    }
}

// Every rule over one line; their spans joined, shifted to the text. Returns how many
// credentials they mask: one a span, but a span that goes on a value of an earlier line counts
// with it.
int32_t FindInLine(std::string_view line, size_t lineStart, CredentialLineState& state,
                   LineReading& reading, CredentialSpans& spans) {
    CredentialLineState entry = state;
    FindByRules(line, state, reading.spans);
    ReadAgainMasked(line, entry, reading);
    for (const auto& [from, to] : reading.masks) {
        spans.emplace_back(lineStart + from, lineStart + to);
    }
    return std::max(0, static_cast<int32_t>(reading.masks.size()) - state.continuedSpans);
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
    LineReading reading;
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
        count += FindInLine(line, lineStart, state, reading, spans);
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

} // namespace

void JoinSpans(CredentialSpans& spans) {
    if (!std::is_sorted(spans.begin(), spans.end())) {
        std::sort(spans.begin(), spans.end());
    }
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
    std::string maskedText;
    Replace(view, spans, maskedText);
    return Str(maskedText.c_str());
}

Str MaskedCountLine(int32_t masked, const char* where) {
    Str line;
    if (masked > 0) {
        line.Format("\r\n%d credential%s masked in this %s\r\n", static_cast<int>(masked),
                    masked == 1 ? "" : "s", where);
    }
    return line;
}
