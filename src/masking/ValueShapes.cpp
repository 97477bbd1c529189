// The shapes of values: numbers, versions, identifiers, words and names, which read as no
// secret for a weak key, and the shapes of tokens, made-up words and base64.

#include "masking/ValueShapes.h"

#include "masking/CredentialText.h"
#include "masking/CredentialWords.h"

namespace credentials {

namespace {

size_t LowerToUpperSteps(std::string_view value) {
    size_t steps = 0;
    for (size_t i = 1; i < value.size(); ++i) {
        if (IsLower(value[i - 1]) && IsUpper(value[i])) {
            ++steps;
        }
    }
    return steps;
}

} // namespace

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

bool IsBase64Body(std::string_view word) {
    size_t end = Base64PaddingStart(word);
    if (end < 4) {
        return false;
    }
    for (size_t i = 0; i < end; ++i) {
        if (!IsBase64Char(word[i])) {
            return false;
        }
    }
    return true;
}

} // namespace credentials
