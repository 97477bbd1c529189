#include "diagnosis/TailScanner.h"
#include "diagnosis/FileByteSource.h"

#include "TailOracle.h"
#include "TempBytesFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using Pieces = std::vector<std::string>;

class CollectingSink : public TailSink {
public:
    void Piece(const char* text, int32_t size) override {
        pieces.emplace_back(text, static_cast<size_t>(size));
        allTerminated = allTerminated && text[size] == '\0';
    }

    Pieces pieces;
    bool allTerminated = true;
};

// Counts the bytes the scanner asks for, to show that it reads the tail and not the file.
class CountingSource : public ByteSource {
public:
    explicit CountingSource(ByteSource& inner) : inner(inner) {}
    int64_t Size() const override { return inner.Size(); }
    bool ReadAt(int64_t offset, char* buffer, int32_t count) override {
        bytesRead += count;
        return inner.ReadAt(offset, buffer, count);
    }

    int64_t bytesRead = 0;

private:
    ByteSource& inner;
};

class FailingSource : public ByteSource {
public:
    explicit FailingSource(int64_t size) : size(size) {}
    int64_t Size() const override { return size; }
    bool ReadAt(int64_t, char*, int32_t) override { return false; }

private:
    int64_t size;
};

// A file's bytes read whole with the C library, so that the scanner's tests run on the build
// machine as well; the system's reading of files has tests of its own.
class BytesOfFile : public ByteSource {
public:
    bool Read(const std::string& path) {
        FILE* file = fopen(path.c_str(), "rb");
        if (!file) {
            return false;
        }
        char chunk[65536];
        for (size_t read; (read = fread(chunk, 1, sizeof chunk, file)) > 0;) {
            bytes.append(chunk, read);
        }
        fclose(file);
        return true;
    }
    int64_t Size() const override { return static_cast<int64_t>(bytes.size()); }
    bool ReadAt(int64_t offset, char* buffer, int32_t count) override {
        if (offset < 0 || count < 0 || offset > Size() - count) {
            return false;
        }
        memcpy(buffer, bytes.data() + offset, static_cast<size_t>(count));
        return true;
    }

private:
    std::string bytes;
};

bool ScanFile(const std::string& path, int32_t maxLines, int32_t blockSize, Pieces& pieces) {
    BytesOfFile source;
    CollectingSink sink;
    bool scanned = source.Read(path) && ScanTail(source, maxLines, sink, blockSize);
    pieces = sink.pieces;
    return scanned && sink.allTerminated;
}

// Index of the first piece that differs, or -1 when both lists are equal.
int FirstDifference(const Pieces& expected, const Pieces& actual) {
    size_t common = std::min(expected.size(), actual.size());
    for (size_t i = 0; i < common; ++i) {
        if (expected[i] != actual[i]) {
            return static_cast<int>(i);
        }
    }
    return expected.size() == actual.size() ? -1 : static_cast<int>(common);
}

// Scans bytes with the scanner and with the two-pass reading and compares piece by piece
// (sizes and bytes; the texts themselves can be megabytes long).
void ExpectSameTail(const std::string& bytes, int32_t maxLines, int32_t blockSize = TailBlockSize) {
    TempBytesFile file;
    ASSERT_TRUE(file.Write(bytes));
    Pieces expected;
    Pieces actual;
    ASSERT_TRUE(ReadTailTwoPass(file.Path(), maxLines, expected));
    ASSERT_TRUE(ScanFile(file.Path(), maxLines, blockSize, actual));
    int difference = FirstDifference(expected, actual);
    EXPECT_EQ(-1, difference) << "file of " << bytes.size() << " bytes, maxLines " << maxLines
                              << ", block " << blockSize << ": expected " << expected.size()
                              << " pieces, got " << actual.size();
    if (difference >= 0 &&
        static_cast<size_t>(difference) < std::min(expected.size(), actual.size())) {
        ADD_FAILURE() << "piece " << difference << " has " << actual[difference].size()
                      << " bytes, expected " << expected[difference].size();
    }
}

std::string NumberedLines(int count, const char* ending) {
    std::string bytes;
    for (int i = 1; i <= count; ++i) {
        bytes += "line " + std::to_string(i) + ending;
    }
    return bytes;
}

