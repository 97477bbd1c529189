#include "diagnosis/TraceLogCollection.h"

#include "base/FileFinder.h"

#include <cstdio>

namespace {

const int32_t TailLines = 100;
// One read yields at most LineBufferSize - 1 bytes: a longer line comes in several pieces.
const int LineBufferSize = 2047;

class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const char* path) : file(fopen(path, "rb")) {}
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
    ~ReadOnlyFile() {
        if (file) {
            fclose(file);
        }
    }

    FILE* Handle() const { return file; }

private:
    FILE* file;
};

int32_t CountLines(FILE* file) {
    char line[LineBufferSize];
    int32_t count = 0;
    while (fgets(line, sizeof line, file)) {
        ++count;
    }
    return count;
}

} // namespace

// Reads the file twice: once to count its lines, once to copy the last ones.
bool CopyFileTail(RunContext& context, const char* path, int32_t maxLines) {
    ReadOnlyFile file(path);
    if (!file.Handle()) {
        return false;
    }
    Str heading;
    heading.Format("\r\nFile contents of '%s' :\r\n", path);
    context.AppendToReport(heading);
    int32_t count = CountLines(file.Handle());
    int32_t skip = count >= maxLines ? count - maxLines : 0;
    fseek(file.Handle(), 0, SEEK_SET);
    char line[LineBufferSize];
    for (int32_t i = 0; i < skip; ++i) {
        if (!fgets(line, sizeof line, file.Handle())) {
            return true;
        }
    }
    while (fgets(line, sizeof line, file.Handle())) {
        context.AppendToReport(Str(line));
    }
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
