#pragma once

#include "diagnosis/RunContext.h"

// The product's own files, in the order they are looked for; ended by an empty entry.
extern const char* const ProductFileTable[];

// Second stage: the two system libraries, then every product file in the installation folder.
// 0 all there, 5 a system library missing or too old, 6 a product file cannot be opened.
StageCode ProductFilesCheck(RunContext& context);
