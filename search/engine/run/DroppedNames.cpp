#include "search/engine/run/DroppedNames.h"

#include <set>

#include "platform/fs/FileSystem.h"
#include "search/engine/TextRules.h"

namespace search {
namespace {

bool IsFolder(const std::string& name) {
  const int32_t attributes = platform::fs::QueryAttributes(name);
  return attributes != -1 && (attributes & platform::fs::kDirectory) != 0;
}

void Append(std::string& list, const std::string& item) {
  if (!list.empty()) list += "; ";
  list += item;
}

}  // namespace

std::string PathBoxFromDrop(const std::vector<std::string>& names) {
  std::set<std::string> seen;
  std::string result;
  for (const std::string& name : names) {
    std::string folder = name;
    if (!IsFolder(name)) {
      const size_t separator = name.rfind(platform::fs::kSeparator);
      folder = separator == std::string::npos ? std::string() : name.substr(0, separator + 1);
    }
    folder = Trim(platform::fs::WithTrailingSeparator(folder));
    if (folder.empty() || !seen.insert(folder).second) continue;
    Append(result, folder);
  }
  return result;
}

std::string FilesBoxFromDrop(const std::vector<std::string>& names) {
  std::set<std::string> seen;
  std::string result;
  for (const std::string& name : names) {
    if (IsFolder(name)) continue;
    const std::string file = Trim(platform::fs::FileNamePart(name));
    if (file.empty() || !seen.insert(AsciiLower(file)).second) continue;
    Append(result, file);
  }
  return result;
}

}  // namespace search
