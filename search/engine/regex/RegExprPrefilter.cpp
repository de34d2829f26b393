#include "search/engine/regex/RegExprPrefilter.h"

#include <algorithm>
#include <tuple>
#include <vector>

#include "search/engine/Utf8.h"

namespace search {

namespace {

using Kind = TRegExprNodeKind;

constexpr std::size_t kMaxStrings = 16;
constexpr std::size_t kMaxLength = 64;

// One exact text a node can match. Letters that match in either case are kept in lower case
// with `folded` set.
struct TText {
  std::string bytes;
  bool folded = false;
  bool operator==(const TText&) const = default;
  bool operator<(const TText& other) const {
    return std::tie(bytes, folded) < std::tie(other.bytes, other.folded);
  }
};

// What the prefilter knows of a node: the complete list of texts it matches (when short), and
// the best literal that each of its matches contains.
struct TInfo {
  bool exact = false;
  std::vector<TText> texts;
  TRegExprRequiredLiteral best;
};

int Score(const TRegExprRequiredLiteral& literal) {
  return static_cast<int>(literal.text.size()) * 2 - (literal.ignoreCase ? 1 : 0);
}

void Consider(TRegExprRequiredLiteral& best, const TRegExprRequiredLiteral& candidate) {
  if (!candidate.text.empty() && Score(candidate) > Score(best)) best = candidate;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(AsciiFold(static_cast<unsigned char>(c)));
  return text;
}

std::size_t CommonPrefix(const std::vector<std::string>& texts) {
  std::size_t length = texts.front().size();
  for (const auto& text : texts) {
    length = std::min(length, static_cast<std::size_t>(std::mismatch(
        text.begin(), text.begin() + static_cast<std::ptrdiff_t>(std::min(length, text.size())),
        texts.front().begin()).first - text.begin()));
  }
  return length;
}

std::size_t CommonSuffix(const std::vector<std::string>& texts) {
  std::vector<std::string> reversed;
  for (const auto& text : texts) reversed.emplace_back(text.rbegin(), text.rend());
  return CommonPrefix(reversed);
}

// The longest literal at the start or at the end of all the texts. Texts that differ only in
// letter case give a literal to be found ignoring case.
TRegExprRequiredLiteral LiteralOf(const std::vector<TText>& texts) {
  TRegExprRequiredLiteral literal;
  if (texts.empty()) return literal;
  bool folded = false;
  std::vector<std::string> exact, lower;
  for (const auto& text : texts) {
    folded = folded || text.folded;
    exact.push_back(text.bytes);
    lower.push_back(Lower(text.bytes));
  }
  const auto best = [](const std::vector<std::string>& list) {
    const std::size_t prefix = CommonPrefix(list);
    const std::size_t suffix = CommonSuffix(list);
    const std::string& first = list.front();
    return prefix >= suffix ? first.substr(0, prefix) : first.substr(first.size() - suffix);
  };
  if (!folded) literal.text = best(exact);
  const std::string ignoringCase = best(lower);
  if (ignoringCase.size() > literal.text.size()) {
    literal.text = ignoringCase;
    literal.ignoreCase = true;
  }
  return literal;
}

void Normalize(std::vector<TText>& texts) {
  std::sort(texts.begin(), texts.end());
  texts.erase(std::unique(texts.begin(), texts.end()), texts.end());
}

TInfo Exact(std::vector<TText> texts) {
  TInfo info;
  info.exact = true;
  Normalize(texts);
  info.texts = std::move(texts);
  return info;
}

std::vector<TText> SetTexts(const TRegExprByteSet& set) {
  std::vector<TText> texts;
  for (unsigned b = 0; b < 256; ++b) {
    const auto c = static_cast<unsigned char>(b);
    if (!set.Test(c)) continue;
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    const unsigned char other = letter ? static_cast<unsigned char>(c ^ 0x20) : c;
    if (letter && set.Test(other)) {
      if (c >= 'a') texts.push_back({std::string(1, static_cast<char>(c)), true});
    } else {
      texts.push_back({std::string(1, static_cast<char>(c)), false});
    }
  }
  return texts;
}

// All texts of `first` followed by one of `second`, or nothing when that list would be too long.
bool Cross(const std::vector<TText>& first, const std::vector<TText>& second,
           std::vector<TText>& result) {
  if (first.size() * second.size() > kMaxStrings) return false;
  result.clear();
  for (const auto& a : first) {
    for (const auto& b : second) {
      if (a.bytes.size() + b.bytes.size() > kMaxLength) return false;
      result.push_back({a.bytes + b.bytes, a.folded || b.folded});
    }
  }
  Normalize(result);
  return true;
}

TInfo Analyze(const TRegExprNode& node);

TInfo AnalyzeConcat(const std::vector<TRegExprNode>& children) {
  TRegExprRequiredLiteral best;
  TInfo run = Exact({TText{}});
  bool whole = true;  // every child joined the run: the concatenation's texts are known
  for (const auto& child : children) {
    TInfo info = Analyze(child);
    Consider(best, info.best);
    std::vector<TText> joined;
    if (run.exact && info.exact && Cross(run.texts, info.texts, joined)) {
      run.texts = std::move(joined);
      continue;
    }
    whole = false;
    if (run.exact) Consider(best, LiteralOf(run.texts));
    run = std::move(info);
  }
  if (run.exact) Consider(best, LiteralOf(run.texts));
  TInfo result = whole ? Exact(run.texts) : TInfo{};
  result.best = best;
  return result;
}

TInfo AnalyzeAlternate(const std::vector<TRegExprNode>& children) {
  std::vector<TText> texts;
  for (const auto& child : children) {
    TInfo info = Analyze(child);
    if (!info.exact) return {};
    texts.insert(texts.end(), info.texts.begin(), info.texts.end());
    if (texts.size() > kMaxStrings) return {};
  }
  TInfo result = Exact(std::move(texts));
  result.best = LiteralOf(result.texts);
  return result;
}

TInfo AnalyzeRepeat(const TRegExprNode& node) {
  TInfo child = Analyze(node.children.front());
  if (node.min == 0) {
    if (node.max == 1 && child.exact && child.texts.size() < kMaxStrings) {
      child.texts.push_back(TText{});
      return Exact(std::move(child.texts));
    }
    return {};
  }
  TInfo result;
  result.best = child.best;
  if (!child.exact) return result;
  Consider(result.best, LiteralOf(child.texts));
  if (node.max == node.min && node.min <= 8) {
    std::vector<TText> texts = child.texts;
    std::vector<TText> joined;
    for (int copy = 1; copy < node.min; ++copy) {
      if (!Cross(texts, child.texts, joined)) return result;
      texts = joined;
    }
    TInfo exact = Exact(std::move(texts));
    exact.best = result.best;
    Consider(exact.best, LiteralOf(exact.texts));
    return exact;
  }
  return result;
}

TInfo Analyze(const TRegExprNode& node) {
  switch (node.kind) {
    case Kind::Empty:
    case Kind::Assertion:
      return Exact({TText{}});
    case Kind::Set: {
      std::vector<TText> texts = SetTexts(node.set);
      if (texts.empty() || texts.size() > 4) return {};
      TInfo info = Exact(std::move(texts));
      info.best = LiteralOf(info.texts);
      return info;
    }
    case Kind::Chars: {
      // A few characters beyond ASCII: their UTF-8 forms, which the line holds as they are.
      std::vector<TText> texts;
      if (node.chars.RawBytes().Count() > 0) return {};
      for (const auto& [first, last] : node.chars.Ranges()) {
        if (last - first >= 4) return {};
        for (char32_t c = first; c <= last; ++c) {
          TText text;
          EncodeUtf8(c, text.bytes);
          texts.push_back(std::move(text));
        }
        if (texts.size() > 4) return {};
      }
      if (texts.empty()) return {};
      TInfo info = Exact(std::move(texts));
      info.best = LiteralOf(info.texts);
      return info;
    }
    case Kind::Group:
      return Analyze(node.children.front());
    case Kind::Concat:
      return AnalyzeConcat(node.children);
    case Kind::Alternate:
      return AnalyzeAlternate(node.children);
    case Kind::Repeat:
      return AnalyzeRepeat(node);
    case Kind::Backref:
      return {};
  }
  return {};
}

}  // namespace

TRegExprRequiredLiteral FindRequiredLiteral(const TRegExprNode& root) {
  TInfo info = Analyze(root);
  TRegExprRequiredLiteral best = info.best;
  if (info.exact) Consider(best, LiteralOf(info.texts));
  return best;
}

}  // namespace search
