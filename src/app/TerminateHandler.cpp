// The program is built without exceptions, so std::terminate can only follow a failed
// allocation or a broken invariant. The C++ library's default handler prints the exception's
// demangled type name first, which links its whole demangler (about 45 KiB) into a program that
// never shows that text: this one ends the program at once. It must be linked as an object of
// the program itself, not from a library, so that the linker takes it before the C++ library's.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx
