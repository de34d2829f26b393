#include "ui/support/UiTestSupport.h"

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// The private runtime folder, removed when the program ends.
struct TRuntimeFolder {
  std::string path = (std::filesystem::temp_directory_path() / "search-ui-XXXXXX").string();
  bool made = ::mkdtemp(path.data()) != nullptr;  // mkdtemp makes it 0700
  ~TRuntimeFolder() {
    std::error_code ignored;
    if (made) std::filesystem::remove_all(path, ignored);
  }
};

}  // namespace

void PrepareHeadless() {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) qputenv("QT_QPA_PLATFORM", "offscreen");
  static const TRuntimeFolder runtime;
  if (runtime.made) qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime.path));
  // Should a check ever start, it goes to a closed local port, never to the network.
  qputenv("VANTREL_UPDATE_URL", "http://127.0.0.1:9/version.txt");
}

TSettingsSandbox::TSettingsSandbox() {
  qputenv("VANTREL_REGISTRY_DIR", folder_.path().toLocal8Bit());
  dataMod_ = std::make_unique<TDataMod>();
  // Windows under test never check for updates.
  dataMod_->UpdateCheckFrequency.Set(0);
}

std::unique_ptr<TDataMod> TSettingsSandbox::Reload() const {
  qputenv("VANTREL_REGISTRY_DIR", folder_.path().toLocal8Bit());
  return std::make_unique<TDataMod>();
}
