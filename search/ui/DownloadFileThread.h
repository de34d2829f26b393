#pragma once
// TDownloadFileThread: the update check's worker. It fetches one small file over the network
// on its own thread and keeps it only when the download succeeded (an answer with a 2xx status
// of at most 64 KB, not stopped).

#include <QByteArray>
#include <QString>
#include <QThread>
#include <atomic>

class TDownloadFileThread final : public QThread {
  Q_OBJECT

 public:
  TDownloadFileThread(QString address, QString programVersion, int transferTimeoutMs, QObject* parent = nullptr);

  static constexpr qsizetype kMaxContent = 64 * 1024;

  // Asks the worker to stop between chunks; does not wait.
  void RequestStop() { stopRequested_ = true; }
  bool StopRequested() const { return stopRequested_; }

  // Read once the thread has finished.
  bool Succeeded() const { return succeeded_; }
  const QByteArray& Content() const { return content_; }

 protected:
  void run() override;

 private:
  const QString address_;
  const QString programVersion_;
  const int transferTimeoutMs_;
  std::atomic<bool> stopRequested_{false};
  bool succeeded_ = false;
  QByteArray content_;
};
