#pragma once
// IContextMenu: a handler that adds entries to a file manager's context menu, explains them
// and carries them out.

#include <cstdint>

#include "platform/com/Menu.h"
#include "platform/com/Unknown.h"
#include "platform/com/Window.h"

namespace platform::com {

inline constexpr Guid IID_IContextMenu = MakeGuid("{000214E4-0000-0000-C000-000000000046}");

// QueryContextMenu flags.
inline constexpr uint32_t CMF_NORMAL = 0x0;
inline constexpr uint32_t CMF_DEFAULTONLY = 0x1;
inline constexpr uint32_t CMF_VERBSONLY = 0x2;
inline constexpr uint32_t CMF_EXPLORE = 0x4;
inline constexpr uint32_t CMF_NOVERBS = 0x8;

// GetCommandString request types.
inline constexpr uint32_t GCS_VERBA = 0x0;
inline constexpr uint32_t GCS_HELPTEXTA = 0x1;
inline constexpr uint32_t GCS_VALIDATEA = 0x2;
inline constexpr uint32_t GCS_VERBW = 0x4;
inline constexpr uint32_t GCS_HELPTEXTW = 0x5;

inline constexpr int SW_SHOWNORMAL = 1;

// What the host passes when the user chooses an entry. `verb` is either a text or a command
// offset in its low 16 bits (VerbFromOffset).
struct CommandInvocation {
  uint32_t size = sizeof(CommandInvocation);
  uint32_t mask = 0;
  HWND owner = nullptr;
  const char* verb = nullptr;
  const char* parameters = nullptr;
  const char* directory = nullptr;
  int show = SW_SHOWNORMAL;
  uint32_t hotKey = 0;
  const void* icon = nullptr;
};

inline const char* VerbFromOffset(uint16_t offset) {
  return reinterpret_cast<const char*>(static_cast<uintptr_t>(offset));
}

class IContextMenu : public IUnknown {
 public:
  // Inserts entries at `position`, with command identifiers from `firstId` to `lastId`; the
  // success code's value is the number of identifiers used.
  virtual HRESULT QueryContextMenu(HMENU menu, uint32_t position, uint32_t firstId, uint32_t lastId,
                                   uint32_t flags) = 0;
  virtual HRESULT InvokeCommand(const CommandInvocation* invocation) = 0;
  // Copies a text about the entry at `commandOffset` into `buffer` (of `bufferSize` bytes).
  virtual HRESULT GetCommandString(uintptr_t commandOffset, uint32_t type, uint32_t* reserved, char* buffer,
                                   uint32_t bufferSize) = 0;

 protected:
  ~IContextMenu() = default;
};

}  // namespace platform::com
