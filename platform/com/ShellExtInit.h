#pragma once
// IShellExtInit: how a file manager tells a shell extension what the user selected.

#include "platform/com/DataObject.h"

namespace platform::com {

inline constexpr Guid IID_IShellExtInit = MakeGuid("{000214E8-0000-0000-C000-000000000046}");

class IShellExtInit : public IUnknown {
 public:
  // `folder` (an item list) and `programIdKey` (a registry key) are opaque to our layer.
  virtual HRESULT Initialize(const void* folder, IDataObject* dataObject, const void* programIdKey) = 0;

 protected:
  ~IShellExtInit() = default;
};

}  // namespace platform::com
