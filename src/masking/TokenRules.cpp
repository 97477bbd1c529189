// Tokens of a known shape anywhere in a line: the providers' tokens (their shapes in
// TokenShapes.h), Telegram bot tokens and JSON web tokens.

#include "masking/CredentialRules.h"

#include "masking/CredentialText.h"
#include "masking/TokenShapes.h"
#include "masking/ValueScan.h"

using namespace credentials;

namespace {

bool TokenBodyFits(std::string_view body, const TokenShape& shape) {
    if (body.size() < shape.minBody || body.size() > shape.maxBody) {
        return false;
    }
    if (!shape.mixed) {
        return true;
    }
    bool digit = false;
    bool letter = false;
    for (char c : body) {
        digit = digit || IsDigit(c);
        letter = letter || IsLetter(c);
    }
    return digit && letter;
}

// The characters a provider token can start with, so that most positions are passed at once.
struct TokenStarts {
    bool starts[256] = {};
    constexpr TokenStarts() {
        for (const TokenShape& shape : TokenShapes) {
            starts[static_cast<unsigned char>(shape.prefix[0])] = true;
        }
    }
};

const size_t TokenShapeCount = sizeof TokenShapes / sizeof TokenShapes[0];

size_t TokenRunEnd(std::string_view line, size_t at) {
    while (at < line.size() && IsTokenChar(line[at])) {
        ++at;
    }
    return at;
}

} // namespace

namespace credentials {

// A prefix followed by a run of its body's characters is a token when the run fits the shape; no
// token of that shape starts within a run that does not (SG.SG.SG.… is no SendGrid key, nor its
// end), so that a masked token never leaves the start of its run to read as a shorter one, and
// each shape reads each character once.
void FindProviderTokens(std::string_view line, CredentialLineState&, CredentialSpans& spans) {
    static constexpr TokenStarts tokenStarts;
    size_t runEnds[TokenShapeCount] = {};
    const size_t n = line.size();
    size_t at = 0;
    while (at < n) {
        if (!tokenStarts.starts[static_cast<unsigned char>(line[at])] || !StartsWord(line, at)) {
            ++at;
            continue;
        }
        size_t matched = 0;
        for (size_t i = 0; i < TokenShapeCount && matched == 0; ++i) {
            const TokenShape& shape = TokenShapes[i];
            if (at < runEnds[i] || shape.prefix[0] != line[at] ||
                !MatchesExactlyAt(line, at, shape.prefix)) {
                continue;
            }
            size_t body = at + shape.prefix.size();
            size_t end = body;
            while (end < n && shape.bodyChar(line[end])) {
                ++end;
            }
            runEnds[i] = end;
            matched = TokenBodyFits(line.substr(body, end - body), shape) ? end : 0;
        }
        if (matched > 0) {
            AddSpan(at, matched, spans);
            at = matched;
        } else {
            ++at;
        }
    }
}

// Telegram bot tokens: 123456789:AA… (also after "bot" in the API's URLs).
void FindBotTokens(std::string_view line, CredentialLineState&, CredentialSpans& spans) {
    const size_t n = line.size();
    for (size_t at = line.find(":AA"); at != npos; at = line.find(":AA", at + 1)) {
        size_t digits = at;
        while (digits > 0 && IsDigit(line[digits - 1]) && at - digits <= 10) {
            --digits;
        }
        bool prefixed = digits >= 3 && MatchesExactlyAt(line, digits - 3, "bot");
        if (at - digits < 8 || at - digits > 10 || !(StartsWord(line, digits) || prefixed)) {
            continue;
        }
        size_t end = at + 1;
        while (end < n && IsTokenChar(line[end])) {
            ++end;
        }
        if (end - at - 1 >= 30) {
            AddSpan(at + 1, end, spans);
            at = end - 1;
        }
    }
}

// JSON web tokens: eyJ….eyJ….signature, anywhere in a line.
void FindJsonWebTokens(std::string_view line, CredentialLineState&, CredentialSpans& spans) {
    const size_t n = line.size();
    for (size_t at = line.find("eyJ"); at != npos; at = line.find("eyJ", at + 3)) {
        if (at > 0 && IsTokenChar(line[at - 1])) {
            continue;
        }
        size_t header = TokenRunEnd(line, at);
        if (header - at < 10 || header >= n || line[header] != '.') {
            continue;
        }
        size_t payload = TokenRunEnd(line, header + 1);
        if (payload - header - 1 < 4 || payload >= n || line[payload] != '.') {
            continue;
        }
        size_t end = TokenRunEnd(line, payload + 1);
        AddSpan(at, end, spans);
        at = end > at + 3 ? end - 3 : at;
    }
}

} // namespace credentials
