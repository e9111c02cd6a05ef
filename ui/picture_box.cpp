#include "ui/picture_box.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "ui/translate.h"

namespace orrin::ui {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent, false); }

void PictureBox::SetPicture(const QPixmap* pixmap, Pic role) {
  if (pixmap_ == pixmap && role_ == role) return;
  pixmap_ = pixmap;
  role_ = role;
  if (!keyName_.isEmpty()) Name();
  update();
}

void PictureBox::MakeKeyControl(const QString& name) {
  keyName_ = name;
  setFocusPolicy(Qt::TabFocus);
  Name();
}

// The name with the position the picture shows: a lever up (1) or down (0),
// POWER on or off.
void PictureBox::Name() {
  QString state;
  switch (role_) {
    case Pic::RSWH:
    case Pic::GSWH:
    case Pic::BSWH:
      state = Tr(QT_TRANSLATE_NOOP("orrin", "上"));
      break;
    case Pic::RSWL:
    case Pic::GSWL:
    case Pic::BSWL:
      state = Tr(QT_TRANSLATE_NOOP("orrin", "下"));
      break;
    case Pic::SpeedButton_PowerON:
      state = Tr(QT_TRANSLATE_NOOP("orrin", "开"));
      break;
    case Pic::SpeedButton_PowerOFF:
      state = Tr(QT_TRANSLATE_NOOP("orrin", "关"));
      break;
    default:
      break;
  }
  setAccessibleName(state.isEmpty() ? keyName_ : keyName_ + ", " + state);
}

void PictureBox::keyPressEvent(QKeyEvent* e) {
  const bool press = e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
  if (keyName_.isEmpty() || !press || e->isAutoRepeat()) return QWidget::keyPressEvent(e);
  if (onClick) onClick();
}

void PictureBox::focusInEvent(QFocusEvent* e) {
  update();
  QWidget::focusInEvent(e);
}

void PictureBox::focusOutEvent(QFocusEvent* e) {
  update();
  QWidget::focusOutEvent(e);
}

// A dashed frame in the desktop's highlight colour, inside the picture.
void PictureBox::PaintFocus(QPainter& p) const {
  if (!hasFocus()) return;
  p.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DashLine));
  p.setBrush(Qt::NoBrush);
  p.drawRect(rect().adjusted(1, 1, -1, -1));
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (pixmap_) p.drawPixmap(0, 0, *pixmap_);
  PaintFocus(p);
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
  QPainter p(this);
  const int sink = Down() ? 1 : 0;
  if (Pixmap()) p.drawPixmap(sink, sink, *Pixmap());
  PaintFocus(p);
}

}  // namespace orrin::ui
