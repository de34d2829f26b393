#pragma once
// IClassFactory: creates the objects of one component class and keeps its server loaded.

#include "platform/com/Unknown.h"

namespace platform::com {

inline constexpr Guid IID_IClassFactory = MakeGuid("{00000001-0000-0000-C000-000000000046}");

class IClassFactory : public IUnknown {
 public:
  // A new object; `outer` (aggregation) is not supported by our servers.
  virtual HRESULT CreateInstance(IUnknown* outer, const Guid& iid, void** object) = 0;
  // Locks (true) or unlocks (false) the server in memory.
  virtual HRESULT LockServer(bool lock) = 0;

 protected:
  ~IClassFactory() = default;
};

}  // namespace platform::com
