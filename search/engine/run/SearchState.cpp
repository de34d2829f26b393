#include "search/engine/run/SearchState.h"

#include <cstdio>

#include "platform/fs/FileSystem.h"
#include "search/engine/TextRules.h"

namespace search {

TStatusTexts TSearchState::StatusTexts(const std::string& panel0) const {
  TStatusTexts texts;
  char buffer[96];
  texts.Panels[0] = panel0;
  const auto found = static_cast<long long>(FoundFiles.Count());
  snprintf(buffer, sizeof buffer, " %lld File%s Found", found, PluralSuffix(found));
  texts.Panels[1] = buffer;
  const auto matched = static_cast<long long>(MatchedFiles.Count());
  snprintf(buffer, sizeof buffer, " %lld File%s Matched", matched, PluralSuffix(matched));
  texts.Panels[2] = buffer;
  const auto total = static_cast<long long>(TotalMatches);
  snprintf(buffer, sizeof buffer, " %lld Match%s in Total", total, PluralSuffix(total, "es"));
  texts.Panels[3] = buffer;
  return texts;
}

std::string NormalisePathText(const std::string& text) {
  const std::string trimmed = Trim(text);
  if (trimmed.empty()) return trimmed;
  const std::string stripped = platform::fs::WithoutTrailingSeparators(trimmed);
  if (stripped.empty()) return std::string(1, platform::fs::kSeparator);
  return stripped + platform::fs::kSeparator;
}

}  // namespace search
