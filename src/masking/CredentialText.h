#pragma once

// Character classes and small scans that the credential rules share. ASCII only: a byte of a
// UTF-8 character is none of letter, digit or blank, so it may stand in a value but never in a key.

#include <cstddef>
#include <string_view>

namespace credentials {

inline bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

inline bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

inline bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

inline bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

inline bool IsLower(char c) {
    return c >= 'a' && c <= 'z';
}

inline bool IsLetter(char c) {
    return IsUpper(c) || IsLower(c);
}

inline bool IsAlnum(char c) {
    return IsLetter(c) || IsDigit(c);
}

inline bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Letters, digits and the joints of compound keys: db_password, X-Api-Key, mail.smtp.password.
inline bool IsKeyChar(char c) {
    return IsAlnum(c) || c == '_' || c == '-' || c == '.';
}

inline bool IsBase64Char(char c) {
    return IsAlnum(c) || c == '+' || c == '/';
}

// Where a base64 word's padding starts: before at most two = at its end.
inline size_t Base64PaddingStart(std::string_view word) {
    size_t end = word.size();
    while (end > 0 && word[end - 1] == '=' && word.size() - end < 2) {
        --end;
    }
    return end;
}

// Letters, digits and the joints of URL-safe tokens (base64url, provider tokens).
inline bool IsTokenChar(char c) {
    return IsAlnum(c) || c == '_' || c == '-';
}

// Whether c is one of the characters of set (never the NUL byte). A loop the compiler unrolls
// for the short sets the rules ask about, where a library call per character would cost more.
inline bool IsIn(char c, const char* set) {
    for (; *set != '\0'; ++set) {
        if (*set == c) {
            return true;
        }
    }
    return false;
}

inline char Lower(char c) {
    return IsUpper(c) ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether text continues at at with word, ignoring the case of the text; word is lower case.
inline bool MatchesAt(std::string_view text, size_t at, std::string_view word) {
    if (at > text.size() || text.size() - at < word.size()) {
        return false;
    }
    for (size_t i = 0; i < word.size(); ++i) {
        if (Lower(text[at + i]) != word[i]) {
            return false;
        }
    }
    return true;
}

// The same with the case of the text as it is (protocol commands are upper case).
inline bool MatchesExactlyAt(std::string_view text, size_t at, std::string_view word) {
    return at <= text.size() && text.size() - at >= word.size() &&
           text.substr(at, word.size()) == word;
}

inline bool EqualsIgnoringCase(std::string_view text, std::string_view word) {
    return text.size() == word.size() && MatchesAt(text, 0, word);
}

inline size_t SkipBlanks(std::string_view text, size_t at) {
    while (at < text.size() && IsBlank(text[at])) {
        ++at;
    }
    return at;
}

inline size_t SkipBlanksBack(std::string_view text, size_t end) {
    while (end > 0 && IsBlank(text[end - 1])) {
        --end;
    }
    return end;
}

inline size_t WordEnd(std::string_view text, size_t at) {
    while (at < text.size() && !IsBlank(text[at])) {
        ++at;
    }
    return at;
}

// The start of the word that ends at end: the last blank-separated word before it.
inline size_t WordStartBack(std::string_view text, size_t end) {
    while (end > 0 && !IsBlank(text[end - 1])) {
        --end;
    }
    return end;
}

// A word boundary before at: at the line start or after a character that cannot be part of a word.
inline bool StartsWord(std::string_view text, size_t at) {
    return at == 0 || !IsAlnum(text[at - 1]);
}

inline bool EndsWord(std::string_view text, size_t at) {
    return at >= text.size() || !IsAlnum(text[at]);
}

template <size_t N> bool IsOneOf(std::string_view word, const std::string_view (&words)[N]) {
    for (std::string_view candidate : words) {
        if (word == candidate) {
            return true;
        }
    }
    return false;
}

} // namespace credentials
