#pragma once
// Finds the first byte of a small class (the bytes below a bound, and two more) sixteen or
// eight bytes at a time: the shown text of a line and the escaped rows of search-cli copy the
// runs between such bytes whole.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace search {

#if defined(__SSE2__)
// Flags (0xFF) each of sixteen bytes that is at most `bound`, compared unsigned.
inline __m128i BytesAtMost(__m128i bytes, unsigned char bound) {
  return _mm_cmpeq_epi8(_mm_min_epu8(bytes, _mm_set1_epi8(static_cast<char>(bound))), bytes);
}
#endif

// The position of the first byte below `below` (at most 128) or equal to `a` or `b`, or the
// size of the text when there is none.
inline size_t FindByteBelowOr(std::string_view text, unsigned char below, unsigned char a, unsigned char b) {
  size_t at = 0;
#if defined(__SSE2__)
  if (below > 0) {  // sixteen bytes at a time, exactly
    const __m128i va = _mm_set1_epi8(static_cast<char>(a));
    const __m128i vb = _mm_set1_epi8(static_cast<char>(b));
    for (; at + 16 <= text.size(); at += 16) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at));
      const __m128i low = BytesAtMost(bytes, static_cast<unsigned char>(below - 1));
      const __m128i hit = _mm_or_si128(low, _mm_or_si128(_mm_cmpeq_epi8(bytes, va), _mm_cmpeq_epi8(bytes, vb)));
      if (const auto mask = static_cast<unsigned>(_mm_movemask_epi8(hit)); mask != 0) {
        return at + static_cast<size_t>(__builtin_ctz(mask));
      }
    }
  }
#endif
  constexpr uint64_t kOnes = 0x0101010101010101ULL;
  constexpr uint64_t kHighs = 0x8080808080808080ULL;
  const auto zeroBytes = [](uint64_t word) { return (word - kOnes) & ~word & kHighs; };
  // Each test flags its first qualifying byte exactly (a later flag may be false), so the
  // lowest flag of the three is the first qualifying byte.
  for (; at + 8 <= text.size(); at += 8) {
    uint64_t word;
    std::memcpy(&word, text.data() + at, 8);
    const uint64_t flags =
        ((word - kOnes * below) & ~word & kHighs) | zeroBytes(word ^ (kOnes * a)) | zeroBytes(word ^ (kOnes * b));
    if (flags != 0) return at + static_cast<size_t>(__builtin_ctzll(flags)) / 8;
  }
  for (; at < text.size(); ++at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < below || byte == a || byte == b) return at;
  }
  return text.size();
}

}  // namespace search
