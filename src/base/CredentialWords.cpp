#include "base/CredentialWords.h"

#include "base/CredentialText.h"

#include <cstring>

namespace credentials {
namespace {

// A key counts when its letters and digits, lower-cased, contain one of these (the default
// sensitive fields of error-reporting scrubbers, the keywords of secret scanners, and the key
// names of connection strings, installers and cloud SDKs).
const std::string_view SecretWords[] = {
    "password",   "passwd",          "passwort",      "kennwort",
    "wachtwoord", "motdepasse",      "pwd",           "passphrase",
    "passcode",   "secret",          "token",         "apikey",
    "accesskey",  "accountkey",      "privatekey",    "privkey",
    "secretkey",  "sharedaccesskey", "encryptionkey", "signingkey",
    "masterkey",  "sessionkey",      "authkey",       "licensekey",
    "productkey", "subscriptionkey", "clientkey",     "consumerkey",
    "signature",  "credential",      "sessionid",     "phpsessid",
    "cookie",     "authorization",   "aspxauth",      "xsrf",
    "csrf",       "securestring",    "samlresponse",  "verifier",
};

// More words for header names, which carry hyphens: X-Api-Key, Ocp-Apim-Subscription-Key,
// X-Session, X-Auth. "auth" counts only when no e or o follows (authenticate, authority).
const std::string_view HeaderWords[] = {"key", "session", "auth"};

// More words for the names of cookies and settings that a name key gives: VLSESSION, AuthCookie.
const std::string_view NameWords[] = {"session", "auth"};

// Parts of keys that contain a secret word but name none: blanked out before the search.
const std::string_view NotSecret[] = {
    "publickeytoken", "publickey", "authenticat", "authorit", "tokeniz", "secretar", "sessionidle",
};

// A key whose secret word is followed by one of these names a fact about the secret, not the
// secret: password_length, token_type, PasswordExpires, secretName, cookiePath, tokenUrl.
const std::string_view Modifiers[] = {
    "type",      "kind",     "name",     "len",     "length",  "size",    "count",   "age",
    "expir",     "lifetime", "ttl",      "timeout", "polic",   "mode",    "method",  "format",
    "provider",  "store",    "source",   "file",    "path",    "dir",     "folder",  "url",
    "uri",       "endpoint", "host",     "domain",  "field",   "param",   "prompt",  "hint",
    "label",     "header",   "change",   "last",    "require", "enable",  "disable", "valid",
    "status",    "state",    "strength", "complex", "min",     "max",     "version", "alg",
    "algorithm", "scheme",   "location", "cache",   "reset",   "refresh", "secure",  "httponly",
    "samesite",  "never",    "history",  "rotat",   "used",    "creat",   "issue",   "audience",
    "scope",     "usage",    "prefix",   "manager", "less",    "check",   "rule",
};

// Keys that are a secret word only when they are the whole key or its last part: pass=, db_pass=,
// ftpPass=, auth=, sid=, sig=, key=, code=. Their values may be counts and states as well.
const std::string_view ExactWords[] = {
    "pass", "pw",   "psw",    "pword",   "auth", "sid", "sig",
    "key",  "code", "ticket", "session", "otp",  "jwt", "hmac",
};
// Of these, the ones that name a password (pass=S3cret) but may also count (pass=118 fail=2).
const std::string_view PasswordWords[] = {"pass", "pw", "psw", "pword"};
// Words that end in "pass" (or "pas") and name no password; any other key that does is one (the
// installer's SQLPASS, SMTPPASS, whose capitals show no parts).
const std::string_view NotPassword[] = {"bypass",   "compass",   "surpass", "trespass",
                                        "overpass", "underpass", "sherpas"};
// Of these, the ones that also count as the last part of a camel-case key (ftpPass, UserSID), but
// not key and code (SourceCabKey, ProductCode).
const std::string_view CamelExactWords[] = {
    "pass", "pw", "psw", "auth", "sid", "sig", "ticket", "session", "otp", "jwt", "hmac",
};

// The second word of keys of two words: "session id", "API key", "pass phrase".
const std::string_view CompoundHeads[] = {"id", "key", "phrase", "word"};

const std::string_view NameKeys[] = {
    "key",   "name",      "property", "propertyname", "param",     "parameter", "paramname",
    "field", "fieldname", "setting",  "settingname",  "attribute", "variable",  "var",
};

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

const size_t MaxCompact = 64;

// The letters and digits of a key, lower-cased; false when it has more than MaxCompact.
struct Compact {
    char text[MaxCompact + 1];
    size_t size = 0;

