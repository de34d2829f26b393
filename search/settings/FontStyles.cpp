#include "search/settings/FontStyles.h"

#include <algorithm>
#include <cctype>

TFontStyles FontStylesFromText(const std::string& text) {
  std::string lower = text;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  auto has = [&](const char* name) { return lower.find(name) != std::string::npos; };
  return TFontStyles{has("bold"), has("italic"), has("underline"), has("strike-out")};
}

std::string FontStylesToText(const TFontStyles& styles) {
  std::string text;
  if (styles.Bold) text += ", bold";
  if (styles.Italic) text += ", italic";
  if (styles.Underline) text += ", underline";
  if (styles.StrikeOut) text += ", strike-out";
  return text.empty() ? text : text.substr(2);
}
