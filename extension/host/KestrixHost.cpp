#include "extension/host/KestrixHost.h"

#include "extension/KestrixIdentity.h"
#include "extension/host/HostDataObject.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/ShellExtInit.h"

namespace kestrix {

using namespace platform::com;

HRESULT TKestrixHost::CreateHandler(const std::vector<std::string>& folders, ComPtr<IContextMenu>& handler) const {
  ComPtr<IClassFactory> factory;
  HRESULT result = library_.GetClassObject(kClassId, IID_IClassFactory, factory.Out());
  if (Failed(result)) return result;
  ComPtr<IShellExtInit> init;
  result = factory->CreateInstance(nullptr, IID_IShellExtInit, init.Out());
  if (Failed(result)) return result;
  if (!folders.empty()) {
    auto* selection = new THostDataObject(folders);
    result = init->Initialize(nullptr, selection, nullptr);
    selection->Release();
    if (Failed(result)) return result;
  }
  return init->QueryInterface(IID_IContextMenu, handler.Out());
}

HRESULT TKestrixHost::BuildMenu(const std::vector<std::string>& folders, ComPtr<IContextMenu>& handler,
                                Menu& menu) const {
  const HRESULT result = CreateHandler(folders, handler);
  if (Failed(result)) return result;
  const HRESULT added = handler->QueryContextMenu(&menu, 0, kFirstCommandId, kLastCommandId, CMF_NORMAL);
  return Failed(added) ? added : S_OK;
}

HRESULT TKestrixHost::MenuEntries(const std::vector<std::string>& folders, std::vector<TMenuEntry>& entries) const {
  entries.clear();
  ComPtr<IContextMenu> handler;
  Menu menu;
  if (const HRESULT result = BuildMenu(folders, handler, menu); Failed(result)) return result;
  for (const MenuItem& item : menu.Items()) {
    if (item.separator) continue;
    char help[1024] = "";
    handler->GetCommandString(item.id - kFirstCommandId, GCS_HELPTEXTA, nullptr, help, sizeof help);
    entries.push_back({item.text, help});
  }
  return S_OK;
}

HRESULT TKestrixHost::Invoke(const std::vector<std::string>& folders, HWND owner) const {
  ComPtr<IContextMenu> handler;
  Menu menu;
  if (const HRESULT result = BuildMenu(folders, handler, menu); Failed(result)) return result;
  for (const MenuItem& item : menu.Items()) {
    if (item.separator) continue;
    CommandInvocation invocation;
    invocation.owner = owner;
    invocation.verb = VerbFromOffset(static_cast<uint16_t>(item.id - kFirstCommandId));
    return handler->InvokeCommand(&invocation);
  }
  return E_FAIL;  // the handler offered no entry
}

}  // namespace kestrix
