#include "diagnosis/TraceLogCollection.h"

#include "base/FileFinder.h"
#include "base/JoinPath.h"
#include "base/TextEncoding.h"
#include "diagnosis/FileByteSource.h"
#include "diagnosis/TailScanner.h"

namespace {

const int32_t TailLines = 100;

// The pieces of a line are joined, as zero-terminated texts, before the line is taken in UTF-8: a
// line cut into pieces would cut a character in two. The tail goes to the report as one text, so
// that a credential over several lines (a private-key block, a login's reply to a 334 prompt) is
// masked whole, as is one cut in two by a piece boundary.
class ReportTail : public TailSink {
public:
    void Piece(const char* text, int32_t size) override {
        line.Append(text);
        if (size > 0 && text[size - 1] == '\n') {
            EndLine();
        }
    }
    // The last line of a file may have no line end.
    Str Copy(RunContext& context) {
        EndLine();
        return lines.IsEmpty() ? lines : context.AppendProductText(lines);
    }

private:
    void EndLine() {
        if (!line.IsEmpty()) {
            lines.Append(ProductTextAsUtf8(line));
            line.Empty();
        }
    }

    Str line;
    Str lines; // in UTF-8, as the product wrote them
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
    ReportTail sink;
    ScanTail(file, maxLines, sink);
    Str copied = sink.Copy(context);
    context.Facts.TraceLogs.Add(Str(path));
    context.Facts.TraceLogs.Add(copied);
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
