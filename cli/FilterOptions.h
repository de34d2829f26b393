#pragma once
// The values of search-cli's --filter-* options, read into the advanced file filter.

#include <string>

#include "search/engine/filter/FileFilter.h"

namespace cli {

enum class TDateKind { Created, Modified, Accessed };

// "MIN:MAX" in bytes, either side empty for no bound.
bool ParseSizeFilter(const std::string& value, search::TFileFilter& filter);
// "last:N:UNIT" (minutes, hours, days, weeks, months, years) or "between:FROM,TO" with local
// date-times written YYYY-MM-DDTHH:MM:SS, either side empty for no bound.
bool ParseDateFilter(const std::string& value, TDateKind kind, search::TFileFilter& filter);
// Comma-separated "+name" (must be set) or "-name" (must not be set); names archive,
// readonly, system, hidden, compressed.
bool ParseAttributeFilter(const std::string& value, search::TFileFilter& filter);

}  // namespace cli
