#pragma once
// TShellIntegration: switching the folder context-menu extension on and off for this
// installation. The preferences dialog and `kestrix-host --install` work through it.

#include <string>

class TShellIntegration {
 public:
  virtual ~TShellIntegration() = default;

  // The extension library beside the running program.
  virtual std::string ExtensionFilePath() const = 0;
  // Whether the extension is registered from this installation's folder.
  virtual bool IsExtensionRegistered() = 0;
  // Throws ERegistryException when a value cannot be written, and std::runtime_error naming
  // the desktop files that could not be written (after writing all the others).
  virtual void RegisterExtension() = 0;
  virtual void UnregisterExtension() = 0;
};
