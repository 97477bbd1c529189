// Protocol logins: FTP and POP3 PASS, POP3 APOP, SMTP and IMAP SASL (AUTH, AUTHENTICATE and the
// replies on the lines after), IMAP LOGIN.

#include "masking/CredentialRules.h"

#include "masking/CredentialText.h"
#include "masking/CredentialWords.h"
#include "masking/ValueScan.h"

#include <algorithm>

using namespace credentials;

namespace {

// AUTH or AUTHENTICATE and a mechanism; returns the end of the mechanism or npos.
size_t AuthMechanismEnd(std::string_view line, size_t at) {
    size_t word = 0;
    if (MatchesExactlyAt(line, at, "AUTHENTICATE ")) {
        word = 13;
    } else if (MatchesExactlyAt(line, at, "AUTH ")) {
        word = 5;
    } else {
        return npos;
    }
    if (!StartsWord(line, at)) {
        return npos;
    }
    size_t start = SkipBlanks(line, at + word);
    size_t end = start;
    while (end < line.size() &&
           (IsUpper(line[end]) || IsDigit(line[end]) || line[end] == '-' || line[end] == '_')) {
        ++end;
    }
    return end > start && EndsWord(line, end) ? end : npos;
}

// The server asks for a SASL reply: SMTP's 334 or IMAP's + where a reply starts (at the line
// start or after a direction mark: "S: 334", "< +", "[SMTP] 334"; not api_key=334), then a base64
// challenge or nothing to the line end.
bool AsksForSaslReply(std::string_view line) {
    for (std::string_view prompt : {std::string_view("334"), std::string_view("+")}) {
        for (size_t at = line.find(prompt); at != npos; at = line.find(prompt, at + 1)) {
            size_t end = at + prompt.size();
            size_t before = SkipBlanksBack(line, at);
            bool starts =
                before == 0 || (prompt == "334" ? IsIn(line[before - 1], ":<>]|-")
                                                : before < at && IsIn(line[before - 1], ":<>"));
            if (!starts || (end < line.size() && !IsBlank(line[end]))) {
                continue;
            }
            size_t challenge = SkipBlanks(line, end);
            size_t challengeEnd = WordEnd(line, challenge);
            if (challenge == line.size() ||
                (SkipBlanks(line, challengeEnd) == line.size() &&
                 IsBase64Body(line.substr(challenge, challengeEnd - challenge)))) {
                return true;
            }
        }
    }
    return false;
}

// How many replies the client sends on lines of their own after an AUTH command: AUTH LOGIN
// alone two (the user name, then the password), AUTH LOGIN with the user name one, any other
// mechanism with nothing after it one; none after a command with its whole response.
int SaslRepliesAfter(std::string_view line) {
    int replies = 0;
    for (size_t at = line.find("AUTH"); at != npos; at = line.find("AUTH", at + 4)) {
        size_t mechanism = AuthMechanismEnd(line, at);
        if (mechanism == npos) {
            continue;
        }
        size_t name = WordStartBack(line, mechanism);
        bool login = line.substr(name, mechanism - name) == "LOGIN";
        size_t response = SkipBlanks(line, mechanism);
        if (response == line.size()) {
            replies = login ? 2 : 1;
        } else if (login && SkipBlanks(line, WordEnd(line, response)) == line.size()) {
            replies = 1;
        }
    }
    return replies;
}

// An IMAP atom or quoted string from at: returns [start, end) of its text and sets after.
bool ImapArgument(std::string_view line, size_t at, size_t& start, size_t& end, size_t& after) {
    if (at >= line.size() || IsBlank(line[at])) {
        return false;
    }
    if (line[at] == '"') {
        end = FindClosingQuote(line, at);
        start = at + 1;
        after = std::min(end + 1, line.size());
    } else {
        start = at;
        end = after = WordEnd(line, at);
    }
    return true;
}

} // namespace

