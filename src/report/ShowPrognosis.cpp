#include "report/ShowPrognosis.h"

#include "report/Prognosis.h"
#include "report/ReportDialog.h"

void ShowPrognosis(const RunContext& run, Window& mainWindow, Window& reportLog) {
    Prognosis prognosis = PrognosisFor(run.Analysis);
    ReportDialog dialog(&mainWindow, prognosis.diagnosisId, prognosis.adviceId, run.TraceModeOn,
                        reportLog, run.InstallFolder);
    dialog.Findings = run.Findings;
    dialog.DoModal();
}
