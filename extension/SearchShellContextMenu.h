#pragma once
// TSearchShellContextMenu: the folder context-menu handler. It takes the selected folders from
// the file manager, adds the entry "Vantrel Software &Search..." and, when chosen, starts the
// program recorded in the settings with the folders joined by "; " as its one argument.

#include <atomic>
#include <string>

#include "platform/com/ContextMenu.h"
#include "platform/com/ShellExtInit.h"

namespace kestrix {

class TSearchShellContextMenu final : public platform::com::IShellExtInit, public platform::com::IContextMenu {
 public:
  TSearchShellContextMenu();
  TSearchShellContextMenu(const TSearchShellContextMenu&) = delete;
  TSearchShellContextMenu& operator=(const TSearchShellContextMenu&) = delete;

  // IUnknown
  platform::com::HRESULT QueryInterface(const platform::com::Guid& iid, void** object) override;
  uint32_t AddRef() override;
  uint32_t Release() override;

  // IShellExtInit
  platform::com::HRESULT Initialize(const void* folder, platform::com::IDataObject* dataObject,
                                    const void* programIdKey) override;

  // IContextMenu
  platform::com::HRESULT QueryContextMenu(platform::com::HMENU menu, uint32_t position, uint32_t firstId,
                                          uint32_t lastId, uint32_t flags) override;
  platform::com::HRESULT InvokeCommand(const platform::com::CommandInvocation* invocation) override;
  platform::com::HRESULT GetCommandString(uintptr_t commandOffset, uint32_t type, uint32_t* reserved, char* buffer,
                                          uint32_t bufferSize) override;

  // The selected folders joined by "; ".
  const std::string& FolderList() const { return folderList_; }

 private:
  ~TSearchShellContextMenu();

  std::atomic<uint32_t> references_{1};
  std::string folderList_;
};

// The program recorded in the settings (the value "Program"); empty when it is missing.
std::string RecordedProgram();

}  // namespace kestrix
