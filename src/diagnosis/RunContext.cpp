#include "diagnosis/RunContext.h"

#include "diagnosis/SystemAccount.h"
#include "masking/CredentialMask.h"

// The product's trace-log lines and configuration lists reach the report only through here, so
// no copy of the report, on screen, in a file, on the clipboard or in a mail, carries a credential.
// Gives the text as it went to the report.
Str RunContext::AppendProductText(const Str& text) {
    Str masked = MaskCredentials(text, MaskedCredentials);
    AppendToReport(masked);
    return masked;
}

// A product text for the run's facts: masked like the report's copy, but not counted again.
Str RunContext::Masked(const Str& text) {
    int32_t uncounted = 0;
    return MaskCredentials(text, uncounted);
}

bool RunContext::UnderSystemAccount() const {
    return ProcessRunsAsLocalSystem();
}

// Titles and fixes quote paths and names taken from the product: they are masked like any other
// product text, so no finding carries a credential the report would not, and kept to one line.
void RunContext::AddFinding(FindingId id, const Str& title, const Str& fix,
                            const Evidence& evidence) {
    Finding finding{id, AsOneLine(Masked(title)), AsOneLine(Masked(fix)), evidence};
    finding.Proof.Path = Masked(evidence.Path);
    finding.Proof.Found = Masked(evidence.Found);
    Findings.Add(finding);
}
