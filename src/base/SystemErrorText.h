#pragma once

#include "base/Str.h"

#include <cstdint>

Str SystemErrorText(uint32_t code);
