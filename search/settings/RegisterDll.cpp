#include "search/settings/RegisterDll.h"

#include <stdexcept>

#include "extension/KestrixIdentity.h"
#include "platform/registry/Registry.h"
#include "platform/version/VersionBlock.h"
#include "search/settings/NtRegistry.h"

namespace {

using Root = platform::registry::Root;

const std::string kClassKey = std::string("\\CLSID\\") + kestrix::kClassIdText;
const std::string kServerKey = kClassKey + "\\InProcServer32";
const std::string kHandlerKey = std::string("\\Folder\\shellex\\ContextMenuHandlers\\") + kestrix::kMenuText;
const std::string kFindKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FindExtensions\\Static\\VantrelSearch";

// ASCII letters compared without regard to case.
bool SameText(const std::string& a, const std::string& b) { return platform::registry::NamesEqual(a, b); }

// The default value of `key` under the registry's current root, or nullopt when the key is missing.
std::optional<std::string> DefaultText(TNTRegistry& registry, const std::string& key) {
  if (!registry.OpenKeyLimited(key, false)) return std::nullopt;
  return registry.GetText("").value_or("");
}

// Opens `key` with creation and writes its values; a key that cannot be created is skipped.
void WriteKey(TNTRegistry& registry, const std::string& key,
              std::initializer_list<std::pair<const char*, std::string>> values) {
  if (!registry.OpenKeyLimited(key, true)) return;
  for (const auto& [name, text] : values) registry.PutText(name, text);
}

}  // namespace

TShellIntegrationPlaces TShellIntegrationPlaces::Default() {
  return {platform::registry::Registry::DefaultFolder(),
          std::filesystem::path(platform::version::RunningExecutable()).parent_path(),
          TDesktopFolderActions::DefaultDataHome()};
}

TRegisterDll::TRegisterDll() : TRegisterDll(TShellIntegrationPlaces::Default()) {}

TRegisterDll::TRegisterDll(TShellIntegrationPlaces places)
    : places_(std::move(places)),
      folderActions_(places_.dataHome, (places_.programFolder / kestrix::kHostFileName).string()) {}

std::string TRegisterDll::ExtensionFilePath() const {
  return (places_.programFolder / kestrix::kLibraryFileName).string();
}

std::string TRegisterDll::HostFilePath() const { return (places_.programFolder / kestrix::kHostFileName).string(); }

bool TRegisterDll::IsExtensionRegistered() {
  TNTRegistry registry(places_.registryFolder);
  registry.SetRootKey(Root::ClassesRoot);
  const auto description = DefaultText(registry, kClassKey);
  if (!description || !SameText(*description, kestrix::kDescription)) return false;
  const auto server = DefaultText(registry, kServerKey);
  // A path compares exactly: Linux file names are case-sensitive.
  if (!server || *server != ExtensionFilePath()) return false;
  const auto handler = DefaultText(registry, kHandlerKey);
  return handler && SameText(*handler, kestrix::kClassIdText);
}

void TRegisterDll::RegisterExtension() {
  TNTRegistry registry(places_.registryFolder);
  const std::string library = ExtensionFilePath();
  registry.SetRootKey(Root::ClassesRoot);
  WriteKey(registry, kClassKey, {{"", kestrix::kDescription}});
  WriteKey(registry, kServerKey, {{"", library}, {"ThreadingModel", "Apartment"}});
  WriteKey(registry, kHandlerKey, {{"", kestrix::kClassIdText}});
  registry.SetRootKey(Root::LocalMachine);
  WriteKey(registry, kFindKey, {{"", kestrix::kClassIdText}});
  WriteKey(registry, kFindKey + "\\0", {{"", kestrix::kMenuText}});
  WriteKey(registry, kFindKey + "\\0\\DefaultIcon", {{"", library + ",0"}});

  const std::vector<std::string> failures = folderActions_.Install();
  if (failures.empty()) return;
  std::string message = "Could not write the folder action " + failures.front();
  for (size_t i = 1; i < failures.size(); ++i) message += "; " + failures[i];
  throw std::runtime_error(message);
}

void TRegisterDll::UnregisterExtension() {
  TNTRegistry registry(places_.registryFolder);
  registry.SetRootKey(Root::ClassesRoot);
  registry.DeleteKey(kClassKey);
  registry.DeleteKey(kHandlerKey);
  registry.SetRootKey(Root::LocalMachine);
  registry.DeleteKey(kFindKey);
  folderActions_.Remove();
}
