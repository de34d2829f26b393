#include "search/ui/TerminationSignals.h"

#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The write end of the pipe the handler signals through; the handler may do nothing else.
int signalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t ignored = ::write(signalPipe[1], &byte, 1);
}

}  // namespace

TTerminationSignals::TTerminationSignals(std::function<void()> onSignal, QObject* parent)
    : QObject(parent), onSignal_(std::move(onSignal)) {
  if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] {
    char bytes[16];
    while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {
    }
    if (onSignal_) onSignal_();
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

TTerminationSignals::~TTerminationSignals() {
  signal(SIGTERM, SIG_DFL);
  signal(SIGINT, SIG_DFL);
  delete notifier_;
  for (int& fd : signalPipe) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
}
