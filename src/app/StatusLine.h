#pragma once

#include "diagnosis/RunContext.h"

// The run as one line for a management portal or a monitoring agent: the run's state and the
// id of each error and warning found, errors first, each id once ("Velmont problems:
// files.product-file-missing, configuration.no-alerts"). Plain ASCII, which reads the same in
// every code page a portal may decode a program's output with; nothing in it comes from the
// product. Every id there is, each once, fits in the 2,000 characters a portal shows.
Str BuildStatusLine(const RunContext& run);
