#include "search/engine/LiteralSearch.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "search/engine/CaseFolding.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace search {
namespace {

// A rough rank of how common a byte is in text and source code: higher is more common.
int Commonness(unsigned char c) {
  static constexpr std::string_view kLetters = "etaoinshrdlcumwfgypbvkjxqz";
  if (c == ' ') return 255;
  if (c >= 'a' && c <= 'z') return 220 - static_cast<int>(kLetters.find(static_cast<char>(c))) * 4;
  if (c >= 'A' && c <= 'Z') return 120 - static_cast<int>(kLetters.find(static_cast<char>(c - 'A' + 'a'))) * 3;
  if (c >= '0' && c <= '9') return 110;
  if (c == '\t' || c == '_' || c == '(' || c == ')' || c == ';' || c == ',' || c == '.' ||
      c == '=' || c == '*' || c == '/' || c == '-' || c == '"' || c == '>' || c == '<') {
    return 130;
  }
  if (c >= 0x80) return 60;
  return 40;
}

char OtherCase(char c) {
  if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
  if (c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
  return c;
}

// The first byte equal to a or b in [p, end), or null.
const char* FindEither(const char* p, const char* end, char a, char b) {
  if (a == b) return static_cast<const char*>(std::memchr(p, a, static_cast<size_t>(end - p)));
#if defined(__SSE2__)
  const __m128i va = _mm_set1_epi8(a);
  const __m128i vb = _mm_set1_epi8(b);
  for (; end - p >= 32; p += 32) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
    const int low = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(x, va), _mm_cmpeq_epi8(x, vb)));
    const int high = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(y, va), _mm_cmpeq_epi8(y, vb)));
    if ((low | high) != 0) {
      const unsigned mask = static_cast<unsigned>(low) | (static_cast<unsigned>(high) << 16);
      return p + __builtin_ctz(mask);
    }
  }
#endif
  for (; p < end; ++p) {
    if (*p == a || *p == b) return p;
  }
  return nullptr;
}

}  // namespace

TLiteralSearch::TLiteralSearch(std::string_view needle, bool ignoreAsciiCase)
    : needle_(needle), ignoreCase_(ignoreAsciiCase) {
  if (ignoreCase_) {
    for (char& c : needle_) c = AsciiUpperChar(c);
  }
  int best = 1000;
  for (size_t i = 0; i < needle_.size(); ++i) {
    const auto c = static_cast<unsigned char>(needle_[i]);
    const int rank = ignoreCase_ ? Commonness(static_cast<unsigned char>(OtherCase(static_cast<char>(c))))
                                 : Commonness(c);
    if (rank < best) {
      best = rank;
      rareIndex_ = i;
    }
  }
  if (!needle_.empty()) {
    rareA_ = needle_[rareIndex_];
    rareB_ = ignoreCase_ ? OtherCase(rareA_) : rareA_;
  }
}

bool TLiteralSearch::MatchesAt(const char* text) const {
  if (!ignoreCase_) return std::memcmp(text, needle_.data(), needle_.size()) == 0;
  for (size_t i = 0; i < needle_.size(); ++i) {
    if (AsciiUpperChar(text[i]) != needle_[i]) return false;
  }
  return true;
}

size_t TLiteralSearch::Find(std::string_view haystack, size_t from) const {
  const size_t n = needle_.size();
  if (n == 0 || from > haystack.size() || haystack.size() - from < n) return std::string_view::npos;
  const char* const begin = haystack.data();
  const char* const lastStart = begin + haystack.size() - n;
  const char* p = begin + from + rareIndex_;
  const char* const end = lastStart + rareIndex_ + 1;
  size_t misses = 0;
  while (p < end) {
    const char* hit = FindEither(p, end, rareA_, rareB_);
    if (hit == nullptr) return std::string_view::npos;
    const char* start = hit - rareIndex_;
    if (MatchesAt(start)) return static_cast<size_t>(start - begin);
    // Many near misses: the rare byte is not rare here, so search the rest another way.
    if (++misses > 64 && static_cast<size_t>(hit - begin) - from < misses * 32) {
      return FindSlowly(haystack, static_cast<size_t>(start - begin) + 1);
    }
    p = hit + 1;
  }
  return std::string_view::npos;
}

size_t TLiteralSearch::FindSlowly(std::string_view haystack, size_t from) const {
  const auto first = haystack.begin() + static_cast<std::ptrdiff_t>(from);
  std::string_view::const_iterator found;
  if (ignoreCase_) {
    auto hash = [](char c) { return std::hash<char>()(AsciiUpperChar(c)); };
    auto equal = [](char a, char b) { return AsciiUpperChar(a) == AsciiUpperChar(b); };
    found = std::search(first, haystack.end(),
                        std::boyer_moore_horspool_searcher(needle_.begin(), needle_.end(), hash, equal));
  } else {
    found = std::search(first, haystack.end(),
                        std::boyer_moore_horspool_searcher(needle_.begin(), needle_.end()));
  }
  return found == haystack.end() ? std::string_view::npos
                                 : static_cast<size_t>(found - haystack.begin());
}

}  // namespace search
