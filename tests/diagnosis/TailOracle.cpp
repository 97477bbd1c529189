#include "TailOracle.h"

#include <cstdio>

namespace {

const int LineBufferSize = 2047;

int64_t CountPieces(FILE* file) {
    char line[LineBufferSize];
    int64_t count = 0;
    while (fgets(line, LineBufferSize, file)) {
        ++count;
    }
    return count;
}

void SkipPieces(FILE* file, int64_t skip) {
    char line[LineBufferSize];
    for (int64_t i = 0; i < skip && fgets(line, LineBufferSize, file); ++i) {
    }
}

void CopyPieces(FILE* file, std::vector<std::string>& pieces) {
    char line[LineBufferSize];
    long before = ftell(file);
    while (fgets(line, LineBufferSize, file)) {
        long after = ftell(file);
        pieces.emplace_back(line, static_cast<size_t>(after - before));
        before = after;
    }
}

} // namespace

bool ReadTailTwoPass(const std::string& path, int32_t maxLines, std::vector<std::string>& pieces) {
    pieces.clear();
    FILE* file = fopen(path.c_str(), "rb");
    if (!file) {
        return false;
    }
    int64_t count = CountPieces(file);
    int64_t skip = count >= maxLines ? count - maxLines : 0;
    fseek(file, 0, SEEK_SET);
    SkipPieces(file, skip);
    CopyPieces(file, pieces);
    fclose(file);
    return true;
}
