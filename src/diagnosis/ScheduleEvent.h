#pragma once

#include "base/ObjectBase.h"
#include "base/Str.h"

#include <cstdint>

// One scheduled event of the product's configuration, made from an entry of seven
// comma-separated fields (missing fields read empty, numbers that are not numbers read 0).
class ScheduleEvent : public ObjectBase {
public:
    explicit ScheduleEvent(const Str& entry);

    Str text0;
    Str text4;
    int32_t number1 = 0;
    int32_t number2 = 0;
    int32_t workGroup = 0;
    int32_t number5 = 0;
    Str text6;
};
