#include "search/engine/run/StartArgument.h"

#include "platform/fs/FileSystem.h"
#include "search/engine/TextRules.h"

namespace search {
namespace {

// Characters of code 32 or less surround the argument.
std::string TrimControls(const std::string& text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) <= 32) ++first;
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32) --last;
  return text.substr(first, last - first);
}

std::string Absolute(const std::string& folder, const std::string& startFolder) {
  if (folder.empty() || folder.front() == platform::fs::kSeparator) return folder;
  std::string base = platform::fs::WithTrailingSeparator(startFolder);
  if (folder == ".") return base;
  if (folder.rfind("./", 0) == 0) return base + folder.substr(2);
  return base + folder;
}

// Each item of the ";"-separated list made absolute; the list keeps its own separators.
std::string AbsoluteList(const std::string& list, const std::string& startFolder) {
  std::string result;
  for (const std::string& item : SplitText(list, ";")) {
    const std::string trimmed = Trim(item);
    if (!result.empty()) result += "; ";
    result += Absolute(trimmed, startFolder);
  }
  return result;
}

}  // namespace

TStartRequest ParseStartArgument(const std::string& argument, bool useToolTray, const std::string& startFolder) {
  const std::string text = TrimControls(argument);
  TStartRequest request;
  if (useToolTray) {
    for (const char* word : {"hide", "inactive", "tooltray", "noshow"}) {
      if (SameTextIgnoringCase(text, word)) {
        request.StartInTray = true;
        return request;
      }
    }
  }
  request.Path = AbsoluteList(text, startFolder);
  return request;
}

}  // namespace search
