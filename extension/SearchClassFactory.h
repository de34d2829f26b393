#pragma once
// The class factory of TSearchShellContextMenu: one new handler per request, and the server
// lock. One object serves the whole library; it lives as long as the library is loaded.

#include "platform/com/ClassFactory.h"

namespace kestrix {

class TSearchClassFactory final : public platform::com::IClassFactory {
 public:
  platform::com::HRESULT QueryInterface(const platform::com::Guid& iid, void** object) override;
  // The factory is not freed by its references: the library owns it.
  uint32_t AddRef() override { return 2; }
  uint32_t Release() override { return 1; }
  platform::com::HRESULT CreateInstance(platform::com::IUnknown* outer, const platform::com::Guid& iid,
                                        void** object) override;
  platform::com::HRESULT LockServer(bool lock) override;
};

TSearchClassFactory& ClassFactory();

}  // namespace kestrix
