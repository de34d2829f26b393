#pragma once
// The recent values of the six criteria boxes: the newest first, at most 12, no two equal
// without regard to case.

#include <string>
#include <vector>

namespace search {

inline constexpr size_t kRecentValuesLimit = 12;

// Moves the text to the front of the list, dropping an equal entry and entries beyond the limit.
void RememberRecentValue(std::vector<std::string>& list, const std::string& text);

struct TRecentValues {
  std::vector<std::string> Path;
  std::vector<std::string> Files;
  std::vector<std::string> ExcludeFolders;
  std::vector<std::string> ExcludeFiles;
  std::vector<std::string> StringA;
  std::vector<std::string> StringB;
};

}  // namespace search