std::string PatternLine(size_t size, char first = 'a') {
    std::string line(size, ' ');
    for (size_t i = 0; i < size; ++i) {
        line[i] = static_cast<char>(first + i % 26);
    }
    return line;
}

std::vector<size_t> Sizes(const Pieces& pieces) {
    std::vector<size_t> sizes;
    for (const std::string& piece : pieces) {
        sizes.push_back(piece.size());
    }
    return sizes;
}

const int32_t MaxLinesCases[] = {-5, 0, 1, 2, 3, 99, 100, 101};

} // namespace

TEST(TailScanner, LineCountsAroundTheLimitMatchTwoPassReading) {
    for (const char* ending : {"\n", "\r\n"}) {
        for (int lines : {1, 30, 99, 100, 101, 250}) {
            for (int32_t maxLines : MaxLinesCases) {
                ExpectSameTail(NumberedLines(lines, ending), maxLines);
            }
        }
    }
}

TEST(TailScanner, LastHundredOfTwoHundredFiftyLinesStartAtLine151) {
    TempBytesFile file;
    ASSERT_TRUE(file.Write(NumberedLines(250, "\r\n")));
    Pieces pieces;
    ASSERT_TRUE(ScanFile(file.Path(), 100, TailBlockSize, pieces));
    ASSERT_EQ(100u, pieces.size());
    EXPECT_EQ("line 151\r\n", pieces.front());
    EXPECT_EQ("line 250\r\n", pieces.back());
}

TEST(TailScanner, ThirtyLinesAreCopiedWhole) {
    TempBytesFile file;
    ASSERT_TRUE(file.Write(NumberedLines(30, "\n")));
    Pieces pieces;
    ASSERT_TRUE(ScanFile(file.Path(), 100, TailBlockSize, pieces));
    ASSERT_EQ(30u, pieces.size());
    EXPECT_EQ("line 1\n", pieces.front());
}

TEST(TailScanner, LongLinesAreCutFromTheirStart) {
    struct Case {
        size_t lineSize;
        std::vector<size_t> pieceSizes;
    };
    const Case cases[] = {
        {2045, {2045}},       {2046, {2046}},          {2047, {2046, 1}},
        {4092, {2046, 2046}}, {4093, {2046, 2046, 1}}, {5000, {2046, 2046, 908}},
    };
    for (const Case& c : cases) {
        TempBytesFile file;
        ASSERT_TRUE(file.Write("before\n" + PatternLine(c.lineSize - 1) + "\n"));
        Pieces pieces;
        ASSERT_TRUE(ScanFile(file.Path(), 100, TailBlockSize, pieces));
        ASSERT_FALSE(pieces.empty());
        pieces.erase(pieces.begin());
        EXPECT_EQ(c.pieceSizes, Sizes(pieces)) << "line of " << c.lineSize << " bytes";
        std::string joined;
        for (const std::string& piece : pieces) {
            joined += piece;
        }
        EXPECT_TRUE(joined == PatternLine(c.lineSize - 1) + "\n") << "line of " << c.lineSize;
    }
}

TEST(TailScanner, LongLinesMatchTwoPassReading) {
    const size_t sizes[] = {2045, 2046, 2047, 2048, 4092, 4093};
    for (size_t size : sizes) {
        for (const char* ending : {"\n", "\r\n", ""}) {
            std::string line = PatternLine(size) + ending;
            for (int32_t maxLines : MaxLinesCases) {
                ExpectSameTail(line, maxLines);
                ExpectSameTail("head\n" + line + "tail\n", maxLines);
                ExpectSameTail(line + line + "x", maxLines);
                ExpectSameTail(NumberedLines(120, "\n") + line, maxLines);
            }
        }
    }
}

TEST(TailScanner, LineEndingsMatchTwoPassReading) {
    const char* files[] = {
        "",
        "\n",
        "\n\n\n",
        "\r\n\r\n",
        "no line end",
        "one\ntwo\nno line end",
        "bare\rcarriage\rreturns\r",
        "mixed\r\nendings\nhere\r\rlast",
        "\r",
        "ends with cr\r",
    };
    for (const char* bytes : files) {
        for (int32_t maxLines : MaxLinesCases) {
            ExpectSameTail(bytes, maxLines);
        }
    }
}

