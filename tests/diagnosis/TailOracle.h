#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The reference for the tail of a trace log: count the pieces that fgets with a buffer of 2047
// bytes returns, go back to the start, pass over all but the last maxLines and keep the rest.
// Each piece keeps every byte it was read with (its size taken from the file position), so NUL
// bytes inside a piece stay visible.
bool ReadTailTwoPass(const std::string& path, int32_t maxLines, std::vector<std::string>& pieces);
