#pragma once
// What the headless window tests share: a private settings folder per test, the window found
// by component names, and a main() that runs Qt offscreen unless told otherwise.

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "search/settings/DataModule.h"
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

#define SEARCH_QTEST_MAIN(TestObject)          \
  int main(int argc, char** argv) {            \
    PrepareHeadless();                         \
    QApplication application(argc, argv);      \
    PrepareIconTheme("breeze");                \
    TestObject test;                           \
    return QTest::qExec(&test, argc, argv);    \
  }
