#pragma once
// TDragFilesTrg: lets a control accept files and folders dropped from a file manager. Only
// file: addresses count; each name is taken whole, as its own bytes.

#include <QObject>
#include <QPoint>
#include <functional>
#include <string>
#include <vector>

class QMimeData;
class QWidget;

class TDragFilesTrg final : public QObject {
  Q_OBJECT

 public:
  explicit TDragFilesTrg(QObject* parent = nullptr);

  void SetTarget(QWidget* target);
  QWidget* Target() const { return target_; }
  void SetEnabled(bool enabled);

  // Raised after each drop, once the names are read.
  std::function<void()> OnDrop;
  const std::vector<std::string>& DroppedFiles() const { return droppedFiles_; }
  QPoint DropPoint() const { return dropPoint_; }

  // The local paths that the data names, in its order.
  static std::vector<std::string> FileNames(const QMimeData& data);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* target_ = nullptr;
  bool enabled_ = true;
  std::vector<std::string> droppedFiles_;
  QPoint dropPoint_;
};
