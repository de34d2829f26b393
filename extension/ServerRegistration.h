#pragma once
// The extension's own registration of its class under HKEY_CLASSES_ROOT (DllRegisterServer and
// DllUnregisterServer), written into our registry.

#include <string>

#include "platform/com/ComResult.h"

namespace kestrix {

// Writes "CLSID\{class}" with the description and its "InprocServer32" with `libraryPath`.
platform::com::HRESULT RegisterServer(const std::string& libraryPath);
// Deletes "InprocServer32" and then the class key, each only when it has no other subkeys.
platform::com::HRESULT UnregisterServer();

// The full path of this library, as the loader reports it.
std::string LibraryPath();

}  // namespace kestrix
