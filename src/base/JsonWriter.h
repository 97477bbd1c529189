#pragma once

#include "base/Str.h"

#include <cstdint>

// Builds one JSON text (RFC 8259) into a Str, with two-space indentation. Commas, quotes and
// escapes are the writer's business; a string that is not valid UTF-8 has each bad byte
// replaced by U+FFFD, so the output always parses. Nesting deeper than MaxDepth is ignored.
class JsonWriter {
public:
    static constexpr int32_t MaxDepth = 16;

    void BeginObject() { Open('{'); }
    void EndObject() { Close('}'); }
    void BeginArray() { Open('['); }
    void EndArray() { Close(']'); }
    void Key(const char* name);
    void String(const char* text, int32_t length);
    void String(const Str& text) { String(text.Text(), text.Length()); }
    void Number(int64_t value);
    void Bool(bool value);
    void Null();
    void StringField(const char* key, const Str& value) {
        Key(key);
        String(value);
    }
    void NumberField(const char* key, int64_t value) {
        Key(key);
        Number(value);
    }
    void BoolField(const char* key, bool value) {
        Key(key);
        Bool(value);
    }

    const Str& Text() const { return text; }

private:
    void Open(char bracket);
    void Close(char bracket);
    void BeforeValue();
    void NewLine();
    void AppendEscaped(const char* data, int32_t length);
    void AppendSpecial(unsigned char c, bool invalid);

    Str text;
    int32_t depth = 0;
    bool hasItems[MaxDepth + 1] = {};
    bool afterKey = false;
};
