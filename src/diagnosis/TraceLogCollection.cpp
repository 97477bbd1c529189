#include "diagnosis/TraceLogCollection.h"

#include "base/BoundedJob.h"
#include "base/FileFinder.h"
#include "base/JoinPath.h"
#include "base/TextEncoding.h"
#include "diagnosis/FileByteSource.h"
#include "diagnosis/TailScanner.h"

#include <new>
#include <string>

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

// A log left out because it was not read in time: worth knowing; the diagnosis is whole.
void FindTraceLogTimedOut(RunContext& context, const char* path) {
    Evidence evidence;
    evidence.Path.Assign(path);
    Str title;
    title.Format("The trace log '%s' could not be read within %u seconds and is left out", path,
                 static_cast<unsigned>(TraceLogLimitMs / 1000));
    Str fix;
    fix.Format("Make sure that this computer reaches '%s' (a network share whose server is gone, "
               "or a file that is not a plain file), then run the Doctor again.",
               path);
    context.AddFinding(FindingId::PathTimedOut, title, fix, evidence);
}

// A log's tail read in a thread of its own, touching nothing of the run: a log on a share whose
// server is gone is given up, and the run goes on.
class TailJob : public BoundedJob {
public:
    TailJob(const char* path, int32_t maxLines) : path(path), maxLines(maxLines) {}
    void Run() override {
        FileByteSource file;
        opened = OpenTraceLog(file, path.c_str());
        if (opened) {
            ScanTail(file, maxLines, sink);
        }
    }

    std::string path;
    int32_t maxLines;
    bool opened = false;
    ReportTail sink;
};

bool OpenForReading(FileByteSource& file, const char* path) {
    return file.Open(path);
}

} // namespace

bool (*OpenTraceLog)(FileByteSource& file, const char* path) = OpenForReading;
uint32_t TraceLogLimitMs = PathAnswerLimitMs;

// Trace logs grow without bound while tracing is on: only the end of the file is read, so the
// cost follows the lines copied, not the size of the log.
bool CopyFileTail(RunContext& context, const char* path, int32_t maxLines) {
    auto* job = new (std::nothrow) TailJob(path, maxLines);
    if (!job) {
        return false;
    }
    if (!RunWithin(job, TraceLogLimitMs, path)) {
        FindTraceLogTimedOut(context, path);
        return false;
    }
    bool opened = job->opened;
    if (opened) {
        Str heading;
        heading.Format("\r\nFile contents of '%s' :\r\n", path);
        context.AppendToReport(heading);
        Str copied = job->sink.Copy(context);
        context.Facts.TraceLogs.Add(Str(path));
        context.Facts.TraceLogs.Add(copied);
    }
    delete job;
    return opened;
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
