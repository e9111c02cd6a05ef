#pragma once
// Image_WireDraw: shows the simulator's wire canvas (the board picture with
// the wires drawn on it) without copying it.
#include <QImage>
#include <QWidget>
#include <functional>

#include "base/canvas.h"

namespace orrin::ui {

class BoardCanvas : public QWidget {
 public:
  BoardCanvas(QWidget* parent, const Canvas& canvas);

  // Repaints when the canvas changed since the last call.
  void Sync();

  std::function<void(QPoint)> onMove;
  std::function<void(Qt::MouseButton, QPoint)> onRelease;
  std::function<void()> onLeave;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void leaveEvent(QEvent* e) override;

 private:
  const Canvas& canvas_;
  QImage image_;
  uint64_t shownVersion_ = ~uint64_t{0};
};

}  // namespace orrin::ui
