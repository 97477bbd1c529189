#pragma once

#include <windows.h>

// Room for any account's security identifier.
struct AccountSid {
    BYTE bytes[SECURITY_MAX_SID_SIZE] = {};

    PSID Sid() { return bytes; }
};

// The local system account (S-1-5-18): what management tools often run programs as. Its
// HKEY_CURRENT_USER is the system's own hive, not the user's who uses Velmont.
bool IsLocalSystemSid(PSID sid);
// The account of this process's token; false, with the system's error, when it cannot be read.
bool ReadProcessUserSid(AccountSid& account);
// An account that cannot be read is not known to be the system account: the Doctor's trace
// says why, and the run goes on as a user's.
bool ProcessRunsAsLocalSystem();
