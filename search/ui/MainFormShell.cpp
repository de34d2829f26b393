// The main window's ties to the desktop: the command line, the tray icon, dragging files out
// and dropping files on the Path and Files boxes.

#include <QAction>
#include <QApplication>
#include <QDrag>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSystemTrayIcon>

#include "search/engine/run/DroppedNames.h"
#include "search/engine/run/StartArgument.h"
#include "search/settings/DataModule.h"
#include "search/ui/ByteText.h"
#include "search/ui/CriteriaComboBox.h"
#include "search/ui/DragFilesTrg.h"
#include "search/ui/FilesMimeData.h"
#include "search/ui/MainForm.h"

void TMainForm::CreateTrayAndDragAndDrop() {
  TrayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
  trayIcon_ = new QSystemTrayIcon(QApplication::windowIcon(), this);
  trayIcon_->setObjectName("TrayIcon");
  trayIcon_->setToolTip(QApplication::applicationDisplayName());
  trayIcon_->setContextMenu(pumToolTray_);
  connect(trayIcon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::Trigger) RestoreFromTray();
  });

  StartDrag = [this](std::unique_ptr<QMimeData> files) {
    auto* drag = new QDrag(this);
    drag->setMimeData(files.release());
    drag->exec(Qt::CopyAction, Qt::CopyAction);
  };
  connect(this, &TMainForm::DragRequested, this, [this] {
    std::unique_ptr<QMimeData> files = DragMimeData();
    if (files) StartDrag(std::move(files));
  });

  dragFilesToPath_ = new TDragFilesTrg(this);
  dragFilesToPath_->setObjectName("DragFilesToPath");
  dragFilesToPath_->SetTarget(cbPath_->lineEdit());
  dragFilesToPath_->OnDrop = [this] { DragFilesToPathDrop(); };
  dragFilesToFiles_ = new TDragFilesTrg(this);
  dragFilesToFiles_->setObjectName("DragFilesToFiles");
  dragFilesToFiles_->SetTarget(cbFiles_->lineEdit());
  dragFilesToFiles_->OnDrop = [this] { DragFilesToFilesDrop(); };
}

bool TMainForm::ApplyCommandLine(const std::string& argument, const std::string& startFolder) {
  const search::TStartRequest request =
      search::ParseStartArgument(argument, dataMod_.UseToolTray.Value(), startFolder);
  if (request.StartInTray) return TrayAvailable();
  if (!request.Path.empty()) {
    cbPath_->SetText(DisplayString(request.Path));
    cbFiles_->SetText("*.*");
  }
  return false;
}

bool TMainForm::HidingToTrayOffered() const { return dataMod_.UseToolTray.Value() && TrayAvailable && TrayAvailable(); }

void TMainForm::HideToTray() {
  if (!TrayAvailable()) return;
  trayIcon_->show();
  // The window comes back in its normal state.
  setWindowState(windowState() & ~Qt::WindowMinimized);
  hide();
}

void TMainForm::RestoreFromTray() {
  if (isVisible()) return;
  trayIcon_->hide();
  showNormal();
  activateWindow();
  cbPath_->setFocus();
}

void TMainForm::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && isMinimized() && HidingToTrayOffered()) {
    // Hidden once the minimise has been handled.
    QMetaObject::invokeMethod(this, &TMainForm::HideToTray, Qt::QueuedConnection);
  }
}

std::unique_ptr<QMimeData> TMainForm::DragMimeData() const {
  const std::vector<std::string> paths = SelectedFileNames();
  if (paths.empty() || paths.front().empty()) return nullptr;
  return FilesMimeData(paths);
}

void TMainForm::DragFilesToPathDrop() {
  const std::string text = search::PathBoxFromDrop(dragFilesToPath_->DroppedFiles());
  if (!text.empty()) cbPath_->SetText(DisplayString(text));
}

void TMainForm::DragFilesToFilesDrop() {
  const std::string text = search::FilesBoxFromDrop(dragFilesToFiles_->DroppedFiles());
  if (!text.empty()) cbFiles_->SetText(DisplayString(text));
}
