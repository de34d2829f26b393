#include "search/ui/CheckForNewVersion.h"

#include "search/engine/TextRules.h"
#include "search/ui/DownloadFileThread.h"
#include "search/ui/UpdateRules.h"

TCheckForNewVersion::TCheckForNewVersion(QObject* parent) : QObject(parent) {}

TCheckForNewVersion::~TCheckForNewVersion() {
  if (!worker_) return;
  StopCheck();
  // A thread still running when destroyed would end the program; the stop ends it at once.
  worker_->wait();
}

void TCheckForNewVersion::SetURL(const QString& url) {
  if (url == url_) return;
  url_ = url;
  lines_.clear();
}

void TCheckForNewVersion::StartCheck() {
  if (url_.isEmpty() || worker_) return;
  worker_ = std::make_unique<TDownloadFileThread>(url_, ProgramVersion, TransferTimeoutMs);
  // Delivered on this object's thread, the user-interface thread.
  connect(worker_.get(), &QThread::finished, this, &TCheckForNewVersion::WorkerFinished, Qt::QueuedConnection);
  worker_->start();
}

void TCheckForNewVersion::StopCheck() {
  if (worker_) worker_->RequestStop();
}

void TCheckForNewVersion::WorkerFinished() {
  if (!worker_) return;
  worker_->wait();
  const std::unique_ptr<TDownloadFileThread> ended = std::move(worker_);
  if (!ended->StopRequested() && ended->Succeeded()) {
    std::string text = ended->Content().toStdString();
    lines_.clear();
    for (std::string& line : search::SplitText(text, "\n")) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines_.push_back(std::move(line));
    }
    emit GotVersionFile();
  }
  emit CheckEnded();
}

std::string TCheckForNewVersion::GetValue(const std::string& name) const { return GetVersionFileValue(lines_, name); }
