// search: the windowed program. The settings are loaded first, then the main window is built,
// takes the command line's one argument, and is shown (or goes straight to the tray).

#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "search/editor/ConfigurationEditorForm.h"
#include "search/settings/DataModule.h"
#include "search/settings/forms/ConfigurationForm.h"
#include "search/ui/ByteText.h"
#include "search/ui/MainForm.h"
#include "search/ui/MessageForm.h"
#include "search/ui/TerminationSignals.h"
#include "search/ui/ToolbarImages.h"

namespace {

bool HasDisplay() {
  const auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
  };
  return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

}  // namespace

int main(int argc, char** argv) {
  if (!HasDisplay()) {
    std::fprintf(stderr,
                 "search: no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is set); "
                 "search-cli searches from the command line.\n");
    return 1;
  }
  QApplication application(argc, argv);
  PrepareIconTheme();
  QApplication::setWindowIcon(ToolbarImage("SEARCH"));

  TDataMod dataMod;
  // The application's name, not its display name: Qt would add a display name to every window
  // title, and the titles are exactly the windows' own.
  QApplication::setApplicationName(DisplayString(dataMod.ApplicationTitle()));
  TMainForm mainForm(dataMod);
  mainForm.ShowPreferencesDialog = [&dataMod](QWidget* owner) {
    return RunConfigurationForm(owner, dataMod, [&dataMod](QWidget* preferences, const QPoint& topLeft) {
      ShowEditorPreferences(dataMod, preferences, topLeft);
    });
  };
  // Only the first argument counts; the start folder makes a relative folder absolute.
  const std::string argument = argc > 1 ? argv[1] : "";
  char folder[4096];
  const std::string startFolder = ::getcwd(folder, sizeof folder) != nullptr ? folder : "/";
  const bool startInTray = mainForm.ApplyCommandLine(argument, startFolder);
  for (const std::string& error : dataMod.StartupErrors()) {
    ShowMessageDialog(DisplayString(error), TMessageKind::Error, {TMessageButton::OK}, 0, &mainForm);
  }
  // A logout's SIGTERM closes the window as the user would, so the criteria are kept.
  const TTerminationSignals termination([&mainForm] { mainForm.close(); });
  if (startInTray) {
    mainForm.HideToTray();
  } else {
    mainForm.show();
  }
  return QApplication::exec();
}
