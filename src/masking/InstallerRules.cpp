// Windows Installer's verbose log: the values of property changes of a secret property.

#include "masking/CredentialRules.h"

#include "masking/CredentialText.h"
#include "masking/CredentialWords.h"
#include "masking/ValueScan.h"

using namespace credentials;

namespace {

// The end of a value the installer quotes as 'x'.: the quote before a full stop that ends the
// sentence, else the last quote of the line.
size_t FindInstallerValueEnd(std::string_view line, size_t at) {
    size_t last = npos;
    for (size_t i = at; i < line.size(); ++i) {
        if (line[i] == '\'') {
            if (i + 1 < line.size() && line[i + 1] == '.' &&
                (i + 2 == line.size() || IsBlank(line[i + 2]))) {
                return i;
            }
            last = i;
        }
    }
    return last == npos ? line.size() : last;
}

} // namespace

namespace credentials {

// Windows Installer's verbose log: "PROPERTY CHANGE: Adding DBPASSWORD property. Its value is
// 'x'." and "Modifying SMTP_PASSWORD property. Its current value is 'x'. Its new value: 'y'."
void FindInstallerPropertyChanges(std::string_view line, CredentialLineState&,
                                  CredentialSpans& spans) {
    const std::string_view marker = " property. Its ";
    size_t from = 0;
    for (size_t at = line.find(marker); at != npos; at = line.find(marker, from)) {
        size_t nameStart = at;
        while (nameStart > from && (IsAlnum(line[nameStart - 1]) || line[nameStart - 1] == '_' ||
                                    line[nameStart - 1] == '.')) {
            --nameStart;
        }
        from = at + marker.size();
        if (ClassifyKey(line.substr(nameStart, at - nameStart)).kind == KeyKind::None) {
            continue;
        }
        size_t value = npos;
        if (MatchesExactlyAt(line, from, "value is '")) {
            value = from + 10;
        } else if (MatchesExactlyAt(line, from, "current value is '")) {
            value = from + 18;
        }
        while (value != npos) {
            size_t end = FindInstallerValueEnd(line, value);
            if (!IsStateValue(line.substr(value, end - value), KeyKind::Strong)) {
                AddSpan(value, end, spans);
            }
            from = end;
            value = MatchesExactlyAt(line, end, "'. Its new value: '") ? end + 19 : npos;
        }
    }
}

} // namespace credentials
