// The version resource search over any bytes: it never reads outside the file, and a place it
// answers lies wholly inside the file. Where it answers, the same image damaged as the system's
// reader would refuse it (cut inside the resource, an empty resource directory, types out of
// order, a section past the end of the file) must be declined as well.
#include "diagnosis/ImageVersionResource.h"

#include "fuzz/MemorySource.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

uint32_t Get(const Bytes& bytes, size_t at, int width) {
    uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i) {
        value = value << 8 | (at + i < bytes.size() ? bytes[at + i] : 0);
    }
    return value;
}

void Put32(Bytes& bytes, size_t at, uint32_t value) {
    for (size_t i = 0; i < 4 && at + i < bytes.size(); ++i) {
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

// Where the headers that the damages change lie; the image was read once, so they are there.
struct Layout {
    size_t sections;
    uint32_t sectionCount;
    size_t resourceDirectory; // its data-directory entry: address, then size
    size_t root = 0;          // the resource directory's root in the file
    size_t rawEnd = 0;        // where the bytes of the section that holds it end
};

Layout LayoutOf(const Bytes& bytes) {
    size_t nt = Get(bytes, 0x3C, 4);
    size_t optional = nt + 24;
    Layout layout = {optional + Get(bytes, nt + 20, 2), Get(bytes, nt + 6, 2),
                     optional + (Get(bytes, optional, 2) == 0x10b ? 96 : 112) + 16};
    uint32_t address = Get(bytes, layout.resourceDirectory, 4);
    for (uint32_t i = 0; i < layout.sectionCount && !layout.rawEnd; ++i) {
        size_t section = layout.sections + i * 40;
        uint32_t start = Get(bytes, section + 12, 4);
        uint32_t rawSize = Get(bytes, section + 16, 4);
        if (address >= start && address - start < rawSize) {
            layout.root = Get(bytes, section + 20, 4) + (address - start);
            layout.rawEnd = static_cast<size_t>(Get(bytes, section + 20, 4)) + rawSize;
        }
    }
    return layout;
}

void ExpectDeclined(const Bytes& damaged) {
    MemorySource source(damaged.data(), static_cast<int64_t>(damaged.size()), false);
    ResourcePlace place;
    if (FindVersionResource(source, place)) {
        abort();
    }
}

// A cut anywhere from the version block to the end of the resource section's bytes.
void PlantDamages(const Bytes& image, const ResourcePlace& place, uint32_t choice) {
    Layout layout = LayoutOf(image);
    size_t blockStart = static_cast<size_t>(place.offset);
    if (layout.rawEnd > blockStart && layout.rawEnd <= image.size()) {
        size_t cut = blockStart + choice % (layout.rawEnd - blockStart);
        ExpectDeclined(Bytes(image.begin(), image.begin() + cut));
    }

    Bytes empty = image;
    Put32(empty, layout.resourceDirectory + 4, 0);
    ExpectDeclined(empty);

    size_t first = layout.root + 16 + 8 * Get(image, layout.root + 12, 2);
    if (layout.rawEnd && Get(image, layout.root + 14, 2) >= 2 && first + 16 <= image.size()) {
        Bytes unordered = image;
        std::swap_ranges(unordered.begin() + first, unordered.begin() + first + 8,
                         unordered.begin() + first + 8);
        ExpectDeclined(unordered);
    }

    // Past the end by one byte, and so far that the end wraps around 32 bits.
    size_t section = layout.sections + choice % layout.sectionCount * 40;
    uint32_t rawStart = Get(image, section + 20, 4);
    if (rawStart < image.size()) {
        Bytes overlong = image;
        Put32(overlong, section + 16, static_cast<uint32_t>(image.size() - rawStart + 1));
        ExpectDeclined(overlong);
        if (rawStart > 1) { // the end at 2^32 + 1
            Put32(overlong, section + 16, 0u - rawStart + 1);
            ExpectDeclined(overlong);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemorySource source(data, static_cast<int64_t>(size), false);
    ResourcePlace place;
    if (!FindVersionResource(source, place)) {
        return 0;
    }
    if (place.size == 0 || place.offset < 0 ||
        place.offset > static_cast<int64_t>(size) - static_cast<int64_t>(place.size)) {
        abort();
    }
    Bytes image(data, data + size);
    PlantDamages(image, place, Get(image, size / 2, 4));
    return 0;
}
