#include "diagnosis/DiagnosisPass.h"

#include "diagnosis/ReportHeader.h"

// The checks of one run, from the zeroed result to the analysis result line. The window adds
// its status texts, the pause and the prognosis around this.
void RunDiagnosisPass(RunContext& context) {
    context.Analysis = AnalysisResult();
    WriteReportHeader(context);
}
