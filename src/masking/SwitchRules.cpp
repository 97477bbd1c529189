// Command-line switches and positional passwords: --password x, -Password x, curl -u user:x,
// net use \\server\share x, schtasks /RP x, mysql -px.

#include "masking/KeyScan.h"

#include "masking/CredentialText.h"
#include "masking/CredentialWords.h"
#include "masking/ValueScan.h"

#include <algorithm>

using namespace credentials;

namespace {

// The password of a command line's switch or position: one word, or a quoted text. Returns its
// end, or npos when there is none or it is a state (* asks for it).
size_t MaskCommandWord(std::string_view line, size_t at, CredentialSpans& spans) {
    if (at >= line.size() || IsBlank(line[at])) {
        return npos;
    }
    size_t start = at;
    size_t end = WordEnd(line, at);
    if (IsQuote(line[at])) {
        start = at + 1;
        end = FindClosingQuote(line, at);
    }
    if (IsStateValue(line.substr(start, end - start), KeyKind::Strong)) {
        return npos;
    }
    AddSpan(start, end, spans);
    return end;
}

// A switch word from at ("/RP"), matched without case, with a blank after it.
bool IsSwitchAt(std::string_view line, size_t at, std::string_view name) {
    size_t end = at + name.size();
    return (at == 0 || IsBlank(line[at - 1])) && MatchesAt(line, at, name) && end < line.size() &&
           IsBlank(line[end]);
}

} // namespace

namespace credentials {

// A switch with a secret name and its value after a blank: --password x, -Password x.
size_t MaskFlag(std::string_view line, std::string_view key, size_t keyEnd,
                CredentialSpans& spans) {
    size_t at = SkipBlanks(line, keyEnd);
    if (at >= line.size() || IsIn(line[at], "-/$(")) {
        return keyEnd;
    }
    KeyClass keyClass = ClassifyKey(key);
    if (key == "p" || key == "P") {
        // -p S3cret (psexec, mysqldump), -P S3cret (sqlcmd, bcp), but -p 8080, -P 3306
        keyClass.kind = KeyKind::Password;
    }
    if (keyClass.kind == KeyKind::None) {
        return keyEnd;
    }
    size_t start = at;
    size_t end = WordEnd(line, at);
    size_t after = end;
    if (IsQuote(line[at])) {
        end = FindClosingQuote(line, at);
        start = at + 1;
        after = std::min(end + 1, line.size());
    }
    if (IsStateValue(line.substr(start, end - start), keyClass.kind)) {
        return keyEnd;
    }
    AddSpan(start, end, spans);
    return after;
}

// -password or /password at the line start or after a blank (not forgot-password, not a path).
bool StartsSwitch(std::string_view line, size_t rawStart, size_t keyStart) {
    size_t mark = rawStart;
    if (keyStart == rawStart) {
        if (rawStart == 0 || line[rawStart - 1] != '/') {
            return false;
        }
        mark = rawStart - 1;
    } else if (line[rawStart] != '-') {
        return false;
    }
    return mark == 0 || IsBlank(line[mark - 1]);
}

// curl -u user:password, --user user:password, --proxy-user user:password.
void FindUserOptions(std::string_view line, CredentialLineState&, CredentialSpans& spans) {
    static constexpr std::string_view Options[] = {"-u", "-U", "--user", "--proxy-user"};
    const size_t n = line.size();
    for (size_t at = line.find('-'); at != npos; at = line.find('-', at + 1)) {
        if (at > 0 && !IsBlank(line[at - 1])) {
            continue;
        }
        for (std::string_view option : Options) {
            size_t length = option.size();
            if (!MatchesExactlyAt(line, at, option) || at + length >= n ||
                !(IsBlank(line[at + length]) || line[at + length] == '=')) {
                continue;
            }
            size_t value = SkipBlanks(line, at + length + 1);
            size_t end = value < n && IsQuote(line[value]) ? FindClosingQuote(line, value)
                                                           : WordEnd(line, value);
            size_t colon = line.substr(value, end - value).find(':');
            colon = colon == npos ? npos : value + colon;
            if (colon != npos && colon + 1 < end &&
                !IsStateValue(line.substr(colon + 1, end - colon - 1), KeyKind::Strong)) {
                AddSpan(colon + 1, end, spans);
            }
            at = std::max(at, end > 0 ? end - 1 : 0);
            break;
        }
    }
}

// net use [Z: | *] \\server\share PASSWORD [/user:…]: the password is the first word after the
// share that is no switch, before or after /user.
void FindNetUsePasswords(std::string_view line, CredentialLineState&, CredentialSpans& spans) {
    const size_t n = line.size();
    for (size_t at = line.find(' '); at != npos && at + 9 < n; at = line.find(' ', at + 1)) {
        if (!MatchesAt(line, at + 1, "use ") || at < 3 || !MatchesAt(line, at - 3, "net") ||
            !StartsWord(line, at - 3)) {
            continue;
        }
        size_t word = SkipBlanks(line, at + 5);
        size_t wordEnd = WordEnd(line, word);
        if (wordEnd - word == 2 && line[word + 1] == ':') {
            word = SkipBlanks(line, wordEnd); // the drive
        } else if (wordEnd - word == 1 && line[word] == '*') {
            word = SkipBlanks(line, wordEnd);
        }
        if (!MatchesExactlyAt(line, word, "\\\\")) {
            continue;
        }
        at = WordEnd(line, word);
        word = SkipBlanks(line, at);
        while (word < n && line[word] == '/') {
            word = SkipBlanks(line, WordEnd(line, word));
        }
        if (word < n && !IsIn(line[word], "&|<>")) {
            MaskCommandWord(line, word, spans);
        }
    }
}

// The task scheduler's run-as password (schtasks /RU user /RP PASSWORD) and, on a schtasks line,
// the password of the remote account (/U user /P PASSWORD).
void FindSchedulerPasswords(std::string_view line, CredentialLineState&, CredentialSpans& spans) {
    size_t tool = npos;
    for (size_t at = line.find_first_of("sS"); at != npos; at = line.find_first_of("sS", at + 1)) {
        if (MatchesAt(line, at, "schtasks") && StartsWord(line, at)) {
            tool = at;
            break;
        }
    }
    for (size_t at = line.find('/'); at != npos; at = line.find('/', at + 1)) {
        bool run = IsSwitchAt(line, at, "/rp");
        if (run || (tool != npos && at > tool && IsSwitchAt(line, at, "/p"))) {
            size_t end = MaskCommandWord(line, SkipBlanks(line, at + (run ? 3 : 2)), spans);
            at = end == npos ? at : end;
        }
    }
}

// The MySQL clients' password joined to its switch: mysql -uroot -pS3cret (-p alone asks).
void FindMysqlPasswords(std::string_view line, CredentialLineState&, CredentialSpans& spans) {
    size_t tool = line.find("mysql");
    if (tool == npos) {
        return;
    }
    for (size_t at = line.find(" -p", tool); at != npos; at = line.find(" -p", at + 1)) {
        size_t start = at + 3;
        if (start < line.size() && !IsBlank(line[start])) {
            size_t end = MaskCommandWord(line, start, spans);
            at = end == npos ? at : end - 1;
        }
    }
}

} // namespace credentials
