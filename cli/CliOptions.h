#pragma once
// The command line of search-cli, read into the criteria of one search.

#include <optional>
#include <string>
#include <vector>

#include "search/engine/run/SearchCriteria.h"
#include "search/engine/results/TreeViewObject.h"

namespace cli {

struct TCliOptions {
  search::TSearchCriteria Criteria;
  search::TDisplayOptions Display;
  bool ShowStatus = false;
  bool ShowHelp = false;
  // Print the filter's description instead of searching.
  bool ShowFilterDescription = false;
};

// Reads the arguments (without the program name). On bad usage returns nothing and sets the
// error text to one line saying what is wrong.
std::optional<TCliOptions> ParseCliOptions(const std::vector<std::string>& arguments,
                                           std::string& error);

extern const char* const kCliHelp;

}  // namespace cli