TEST(TailScanner, EmptyFileGivesNothing) {
    TempBytesFile file;
    ASSERT_TRUE(file.Write(""));
    Pieces pieces;
    EXPECT_TRUE(ScanFile(file.Path(), 100, TailBlockSize, pieces));
    EXPECT_TRUE(pieces.empty());
}

TEST(TailScanner, NulBytesStayInsideTheirPieces) {
    const std::string nul(1, '\0');
    const std::string files[] = {
        nul,
        nul + "\n",
        "a" + nul + "b\n" + nul + nul + "\n" + "c" + nul,
        "first\n" + nul + "starts with nul\nends with nul" + nul + "\n",
        PatternLine(3000) + nul + PatternLine(3000) + "\n",
        PatternLine(2045) + nul + "\n" + nul,
    };
    for (const std::string& bytes : files) {
        for (int32_t maxLines : MaxLinesCases) {
            ExpectSameTail(bytes, maxLines);
        }
    }
}

TEST(TailScanner, NulBytesEndThePieceAsText) {
    TempBytesFile file;
    ASSERT_TRUE(file.Write(std::string("ab\0cd\n", 6) + "ef\n"));
    Pieces pieces;
    ASSERT_TRUE(ScanFile(file.Path(), 5, TailBlockSize, pieces));
    ASSERT_EQ(2u, pieces.size());
    EXPECT_EQ(6u, pieces[0].size());
    EXPECT_STREQ("ab", pieces[0].c_str());
    EXPECT_EQ("ef\n", pieces[1]);
}

TEST(TailScanner, OneLineOfSeveralMegabytes) {
    std::string line = PatternLine(5 * 1024 * 1024 + 17);
    for (const char* ending : {"\n", ""}) {
        for (int32_t maxLines : {1, 3, 100}) {
            ExpectSameTail(line + ending, maxLines);
        }
    }
    ExpectSameTail(NumberedLines(50, "\n") + line + "\n" + NumberedLines(20, "\r\n"), 100);
}

TEST(TailScanner, SmallBlocksMatchTwoPassReading) {
    std::string bytes = NumberedLines(130, "\r\n") + PatternLine(4093) + "\n" + PatternLine(2046) +
                        "\n\n" + PatternLine(2047);
    for (int32_t blockSize : {-1, 0, 1, 2, 7, 2046, 2047, 4096}) {
        for (int32_t maxLines : MaxLinesCases) {
            ExpectSameTail(bytes, maxLines, blockSize);
        }
    }
}

TEST(TailScanner, MaxLinesBeyondThePieceCountGivesEverything) {
    std::string bytes = NumberedLines(7, "\n") + PatternLine(5000);
    for (int32_t maxLines : {10, 11, 1000, INT32_MAX}) {
        ExpectSameTail(bytes, maxLines);
    }
}

TEST(TailScanner, RandomFilesMatchTwoPassReading) {
    std::mt19937 random(20261208);
    const char alphabet[] = {'a', 'b', '\n', '\r', '\0', ' '};
    TempBytesFile file;
    for (int round = 0; round < 400; ++round) {
        std::string bytes;
        int runs = std::uniform_int_distribution<int>(0, 12)(random);
        for (int run = 0; run < runs; ++run) {
            char byte = alphabet[std::uniform_int_distribution<int>(0, 5)(random)];
            bool longRun = std::uniform_int_distribution<int>(0, 3)(random) == 0;
            int length = std::uniform_int_distribution<int>(1, longRun ? 4200 : 6)(random);
            bytes.append(static_cast<size_t>(length), byte);
        }
        int32_t maxLines = std::uniform_int_distribution<int32_t>(-1, 12)(random);
        int32_t blockSize = std::uniform_int_distribution<int32_t>(1, 5000)(random);
        ASSERT_TRUE(file.Write(bytes));
        Pieces expected;
        Pieces actual;
        ASSERT_TRUE(ReadTailTwoPass(file.Path(), maxLines, expected));
        ASSERT_TRUE(ScanFile(file.Path(), maxLines, blockSize, actual));
        ASSERT_EQ(-1, FirstDifference(expected, actual))
            << "round " << round << ": " << bytes.size() << " bytes, maxLines " << maxLines
            << ", block " << blockSize;
    }
}

