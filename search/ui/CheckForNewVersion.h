#pragma once
// TCheckForNewVersion: fetches the version file in the background and offers its name=value
// lines. Its end is reported on the user-interface thread; a running worker is stopped and
// joined when the component goes, so closing the program never waits long nor crashes.

#include <QObject>
#include <QString>
#include <memory>
#include <string>
#include <vector>

class TDownloadFileThread;

class TCheckForNewVersion final : public QObject {
  Q_OBJECT

 public:
  explicit TCheckForNewVersion(QObject* parent = nullptr);
  ~TCheckForNewVersion() override;

  const QString& URL() const { return url_; }
  // A different address clears the parsed lines.
  void SetURL(const QString& url);
  QString ProgramVersion;
  // How long a download may hang before it is abandoned.
  int TransferTimeoutMs = 30000;

  // Starts a download of URL unless it is empty or one is running.
  void StartCheck();
  // Asks a running download to stop; its result is dropped.
  void StopCheck();
  bool Running() const { return worker_ != nullptr; }

  const std::vector<std::string>& Lines() const { return lines_; }
  std::string GetValue(const std::string& name) const;

 signals:
  // A download completed: the parsed lines are the file's.
  void GotVersionFile();
  // Any download ended, completed or not.
  void CheckEnded();

 private:
  void WorkerFinished();

  QString url_;
  std::vector<std::string> lines_;
  std::unique_ptr<TDownloadFileThread> worker_;
};
