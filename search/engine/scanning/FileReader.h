#pragma once
// Reads a file for the scanner in large pieces that end at a line end, into one reused buffer.
// The byte 0x1A ends the file; lines have no length limit (the buffer grows for a long one).

#include <cstdint>
#include <string>
#include <string_view>

namespace search {

class TFileReader {
 public:
  explicit TFileReader(std::string& buffer) : buffer_(buffer) {}
  ~TFileReader();
  TFileReader(const TFileReader&) = delete;
  TFileReader& operator=(const TFileReader&) = delete;

  // Opens the file for reading only; 0 on success, else the system error code, or
  // kNotRegularFile: only regular files are read, as a device or a pipe could block or never end.
  int Open(const std::string& path);
  static constexpr int kNotRegularFile = -1;

  // The next piece of whole lines (the last line of the file may lack its LF). Returns false
  // at the end of the file or on a read error (see Error).
  bool Next(std::string_view& lines);
  int Error() const { return error_; }
  // True once the piece last handed out ends the file.
  bool AtEnd() const { return endOfFile_ && begin_ == end_; }

 private:
  bool Fill();

  std::string& buffer_;
  int fd_ = -1;
  size_t begin_ = 0;  // the unread part of the buffer is [begin_, end_)
  size_t end_ = 0;
  int64_t size_ = -1;       // the size when opened
  int64_t readSoFar_ = 0;
  bool endOfFile_ = false;
  int error_ = 0;
};

}  // namespace search
