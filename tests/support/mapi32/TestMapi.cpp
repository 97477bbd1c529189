// The test mail library. Outcomes come from the environment of the process that loads it:
//   VLD_MAPI_LOGON, VLD_MAPI_SEND, VLD_MAPI_LOGOFF  result codes of the three calls (default 0)
//   VLD_MAPI_SESSION                                session handle given on log-on (hex)
//   VLD_MAPI_RECORD                                 file that every call is appended to
// The other entry points only record their call and answer MAPI_E_NOT_SUPPORTED.

#include "report/SimpleMapi.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const LHANDLE DefaultSession = 0x5E55105E55ull;

unsigned long long Setting(const char* name, unsigned long long defaultValue) {
    char value[64] = {};
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    if (length == 0 || length >= sizeof value) {
        return defaultValue;
    }
    return strtoull(value, nullptr, 0);
}

ULONG Outcome(const char* name) {
    return static_cast<ULONG>(Setting(name, 0));
}

class Record {
public:
    Record() {
        char path[MAX_PATH] = {};
        DWORD length = GetEnvironmentVariableA("VLD_MAPI_RECORD", path, sizeof path);
        file = length > 0 && length < sizeof path ? fopen(path, "ab") : nullptr;
    }
    Record(const Record&) = delete;
    Record& operator=(const Record&) = delete;
    ~Record() {
        if (file) {
            fclose(file);
        }
    }

    FILE* File() const { return file; }

private:
    FILE* file;
};

const char* Shown(const char* text) {
    return text ? text : "<null>";
}

unsigned long long Number(ULONG_PTR value) {
    return static_cast<unsigned long long>(value);
}

void WriteRecipient(FILE* file, const MapiRecipDesc& recip) {
    fprintf(file, "recipient reserved=%lx class=%lu name=%s address=%s eidsize=%lu eid=%s\n",
            recip.ulReserved, recip.ulRecipClass, Shown(recip.lpszName), Shown(recip.lpszAddress),
            recip.ulEIDSize, recip.lpEntryID ? "set" : "<null>");
}

// The note text is written with its length first, so that any bytes in it are kept exactly.
void WriteMessage(FILE* file, const MapiMessage& message) {
    fprintf(file,
            "message reserved=%lx flags=%lx type=%s date=%s conversation=%s originator=%s "
            "recipients=%lu files=%lu attachments=%s\n",
            message.ulReserved, message.flFlags, Shown(message.lpszMessageType),
            Shown(message.lpszDateReceived), Shown(message.lpszConversationID),
            message.lpOriginator ? "set" : "<null>", message.nRecipCount, message.nFileCount,
            message.lpFiles ? "set" : "<null>");
    for (ULONG i = 0; message.lpRecips && i < message.nRecipCount && i < 10; ++i) {
        WriteRecipient(file, message.lpRecips[i]);
    }
    fprintf(file, "subject=%s\n", Shown(message.lpszSubject));
    const char* note = message.lpszNoteText;
    fprintf(file, "note %s\n", note ? std::to_string(strlen(note)).c_str() : "<null>");
    if (note) {
        fwrite(note, 1, strlen(note), file);
        fputs("\n", file);
    }
}

// The UTF-16 texts recorded as UTF-8, so that a test compares them with the Doctor's own text.
std::string Utf8(const wchar_t* text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(size > 0 ? size : 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &bytes[0], size, nullptr, nullptr);
    bytes.resize(bytes.size() - 1);
    return bytes;
}

// The line that each call on a session starts its record with.
void WriteSessionCall(FILE* file, const char* call, LHANDLE session, ULONG_PTR uiParam, FLAGS flags,
                      ULONG reserved) {
    fprintf(file, "%s session=%llx ui=%llx flags=%lx reserved=%lx\n", call, Number(session),
            Number(uiParam), flags, reserved);
}

ULONG NotSupported(const char* name) {
    Record record;
    if (record.File()) {
        fprintf(record.File(), "%s\n", name);
    }
    return MAPI_E_NOT_SUPPORTED;
}

} // namespace

