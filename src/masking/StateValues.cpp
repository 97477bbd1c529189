// Values that are no secret: empty, masked, placeholders, state words, paths, and for weak and
// password keys numbers and plain words.

#include "masking/CredentialWords.h"

#include "masking/CredentialText.h"
#include "masking/ValueShapes.h"

namespace credentials {

namespace {

// Values that read as a state, not a secret, for any key (compared without case, blanks,
// hyphens and underscores): password=none, token=missing, session=resumed, auth=NTLM.
const std::string_view StateWords[] = {
    "none",        "null",        "nil",        "empty",      "blank",
    "missing",     "unset",       "notset",     "undefined",  "unknown",
    "unavailable", "na",          "hidden",     "masked",     "redacted",
    "removed",     "omitted",     "suppressed", "required",   "optional",
    "invalid",     "valid",       "expired",    "revoked",    "present",
    "absent",      "set",         "ok",         "yes",        "no",
    "true",        "false",       "on",         "off",        "enabled",
    "disabled",    "default",     "auto",       "automatic",  "resumed",
    "new",         "reused",      "renewed",    "refreshed",  "cached",
    "stored",      "saved",       "pending",    "accepted",   "rejected",
    "denied",      "granted",     "failed",     "changed",    "unchanged",
    "sent",        "received",    "anonymous",  "basic",      "bearer",
    "digest",      "ntlm",        "negotiate",  "kerberos",   "oauth",
    "plain",       "login",       "windows",    "integrated", "sspi",
    "sso",         "encrypted",   "protected",  "configured", "notconfigured",
    "provided",    "supplied",    "generated",  "random",     "prompt",
    "inherited",   "notrequired", "notsent",    "notfound",
};

bool IsStateWord(std::string_view value) {
    char normal[24];
    size_t size = 0;
    for (char c : value) {
        if (c == ' ' || c == '-' || c == '_' || c == '/') {
            continue;
        }
        if (!IsLetter(c) || size == sizeof normal) {
            return false;
        }
        normal[size++] = Lower(c);
    }
    std::string_view word(normal, size);
    return size > 0 && IsOneOf(word, StateWords);
}

bool IsIdentifierText(std::string_view text) {
    for (char c : text) {
        if (!IsAlnum(c) && c != '_' && c != ' ' && c != '.' && c != ':' && c != '-' && c != '/') {
            return false;
        }
    }
    return true;
}

// <none>, (null), [REDACTED], ${SMTP_PASSWORD}, $(Password), {{secret}}, %SMTP_PASSWORD%.
bool IsPlaceholder(std::string_view value) {
    struct Wrapper {
        std::string_view open;
        std::string_view close;
    };
    static constexpr Wrapper Wrappers[] = {
        {"${", "}"}, {"$(", ")"}, {"{{", "}}"}, {"<", ">"}, {"(", ")"}, {"[", "]"}, {"%", "%"},
    };
    for (const Wrapper& wrapper : Wrappers) {
        size_t open = wrapper.open.size();
        size_t close = wrapper.close.size();
        if (value.size() > open + close && value.substr(0, open) == wrapper.open &&
            value.substr(value.size() - close) == wrapper.close) {
            return IsIdentifierText(value.substr(open, value.size() - open - close));
        }
    }
    return false;
}

// YOUR_API_KEY, CHANGE_ME, SMTP_PASSWORD: a name that stands for a value to be filled in.
bool IsUpperName(std::string_view value) {
    bool underscore = false;
    for (char c : value) {
        if (!IsUpper(c) && c != '_') {
            return false;
        }
        underscore = underscore || c == '_';
    }
    return underscore && value.size() >= 5 && value.front() != '_' && value.back() != '_';
}

// \u002B: how JSON writers escape + < > & ' and every character outside ASCII.
bool StartsWithUnicodeEscape(std::string_view value) {
    if (value.size() < 6 || value[0] != '\\' || value[1] != 'u') {
        return false;
    }
    for (size_t i = 2; i < 6; ++i) {
        if (!IsHexDigit(value[i])) {
            return false;
        }
    }
    return true;
}

bool IsPath(std::string_view value) {
    if (value.size() >= 3 && IsLetter(value[0]) && value[1] == ':' &&
        (value[2] == '\\' || value[2] == '/')) {
        return true;
    }
    if (value.substr(0, 2) == "\\\\" || MatchesAt(value, 0, "hklm\\") ||
        MatchesAt(value, 0, "hkcu\\") || MatchesAt(value, 0, "hkey_")) {
        return true;
    }
    if (value.size() >= 2 && value[0] == '\\' && IsLetter(value[1]) &&
        !StartsWithUnicodeEscape(value)) {
        return true;
    }
    if (value.size() >= 3 && value[0] == '%') {
        size_t close = value.find('%', 1);
        return close != std::string_view::npos && close + 1 < value.size() &&
               value[close + 1] == '\\';
    }
    return false;
}

std::string_view TrimValue(std::string_view value) {
    size_t start = 0;
    size_t end = value.size();
    while (start < end && IsBlank(value[start])) {
        ++start;
    }
    while (end > start && (IsBlank(value[end - 1]) || IsIn(value[end - 1], ".,;:!?"))) {
        --end;
    }
    return value.substr(start, end - start);
}

} // namespace

bool IsStateValue(std::string_view value, KeyKind kind) {
    std::string_view whole = value;
    while (!whole.empty() && IsBlank(whole.front())) {
        whole.remove_prefix(1);
    }
    while (!whole.empty() && IsBlank(whole.back())) {
        whole.remove_suffix(1);
    }
    value = TrimValue(value);
    if (value.empty()) {
        return true;
    }
    bool allStars = true;
    bool allX = value.size() >= 3;
    bool allDashes = true; // "-": a log's way to say "no value"
    for (char c : value) {
        allStars = allStars && c == '*';
        allX = allX && (c == 'x' || c == 'X');
        allDashes = allDashes && c == '-';
    }
    // A value that holds a mask was masked before (where its form ended it, or by a product that
    // shows a few characters, ****1234): a second pass leaves it as the first left it.
    bool masked = value.find("****") != std::string_view::npos;
    if (allStars || masked || allX || allDashes || IsPlaceholder(value) || IsUpperName(value) ||
        IsStateWord(value) || IsPath(value)) {
        return true;
    }
    if (kind == KeyKind::Strong) {
        return value.size() <= 2 && IsAll(value, IsDigit);
    }
    if (kind == KeyKind::Password) {
        return IsNumberLike(value);
    }
    return IsPlainWord(value) || IsCamelWords(value) || IsWordWithNumber(value) ||
           IsWordList(value) || IsNumberLike(value) || IsVersion(value) || IsWindowsSid(value) ||
           IsGuid(value) || IsUnixPath(value) || value.find('\\') != std::string_view::npos ||
           IsDottedName(value) || !LooksLikeToken(whole);
}

bool IsNumberedName(std::string_view value) {
    value = TrimValue(value);
    size_t joint = value.find_last_of("-_");
    return joint != std::string_view::npos && IsWordWithNumber(value) &&
           IsAll(value.substr(joint + 1), IsDigit);
}

} // namespace credentials
