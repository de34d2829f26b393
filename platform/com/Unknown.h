#pragma once
// IUnknown: the interface query and reference counting every component object offers.

#include <cstdint>

#include "platform/com/ComResult.h"
#include "platform/com/Guid.h"

namespace platform::com {

inline constexpr Guid IID_IUnknown = MakeGuid("{00000000-0000-0000-C000-000000000046}");

class IUnknown {
 public:
  // Sets *object to the interface `iid` of this object (adding a reference) or to null with
  // E_NOINTERFACE.
  virtual HRESULT QueryInterface(const Guid& iid, void** object) = 0;
  virtual uint32_t AddRef() = 0;
  // The object frees itself when its last reference goes.
  virtual uint32_t Release() = 0;

 protected:
  ~IUnknown() = default;
};

}  // namespace platform::com
