// Names beside values: a name key whose value names a secret and the value beside it (XML
// attributes, JSON objects, installer calls), XML elements named after a secret, and reg query's
// name, type and value.

#include "masking/CredentialRules.h"

#include "masking/CredentialText.h"
#include "masking/CredentialWords.h"
#include "masking/ValueScan.h"

#include <algorithm>

using namespace credentials;

namespace {

// The longest name a name key gives (SmtpPassword, mail.smtp.password, ProxyPassword).
const size_t MaxName = 48;

// The value that belongs to a secret name found before from: a value= or Value: key, or the
// content of the element the name stands in. Stops at the end of the element, object or call, at
// a mask, or at the next name. Returns where it stopped.
size_t MaskNamedValue(std::string_view line, size_t from, KeyKind kind, CredentialSpans& spans) {
    const size_t n = line.size();
    size_t at = from;
    while (at < n) {
        char c = line[at];
        if (c == '}' || c == ')' || (c == '/' && at + 1 < n && line[at + 1] == '>') ||
            MatchesExactlyAt(line, at, CredentialMask)) {
            return at; // a mask may hide the end of the element
        }
        if (c == '>') {
            size_t start = at + 1;
            if (MatchesAt(line, start, "<value>")) {
                start += 7;
            }
            size_t end;
            if (MatchesAt(line, start, "<![cdata[")) {
                start += 9;
                end = line.find("]]>", start);
            } else if (start < n && line[start] == '<') {
                return start;
            } else {
                end = line.find('<', start);
            }
            end = end == npos ? n : end;
            if (!IsStateValue(line.substr(start, end - start), kind)) {
                AddSpan(start, SkipBlanksBack(line, end), spans);
            }
            return end;
        }
        if (IsQuote(c)) {
            size_t close = FindClosingQuote(line, at);
            if (close >= n || line.substr(at, close - at).find(CredentialMask) != npos) {
                return at; // a quote that no other closes, or whose closing quote a mask may hide
            }
            size_t keyEnd = at + 1;
            while (keyEnd < close && IsKeyChar(line[keyEnd])) {
                ++keyEnd;
            }
            size_t sep = close < n ? SkipBlanks(line, close + 1) : n;
            if (keyEnd == close && keyEnd > at + 1 && sep < n && IsIn(line[sep], ":=")) {
                ++at; // a quoted key: "value": …
            } else {
                at = close + 1;
                continue;
            }
        }
        if (!IsKeyChar(line[at])) {
            ++at;
            continue;
        }
        size_t keyEnd = KeyCharsEnd(line, at);
        std::string_view key = line.substr(at, keyEnd - at);
        size_t sep = KeySeparator(line, keyEnd);
        if (sep != npos && IsValueKey(key)) {
            size_t valueAt = sep + 1;
            bool spaced = valueAt < n && IsBlank(line[valueAt]);
            valueAt = SkipBlanks(line, valueAt);
            ValueStyle style = spaced ? ValueStyle::Spaced : ValueStyle::Tight;
            Value value = ParseValue(line, valueAt, style, '\0', line[sep] == '=');
            if (value.found) {
                KeyClass secret;
                secret.kind = kind;
                MaskValue(line, value, style, secret, spans);
            }
            return value.found ? value.after : keyEnd;
        }
        if (sep != npos && IsNameKey(key)) {
            return at;
        }
        at = keyEnd;
    }
    return n;
}

// The > that ends a tag from at, past its quoted attribute values; the line end, or the mask, when
// the tag meets one: a mask may hide quotes that paired otherwise before. A quote that no other
// closes ends the tag there, and is remembered (unclosed) so that no later tag reads on from it.
size_t TagEnd(std::string_view line, size_t at, size_t& unclosed) {
    while (at < line.size() && line[at] != '>' && line[at] != '<') {
        if (IsQuote(line[at]) && at > unclosed) {
            return at;
        }
        if (MatchesExactlyAt(line, at, CredentialMask)) {
            return line.size(); // it may hide the < of the next tag, or this one's >
        }
        size_t next = IsQuote(line[at]) ? FindClosingQuote(line, at) + 1 : at + 1;
        if (next > line.size()) {
            unclosed = at;
            return at;
        }
        if (line.substr(at, next - at).find('<') != npos) {
            return at; // an attribute value holds no <: the tag is broken, and the < starts the
                       // next
        }
        if (line.substr(at, next - at).find(CredentialMask) != npos) {
            return line.size();
        }
        at = next;
    }
    return at;
}

// The value of a name key that may be a name: one of at most MaxName characters, and no run of
// keys and values (key=key=…, name=a=b) unless quoted.
bool IsName(std::string_view line, const Value& name) {
    if (!name.found || name.end <= name.start || name.end - name.start > MaxName) {
        return false;
    }
    return name.quoted || line.substr(name.start, name.end - name.start).find('=') == npos;
}

// What the name beside a name key names; nothing when the name key is itself a secret key (key)
// whose value the scan of keys takes for a secret: that masks it, and a masked name names nothing.
KeyKind NameKind(std::string_view nameKey, std::string_view name) {
    KeyKind kind = ClassifyName(name);
    if (kind == KeyKind::None) {
        return kind;
    }
    KeyKind keyKind = ClassifyKey(nameKey).kind;
    return keyKind != KeyKind::None && !IsStateValue(name, keyKind) ? KeyKind::None : kind;
}

} // namespace

