// The credential masker over any text: it never fails, a second pass changes nothing, and a
// password planted on a line of its own between two fuzzed texts never survives, while the
// texts around it mask as they would alone. First byte: length of the planted password (1 to
// 32); the next bytes: the password, drawn from characters that may stand in a value; the rest
// is cut in two by the byte after the password.
#include "base/CredentialMask.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

const char ValueCharacters[] = "abcXYZ019!#$%()*+,-./:<=>?@[]^_`{|}~\\";

void Check(bool condition) {
    if (!condition) {
        abort();
    }
}

std::string Masked(const std::string& text, int32_t& count) {
    Str masked = MaskCredentials(Str(text.c_str()), count);
    return std::string(masked.Text(), static_cast<size_t>(masked.Length()));
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

    size_t length = static_cast<uint8_t>(input[0]) % 32 + 1;
    std::string password;
    for (size_t i = 1; i <= length; ++i) {
        char c = i < input.size() ? input[i] : 'p';
        password += ValueCharacters[static_cast<uint8_t>(c) % (sizeof ValueCharacters - 1)];
    }
    std::string rest = input.size() > length + 1 ? input.substr(length + 1) : "";
    size_t cut = rest.empty() ? 0 : static_cast<uint8_t>(rest[0]) % rest.size();
    std::string before = rest.substr(0, cut);
    std::string after = rest.substr(cut);
    int32_t aroundCount = 0;
    std::string around =
        Masked(before, aroundCount) + "\r\npassword=****\r\n" + Masked(after, aroundCount);
    int32_t plantedCount = 0;
    Check(Masked(before + "\r\npassword=" + password + "\r\n" + after, plantedCount) == around);
    Check(plantedCount >= aroundCount);
    return 0;
}
