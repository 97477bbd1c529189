#include "report/Prognosis.h"

#include "diagnosis/StageState.h"
#include "resources/ResourceIds.h"

namespace {

const Prognosis Healthy = {IDS_HEALTHY_DIAGNOSIS, IDS_HEALTHY_ADVICE};
const Prognosis Damaged = {IDS_DAMAGED_DIAGNOSIS, IDS_DAMAGED_ADVICE};
const Prognosis NotInstalled = {IDS_NOT_INSTALLED_DIAGNOSIS, IDS_NOT_INSTALLED_ADVICE};
const Prognosis SystemComponent = {IDS_SYSTEM_COMPONENT_DIAGNOSIS, IDS_SYSTEM_COMPONENT_ADVICE};
const Prognosis Unconfigured = {IDS_UNCONFIGURED_DIAGNOSIS, IDS_UNCONFIGURED_ADVICE};

Prognosis InstalledPrognosis(const AnalysisResult& result) {
    if (result.FilesResult == FilesCode::Present) {
        return result.ConfigResult == ConfigCode::NothingConfigured ? Unconfigured : Healthy;
    }
    return result.FilesResult == FilesCode::SystemComponentFailed ? SystemComponent : Damaged;
}

} // namespace

// A configuration version other than 1 alone still gives the healthy texts; a missing system
// component is named before the configuration is looked at.
Prognosis PrognosisFor(const AnalysisResult& result) {
    switch (result.InstallResult) {
    case InstallCode::NotInstalled:
        return NotInstalled;
    case InstallCode::Installed:
        return InstalledPrognosis(result);
    default:
        return Damaged;
    }
}

// A stable name for the texts chosen, for programs that read the Doctor's answer.
const char* PrognosisName(const Prognosis& prognosis) {
    switch (prognosis.diagnosisId) {
    case IDS_HEALTHY_DIAGNOSIS:
        return "healthy";
    case IDS_NOT_INSTALLED_DIAGNOSIS:
        return "not-installed";
    case IDS_SYSTEM_COMPONENT_DIAGNOSIS:
        return "system-component";
    case IDS_UNCONFIGURED_DIAGNOSIS:
        return "unconfigured";
    default:
        return "damaged";
    }
}

// The healthy texts also stand for a configuration of another version, and for a run whose
// stage codes are all 0 but where a check found a warning (a damaged product file); the window
// and the report keep those texts. A run as the local system account diagnosed the system's own
// settings, not a user's.
const char* PrognosisNameOf(const RunContext& run) {
    if (run.SystemAccount) {
        return "system-account";
    }
    Prognosis prognosis = PrognosisFor(run.Analysis);
    if (prognosis.diagnosisId != IDS_HEALTHY_DIAGNOSIS || StateOfRun(run) == RunState::Healthy) {
        return PrognosisName(prognosis);
    }
    return run.Analysis.ConfigResult == ConfigCode::WrongVersion ? "configuration-version"
                                                                 : "damaged";
}
