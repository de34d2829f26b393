#pragma once
// The extension library loaded with dlopen and its four entry points, unloaded when it goes.

#include <memory>
#include <optional>
#include <string>

#include "extension/ServerExports.h"

namespace kestrix {

class TKestrixLibrary {
 public:
  // Loads the library at `path`; nullopt with `error` set when it cannot be loaded or lacks an
  // entry point.
  static std::optional<TKestrixLibrary> Load(const std::string& path, std::string& error);

  platform::com::HRESULT GetClassObject(const platform::com::Guid& classId, const platform::com::Guid& interfaceId,
                                        void** object) const {
    return getClassObject_(classId, interfaceId, object);
  }
  platform::com::HRESULT CanUnloadNow() const { return canUnloadNow_(); }
  platform::com::HRESULT RegisterServer() const { return registerServer_(); }
  platform::com::HRESULT UnregisterServer() const { return unregisterServer_(); }

 private:
  struct Closer {
    void operator()(void* handle) const;
  };
  TKestrixLibrary() = default;

  std::unique_ptr<void, Closer> handle_;
  DllGetClassObjectFunction getClassObject_ = nullptr;
  DllCanUnloadNowFunction canUnloadNow_ = nullptr;
  DllRegisterServerFunction registerServer_ = nullptr;
  DllUnregisterServerFunction unregisterServer_ = nullptr;
};

}  // namespace kestrix
