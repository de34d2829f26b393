#pragma once
// Orders the top level of the results tree by one of seven file keys, ascending or
// descending, with a stable merge sort: ties keep their order in both directions.

#include <string>
#include <string_view>

#include "search/engine/results/ResultTree.h"
#include "search/engine/run/SearchCriteria.h"

namespace search {

// The key of one top-level node. Paths and names compare as text with a..z folded to A..Z;
// counts, sizes and dates compare by value, unavailable values (size -1, time 0) lowest.
// Error nodes come after every file node.
struct TSortKey {
  enum class Group { File, Error } group = Group::File;
  std::string_view text;  // points into the node
  std::string ownText;    // used instead when the key is made up (notices)
  std::string_view Text() const { return ownText.empty() ? text : std::string_view(ownText); }
  double value = 0;
  bool numeric = false;
};

TSortKey GetSortKey(const TResultNode& node, int sortField);

// <0, 0 or >0.
int CompareSortKeys(const TSortKey& a, const TSortKey& b);
// The text comparison: letters a..z folded to A..Z, nothing else; shorter prefix first.
int CompareFoldedText(std::string_view a, std::string_view b);

void SortResults(TResultTree& tree, const TSortOptions& options);

}  // namespace search
