#pragma once

#include <string>

// Trace logs as the product writes them: "dd hh:mm:ss text" lines ending in CR LF.
// With logins, the monitor's log shows the password, header and token it logged in with. The
// international ones end with a line in Windows-1252 (the monitor's) or in UTF-8 (the scheduler's).
std::string MonitorTraceLog(bool logins, bool international);
std::string SchedulerTraceLog(bool international);
// The trace of a second user's own configuration.
std::string FieldTraceLog();
