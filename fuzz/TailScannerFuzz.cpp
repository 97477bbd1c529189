// The tail scanner over any bytes, maxLines and block size, against a forward reading that cuts
// the whole text into pieces as fgets with a buffer of 2047 bytes does and keeps the last ones.
// First byte: maxLines (-2 to 17); second byte: block size (1 to 256); the rest: the file.
#include "diagnosis/TailScanner.h"

#include "fuzz/MemorySource.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

class CollectingSink : public TailSink {
public:
    void Piece(const char* text, int32_t size) override {
        if (size < 1 || size > TailPieceSize || text[size] != '\0') {
            abort();
        }
        pieces.emplace_back(text, static_cast<size_t>(size));
    }

    std::vector<std::string> pieces;
};

std::vector<std::string> ForwardTail(const std::string& bytes, int32_t maxLines) {
    std::vector<std::string> pieces;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = start;
        while (end < bytes.size() && end - start < static_cast<size_t>(TailPieceSize)) {
            if (bytes[end++] == '\n') {
                break;
            }
        }
        pieces.push_back(bytes.substr(start, end - start));
        start = end;
    }
    size_t keep = maxLines > 0 ? static_cast<size_t>(maxLines) : 0;
    if (pieces.size() > keep) {
        pieces.erase(pieces.begin(), pieces.end() - static_cast<std::ptrdiff_t>(keep));
    }
    return pieces;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    int32_t maxLines = data[0] % 20 - 2;
    int32_t blockSize = data[1] + 1;
    std::string bytes(reinterpret_cast<const char*>(data + 2), size - 2);
    MemorySource source(bytes.data(), static_cast<int64_t>(bytes.size()), true);
    CollectingSink sink;
    if (!ScanTail(source, maxLines, sink, blockSize) ||
        sink.pieces != ForwardTail(bytes, maxLines)) {
        abort();
    }
    return 0;
}
