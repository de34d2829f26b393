#include "ui/support/UiTestSupport.h"

#include <cstdlib>
#include <string>
#include <unistd.h>

void PrepareHeadless() {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) qputenv("QT_QPA_PLATFORM", "offscreen");
  std::string runtime = (std::filesystem::temp_directory_path() / "search-ui-XXXXXX").string();
  if (::mkdtemp(runtime.data()) != nullptr) qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime));
}

TSettingsSandbox::TSettingsSandbox() {
  qputenv("VANTREL_REGISTRY_DIR", folder_.path().toLocal8Bit());
  dataMod_ = std::make_unique<TDataMod>();
}

std::unique_ptr<TDataMod> TSettingsSandbox::Reload() const {
  qputenv("VANTREL_REGISTRY_DIR", folder_.path().toLocal8Bit());
  return std::make_unique<TDataMod>();
}
