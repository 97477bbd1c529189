#pragma once

#include "diagnosis/EveryUser.h"

// The outputs of a run over every user: one section per user who was read, each what that user's
// own run gives, and the profiles that could not be read with the system's reason.
Str BuildUsersReport(const EveryUserRun& run);
Str BuildUsersJsonReport(const EveryUserRun& run);
Str BuildUsersCheckSummary(const EveryUserRun& run, bool unicodeMarks);

// "<text> (<code>)": why a profile's hive could not be read.
Str UnreadReason(const UserRun& user);
const char* HiveSourceName(HiveSource source);
