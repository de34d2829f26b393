#include "search/engine/regex/LiteralFinder.h"

#include <cstring>

#include "search/engine/regex/RegExprByteSet.h"

namespace search {

namespace {

// A rough rank of how often a byte occurs in text and program sources (higher: more often).
int Commonness(unsigned char c) {
  static constexpr std::string_view kLower = "etaoinsrhldcumfpgwybvkxjqz";
  static constexpr std::string_view kUpper = "ETAOINSRHLDCUMFPGWYBVKXJQZ";
  static constexpr std::string_view kPunctuation = "_(),;.*=-/\"'>{}<:&#[]!+|%\\";
  if (c == ' ') return 1000;
  if (c == '\t' || c == '\n') return 900;
  if (auto at = kLower.find(static_cast<char>(c)); at != std::string_view::npos) {
    return 800 - static_cast<int>(at) * 10;
  }
  if (auto at = kPunctuation.find(static_cast<char>(c)); at != std::string_view::npos) {
    return 700 - static_cast<int>(at) * 10;
  }
  if (c >= '0' && c <= '9') return 450 - (c - '0') * 5;
  if (auto at = kUpper.find(static_cast<char>(c)); at != std::string_view::npos) {
    return 400 - static_cast<int>(at) * 8;
  }
  return 50;
}

unsigned char OtherCase(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  return c;
}

}  // namespace

TLiteralFinder::TLiteralFinder(std::string literal, bool ignoreCase)
    : literal_(std::move(literal)), ignoreCase_(ignoreCase) {
  int best = 1 << 30;
  for (std::size_t i = 0; i < literal_.size(); ++i) {
    const auto c = static_cast<unsigned char>(literal_[i]);
    const unsigned char other = ignoreCase_ ? OtherCase(c) : c;
    const int commonness = Commonness(c) + (other != c ? Commonness(other) : 0);
    if (commonness < best) {
      best = commonness;
      rareIndex_ = i;
      rare_ = static_cast<char>(c);
      rareOther_ = static_cast<char>(other);
    }
  }
}

bool TLiteralFinder::SameAt(const char* at) const {
  if (!ignoreCase_) return std::memcmp(at, literal_.data(), literal_.size()) == 0;
  for (std::size_t i = 0; i < literal_.size(); ++i) {
    if (AsciiFold(static_cast<unsigned char>(at[i])) !=
        AsciiFold(static_cast<unsigned char>(literal_[i]))) {
      return false;
    }
  }
  return true;
}

std::size_t TLiteralFinder::Find(std::string_view text, std::size_t from) const {
  if (literal_.empty()) return from <= text.size() ? from : npos;
  if (from > text.size() || text.size() - from < literal_.size()) return npos;
  return rare_ == rareOther_ ? FindExact(text, from) : FindEitherCase(text, from);
}

std::size_t TLiteralFinder::FindExact(std::string_view text, std::size_t from) const {
  const char* const base = text.data();
  const char* scan = base + from + rareIndex_;
  // One past the last place the rare byte can sit in an occurrence.
  const char* const end = base + text.size() - (literal_.size() - rareIndex_) + 1;
  while (scan < end) {
    const auto* hit = static_cast<const char*>(
        std::memchr(scan, static_cast<unsigned char>(rare_), static_cast<std::size_t>(end - scan)));
    if (hit == nullptr) return npos;
    const char* start = hit - rareIndex_;
    if (SameAt(start)) return static_cast<std::size_t>(start - base);
    scan = hit + 1;
  }
  return npos;
}

// Follows the rare letter in both cases at once, each with its own memchr.
std::size_t TLiteralFinder::FindEitherCase(std::string_view text, std::size_t from) const {
  const char* const base = text.data();
  const char* scan = base + from + rareIndex_;
  const char* const end = base + text.size() - (literal_.size() - rareIndex_) + 1;
  const auto next = [end](const char* at, char c) -> const char* {
    if (at >= end) return end;
    const void* hit = std::memchr(at, static_cast<unsigned char>(c), static_cast<std::size_t>(end - at));
    return hit == nullptr ? end : static_cast<const char*>(hit);
  };
  const char* nextOne = next(scan, rare_);
  const char* nextOther = next(scan, rareOther_);
  while (nextOne < end || nextOther < end) {
    const char* hit = nextOne < nextOther ? nextOne : nextOther;
    const char* start = hit - rareIndex_;
    if (SameAt(start)) return static_cast<std::size_t>(start - base);
    if (hit == nextOne) nextOne = next(hit + 1, rare_);
    else nextOther = next(hit + 1, rareOther_);
  }
  return npos;
}

}  // namespace search
