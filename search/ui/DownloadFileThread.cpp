#include "search/ui/DownloadFileThread.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <memory>

#include "search/ui/ByteText.h"
#include "search/ui/UpdateRules.h"

TDownloadFileThread::TDownloadFileThread(QString address, QString programVersion, int transferTimeoutMs,
                                         QObject* parent)
    : QThread(parent),
      address_(std::move(address)),
      programVersion_(std::move(programVersion)),
      transferTimeoutMs_(transferTimeoutMs) {}

void TDownloadFileThread::run() {
  content_.clear();
  if (!IsWebAddress(EngineString(address_))) return;

  QNetworkRequest request{QUrl(address_)};
  request.setHeader(QNetworkRequest::UserAgentHeader,
                    QString::fromStdString(UpdateUserAgent(EngineString(programVersion_))));
  request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
  request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
  request.setRawHeader("Cache-Control", "no-cache");
  request.setRawHeader("Pragma", "no-cache");
  // A download that hangs is abandoned.
  request.setTransferTimeout(transferTimeoutMs_);

  QNetworkAccessManager manager;
  std::unique_ptr<QNetworkReply> reply(manager.get(request));
  reply->setReadBufferSize(kMaxContent + 1);
  bool tooLarge = false;
  const auto take = [&] {
    if (!reply->isOpen()) return;
    content_ += reply->read(kMaxContent + 1 - content_.size());
    if (content_.size() > kMaxContent) {
      tooLarge = true;
      reply->abort();
    }
  };
  QEventLoop loop;
  QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, take);
  QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
  QTimer stopWatch;
  QObject::connect(&stopWatch, &QTimer::timeout, &loop, [&] {
    if (stopRequested_) reply->abort();
  });
  stopWatch.start(50);
  if (!reply->isFinished()) loop.exec();
  if (!tooLarge) take();

  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  succeeded_ = !stopRequested_ && !tooLarge && reply->error() == QNetworkReply::NoError && status / 100 == 2;
  if (!succeeded_) content_.clear();
}
