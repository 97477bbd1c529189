#pragma once

// The shapes of the providers' tokens, as data: a new shape is one row of TokenShapes, with
// the prefix, the shortest and longest body, the characters of the body and whether the body
// must mix letters and digits. TokenRules.cpp reads the table.

#include "masking/CredentialText.h"

#include <cstddef>
#include <string_view>

namespace credentials {

// The characters of a token's body.

inline bool IsUpperOrDigit(char c) {
    return IsUpper(c) || IsDigit(c);
}

inline bool IsLowerHex(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f');
}

inline bool IsWordChar(char c) {
    return IsAlnum(c) || c == '_';
}

inline bool IsTokenOrDot(char c) {
    return IsTokenChar(c) || c == '.';
}

inline bool IsBase64OrToken(char c) {
    return IsBase64Char(c) || c == '_' || c == '-' || c == '=';
}

struct TokenShape {
    std::string_view prefix;
    size_t minBody;
    size_t maxBody;
    bool (*bodyChar)(char);
    bool mixed; // the body has both letters and digits
};

// The providers' own prefixes, as secret scanners know them; the whole token is masked.
inline constexpr TokenShape TokenShapes[] = {
    {"ghp_", 30, 255, IsAlnum, false},            // GitHub personal access token
    {"gho_", 30, 255, IsAlnum, false},            // GitHub OAuth access token
    {"ghu_", 30, 255, IsAlnum, false},            // GitHub user-to-server token
    {"ghs_", 30, 255, IsAlnum, false},            // GitHub server-to-server token
    {"ghr_", 30, 255, IsAlnum, false},            // GitHub refresh token
    {"github_pat_", 40, 255, IsWordChar, false},  // GitHub fine-grained personal access token
    {"glpat-", 20, 255, IsTokenChar, false},      // GitLab personal access token
    {"gldt-", 20, 255, IsTokenChar, false},       // GitLab deploy token
    {"glrt-", 20, 255, IsTokenChar, false},       // GitLab runner token
    {"glptt-", 20, 255, IsTokenChar, false},      // GitLab pipeline trigger token
    {"xoxb-", 10, 255, IsTokenChar, false},       // Slack bot token
    {"xoxp-", 10, 255, IsTokenChar, false},       // Slack user token
    {"xoxa-", 10, 255, IsTokenChar, false},       // Slack app token
    {"xoxr-", 10, 255, IsTokenChar, false},       // Slack refresh token
    {"xoxs-", 10, 255, IsTokenChar, false},       // Slack session token
    {"xoxe-", 10, 255, IsTokenChar, false},       // Slack rotating token
    {"xapp-", 10, 255, IsTokenChar, false},       // Slack app-level token
    {"sk_live_", 16, 255, IsAlnum, false},        // Stripe secret key
    {"sk_test_", 16, 255, IsAlnum, false},        // Stripe test secret key
    {"rk_live_", 16, 255, IsAlnum, false},        // Stripe restricted key
    {"rk_test_", 16, 255, IsAlnum, false},        // Stripe test restricted key
    {"whsec_", 24, 255, IsAlnum, false},          // Stripe webhook signing secret
    {"sk-ant-", 20, 255, IsTokenChar, false},     // Anthropic API key
    {"sk-proj-", 20, 255, IsTokenChar, false},    // OpenAI project key
    {"sk-", 32, 255, IsAlnum, true},              // OpenAI key (letters and digits mixed)
    {"AKIA", 16, 16, IsUpperOrDigit, false},      // AWS access key ID
    {"ASIA", 16, 16, IsUpperOrDigit, false},      // AWS temporary access key ID
    {"AGPA", 16, 16, IsUpperOrDigit, false},      // AWS group ID
    {"AIDA", 16, 16, IsUpperOrDigit, false},      // AWS user ID
    {"AROA", 16, 16, IsUpperOrDigit, false},      // AWS role ID
    {"ANPA", 16, 16, IsUpperOrDigit, false},      // AWS managed policy ID
    {"AIza", 35, 35, IsTokenChar, false},         // Google API key
    {"ya29.", 20, 255, IsTokenChar, false},       // Google OAuth access token
    {"SG.", 60, 80, IsTokenOrDot, false},         // SendGrid API key
    {"npm_", 36, 36, IsAlnum, false},             // npm access token
    {"pypi-", 50, 255, IsTokenChar, false},       // PyPI upload token
    {"shpat_", 32, 32, IsHexDigit, false},        // Shopify admin API access token
    {"shpca_", 32, 32, IsHexDigit, false},        // Shopify custom app access token
    {"shppa_", 32, 32, IsHexDigit, false},        // Shopify private app access token
    {"shpss_", 32, 32, IsHexDigit, false},        // Shopify shared secret
    {"dop_v1_", 64, 64, IsHexDigit, false},       // DigitalOcean personal access token
    {"doo_v1_", 64, 64, IsHexDigit, false},       // DigitalOcean OAuth token
    {"hvs.", 24, 255, IsTokenChar, false},        // HashiCorp Vault service token
    {"hvb.", 24, 255, IsTokenChar, false},        // HashiCorp Vault batch token
    {"hf_", 30, 40, IsAlnum, false},              // Hugging Face token
    {"key-", 32, 32, IsAlnum, true},              // Mailgun API key
    {"SK", 32, 32, IsLowerHex, true},             // Twilio API key
    {"PMAK-", 40, 80, IsTokenChar, false},        // Postman API key
    {"glsa_", 32, 255, IsWordChar, false},        // Grafana service account token
    {"lin_api_", 40, 40, IsAlnum, false},         // Linear API key
    {"dapi", 32, 32, IsLowerHex, true},           // Databricks token
    {"sq0atp-", 22, 255, IsTokenChar, false},     // Square access token
    {"sq0csp-", 22, 255, IsTokenChar, false},     // Square OAuth secret
    {"sntrys_", 40, 255, IsBase64OrToken, false}, // Sentry token
    {"ATATT", 50, 255, IsBase64OrToken, false},   // Atlassian API token
};

} // namespace credentials
