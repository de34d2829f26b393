#pragma once
// What the headless window tests share: a private settings folder per test, the window found
// by component names, and a main() that runs Qt offscreen unless told otherwise.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>

#include "search/settings/DataModule.h"
#include "search/ui/MainForm.h"
#include "search/ui/ResultsModel.h"
#include "search/ui/ToolbarImages.h"

// Prepares the environment for a window without a display: the offscreen platform (unless a
// platform is named), a private runtime folder, the icon theme.
void PrepareHeadless();

// A settings folder of its own, with the data module loaded from it; the update check is off.
class TSettingsSandbox {
 public:
  TSettingsSandbox();
  TDataMod& DataMod() { return *dataMod_; }
  // A second data module reading the same folder: what the next start would see.
  std::unique_ptr<TDataMod> Reload() const;
  QString Folder() const { return folder_.path(); }

 private:
  QTemporaryDir folder_;
  std::unique_ptr<TDataMod> dataMod_;
};

// A child widget by its component name; fails the test when it is missing.
template <typename T>
T* Named(QObject* parent, const char* name) {
  T* child = parent->findChild<T*>(name);
  if (child == nullptr) qFatal("no %s named %s", T::staticMetaObject.className(), name);
  return child;
}

// Runs the action; the message dialog it raises is closed with OK and its text returned
// (empty when none came up).
QString MessageDuring(const std::function<void()>& action);

// The main window over a settings folder of its own, shown, with its controls by name.
struct TMainFormWindow {
  TSettingsSandbox settings;
  std::unique_ptr<TMainForm> form = std::make_unique<TMainForm>(settings.DataMod());

  TMainFormWindow() { form->show(); }
  QComboBox* Box(const char* name) { return Named<QComboBox>(form.get(), name); }
  QCheckBox* Check(const char* name) { return Named<QCheckBox>(form.get(), name); }
  TResultsModel& Model() { return form->ResultsModel(); }
};

#define SEARCH_QTEST_MAIN(TestObject)          \
  int main(int argc, char** argv) {            \
    PrepareHeadless();                         \
    QApplication application(argc, argv);      \
    PrepareIconTheme("breeze");                \
    TestObject test;                           \
    return QTest::qExec(&test, argc, argv);    \
  }
