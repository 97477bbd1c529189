#include "diagnosis/TraceLogCollection.h"

#include "base/FileFinder.h"
#include "base/JoinPath.h"
#include "base/TextEncoding.h"
#include "diagnosis/FileByteSource.h"
#include "diagnosis/TailScanner.h"

namespace {

const int32_t TailLines = 100;

// The pieces of a line are joined, as zero-terminated texts, before the line goes to the report in
// UTF-8: a line cut into pieces would cut a character in two, and a credential cut in two by a
// piece boundary is still masked whole.
class ReportTail : public TailSink {
public:
    explicit ReportTail(RunContext& context) : context(context) {}
    void Piece(const char* text, int32_t size) override {
        line.Append(text);
        if (size > 0 && text[size - 1] == '\n') {
            Flush();
        }
    }
    // The last line of a file may have no line end.
    void Flush() {
        if (!line.IsEmpty()) {
            copied.Append(context.AppendProductText(ProductTextAsUtf8(line)));
            line.Empty();
        }
    }

    const Str& Copied() const { return copied; }

private:
    RunContext& context;
    Str line;
    Str copied; // the lines as they went to the report
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
    context.Facts.TraceLogs.Add(Str(path));
    context.Facts.TraceLogs.Add(sink.Copied());
    return true;
}

void CollectTraceLogs(RunContext& context) {
    Str pattern = JoinPath(context.ConfigFolder, "*Trace.log");
    FileFinder finder;
    if (!finder.FindFirst(pattern.Text())) {
        return;
    }
    Str path;
    while (finder.FindNext()) {
        path = JoinPath(context.ConfigFolder, finder.FileName().Text());
        CopyFileTail(context, path.Text(), TailLines);
    }
}
