#include "diagnosis/ScheduleEvent.h"

#include "base/StrList.h"
#include "diagnosis/ParseInt.h"

ScheduleEvent::ScheduleEvent(const Str& entry) {
    TokenList fields;
    fields.Split(entry, ',', 7);
    text0 = fields.GetAt(0);
    number1 = ParseInt(fields.GetAt(1).Text());
    number2 = ParseInt(fields.GetAt(2).Text());
    workGroup = ParseInt(fields.GetAt(3).Text());
    text4 = fields.GetAt(4);
    number5 = ParseInt(fields.GetAt(5).Text());
    text6 = fields.GetAt(6);
}
