#include "app/StatusLine.h"

#include "diagnosis/StageState.h"

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

// The ids of the errors, then of the warnings, each once, in the order found.
std::vector<const char*> ProblemIds(const FindingList& findings) {
    std::vector<const char*> ids;
    for (Severity severity : {Severity::Error, Severity::Warning}) {
        for (int32_t i = 0; i < findings.Count(); ++i) {
            FindingId id = findings.At(i).Id;
            const char* name = FindingIdName(id);
            bool seen = false;
            for (const char* known : ids) {
                seen = seen || strcmp(known, name) == 0;
            }
            if (SeverityOf(id) == severity && !seen) {
                ids.push_back(name);
            }
        }
    }
    return ids;
}

} // namespace

Str BuildStatusLine(const RunContext& run) {
    std::string line = "Velmont ";
    line += RunStateName(StateOfRun(run));
    const char* separator = ": ";
    for (const char* id : ProblemIds(run.Findings)) {
        line += separator;
        line += id;
        separator = ", ";
    }
    line += "\r\n";
    return Str(line.c_str(), static_cast<int32_t>(line.size()));
}
