#pragma once

#include "diagnosis/ByteSource.h"

#include <cstdint>

// The longest piece of a line that one read with fgets and a buffer of 2047 bytes returns.
const int32_t TailPieceSize = 2046;
const int32_t TailBlockSize = 65536;

// Receives the pieces of a file's tail in file order. text holds size bytes followed by a
// terminating NUL; a NUL byte inside the piece ends it as a zero-terminated text.
class TailSink {
public:
    virtual ~TailSink() = default;
    virtual void Piece(const char* text, int32_t size) = 0;
};

// Delivers the last min(n, maxLines) of the n pieces that reading the whole source from its
// start with fgets (buffer of 2047 bytes) would return: a piece ends after a line feed, after
// TailPieceSize bytes or at the end of the source, so a longer line gives several pieces cut
// from its start. Only the lines of the tail are read, from the end backwards in blocks of
// blockSize bytes; memory stays within one block and one piece. maxLines of 0 or less delivers
// nothing. False when a read fails; the pieces delivered before the failure stand.
bool ScanTail(ByteSource& source, int32_t maxLines, TailSink& sink,
              int32_t blockSize = TailBlockSize);
