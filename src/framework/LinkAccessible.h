#pragma once

#include <windows.h>

// The answer to WM_GETOBJECT for a link's client area: the system's description of the static
// control, with the role of a link. 0 when the accessibility library is not there.
LRESULT AnswerLinkObjectRequest(HWND link, WPARAM flags);
