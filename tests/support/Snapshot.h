#pragma once

#include <string>

// Text pictures of the product's state, compared before and after the Doctor ran: every key and
// value of the product's registry trees (both roots, both views) and every file of a folder tree
// with its size, contents and write time.
std::string SnapshotProductRegistry();
std::string SnapshotFolder(const std::string& path);
