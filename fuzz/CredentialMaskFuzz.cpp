// The credential masker over any text: it never fails, a second pass changes nothing, and a
// secret planted on a line of its own between two fuzzed texts never survives, while the texts
// around it mask as they would alone.
//
// First byte: the form the secret is planted in (key=value, JSON, XML element, API-key header,
// Authorization header, URL user information, ODBC braces, FTP PASS, installer property line).
// Second byte: the length of the secret's random part (1 to 32); the next bytes: that part,
// drawn from the characters the form's value may hold (no *, the mask's own). The secret is
// "Pw7" and that part, so that it never reads as a state ("none", "118"). The rest is cut in two by
// the byte after it.
#include "base/CredentialMask.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

struct PlantForm {
    const char* before; // the line up to the secret; it stays
    const char* after;  // the line after the secret
    const char* characters;
};

const PlantForm Forms[] = {
    {"password=", "", "abcXYZ019!#$+-./:=?@^_~"},
    {"{\"password\": \"", "\"}", "abcXYZ019 !#$%&()+,-./:;<=>?@[]^_`{|}~'"},
    {"<Password>", "</Password>", "abcXYZ019 !#$%()+,-./:;=?@[]^_`{|}~\"'"},
    {"X-Api-Key: ", "", "abcXYZ019!#$%&()+-./:;=?@[]^_`{|}~"},
    {"Authorization: Bearer ", "", "abcXYZ019!#$%&()+-./:;=?@[]^_`{|}~"},
    {"https://monitor:", "@intranet.example/", "abcXYZ019!#$%&()+-./:=@[]^_`{|}~"},
    {"Server=db;Password={", "};", "abcXYZ019 !#$%&()+,-./:;<=>?@[]^_`{|~\"'"},
    {"PASS ", "", "abcXYZ019!#$%&+-./:;<=>?@^_`{|}~"},
    {"Property(S): SERVICEPASSWORD = ", "", "abcXYZ019!#$%&+-./:<=>?@^_`{}~"},
};

const size_t FormCount = sizeof Forms / sizeof Forms[0];

void Check(bool condition) {
    if (!condition) {
        abort();
    }
}

std::string Masked(const std::string& text, int32_t& count) {
    Str masked = MaskCredentials(Str(text.c_str()), count);
    return std::string(masked.Text(), static_cast<size_t>(masked.Length()));
}

bool StartsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Neither the secret nor its first or last half (four characters or more) is left in the line.
bool Hides(const std::string& line, const std::string& secret) {
    if (line.find(secret) != std::string::npos) {
        return false;
    }
    size_t half = (secret.size() + 1) / 2;
    return half < 4 || (line.find(secret.substr(0, half)) == std::string::npos &&
                        line.find(secret.substr(secret.size() - half)) == std::string::npos);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string input(reinterpret_cast<const char*>(data), size);
    input = input.c_str(); // the Doctor's texts end at a NUL byte
    if (input.empty()) {
        return 0;
    }
    int32_t count = 0;
    std::string once = Masked(input, count);
    int32_t again = 0;
    Check(Masked(once, again) == once && again == 0);

    const PlantForm& form = Forms[static_cast<uint8_t>(input[0]) % FormCount];
    size_t alphabet = std::string(form.characters).size();
    size_t length = input.size() > 1 ? static_cast<uint8_t>(input[1]) % 32 + 1 : 1;
    std::string secret = "Pw7";
    for (size_t i = 2; i < length + 2; ++i) {
        char c = i < input.size() ? input[i] : 'p';
        secret += form.characters[static_cast<uint8_t>(c) % alphabet];
    }
    if (secret.back() == ' ') {
        secret.back() = 'q'; // blanks around a value are no part of it
    }
    std::string rest = input.size() > length + 2 ? input.substr(length + 2) : "";
    size_t cut = rest.empty() ? 0 : static_cast<uint8_t>(rest[0]) % rest.size();
    std::string before = rest.substr(0, cut);
    std::string after = rest.substr(cut);

    int32_t aroundCount = 0;
    std::string maskedBefore = Masked(before, aroundCount) + "\r\n";
    std::string maskedAfter = "\r\n" + Masked(after, aroundCount);
    int32_t plantedCount = 0;
    std::string planted =
        Masked(before + "\r\n" + form.before + secret + form.after + "\r\n" + after, plantedCount);
    Check(Masked(planted, again) == planted && again == 0);
    // What comes before the planted line masks as it would alone, unless the text starts inside
    // a private-key block whose END comes after it; so does what comes after it, unless a
    // private-key block left open before it goes on over it.
    bool cutBlock = after.find("END") != std::string::npos;
    Check(cutBlock || StartsWith(planted, maskedBefore));
    bool openBlock = before.find("BEGIN") != std::string::npos;
    Check(openBlock || EndsWith(planted, maskedAfter));
    // The planted line keeps its key and loses its secret.
    size_t lineEnd = planted.find("\r\n", maskedBefore.size());
    Check(lineEnd != std::string::npos);
    std::string line = planted.substr(maskedBefore.size(), lineEnd - maskedBefore.size());
    Check(StartsWith(line, form.before));
    Check(Hides(line, secret));
    Check(plantedCount > aroundCount || openBlock);
    return 0;
}
