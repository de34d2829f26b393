#pragma once
// The order of file names in copied and saved lists: the locale's collation with letter case
// ignored, ties broken by byte order. Only byte-identical names count as the same: on Linux
// X.TXT and x.txt are two files.

#include <string>
#include <vector>

namespace search {

// Sorts the names and drops the repeats of byte-identical names.
void SortFileNames(std::vector<std::string>& names);

}  // namespace search
