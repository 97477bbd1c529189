#pragma once

#include <cstddef>

// The handles this process holds, as the system's handle list gives them (Wine answers
// GetProcessHandleCount with 0 whatever is open); 0 when the list cannot be had.
size_t OwnHandleCount();
