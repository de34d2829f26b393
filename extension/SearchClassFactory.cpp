#include "extension/SearchClassFactory.h"

#include "extension/SearchShellContextMenu.h"
#include "extension/ServerCounters.h"

namespace kestrix {

using namespace platform::com;

HRESULT TSearchClassFactory::QueryInterface(const Guid& iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (iid != IID_IUnknown && iid != IID_IClassFactory) {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  *object = static_cast<IClassFactory*>(this);
  AddRef();
  return S_OK;
}

HRESULT TSearchClassFactory::CreateInstance(IUnknown* outer, const Guid& iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (outer != nullptr) return CLASS_E_NOAGGREGATION;
  // The handler starts with one reference, which the query adds to and the release gives back;
  // an unsupported interface therefore frees it at once.
  auto* handler = new TSearchShellContextMenu();
  const HRESULT result = handler->QueryInterface(iid, object);
  handler->Release();
  return result;
}

HRESULT TSearchClassFactory::LockServer(bool lock) {
  ServerLocked(lock);
  return S_OK;
}

TSearchClassFactory& ClassFactory() {
  static TSearchClassFactory factory;
  return factory;
}

}  // namespace kestrix
