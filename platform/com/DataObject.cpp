#include "platform/com/DataObject.h"

namespace platform::com {

void ReleaseStgMedium(StgMedium* medium) {
  if (medium == nullptr) return;
  if (medium->unknownForRelease != nullptr) medium->unknownForRelease->Release();
  *medium = StgMedium{};
}

}  // namespace platform::com
