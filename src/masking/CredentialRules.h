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

// Sorts spans and joins those that overlap or touch.
void JoinSpans(CredentialSpans& spans);

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
// of the credentials of that shape after those of the rules before it, which it finds sorted and
// joined. Each rule scans the line once, without backtracking.
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

// The families of rules, one file each; CredentialRules.cpp lists them in the order they run.
namespace credentials {

// KeyValueRules.cpp, with FreeTextRules.cpp and SwitchRules.cpp
void FindKeyValues(std::string_view line, CredentialLineState& state, CredentialSpans& spans);

// SwitchRules.cpp
void FindUserOptions(std::string_view line, CredentialLineState& state, CredentialSpans& spans);
void FindNetUsePasswords(std::string_view line, CredentialLineState& state, CredentialSpans& spans);
void FindSchedulerPasswords(std::string_view line, CredentialLineState& state,
                            CredentialSpans& spans);
void FindMysqlPasswords(std::string_view line, CredentialLineState& state, CredentialSpans& spans);

// NamedValueRules.cpp
void FindNamedValues(std::string_view line, CredentialLineState& state, CredentialSpans& spans);
void FindXmlElements(std::string_view line, CredentialLineState& state, CredentialSpans& spans);
void FindRegistryValues(std::string_view line, CredentialLineState& state, CredentialSpans& spans);

// InstallerRules.cpp
void FindInstallerPropertyChanges(std::string_view line, CredentialLineState& state,
                                  CredentialSpans& spans);

// UrlRules.cpp
void FindUrlUserInfo(std::string_view line, CredentialLineState& state, CredentialSpans& spans);
void FindProxyUserInfo(std::string_view line, CredentialLineState& state, CredentialSpans& spans);
void FindWebhookPaths(std::string_view line, CredentialLineState& state, CredentialSpans& spans);
void FindSchemeCredentials(std::string_view line, CredentialLineState& state,
                           CredentialSpans& spans);

// LoginRules.cpp
void FindPassCommands(std::string_view line, CredentialLineState& state, CredentialSpans& spans);
void FindSaslResponses(std::string_view line, CredentialLineState& state, CredentialSpans& spans);
void FindSaslReplies(std::string_view line, CredentialLineState& state, CredentialSpans& spans);
void FindImapLogins(std::string_view line, CredentialLineState& state, CredentialSpans& spans);
void FindApopDigests(std::string_view line, CredentialLineState& state, CredentialSpans& spans);

// TokenRules.cpp
void FindProviderTokens(std::string_view line, CredentialLineState& state, CredentialSpans& spans);
void FindBotTokens(std::string_view line, CredentialLineState& state, CredentialSpans& spans);
void FindJsonWebTokens(std::string_view line, CredentialLineState& state, CredentialSpans& spans);

// PrivateKeyRules.cpp
void FindPrivateKeyBlocks(std::string_view line, CredentialLineState& state,
                          CredentialSpans& spans);

} // namespace credentials

// The table of rules, in CredentialRules.cpp: one row a family's rule, in the order they run.
extern const CredentialRule CredentialRules[];
extern const size_t CredentialRuleCount;
