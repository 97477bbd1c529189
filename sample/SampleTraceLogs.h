#pragma once

#include <string>

// Trace logs as the product writes them: "dd hh:mm:ss text" lines ending in CR LF. The
// international ones end with a line in Windows-1252 (the monitor's) or in UTF-8 (the scheduler's).
std::string MonitorTraceLog(bool international);
std::string SchedulerTraceLog(bool international);