namespace credentials {

// A name key (key, name, property, param) whose value names a secret, and the value beside it:
// <add key="SmtpPassword" value="…"/>, <setting name="ProxyPassword" …><value>…</value>,
// <entry key="mail.password">…</entry>, {"Name":"Password","Value":"…"}, the installer's
// RegAddValue(Name=ProxyPassword,Value=…,) and "Key: Password, Value: …".
void FindNamedValues(std::string_view line, CredentialLineState&, CredentialSpans& spans) {
    const size_t n = line.size();
    // A plain run read to MaxName characters without an end: no name starts in it before its
    // last MaxName characters either (name=name=name=…), so none is read again.
    size_t runOnUntil = 0;
    size_t at = 0;
    while (at < n) {
        if (!IsKeyChar(line[at])) {
            ++at;
            continue;
        }
        size_t keyEnd = KeyCharsEnd(line, at);
        size_t next = keyEnd;
        size_t sep = IsNameKey(line.substr(at, keyEnd - at)) ? KeySeparator(line, keyEnd) : npos;
        size_t valueAt = sep == npos ? n : SkipBlanks(line, sep + 1);
        if (valueAt + MaxName < runOnUntil) {
            sep = npos;
        }
        if (sep != npos) {
            std::string_view reach = line.substr(0, valueAt + MaxName + 1);
            Value name = ParseValue(reach, valueAt, ValueStyle::Tight, '\0', false);
            if (IsName(line, name)) {
                KeyKind kind = NameKind(line.substr(at, keyEnd - at),
                                        line.substr(name.start, name.end - name.start));
                if (kind != KeyKind::None) {
                    next = std::max(name.after, MaskNamedValue(line, name.after, kind, spans));
                }
            } else if (name.found && !name.quoted && name.end == reach.size()) {
                size_t end = ScanTight(line, valueAt);
                bool plain = line.substr(valueAt, end - valueAt).find_first_of("([{") == npos;
                runOnUntil = plain ? end : runOnUntil;
            }
        }
        at = next;
    }
}

// <Password>…</Password>, <wsse:Password Type="…">…</wsse:Password>, <ApiToken>…</ApiToken>,
// <Password><![CDATA[…]]></Password>: the content of an element whose name is a secret key.
void FindXmlElements(std::string_view line, CredentialLineState&, CredentialSpans& spans) {
    const size_t n = line.size();
    size_t unclosed = npos;
    size_t next = 0;
    for (size_t at = line.find('<'); at != npos; at = line.find('<', next)) {
        next = at + 1;
        size_t nameStart = at + 1;
        size_t nameEnd = nameStart;
        while (nameEnd < n && (IsKeyChar(line[nameEnd]) || line[nameEnd] == ':')) {
            ++nameEnd;
        }
        if (nameEnd == nameStart || !IsLetter(line[nameStart])) {
            continue;
        }
        size_t local = nameEnd;
        while (local > nameStart && line[local - 1] != ':') {
            --local;
        }
        KeyClass keyClass = ClassifyKey(line.substr(local, nameEnd - local));
        if (keyClass.kind == KeyKind::None) {
            continue;
        }
        size_t close = TagEnd(line, nameEnd, unclosed);
        next = std::max(next, std::min(close, n));
        if (close >= n || line[close] != '>' || line[close - 1] == '/') {
            continue;
        }
        size_t start = close + 1;
        size_t end;
        if (MatchesAt(line, start, "<![cdata[")) {
            start += 9;
            end = line.find("]]>", start);
        } else if (MatchesAt(line, start, "<value>")) {
            start += 7;
            end = line.find('<', start);
        } else {
            end = line.find('<', start);
        }
        end = end == npos ? n : end;
        next = std::max(next, end);
        std::string_view content = line.substr(start, end - start);
        if (!IsStateValue(content, keyClass.kind)) {
            AddSpan(SkipBlanks(line, start), SkipBlanksBack(line, end), spans);
        }
    }
}

// The output of reg query: "    ProxyPassword    REG_SZ    value".
void FindRegistryValues(std::string_view line, CredentialLineState&, CredentialSpans& spans) {
    static constexpr std::string_view Types[] = {"REG_SZ", "REG_EXPAND_SZ", "REG_MULTI_SZ"};
    for (std::string_view type : Types) {
        for (size_t at = line.find(type); at != npos; at = line.find(type, at + type.size())) {
            size_t typeEnd = at + type.size();
            if (at == 0 || !IsBlank(line[at - 1]) || typeEnd >= line.size() ||
                !IsBlank(line[typeEnd])) {
                continue;
            }
            size_t nameEnd = SkipBlanksBack(line, at);
            size_t nameStart = WordStartBack(line, nameEnd);
            if (ClassifyName(line.substr(nameStart, nameEnd - nameStart)) != KeyKind::Strong) {
                continue;
            }
            size_t start = SkipBlanks(line, typeEnd);
            size_t end = SkipBlanksBack(line, line.size());
            if (start < end && !IsStateValue(line.substr(start, end - start), KeyKind::Strong)) {
                AddSpan(start, end, spans);
            }
            return; // the value runs to the line end
        }
    }
}

} // namespace credentials
