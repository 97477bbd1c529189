#pragma once

// What the families of rules share to read a key's value: where a value ends in each form it
// stands in (ValueScan.cpp), and the value at a position and its masking (ValueParse.cpp).

#include "masking/CredentialRules.h"
#include "masking/CredentialText.h"
#include "masking/CredentialWords.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace credentials {

const size_t npos = std::string_view::npos;

inline void AddSpan(size_t start, size_t end, CredentialSpans& spans) {
    if (start < end) {
        spans.emplace_back(start, end);
    }
}

enum class ValueStyle {
    Query,      // ?token=…&: ends at & # ; a blank or a quote
    Connection, // Server=…;Password=…;: ends at ; or a closing quote (blanks belong to it)
    Tight,      // password=… or /pass:…: ends at a blank, & ; , | a closing quote or bracket
    Spaced,     // password = … or password: …: runs to the line end, or the next "Name: " field
    Whole, // Authorization: …, Cookie: …, X-Api-Key: …: runs to the line end, or the next
           // "Name: " field
};

struct Value {
    size_t start = 0;
    size_t end = 0;
    size_t after = 0; // where the value's text ends, closing quote included
    bool quoted = false;
    bool found = false;
};

// Which quotes open before a key: only such a quote can close the string a connection-string
// value stands in ("…;Password=p w" failed, but not Token=b c sid='x y').
struct RunOnEnd;

// What the rules before the scan of keys mask in the line: the first count of the line's spans,
// sorted and joined; the scan adds its own after them.
struct MaskedBefore {
    const CredentialSpans* spans = nullptr;
    size_t count = 0;

    // The first of them that ends after at: the one at lies in, or the next.
    CredentialSpans::const_iterator From(size_t at) const;
    CredentialSpans::const_iterator End() const;
    bool Holds(size_t at) const;
};

struct OpenQuotes {
    RunOnEnd* runOn = nullptr; // the scan of keys' last value that ran on to the line end
    MaskedBefore masked;       // what the other rules mask in the line
    size_t keyStart = std::string_view::npos;
    size_t firstDouble = std::string_view::npos;
    size_t firstSingle = std::string_view::npos;

    bool Opened(char quote) const {
        if (keyStart == std::string_view::npos) {
            return true;
        }
        size_t first = quote == '"' ? firstDouble : firstSingle;
        return first != std::string_view::npos && first < keyStart;
    }
    // A quote the scan of keys passed; those within masked values, its own or the other rules',
    // do not count, so that a second pass, which finds a mask in their place, reads the line as
    // the first did.
    void Pass(std::string_view line, size_t at) {
        if (!IsQuote(line[at]) || masked.Holds(at)) {
            return;
        }
        size_t& first = line[at] == '"' ? firstDouble : firstSingle;
        first = std::min(first, at);
    }
};

// Where the last value that runs on to the line end ended: a value of the same form that starts
// within it ends there too, so that keys inside an unmasked value read it once.
struct RunOnEnd {
    size_t from = std::string_view::npos;
    size_t end = 0;
    char enclosing = '\0';
    bool whole = false;
};

bool IsClosingQuote(std::string_view line, size_t at);
size_t FindClosingQuote(std::string_view line, size_t open);
size_t FindClosingBrace(std::string_view line, size_t open);
size_t KeyCharsEnd(std::string_view line, size_t at);
size_t KeySeparator(std::string_view line, size_t keyEnd);
bool StartsKeyedValue(std::string_view line, size_t at, bool weak);
size_t ScanTight(std::string_view line, size_t at);
size_t ScanValue(std::string_view line, size_t at, ValueStyle style, char enclosing,
                 const OpenQuotes& quotes);

Value ParseValue(std::string_view line, size_t at, ValueStyle style, char enclosing, bool equals,
                 const OpenQuotes& quotes = OpenQuotes());
std::string_view FirstWord(std::string_view text);
// A value that is no secret for its key; a session's numbered name (Sess-11) is one.
bool IsStateFor(const KeyClass& key, std::string_view value);
bool MaskValue(std::string_view line, Value& value, ValueStyle style, const KeyClass& key,
               CredentialSpans& spans);

} // namespace credentials
