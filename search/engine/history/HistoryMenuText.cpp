#include "search/engine/history/HistoryMenuText.h"

#include "search/engine/run/SearchCriteria.h"
#include "search/engine/TextRules.h"

namespace search {
namespace {

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    quoted += c;
    if (c == '&') quoted += '&';
  }
  return quoted + '"';
}

const char* Combination(int matchType) {
  switch (matchType) {
    case kMatchAnd: return " and ";
    case kMatchAndNot: return " and not ";
    default: return " or ";
  }
}

}  // namespace

std::string HistoryCaption(const TSearchHistoryEntry& entry, int slot) {
  std::string caption = "&" + std::to_string(slot) + ". " + Quoted(entry.StringA);
  if (!entry.StringB.empty()) caption += Combination(entry.MatchType) + Quoted(entry.StringB);
  const auto matched = static_cast<long long>(entry.MatchedFiles.Count());
  caption += " (" + std::to_string(matched) + " match" + PluralSuffix(matched, "es") + ")";
  return caption;
}

std::string HistoryHint(const TSearchHistoryEntry& entry) { return entry.Path + entry.Files; }

}  // namespace search
