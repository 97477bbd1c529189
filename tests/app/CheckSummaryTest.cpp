#include "app/CheckSummary.h"
#include "app/ReportMode.h"
#include "app/StatusLine.h"
#include "diagnosis/MemoryReport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct MixedCase {
    const char* name;
    StageCode files, configuration;
    std::vector<FindingId> found;
    const char* filesMark; // the files and configuration lines' marks
    const char* configurationMark;
    const char* closing; // the closing line up to its first full stop
    int exitCode;
    const char* status;
};

// Runs whose findings mix severities, as checks record them: a stage is marked by its worst.
const MixedCase MixedCases[] = {
    {"a stage with only a warning",
     0,
     ConfigCode::WrongVersion,
     {FindingId::TraceModeOn, FindingId::ConfigVersionUnknown},
     "[ok]",
     "[!] ",
     "1 problem found.",
     1,
     "Velmont problems: configuration.version-unknown"},
    {"a stage with an error and a warning",
     0,
     ConfigCode::NothingConfigured,
     {FindingId::NoAlerts, FindingId::NoEvents, FindingId::NoSites},
     "[ok]",
     "[x] ",
     "2 problems found.",
     1,
     "Velmont problems: configuration.no-events, configuration.no-alerts"},
    {"warnings only, one with every stage code 0",
     0,
     ConfigCode::WrongVersion,
     {FindingId::ProductFileVersionUnreadable, FindingId::ProductFileVersionUnreadable,
      FindingId::ConfigVersionUnknown},
     "[!] ",
     "[!] ",
     "3 problems found.",
     1,
     "Velmont problems: files.product-file-version-unreadable, configuration.version-unknown"},
    {"errors in two stages and a warning",
     FilesCode::ProductFileMissing,
     ConfigCode::NothingConfigured,
     {FindingId::ProductFileVersionUnreadable, FindingId::ProductFileMissing, FindingId::NoAlerts},
     "[x] ",
     "[!] ",
     "3 problems found.",
     1,
     "Velmont problems: files.product-file-missing, files.product-file-version-unreadable, "
     "configuration.no-alerts"},
    {"what is only worth knowing",
     0,
     0,
     {FindingId::TraceModeOn, FindingId::NoSites},
     "[ok]",
     "[ok]",
     "No problems found.",
     0,
     "Velmont healthy"},
};

std::string LineOf(const std::string& summary, const char* stage) {
    size_t at = summary.find(std::string(" ") + stage + "  ");
    size_t start = summary.rfind('\n', at) + 1;
    return at == std::string::npos ? "" : summary.substr(start, summary.find('\r', at) - start);
}

} // namespace

TEST(CheckSummary, MarksEachStageByItsWorstFindingAndCountsErrorsAndWarnings) {
    for (const MixedCase& c : MixedCases) {
        MemoryReport run;
        run.InstallFolder.Assign("C:\\Velmont");
        run.Analysis.FilesResult = c.files;
        run.Analysis.ConfigResult = c.configuration;
        for (FindingId id : c.found) {
            run.AddFinding(id, Str("title"), Str("fix"));
        }
        std::string summary = BuildCheckSummary(run, false).Text();
        EXPECT_EQ(0u, LineOf(summary, "Files").find(c.filesMark)) << c.name << "\n" << summary;
        EXPECT_EQ(0u, LineOf(summary, "Configuration").find(c.configurationMark)) << c.name;
        EXPECT_NE(std::string::npos, summary.find("\r\n" + std::string(c.closing) + " "))
            << c.name << "\n"
            << summary;
        EXPECT_EQ(c.exitCode, ExitCodeFor(run)) << c.name;
        EXPECT_EQ(std::string(c.status) + "\r\n", BuildStatusLine(run).Text()) << c.name;
    }
}

// A portal shows 2,048 characters of the line: a run that finds every kind of problem at once,
// each many times, still fits, each id named once.
TEST(CheckSummary, TheStatusLineNamesEachIdOnceAndFitsAPortal) {
    MemoryReport run;
    run.Analysis.FilesResult = FilesCode::ProductFileMissing;
    for (int i = 0; i < FindingList::MostFindings; ++i) {
        run.AddFinding(static_cast<FindingId>(i % (static_cast<int>(FindingId::SystemAccount) + 1)),
                       Str("title"), Str("fix"));
    }
    std::string line = BuildStatusLine(run).Text();
    EXPECT_LE(line.size(), 2002u);
    EXPECT_EQ(std::string::npos, line.find_first_not_of("abcdefghijklmnopqrstuvwxyz-.,: \r\nV"));
    for (int id = 0; id <= static_cast<int>(FindingId::SystemAccount); ++id) {
        std::string name = FindingIdName(static_cast<FindingId>(id));
        bool named = line.find(" " + name + ",") != std::string::npos ||
                     line.find(" " + name + "\r") != std::string::npos;
        EXPECT_EQ(SeverityOf(static_cast<FindingId>(id)) != Severity::Info, named) << name;
        EXPECT_EQ(line.find(" " + name + ","), line.rfind(" " + name + ",")) << name;
    }
}
