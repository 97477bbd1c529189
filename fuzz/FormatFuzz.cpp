// Format with plain-text arguments, and the writes that follow it, against std::string: the
// result is the text cut to 8191 characters, and copies never see a later write.
#include "base/Str.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const size_t LongestFormatted = 8191;

void Check(bool condition) {
    if (!condition) {
        abort();
    }
}

void CheckText(const Str& s, const std::string& expected) {
    Check(s.Length() == static_cast<int32_t>(expected.size()));
    Check(strlen(s.Text()) == expected.size() && expected == s.Text());
    Check(s.Length() > 0 || s.BlockRefs() == 0);
    Check(s.Length() == 0 || s.Capacity() > s.Length());
}

std::string Cut(const std::string& text) {
    return text.substr(0, LongestFormatted);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    size_t split = 1 + (size - 1) * data[0] / 256;
    // Arguments are texts: each ends at its first NUL byte.
    std::string left(std::string(reinterpret_cast<const char*>(data + 1), split - 1).c_str());
    std::string right(
        std::string(reinterpret_cast<const char*>(data + split), size - split).c_str());

    Str s;
    s.Format("%s", left.c_str());
    CheckText(s, Cut(left));
    Str copy(s);
    s.Format("%s%s", left.c_str(), right.c_str());
    CheckText(s, Cut(left + right));
    CheckText(copy, Cut(left));
    s.Format("[%s]", right.c_str());
    CheckText(s, Cut("[" + right + "]"));

    copy.Append(right.c_str());
    CheckText(copy, Cut(left) + right);
    CheckText(Concat(copy, s), Cut(left) + right + Cut("[" + right + "]"));
    copy.Assign(copy.Text() + copy.Length() / 2);
    CheckText(copy, (Cut(left) + right).substr((Cut(left) + right).size() / 2));
    return 0;
}
