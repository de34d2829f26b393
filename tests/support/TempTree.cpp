#include "support/TempTree.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <stdlib.h>
#include <system_error>
#include <vector>

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

bool TempTree::DropFromPageCache(const std::string& relative) const {
  const int descriptor = open((root_ / relative).c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return false;
  struct stat info {};
  bool dropped = fdatasync(descriptor) == 0 && posix_fadvise(descriptor, 0, 0, POSIX_FADV_DONTNEED) == 0 &&
                 fstat(descriptor, &info) == 0 && info.st_size > 0;
  if (dropped) {
    // mincore tells which pages are cached without reading any.
    const auto size = static_cast<size_t>(info.st_size);
    void* mapping = mmap(nullptr, size, PROT_READ, MAP_SHARED, descriptor, 0);
    const size_t pageSize = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    std::vector<unsigned char> resident((size + pageSize - 1) / pageSize);
    dropped = mapping != MAP_FAILED && mincore(mapping, size, resident.data()) == 0 &&
              std::none_of(resident.begin(), resident.end(), [](unsigned char page) { return page & 1; });
    if (mapping != MAP_FAILED) munmap(mapping, size);
  }
  close(descriptor);
  return dropped;
}
