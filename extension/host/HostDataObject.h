#pragma once
// THostDataObject: the selection a file manager hands to a context-menu handler, here the
// folders named on the host's command line, offered as a CF_HDROP list.

#include <atomic>
#include <string>
#include <vector>

#include "platform/com/DataObject.h"

namespace kestrix {

class THostDataObject final : public platform::com::IDataObject {
 public:
  // Created with one reference, which the creator releases.
  explicit THostDataObject(std::vector<std::string> names) : drop_(std::move(names)) {}
  THostDataObject(const THostDataObject&) = delete;
  THostDataObject& operator=(const THostDataObject&) = delete;

  platform::com::HRESULT QueryInterface(const platform::com::Guid& iid, void** object) override;
  uint32_t AddRef() override { return ++references_; }
  uint32_t Release() override;
  platform::com::HRESULT GetData(const platform::com::FormatEtc* format, platform::com::StgMedium* medium) override;

 private:
  ~THostDataObject() = default;

  std::atomic<uint32_t> references_{1};
  platform::com::DropFiles drop_;
};

}  // namespace kestrix
