#include "ui/board_canvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <bit>

namespace orrin::ui {

BoardCanvas::BoardCanvas(QWidget* parent, const Canvas& canvas)
    : QWidget(parent),
      canvas_(canvas),
      // 0x00BBGGRR in a little-endian word is the byte sequence R, G, B, 0:
      // exactly Qt's RGBX8888, so the pixels are shown where they lie.
      image_(reinterpret_cast<const uchar*>(canvas.Data()), Canvas::Width, Canvas::Height, Canvas::Width * 4,
             QImage::Format_RGBX8888) {
  static_assert(std::endian::native == std::endian::little);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  resize(Canvas::Width, Canvas::Height);
}

void BoardCanvas::Sync() {
  if (image_.constBits() != reinterpret_cast<const uchar*>(canvas_.Data()))
    image_ = QImage(reinterpret_cast<const uchar*>(canvas_.Data()), Canvas::Width, Canvas::Height, Canvas::Width * 4,
                    QImage::Format_RGBX8888);
  else if (canvas_.version == shownVersion_)
    return;
  shownVersion_ = canvas_.version;
  update();
}

void BoardCanvas::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  p.drawImage(e->rect(), image_, e->rect());
}

void BoardCanvas::mouseMoveEvent(QMouseEvent* e) {
  if (onMove) onMove(e->position().toPoint());
}

void BoardCanvas::mouseReleaseEvent(QMouseEvent* e) {
  if (onRelease) onRelease(e->button(), e->position().toPoint());
}

void BoardCanvas::leaveEvent(QEvent*) {
  if (onLeave) onLeave();
}

}  // namespace orrin::ui
