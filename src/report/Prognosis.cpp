#include "report/Prognosis.h"

namespace {

const Prognosis Healthy = {102, 103};
const Prognosis Damaged = {108, 109};
const Prognosis NotInstalled = {112, 113};
const Prognosis SystemComponent = {115, 114};
const Prognosis Unconfigured = {116, 117};

Prognosis InstalledPrognosis(const AnalysisResult& result) {
    if (result.FilesResult == 0) {
        return result.ConfigResult == 3 ? Unconfigured : Healthy;
    }
    return result.FilesResult == 5 ? SystemComponent : Damaged;
}

} // namespace

// A configuration version other than 1 alone still gives the healthy texts; a missing system
// component is named before the configuration is looked at.
Prognosis PrognosisFor(const AnalysisResult& result) {
    switch (result.InstallResult) {
    case 1:
        return NotInstalled;
    case 0:
        return InstalledPrognosis(result);
    default:
        return Damaged;
    }
}
