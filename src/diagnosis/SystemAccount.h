#pragma once

#include <windows.h>

// The local system account (S-1-5-18): what management tools often run programs as. Its
// HKEY_CURRENT_USER is the system's own hive, not the user's who uses Velmont.
bool IsLocalSystemSid(PSID sid);
bool ProcessRunsAsLocalSystem();
