#pragma once
// What files and folders dropped on the Path and Files boxes put there. Names are taken whole.

#include <string>
#include <vector>

namespace search {

// The folders of the dropped names (a file gives its folder), each ending with a separator,
// each once (letter case counts: /d/Data and /d/data are two folders), joined by "; ";
// empty when nothing was usable.
std::string PathBoxFromDrop(const std::vector<std::string>& names);

// The file names of the dropped files (folders passed over), each once regardless of letter
// case, joined by "; "; empty when nothing was usable.
std::string FilesBoxFromDrop(const std::vector<std::string>& names);

}  // namespace search
