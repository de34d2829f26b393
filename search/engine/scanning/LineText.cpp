#include "search/engine/scanning/LineText.h"

#include <algorithm>
#include <cstring>

#include "search/engine/matching/ByteFind.h"

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

// Writes a text minimised: every blank is written as a blank, except the second of a pair
// begun by the blank written before it. `to` may lie before the bytes given in the same text:
// no byte is written over before it has been read.
class TMinimiser {
 public:
  explicit TMinimiser(char* to) : to_(to) {}

  // One byte, without branches.
  void Step(char c) {
    const bool blank = ShowsAsBlank(c);
    *to_ = blank ? ' ' : c;
    to_ += !(blank && pairOpen_);
    pairOpen_ = blank && !pairOpen_;
  }

#if defined(__SSE2__)
  // Sixteen bytes at once, from the bit mask of their blanks.
  void Block(const char* from) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    const __m128i blank = _mm_or_si128(BytesAtMost(bytes, 32), _mm_cmpeq_epi8(bytes, _mm_set1_epi8(127)));
    const auto blanks = static_cast<unsigned>(_mm_movemask_epi8(blank));
    if (blanks == 0) {  // the common case: copied as it is
      _mm_storeu_si128(reinterpret_cast<__m128i*>(to_), bytes);
      to_ += 16;
      pairOpen_ = false;
      return;
    }
    const unsigned dropped = SecondsOfPairs(blanks);
    const __m128i shown = _mm_or_si128(_mm_andnot_si128(blank, bytes), _mm_and_si128(blank, _mm_set1_epi8(' ')));
    pairOpen_ = ((blanks & ~dropped) >> 15) & 1;
    if (dropped == 0) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(to_), shown);
      to_ += 16;
      return;
    }
    alignas(16) char block[16];
    _mm_store_si128(reinterpret_cast<__m128i*>(block), shown);
    for (unsigned i = 0; i < 16; ++i) {
      *to_ = block[i];
      to_ += !((dropped >> i) & 1);
    }
  }
#endif

  char* To() const { return to_; }

 private:
  // The blanks left out, as bits: in each run of blanks, every second one from its first. A
  // run that goes on from a blank kept at the end of the last block leaves out its first. (A
  // start bit added to a run carries through it, so `blanks + starts` clears the runs begun there.)
  unsigned SecondsOfPairs(unsigned blanks) const {
    constexpr unsigned kEven = 0x5555, kOdd = 0xAAAA;
    const unsigned starts = blanks & ~((blanks << 1) | (pairOpen_ ? 1u : 0u));
    const unsigned goingOn = pairOpen_ ? blanks & ~(blanks + 1) : 0u;
    const unsigned evenRuns = blanks & ~(blanks + (starts & kEven));
    const unsigned oddRuns = (blanks & ~(blanks + (starts & kOdd))) | goingOn;
    return (evenRuns & kOdd) | (oddRuns & kEven);
  }

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
  for (; stop - from >= 16; from += 16) minimiser.Block(from);
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
