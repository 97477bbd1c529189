#pragma once

#include "SampleVariant.h"

// The other people of a machine with more than one user: a logged-off user with Velmont of her
// own, one without it, each with a profile folder, an NTUSER.DAT the system's loader reads and
// an entry in the system's profile list; and, in one variant, a profile whose folder is gone.
bool LaySampleUsers(const SampleVariant& variant);
void RemoveSampleUsers();
