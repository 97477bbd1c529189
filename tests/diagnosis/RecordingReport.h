#pragma once

#include "diagnosis/RunContext.h"

#include <string>
#include <vector>

// A run context that keeps every append apart, so tests see the lines and the pieces.
class RecordingReport : public RunContext {
public:
    void AppendToReport(const Str& text) override { appends.push_back(text.Text()); }

    std::string Text() const {
        std::string all;
        for (const std::string& piece : appends) {
            all += piece;
        }
        return all;
    }

    std::vector<std::string> appends;
};
