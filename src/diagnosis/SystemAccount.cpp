#include "diagnosis/SystemAccount.h"

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

// An account that cannot be read is taken for a user's.
bool ProcessRunsAsLocalSystem() {
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
    return IsLocalSystemSid(buffer.user.User.Sid);
}
