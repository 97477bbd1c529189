#pragma once

#include "diagnosis/RunContext.h"

// A run context without a window: the report is kept whole in memory.
class MemoryReport : public RunContext {
public:
    void AppendToReport(const Str& text) override { report.Append(text); }
    const Str& Text() const { return report; }
    void Clear() { report.Empty(); }

private:
    Str report;
};
