#pragma once
// Finds a fixed text in a large buffer fast. Two of the needle's rarest bytes are looked for at
// their distance from each other, 32 positions at a time with vector instructions, and the
// needle is compared only where both stand. Letter case can be ignored for ASCII letters.

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

  // The two bytes looked for, with their other letter case when case is ignored.
  struct TProbe {
    size_t offset = 0;
    char a = 0;
    char b = 0;
  };

 private:
  bool MatchesAt(const char* text) const;
  size_t FindSimply(std::string_view haystack, size_t from) const;

  std::string needle_;  // upper-cased when case is ignored
  bool ignoreCase_ = false;
  TProbe first_;
  TProbe second_;
};

}  // namespace search
