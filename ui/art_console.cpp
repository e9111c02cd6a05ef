// The console strip behind the switches and buttons (Panel_KEY), and the
// program's icon.
#include <QLinearGradient>

#include "layout/console_geometry.h"
#include "ui/art_common.h"
#include "ui/artwork.h"
#include "ui/layout.h"

namespace orrin::ui {

QPixmap PaintConsole() {
  const QSize size = Q(TheLayout().Rect(WidgetId::Panel_KEY)).size();
  QPixmap pm(size);
  QPainter p(&pm);
  QLinearGradient g(0, 0, 0, size.height());
  g.setColorAt(0, ink::kConsole.lighter(106));
  g.setColorAt(1, ink::kConsole.darker(104));
  p.fillRect(pm.rect(), g);
  art::Smooth(p);
  // Grooves between the groups of controls.
  for (int x : console::kSeparators) {
    p.setPen(QPen(QColor(0x90, 0x96, 0xA0), 1));
    p.drawLine(QPointF(x + 0.5, 4), QPointF(x + 0.5, size.height() - 4));
    p.setPen(QPen(QColor(0xFA, 0xFA, 0xFC), 1));
    p.drawLine(QPointF(x + 1.5, 4), QPointF(x + 1.5, size.height() - 4));
  }
  p.setPen(QPen(QColor(0x80, 0x86, 0x90), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1));
  art::PrintCaptions(p, WidgetId::Panel_KEY, QPoint(0, 0));
  return pm;
}

QPixmap PaintIcon(int size) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  art::Smooth(p);
  p.scale(size / 64.0, size / 64.0);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x1E, 0x3A, 0x6E));
  p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
  // Eight lamps of a byte, and a patch wire between two jacks.
  for (int i = 0; i < 8; ++i) {
    p.setBrush(i % 3 == 0   ? QColor(0xFF, 0x40, 0x30)
               : i % 3 == 1 ? QColor(0x40, 0xE0, 0x40)
                            : QColor(0x5A, 0x2A, 0x2A));
    p.drawEllipse(QPointF(9.5 + i * 6.4, 16), 2.6, 2.6);
  }
  p.setPen(QPen(QColor(0xA6, 0xCA, 0xF0), 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(16, 48), QPointF(32, 30));
  p.drawLine(QPointF(32, 30), QPointF(48, 46));
  p.setPen(Qt::NoPen);
  for (QPointF c : {QPointF(16, 48), QPointF(48, 46)}) {
    p.setBrush(QColor(0xC6, 0x28, 0x28));
    p.drawEllipse(c, 5, 5);
    p.setBrush(QColor(0x18, 0x18, 0x18));
    p.drawEllipse(c, 2.2, 2.2);
  }
  return pm;
}

}  // namespace orrin::ui
