// The version resource search over any bytes: it never reads outside the file, and a place it
// answers lies wholly inside the file.
#include "diagnosis/ImageVersionResource.h"

#include "fuzz/MemorySource.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemorySource source(data, static_cast<int64_t>(size), false);
    ResourcePlace place;
    if (FindVersionResource(source, place) &&
        (place.size == 0 || place.offset < 0 ||
         place.offset > static_cast<int64_t>(size) - static_cast<int64_t>(place.size))) {
        abort();
    }
    return 0;
}
