#include "ui/panel_box.h"

#include <QPaintEvent>
#include <QPainter>

namespace orrin::ui {

PanelBox::PanelBox(QWidget* parent) : QFrame(parent) {}

void PanelBox::SetCaption(const QString& text) {
  if (caption_ == text) return;
  caption_ = text;
  update();
}

void PanelBox::SetBackground(const QPixmap& pixmap) {
  background_ = pixmap;
  update();
}

void PanelBox::SetFill(const QColor& color) {
  QPalette pal = palette();
  pal.setColor(QPalette::Window, color);
  setPalette(pal);
  setAutoFillBackground(true);
}

void PanelBox::paintEvent(QPaintEvent* e) {
  QFrame::paintEvent(e);
  if (background_.isNull() && caption_.isEmpty()) return;
  QPainter p(this);
  if (!background_.isNull()) p.drawPixmap(e->rect(), background_, e->rect());
  if (!caption_.isEmpty()) {
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(captionRect_.isNull() ? rect() : captionRect_, Qt::AlignCenter | Qt::TextWordWrap, caption_);
  }
}

}  // namespace orrin::ui
