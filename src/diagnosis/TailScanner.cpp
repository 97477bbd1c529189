#include "diagnosis/TailScanner.h"

#include "base/CharBuffer.h"

namespace {

int64_t PieceCount(int64_t lineSize) {
    return (lineSize + TailPieceSize - 1) / TailPieceSize;
}

// One block of the source held in memory, loaded at the offsets the scan asks for.
class Block {
public:
    Block(ByteSource& source, int32_t capacity)
        : source(source), capacity(capacity > 0 ? capacity : 1),
          data(static_cast<size_t>(this->capacity)) {}
    Block(const Block&) = delete;
    Block& operator=(const Block&) = delete;

    bool IsAllocated() const { return data.Data() != nullptr; }

    // Offset of the last line feed before limit, or -1 when there is none; false on a read error.
    bool FindLineFeedBefore(int64_t limit, int64_t& found) {
        int64_t position = limit;
        while (position > 0) {
            if (!Holds(position - 1) && !LoadEndingAt(position)) {
                return false;
            }
            for (int64_t i = position - 1; i >= start; --i) {
                if (data.Data()[i - start] == '\n') {
                    found = i;
                    return true;
                }
            }
            position = start;
        }
        found = -1;
        return true;
    }

    // Byte at offset, which must lie before end; false on a read error.
    bool ByteAt(int64_t offset, int64_t end, char& byte) {
        if (!Holds(offset) && !LoadStartingAt(offset, end)) {
            return false;
        }
        byte = data.Data()[offset - start];
        return true;
    }

private:
    bool Holds(int64_t offset) const { return offset >= start && offset < start + length; }

    bool Load(int64_t from, int64_t to) {
        length = 0;
        if (!source.ReadAt(from, data.Data(), static_cast<int32_t>(to - from))) {
            return false;
        }
        start = from;
        length = static_cast<int32_t>(to - from);
        return true;
    }

    bool LoadEndingAt(int64_t end) { return Load(end > capacity ? end - capacity : 0, end); }

    bool LoadStartingAt(int64_t offset, int64_t end) {
        return Load(offset, end - offset > capacity ? offset + capacity : end);
    }

    ByteSource& source;
    int32_t capacity;
    CharBuffer data;
    int64_t start = 0;
    int32_t length = 0;
};

// Walks back line by line from the end, counting pieces, until maxLines pieces are behind;
// tailStart becomes the offset of the first piece to deliver.
bool FindTailStart(Block& block, int64_t size, int32_t maxLines, int64_t& tailStart) {
    int64_t lineEnd = size;
    int64_t pieces = 0;
    for (;;) {
        int64_t lineFeed = -1;
        if (!block.FindLineFeedBefore(lineEnd - 1, lineFeed)) {
            return false;
        }
        int64_t lineStart = lineFeed + 1;
        pieces += PieceCount(lineEnd - lineStart);
        if (pieces >= maxLines) {
            tailStart = lineStart + (pieces - maxLines) * TailPieceSize;
            return true;
        }
        if (lineStart == 0) {
            tailStart = 0;
            return true;
        }
        lineEnd = lineStart;
    }
}

// Cuts the bytes from offset to the end into pieces as fgets would and hands each one over.
bool DeliverPieces(Block& block, int64_t offset, int64_t size, TailSink& sink) {
    char piece[TailPieceSize + 1];
    int32_t used = 0;
    while (offset < size) {
        char byte = 0;
        if (!block.ByteAt(offset++, size, byte)) {
            return false;
        }
        piece[used++] = byte;
        if (byte == '\n' || used == TailPieceSize || offset == size) {
            piece[used] = '\0';
            sink.Piece(piece, used);
            used = 0;
        }
    }
    return true;
}

} // namespace

bool ScanTail(ByteSource& source, int32_t maxLines, TailSink& sink, int32_t blockSize) {
    int64_t size = source.Size();
    if (maxLines <= 0 || size <= 0) {
        return true;
    }
    // A log shorter than a block gets a buffer of its own size: a large allocation costs the
    // system more than the reading.
    Block block(source, size < blockSize ? static_cast<int32_t>(size) : blockSize);
    if (!block.IsAllocated()) {
        return false;
    }
    int64_t tailStart = 0;
    return FindTailStart(block, size, maxLines, tailStart) &&
           DeliverPieces(block, tailStart, size, sink);
}
