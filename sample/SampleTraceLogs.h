#pragma once

#include <string>

// Trace logs as the product writes them: "dd hh:mm:ss text" lines ending in CR LF.
// With logins, the monitor's log shows the password, header and token it logged in with.
std::string MonitorTraceLog(bool logins);
std::string SchedulerTraceLog();
