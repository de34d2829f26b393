#pragma once
// Counts how often a file is opened, by anyone, while the counter lives (through inotify on
// its folder).

#include <filesystem>
#include <string>

class OpenCounter {
 public:
  explicit OpenCounter(const std::filesystem::path& file);
  ~OpenCounter();
  OpenCounter(const OpenCounter&) = delete;
  OpenCounter& operator=(const OpenCounter&) = delete;

  // The openings of the file seen so far.
  int Count();

 private:
  int fd_ = -1;
  std::string name_;
  int count_ = 0;
};
