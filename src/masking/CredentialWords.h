#pragma once

// What the credential rules know of words: which keys name a secret, which values are no secret
// but a state, and what a token looks like. The lists are in KeyWords.cpp and
// StateValues.cpp, the shapes of values in ValueShapes.cpp.

#include <string_view>

namespace credentials {

enum class KeyKind {
    None,     // no secret: user, host, token_type, passwordExpires, publicKeyToken
    Weak,     // a short word that may name a secret or a count or a state: auth, sid, code
    Password, // a short word for a password that may also be a count: pass, db_pass, ftpPass
    Strong,   // names a secret whatever its value looks like: password, db_password, accessToken
};

struct KeyClass {
    KeyKind kind = KeyKind::None;
    bool keepsScheme = false; // Authorization: the scheme word before the credentials stays
    bool wholeValue = false;  // Authorization, Cookie: the value runs on over = and ; and blanks
    bool header = false;      // a header name with hyphens (X-Api-Key): its value runs to the end
    bool session = false;     // session: a name with a number (Sess-11) is the session's id
};

// The class of a key: letters and digits lower-cased contain a secret word and no modifier after
// it (password, db_password, SmtpPassword, accessToken but not password_length, token_type), or
// the key or its last part is a short exact word (pass, auth, sid, db_pass, ftpPass). before is the
// word in front of the key, for keys of two words ("session id", "API key"); it may be empty.
KeyClass ClassifyKey(std::string_view key, std::string_view before = {});

// What a name key gives (<add key="SmtpPassword" …>, {"name":"VLSESSION", …}): a secret key, or
// the name of a session or authentication cookie or setting (strong); a name ending in Key
// (StorageKey) or a short secret word (weak). A name that holds a mask names nothing: it was a
// value, masked before.
KeyKind ClassifyName(std::string_view name);

// key, name, property, param, setting: names the secret that a value beside it holds.
bool IsNameKey(std::string_view key);
// value, val: holds the secret that a name beside it names.
bool IsValueKey(std::string_view key);

// A value that is no secret: empty, dashes (-), masked already (****), a placeholder ("<none>",
// "${SMTP_PW}", "%PW%", "[REDACTED]", YOUR_API_KEY), a state word (none, missing, resumed, true),
// a path. For a password word also a number (pass=118). For a weak key also any plain word, word
// and number (OAuth2, INC-4711), number, version, GUID, Windows SID or file name, and whatever does
// not look like a token (a token mixes letters and digits, or carries +/=% and the like, or is
// long).
bool IsStateValue(std::string_view value, KeyKind kind);

// A word joined to a number by - or _ (Sess-11, web_4): the id of a session, where the value of
// another weak key is a ticket's or a host's name.
bool IsNumberedName(std::string_view value);

// A word in free text after a secret word, with no = or : between ("using password S3cr3t!"):
// only when it looks made up, six characters or more, letters and digits mixed.
bool LooksLikeSecretWord(std::string_view word);

// A base64 word that is a SASL reply, not an English word or a mechanism name: four characters
// or more, with a digit, +, /, = or both cases.
bool IsBase64Reply(std::string_view word);

// A base64 word: letters, digits, + and /, and at most two = at its end.
bool IsBase64Body(std::string_view word);

// A long run of letters and digits mixed, as a token used as URL user name is.
bool IsHighEntropyRun(std::string_view word);

} // namespace credentials
