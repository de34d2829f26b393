#include "extension/host/KestrixLibrary.h"

#include <dlfcn.h>

namespace kestrix {

void TKestrixLibrary::Closer::operator()(void* handle) const { dlclose(handle); }

namespace {

template <typename Function>
bool Find(void* handle, const char* name, Function& function, std::string& error) {
  void* symbol = dlsym(handle, name);
  if (symbol == nullptr) {
    error = std::string("the library has no entry point ") + name;
    return false;
  }
  function = reinterpret_cast<Function>(symbol);
  return true;
}

}  // namespace

std::optional<TKestrixLibrary> TKestrixLibrary::Load(const std::string& path, std::string& error) {
  TKestrixLibrary library;
  library.handle_.reset(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL));
  if (!library.handle_) {
    const char* reason = dlerror();
    error = "cannot load " + path + ": " + (reason != nullptr ? reason : "unknown error");
    return std::nullopt;
  }
  void* handle = library.handle_.get();
  if (!Find(handle, "DllGetClassObject", library.getClassObject_, error) ||
      !Find(handle, "DllCanUnloadNow", library.canUnloadNow_, error) ||
      !Find(handle, "DllRegisterServer", library.registerServer_, error) ||
      !Find(handle, "DllUnregisterServer", library.unregisterServer_, error)) {
    return std::nullopt;
  }
  return library;
}

}  // namespace kestrix
