#include "search/engine/scanning/FileReader.h"

#include <algorithm>
#include <cstring>

namespace search {
namespace {
constexpr size_t kReadSize = 64 * 1024;
// A buffer grown past this for a long line is given back when its file is done.
constexpr size_t kKeptBufferSize = 4 * 1024 * 1024;
constexpr char kEndOfFileMark = '\x1A';
}  // namespace

TFileReader::TFileReader(std::string& buffer, size_t maxLineLength, std::function<bool()> keepGoing)
    : buffer_(buffer), maxLineLength_(maxLineLength), keepGoing_(std::move(keepGoing)) {}

TFileReader::~TFileReader() {
  if (buffer_.size() > kKeptBufferSize) std::string().swap(buffer_);
}

int TFileReader::Open(const std::string& path, const platform::fs::FolderHandle* folder, bool listedAsRegular) {
  const int error = file_.Open(path, folder, listedAsRegular);
  // A file read in one or two reads gains nothing from the hint but a system call.
  if (error == 0 && file_.SizeHint() > static_cast<int64_t>(2 * kReadSize)) file_.WillReadSequentially();
  return error;
}

// Makes room behind the unread part for the next read. The unread part moves to the front at
// most once per line (afterwards it starts there), and a buffer that must grow for a long line
// grows in large steps: at once to what the rest of the file needs when its size is known.
void TFileReader::MakeRoom() {
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    scanned_ -= begin_;
    begin_ = 0;
  }
  if (buffer_.size() >= end_ + kReadSize) return;
  size_t wanted = std::max(buffer_.size() * 2, end_ + kReadSize);
  const int64_t rest = file_.SizeHint() - readSoFar_;
  if (buffer_.size() >= kKeptBufferSize && rest > 0) {
    wanted = std::max(wanted, end_ + static_cast<size_t>(rest) + kReadSize);
  }
  buffer_.resize(wanted);
}

// Reads more data behind what is left; false when nothing more came.
bool TFileReader::Fill() {
  MakeRoom();
  const int64_t count = file_.Read(buffer_.data() + end_, buffer_.size() - end_, error_);
  if (count < 0) return false;
  if (count == 0) {
    endOfFile_ = true;
    return false;
  }
  readSoFar_ += count;
  size_t fresh = static_cast<size_t>(count);
  if (const void* mark = std::memchr(buffer_.data() + end_, kEndOfFileMark, fresh)) {
    fresh = static_cast<size_t>(static_cast<const char*>(mark) - (buffer_.data() + end_));
    endOfFile_ = true;
  }
  end_ += fresh;
  return true;
}

bool TFileReader::GiveAwayBuffer(std::string_view piece, std::string& into) {
  if (piece.data() != buffer_.data() || piece.size() != end_ || begin_ != end_) return false;
  buffer_.swap(into);
  begin_ = end_ = scanned_ = 0;
  return true;
}

bool TFileReader::Next(std::string_view& lines) {
  for (;;) {
    if (scanned_ < end_) {
      const char* from = buffer_.data() + scanned_;
      if (const void* feed = memrchr(from, '\n', end_ - scanned_)) {
        const size_t length = static_cast<size_t>(static_cast<const char*>(feed) - buffer_.data()) + 1 - begin_;
        lines = std::string_view(buffer_.data() + begin_, length);
        begin_ += length;
        scanned_ = begin_;
        return true;
      }
      scanned_ = end_;
    }
    if (endOfFile_) {
      if (begin_ == end_) return false;
      lines = std::string_view(buffer_.data() + begin_, end_ - begin_);  // a last line without its LF
      begin_ = scanned_ = end_;
      return true;
    }
    if (error_ != 0) return false;
    if (end_ - begin_ > maxLineLength_) {
      lineTooLong_ = true;
      return false;
    }
    if (keepGoing_ && !keepGoing_()) {
      stopped_ = true;
      return false;
    }
    Fill();
  }
}

}  // namespace search
