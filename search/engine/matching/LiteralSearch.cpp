#include "search/engine/matching/LiteralSearch.h"

#include <cstring>
#include <tuple>

#include "search/engine/matching/CaseFolding.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace search {
namespace {

constexpr size_t npos = std::string_view::npos;

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

int RankForSearch(char c, bool ignoreCase) {
  const auto u = static_cast<unsigned char>(c);
  // Ignoring case, a letter stands for both its forms: as common as the lower-case one.
  return ignoreCase ? std::max(Commonness(u), Commonness(static_cast<unsigned char>(OtherCase(c))))
                    : Commonness(u);
}

#if defined(__x86_64__)
// Candidate starts in [p, p + 32): where both probes' bytes stand at their offsets.
__attribute__((target("avx2"))) inline unsigned PairMask(const char* p, const TLiteralSearch::TProbe& x,
                                                          const TLiteralSearch::TProbe& y) {
  const __m256i bx = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + x.offset));
  const __m256i by = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + y.offset));
  const __m256i hx = _mm256_or_si256(_mm256_cmpeq_epi8(bx, _mm256_set1_epi8(x.a)),
                                     _mm256_cmpeq_epi8(bx, _mm256_set1_epi8(x.b)));
  const __m256i hy = _mm256_or_si256(_mm256_cmpeq_epi8(by, _mm256_set1_epi8(y.a)),
                                     _mm256_cmpeq_epi8(by, _mm256_set1_epi8(y.b)));
  return static_cast<unsigned>(_mm256_movemask_epi8(_mm256_and_si256(hx, hy)));
}

struct TScanStop {
  const char* match;   // where the needle was found, or null
  const char* resume;  // else where the caller goes on
};

template <typename Verify>
__attribute__((target("avx2"))) TScanStop ScanPairsAvx2(const char* p, const char* lastStart,
                                                        const TLiteralSearch::TProbe& x,
                                                        const TLiteralSearch::TProbe& y, Verify verify) {
  // Every start up to lastStart is possible; a block of 32 starts keeps its probes' bytes in
  // bounds while p + 31 <= lastStart.
  for (; lastStart - p >= 31; p += 32) {
    for (unsigned mask = PairMask(p, x, y); mask != 0; mask &= mask - 1) {
      const char* start = p + __builtin_ctz(mask);
      if (verify(start)) return {start, nullptr};
    }
  }
  return {nullptr, p};
}
#endif

// The first byte equal to a or b in [p, end), or null.
const char* FindEither(const char* p, const char* end, char a, char b) {
  if (a == b) return static_cast<const char*>(std::memchr(p, a, static_cast<size_t>(end - p)));
#if defined(__SSE2__)
  const __m128i va = _mm_set1_epi8(a);
  const __m128i vb = _mm_set1_epi8(b);
  for (; end - p >= 16; p += 16) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const int mask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(x, va), _mm_cmpeq_epi8(x, vb)));
    if (mask != 0) return p + __builtin_ctz(static_cast<unsigned>(mask));
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
  if (needle_.empty()) return;
  // The rarest byte, then the rarest other one (at another position).
  size_t best = 0;
  for (size_t i = 1; i < needle_.size(); ++i) {
    if (RankForSearch(needle_[i], ignoreCase_) < RankForSearch(needle_[best], ignoreCase_)) best = i;
  }
  // Prefer a byte unlike the first, then the rarer, then the farther: neighbours such as the
  // "PM" of PM_RESUME often come together, bytes far apart seldom do.
  auto score = [&](size_t i) {
    const bool differs = AsciiUpperChar(needle_[i]) != AsciiUpperChar(needle_[best]);
    const size_t distance = i > best ? i - best : best - i;
    return std::tuple(!differs, RankForSearch(needle_[i], ignoreCase_), -static_cast<long>(distance));
  };
  size_t next = best == 0 ? needle_.size() - 1 : 0;
  for (size_t i = 0; i < needle_.size(); ++i) {
    if (i != best && score(i) < score(next)) next = i;
  }
  auto probe = [&](size_t offset) {
    const char c = needle_[offset];
    return TProbe{offset, c, ignoreCase_ ? OtherCase(c) : c};
  };
  first_ = probe(best);
  second_ = probe(next);
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
  if (n == 0 || from > haystack.size() || haystack.size() - from < n) return npos;
  const char* const begin = haystack.data();
  const char* p = begin + from;
#if defined(__x86_64__)
  static const bool hasAvx2 = __builtin_cpu_supports("avx2");
  if (hasAvx2 && n >= 2) {
    const TScanStop stop = ScanPairsAvx2(p, begin + haystack.size() - n, first_, second_,
                                         [this](const char* start) { return MatchesAt(start); });
    if (stop.match != nullptr) return static_cast<size_t>(stop.match - begin);
    p = stop.resume;
  }
#endif
  return FindSimply(haystack, static_cast<size_t>(p - begin));
}

// The rarest byte alone, with memchr: for short needles, short tails and machines without AVX2.
size_t TLiteralSearch::FindSimply(std::string_view haystack, size_t from) const {
  const size_t n = needle_.size();
  if (from > haystack.size() || haystack.size() - from < n) return npos;
  const char* const begin = haystack.data();
  const char* const end = begin + haystack.size() - n + first_.offset + 1;
  for (const char* p = begin + from + first_.offset; p < end; ++p) {
    const char* hit = FindEither(p, end, first_.a, first_.b);
    if (hit == nullptr) return npos;
    if (MatchesAt(hit - first_.offset)) return static_cast<size_t>(hit - first_.offset - begin);
    p = hit;
  }
  return npos;
}

}  // namespace search
