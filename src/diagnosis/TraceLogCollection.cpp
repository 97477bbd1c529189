#include "diagnosis/TraceLogCollection.h"

#include "base/FileFinder.h"
#include "base/TextEncoding.h"
#include "diagnosis/FileByteSource.h"
#include "diagnosis/TailScanner.h"

namespace {

const int32_t TailLines = 100;

// Each line goes to the report in UTF-8 once its pieces are in, each piece as a zero-terminated
// text: a line cut into pieces would cut a character in two.
class ReportTail : public TailSink {
public:
    explicit ReportTail(RunContext& context) : context(context) {}
    void Piece(const char* text, int32_t size) override {
        line.Append(text);
        if (size > 0 && text[size - 1] == '\n') {
            Flush();
        }
    }
    void Flush() {
        if (!line.IsEmpty()) {
            context.AppendToReport(ProductTextAsUtf8(line));
            line.Empty();
        }
    }

private:
    RunContext& context;
    Str line;
};

} // namespace

// Trace logs grow without bound while tracing is on: only the end of the file is read, so the
// cost follows the lines copied, not the size of the log.
bool CopyFileTail(RunContext& context, const char* path, int32_t maxLines) {
    FileByteSource file;
    if (!file.Open(path)) {
        return false;
    }
    Str heading;
    heading.Format("\r\nFile contents of '%s' :\r\n", path);
    context.AppendToReport(heading);
    ReportTail sink(context);
    ScanTail(file, maxLines, sink);
    sink.Flush();
    return true;
}

void CollectTraceLogs(RunContext& context) {
    Str pattern;
    pattern.Format("%s\\*Trace.log", context.ConfigFolder.Text());
    FileFinder finder;
    if (!finder.FindFirst(pattern.Text())) {
        return;
    }
    Str path;
    while (finder.FindNext()) {
        path.Format("%s\\%s", context.ConfigFolder.Text(), finder.FileName().Text());
        CopyFileTail(context, path.Text(), TailLines);
    }
}