namespace credentials {

// FTP and POP3: PASS and what follows it, when PASS starts a command (after a direction mark or
// a prefix such as "> ", "C: ", "Command:\t"), not a test result ("PASS 12 FAIL 0", "PASS (3)").
void FindPassCommands(std::string_view line, CredentialLineState&, CredentialSpans& spans) {
    const size_t n = line.size();
    const size_t lineEnd = SkipBlanksBack(line, n);
    for (size_t at = line.find("PASS"); at != npos; at = line.find("PASS", at + 4)) {
        if (!StartsWord(line, at) || at + 4 >= n || !IsBlank(line[at + 4])) {
            continue;
        }
        size_t before = SkipBlanksBack(line, at);
        if (before > 0 && !IsIn(line[before - 1], ">:]|-'\"")) {
            continue;
        }
        size_t start = SkipBlanks(line, at + 4);
        size_t end = lineEnd;
        if (before > 0 && IsQuote(line[before - 1]) && end > start &&
            line[end - 1] == line[before - 1]) {
            --end; // *cmd* 'PASS x'
        }
        if (start >= end || IsIn(line[start], "([")) {
            continue;
        }
        std::string_view first = FirstWord(line.substr(start, end - start));
        bool number = true;
        for (char c : first) {
            number = number && IsDigit(c);
        }
        if (number) {
            continue; // a test result: PASS 12 FAIL 0
        }
        if (!IsStateValue(line.substr(start, end - start), KeyKind::Strong)) {
            AddSpan(start, end, spans);
        }
        at = end; // the value runs to the line end
    }
}

// SMTP AUTH PLAIN …, AUTH LOGIN …, AUTH XOAUTH2 …, IMAP AUTHENTICATE PLAIN …: the initial response.
void FindSaslResponses(std::string_view line, CredentialLineState&, CredentialSpans& spans) {
    for (size_t at = line.find("AUTH"); at != npos; at = line.find("AUTH", at + 4)) {
        size_t mechanism = AuthMechanismEnd(line, at);
        if (mechanism == npos || mechanism >= line.size() || !IsBlank(line[mechanism])) {
            continue;
        }
        size_t start = SkipBlanks(line, mechanism);
        size_t end = WordEnd(line, start);
        if (IsBase64Reply(line.substr(start, end - start))) {
            AddSpan(start, end, spans);
        }
    }
}

// The client's base64 replies on the lines after a 334 prompt or an AUTH command (the user name
// and the password of AUTH LOGIN, the credentials of AUTH PLAIN, the response of CRAM-MD5), also
// when the server's prompts are not in the text. A line of anything else ends the exchange.
void FindSaslReplies(std::string_view line, CredentialLineState& state, CredentialSpans& spans) {
    bool asks = AsksForSaslReply(line);
    int replies = SaslRepliesAfter(line);
    if (state.saslRepliesDue > 0 && !asks && replies == 0) {
        size_t end = SkipBlanksBack(line, line.size());
        size_t start = WordStartBack(line, end);
        if (IsBase64Reply(line.substr(start, end - start))) {
            AddSpan(start, end, spans);
            --state.saslRepliesDue;
        } else {
            state.saslRepliesDue = 0;
        }
        return;
    }
    state.saslRepliesDue = asks ? 1 : replies;
}

// IMAP: tag LOGIN user password, the tag a word with a digit (a001, A1), nothing after the
// password.
void FindImapLogins(std::string_view line, CredentialLineState&, CredentialSpans& spans) {
    const size_t n = line.size();
    for (size_t at = 0; at + 7 <= n; ++at) {
        if (!IsBlank(line[at]) || !MatchesAt(line, at + 1, "login") || at + 6 >= n ||
            !IsBlank(line[at + 6])) {
            continue;
        }
        size_t tag = at;
        bool digit = false;
        while (tag > 0 && IsAlnum(line[tag - 1]) && at - tag < 16) {
            --tag;
            digit = digit || IsDigit(line[tag]);
        }
        if (!digit || tag == at ||
            (tag > 0 && !IsBlank(line[tag - 1]) && line[tag - 1] != ':' && line[tag - 1] != '>')) {
            continue;
        }
        size_t userStart, userEnd, afterUser, start, end, after;
        if (!ImapArgument(line, SkipBlanks(line, at + 7), userStart, userEnd, afterUser) ||
            afterUser >= n || !IsBlank(line[afterUser]) ||
            !ImapArgument(line, SkipBlanks(line, afterUser), start, end, after) ||
            SkipBlanks(line, after) != n) {
            continue;
        }
        std::string_view password = line.substr(start, end - start);
        bool command = MatchesExactlyAt(line, at + 1, "LOGIN") || line[start - 1] == '"';
        if (!IsStateValue(password, KeyKind::Strong) &&
            (command || LooksLikeSecretWord(password))) {
            AddSpan(start, end, spans);
        }
        at = after;
    }
}

// POP3: APOP user digest.
void FindApopDigests(std::string_view line, CredentialLineState&, CredentialSpans& spans) {
    for (size_t at = line.find("APOP "); at != npos; at = line.find("APOP ", at + 5)) {
        size_t user = SkipBlanks(line, at + 5);
        size_t start = SkipBlanks(line, WordEnd(line, user));
        size_t end = WordEnd(line, start);
        bool hex = end - start == 32;
        for (size_t i = start; i < end && hex; ++i) {
            hex = IsHexDigit(line[i]);
        }
        if (StartsWord(line, at) && hex) {
            AddSpan(start, end, spans);
        }
    }
}

} // namespace credentials
