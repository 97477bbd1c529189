#include "diagnosis/ReportLine.h"

Str WholeLine(const Str& line) {
    if (line.Length() < Str::FormatLimit || line.Text()[line.Length() - 1] == '\n') {
        return line;
    }
    return Concat(Str(line.Text(), Str::FormatLimit - 2), "\r\n");
}
