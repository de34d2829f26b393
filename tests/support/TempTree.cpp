#include "support/TempTree.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <stdlib.h>
#include <system_error>

std::string ReadFileText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TempTree::TempTree() {
  std::string pattern = (std::filesystem::temp_directory_path() / "search-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  root_ = pattern;
}

TempTree::~TempTree() {
  std::error_code ignored;
  // Give back write permission where a test took it away, so everything can be removed.
  for (auto it = std::filesystem::recursive_directory_iterator(root_, ignored);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
    std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
  }
  std::filesystem::remove_all(root_, ignored);
}

std::filesystem::path TempTree::Write(const std::string& relative, const std::string& content) {
  std::filesystem::path path = root_ / relative;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out << content;
  return path;
}

std::filesystem::path TempTree::MakeFolder(const std::string& relative) {
  std::filesystem::path path = root_ / relative;
  std::filesystem::create_directories(path);
  return path;
}
