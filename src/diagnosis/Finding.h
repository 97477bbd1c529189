#pragma once

#include "base/Str.h"

#include <cstdint>
#include <vector>

// One thing a run found wrong (or worth knowing), in a form a person and a program can act on:
// a stable id, the stage whose check found it, how bad it is, a title, what proves it and the one
// step that mends it. Checks record findings beside the report lines that prove them.

enum class FindingStage { Installation, Files, Configuration, Doctor };
enum class Severity { Error, Warning, Info };

enum class FindingId {
    NotInstalled,
    SettingsUnreadable,
    InstallFolderUnknown,
    UninstallCommandMissing,
    ConfigFolderMissing,
    ConfigFolderUnreachable,
    LogFileUnset,
    SystemLibraryMissing,
    SystemLibraryOutdated,
    ProductFileMissing,
    ProductFileUnreadable,
    ProductFileVersionUnreadable,
    ConfigVersionUnknown,
    NoEvents,
    NoAlerts,
    NoSites,
    TraceModeOn,
    PathTimedOut,
    SystemAccount, // the last: tests walk the ids up to it
};

// What proves a finding; empty fields were not part of it.
struct Evidence {
    Str Path;      // the file, folder or registry key concerned
    Str Value;     // the registry value of that key, when the finding is about one
    Str Found;     // the value or version found
    Str Required;  // the value or version required
    Str ErrorText; // the system's answer, without its line end
    uint32_t ErrorCode = 0;
};

struct Finding {
    FindingId Id;
    Str Title;
    Str Fix;
    Evidence Proof;
};

const char* FindingIdName(FindingId id);
FindingStage StageOf(FindingId id);
Severity SeverityOf(FindingId id);
const char* StageName(FindingStage stage);
const char* SeverityName(Severity severity);

// The findings of one run, in the order the checks found them. A run finds a few dozen at most;
// beyond MostFindings the rest are dropped rather than grown without bound.
class FindingList {
public:
    static constexpr int32_t MostFindings = 100;

    void Add(const Finding& finding);
    void Clear() { items.clear(); }
    int32_t Count() const { return static_cast<int32_t>(items.size()); }
    const Finding& At(int32_t index) const { return items[static_cast<size_t>(index)]; }
    int32_t CountOf(Severity severity) const;
    // The most severe finding of a stage; false when the stage has none.
    bool WorstIn(FindingStage stage, Severity& worst) const;

private:
    std::vector<Finding> items;
};

// A system text as one line: without the line end FormatMessage gives it.
Str WithoutLineEnd(const Str& text);
// A text with each line break inside it made a space: product names may hold any character.
Str AsOneLine(const Str& text);
