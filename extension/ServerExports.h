#pragma once
// The four entry points of the extension library, as a host looks them up.

#include "platform/com/ComResult.h"
#include "platform/com/Guid.h"

namespace kestrix {

using DllGetClassObjectFunction = platform::com::HRESULT (*)(const platform::com::Guid& classId,
                                                             const platform::com::Guid& interfaceId, void** object);
using DllCanUnloadNowFunction = platform::com::HRESULT (*)();
using DllRegisterServerFunction = platform::com::HRESULT (*)();
using DllUnregisterServerFunction = platform::com::HRESULT (*)();

}  // namespace kestrix
