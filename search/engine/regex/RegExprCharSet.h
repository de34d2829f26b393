#pragma once
// A set of characters for expressions read as UTF-8: code points, held as ranges, and apart
// from them the bytes that stand alone in a line because they are not part of valid UTF-8.
// The compiler turns the set into the UTF-8 byte sequences that spell its characters, so
// that the automaton still steps over bytes.

#include <cstdint>
#include <utility>
#include <vector>

#include "search/engine/regex/RegExprByteSet.h"

namespace search {

// The key by which letters compare when case is ignored, as plain strings compare them: the
// upper case, except that a letter beyond ASCII keeps itself when its upper case is ASCII.
char32_t RegExprFoldKey(char32_t codePoint);

class TRegExprCharSet {
 public:
  static constexpr char32_t kMaxCodePoint = 0x10FFFF;

  void AddRange(char32_t first, char32_t last);
  void Add(char32_t codePoint) { AddRange(codePoint, codePoint); }
  // A byte 0x80..0xFF that is not part of a valid sequence.
  void AddRawByte(unsigned char byte) { raw_.Add(byte); }
  void AddAsciiSet(const TRegExprByteSet& set);
  // Every character of the set in either letter case, by the same folding as plain strings
  // (see CaseFolding.h): ASCII letters, and letters beyond ASCII that share an upper case.
  void AddOtherCases();
  // Every character (code point or lone byte) not in the set.
  void Invert();

  bool Contains(char32_t codePoint) const;
  bool ContainsRawByte(unsigned char byte) const { return raw_.Test(byte); }
  const std::vector<std::pair<char32_t, char32_t>>& Ranges() const { return ranges_; }
  const TRegExprByteSet& RawBytes() const { return raw_; }
  // True when the set holds only ASCII characters, which are single bytes.
  bool IsAscii() const;
  // The ASCII part as a byte set.
  TRegExprByteSet AsciiBytes() const;

  // The byte sequences that spell the set's characters in the input the matchers read (see
  // RegExprInput.h): each is a list of byte sets, one per byte. Sequences never overlap.
  std::vector<std::vector<TRegExprByteSet>> ByteSequences() const;

 private:
  void Normalize();

  std::vector<std::pair<char32_t, char32_t>> ranges_;  // sorted, disjoint, not touching
  TRegExprByteSet raw_;
};

}  // namespace search
