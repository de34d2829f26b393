#include "search/engine/matching/ByteCount.h"

#include <algorithm>
#include <cstdint>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace search {
namespace {

size_t CountPlain(const char* p, const char* end, char byte) {
  return static_cast<size_t>(std::count(p, end, byte));
}

#if defined(__x86_64__)
__attribute__((target("avx2"))) size_t CountAvx2(const char* p, const char* end, char byte) {
  const __m256i needle = _mm256_set1_epi8(byte);
  size_t count = 0;
  // Sums of up to 255 blocks fit the byte lanes; then they are added up.
  while (end - p >= 32) {
    __m256i sums = _mm256_setzero_si256();
    int blocks = 0;
    for (; blocks < 255 && end - p >= 32; ++blocks, p += 32) {
      const __m256i data = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
      sums = _mm256_sub_epi8(sums, _mm256_cmpeq_epi8(data, needle));
    }
    const __m256i wide = _mm256_sad_epu8(sums, _mm256_setzero_si256());
    count += static_cast<size_t>(_mm256_extract_epi64(wide, 0) + _mm256_extract_epi64(wide, 1) +
                                 _mm256_extract_epi64(wide, 2) + _mm256_extract_epi64(wide, 3));
  }
  return count + CountPlain(p, end, byte);
}

size_t CountSse2(const char* p, const char* end, char byte) {
  const __m128i needle = _mm_set1_epi8(byte);
  size_t count = 0;
  while (end - p >= 16) {
    __m128i sums = _mm_setzero_si128();
    int blocks = 0;
    for (; blocks < 255 && end - p >= 16; ++blocks, p += 16) {
      const __m128i data = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
      sums = _mm_sub_epi8(sums, _mm_cmpeq_epi8(data, needle));
    }
    const __m128i wide = _mm_sad_epu8(sums, _mm_setzero_si128());
    count += static_cast<size_t>(_mm_cvtsi128_si64(wide) + _mm_cvtsi128_si64(_mm_unpackhi_epi64(wide, wide)));
  }
  return count + CountPlain(p, end, byte);
}
#endif

}  // namespace

size_t CountByte(std::string_view text, char byte) {
  const char* p = text.data();
  const char* end = p + text.size();
#if defined(__x86_64__)
  static const bool hasAvx2 = __builtin_cpu_supports("avx2");
  return hasAvx2 ? CountAvx2(p, end, byte) : CountSse2(p, end, byte);
#else
  return CountPlain(p, end, byte);
#endif
}

}  // namespace search
