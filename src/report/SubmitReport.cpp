#include "report/SubmitReport.h"

#include "report/MailSession.h"
#include "report/MapiLibrary.h"
#include "report/ReportClipboard.h"
#include "report/ReportMessage.h"
#include "resources/ExampleTexts.h"
#include "trace/MessageBoxes.h"

namespace {

const char* const MailSubject = "Velmont Diagnosis";

// The mail program shows the prepared message in its compose window; the user sends it there.
// Failures were already traced or shown by the mail client.
bool PrepareMail(HWND owner, const Str& message) {
    HMODULE library = LoadMapi();
    if (!library) {
        return false;
    }
    MailSession session;
    bool sent = false;
    if (session.Logon(owner)) {
        sent = session.Send(SupportEmailAddress, MailSubject, message.Text(), owner);
        session.Logoff();
    }
    UnloadMapi(library);
    return sent;
}

} // namespace

void SubmitReport(HWND owner, const Str& reportText, const Str& diagnosisText,
                  const Str& installFolder, Str& installLog) {
    installLog = ReadInstallLog(installFolder);
    Str message = BuildReportMessage(diagnosisText, reportText, installLog);
    if (AskQuestion("Would you like the Doctor to prepare a mail message for you ?") &&
        PrepareMail(owner, message)) {
        return;
    }
    PutReportOnClipboard(owner, message);
}
