#pragma once

#include "diagnosis/RunContext.h"

#include <windows.h>

extern const char* const DoctorVersion;

Str FormatTimeLine(const SYSTEMTIME& time, const DWORD* serial);
void WriteReportHeader(RunContext& context);
