#include "extension/host/HostWindow.h"

#include <cstdio>

namespace kestrix {

void THostWindow::ShowMessage(std::string_view text, std::string_view caption, uint32_t type) {
  std::string line = std::string(caption) + ": " + std::string(text);
  if (writeToStandardError) std::fprintf(stderr, "kestrix-host: %s\n", line.c_str());
  messages_.push_back(std::move(line));
  if ((type & 0xF0) == platform::com::MB_ICONERROR) errorShown_ = true;
}

}  // namespace kestrix
