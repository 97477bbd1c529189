#pragma once

#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

// Always the same, whatever it replaces: the length of a password tells too much.
inline constexpr std::string_view CredentialMask = "****";

// Where rules find credentials in a line: [start, end) spans of the line, in any order; they may
// overlap, and the masker joins them.
using CredentialSpans = std::vector<std::pair<size_t, size_t>>;

// What one line of a text leaves for the next: a private-key block goes on, or an SMTP or IMAP
// login awaits the client's SASL replies (after AUTH LOGIN, or a 334 prompt) on the next lines.
struct CredentialLineState {
    bool inPrivateKey = false;
    bool privateKeyCounted = false; // a span of the open block's body was counted
    int saslRepliesDue = 0; // the client's base64 replies still to come on lines of their own
    // Spans of this line that go on a value of an earlier line (the body of a private key):
    // masked, but not counted again.
    int continuedSpans = 0;
};

// One shape of credential: the rule looks at one line (without its line end) and adds the spans
// of the credentials of that shape. Each rule scans the line once, without backtracking.
struct CredentialRule {
    const char* name;
    void (*find)(std::string_view line, CredentialLineState& state, CredentialSpans& spans);
};

// A line of a private key's body: a base64 word at the line end, after a trace prefix if any;
// [start, end) is that word.
bool FindPrivateKeyBodyWord(std::string_view line, size_t& start, size_t& end);

// The line holds a private key's END marker before any BEGIN marker: it closes a block that
// opened before the text (the tail of a log, cut within one) or whose BEGIN was lost.
bool ClosesUnopenedPrivateKey(std::string_view line);

// The table of rules, in CredentialRules.cpp: one row a shape.
extern const CredentialRule CredentialRules[];
extern const size_t CredentialRuleCount;
