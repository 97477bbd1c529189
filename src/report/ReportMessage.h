#pragma once

#include "base/Str.h"
#include "diagnosis/RunContext.h"

// The message sent to support: the place-holder for the user's description, the prognosis, the
// report and the product's installation log, each under its heading.
Str BuildReportMessage(const Str& diagnosisText, const Str& reportText, const Str& installLog);

// The product's installation log (VLInst.log in its installation folder) in UTF-8, its line ends
// unchanged, and its credentials masked and counted in a line after the log; empty when there is
// none, also when no installation folder is known.
Str ReadInstallLog(const Str& installFolder);

// The message that Submit would send after a run with this result, report and installation.
Str MessageAfterRun(const AnalysisResult& analysis, const Str& reportText,
                    const Str& installFolder);