TEST(TailScanner, ReadFailureDeliversNothing) {
    FailingSource source(5000);
    CollectingSink sink;
    EXPECT_FALSE(ScanTail(source, 100, sink));
    EXPECT_TRUE(sink.pieces.empty());
    FailingSource empty(0);
    EXPECT_TRUE(ScanTail(empty, 100, sink));
    EXPECT_TRUE(sink.pieces.empty());
}

// The system's reading of files, under the scanner and on its own: the Windows build only, as
// the build machine's core has no file source of the system.
#ifdef _WIN32
TEST(TailScanner, ReadsOnlyTheTailOfALargeFile) {
    std::string bytes = NumberedLines(300000, "\r\n");
    TempBytesFile file;
    ASSERT_TRUE(file.Write(bytes));
    FileByteSource source;
    ASSERT_TRUE(source.Open(file.Path().c_str()));
    CountingSource counting(source);
    CollectingSink sink;
    ASSERT_TRUE(ScanTail(counting, 100, sink, 4096));
    ASSERT_EQ(100u, sink.pieces.size());
    EXPECT_EQ("line 300000\r\n", sink.pieces.back());
    EXPECT_LE(counting.bytesRead, 100 * 13 + 2 * 4096);
}

TEST(TailScanner, OffsetsBeyondFourGibibytes) {
    const int64_t far = (int64_t{1} << 32) + 100;
    TempBytesFile file;
    std::string longLine = PatternLine(4999) + "\n";
    ASSERT_TRUE(file.WriteAt(0, "head\n"));
    ASSERT_TRUE(file.WriteAt(far, "\n" + longLine + "last\n"));
    FileByteSource source;
    ASSERT_TRUE(source.Open(file.Path().c_str()));
    EXPECT_EQ(far + 1 + 5000 + 5, source.Size());
    CountingSource counting(source);
    CollectingSink sink;
    ASSERT_TRUE(ScanTail(counting, 3, sink));
    ASSERT_EQ(3u, sink.pieces.size());
    EXPECT_TRUE(sink.pieces[0] == longLine.substr(2046, 2046));
    EXPECT_TRUE(sink.pieces[1] == longLine.substr(4092));
    EXPECT_EQ("last\n", sink.pieces[2]);
    EXPECT_LE(counting.bytesRead, 2 * TailBlockSize);
}

TEST(FileByteSource, OpenSizeAndBoundedReads) {
    TempBytesFile file;
    FileByteSource source;
    EXPECT_FALSE(source.Open(file.Path().c_str()));
    EXPECT_EQ(0, source.Size());
    ASSERT_TRUE(file.Write("0123456789"));
    ASSERT_TRUE(source.Open(file.Path().c_str()));
    EXPECT_EQ(10, source.Size());
    char buffer[11] = {};
    EXPECT_TRUE(source.ReadAt(6, buffer, 4));
    EXPECT_STREQ("6789", buffer);
    EXPECT_FALSE(source.ReadAt(7, buffer, 4));
    EXPECT_FALSE(source.ReadAt(-1, buffer, 1));
    EXPECT_FALSE(source.ReadAt(0, buffer, -1));
    EXPECT_TRUE(source.ReadAt(10, buffer, 0));
}

// Reads in any order, near to and far from the one before, small and large, give the file's bytes.
TEST(FileByteSource, ReadsGiveTheBytesAtTheirOffsets) {
    std::string bytes;
    for (int i = 0; bytes.size() < 20000; ++i) {
        bytes += std::to_string(i) + ",";
    }
    TempBytesFile file;
    ASSERT_TRUE(file.Write(bytes));
    FileByteSource source;
    ASSERT_TRUE(source.Open(file.Path().c_str()));
    const struct {
        int64_t offset;
        int32_t count;
    } reads[] = {{0, 2},    {2, 64},   {4094, 4}, {100, 10}, {19990, 10},
                 {5000, 8}, {4999, 2}, {0, 9000}, {8, 4096}, {4096, 1}};
    for (const auto& read : reads) {
        std::string got(static_cast<size_t>(read.count), '\0');
        ASSERT_TRUE(source.ReadAt(read.offset, &got[0], read.count)) << read.offset;
        EXPECT_EQ(bytes.substr(static_cast<size_t>(read.offset), static_cast<size_t>(read.count)),
                  got)
            << read.offset << " " << read.count;
    }
}
#endif
