#pragma once

#include "diagnosis/RunContext.h"

#include <cstdint>

// Third stage: a summary of the current configuration, and the product's trace mode.
// 0 fine, 2 the configuration version is not 1, 3 no events or no alert schemes.
StageCode ConfigurationCheck(RunContext& context);

// The name and items of work group number (used unsigned).
void ListWorkGroup(RunContext& context, int32_t number);