    bool Add(std::string_view key) {
        for (char c : key) {
            if (IsAlnum(c)) {
                if (size == MaxCompact) {
                    return false;
                }
                text[size++] = Lower(c);
            }
        }
        text[size] = '\0';
        return true;
    }
    std::string_view View() const { return std::string_view(text, size); }
};

template <size_t N> bool IsOneOf(std::string_view word, const std::string_view (&words)[N]) {
    for (std::string_view candidate : words) {
        if (word == candidate) {
            return true;
        }
    }
    return false;
}

// What follows the last secret word names a fact about the secret: tokentype, passwordlastset,
// secretspath, passwordhashalgorithm. Modifiers of three letters or less only at its start
// (passwordmin, not passwordadmin).
bool IsModifierRest(std::string_view rest) {
    for (std::string_view modifier : Modifiers) {
        size_t at = rest.find(modifier);
        if (at != std::string_view::npos && (at == 0 || modifier.size() > 3)) {
            return true;
        }
    }
    return false;
}

// The end of the last secret word in the key, 0 when there is none.
template <size_t N>
size_t LastWordEnd(std::string_view compact, const std::string_view (&words)[N], size_t lastEnd) {
    for (std::string_view word : words) {
        size_t length = word.size();
        for (size_t at = compact.find(word); at != std::string_view::npos;
             at = compact.find(word, at + 1)) {
            bool authPrefix = word == "auth" && at + 4 < compact.size() &&
                              (compact[at + 4] == 'e' || compact[at + 4] == 'o');
            if (!authPrefix && at + length > lastEnd) {
                lastEnd = at + length;
            }
        }
    }
    return lastEnd;
}

bool HasHeaderHyphen(std::string_view key) {
    for (size_t i = 1; i + 1 < key.size(); ++i) {
        if (key[i] == '-' && IsAlnum(key[i - 1]) && IsAlnum(key[i + 1])) {
            return true;
        }
    }
    return false;
}

// The last part of a key, after its last _ - . or :.
std::string_view LastPart(std::string_view key) {
    size_t start = key.size();
    while (start > 0 && IsAlnum(key[start - 1])) {
        --start;
    }
    return key.substr(start);
}

// The last camel-case part of a word: Pass of ftpPass, SID of UserSID; empty without a hump.
std::string_view LastCamelPart(std::string_view word) {
    for (size_t i = word.size(); i > 1; --i) {
        char previous = word[i - 2];
        char current = word[i - 1];
        bool lowerToUpper = IsLower(previous) && IsUpper(current);
        bool upperToCapital =
            IsUpper(previous) && IsUpper(current) && i < word.size() && IsLower(word[i]);
        if ((lowerToUpper || upperToCapital) && i >= 3) {
            return word.substr(i - 1);
        }
    }
    return {};
}

bool EqualsWordIn(std::string_view part, const std::string_view* words, size_t count) {
    if (part.empty() || part.size() > 8) {
        return false;
    }
    char lowered[9];
    for (size_t i = 0; i < part.size(); ++i) {
        lowered[i] = Lower(part[i]);
    }
    std::string_view word(lowered, part.size());
    for (size_t i = 0; i < count; ++i) {
        if (word == words[i]) {
            return true;
        }
    }
    return false;
}

// SQLPASS, SMTPPASS, and the cameras' loginpas.
bool EndsInPass(std::string_view compact) {
    bool pass = compact.size() > 4 && compact.substr(compact.size() - 4) == "pass";
    bool pas = compact.size() > 6 && compact.substr(compact.size() - 3) == "pas";
    if (!pass && !pas) {
        return false;
    }
    for (std::string_view word : NotPassword) {
        if (compact.size() >= word.size() && compact.substr(compact.size() - word.size()) == word) {
            return false;
        }
    }
    return true;
}

template <size_t N>
KeyClass ClassifyCompact(std::string_view compactKey, bool header,
                         const std::string_view (&extraWords)[N]) {
    KeyClass result;
    char blanked[MaxCompact + 1];
    compactKey.copy(blanked, compactKey.size());
    std::string_view compact(blanked, compactKey.size());
    for (std::string_view word : NotSecret) {
        size_t length = word.size();
        for (size_t at = compact.find(word); at != std::string_view::npos;
             at = compact.find(word, at + length)) {
            memset(blanked + at, ' ', length);
        }
    }
    size_t lastEnd = LastWordEnd(compact, SecretWords, 0);
    if (header) {
        lastEnd = LastWordEnd(compact, extraWords, lastEnd);
    }
    if (lastEnd > 0 && !IsModifierRest(compact.substr(lastEnd))) {
        result.kind = KeyKind::Strong;
    }
    result.keepsScheme = compact.find("authorization") != std::string_view::npos;
    result.wholeValue = result.keepsScheme || compact == "cookie" || compact == "setcookie";
    result.header = header;
    return result;
}

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
    static const Wrapper Wrappers[] = {
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

bool IsAll(std::string_view value, bool (*test)(char)) {
    for (char c : value) {
        if (!test(c)) {
            return false;
        }
    }
    return !value.empty();
}

bool IsNumberLike(std::string_view value) {
    size_t at = value[0] == '-' || value[0] == '+' ? 1 : 0;
    if (at >= value.size() || !IsDigit(value[at])) {
        return false;
    }
    if (MatchesAt(value, at, "0x")) {
        return IsAll(value.substr(at + 2), IsHexDigit);
    }
    size_t digitsEnd = at;
    while (digitsEnd < value.size() &&
           (IsDigit(value[digitsEnd]) || IsIn(value[digitsEnd], ".,:-/"))) {
        ++digitsEnd;
    }
    // a unit after the number: 30s, 20m, 512KB
    size_t unit = value.size() - digitsEnd;
    return unit <= 3 && IsAll(value.substr(digitsEnd), IsLetter) == (unit > 0);
}

// 2.4.17, 2.4.17-release, 10.0.19045+build.7: a version, with a pre-release or build label.
bool IsVersion(std::string_view value) {
    size_t at = 0;
    size_t dots = 0;
    while (at < value.size() && (IsDigit(value[at]) || (at > 0 && value[at] == '.'))) {
        dots += value[at] == '.' ? 1 : 0;
        ++at;
    }
    if (dots == 0 || !IsDigit(value[at - 1])) {
        return false;
    }
    if (at == value.size()) {
        return true;
    }
    std::string_view label = value.substr(at + 1);
    return IsIn(value[at], "-+") && !label.empty() &&
           IsAll(label, [](char c) { return IsAlnum(c) || c == '.' || c == '-'; });
}

// /etc/velmont/site.key, ./certs/site.pem: a path of the build machine's kind.
bool IsUnixPath(std::string_view value) {
    size_t slashes = 0;
    for (char c : value) {
        if (!IsAlnum(c) && !IsIn(c, "._/-")) {
            return false;
        }
        slashes += c == '/' ? 1 : 0;
    }
    return (value[0] == '/' || value.substr(0, 2) == "./" || value.substr(0, 3) == "../") &&
           slashes >= 2;
}

bool IsWindowsSid(std::string_view value) {
    if (!MatchesAt(value, 0, "s-1-") || value.size() < 5) {
        return false;
    }
    for (char c : value.substr(4)) {
        if (!IsDigit(c) && c != '-') {
            return false;
        }
    }
    return true;
}

bool IsGuid(std::string_view value) {
    if (value.size() == 38 && value.front() == '{' && value.back() == '}') {
        value = value.substr(1, 36);
    }
    if (value.size() != 36) {
        return false;
    }
    for (size_t i = 0; i < value.size(); ++i) {
        bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash ? value[i] != '-' : !IsHexDigit(value[i])) {
            return false;
        }
    }
    return true;
}

size_t LowerToUpperSteps(std::string_view value) {
    size_t steps = 0;
    for (size_t i = 1; i < value.size(); ++i) {
        if (IsLower(value[i - 1]) && IsUpper(value[i])) {
            ++steps;
        }
    }
    return steps;
}

// Letters, joined by _ or - at most: NTLM, Negotiate, resumed, E_FAIL, en-US; not dXNlcjpw.
bool IsPlainWord(std::string_view value) {
    for (char c : value) {
        if (!IsLetter(c) && c != '_' && c != '-') {
            return false;
        }
    }
    return LowerToUpperSteps(value) <= 1;
}

// Words in camel case, each hump a word with a vowel: PasswordMinLength, SmtpHost; not the
// letters of base64 (dXNlcjpwYXNz).
bool IsCamelWords(std::string_view value) {
    size_t part = 0;
    for (size_t i = 0; i <= value.size(); ++i) {
        if (i == value.size() || (i > part && IsUpper(value[i]) && IsLower(value[i - 1]))) {
            std::string_view word = value.substr(part, i - part);
            if (word.size() >= 3 && word.find_first_of("aeiouyAEIOUY") == std::string_view::npos) {
                return false;
            }
            part = i;
            continue;
        }
        if (!IsLetter(value[i])) {
            return false;
        }
    }
    return !value.empty();
}

// A word and a number after it: OAuth2, NTLMv2, SHA256, INC0012345, TCK-1042, srv01.
bool IsWordWithNumber(std::string_view value) {
    size_t digits = value.size();
    while (digits > 0 && IsDigit(value[digits - 1])) {
        --digits;
    }
    size_t word = digits > 0 && IsIn(value[digits - 1], "-_#") ? digits - 1 : digits;
    std::string_view letters = value.substr(0, word);
    return word > 0 && digits < value.size() &&
           (IsCamelWords(letters) || (letters.size() <= 6 && IsAll(letters, IsUpper)));
}

// Plain words joined by / + or , (Kerberos/NTLM, Basic+Digest, Home/Shop): not the letters of
// base64 (dXNl/cjpw), whose humps have no vowel.
bool IsWordList(std::string_view value) {
    size_t start = 0;
    for (size_t i = 0; i <= value.size(); ++i) {
        if (i < value.size() && !IsIn(value[i], "/+,")) {
            continue;
        }
        std::string_view word = value.substr(start, i - start);
        bool upper = IsAll(word, IsUpper);
        if (!IsPlainWord(word) || !(upper || IsCamelWords(word))) {
            return false;
        }
        start = i + 1;
    }
    return true;
}

// Names with dots and no digit (smtp.tessaly.example), or a file name with a letter extension
// (VLLib.dll, report.pdf).
bool IsDottedName(std::string_view value) {
    size_t dot = value.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == value.size()) {
        return false;
    }
    bool digits = false;
    for (char c : value) {
        if (!IsAlnum(c) && c != '.' && c != '-' && c != '_') {
            return false;
        }
        digits = digits || IsDigit(c);
    }
    std::string_view extension = value.substr(dot + 1);
    return !digits ||
           (value.find('.') == dot && extension.size() <= 4 && IsAll(extension, IsLetter));
}

bool LooksLikeToken(std::string_view value) {
    bool digit = false;
    bool letter = false;
    bool symbol = false;
    for (char c : value) {
        digit = digit || IsDigit(c);
        letter = letter || IsLetter(c);
        symbol = symbol || IsIn(c, "+/=%~!@#$^&*?");
    }
    size_t size = value.size();
    return size >= 20 || (size >= 6 && digit && letter) ||
           (size >= 6 && symbol && (digit || letter)) ||
           (size >= 8 && LowerToUpperSteps(value) >= 2);
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

KeyClass ClassifyKey(std::string_view key, std::string_view before) {
    Compact compact;
    if (!compact.Add(key) || compact.size == 0) {
        return {};
    }
    bool header = HasHeaderHyphen(key);
    KeyClass result = ClassifyCompact(compact.View(), header, HeaderWords);
    if (result.kind == KeyKind::Strong) {
        return result;
    }
    if (!before.empty() && IsOneOf(compact.View(), CompoundHeads)) {
        Compact compound;
        if (compound.Add(before) && compound.Add(key)) {
            KeyClass twoWords = ClassifyCompact(compound.View(), false, HeaderWords);
            if (twoWords.kind == KeyKind::Strong) {
                return twoWords;
            }
        }
    }
    std::string_view last = LastPart(key);
    const size_t exactCount = sizeof ExactWords / sizeof ExactWords[0];
    const size_t camelCount = sizeof CamelExactWords / sizeof CamelExactWords[0];
    const size_t passwordCount = sizeof PasswordWords / sizeof PasswordWords[0];
    std::string_view camel = LastCamelPart(last);
    if (IsOneOf(compact.View(), PasswordWords) ||
        EqualsWordIn(last, PasswordWords, passwordCount) ||
        EqualsWordIn(camel, PasswordWords, passwordCount) || EndsInPass(compact.View())) {
        result.kind = KeyKind::Password;
    } else if (IsOneOf(compact.View(), ExactWords) || EqualsWordIn(last, ExactWords, exactCount) ||
               EqualsWordIn(camel, CamelExactWords, camelCount)) {
        result.kind = KeyKind::Weak;
    }
    return result;
}

KeyKind ClassifyName(std::string_view name) {
    Compact compact;
    if (name.find("****") != std::string_view::npos || !compact.Add(name) || compact.size == 0) {
        return KeyKind::None;
    }
    KeyKind kind = ClassifyCompact(compact.View(), true, NameWords).kind;
    std::string_view view = compact.View();
    if (kind == KeyKind::None && view.size() > 3 && view.substr(view.size() - 3) == "key") {
        return KeyKind::Weak; // StorageKey, HmacKey; RegistryKey and HotKey hold no token
    }
    return kind == KeyKind::None ? ClassifyKey(name).kind : kind;
}

bool IsNameKey(std::string_view key) {
    Compact compact;
    return compact.Add(key) && IsOneOf(compact.View(), NameKeys);
}

bool IsValueKey(std::string_view key) {
    return EqualsIgnoringCase(key, "value") || EqualsIgnoringCase(key, "val");
}

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

bool LooksLikeSecretWord(std::string_view word) {
    while (!word.empty() && IsIn(word.back(), ".,;:!?)")) {
        word.remove_suffix(1);
    }
    if (word.size() < 6 || word.size() > 128) {
        return false;
    }
    bool digit = false;
    bool letter = false;
    for (char c : word) {
        if (IsIn(c, "=:<>\"'(")) {
            return false;
        }
        digit = digit || IsDigit(c);
        letter = letter || IsLetter(c);
    }
    return digit && letter && !IsStateValue(word, KeyKind::Strong);
}

bool IsBase64Reply(std::string_view word) {
    size_t end = Base64PaddingStart(word);
    if (word.size() < 4 || end == 0) {
        return false;
    }
    bool digitOrSign = end < word.size();
    bool lower = false;
    bool upper = false;
    for (size_t i = 0; i < end; ++i) {
        char c = word[i];
        if (!IsBase64Char(c)) {
            return false;
        }
        digitOrSign = digitOrSign || IsDigit(c) || c == '+' || c == '/';
        lower = lower || IsLower(c);
        upper = upper || IsUpper(c);
    }
    return digitOrSign || (lower && upper);
}

bool IsHighEntropyRun(std::string_view word) {
    if (word.size() < 20) {
        return false;
    }
    size_t digits = 0;
    size_t letters = 0;
    for (char c : word) {
        if (!IsAlnum(c)) {
            return false;
        }
        digits += IsDigit(c) ? 1 : 0;
        letters += IsLetter(c) ? 1 : 0;
    }
    return digits >= 3 && letters >= 3;
}

} // namespace credentials
