// The four entry points of libKestrix.so; everything else in the library stays hidden.

#include "extension/KestrixIdentity.h"
#include "extension/SearchClassFactory.h"
#include "extension/ServerCounters.h"
#include "extension/ServerRegistration.h"

using namespace platform::com;

#define KESTRIX_EXPORT extern "C" __attribute__((visibility("default")))

KESTRIX_EXPORT HRESULT DllGetClassObject(const Guid& classId, const Guid& interfaceId, void** object) {
  if (object == nullptr) return E_POINTER;
  if (classId != kestrix::kClassId) {
    *object = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
  }
  return kestrix::ClassFactory().QueryInterface(interfaceId, object);
}

KESTRIX_EXPORT HRESULT DllCanUnloadNow() { return kestrix::ServerIdle() ? S_OK : S_FALSE; }

KESTRIX_EXPORT HRESULT DllRegisterServer() { return kestrix::RegisterServer(kestrix::LibraryPath()); }

KESTRIX_EXPORT HRESULT DllUnregisterServer() { return kestrix::UnregisterServer(); }
