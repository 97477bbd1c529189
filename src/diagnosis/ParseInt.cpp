#include "diagnosis/ParseInt.h"

#include <cstdio>

int32_t ParseInt(const char* text) {
    int number = 0;
    if (!text || sscanf(text, "%d", &number) != 1) {
        return 0;
    }
    return number;
}
