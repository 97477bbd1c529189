// The credential masker over any text: it never fails, a second pass changes nothing and counts
// nothing, and a secret planted between two fuzzed texts never survives, while the texts around
// it mask as they would alone and the words around it in its line stay.
//
// First byte: the form the secret is planted in (key=value, JSON, XML element, headers, URL user
// information, ODBC braces, connection strings, query strings, switches, FTP PASS, installer
// property lines), and whether it stands on a line of its own or inside a log line with words
// before and after it. Second byte: the number of pieces of the secret's random part (1 to 32);
// the next bytes: those pieces, drawn from what the form's value may hold (, ; & \, quotes,
// escapes and characters outside ASCII where the form allows them; never *, the mask's own). The
// secret is "Pw7" and those pieces, so that it never reads as a state ("none", "118"). The rest is
// cut in two by the byte after it.
//
// With VLD_FUZZ_MASK_MS set (the open-ended fuzz command sets it), masking any input may take at
// most that many milliseconds of processor time: the masker is linear, and an input of the
// fuzzer's size takes well under one. The test command leaves it unset, so that its verdict does
// not depend on the machine's speed.
#include "masking/CredentialMask.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <time.h>

namespace {

// Pieces a value may hold, by form.
const char* const Tight[] = {"a", "X", "0", "9", "!", "#", "$", "+", "-", ".", "/", ":",
                             "=", "?", "@", "^", "_", "~", "Z", "q", "5", "%", "ü"};
const char* const JsonString[] = {
    "a", "X", "0", " ", "!", "#",    "$",    "%",   "&",       "'",       "(",   ")", "+", ",", "-",
    ".", "/", ":", ";", "<", "=",    ">",    "?",   "@",       "[",       "]",   "^", "_", "`", "{",
    "|", "}", "~", "ü", "€", "\\\"", "\\\\", "\\/", "\\u002B", "\\u00FC", "\\n", "q", "7"};
const char* const XmlContent[] = {"a", "X", "0", " ", "!", "#", "$", "%", "&",  "'", "\"", "(",
                                  ")", "+", ",", "-", ".", "/", ":", ";", "=",  "?", "@",  "[",
                                  "]", "^", "_", "`", "{", "|", "}", "~", "\\", "ü", "€",  "q"};
const char* const HeaderValue[] = {"a", "X", "0", "!", "#", "$", "%", "&",  "(", ")",
                                   "+", "-", ".", "/", ";", "=", "?", "@",  "[", "]",
                                   "^", "_", "`", "{", "|", "}", "~", "\\", "ü", "q"};
// A URL's user information: its sub-delimiters and : (an @ in it, outside the standard, is taken
// as long as no , ; or quote follows it).
const char* const UrlPassword[] = {"a", "X", "0", "!", "$", "&", "'", "(", ")", "+", ",",
                                   ";", "=", "-", ".", "_", "~", "%", ":", "ü", "q"};
const char* const OdbcBraced[] = {"a", "X",  "0", " ",  "!",  "#", "$", "%", "&", "(",
                                  ")", "+",  ",", "-",  ".",  "/", ":", ";", "<", "=",
                                  ">", "?",  "@", "[",  "]",  "^", "_", "`", "{", "|",
                                  "~", "\"", "'", "\\", "}}", "ü", "q"};
const char* const ConnectionValue[] = {"a", "X", "0", " ", "!", "#", "$", "%",  "&", "(", ")", "+",
                                       ",", "-", ".", "/", ":", "<", "=", ">",  "?", "@", "[", "]",
                                       "^", "_", "`", "{", "|", "}", "~", "\\", "ü", "q"};
const char* const QuotedValue[] = {"a", "X", "0", " ",    "!",    "#", "$", "%", "&", "(",
                                   ")", "+", ",", "-",    ".",    "/", ":", ";", "<", "=",
                                   ">", "?", "@", "[",    "]",    "^", "_", "`", "{", "|",
                                   "}", "~", "'", "\\\"", "\\\\", "ü", "q"};
const char* const QueryValue[] = {"a", "X", "0", "%40", "%26", "%3B", "-", ".", "_", "~", "!",
                                  "$", "(", ")", "+",   ",",   ":",   "@", "/", "=", "q"};
const char* const Word[] = {"a", "X", "0", "!", "#", "$", "%", "&", "+", ",",  "-",
                            ".", ":", ";", "=", "?", "@", "^", "_", "~", "\\", "ü"};
const char* const SpacedValue[] = {"a", "X", "0", "!", "#", "$", "%",  "&", "+", "-", ".",
                                   "/", "?", "@", "^", "_", "~", "\\", ";", ",", "ü"};

struct PlantForm {
    const char* before; // the line up to the secret; it stays
    const char* after;  // the line after the secret; it stays
    const char* const* pieces;
    size_t pieceCount;
    bool insideLine; // may stand inside a log line, with words after it
};

#define PIECES(list) list, sizeof list / sizeof list[0]

const PlantForm Forms[] = {
    {"password=", "", PIECES(Tight), true},
    {"{\"user\": \"m\", \"password\": \"", "\", \"remember\": true}", PIECES(JsonString), true},
    {"{\"Password\":\"", "\"}", PIECES(JsonString), true},
    {"<Login><Password>", "</Password></Login>", PIECES(XmlContent), true},
    {"X-Api-Key: ", "", PIECES(HeaderValue), false},
    {"Authorization: Bearer ", "", PIECES(HeaderValue), false},
    {"GET https://monitor:", "@intranet.example/ 200 OK", PIECES(UrlPassword), true},
    {"Server=db;Password={", "};Database=Velmont", PIECES(OdbcBraced), true},
    {"Server=db;Password=", ";Database=Velmont", PIECES(ConnectionValue), true},
    {"password=\"", "\"", PIECES(QuotedValue), true},
    {"POST /login user=m&password=", "&lang=en", PIECES(QueryValue), true},
    {"--password ", " --verbose", PIECES(Word), true},
    {"net use \\\\files\\velmont ", " /user:TESSALY\\monitor", PIECES(Word), true},
    {"PASS ", "", PIECES(Tight), false},
    {"Property(S): SERVICEPASSWORD = ", "", PIECES(SpacedValue), false},
    {"password: ", "", PIECES(SpacedValue), false},
    {"token := ", "", PIECES(SpacedValue), false},
};

const size_t FormCount = sizeof Forms / sizeof Forms[0];

// Words a log puts around a value in the same line.
const char* const LinePrefix = "08 09:26:42 Work: ";
const char* const LineSuffix = " (attempt 2)";

void Check(bool condition) {
    if (!condition) {
        abort();
    }
}

double ThreadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
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

// Neither the secret nor its first or last half (four bytes or more) is left in the line.
bool Hides(const std::string& line, const std::string& secret) {
    if (line.find(secret) != std::string::npos) {
        return false;
    }
    size_t half = (secret.size() + 1) / 2;
    return half < 4 || (line.find(secret.substr(0, half)) == std::string::npos &&
                        line.find(secret.substr(secret.size() - half)) == std::string::npos);
}

// Processor time of one masking of the input, in milliseconds.
double MaskingMilliseconds(const std::string& input) {
    int32_t count = 0;
    double start = ThreadMilliseconds();
    Masked(input, count);
    return ThreadMilliseconds() - start;
}

// Masks the input, checks the second pass and, when asked, the time it took: an input over the
// limit is timed once more, as a scan that starts again is slow every time, and a machine that
// stalls the fuzzer for a moment is not.
void CheckWholeInput(const std::string& input) {
    static const char* limit = getenv("VLD_FUZZ_MASK_MS");
    int32_t count = 0;
    std::string once = Masked(input, count);
    Check(!limit || MaskingMilliseconds(input) <= atof(limit) ||
          MaskingMilliseconds(input) <= atof(limit));
    int32_t again = 0;
    Check(Masked(once, again) == once && again == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string input(reinterpret_cast<const char*>(data), size);
    input = input.c_str(); // the Doctor's texts end at a NUL byte
    if (input.empty()) {
        return 0;
    }
    CheckWholeInput(input);

    uint8_t choice = static_cast<uint8_t>(input[0]);
    const PlantForm& form = Forms[choice % FormCount];
    bool inside = form.insideLine && (choice / FormCount) % 2 == 1;
    size_t count = input.size() > 1 ? static_cast<uint8_t>(input[1]) % 32 + 1 : 1;
    std::string secret = "Pw7";
    for (size_t i = 2; i < count + 2; ++i) {
        uint8_t c = i < input.size() ? static_cast<uint8_t>(input[i]) : 0;
        secret += form.pieces[c % form.pieceCount];
    }
    if (secret.back() == ' ') {
        secret.back() = 'q'; // blanks around a value are no part of it
    }
    std::string rest = input.size() > count + 2 ? input.substr(count + 2) : "";
    size_t cut = rest.empty() ? 0 : static_cast<uint8_t>(rest[0]) % rest.size();
    std::string before = rest.substr(0, cut);
    std::string after = rest.substr(cut);

    int32_t aroundCount = 0;
    std::string maskedBefore = Masked(before, aroundCount) + "\r\n";
    std::string maskedAfter = "\r\n" + Masked(after, aroundCount);
    std::string start = std::string(inside ? LinePrefix : "") + form.before;
    std::string end = std::string(form.after) + (inside ? LineSuffix : "");
    int32_t plantedCount = 0;
    std::string planted =
        Masked(before + "\r\n" + start + secret + end + "\r\n" + after, plantedCount);
    int32_t again = 0;
    Check(Masked(planted, again) == planted && again == 0);
    // What comes before the planted line masks as it would alone, unless a key block's END that
    // closes no block comes after it (each such END masks the body lines right before it, which
    // may reach back over the planted line); so does what comes after it, unless a private-key
    // block left open before it goes on over it.
    bool cutBlock = after.find("END") != std::string::npos;
    Check(cutBlock || StartsWith(planted, maskedBefore));
    bool openBlock = before.find("BEGIN") != std::string::npos;
    Check(openBlock || EndsWith(planted, maskedAfter));
    // The planted line keeps its key and the words around the secret, and loses the secret.
    size_t lineEnd = planted.find("\r\n", maskedBefore.size());
    Check(lineEnd != std::string::npos);
    std::string line = planted.substr(maskedBefore.size(), lineEnd - maskedBefore.size());
    Check(StartsWith(line, start));
    Check(EndsWith(line, end) || openBlock);
    Check(Hides(line, secret));
    Check(plantedCount > aroundCount || openBlock);
    return 0;
}
