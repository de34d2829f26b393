#pragma once
// TSaveFormPosition: remembers where a window was and whether it was maximised or minimised,
// under the window's component name followed by "WindowRect" and "WindowState". Restore puts
// it back (onto a connected screen); afterwards every move, resize and change of state is
// written, and once more when the window closes.

#include <QObject>
#include <QWidget>

class TRegistryManager;

class TSaveFormPosition final : public QObject {
  Q_OBJECT

 public:
  TSaveFormPosition(QWidget* owner, TRegistryManager& store);

  // Once, when the window has been built; writing starts from here.
  void Restore();
  void Save();

  // The state values: 0 normal, 1 minimised, 2 maximised.
  static constexpr int kNormal = 0;
  static constexpr int kMinimised = 1;
  static constexpr int kMaximised = 2;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::string ValueName(const char* suffix) const;

  QWidget* owner_;
  TRegistryManager& store_;
  bool restored_ = false;
};
