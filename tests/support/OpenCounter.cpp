#include "support/OpenCounter.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

OpenCounter::OpenCounter(const std::filesystem::path& file)
    : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)), name_(file.filename().string()) {
  if (fd_ < 0 || ::inotify_add_watch(fd_, file.parent_path().c_str(), IN_OPEN) < 0) {
    throw std::runtime_error("cannot watch " + file.parent_path().string());
  }
}

OpenCounter::~OpenCounter() {
  if (fd_ >= 0) ::close(fd_);
}

int OpenCounter::Count() {
  alignas(inotify_event) char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd_, buffer, sizeof buffer);
    if (got <= 0) return count_;
    for (ssize_t at = 0; at < got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      if (event->len > 0 && name_ == event->name) ++count_;
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
}
