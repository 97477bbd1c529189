// Where a value ends, by the form it stands in: quoted, in ODBC braces, tight, in a query or a
// connection string, or running on to the line end before the next field.

#include "masking/ValueScan.h"

#include "masking/CredentialText.h"

#include <algorithm>

using namespace credentials;

namespace {

// The character that closes a value opened at open, where a doubled closing character stands
// for itself and, with escapes, a backslash takes the next character. An unclosed value runs to
// the line end.
size_t FindClosing(std::string_view line, size_t open, char closing, bool escapes) {
    size_t at = open + 1;
    while (at < line.size()) {
        char c = line[at];
        if (escapes && c == '\\' && at + 1 < line.size()) {
            at += 2;
            continue;
        }
        if (c == closing) {
            if (at + 1 < line.size() && line[at + 1] == closing) {
                at += 2;
                continue;
            }
            return at;
        }
        ++at;
    }
    return line.size();
}

// A key run of at most 40 characters from at, starting with a letter; returns its end or at.
size_t KeyRunEnd(std::string_view line, size_t at) {
    if (at >= line.size() || !IsLetter(line[at])) {
        return at;
    }
    size_t end = at;
    while (end < line.size() && end - at < 40 && IsKeyChar(line[end])) {
        ++end;
    }
    return end;
}

// After a , ; or |: "Timeout: 30 s", or with equals also "user = monitor".
bool StartsField(std::string_view line, size_t at, bool equals) {
    at = SkipBlanks(line, at);
    size_t keyEnd = KeyRunEnd(line, at);
    if (keyEnd == at) {
        return false;
    }
    size_t sep = SkipBlanks(line, keyEnd);
    if (sep >= line.size()) {
        return false;
    }
    if (sep + 1 >= line.size()) {
        return false; // a key at the line end is no field
    }
    if (line[sep] == ':') {
        return IsBlank(line[sep + 1]);
    }
    return equals && line[sep] == '=' && line[sep + 1] != '=';
}

// After a blank: "retries: 3", a key directly followed by a colon and a blank, or the service
// tools' "start= auto", by an equals sign and a blank.
bool StartsColonField(std::string_view line, size_t at) {
    size_t keyEnd = KeyRunEnd(line, at);
    return keyEnd > at && keyEnd + 1 < line.size() && IsIn(line[keyEnd], ":=") &&
           IsBlank(line[keyEnd + 1]);
}

// The end of a value that runs to the line end: it stops before the next field, at the quote that
// encloses the whole key and value, and (spaced values) before a remark in brackets.
size_t ScanToFieldEnd(std::string_view line, size_t at, char enclosing, bool whole) {
    size_t end = at;
    while (end < line.size()) {
        char c = line[end];
        if (enclosing != '\0' && c == enclosing && line[end - 1] != '\\') {
            break;
        }
        if ((c == ',' || c == ';' || c == '|') && StartsField(line, end + 1, !whole)) {
            break;
        }
        if (IsBlank(c)) {
            size_t next = SkipBlanks(line, end);
            if (next < line.size() &&
                (StartsColonField(line, next) || (!whole && line[next] == '('))) {
                break;
            }
            end = next; // the run of blanks is passed once
            continue;
        }
        ++end;
    }
    return std::max(at, SkipBlanksBack(line, end));
}

size_t ScanQuery(std::string_view line, size_t at) {
    while (at < line.size() && !IsBlank(line[at]) && !IsIn(line[at], "&#;\"'<>")) {
        ++at;
    }
    return at;
}

// To the ; that ends the pair, or a closing quote; a value that meets the line end first is the
// last of its string and ends at its first blank.
size_t ScanConnection(std::string_view line, size_t at, const OpenQuotes& quotes) {
    size_t end = at;
    while (end < line.size() && line[end] != ';' &&
           !(IsQuote(line[end]) && IsClosingQuote(line, end) && quotes.Opened(line[end]))) {
        ++end;
    }
    if (end == line.size()) {
        end = WordEnd(line, at);
    }
    return std::max(at, SkipBlanksBack(line, end));
}

size_t ScanRunOn(std::string_view line, size_t at, char enclosing, bool whole, RunOnEnd* last) {
    if (last && last->from <= at && at <= last->end && last->enclosing == enclosing &&
        last->whole == whole) {
        return std::max(at, last->end);
    }
    size_t end = ScanToFieldEnd(line, at, enclosing, whole);
    if (last) {
        *last = {at, end, enclosing, whole};
    }
    return end;
}

} // namespace

