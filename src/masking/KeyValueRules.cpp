// Keys and their values: one scan of a line's keys for every form (key=value, key: value, JSON,
// YAML, headers, connection strings, query strings; a secret word in free text and a switch with
// FreeTextRules.cpp and SwitchRules.cpp), and its family.

#include "masking/KeyScan.h"

#include "masking/CredentialText.h"
#include "masking/CredentialWords.h"
#include "masking/ValueScan.h"

#include <algorithm>

using namespace credentials;

namespace {

// A value that is not masked is scanned again for keys; one longer than this is skipped, so that
// no part of a line is scanned more than a few times.
const size_t RescanLimit = 64;

// How far after a value a connection-string pair (;Server=) is looked for.
const size_t ConnectionLookahead = 128;

// The word in front of a key, for keys of two words ("session id: …", "API key: …").
std::string_view PreviousWord(std::string_view line, size_t keyStart) {
    if (keyStart < 2 || line[keyStart - 1] != ' ' || !IsLetter(line[keyStart - 2])) {
        return {};
    }
    size_t start = keyStart - 1;
    while (start > 0 && IsLetter(line[start - 1]) && keyStart - start < 24) {
        --start;
    }
    if (start > 0 && IsAlnum(line[start - 1])) {
        return {};
    }
    return line.substr(start, keyStart - 1 - start);
}

bool PrecededBySemicolon(std::string_view line, size_t keyStart) {
    size_t before = SkipBlanksBack(line, keyStart);
    return before > 0 && line[before - 1] == ';';
}

// password=F1rst Pw;Server=db01: a connection-string pair follows the value within reach.
bool ConnectionPairFollows(std::string_view line, size_t at) {
    size_t limit = std::min(line.size(), at + ConnectionLookahead);
    for (size_t i = at; i < limit; ++i) {
        if (line[i] == ';') {
            size_t key = SkipBlanks(line, i + 1);
            size_t keyEnd = key;
            while (keyEnd < line.size() && (IsKeyChar(line[keyEnd]) || line[keyEnd] == ' ') &&
                   keyEnd - key < 40) {
                ++keyEnd;
            }
            return keyEnd > key && IsLetter(line[key]) && keyEnd < line.size() &&
                   line[keyEnd] == '=';
        }
        if (line[i] == '=' || (IsQuote(line[i]) && IsClosingQuote(line, i))) {
            return false;
        }
    }
    return false;
}

// password=a b c at the line start, with nothing after it that reads as another field: an INI or
// .properties value, which runs to the line end.
bool IsLastFieldOfLine(std::string_view line, size_t rawStart, size_t valueAt) {
    if (SkipBlanks(line, 0) != rawStart) {
        return false;
    }
    for (size_t at = valueAt; at < line.size(); ++at) {
        if (line[at] == '=' || (line[at] == ':' && at + 1 < line.size() && IsBlank(line[at + 1]))) {
            return false;
        }
    }
    return true;
}

// What a scan of a line's keys knows beyond the key in hand.
struct KeyScan {
    OpenQuotes quotes;
    bool secretMasked = false; // a secret value came earlier: confirm= repeats it
    RunOnEnd runOn;
};

// The key a form repeats a new password in: confirm=, verify=, password2 is a password key.
bool IsConfirmationKey(std::string_view key) {
    static constexpr std::string_view Words[] = {
        "confirm", "confirmation", "verify", "verification", "repeat", "retype", "again"};
    for (std::string_view word : Words) {
        if (EqualsIgnoringCase(key, word)) {
            return true;
        }
    }
    return false;
}

// The class of a key; after a secret value, a confirmation key names a password.
KeyClass ClassifyScannedKey(std::string_view line, size_t rawStart, std::string_view key,
                            const KeyScan& scan) {
    KeyClass keyClass = ClassifyKey(key, PreviousWord(line, rawStart));
    if (keyClass.kind == KeyKind::None && scan.secretMasked && IsConfirmationKey(key)) {
        keyClass.kind = KeyKind::Password;
    }
    return keyClass;
}

// The first word of a value that runs on to the line end, after the scheme word that
// Authorization keeps: [first, returned end).
size_t RunOnFirstWord(std::string_view line, size_t valueAt, bool keepsScheme, size_t& first) {
    first = valueAt;
    if (keepsScheme) {
        size_t word = valueAt;
        while (word < line.size() && (IsAlnum(line[word]) || IsIn(line[word], "-_"))) {
            ++word;
        }
        if (word > valueAt && word < line.size() && IsBlank(line[word])) {
            first = SkipBlanks(line, word);
        }
    }
    return WordEnd(line, first);
}

// A value that runs on to the line end is no secret when its first word reads as a state:
// password: none given, Authorization: ---. Where that word ends, or npos; the rest is then read
// for keys of its own, as a second pass reads it when the key before was masked as another key's
// value.
size_t RunOnStateEnd(std::string_view line, size_t valueAt, ValueStyle style,
                     const KeyClass& keyClass) {
    if ((style != ValueStyle::Spaced && style != ValueStyle::Whole) || valueAt >= line.size() ||
        IsQuote(line[valueAt]) || IsIn(line[valueAt], "{[\\")) {
        return npos;
    }
    size_t first = valueAt;
    size_t end = RunOnFirstWord(line, valueAt, keyClass.keepsScheme, first);
    return IsStateFor(keyClass, line.substr(first, end - first)) ? end : npos;
}

// The length of [from, to) as a second pass sees it, where each span the other rules mask within
// it is a mask; counted no further than past the rescan limit.
size_t LengthAsMasked(const MaskedBefore& masked, size_t from, size_t to) {
    size_t length = 0;
    size_t at = from;
    auto span = masked.From(from);
    for (; span != masked.End() && span->first < to && length <= RescanLimit; ++span) {
        length += std::max(span->first, at) - at + CredentialMask.size();
        at = std::min(span->second, to);
    }
    return length + (length <= RescanLimit ? to - std::min(at, to) : 0);
}

// One key [keyStart, keyEnd) found at rawStart (before any leading hyphens): its separator and its
// value. Returns where scanning goes on.
size_t MaskKey(std::string_view line, size_t rawStart, size_t keyStart, size_t keyEnd,
               KeyScan& scan, CredentialSpans& spans) {
    const size_t n = line.size();
    std::string_view key = line.substr(keyStart, keyEnd - keyStart);
    char before = rawStart > 0 ? line[rawStart - 1] : '\0';
    bool flag = StartsSwitch(line, rawStart, keyStart);
    size_t at = keyEnd;
    bool quotedKey = false;
    char enclosing = '\0';
    if (IsQuote(before)) {
        if (at < n && line[at] == before) {
            quotedKey = true;
            ++at;
        } else if (at + 1 < n && line[at] == '\\' && line[at + 1] == before) {
            quotedKey = true; // \"password\": inside a JSON string
            at += 2;
        } else {
            enclosing = before;
        }
    } else if (before == '[' && at < n && line[at] == ']') {
        ++at;
    }
    size_t sep = SkipBlanks(line, at);
    size_t sepLength = 0;
    bool equals = false;
    if (sep < n && line[sep] == '=') {
        if (sep + 1 < n && line[sep + 1] == '>') {
            sepLength = 2;
            equals = true;
        } else if (sep + 1 == n || line[sep + 1] != '=') {
            sepLength = 1;
            equals = true;
        }
    } else if (sep < n && line[sep] == ':') {
        if (sep + 1 < n && line[sep + 1] == '=') {
            sepLength = 2;
            equals = true;
        } else if (sep + 1 == n || (line[sep + 1] != ':' && !(line[sep + 1] == '/' && sep + 2 < n &&
                                                              line[sep + 2] == '/'))) {
            sepLength = 1;
        }
    }
    if (sepLength == 0) {
        if (sep == at || quotedKey || sep >= n) {
            return keyEnd;
        }
        if (flag) {
            return MaskFlag(line, key, keyEnd, spans);
        }
        if (before != '<') {
            return MaskFreeText(line, key, PreviousWord(line, rawStart), keyEnd, spans);
        }
        return keyEnd;
    }
    KeyClass keyClass = ClassifyScannedKey(line, rawStart, key, scan);
    if (keyClass.kind == KeyKind::None) {
        return keyEnd;
    }
    size_t valueAt = sep + sepLength;
    bool spaced = valueAt < n && IsBlank(line[valueAt]);
    valueAt = SkipBlanks(line, valueAt);
    if (!equals && !spaced && key.find('.') != npos && valueAt < n && IsDigit(line[valueAt])) {
        return keyEnd; // host:port
    }
    if (spaced && !keyClass.wholeValue && !keyClass.header &&
        StartsKeyedValue(line, valueAt, keyClass.kind == KeyKind::Weak)) {
        return keyEnd; // "password= token=…": the next key, the value is empty
    }
    ValueStyle style = ValueStyle::Tight;
    if (!equals && keyClass.wholeValue) {
        style = ValueStyle::Whole;
    } else if (equals && PrecededBySemicolon(line, rawStart)) {
        style = ValueStyle::Connection;
    } else if (IsIn(before, "?&#")) {
        style = ValueStyle::Query;
    } else if (equals && !spaced && ConnectionPairFollows(line, valueAt)) {
        style = ValueStyle::Connection;
    } else if (quotedKey) {
        style = ValueStyle::Tight; // JSON: an unquoted value is a number, true, false or null
    } else if (!equals && keyClass.header) {
        style = ValueStyle::Whole; // header values run on over = and ;
    } else if (spaced || IsLastFieldOfLine(line, rawStart, valueAt)) {
        style = ValueStyle::Spaced;
    }
    size_t stateEnd = RunOnStateEnd(line, valueAt, style, keyClass);
    if (stateEnd != npos) {
        return std::max(keyEnd, stateEnd);
    }
    OpenQuotes quotes = scan.quotes;
    quotes.keyStart = rawStart;
    quotes.runOn = &scan.runOn;
    Value value = ParseValue(line, valueAt, style, enclosing, equals, quotes);
    if (!value.found) {
        return keyEnd;
    }
    if (value.quoted && value.start > 0) {
        scan.quotes.Pass(line, value.start - 1); // its quotes count, as a second pass finds them
    }
    if (value.quoted && value.end < n) {
        scan.quotes.Pass(line, value.end);
    }
    bool masked = MaskValue(line, value, style, keyClass, spans);
    scan.secretMasked = scan.secretMasked || masked;
    if (masked) {
        return value.after;
    }
    if (!value.quoted && (style == ValueStyle::Spaced || style == ValueStyle::Whole)) {
        size_t first = valueAt; // a value left as it is (one that holds a mask) is read for keys
        return std::max(keyEnd, RunOnFirstWord(line, valueAt, keyClass.keepsScheme, first));
    }
    return LengthAsMasked(scan.quotes.masked, valueAt, value.after) > RescanLimit ? value.after
                                                                                  : keyEnd;
}

} // namespace

