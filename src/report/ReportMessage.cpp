#include "report/ReportMessage.h"

#include "base/JoinPath.h"
#include "base/TextEncoding.h"
#include "masking/CredentialMask.h"
#include "report/Prognosis.h"

#include <cstdio>
#include <cstring>

namespace {

const int LogPieceSize = 512;

class ReadFile {
public:
    explicit ReadFile(const char* path) : file(fopen(path, "rb")) {}
    ReadFile(const ReadFile&) = delete;
    ReadFile& operator=(const ReadFile&) = delete;
    ~ReadFile() {
        if (file) {
            fclose(file);
        }
    }

    FILE* Handle() const { return file; }

private:
    FILE* file;
};

bool EndsLine(const char* piece) {
    size_t length = strlen(piece);
    return length > 0 && piece[length - 1] == '\n';
}

} // namespace

Str BuildReportMessage(const Str& diagnosisText, const Str& reportText, const Str& installLog) {
    Str message("Please add a description of the problem you are having :\r\n"
                "<Your problem description>\r\n");
    message.Append("\r\n\r\nDoctor's Prognosis :\r\n");
    message.Append(diagnosisText);
    message.Append("\r\n\r\nDoctor's Report :\r\n");
    message.Append(reportText);
    message.Append("\r\n\r\nInstallation Log :\r\n");
    message.Append(installLog);
    return message;
}

// Binary mode: the line ends of the log reach the message unchanged. The pieces of a line are
// joined before it is taken in UTF-8, and the log is masked as one text, so a credential across a
// piece boundary or over several lines is masked whole.
Str ReadInstallLog(const Str& installFolder) {
    Str log;
    if (installFolder.IsEmpty()) {
        return log;
    }
    Str path = JoinPath(installFolder, "VLInst.log");
    ReadFile file(path.Text());
    if (!file.Handle()) {
        return log;
    }
    char piece[LogPieceSize];
    Str line;
    while (fgets(piece, sizeof piece, file.Handle())) {
        line.Append(piece);
        if (EndsLine(piece)) {
            log.Append(ProductTextAsUtf8(line));
            line.Empty();
        }
    }
    log.Append(ProductTextAsUtf8(line));
    int32_t masked = 0;
    Str maskedLog = MaskCredentials(log, masked);
    maskedLog.Append(MaskedCountLine(masked, "installation log"));
    return maskedLog;
}

Str MessageAfterRun(const AnalysisResult& analysis, const Str& reportText,
                    const Str& installFolder) {
    Str diagnosis;
    diagnosis.LoadText(PrognosisFor(analysis).diagnosisId);
    return BuildReportMessage(diagnosis, reportText, ReadInstallLog(installFolder));
}
