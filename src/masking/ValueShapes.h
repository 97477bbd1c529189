#pragma once

// The shapes of values that read as no secret for a weak key, and of a token: words, numbers,
// versions, identifiers, names (ValueShapes.cpp).

#include <string_view>

namespace credentials {

bool IsAll(std::string_view value, bool (*test)(char));
bool IsNumberLike(std::string_view value);
bool IsVersion(std::string_view value);
bool IsUnixPath(std::string_view value);
bool IsWindowsSid(std::string_view value);
bool IsGuid(std::string_view value);
bool IsPlainWord(std::string_view value);
bool IsCamelWords(std::string_view value);
bool IsWordWithNumber(std::string_view value);
bool IsWordList(std::string_view value);
bool IsDottedName(std::string_view value);
bool LooksLikeToken(std::string_view value);

} // namespace credentials
