#include "base/JsonWriter.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>

// Whatever a product text holds, the document parses and gives the text back; bytes that are
// not UTF-8 come back as U+FFFD.
TEST(JsonWriter, HostileTextsParseBack) {
    const struct {
        std::string text;
        std::string parsed;
    } rows[] = {
        {"plain", "plain"},
        {"quote \" backslash \\ slash /", "quote \" backslash \\ slash /"},
        {"line\r\nend\ttab", "line\r\nend\ttab"},
        {std::string("nul\0byte", 8), std::string("nul\0byte", 8)},
        {"\x01\x1f\x7f", "\x01\x1f\x7f"},
        {"Gr\xC3\xBC\xC3\x9F \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80",
         "Gr\xC3\xBC\xC3\x9F \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80"},
        {"M\xFCller", "M\xEF\xBF\xBDller"},
        {"cut \xE6\x9D", "cut \xEF\xBF\xBD\xEF\xBF\xBD"},
        {"overlong \xC0\xAF surrogate \xED\xA0\x80",
         "overlong \xEF\xBF\xBD\xEF\xBF\xBD surrogate \xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
    };
    for (const auto& row : rows) {
        JsonWriter json;
        json.BeginObject();
        json.Key("text");
        json.String(row.text.data(), static_cast<int32_t>(row.text.size()));
        json.Key("list");
        json.BeginArray();
        json.BeginArray();
        json.EndArray();
        json.Number(-1);
        json.EndArray();
        json.EndObject();
        nlohmann::json parsed = nlohmann::json::parse(json.Text().Text());
        EXPECT_EQ(row.parsed, parsed["text"].get<std::string>()) << json.Text().Text();
        EXPECT_EQ(nlohmann::json::parse("[[], -1]"), parsed["list"]);
    }
}
