#pragma once
// SIGTERM (a desktop logout) and SIGINT, turned into a call on the user-interface thread, so
// that the program can close its window as if the user had closed it.

#include <QObject>
#include <functional>

class QSocketNotifier;

class TTerminationSignals final : public QObject {
  Q_OBJECT

 public:
  explicit TTerminationSignals(std::function<void()> onSignal, QObject* parent = nullptr);
  ~TTerminationSignals() override;

 private:
  std::function<void()> onSignal_;
  QSocketNotifier* notifier_ = nullptr;
};
