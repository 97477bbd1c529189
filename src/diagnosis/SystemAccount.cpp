#include "diagnosis/SystemAccount.h"

#include "base/SystemErrorText.h"
#include "trace/TraceLog.h"

namespace {

class TokenHandle {
public:
    TokenHandle() {
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &handle)) {
            handle = nullptr;
        }
    }
    TokenHandle(const TokenHandle&) = delete;
    TokenHandle& operator=(const TokenHandle&) = delete;
    ~TokenHandle() {
        if (handle) {
            CloseHandle(handle);
        }
    }

    HANDLE Handle() const { return handle; }

private:
    HANDLE handle = nullptr;
};

} // namespace

bool IsLocalSystemSid(PSID sid) {
    return sid && IsValidSid(sid) && IsWellKnownSid(sid, WinLocalSystemSid);
}

bool ReadProcessUserSid(AccountSid& account) {
    TokenHandle token;
    if (!token.Handle()) {
        return false;
    }
    union {
        TOKEN_USER user;
        BYTE bytes[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    } buffer = {};
    DWORD size = 0;
    if (!GetTokenInformation(token.Handle(), TokenUser, &buffer, sizeof buffer, &size)) {
        return false;
    }
    return CopySid(sizeof account.bytes, account.Sid(), buffer.user.User.Sid);
}

bool ProcessRunsAsLocalSystem() {
    AccountSid account;
    if (!ReadProcessUserSid(account)) {
        DWORD error = GetLastError();
        Trace(1, "Cannot read the account the Doctor runs as (error %lu): %s",
              static_cast<unsigned long>(error), SystemErrorText(error).Text());
        return false;
    }
    return IsLocalSystemSid(account.Sid());
}
