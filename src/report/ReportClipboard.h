#pragma once

#include "base/Str.h"

#include <windows.h>

// Puts the message on the clipboard as text and tells the user to paste it into a mail. Answers
// whether the text reached the clipboard.
bool PutReportOnClipboard(HWND owner, const Str& message);
