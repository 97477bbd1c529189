#pragma once

// The fixed addresses of the maker that the program shows or uses, kept in one place.

inline constexpr const char* SupportEmailAddress = "support@velmont.example";
