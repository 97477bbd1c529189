#pragma once

#include "diagnosis/RunContext.h"

// The run as a person reads it at a glance: the Doctor and the product, one line per stage with
// its mark, each finding with its fix under it, and how many problems there are. Marks are
// check marks and crosses where the console can draw them, else ASCII.
Str BuildCheckSummary(const RunContext& run, bool unicodeMarks);
// The same without its closing line: one user's part of a summary over every user.
Str BuildCheckBlock(const RunContext& run, bool unicodeMarks);

// Whether standard output is a console whose font has the summary's marks.
bool ConsoleShowsMarks();
