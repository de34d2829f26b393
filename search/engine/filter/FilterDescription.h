#pragma once
// The one-line description of the advanced file filter shown beside the main window's Filter
// label, with the longer hint shown on hover.

#include <string>
#include <vector>

#include "search/engine/filter/FileFilter.h"

namespace search {

struct TFilterDescription {
  // A comma list of the active parts ("size, modified"), or "none".
  std::string Label;
  // One clause per line ("size larger than 10 KB;"), lines separated by line feeds; empty
  // when no clause applies.
  std::string Hint;

  // The hint's clauses, one per line.
  std::vector<std::string> HintLines() const;
};

inline constexpr const char* kNoFilterLabel = "none";

TFilterDescription DescribeFilter(const TFileFilter& filter);

}  // namespace search
