#pragma once

#include "base/Str.h"

#include <windows.h>

// What the report dialog's Submit button does: the message goes into a mail prepared in the
// user's mail program when the user wants that and it works, onto the clipboard otherwise.
// installLog receives the installation log read for this message.
void SubmitReport(HWND owner, const Str& reportText, const Str& diagnosisText,
                  const Str& installFolder, Str& installLog);
