#pragma once
// THostWindow: the owner window the host lends to the handler. It writes each message the
// handler shows to standard error as one line and remembers that one was shown.

#include <string>
#include <vector>

#include "platform/com/Window.h"

namespace kestrix {

class THostWindow final : public platform::com::Window {
 public:
  void ShowMessage(std::string_view text, std::string_view caption, uint32_t type) override;
  // "caption: text" of every message shown, in order.
  const std::vector<std::string>& Messages() const { return messages_; }
  // Whether a shown message carried the error icon.
  bool ErrorShown() const { return errorShown_; }

  // Off for tests that read Messages() alone.
  bool writeToStandardError = true;

 private:
  std::vector<std::string> messages_;
  bool errorShown_ = false;
};

}  // namespace kestrix
