#include "diagnosis/StageState.h"

StageState StateOf(const AnalysisResult& result, FindingStage stage) {
    bool installed = result.InstallResult != InstallCode::NotInstalled;
    switch (stage) {
    case FindingStage::Installation:
        return result.InstallResult == InstallCode::Installed ? StageState::Ok
                                                              : StageState::Problem;
    case FindingStage::Files:
        if (!installed) {
            return StageState::NotChecked;
        }
        return result.FilesResult == FilesCode::Present ? StageState::Ok : StageState::Problem;
    default:
        if (!installed) {
            return StageState::NotChecked;
        }
        return result.ConfigResult == ConfigCode::Fine ? StageState::Ok : StageState::Problem;
    }
}

const char* StageStateName(StageState state) {
    switch (state) {
    case StageState::Ok:
        return "ok";
    case StageState::Problem:
        return "problem";
    default:
        return "not-checked";
    }
}
