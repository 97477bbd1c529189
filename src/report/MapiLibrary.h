#pragma once

#include "base/Str.h"
#include "report/SimpleMapi.h"

#include <windows.h>

// The entry points of the loaded mail library; all null while no library is loaded.
struct MapiFunctions {
    MapiLogonFunction Logon = nullptr;
    MapiLogoffFunction Logoff = nullptr;
    MapiSendMailFunction SendMail = nullptr;
    MapiSaveMailFunction SaveMail = nullptr;
    MapiReadMailFunction ReadMail = nullptr;
    MapiDeleteMailFunction DeleteMail = nullptr;
    MapiFindNextFunction FindNext = nullptr;
    MapiFreeBufferFunction FreeBuffer = nullptr;
    MapiAddressFunction Address = nullptr;
    MapiDetailsFunction Details = nullptr;
    MapiResolveNameFunction ResolveName = nullptr;
    // Optional: mail libraries before Windows 8 have no UTF-16 form.
    MapiSendMailWFunction SendMailW = nullptr;
};

extern MapiFunctions TheMapi;

// MAPI32.DLL in the system folder (empty when that is unknown): the library is loaded from there
// only, never from the program's folder or the search path.
Str MapiLibraryPath();
// The loaded library with all eleven entry points (and MAPISendMailW if it has it) in TheMapi, or
// null after a message box.
HMODULE LoadMapi();
void UnloadMapi(HMODULE library);
