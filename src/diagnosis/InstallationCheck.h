#pragma once

#include "diagnosis/RunContext.h"

extern const char* const ProductUninstallKey;

// First stage: is the product installed for this user, where, with which configuration.
// 0 consistent, 1 not installed, 3 configuration folder or report log setting missing,
// 6 settings unreadable, no installation folder, or an uninstall entry without command.
StageCode InstallationCheck(RunContext& context);
