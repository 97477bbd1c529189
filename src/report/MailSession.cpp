#include "report/MailSession.h"

#include "base/TextEncoding.h"
#include "report/MapiLibrary.h"
#include "report/WaitCursor.h"
#include "trace/TraceLog.h"

#include <cstring>

namespace {

const char* const ErrorTexts[] = {
    "No Error",
    "Cancelled by user",
    "Mapi Failure",
    "Login Failure",
    "Disk Full",
    "Insufficient Memory",
    "Access Denied",
    "Unknown Error",
    "Too Many Sessions",
    "Too Many Files",
    "Too Many Recipients",
    "Attachment Not Found",
    "Attachment Open Failure",
    "Attachment Write Failure",
    "Unknown Recipient",
    "Bad Recipient Type",
    "No Messages",
    "Invalid Message",
    "Text Too Large",
    "Invalid Session",
    "Type Not Supported",
    "Ambiguous Recipient",
    "Message In Use",
    "Network Failure",
    "Invalid Edit Fields",
    "Invalid Recipients",
    "Not Supported",
};

const uint32_t ErrorTextCount = sizeof ErrorTexts / sizeof ErrorTexts[0];

ULONG_PTR WindowParam(HWND owner) {
    return reinterpret_cast<ULONG_PTR>(owner);
}

// The handle as the trace shows it: a 32-bit number.
unsigned long TraceHandle(LHANDLE session) {
    return static_cast<unsigned long>(session);
}

std::wstring Wide(const char* text) {
    return WideFromUtf8(text, static_cast<int32_t>(strlen(text)));
}

} // namespace

const char* MapiErrorText(uint32_t code) {
    return code < ErrorTextCount ? ErrorTexts[code] : nullptr;
}

// A failed log-on opens no session, whatever the library left in the handle.
bool MailSession::Logon(HWND owner) {
    if (!TheMapi.Logon || !TheMapi.Logoff) {
        lastError = MAPI_E_FAILURE;
        return false;
    }
    if (IsOpen()) {
        AutoLogoff();
    }
    WaitCursor cursor;
    lastError = TheMapi.Logon(WindowParam(owner), nullptr, nullptr, MAPI_LOGON_UI, 0, &session);
    cursor.Restore();
    Trace(3, "MAPI Logon %lx %d", TraceHandle(session), static_cast<int>(lastError));
    if (lastError != SUCCESS_SUCCESS) {
        session = NoSession;
    }
    return lastError == SUCCESS_SUCCESS;
}

// A failure is shown, but the new log-on goes ahead all the same.
void MailSession::AutoLogoff() {
    Trace(1, "Auto Logoff");
    lastError = TheMapi.Logoff(session, 0, 0, 0);
    if (lastError != SUCCESS_SUCCESS) {
        ReportError("Auto Logoff failed", true);
    }
    session = NoSession;
}

bool MailSession::Send(const char* recipient, const char* subject, const char* text, HWND owner) {
    if (session == NoSession) {
        lastError = MAPI_E_TYPE_NOT_SUPPORTED;
        return false;
    }
    if (!TheMapi.SendMail) {
        lastError = MAPI_E_FAILURE;
        return false;
    }
    WaitCursor cursor;
    lastError = TheMapi.SendMailW ? SendWide(recipient, subject, text, owner)
                                  : SendNarrow(recipient, subject, text, owner);
    cursor.Restore();
    Trace(3, "MAPI Send");
    return lastError == SUCCESS_SUCCESS;
}

uint32_t MailSession::SendNarrow(const char* recipient, const char* subject, const char* text,
                                 HWND owner) {
    MapiRecipDesc recip = {};
    recip.ulRecipClass = MAPI_TO;
    recip.lpszName = const_cast<LPSTR>(recipient);
    MapiMessage message = {};
    message.lpszSubject = const_cast<LPSTR>(subject);
    message.lpszNoteText = const_cast<LPSTR>(text);
    message.nRecipCount = 1;
    message.lpRecips = &recip;
    return TheMapi.SendMail(session, WindowParam(owner), &message, MAPI_DIALOG, 0);
}

// The UTF-16 form carries every character whatever code page the mail program runs in.
uint32_t MailSession::SendWide(const char* recipient, const char* subject, const char* text,
                               HWND owner) {
    std::wstring recipientText = Wide(recipient);
    std::wstring subjectText = Wide(subject);
    std::wstring noteText = Wide(text);
    MapiRecipDescW recip = {};
    recip.ulRecipClass = MAPI_TO;
    recip.lpszName = &recipientText[0];
    MapiMessageW message = {};
    message.lpszSubject = &subjectText[0];
    message.lpszNoteText = &noteText[0];
    message.nRecipCount = 1;
    message.lpRecips = &recip;
    return TheMapi.SendMailW(session, WindowParam(owner), &message, MAPI_DIALOG, 0);
}

bool MailSession::Logoff() {
    if (!IsOpen()) {
        return true;
    }
    if (!TheMapi.Logoff) {
        lastError = MAPI_E_FAILURE;
        session = NoSession;
        return false;
    }
    lastError = TheMapi.Logoff(session, 0, 0, 0);
    Trace(3, "MAPI Logoff %lx", TraceHandle(session));
    session = NoSession;
    if (lastError != SUCCESS_SUCCESS) {
        ReportError("Shutdown Logoff failed", true);
        return false;
    }
    return true;
}

void MailSession::ReportError(const char* context, bool show) const {
    int32_t mask = show ? 0 : 1;
    const char* text = MapiErrorText(lastError);
    if (text) {
        Trace(mask, "%s : %s", context, text);
    } else {
        Trace(mask, "%s : Error out of range %d", context, static_cast<int>(lastError));
    }
}
