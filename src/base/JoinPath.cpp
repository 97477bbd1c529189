#include "base/JoinPath.h"

Str JoinPath(const Str& folder, const char* name) {
    return Concat(Concat(folder, "\\"), name);
}
