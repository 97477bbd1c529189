#include "base/JsonWriter.h"

#include <cstdio>

namespace {

// Length of the valid UTF-8 sequence at data, or 0 when it is not one (overlong forms,
// surrogates and code points above U+10FFFF included).
int32_t Utf8SequenceLength(const unsigned char* data, int32_t available) {
    unsigned char lead = data[0];
    int32_t length = lead < 0x80   ? 1
                     : lead < 0xC2 ? 0
                     : lead < 0xE0 ? 2
                     : lead < 0xF0 ? 3
                     : lead < 0xF5 ? 4
                                   : 0;
    if (length == 0 || length > available) {
        return 0;
    }
    for (int32_t i = 1; i < length; ++i) {
        if ((data[i] & 0xC0) != 0x80) {
            return 0;
        }
    }
    if ((lead == 0xE0 && data[1] < 0xA0) || (lead == 0xED && data[1] > 0x9F) ||
        (lead == 0xF0 && data[1] < 0x90) || (lead == 0xF4 && data[1] > 0x8F)) {
        return 0;
    }
    return length;
}

} // namespace

void JsonWriter::Key(const char* name) {
    BeforeValue();
    AppendEscaped(name, static_cast<int32_t>(__builtin_strlen(name)));
    text.Append(": ");
    afterKey = true;
}

void JsonWriter::String(const char* data, int32_t length) {
    BeforeValue();
    AppendEscaped(data, length);
}

void JsonWriter::Number(int64_t value) {
    BeforeValue();
    char digits[24];
    snprintf(digits, sizeof digits, "%lld", static_cast<long long>(value));
    text.Append(digits);
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    text.Append(value ? "true" : "false");
}

void JsonWriter::Null() {
    BeforeValue();
    text.Append("null");
}

void JsonWriter::Open(char bracket) {
    BeforeValue();
    char opening[2] = {bracket, '\0'};
    text.Append(opening);
    if (depth < MaxDepth) {
        hasItems[++depth] = false;
    }
}

void JsonWriter::Close(char bracket) {
    if (depth == 0) {
        return;
    }
    bool hadItems = hasItems[depth--];
    if (hadItems) {
        NewLine();
    }
    char closing[2] = {bracket, '\0'};
    text.Append(closing);
}

// A value inside an object follows its key on the same line; any other starts a new line.
void JsonWriter::BeforeValue() {
    if (afterKey) {
        afterKey = false;
        return;
    }
    if (depth == 0) {
        return;
    }
    if (hasItems[depth]) {
        text.Append(",");
    }
    hasItems[depth] = true;
    NewLine();
}

void JsonWriter::NewLine() {
    text.Append("\n");
    for (int32_t i = 0; i < depth; ++i) {
        text.Append("  ");
    }
}

// Plain runs are appended whole; only quotes, backslashes, control characters and bytes that
// are not UTF-8 are written one by one.
void JsonWriter::AppendEscaped(const char* data, int32_t length) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    text.Append("\"");
    int32_t run = 0;
    int32_t i = 0;
    while (i < length) {
        unsigned char c = bytes[i];
        int32_t sequence = Utf8SequenceLength(bytes + i, length - i);
        bool plain =
            sequence > 1 || (sequence == 1 && c >= 0x20 && c != 0x7F && c != '"' && c != '\\');
        if (plain) {
            i += sequence;
            continue;
        }
        text.Append(Str(data + run, i - run));
        AppendSpecial(c, sequence == 0);
        run = ++i;
    }
    text.Append(Str(data + run, i - run));
    text.Append("\"");
}

void JsonWriter::AppendSpecial(unsigned char c, bool invalid) {
    char escape[8] = {};
    if (invalid) {
        snprintf(escape, sizeof escape, "\xEF\xBF\xBD");
    } else if (c == '"' || c == '\\') {
        snprintf(escape, sizeof escape, "\\%c", c);
    } else if (c == '\n' || c == '\r' || c == '\t') {
        snprintf(escape, sizeof escape, "\\%c", c == '\n' ? 'n' : c == '\r' ? 'r' : 't');
    } else {
        snprintf(escape, sizeof escape, "\\u%04x", c);
    }
    text.Append(escape);
}
