#pragma once
// Reads a file for the scanner in large pieces that end at a line end, into one reused buffer.
// The byte 0x1A ends the file, and so does only a read that gives nothing: the size a file
// reports is never taken as its end. A line may be as long as the memory allows up to a
// limit; each byte is looked at once for a line end, however long the line grows.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/fs/ReadOnlyFile.h"

namespace search {

class TFileReader {
 public:
  // `keepGoing` is asked before each read, so Cancel is seen inside one long line too.
  TFileReader(std::string& buffer, size_t maxLineLength, std::function<bool()> keepGoing);
  ~TFileReader();
  TFileReader(const TFileReader&) = delete;
  TFileReader& operator=(const TFileReader&) = delete;

  // Opens the file for reading only; 0 on success, else the system error code, or
  // kNotRegularFile: only regular files are read, as a device or a pipe could block or never end.
  // `folder`, when given, is the file's folder, open: the file is opened relative to it.
  int Open(const std::string& path, const platform::fs::FolderHandle* folder = nullptr,
           bool listedAsRegular = false);
  static constexpr int kNotRegularFile = platform::fs::ReadOnlyFile::kNotRegularFile;
  // Size, times and attributes as found when the file was opened.
  platform::fs::FileFacts Facts(std::string_view name) const { return file_.Facts(name); }

  // The next piece of whole lines (the last line of the file may lack its LF). Returns false
  // at the end of the file, on a read error (see Error), for a line longer than the limit
  // (see LineTooLong) and when `keepGoing` said to stop (see Stopped).
  bool Next(std::string_view& lines);
  int Error() const { return error_; }
  bool LineTooLong() const { return lineTooLong_; }
  bool Stopped() const { return stopped_; }
  // Hands the buffer over to `into` (taking `into`'s storage in exchange) when `piece`, the
  // piece last handed out, is all the buffer holds; false otherwise. A huge line can so become
  // its row's text without a copy. Reading goes on in the storage taken.
  bool GiveAwayBuffer(std::string_view piece, std::string& into);
  // Whether the file was not in the page cache when its reading began.
  bool WaitedOnDisk() const { return file_.WaitedOnDisk(); }
  // True once the piece last handed out ends the file.
  bool AtEnd() const { return endOfFile_ && begin_ == end_; }

 private:
  bool Fill();
  void MakeRoom();

  std::string& buffer_;
  size_t maxLineLength_;
  std::function<bool()> keepGoing_;
  platform::fs::ReadOnlyFile file_;
  size_t begin_ = 0;    // the unread part of the buffer is [begin_, end_)
  size_t end_ = 0;
  size_t scanned_ = 0;  // [begin_, scanned_) is known to hold no line end
  int64_t readSoFar_ = 0;
  bool endOfFile_ = false;
  bool lineTooLong_ = false;
  bool stopped_ = false;
  int error_ = 0;
};

}  // namespace search
