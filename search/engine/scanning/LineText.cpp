#include "search/engine/scanning/LineText.h"

#include <algorithm>
#include <cstring>

#include "search/engine/matching/ByteFind.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace search {

std::string_view PrepareLine(std::string_view raw, std::string& scratch) {
  if (const void* nul = std::memchr(raw.data(), '\0', raw.size())) {
    raw = raw.substr(0, static_cast<size_t>(static_cast<const char*>(nul) - raw.data()));
  }
  const void* cr = std::memchr(raw.data(), '\r', raw.size());
  if (cr == nullptr) return raw;
  scratch.clear();
  for (char c : raw) {
    if (c != '\r') scratch.push_back(c);
  }
  return scratch;
}

std::string ReplaceControlChars(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 32 || u == 127) c = ' ';
  }
  return result;
}

std::string HalveSpaceRuns(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    result.push_back(text[i]);
    if (text[i] == ' ' && i + 1 < text.size() && text[i + 1] == ' ') ++i;
  }
  return result;
}

namespace {

bool ShowsAsBlank(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u <= 32 || u == 127;
}

#if defined(__SSE2__)
// Copies the sixteen bytes at `from` to `to` when minimising leaves them as they are: no
// control character, and no blank followed by a blank (the byte after them included). `to`
// may lie before `from` in the same text: nothing is written unless the block is copied.
bool CopyBlockIfUnchanged(const char* from, char* to) {
  const __m128i k31 = _mm_set1_epi8(31), k32 = _mm_set1_epi8(32), k127 = _mm_set1_epi8(127);
  const auto atMost = [](__m128i v, __m128i bound) { return _mm_cmpeq_epi8(_mm_min_epu8(v, bound), v); };
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
  const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 1));
  const __m128i control = _mm_or_si128(atMost(bytes, k31), _mm_cmpeq_epi8(bytes, k127));
  const __m128i nextBlank = _mm_or_si128(atMost(next, k32), _mm_cmpeq_epi8(next, k127));
  const __m128i pair = _mm_and_si128(_mm_cmpeq_epi8(bytes, k32), nextBlank);
  if (_mm_movemask_epi8(_mm_or_si128(control, pair)) != 0) return false;
  _mm_storeu_si128(reinterpret_cast<__m128i*>(to), bytes);
  return true;
}
#endif

// Writes a text minimised, a byte at a time and without branches: every blank is written as
// a blank, except the second of a pair begun by the blank written before it.
class TMinimiser {
 public:
  explicit TMinimiser(char* to) : to_(to) {}
  void Step(char c) {
    const bool blank = ShowsAsBlank(c);
    *to_ = blank ? ' ' : c;
    to_ += !(blank && pairOpen_);
    pairOpen_ = blank && !pairOpen_;
  }
  // After bytes written unchanged, which end with no pair open.
  void Skip(size_t count) {
    to_ += count;
    pairOpen_ = false;
  }
  bool PairOpen() const { return pairOpen_; }
  char* To() const { return to_; }

 private:
  char* to_;
  bool pairOpen_ = false;
};

// Writes the shown text of `prepared` to `to` in one pass and returns its length. `to` may be
// `prepared.data()` itself: no byte is written before it has been read.
size_t WriteShownText(char* to, std::string_view prepared, bool minimiseWhitespace) {
  if (!minimiseWhitespace) {
    std::memmove(to, prepared.data(), prepared.size());
    for (size_t i = 0; i < prepared.size();) {
      i += FindByteBelowOr(std::string_view(to + i, prepared.size() - i), 32, 127, 127);
      if (i < prepared.size()) to[i++] = ' ';
    }
    return prepared.size();
  }
  size_t first = 0;
  size_t end = prepared.size();
  // Leading and trailing blanks go; halving first changes none of what is left between.
  while (first < end && ShowsAsBlank(prepared[first])) ++first;
  while (end > first && ShowsAsBlank(prepared[end - 1])) --end;
  TMinimiser minimiser(to);
  const char* from = prepared.data() + first;
  const char* const stop = prepared.data() + end;
#if defined(__SSE2__)
  // Most blocks of sixteen bytes need no change: they are copied whole.
  for (; stop - from >= 17; from += 16) {
    if (!minimiser.PairOpen() && CopyBlockIfUnchanged(from, minimiser.To())) {
      minimiser.Skip(16);
    } else {
      for (int i = 0; i < 16; ++i) minimiser.Step(from[i]);
    }
  }
#endif
  for (; from < stop; ++from) minimiser.Step(*from);
  return static_cast<size_t>(minimiser.To() - to);
}

}  // namespace

std::string ShownText(std::string_view prepared, bool minimiseWhitespace) {
  std::string shown;
  AppendShownText(shown, prepared, minimiseWhitespace);
  return shown;
}

// In one pass, with no copy in between: a line can be hundreds of megabytes.
void AppendShownText(std::string& out, std::string_view prepared, bool minimiseWhitespace) {
  const size_t at = out.size();
  out.resize(at + prepared.size());
  out.resize(at + WriteShownText(out.data() + at, prepared, minimiseWhitespace));
}

void MakeShownTextInPlace(std::string& text, std::string_view prepared, bool minimiseWhitespace) {
  text.resize(WriteShownText(text.data(), prepared, minimiseWhitespace));
}

bool ShowsAsEmpty(std::string_view prepared, bool minimiseWhitespace) {
  if (prepared.empty()) return true;
  if (!minimiseWhitespace) return false;
  for (char c : prepared) {
    const auto u = static_cast<unsigned char>(c);
    if (u > 32 && u != 127) return false;
  }
  return true;
}

}  // namespace search
