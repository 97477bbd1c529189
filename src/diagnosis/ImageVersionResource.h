#pragma once

#include "diagnosis/ByteSource.h"

#include <cstdint>

// Where a resource's bytes lie in its file.
struct ResourcePlace {
    int64_t offset = 0;
    uint32_t size = 0;
};

// Finds the version resource of an image file (PE32 or PE32+) in the file's bytes, the way the
// system finds a resource in a file it loads as data: the resource directory at the file offset
// of its address, the resource's own address translated through the section table. Only the
// plain case is answered: one version resource in one language, wholly inside the file, in an
// image without named resource types whose headers agree with the file. Anything else (no
// image, no such resource, several languages, a language-neutral file, a file cut short, a
// section past the end of the file, an empty resource directory, tables out of order) answers
// false, and the caller asks the system instead, which may then find no version at all.
bool FindVersionResource(ByteSource& file, ResourcePlace& place);
