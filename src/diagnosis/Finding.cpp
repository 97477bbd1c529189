#include "diagnosis/Finding.h"

#include <string>

namespace {

struct FindingKind {
    FindingId id;
    const char* name;
    FindingStage stage;
    Severity severity;
};

// The names are part of the JSON report and of administrators' scripts: never change one.
const FindingKind Kinds[] = {
    {FindingId::NotInstalled, "installation.not-installed", FindingStage::Installation,
     Severity::Error},
    {FindingId::SettingsUnreadable, "installation.settings-unreadable", FindingStage::Installation,
     Severity::Error},
    {FindingId::InstallFolderUnknown, "installation.install-folder-unknown",
     FindingStage::Installation, Severity::Error},
    {FindingId::UninstallCommandMissing, "installation.uninstall-command-missing",
     FindingStage::Installation, Severity::Error},
    {FindingId::ConfigFolderMissing, "installation.config-folder-missing",
     FindingStage::Installation, Severity::Error},
    {FindingId::ConfigFolderUnreachable, "installation.config-folder-unreachable",
     FindingStage::Installation, Severity::Error},
    {FindingId::LogFileUnset, "installation.log-file-unset", FindingStage::Installation,
     Severity::Error},
    {FindingId::SystemLibraryMissing, "files.system-library-missing", FindingStage::Files,
     Severity::Error},
    {FindingId::SystemLibraryOutdated, "files.system-library-outdated", FindingStage::Files,
     Severity::Error},
    {FindingId::ProductFileMissing, "files.product-file-missing", FindingStage::Files,
     Severity::Error},
    {FindingId::ProductFileUnreadable, "files.product-file-unreadable", FindingStage::Files,
     Severity::Error},
    {FindingId::ProductFileVersionUnreadable, "files.product-file-version-unreadable",
     FindingStage::Files, Severity::Warning},
    {FindingId::ConfigVersionUnknown, "configuration.version-unknown", FindingStage::Configuration,
     Severity::Warning},
    {FindingId::NoEvents, "configuration.no-events", FindingStage::Configuration, Severity::Error},
    {FindingId::NoAlerts, "configuration.no-alerts", FindingStage::Configuration,
     Severity::Warning},
    {FindingId::NoSites, "configuration.no-sites", FindingStage::Configuration, Severity::Info},
    {FindingId::TraceModeOn, "configuration.trace-mode-on", FindingStage::Configuration,
     Severity::Info},
    {FindingId::PathTimedOut, "doctor.path-timed-out", FindingStage::Doctor, Severity::Info},
    {FindingId::SystemAccount, "doctor.system-account", FindingStage::Doctor, Severity::Warning},
};

const FindingKind& KindOf(FindingId id) {
    for (const FindingKind& kind : Kinds) {
        if (kind.id == id) {
            return kind;
        }
    }
    return Kinds[0];
}

} // namespace

const char* FindingIdName(FindingId id) {
    return KindOf(id).name;
}

FindingStage StageOf(FindingId id) {
    return KindOf(id).stage;
}

Severity SeverityOf(FindingId id) {
    return KindOf(id).severity;
}

const char* StageName(FindingStage stage) {
    switch (stage) {
    case FindingStage::Installation:
        return "installation";
    case FindingStage::Files:
        return "files";
    case FindingStage::Configuration:
        return "configuration";
    default:
        return "doctor";
    }
}

const char* SeverityName(Severity severity) {
    switch (severity) {
    case Severity::Error:
        return "error";
    case Severity::Warning:
        return "warning";
    default:
        return "info";
    }
}

void FindingList::Add(const Finding& finding) {
    if (Count() < MostFindings) {
        items.push_back(finding);
    }
}

int32_t FindingList::CountOf(Severity severity) const {
    int32_t count = 0;
    for (const Finding& finding : items) {
        count += SeverityOf(finding.Id) == severity ? 1 : 0;
    }
    return count;
}

bool FindingList::WorstIn(FindingStage stage, Severity& worst) const {
    bool any = false;
    for (const Finding& finding : items) {
        if (StageOf(finding.Id) != stage) {
            continue;
        }
        Severity severity = SeverityOf(finding.Id);
        if (!any || severity < worst) {
            worst = severity;
        }
        any = true;
    }
    return any;
}

Str AsOneLine(const Str& text) {
    std::string line(text.Text(), static_cast<size_t>(text.Length()));
    for (char& c : line) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return Str(line.c_str(), static_cast<int32_t>(line.size()));
}

Str WithoutLineEnd(const Str& text) {
    int32_t length = text.Length();
    while (length > 0 && (text.Text()[length - 1] == '\r' || text.Text()[length - 1] == '\n')) {
        --length;
    }
    return Str(text.Text(), length);
}
