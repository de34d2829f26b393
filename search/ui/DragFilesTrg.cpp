#include "search/ui/DragFilesTrg.h"

#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

#include "platform/shell/FileUri.h"

TDragFilesTrg::TDragFilesTrg(QObject* parent) : QObject(parent) {}

void TDragFilesTrg::SetTarget(QWidget* target) {
  if (target == target_) return;
  if (target_ != nullptr) target_->removeEventFilter(this);
  target_ = target;
  if (target_ == nullptr) return;
  target_->installEventFilter(this);
  target_->setAcceptDrops(enabled_);
  connect(target_, &QObject::destroyed, this, [this] { target_ = nullptr; });
}

void TDragFilesTrg::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (target_ != nullptr) target_->setAcceptDrops(enabled);
}

std::vector<std::string> TDragFilesTrg::FileNames(const QMimeData& data) {
  std::vector<std::string> names;
  const QByteArray list = data.data("text/uri-list");
  for (const QByteArray& line : list.split('\n')) {
    const QByteArray uri = line.trimmed();
    if (uri.isEmpty() || uri.startsWith('#')) continue;
    std::string path;
    if (platform::shell::PathFromFileUri(uri.toStdString(), path)) names.push_back(path);
  }
  return names;
}

bool TDragFilesTrg::eventFilter(QObject* watched, QEvent* event) {
  if (watched != target_ || !enabled_) return QObject::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDropEvent*>(event);
      if (!drag->mimeData()->hasFormat("text/uri-list")) return false;
      drag->acceptProposedAction();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      if (!drop->mimeData()->hasFormat("text/uri-list")) return false;
      droppedFiles_ = FileNames(*drop->mimeData());
      dropPoint_ = drop->position().toPoint();
      drop->acceptProposedAction();
      if (OnDrop) OnDrop();
      return true;
    }
    default:
      return QObject::eventFilter(watched, event);
  }
}
