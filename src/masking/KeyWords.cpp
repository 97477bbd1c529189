// Which keys name a secret: the secret words, the words after them that name a fact about the
// secret, the short exact words, and the name keys beside a value.

#include "masking/CredentialWords.h"

#include "masking/CredentialText.h"

#include <cstdint>
#include <cstring>
#include <iterator>

namespace credentials {

namespace {

// The letters and digits of a lower-case text, a bit each. A word can stand in a key only when
// the key holds each of its letters: asked first, this spares most of the searches below.
constexpr uint64_t LettersIn(std::string_view text) {
    uint64_t letters = 0;
    for (char c : text) {
        if (c >= 'a' && c <= 'z') {
            letters |= uint64_t{1} << (c - 'a');
        } else if (c >= '0' && c <= '9') {
            letters |= uint64_t{1} << (26 + c - '0');
        }
    }
    return letters;
}

// A list of words with the letters of each.
template <size_t N> struct WordList {
    std::string_view words[N];
    uint64_t letters[N];

    constexpr explicit WordList(const std::string_view (&list)[N]) : words(), letters() {
        for (size_t i = 0; i < N; ++i) {
            words[i] = list[i];
            letters[i] = LettersIn(list[i]);
        }
    }
    constexpr bool MayStandIn(size_t word, uint64_t textLetters) const {
        return (letters[word] & ~textLetters) == 0;
    }
};

// A key counts when its letters and digits, lower-cased, contain one of these (the default
// sensitive fields of error-reporting scrubbers, the keywords of secret scanners, and the key
// names of connection strings, installers and cloud SDKs).
constexpr std::string_view SecretWords[] = {
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
constexpr std::string_view HeaderWords[] = {"key", "session", "auth"};

// More words for the names of cookies and settings that a name key gives: VLSESSION, AuthCookie.
constexpr std::string_view NameWords[] = {"session", "auth"};

// Parts of keys that contain a secret word but name none: blanked out before the search.
constexpr std::string_view NotSecret[] = {
    "publickeytoken", "publickey", "authenticat", "authorit", "tokeniz", "secretar", "sessionidle",
};

// A key whose secret word is followed by one of these names a fact about the secret, not the
// secret: password_length, token_type, PasswordExpires, secretName, cookiePath, tokenUrl.
constexpr std::string_view Modifiers[] = {
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

constexpr WordList SecretWordList(SecretWords);
constexpr WordList HeaderWordList(HeaderWords);
constexpr WordList NameWordList(NameWords);
constexpr WordList NotSecretList(NotSecret);
constexpr WordList ModifierList(Modifiers);

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

// What follows the last secret word names a fact about the secret: tokentype, passwordlastset,
// secretspath, passwordhashalgorithm. Modifiers of three letters or less only at its start
// (passwordmin, not passwordadmin).
bool IsModifierRest(std::string_view rest) {
    uint64_t letters = LettersIn(rest);
    for (size_t i = 0; i < std::size(Modifiers); ++i) {
        if (!ModifierList.MayStandIn(i, letters)) {
            continue;
        }
        std::string_view modifier = Modifiers[i];
        size_t at = rest.find(modifier);
        if (at != std::string_view::npos && (at == 0 || modifier.size() > 3)) {
            return true;
        }
    }
    return false;
}

// The end of the last word of the list in the key, 0 when there is none.
template <size_t N>
size_t LastWordEnd(std::string_view compact, uint64_t letters, const WordList<N>& list,
                   size_t lastEnd) {
    for (size_t i = 0; i < N; ++i) {
        if (!list.MayStandIn(i, letters)) {
            continue;
        }
        std::string_view word = list.words[i];
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
KeyClass ClassifyCompact(std::string_view compactKey, bool header, const WordList<N>& extraWords) {
    KeyClass result;
    char blanked[MaxCompact + 1];
    compactKey.copy(blanked, compactKey.size());
    std::string_view compact(blanked, compactKey.size());
    uint64_t letters = LettersIn(compact);
    for (size_t i = 0; i < std::size(NotSecret); ++i) {
        std::string_view word = NotSecret[i];
        size_t length = word.size();
        for (size_t at = NotSecretList.MayStandIn(i, letters) ? compact.find(word)
                                                              : std::string_view::npos;
             at != std::string_view::npos; at = compact.find(word, at + length)) {
            memset(blanked + at, ' ', length);
        }
    }
    size_t lastEnd = LastWordEnd(compact, letters, SecretWordList, 0);
    if (header) {
        lastEnd = LastWordEnd(compact, letters, extraWords, lastEnd);
    }
    if (lastEnd > 0 && !IsModifierRest(compact.substr(lastEnd))) {
        result.kind = KeyKind::Strong;
    }
    result.keepsScheme = compact.find("authorization") != std::string_view::npos;
    result.wholeValue = result.keepsScheme || compact == "cookie" || compact == "setcookie";
    result.header = header;
    return result;
}

} // namespace

KeyClass ClassifyKey(std::string_view key, std::string_view before) {
    Compact compact;
    // A key of one letter or digit holds no secret word, no exact word and no compound's head.
    if (!compact.Add(key) || compact.size < 2) {
        return {};
    }
    bool header = HasHeaderHyphen(key);
    KeyClass result = ClassifyCompact(compact.View(), header, HeaderWordList);
    if (result.kind == KeyKind::Strong) {
        return result;
    }
    if (!before.empty() && IsOneOf(compact.View(), CompoundHeads)) {
        Compact compound;
        if (compound.Add(before) && compound.Add(key)) {
            KeyClass twoWords = ClassifyCompact(compound.View(), false, HeaderWordList);
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
        result.session = compact.View() == "session";
    }
    return result;
}

KeyKind ClassifyName(std::string_view name) {
    Compact compact;
    if (name.find("****") != std::string_view::npos || !compact.Add(name) || compact.size == 0) {
        return KeyKind::None;
    }
    KeyKind kind = ClassifyCompact(compact.View(), true, NameWordList).kind;
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

} // namespace credentials
