#pragma once
// TKestrixHost: drives the extension the way a file manager does. It gets the class factory
// through DllGetClassObject, creates a handler, initialises it with the selected folders, asks
// for its menu entries and invokes the chosen one.

#include <string>
#include <vector>

#include "extension/host/KestrixLibrary.h"
#include "platform/com/ComPtr.h"
#include "platform/com/ContextMenu.h"

namespace kestrix {

struct TMenuEntry {
  std::string text;
  std::string helpText;
  bool operator==(const TMenuEntry&) const = default;
};

class TKestrixHost {
 public:
  explicit TKestrixHost(const TKestrixLibrary& library) : library_(library) {}

  // A handler initialised with `folders`; with no folders it is not initialised, as when the
  // system's Find menu uses it.
  platform::com::HRESULT CreateHandler(const std::vector<std::string>& folders,
                                       platform::com::ComPtr<platform::com::IContextMenu>& handler) const;
  // The text entries the handler inserts into an empty context menu, with their help texts.
  platform::com::HRESULT MenuEntries(const std::vector<std::string>& folders, std::vector<TMenuEntry>& entries) const;
  // Builds the menu and invokes its first text entry, with `owner` for the handler's messages.
  platform::com::HRESULT Invoke(const std::vector<std::string>& folders, platform::com::HWND owner) const;

  static constexpr uint32_t kFirstCommandId = 1;
  static constexpr uint32_t kLastCommandId = 0x7FFF;

 private:
  // A handler for `folders` and the context menu it fills.
  platform::com::HRESULT BuildMenu(const std::vector<std::string>& folders,
                                   platform::com::ComPtr<platform::com::IContextMenu>& handler,
                                   platform::com::Menu& menu) const;

  const TKestrixLibrary& library_;
};

}  // namespace kestrix
