#pragma once
// IDataObject: data offered in a clipboard format, here the file-name list (CF_HDROP) that a
// file manager hands to a context-menu handler. Only the reading side is part of our layer.

#include <cstdint>

#include "platform/com/DropFiles.h"
#include "platform/com/Unknown.h"

namespace platform::com {

inline constexpr Guid IID_IDataObject = MakeGuid("{0000010E-0000-0000-C000-000000000046}");

inline constexpr uint16_t CF_HDROP = 15;
inline constexpr uint32_t DVASPECT_CONTENT = 1;
inline constexpr uint32_t TYMED_NULL = 0;
inline constexpr uint32_t TYMED_HGLOBAL = 1;

struct FormatEtc {
  uint16_t format = 0;
  const void* targetDevice = nullptr;
  uint32_t aspect = DVASPECT_CONTENT;
  int32_t index = -1;
  uint32_t tymed = TYMED_HGLOBAL;
};

// The data handed out. The provider keeps `drop` alive until the medium is released: it sets
// `unknownForRelease` to an object of its own (with a reference added) that ReleaseStgMedium
// releases.
struct StgMedium {
  uint32_t tymed = TYMED_NULL;
  HDROP drop = nullptr;
  IUnknown* unknownForRelease = nullptr;
};

// Gives the medium back to its provider and empties it.
void ReleaseStgMedium(StgMedium* medium);

class IDataObject : public IUnknown {
 public:
  // Fills `medium` with the data in `format`, or fails (DV_E_FORMATETC for a format it lacks).
  virtual HRESULT GetData(const FormatEtc* format, StgMedium* medium) = 0;

 protected:
  ~IDataObject() = default;
};

}  // namespace platform::com
