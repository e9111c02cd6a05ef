#include "ui/picture_box.h"

#include <QMouseEvent>
#include <QPainter>

namespace orrin::ui {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent, false); }

void PictureBox::SetPicture(const QPixmap* pixmap, Pic role) {
  if (pixmap_ == pixmap && role_ == role) return;
  pixmap_ = pixmap;
  role_ = role;
  update();
}

void PictureBox::paintEvent(QPaintEvent*) {
  if (!pixmap_) return;
  QPainter p(this);
  p.drawPixmap(0, 0, *pixmap_);
}

void PictureBox::mousePressEvent(QMouseEvent* e) {
  down_ = e->button() == Qt::LeftButton;
  if (onPress) onPress(e->button(), e->position().toPoint());
  update();
}

void PictureBox::mouseReleaseEvent(QMouseEvent* e) {
  const bool click = down_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
  down_ = false;
  update();
  if (onRelease) onRelease(e->button(), e->position().toPoint());
  if (click && onClick) onClick();
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* e) {
  // The second press of a double click: it is the double-click event, and its
  // release is not another click.
  down_ = false;
  if (onPress) onPress(e->button(), e->position().toPoint());
  if (e->button() == Qt::LeftButton && onDoubleClick) onDoubleClick();
}

void PictureBox::mouseMoveEvent(QMouseEvent* e) {
  if (onMove) onMove(e->position().toPoint());
}

void GlyphButton::paintEvent(QPaintEvent*) {
  if (!Pixmap()) return;
  QPainter p(this);
  const int sink = Down() ? 1 : 0;
  p.drawPixmap(sink, sink, *Pixmap());
}

}  // namespace orrin::ui
