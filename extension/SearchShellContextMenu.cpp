#include "extension/SearchShellContextMenu.h"

#include <algorithm>
#include <cstring>

#include "extension/KestrixIdentity.h"
#include "extension/MenuBitmaps.h"
#include "extension/ServerCounters.h"
#include "platform/com/ProcessStart.h"
#include "platform/registry/Registry.h"

namespace kestrix {

using namespace platform::com;

namespace {

// Trims characters up to the blank at both ends, as the program trims its argument.
std::string TrimBlanks(std::string text) {
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  const auto first = std::find_if_not(text.begin(), text.end(), blank);
  const auto last = std::find_if_not(text.rbegin(), text.rend(), blank).base();
  return first < last ? std::string(first, last) : std::string();
}

}  // namespace

std::string RecordedProgram() {
  namespace registry = platform::registry;
  registry::Registry store(registry::Registry::DefaultFolder());
  registry::RegKey key;
  registry::Value value;
  if (store.OpenKey(registry::RegKey::Of(registry::Root::CurrentUser), kProgramKey, key) != registry::Status::Ok ||
      store.QueryValue(key, kProgramValue, value) != registry::Status::Ok ||
      (value.type != registry::kRegSz && value.type != registry::kRegExpandSz)) {
    return {};
  }
  std::string program = std::move(value.data);
  if (const size_t nul = program.find('\0'); nul != std::string::npos) program.resize(nul);
  return program;
}

TSearchShellContextMenu::TSearchShellContextMenu() { ObjectCreated(); }

TSearchShellContextMenu::~TSearchShellContextMenu() { ObjectDestroyed(); }

HRESULT TSearchShellContextMenu::QueryInterface(const Guid& iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IShellExtInit) {
    *object = static_cast<IShellExtInit*>(this);
  } else if (iid == IID_IContextMenu) {
    *object = static_cast<IContextMenu*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

uint32_t TSearchShellContextMenu::AddRef() { return ++references_; }

uint32_t TSearchShellContextMenu::Release() {
  const uint32_t left = --references_;
  // The object owns itself through its references.
  if (left == 0) delete this;
  return left;
}

HRESULT TSearchShellContextMenu::Initialize(const void*, IDataObject* dataObject, const void*) {
  if (dataObject == nullptr) return E_FAIL;
  FormatEtc format;
  format.format = CF_HDROP;
  StgMedium medium;
  if (const HRESULT result = dataObject->GetData(&format, &medium); Failed(result)) return result;

  folderList_.clear();
  const uint32_t count = DragQueryFileCount(medium.drop);
  for (uint32_t index = 0; index < count; ++index) {
    folderList_ += "; ";
    folderList_ += TrimBlanks(DragQueryFileName(medium.drop, index));
  }
  if (!folderList_.empty()) folderList_.erase(0, 2);
  ReleaseStgMedium(&medium);
  return S_OK;
}

HRESULT TSearchShellContextMenu::QueryContextMenu(HMENU menu, uint32_t position, uint32_t firstId, uint32_t,
                                                  uint32_t flags) {
  const uint32_t kind = flags & 0xF;
  if (kind != 0 && (kind & (CMF_VERBSONLY | CMF_EXPLORE)) == 0) return SuccessCode(0);
  InsertMenu(menu, position, MF_STRING | MF_BYPOSITION, firstId, kMenuText);
  if (HBITMAP bitmap = MenuBitmap(); bitmap != nullptr) {
    SetMenuItemBitmaps(menu, position, 0x404, bitmap, bitmap);
  }
  // Inserted at the same place, the separator stands directly above the entry.
  InsertMenu(menu, position, MF_SEPARATOR | MF_BYPOSITION, firstId, nullptr);
  return SuccessCode(2);
}

HRESULT TSearchShellContextMenu::GetCommandString(uintptr_t commandOffset, uint32_t type, uint32_t*, char* buffer,
                                                  uint32_t bufferSize) {
  if (commandOffset != 0) return E_INVALIDARG;
  if (type == GCS_HELPTEXTA && buffer != nullptr && bufferSize > 0) {
    const size_t length = std::min<size_t>(std::strlen(kDescription), bufferSize - 1);
    std::memcpy(buffer, kDescription, length);
    buffer[length] = '\0';
  }
  return S_OK;
}

HRESULT TSearchShellContextMenu::InvokeCommand(const CommandInvocation* invocation) {
  if (invocation == nullptr) return E_INVALIDARG;
  const uintptr_t verb = reinterpret_cast<uintptr_t>(invocation->verb);
  if ((verb >> 16) != 0) return E_FAIL;
  if ((verb & 0xFFFF) != 0) return E_INVALIDARG;
  // The folders go as one argument, straight to the program: no shell sees them.
  if (StartProcess({RecordedProgram(), folderList_}) != 0) {
    MessageBox(invocation->owner, kStartErrorText, kErrorCaption, MB_ICONERROR);
  }
  return S_OK;
}

}  // namespace kestrix
