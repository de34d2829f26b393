#include "extension/ServerRegistration.h"

#include <dlfcn.h>
#include <filesystem>

#include "extension/KestrixIdentity.h"
#include "platform/registry/Registry.h"

namespace kestrix {

using platform::com::E_FAIL;
using platform::com::HRESULT;
using platform::com::S_OK;
namespace registry = platform::registry;

namespace {

std::string ClassKey() { return std::string("CLSID\\") + kClassIdText; }

}  // namespace

HRESULT RegisterServer(const std::string& libraryPath) {
  registry::Registry store(registry::Registry::DefaultFolder());
  const registry::RegKey root = registry::RegKey::Of(registry::Root::ClassesRoot);
  registry::RegKey classKey;
  registry::RegKey serverKey;
  // The path is written whole: there is no short form of a path with blanks here, and the
  // registry holds any path.
  const bool written = store.CreateKey(root, ClassKey(), classKey) == registry::Status::Ok &&
                       store.SetValue(classKey, "", registry::TextValue(kDescription)) == registry::Status::Ok &&
                       store.CreateKey(classKey, "InprocServer32", serverKey) == registry::Status::Ok &&
                       store.SetValue(serverKey, "", registry::TextValue(libraryPath)) == registry::Status::Ok;
  return written ? S_OK : E_FAIL;
}

HRESULT UnregisterServer() {
  registry::Registry store(registry::Registry::DefaultFolder());
  const registry::RegKey root = registry::RegKey::Of(registry::Root::ClassesRoot);
  for (const std::string& key : {ClassKey() + "\\InprocServer32", ClassKey()}) {
    // A key that is missing or still has subkeys stays as it is; only a failed write counts.
    if (store.DeleteKey(root, key) == registry::Status::IoFailed) return E_FAIL;
  }
  return S_OK;
}

std::string LibraryPath() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&LibraryPath), &info) == 0 || info.dli_fname == nullptr) return {};
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(info.dli_fname, error);
  return error ? std::string(info.dli_fname) : absolute.string();
}

}  // namespace kestrix
