#include "search/engine/regex/RegExprCharSet.h"

#include <algorithm>
#include <cwctype>
#include <map>

#include "search/engine/Utf8.h"
#include "search/engine/regex/RegExprInput.h"

namespace search {
namespace {

constexpr char32_t kSurrogateFirst = 0xD800;
constexpr char32_t kSurrogateLast = 0xDFFF;
// Letters with a case beyond this are not known to the C library's tables.
constexpr char32_t kLastCasedLetter = 0x1FFFF;


// The letters beyond ASCII that fold alike, in groups of two or more.
const std::vector<std::vector<char32_t>>& CaseGroups() {
  static const std::vector<std::vector<char32_t>> groups = [] {
    std::map<char32_t, std::vector<char32_t>> byKey;
    for (char32_t c = 0x80; c <= kLastCasedLetter; ++c) {
      if (c >= kSurrogateFirst && c <= kSurrogateLast) continue;
      byKey[RegExprFoldKey(c)].push_back(c);
    }
    std::vector<std::vector<char32_t>> result;
    for (auto& [key, members] : byKey) {
      if (members.size() > 1) result.push_back(std::move(members));
    }
    return result;
  }();
  return groups;
}

TRegExprByteSet ByteRange(unsigned char first, unsigned char last) {
  TRegExprByteSet set;
  set.AddRange(first, last);
  return set;
}

// Splits a range of code points into ranges whose UTF-8 forms differ only byte by byte, each
// becoming one sequence of byte ranges.
void SplitIntoSequences(char32_t first, char32_t last, std::vector<std::vector<TRegExprByteSet>>& out) {
  if (first <= kSurrogateLast && last >= kSurrogateFirst) {
    if (first < kSurrogateFirst) SplitIntoSequences(first, kSurrogateFirst - 1, out);
    if (last > kSurrogateLast) SplitIntoSequences(kSurrogateLast + 1, last, out);
    return;
  }
  for (char32_t lengthEnd : {char32_t{0x7F}, char32_t{0x7FF}, char32_t{0xFFFF}}) {
    if (first <= lengthEnd && last > lengthEnd) {
      SplitIntoSequences(first, lengthEnd, out);
      SplitIntoSequences(lengthEnd + 1, last, out);
      return;
    }
  }
  if (last < 0x80) {
    out.push_back({ByteRange(static_cast<unsigned char>(first), static_cast<unsigned char>(last))});
    return;
  }
  for (int i = 1; i < 4; ++i) {
    const char32_t tail = (char32_t{1} << (6 * i)) - 1;
    if ((first & ~tail) == (last & ~tail)) continue;
    if ((first & tail) != 0) {
      SplitIntoSequences(first, first | tail, out);
      SplitIntoSequences((first | tail) + 1, last, out);
      return;
    }
    if ((last & tail) != tail) {
      SplitIntoSequences(first, (last & ~tail) - 1, out);
      SplitIntoSequences(last & ~tail, last, out);
      return;
    }
  }
  std::string low, high;
  EncodeUtf8(first, low);
  EncodeUtf8(last, high);
  std::vector<TRegExprByteSet> sequence;
  for (std::size_t k = 0; k < low.size(); ++k) {
    sequence.push_back(ByteRange(static_cast<unsigned char>(low[k]), static_cast<unsigned char>(high[k])));
  }
  out.push_back(std::move(sequence));
}

}  // namespace

char32_t RegExprFoldKey(char32_t c) {
  if (c < 0x80) return (c >= 'a' && c <= 'z') ? c - 32 : c;
  const auto upper = static_cast<char32_t>(std::towupper(static_cast<wint_t>(c)));
  return upper >= 0x80 ? upper : c;
}

void TRegExprCharSet::AddRange(char32_t first, char32_t last) {
  if (first > last) return;
  ranges_.emplace_back(first, std::min(last, kMaxCodePoint));
  Normalize();
}

void TRegExprCharSet::AddAsciiSet(const TRegExprByteSet& set) {
  for (unsigned c = 0; c < 0x80; ++c) {
    if (set.Test(static_cast<unsigned char>(c))) ranges_.emplace_back(c, c);
  }
  Normalize();
}

void TRegExprCharSet::Normalize() {
  std::sort(ranges_.begin(), ranges_.end());
  std::vector<std::pair<char32_t, char32_t>> merged;
  for (const auto& range : ranges_) {
    if (!merged.empty() && range.first <= merged.back().second + 1) {
      merged.back().second = std::max(merged.back().second, range.second);
    } else {
      merged.push_back(range);
    }
  }
  ranges_ = std::move(merged);
}

bool TRegExprCharSet::Contains(char32_t codePoint) const {
  const auto it = std::upper_bound(ranges_.begin(), ranges_.end(), std::make_pair(codePoint, char32_t{kMaxCodePoint + 1}));
  return it != ranges_.begin() && std::prev(it)->second >= codePoint;
}

void TRegExprCharSet::AddOtherCases() {
  std::vector<std::pair<char32_t, char32_t>> added;
  for (char32_t c = 'A'; c <= 'Z'; ++c) {
    if (Contains(c) || Contains(c + 32)) {
      added.emplace_back(c, c);
      added.emplace_back(c + 32, c + 32);
    }
  }
  if (!ranges_.empty() && ranges_.back().second >= 0x80) {
    for (const auto& group : CaseGroups()) {
      if (std::any_of(group.begin(), group.end(), [&](char32_t c) { return Contains(c); })) {
        for (char32_t c : group) added.emplace_back(c, c);
      }
    }
  }
  ranges_.insert(ranges_.end(), added.begin(), added.end());
  Normalize();
}

void TRegExprCharSet::Invert() {
  std::vector<std::pair<char32_t, char32_t>> inverted;
  char32_t next = 0;
  for (const auto& [first, last] : ranges_) {
    if (first > next) inverted.emplace_back(next, first - 1);
    next = last + 1;
  }
  if (next <= kMaxCodePoint) inverted.emplace_back(next, kMaxCodePoint);
  ranges_ = std::move(inverted);
  TRegExprByteSet raw = ByteRange(0x80, 0xFF);
  raw.RemoveSet(raw_);
  raw_ = raw;
}

bool TRegExprCharSet::IsAscii() const {
  return raw_.Count() == 0 && (ranges_.empty() || ranges_.back().second < 0x80);
}

TRegExprByteSet TRegExprCharSet::AsciiBytes() const {
  TRegExprByteSet set;
  for (const auto& [first, last] : ranges_) {
    if (first >= 0x80) break;
    set.AddRange(static_cast<unsigned char>(first), static_cast<unsigned char>(std::min<char32_t>(last, 0x7F)));
  }
  return set;
}

std::vector<std::vector<TRegExprByteSet>> TRegExprCharSet::ByteSequences() const {
  std::vector<std::vector<TRegExprByteSet>> sequences;
  TRegExprByteSet ascii;
  for (const auto& [first, last] : ranges_) {
    if (last < 0x80) {
      ascii.AddRange(static_cast<unsigned char>(first), static_cast<unsigned char>(last));
    } else {
      SplitIntoSequences(first, last, sequences);
    }
  }
  // The ASCII characters (a range reaching past them split off its ASCII part as a sequence
  // of its own) share one byte set.
  std::erase_if(sequences, [&](const std::vector<TRegExprByteSet>& sequence) {
    if (sequence.size() != 1) return false;
    ascii.AddSet(sequence.front());
    return true;
  });
  if (ascii.Count() > 0) sequences.insert(sequences.begin(), {ascii});
  TRegExprByteSet low, high;
  for (unsigned b = 0x80; b <= 0xFF; ++b) {
    if (!raw_.Test(static_cast<unsigned char>(b))) continue;
    std::string escape;
    AppendRegExprRawByte(static_cast<unsigned char>(b), escape);
    (b < 0xC0 ? low : high).Add(static_cast<unsigned char>(escape[1]));
  }
  if (low.Count() > 0) sequences.push_back({TRegExprByteSet::Of(kRegExprRawLowLead), low});
  if (high.Count() > 0) sequences.push_back({TRegExprByteSet::Of(kRegExprRawHighLead), high});
  return sequences;
}

}  // namespace search
