#include "extension/host/HostDataObject.h"

namespace kestrix {

using namespace platform::com;

HRESULT THostDataObject::QueryInterface(const Guid& iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (iid != IID_IUnknown && iid != IID_IDataObject) {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  *object = static_cast<IDataObject*>(this);
  AddRef();
  return S_OK;
}

uint32_t THostDataObject::Release() {
  const uint32_t left = --references_;
  // The object owns itself through its references.
  if (left == 0) delete this;
  return left;
}

HRESULT THostDataObject::GetData(const FormatEtc* format, StgMedium* medium) {
  if (format == nullptr || medium == nullptr) return E_INVALIDARG;
  if (format->format != CF_HDROP || (format->tymed & TYMED_HGLOBAL) == 0 || format->aspect != DVASPECT_CONTENT) {
    return DV_E_FORMATETC;
  }
  medium->tymed = TYMED_HGLOBAL;
  medium->drop = &drop_;
  // The list lives in this object, which the medium's release lets go of.
  medium->unknownForRelease = this;
  AddRef();
  return S_OK;
}

}  // namespace kestrix
