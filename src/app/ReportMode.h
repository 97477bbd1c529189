#pragma once

#include "app/CommandLine.h"

class DoctorApp;

int RunReportMode(DoctorApp& app, const CommandLine& command);
