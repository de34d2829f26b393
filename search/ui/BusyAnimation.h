#pragma once
// Animate: the busy dialog's small looping picture, a magnifying glass sweeping over a page of
// text, 24 frames in a loop.

#include <QTimer>
#include <QWidget>

class TBusyAnimation final : public QWidget {
 public:
  static constexpr int kFrames = 24;

  explicit TBusyAnimation(QWidget* parent = nullptr);

  void Start() { timer_.start(); }
  void Stop() { timer_.stop(); }
  int Frame() const { return frame_; }
  void SetFrame(int frame);

  QSize sizeHint() const override { return {48, 50}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QTimer timer_;
  int frame_ = 0;
};
