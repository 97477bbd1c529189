// Private-key blocks: the body between BEGIN and END markers of a private key, on the marker's
// line and on the lines that follow, and the body lines before an END marker that closes no
// block.

#include "masking/CredentialRules.h"

#include "masking/CredentialText.h"
#include "masking/CredentialWords.h"
#include "masking/ValueScan.h"

#include <algorithm>

using namespace credentials;

namespace {

size_t Base64RunStart(std::string_view line, size_t end) {
    while (end > 0 && (IsBase64Char(line[end - 1]) || line[end - 1] == '=')) {
        --end;
    }
    return end;
}

// A line of a key block's body: a base64 word at the line end, after a trace prefix if any.
bool IsKeyBodyLine(std::string_view line) {
    size_t end = SkipBlanksBack(line, line.size());
    size_t start = WordStartBack(line, end);
    std::string_view word = line.substr(start, end - start);
    return IsBase64Body(word) && (word.size() >= 16 || word.back() == '=' || start == 0);
}

// A line's last word [start, end) that the other rules mask, or that holds a mask: such a line
// goes on with a key block, so that the second pass, which finds a masked body line in its place,
// reads the block as the first did.
bool IsMaskedWord(std::string_view line, size_t start, size_t end, const CredentialSpans& spans) {
    for (const auto& span : spans) {
        if (span.first < end && span.second > start) {
            return true;
        }
    }
    return line.substr(start, end - start).find(CredentialMask) != npos;
}

// RSA PRIVATE KEY, ENCRYPTED PRIVATE KEY, OPENSSH PRIVATE KEY: a marker's label is a few words
// in capitals; one that holds anything else (a mask among it) is no label.
bool IsPrivateKeyLabel(std::string_view label) {
    const size_t MaxLabel = 40;
    for (char c : label) {
        if (!IsUpper(c) && !IsDigit(c) && c != ' ') {
            return false;
        }
    }
    return label.size() <= MaxLabel && label.find("PRIVATE KEY") != npos;
}

// A line of an open key block: a body line (masked), a PEM header or blank line, a line whose
// last word is masked, or the END marker (the base64 just before it masked) go on with it or end
// it; any other line ends it. Returns where the line is read for a BEGIN marker, or npos.
size_t GoOnInKeyBlock(std::string_view line, CredentialLineState& state, CredentialSpans& spans) {
    size_t endMarker = line.find("-----END");
    if (endMarker != npos) {
        size_t end = SkipBlanksBack(line, endMarker);
        size_t start = Base64RunStart(line, end);
        if (end - start >= 16) {
            AddSpan(start, end, spans);
            state.continuedSpans += state.privateKeyCounted ? 1 : 0;
        }
        state.inPrivateKey = false;
        return endMarker + 8;
    }
    size_t end = SkipBlanksBack(line, line.size());
    size_t start = WordStartBack(line, end);
    if (IsKeyBodyLine(line)) {
        AddSpan(start, end, spans);
        state.continuedSpans += state.privateKeyCounted ? 1 : 0;
        state.privateKeyCounted = true;
        return npos;
    }
    if (end == 0 || line.find("Proc-Type:") != npos || line.find("DEK-Info:") != npos ||
        IsMaskedWord(line, start, end, spans)) {
        return npos;
    }
    state.inPrivateKey = false; // no part of the block: it may open the next one
    return 0;
}

} // namespace

namespace credentials {

// -----BEGIN … PRIVATE KEY----- … -----END … PRIVATE KEY-----: the body, on the marker's line
// (a JSON string with \n, or a line of its own) and on the lines that follow, each a base64 word
// at the line end (after a trace prefix); the block ends at the END marker or at a line that is
// no part of it. PEM headers (Proc-Type:, DEK-Info:) and blank lines do not end it.
void FindPrivateKeyBlocks(std::string_view line, CredentialLineState& state,
                          CredentialSpans& spans) {
    const size_t n = line.size();
    size_t at = state.inPrivateKey ? GoOnInKeyBlock(line, state, spans) : 0;
    if (at == npos) {
        return;
    }
    for (size_t begin = line.find("-----BEGIN ", at); begin != npos;
         begin = line.find("-----BEGIN ", at)) {
        size_t labelStart = begin + 11;
        size_t close = line.find("-----", labelStart);
        if (close == npos) {
            return;
        }
        size_t bodyStart = close + 5;
        at = labelStart;
        if (!IsPrivateKeyLabel(line.substr(labelStart, close - labelStart))) {
            continue;
        }
        at = bodyStart;
        size_t endMarker = line.find("-----END", bodyStart);
        size_t bodyEnd = endMarker == npos ? n : endMarker;
        // A mask in the body with more after it may hide its END: the block is read as closed
        // there. One at the line end is a body masked before, whose block goes on.
        size_t mask = line.substr(bodyStart, bodyEnd - bodyStart).find(CredentialMask);
        if (mask != npos) {
            bodyEnd = bodyStart + mask;
            size_t after = SkipBlanks(line, bodyEnd + CredentialMask.size());
            endMarker = after == n && endMarker == npos ? npos : bodyEnd;
        }
        size_t base64 = 0;
        for (size_t i = bodyStart; i < bodyEnd; ++i) {
            base64 += IsBase64Char(line[i]) ? 1 : 0;
        }
        if (base64 >= 8) {
            AddSpan(SkipBlanks(line, bodyStart), SkipBlanksBack(line, bodyEnd), spans);
        }
        if (endMarker == npos) {
            state.inPrivateKey = true;
            state.privateKeyCounted = base64 >= 8;
            return;
        }
        at = endMarker + 8;
    }
}

} // namespace credentials

bool FindPrivateKeyBodyWord(std::string_view line, size_t& start, size_t& end) {
    if (!IsKeyBodyLine(line)) {
        return false;
    }
    end = SkipBlanksBack(line, line.size());
    start = WordStartBack(line, end);
    return true;
}

// Each END marker's label is read to the next five dashes, where the next marker would start, so
// that no part of the line is read twice.
bool ClosesUnopenedPrivateKey(std::string_view line) {
    size_t begin = std::min(line.find("-----BEGIN "), line.size());
    for (size_t endMarker = line.find("-----END "); endMarker < begin;
         endMarker = line.find("-----END ", endMarker + 9)) {
        size_t labelStart = endMarker + 9;
        size_t close = line.find("-----", labelStart);
        if (close == npos) {
            return false;
        }
        if (IsPrivateKeyLabel(line.substr(labelStart, close - labelStart))) {
            return true;
        }
    }
    return false;
}