namespace credentials {

void ScanKeys(std::string_view line, CredentialSpans& spans) {
    const size_t n = line.size();
    KeyScan scan;
    scan.quotes.masked = {&spans, spans.size()};
    size_t at = 0;
    while (at < n) {
        if (!IsKeyChar(line[at])) {
            scan.quotes.Pass(line, at);
            ++at;
            continue;
        }
        size_t rawStart = at;
        size_t end = KeyCharsEnd(line, at);
        size_t keyStart = rawStart;
        while (keyStart < end && (line[keyStart] == '-' || line[keyStart] == '.')) {
            ++keyStart;
        }
        size_t keyEnd = end;
        while (keyEnd > keyStart && (line[keyEnd - 1] == '-' || line[keyEnd - 1] == '.')) {
            --keyEnd;
        }
        size_t next = end;
        // A run that goes on from a mask is the rest of the masked word, as it was before the
        // mask: no key of its own.
        bool afterMask =
            rawStart >= CredentialMask.size() &&
            line.substr(rawStart - CredentialMask.size(), CredentialMask.size()) == CredentialMask;
        if (!afterMask && keyStart < keyEnd && keyEnd - keyStart <= 128) {
            next = std::max(end, MaskKey(line, rawStart, keyStart, keyEnd, scan, spans));
        }
        at = next;
    }
}

// password=S3cret, ?token=…&, PWD=a;Token=b, Password = p@ss word; in a connection string,
// SERVICEPASSWORD=… on a command line, Property(S): SERVICE_PASSWORD = …, a dictionary
// {Authorization=Bearer …, Accept=*/*}, Password={a;b}}c}, PASSWORD=N'…', [password] => x;
// password: x, YAML token: x, JSON "password": "x" and 'token': 'x', headers X-Api-Key: x and
// Authorization : Basic x (the scheme word stays), Cookie: … to the line end, /pass:x; with
// password 'x', password set to "x", ConvertTo-SecureString 'x', and one made-up word after a
// secret word: using password S3cr3t! (FreeTextRules.cpp); --password x, -Password x, /password x
// (SwitchRules.cpp). One scan of the four forms, so that a quote within a value that one form
// masks counts for none of the others.
void FindKeyValues(std::string_view line, CredentialLineState&, CredentialSpans& spans) {
    ScanKeys(line, spans);
}

} // namespace credentials