extern "C" {

ULONG WINAPI MAPILogon(ULONG_PTR uiParam, LPSTR profileName, LPSTR password, FLAGS flags,
                       ULONG reserved, LPLHANDLE session) {
    Record record;
    if (record.File()) {
        fprintf(record.File(), "MAPILogon ui=%llx profile=%s password=%s flags=%lx reserved=%lx\n",
                Number(uiParam), Shown(profileName), Shown(password), flags, reserved);
    }
    ULONG result = Outcome("VLD_MAPI_LOGON");
    if (result == SUCCESS_SUCCESS && session) {
        *session = static_cast<LHANDLE>(Setting("VLD_MAPI_SESSION", DefaultSession));
    }
    return result;
}

ULONG WINAPI MAPILogoff(LHANDLE session, ULONG_PTR uiParam, FLAGS flags, ULONG reserved) {
    Record record;
    if (record.File()) {
        WriteSessionCall(record.File(), "MAPILogoff", session, uiParam, flags, reserved);
    }
    return Outcome("VLD_MAPI_LOGOFF");
}

ULONG WINAPI MAPISendMail(LHANDLE session, ULONG_PTR uiParam, MapiMessage* message, FLAGS flags,
                          ULONG reserved) {
    Record record;
    if (record.File()) {
        WriteSessionCall(record.File(), "MAPISendMail", session, uiParam, flags, reserved);
        if (message) {
            WriteMessage(record.File(), *message);
        }
    }
    return Outcome("VLD_MAPI_SEND");
}

// Recorded as the 8-bit call would be, its texts converted: one record reads the same for both.
ULONG WINAPI MAPISendMailW(LHANDLE session, ULONG_PTR uiParam, MapiMessageW* message, FLAGS flags,
                           ULONG reserved) {
    Record record;
    if (record.File()) {
        WriteSessionCall(record.File(), "MAPISendMailW", session, uiParam, flags, reserved);
    }
    if (!record.File() || !message) {
        return Outcome("VLD_MAPI_SEND");
    }
    std::vector<MapiRecipDesc> recips(message->lpRecips ? message->nRecipCount : 0);
    std::vector<std::string> texts;
    texts.reserve(2 * recips.size());
    auto narrowed = [&texts](const wchar_t* text) -> LPSTR {
        if (!text) {
            return nullptr;
        }
        texts.push_back(Utf8(text));
        return &texts.back()[0];
    };
    for (size_t i = 0; i < recips.size() && i < 10; ++i) {
        const MapiRecipDescW& wide = message->lpRecips[i];
        recips[i] = {wide.ulReserved,         wide.ulRecipClass,
                     narrowed(wide.lpszName), narrowed(wide.lpszAddress),
                     wide.ulEIDSize,          wide.lpEntryID};
    }
    std::string subject = message->lpszSubject ? Utf8(message->lpszSubject) : "";
    std::string note = message->lpszNoteText ? Utf8(message->lpszNoteText) : "";
    MapiMessage narrow = {};
    narrow.flFlags = message->flFlags;
    narrow.nRecipCount = message->nRecipCount;
    narrow.lpRecips = recips.empty() ? nullptr : recips.data();
    narrow.lpszSubject = message->lpszSubject ? &subject[0] : nullptr;
    narrow.lpszNoteText = message->lpszNoteText ? &note[0] : nullptr;
    narrow.nFileCount = message->nFileCount;
    WriteMessage(record.File(), narrow);
    return Outcome("VLD_MAPI_SEND");
}

ULONG WINAPI MAPISaveMail(LHANDLE, ULONG_PTR, MapiMessage*, FLAGS, ULONG, LPSTR) {
    return NotSupported("MAPISaveMail");
}

ULONG WINAPI MAPIReadMail(LHANDLE, ULONG_PTR, LPSTR, FLAGS, ULONG, MapiMessage**) {
    return NotSupported("MAPIReadMail");
}

ULONG WINAPI MAPIDeleteMail(LHANDLE, ULONG_PTR, LPSTR, FLAGS, ULONG) {
    return NotSupported("MAPIDeleteMail");
}

ULONG WINAPI MAPIFindNext(LHANDLE, ULONG_PTR, LPSTR, LPSTR, FLAGS, ULONG, LPSTR) {
    return NotSupported("MAPIFindNext");
}

ULONG WINAPI MAPIFreeBuffer(LPVOID) {
    return NotSupported("MAPIFreeBuffer");
}

ULONG WINAPI MAPIAddress(LHANDLE, ULONG_PTR, LPSTR, ULONG, LPSTR, ULONG, MapiRecipDesc*, FLAGS,
                         ULONG, ULONG*, MapiRecipDesc**) {
    return NotSupported("MAPIAddress");
}

ULONG WINAPI MAPIDetails(LHANDLE, ULONG_PTR, MapiRecipDesc*, FLAGS, ULONG) {
    return NotSupported("MAPIDetails");
}

ULONG WINAPI MAPIResolveName(LHANDLE, ULONG_PTR, LPSTR, FLAGS, ULONG, MapiRecipDesc**) {
    return NotSupported("MAPIResolveName");
}

} // extern "C"
