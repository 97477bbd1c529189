#include "diagnosis/RunContext.h"

#include "base/CredentialMask.h"

// The product's trace-log lines and configuration lists reach the report only through here, so
// no copy of the report, on screen, in a file, on the clipboard or in a mail, carries a credential.
void RunContext::AppendProductText(const Str& text) {
    AppendToReport(MaskCredentials(text, MaskedCredentials));
}
