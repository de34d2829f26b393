#include "search/engine/scanning/FileReader.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace search {
namespace {
constexpr size_t kReadSize = 64 * 1024;
constexpr char kEndOfFileMark = '\x1A';
}  // namespace

TFileReader::~TFileReader() {
  if (fd_ >= 0) close(fd_);
}

int TFileReader::Open(const std::string& path) {
  fd_ = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd_ < 0) return errno;
  struct stat info {};
  if (fstat(fd_, &info) != 0) return errno;
  if (S_ISDIR(info.st_mode)) return EISDIR;
  if (!S_ISREG(info.st_mode)) return kNotRegularFile;
  size_ = info.st_size;
  return 0;  // O_NONBLOCK changes nothing for a regular file

}

// Reads more data behind what is left; false when nothing more can come.
bool TFileReader::Fill() {
  if (endOfFile_ || error_ != 0) return false;
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  if (buffer_.size() < end_ + kReadSize) buffer_.resize(std::max(buffer_.size() * 2, end_ + kReadSize));
  ssize_t count;
  do {
    count = read(fd_, buffer_.data() + end_, buffer_.size() - end_);
  } while (count < 0 && errno == EINTR);
  if (count < 0) {
    error_ = errno;
    return false;
  }
  if (count == 0) {
    endOfFile_ = true;
    return false;
  }
  readSoFar_ += count;
  // A short read that reaches the size the file had when opened is its end: no need to ask
  // again (a file that grows meanwhile is read as it was).
  if (static_cast<size_t>(count) < buffer_.size() - end_ && readSoFar_ >= size_) endOfFile_ = true;
  const char* fresh = buffer_.data() + end_;
  if (const void* mark = std::memchr(fresh, kEndOfFileMark, static_cast<size_t>(count))) {
    count = static_cast<const char*>(mark) - fresh;
    endOfFile_ = true;
  }
  end_ += static_cast<size_t>(count);
  return true;
}

bool TFileReader::Next(std::string_view& lines) {
  for (;;) {
    const char* data = buffer_.data() + begin_;
    const size_t available = end_ - begin_;
    if (available > 0) {
      const void* lastFeed = memrchr(data, '\n', available);
      if (lastFeed != nullptr || endOfFile_) {
        const size_t length =
            lastFeed != nullptr && !endOfFile_ ? static_cast<size_t>(static_cast<const char*>(lastFeed) - data) + 1
                                               : available;
        lines = std::string_view(data, length);
        begin_ += length;
        return true;
      }
    }
    if (!Fill()) {
      if (error_ != 0 || end_ == begin_) return false;
      endOfFile_ = true;  // a last line without its LF
    }
  }
}

}  // namespace search
