#pragma once

#include "report/SimpleMapi.h"

#include <windows.h>

#include <cstdint>

// One Simple MAPI log-on through the entry points of the loaded mail library (TheMapi).
class MailSession {
public:
    MailSession() = default;
    MailSession(const MailSession&) = delete;
    MailSession& operator=(const MailSession&) = delete;
    ~MailSession() { Logoff(); }

    bool Logon(HWND owner);
    bool Send(const char* recipient, const char* subject, const char* text, HWND owner);
    bool Logoff();
    bool HasSession() const { return session != NoSession; }
    void ReportError(const char* context, bool show) const;

    uint32_t LastError() const { return lastError; }
    LHANDLE Session() const { return session; }

    static constexpr LHANDLE NoSession = static_cast<LHANDLE>(-1);

private:
    bool IsOpen() const { return session != NoSession && session != 0; }
    void AutoLogoff();
    uint32_t SendNarrow(const char* recipient, const char* subject, const char* text, HWND owner);
    uint32_t SendWide(const char* recipient, const char* subject, const char* text, HWND owner);

    LHANDLE session = NoSession;
    uint32_t lastError = 0;
};

// The text of a Simple MAPI result code, or null when the code is out of range.
const char* MapiErrorText(uint32_t code);
