#include "framework/Menu.h"

bool Menu::AppendItem(UINT flags, UINT_PTR itemId, const char* text) {
    return handle && AppendMenuA(handle, flags, itemId, text);
}
