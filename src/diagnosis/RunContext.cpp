#include "diagnosis/RunContext.h"

#include "base/CredentialMask.h"

// Every text the run takes from the product passes here, so no output of the report, on screen,
// in a file, on the clipboard or in a mail, ever carries the product's credentials.
void RunContext::AppendProductText(const Str& text) {
    AppendToReport(MaskCredentials(text, MaskedCredentials));
}
