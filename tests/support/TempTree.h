#pragma once
// A temporary folder for one test, removed with everything in it when the test ends.

#include <filesystem>
#include <string>

// The whole content of a file; empty when it cannot be read.
std::string ReadFileText(const std::filesystem::path& file);

class TempTree {
 public:
  TempTree();
  ~TempTree();
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  const std::filesystem::path& Root() const { return root_; }
  // The root as text, ending with a separator.
  std::string RootText() const { return root_.string() + "/"; }
  // Writes a file (creating its folders) and returns its full path.
  std::filesystem::path Write(const std::string& relative, const std::string& content = "");
  // Writes the file's pages to the disk and drops them from the page cache, so that the next
  // read waits on the disk. True when none is left in the cache (some file systems keep them).
  bool DropFromPageCache(const std::string& relative) const;
  std::filesystem::path MakeFolder(const std::string& relative);

 private:
  std::filesystem::path root_;
};