namespace credentials {

// A quote that closes a value: at the line end, or before a character that cannot go on a word.
// A mask goes on one: it stands for the characters of a value.
bool IsClosingQuote(std::string_view line, size_t at) {
    return IsQuote(line[at]) &&
           (at + 1 == line.size() || (!IsAlnum(line[at + 1]) && line[at + 1] != line[at] &&
                                      !MatchesExactlyAt(line, at + 1, CredentialMask)));
}

// The closing quote of the quoted value opening at open: \" and "" stand for a quote in it.
size_t FindClosingQuote(std::string_view line, size_t open) {
    return FindClosing(line, open, line[open], true);
}

// ODBC: Pwd={a;b}}c}, where }} stands for a brace in the value.
size_t FindClosingBrace(std::string_view line, size_t open) {
    return FindClosing(line, open, '}', false);
}

// The end of the key characters from at.
size_t KeyCharsEnd(std::string_view line, size_t at) {
    while (at < line.size() && IsKeyChar(line[at])) {
        ++at;
    }
    return at;
}

// The = or : after a key that ends at keyEnd (past its closing quote and blanks); npos when
// neither follows.
size_t KeySeparator(std::string_view line, size_t keyEnd) {
    size_t afterKey = keyEnd < line.size() && IsQuote(line[keyEnd]) ? keyEnd + 1 : keyEnd;
    size_t sep = SkipBlanks(line, afterKey);
    return sep < line.size() && IsIn(line[sep], "=:") ? sep : npos;
}

// The next field instead of a value: a key and a colon and a blank (user: x), or for a weak key
// any assignment (auth: token=expired).
bool StartsKeyedValue(std::string_view line, size_t at, bool weak) {
    size_t keyEnd = KeyRunEnd(line, at);
    if (keyEnd == at || keyEnd + 1 >= line.size()) {
        return false;
    }
    char next = line[keyEnd + 1];
    if (line[keyEnd] == ':') {
        return IsBlank(next) && SkipBlanks(line, keyEnd + 1) < line.size();
    }
    return weak && line[keyEnd] == '=' && next != '=';
}

size_t ScanTight(std::string_view line, size_t at) {
    size_t depth = 0;
    while (at < line.size()) {
        char c = line[at];
        if (IsBlank(c) || IsIn(c, "&;,|")) {
            break;
        }
        if (IsQuote(c) && IsClosingQuote(line, at)) {
            break;
        }
        if (c == '<' && at + 1 < line.size() && line[at + 1] == '/') {
            break;
        }
        if (IsIn(c, "([{")) {
            ++depth;
        } else if (IsIn(c, ")]}")) {
            if (depth == 0) {
                break;
            }
            --depth;
        }
        ++at;
    }
    return at;
}

size_t ScanValue(std::string_view line, size_t at, ValueStyle style, char enclosing,
                 const OpenQuotes& quotes) {
    switch (style) {
    case ValueStyle::Query:
        return ScanQuery(line, at);
    case ValueStyle::Connection:
        return ScanConnection(line, at, quotes);
    case ValueStyle::Tight:
        return ScanTight(line, at);
    case ValueStyle::Spaced:
        return ScanRunOn(line, at, enclosing, false, quotes.runOn);
    case ValueStyle::Whole:
        return ScanRunOn(line, at, enclosing, true, quotes.runOn);
    }
    return at;
}

CredentialSpans::const_iterator MaskedBefore::From(size_t at) const {
    auto begin = spans->begin();
    auto span = std::upper_bound(begin, End(), std::make_pair(at, npos));
    return span != begin && std::prev(span)->second > at ? std::prev(span) : span;
}

CredentialSpans::const_iterator MaskedBefore::End() const {
    return spans->begin() + static_cast<std::ptrdiff_t>(count);
}

bool MaskedBefore::Holds(size_t at) const {
    if (count == 0) {
        return false;
    }
    auto span = From(at);
    return span != End() && span->first <= at;
}

} // namespace credentials
