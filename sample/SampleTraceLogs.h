#pragma once

#include <string>

// Trace logs as the product writes them: "dd hh:mm:ss text" lines ending in CR LF.
std::string MonitorTraceLog();
std::string SchedulerTraceLog();
