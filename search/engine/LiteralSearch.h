#pragma once
// Finds a fixed text in a large buffer fast: it jumps between occurrences of the needle's
// rarest byte (with the vector instructions of memchr) and compares only there. Letter case
// can be ignored for ASCII letters.

#include <cstddef>
#include <string>
#include <string_view>

namespace search {

class TLiteralSearch {
 public:
  TLiteralSearch() = default;
  TLiteralSearch(std::string_view needle, bool ignoreAsciiCase);

  bool Empty() const { return needle_.empty(); }
  const std::string& Needle() const { return needle_; }
  bool IgnoresCase() const { return ignoreCase_; }

  // The first position at or after `from` where the needle starts, or npos.
  size_t Find(std::string_view haystack, size_t from = 0) const;

 private:
  bool MatchesAt(const char* text) const;
  size_t FindSlowly(std::string_view haystack, size_t from) const;

  std::string needle_;  // upper-cased when case is ignored
  bool ignoreCase_ = false;
  size_t rareIndex_ = 0;
  char rareA_ = 0;  // the rare byte, and its other letter case when case is ignored
  char rareB_ = 0;
};

}  // namespace search
