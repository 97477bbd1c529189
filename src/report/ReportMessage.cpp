#include "report/ReportMessage.h"

#include "base/TextEncoding.h"
#include "report/Prognosis.h"

#include <cstdio>

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

// Binary mode: the line ends of the log reach the message unchanged.
Str ReadInstallLog(const Str& installFolder) {
    Str log;
    if (installFolder.IsEmpty()) {
        return log;
    }
    Str path;
    path.Format("%s\\VLInst.log", installFolder.Text());
    ReadFile file(path.Text());
    if (!file.Handle()) {
        return log;
    }
    char piece[LogPieceSize];
    while (fgets(piece, sizeof piece, file.Handle())) {
        log.Append(piece);
    }
    return ProductTextAsUtf8(log);
}

Str MessageAfterRun(const AnalysisResult& analysis, const Str& reportText,
                    const Str& installFolder) {
    Str diagnosis;
    diagnosis.LoadText(PrognosisFor(analysis).diagnosisId);
    return BuildReportMessage(diagnosis, reportText, ReadInstallLog(installFolder));
}
