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

}  // namespace

std::string ShownText(std::string_view prepared, bool minimiseWhitespace) {
  std::string shown;
  AppendShownText(shown, prepared, minimiseWhitespace);
  return shown;
}

// In one pass, with no copy in between: a line can be hundreds of megabytes.
void AppendShownText(std::string& out, std::string_view prepared, bool minimiseWhitespace) {
  const size_t at = out.size();
  if (!minimiseWhitespace) {
    out.append(prepared);
    for (size_t i = at; i < out.size(); ++i) {
      const auto u = static_cast<unsigned char>(out[i]);
      if (u < 32 || u == 127) out[i] = ' ';
    }
    return;
  }
  size_t first = 0;
  size_t end = prepared.size();
  // Leading and trailing blanks go; halving first changes none of what is left between.
  while (first < end && ShowsAsBlank(prepared[first])) ++first;
  while (end > first && ShowsAsBlank(prepared[end - 1])) --end;
  // Eight bytes are copied at a time, the run up to the next blank included; the slack
  // behind the text takes what a last copy writes past it.
  constexpr size_t kSlack = 8;
  out.resize(at + (end - first) + kSlack);
  char* const begin = out.data() + at;
  char* to = begin;
  const char* from = prepared.data() + first;
  const char* const stop = prepared.data() + end;
  while (from < stop) {
    const size_t left = static_cast<size_t>(stop - from);
    const size_t run = FindByteBelowOr(std::string_view(from, std::min<size_t>(left, 8)), 33, 127, 127);
    std::memcpy(to, from, 8 <= left ? 8 : left);
    to += run;
    from += run;
    if (run == 8 || from == stop) continue;
    *to++ = ' ';
    from += (from + 1 < stop && ShowsAsBlank(from[1])) ? 2 : 1;
  }
  out.resize(at + static_cast<size_t>(to - begin));
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
