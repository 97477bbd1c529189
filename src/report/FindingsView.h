#pragma once

#include "diagnosis/Finding.h"

#include <windows.h>

#include <vector>

// The findings of a run in the report dialog: a list box with one line per finding, its
// severity's icon drawn before a text that starts with the severity's word (what a screen reader
// says), and below it the fix of the selected finding. With no finding the list says so.
class FindingsView {
public:
    void Fill(HWND dialog, const FindingList& findings);
    void ShowSelectedFix() const;
    void Draw(const DRAWITEMSTRUCT& item) const;

private:
    struct Line {
        Str text;
        Str fix;
    };

    void AddLine(const Str& text, const Str& fix, LPARAM severityData);

    HWND dialog = nullptr;
    std::vector<Line> lines; // as the list box holds them
};
