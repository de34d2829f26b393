#include "search/settings/forms/SaveFormPosition.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

#include "search/settings/RegMgr.h"
#include "search/settings/WindowPlacement.h"

namespace {

std::vector<TRect> ScreenRects() {
  std::vector<TRect> rects;
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect area = screen->geometry();
    rects.push_back({area.left(), area.top(), area.left() + area.width(), area.top() + area.height()});
  }
  return rects;
}

}  // namespace

TSaveFormPosition::TSaveFormPosition(QWidget* owner, TRegistryManager& store)
    : QObject(owner), owner_(owner), store_(store) {
  owner_->installEventFilter(this);
}

std::string TSaveFormPosition::ValueName(const char* suffix) const {
  return owner_->objectName().toStdString() + suffix;
}

void TSaveFormPosition::Restore() {
  const TRect stored = store_.LoadRect(ValueName("WindowRect"), TRect{});
  const int state = store_.LoadInteger(ValueName("WindowState"), kNormal);
  if (stored.Left < stored.Right && stored.Top < stored.Bottom) {
    const TRect fitted = FitOnScreens(stored, ScreenRects());
    owner_->move(fitted.Left, fitted.Top);
    owner_->resize(fitted.Right - fitted.Left, fitted.Bottom - fitted.Top);
  }
  if (state == kMaximised) owner_->setWindowState(owner_->windowState() | Qt::WindowMaximized);
  if (state == kMinimised) owner_->setWindowState(owner_->windowState() | Qt::WindowMinimized);
  restored_ = true;
}

// The rectangle is written only in the normal state, so a maximised window comes back to its
// last normal place.
void TSaveFormPosition::Save() {
  if (!restored_) return;
  const Qt::WindowStates states = owner_->windowState();
  const int state = states & Qt::WindowMinimized ? kMinimised : states & Qt::WindowMaximized ? kMaximised : kNormal;
  try {
    if (state == kNormal) {
      const QPoint at = owner_->pos();
      store_.SaveRect(ValueName("WindowRect"),
                      {at.x(), at.y(), at.x() + owner_->width(), at.y() + owner_->height()});
    }
    store_.SaveInteger(ValueName("WindowState"), state);
  } catch (const std::exception& error) {
    qWarning("search: %s", error.what());
  }
}

bool TSaveFormPosition::eventFilter(QObject* watched, QEvent* event) {
  if (watched == owner_) {
    switch (event->type()) {
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::WindowStateChange:
      case QEvent::Close:
        Save();
        break;
      default:
        break;
    }
  }
  return QObject::eventFilter(watched, event);
}
