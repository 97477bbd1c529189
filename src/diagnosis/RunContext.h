#pragma once

#include "base/Str.h"
#include "diagnosis/Finding.h"
#include "diagnosis/MachineReadings.h"
#include "diagnosis/RunFacts.h"
#include "diagnosis/StageCodes.h"

struct AnalysisResult {
    StageCode InstallResult = InstallCode::Installed;
    StageCode FilesResult = FilesCode::Present;
    StageCode ConfigResult = ConfigCode::Fine;
};

// What every check works on: the report it appends to and the facts of the run. The main window
// is one such context, a report collected in memory another; no check knows which.
class RunContext {
public:
    RunContext() = default;
    RunContext(const RunContext&) = delete;
    RunContext& operator=(const RunContext&) = delete;
    virtual ~RunContext() = default;
    virtual void AppendToReport(const Str& text) = 0;
    // Whether the run is under the local system account rather than a user's.
    virtual bool UnderSystemAccount() const;
    Str AppendProductText(const Str& text);
    static Str Masked(const Str& text);
    void AddFinding(FindingId id, const Str& title, const Str& fix,
                    const Evidence& evidence = Evidence());

    AnalysisResult Analysis;
    Str InstallFolder;
    Str ConfigFolder;
    Str ConfigName;
    bool TraceModeOn = false;
    int32_t MaskedCredentials = 0;
    bool SystemAccount = false;
    RunFacts Facts;
    FindingList Findings;
    // The machine's part, read afresh by each pass; a run over every user points all its
    // users' passes to one set.
    MachineReadings OwnMachine;
    MachineReadings* Machine = &OwnMachine;
};
