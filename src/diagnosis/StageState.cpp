#include "diagnosis/StageState.h"

namespace {

const FindingStage Stages[] = {FindingStage::Installation, FindingStage::Files,
                               FindingStage::Configuration};

StageCode CodeOf(const AnalysisResult& result, FindingStage stage) {
    switch (stage) {
    case FindingStage::Installation:
        return result.InstallResult;
    case FindingStage::Files:
        return result.FilesResult;
    default:
        return result.ConfigResult;
    }
}

bool HasProblemFinding(const FindingList& findings, FindingStage stage) {
    Severity worst = Severity::Info;
    return findings.WorstIn(stage, worst) && worst != Severity::Info;
}

} // namespace

StageState StateOf(const RunContext& run, FindingStage stage) {
    bool installed = run.Analysis.InstallResult != InstallCode::NotInstalled;
    if (!installed && stage != FindingStage::Installation) {
        return StageState::NotChecked;
    }
    if (CodeOf(run.Analysis, stage) != 0 || HasProblemFinding(run.Findings, stage)) {
        return StageState::Problem;
    }
    if (stage == FindingStage::Files && run.InstallFolder.IsEmpty()) {
        return StageState::PartlyChecked;
    }
    return StageState::Ok;
}

const char* StageStateName(StageState state) {
    switch (state) {
    case StageState::Ok:
        return "ok";
    case StageState::Problem:
        return "problem";
    case StageState::PartlyChecked:
        return "partly-checked";
    default:
        return "not-checked";
    }
}

RunState StateOfRun(const RunContext& run) {
    if (run.Analysis.InstallResult == InstallCode::NotInstalled || run.SystemAccount) {
        return RunState::NotDiagnosed;
    }
    for (FindingStage stage : Stages) {
        if (StateOf(run, stage) == StageState::Problem) {
            return RunState::Problems;
        }
    }
    return RunState::Healthy;
}

const char* RunStateName(RunState state) {
    switch (state) {
    case RunState::Healthy:
        return "healthy";
    case RunState::Problems:
        return "problems";
    default:
        return "not-diagnosed";
    }
}
