#pragma once
// A row of the results as written to a pipe or a file: control characters escaped, so that
// one row is always one line whatever the names and lines hold.

#include <string>
#include <string_view>

namespace cli {

// Line feed as \n, tab as \t, the backslash as \\, every other control byte as \xHH (two
// lower-case hex digits); everything else as it is.
std::string EscapedRow(std::string_view row);

}  // namespace cli
