#pragma once

#include "SampleVariant.h"

// The product's keys in the user's registry and the machine's 32-bit view.
bool LaySampleRegistry(const SampleVariant& variant);
void RemoveSampleRegistry();
