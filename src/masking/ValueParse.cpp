// The value after a key's separator, in whichever form it stands, and its masking unless it
// reads as a state.

#include "masking/ValueScan.h"

#include "masking/CredentialText.h"

#include <algorithm>

using namespace credentials;

namespace {

// password=<not set>, token=(none given): a placeholder with a blank, which a tight scan ends at
// the blank. The words within its brackets, when it has them on the line; empty otherwise.
std::string_view BracketedWords(std::string_view line, size_t start) {
    const size_t MaxLength = 40;
    static const char Brackets[][2] = {{'<', '>'}, {'(', ')'}, {'[', ']'}};
    for (const auto& bracket : Brackets) {
        if (start < line.size() && line[start] == bracket[0]) {
            size_t close = line.substr(start + 1, MaxLength).find(bracket[1]);
            if (close != npos) {
                return line.substr(start + 1, close);
            }
        }
    }
    return {};
}

} // namespace

namespace credentials {

// The value at at: quoted (also SQL's N'…'), in ODBC braces after =, the one item of a list in
// square brackets ({Authorization=[Basic …]}), or unquoted in the given style. A JSON object or
// array is no value: its keys are scanned on their own.
Value ParseValue(std::string_view line, size_t at, ValueStyle style, char enclosing, bool equals,
                 const OpenQuotes& quotes) {
    Value value;
    value.found = true;
    const size_t n = line.size();
    if (at >= n) {
        value.start = value.end = value.after = at;
        return value;
    }
    char c = line[at];
    size_t open = npos;
    if (c == '\\' && at + 1 < n && IsQuote(line[at + 1])) {
        // JSON inside a JSON string: \"password\":\"x\"
        const char closing[] = {'\\', line[at + 1], '\0'};
        size_t close = line.find(closing, at + 2);
        close = close == npos ? n : close;
        value.start = at + 2;
        value.end = close;
        value.after = std::min(close + 2, n);
        value.quoted = true;
        return value;
    }
    if (IsQuote(c)) {
        open = at;
    } else if (equals && IsIn(c, "NnEeu") && at + 1 < n && line[at + 1] == '\'') {
        open = at + 1;
    }
    if (open != npos) {
        size_t close = FindClosingQuote(line, open);
        value.start = open + 1;
        value.end = close;
        value.after = std::min(close + 1, n);
        value.quoted = true;
    } else if (c == '{') {
        if (!equals && (at + 1 == n || IsBlank(line[at + 1]) || IsIn(line[at + 1], "\"'{[}"))) {
            value.found = false; // a JSON object, whose keys are scanned on their own
            return value;
        }
        size_t close = FindClosingBrace(line, at);
        value.start = at + 1;
        value.end = close;
        value.after = std::min(close + 1, n);
        value.quoted = true;
    } else if (c == '[') {
        size_t close = line.find_first_of("[]", at + 1); // a list of lists holds no value
        if (close == npos || line[close] != ']' || close == at + 1 || IsIn(line[at + 1], "\"'{")) {
            value.found = false;
            return value;
        }
        value.start = at + 1;
        value.end = close;
        value.after = close + 1;
        value.quoted = true;
    } else {
        value.start = at;
        value.end = ScanValue(line, at, style, enclosing, quotes);
        value.after = value.end;
    }
    return value;
}

std::string_view FirstWord(std::string_view text) {
    size_t end = 0;
    while (end < text.size() && !IsBlank(text[end])) {
        ++end;
    }
    return text.substr(0, end);
}

bool IsStateFor(const KeyClass& key, std::string_view value) {
    return IsStateValue(value, key.session && IsNumberedName(value) ? KeyKind::Strong : key.kind);
}

// Masks the value unless it reads as a state. Authorization keeps its scheme word: within the
// value, or, when an unquoted value ended after it ({Authorization=Bearer x, …}), before the word
// that follows.
bool MaskValue(std::string_view line, Value& value, ValueStyle style, const KeyClass& key,
               CredentialSpans& spans) {
    size_t start = value.start;
    size_t end = value.end;
    if (end <= start) {
        return false;
    }
    if (key.keepsScheme) {
        size_t word = start;
        while (word < end && (IsAlnum(line[word]) || line[word] == '-' || line[word] == '_')) {
            ++word;
        }
        size_t credentials = SkipBlanks(line, word);
        if (word > start && word < end && IsBlank(line[word]) && credentials < end) {
            start = credentials;
        } else if (word == end && !value.quoted && word < line.size() && IsBlank(line[word]) &&
                   (style == ValueStyle::Tight || style == ValueStyle::Query)) {
            credentials = SkipBlanks(line, word);
            size_t credentialsEnd = ScanTight(line, credentials);
            if (credentialsEnd > credentials) {
                start = credentials;
                end = credentialsEnd;
                value.after = credentialsEnd;
            }
        }
    }
    std::string_view text = line.substr(start, end - start);
    bool runsOn = !value.quoted && (style == ValueStyle::Spaced || style == ValueStyle::Whole);
    std::string_view bracketed = value.quoted ? std::string_view() : BracketedWords(line, start);
    if (IsStateFor(key, text) || (runsOn && IsStateFor(key, FirstWord(text))) ||
        (!bracketed.empty() && IsStateFor(key, bracketed))) {
        return false;
    }
    if (!bracketed.empty()) {
        end = std::max(end,
                       static_cast<size_t>(bracketed.data() - line.data()) + bracketed.size() + 1);
        value.after = std::max(value.after, end);
    }
    AddSpan(start, end, spans);
    return true;
}

} // namespace credentials
