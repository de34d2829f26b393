#include "extension/host/HostCommandLine.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <map>

#include "extension/KestrixIdentity.h"
#include "extension/host/HostWindow.h"
#include "extension/host/KestrixHost.h"
#include "platform/version/VersionBlock.h"
#include "search/settings/RegisterDll.h"

namespace kestrix {

namespace {

constexpr const char* kUsage =
    "usage: kestrix-host [--library PATH] --menu DIR... | --invoke DIR... | --register | --unregister\n"
    "       kestrix-host --install | --uninstall\n";

const std::map<std::string, THostCommand>& Commands() {
  static const std::map<std::string, THostCommand> commands = {
      {"--menu", THostCommand::Menu},         {"--invoke", THostCommand::Invoke},
      {"--register", THostCommand::Register}, {"--unregister", THostCommand::Unregister},
      {"--install", THostCommand::Install},   {"--uninstall", THostCommand::Uninstall},
  };
  return commands;
}

bool TakesFolders(THostCommand command) { return command == THostCommand::Menu || command == THostCommand::Invoke; }

int Fail(const std::string& message) {
  std::fprintf(stderr, "kestrix-host: %s\n", message.c_str());
  return 1;
}

std::string HexCode(platform::com::HRESULT result) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(result));
  return text;
}

std::string DefaultLibrary() {
  return (std::filesystem::path(platform::version::RunningExecutable()).parent_path() / kLibraryFileName).string();
}

int RunProgramRegistration(THostCommand command) {
  try {
    TRegisterDll registration;
    command == THostCommand::Install ? registration.RegisterExtension() : registration.UnregisterExtension();
    return 0;
  } catch (const std::exception& error) {
    return Fail(error.what());
  }
}

int RunLibraryCommand(const THostOptions& options) {
  std::string error;
  const std::string path = options.library.empty() ? DefaultLibrary() : options.library;
  const std::optional<TKestrixLibrary> library = TKestrixLibrary::Load(path, error);
  if (!library) return Fail(error);
  const TKestrixHost host(*library);

  switch (options.command) {
    case THostCommand::Menu: {
      std::vector<TMenuEntry> entries;
      if (const auto result = host.MenuEntries(options.folders, entries); platform::com::Failed(result)) {
        return Fail("the handler gave no menu (" + HexCode(result) + ")");
      }
      for (const TMenuEntry& entry : entries) std::printf("%s\t%s\n", entry.text.c_str(), entry.helpText.c_str());
      return 0;
    }
    case THostCommand::Invoke: {
      THostWindow window;
      const auto result = host.Invoke(options.folders, &window);
      if (platform::com::Failed(result)) return Fail("the handler failed (" + HexCode(result) + ")");
      return window.ErrorShown() ? 1 : 0;  // the window has written the handler's message
    }
    case THostCommand::Register:
      return library->RegisterServer() == platform::com::S_OK ? 0 : Fail("DllRegisterServer failed");
    case THostCommand::Unregister:
      return library->UnregisterServer() == platform::com::S_OK ? 0 : Fail("DllUnregisterServer failed");
    default:
      return 2;
  }
}

}  // namespace

bool ParseHostOptions(const std::vector<std::string>& arguments, THostOptions& options, std::string& error) {
  options = THostOptions{};
  bool haveCommand = false;
  bool optionsEnded = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (!optionsEnded && argument == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && argument == "--library") {
      if (i + 1 == arguments.size()) {
        error = "--library needs a path";
        return false;
      }
      options.library = arguments[++i];
    } else if (!optionsEnded && Commands().count(argument) != 0) {
      if (haveCommand) {
        error = "only one command at a time";
        return false;
      }
      options.command = Commands().at(argument);
      haveCommand = true;
    } else if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
      error = "unknown option " + argument;
      return false;
    } else {
      std::error_code ignored;
      const std::filesystem::path absolute = std::filesystem::absolute(argument, ignored);
      options.folders.push_back(absolute.empty() ? argument : absolute.string());
    }
  }
  if (!haveCommand) {
    error = "no command given";
    return false;
  }
  if (!options.folders.empty() && !TakesFolders(options.command)) {
    error = "this command takes no folders";
    return false;
  }
  return true;
}

int RunKestrixHost(const std::vector<std::string>& arguments) {
  THostOptions options;
  std::string error;
  if (!ParseHostOptions(arguments, options, error)) {
    std::fprintf(stderr, "kestrix-host: %s\n%s", error.c_str(), kUsage);
    return 2;
  }
  if (options.command == THostCommand::Install || options.command == THostCommand::Uninstall) {
    return RunProgramRegistration(options.command);
  }
  return RunLibraryCommand(options);
}

}  // namespace kestrix
