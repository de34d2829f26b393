#pragma once
// A set of byte values (0..255): what one step of a regular expression may consume.

#include <array>
#include <cstddef>
#include <cstdint>

namespace search {

class TRegExprByteSet {
 public:
  bool Test(unsigned char byte) const { return (words_[byte >> 6] >> (byte & 63)) & 1u; }
  void Add(unsigned char byte) { words_[byte >> 6] |= std::uint64_t{1} << (byte & 63); }
  void AddRange(unsigned char first, unsigned char last) {
    for (unsigned value = first; value <= last; ++value) Add(static_cast<unsigned char>(value));
  }
  void AddSet(const TRegExprByteSet& other) {
    for (size_t i = 0; i < words_.size(); ++i) words_[i] |= other.words_[i];
  }
  void RemoveSet(const TRegExprByteSet& other) {
    for (size_t i = 0; i < words_.size(); ++i) words_[i] &= ~other.words_[i];
  }
  void Invert() {
    for (auto& word : words_) word = ~word;
  }
  // Adds the other letter case of every ASCII letter already in the set.
  void AddOtherAsciiCase() {
    for (unsigned value = 'A'; value <= 'Z'; ++value) {
      const auto upper = static_cast<unsigned char>(value);
      const auto lower = static_cast<unsigned char>(value + 32);
      if (Test(upper) || Test(lower)) {
        Add(upper);
        Add(lower);
      }
    }
  }
  int Count() const {
    int count = 0;
    for (auto word : words_) count += __builtin_popcountll(word);
    return count;
  }
  bool operator==(const TRegExprByteSet&) const = default;
  std::size_t Hash() const {
    std::size_t hash = 0;
    for (auto word : words_) hash = hash * 1000003u ^ static_cast<std::size_t>(word ^ (word >> 29));
    return hash;
  }

  static TRegExprByteSet All() {
    TRegExprByteSet set;
    set.Invert();
    return set;
  }
  static TRegExprByteSet Of(unsigned char byte) {
    TRegExprByteSet set;
    set.Add(byte);
    return set;
  }

 private:
  std::array<std::uint64_t, 4> words_{};
};

// The character classes of the dialect.
inline bool IsRegExprWordChar(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
inline bool IsRegExprSpaceChar(unsigned char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}
inline bool IsRegExprDigit(unsigned char c) { return c >= '0' && c <= '9'; }
inline unsigned char AsciiFold(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c;
}

}  // namespace search
