#pragma once
// Fast search for one literal in a buffer, exactly or ignoring ASCII letter case: it jumps
// between occurrences of the literal's rarest byte and checks the rest around each.

#include <cstddef>
#include <string>
#include <string_view>

namespace search {

class TLiteralFinder {
 public:
  static constexpr std::size_t npos = std::string_view::npos;

  TLiteralFinder() = default;
  // With `ignoreCase`, ASCII letters of the literal match either case.
  TLiteralFinder(std::string literal, bool ignoreCase);

  bool Empty() const { return literal_.empty(); }
  // The position of the first occurrence starting at or after `from`; npos when there is none.
  // An empty literal is found at `from`.
  std::size_t Find(std::string_view text, std::size_t from = 0) const;

 private:
  bool SameAt(const char* at) const;
  std::size_t FindExact(std::string_view text, std::size_t from) const;
  std::size_t FindEitherCase(std::string_view text, std::size_t from) const;

  std::string literal_;
  bool ignoreCase_ = false;
  std::size_t rareIndex_ = 0;  // where the rarest byte sits in the literal
  char rare_ = 0;
  char rareOther_ = 0;  // its other letter case (the same byte when it is no letter)
};

}  // namespace search
