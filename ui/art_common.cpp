#include "ui/art_common.h"

#include <QPainterPath>

#include "ui/text_fit.h"
#include "ui/translate.h"

namespace orrin::ui::art {

void Print(QPainter& p, const QRect& r, const QString& text, Face face, Qt::Alignment align) {
  const FaceStyle& s = StyleOf(face);
  p.save();
  // A caption longer than its place (often the English one) is set smaller.
  p.setFont(align & Qt::TextWordWrap ? s.font : FittingFont(s.font, text, r.width()));
  p.setPen(s.ink);
  p.drawText(r, static_cast<int>(align), text);
  p.restore();
}

void Print(QPainter& p, const QRect& r, const char* text, Face face, Qt::Alignment align) {
  Print(p, r, Tr(text), face, align);
}

void PrintCaptions(QPainter& p, WidgetId surface, QPoint origin) {
  for (const StaticText& t : TheLayout().Texts()) {
    if (t.container != surface) continue;
    const Qt::Alignment align =
        t.face == Face::Plain ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter | Qt::AlignVCenter;
    Print(p, Q(t.r).translated(-origin), Tr(t.text), t.face, align);
  }
}

void ModuleBox(QPainter& p, const QRect& r, const char* caption, const QColor& fill) {
  p.save();
  p.setPen(QPen(ink::kModuleLine, 1));
  p.setBrush(fill);
  p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
  if (caption) {
    QFont f = StyleOf(Face::Small).font;
    f.setBold(true);
    const QRect place = r.adjusted(6, 2, -4, 0);
    p.setFont(FittingFont(f, Tr(caption), place.width()));
    p.setPen(ink::kTitle);
    p.drawText(place, Qt::AlignLeft | Qt::AlignTop, Tr(caption));
  }
  p.restore();
}

void Line(QPainter& p, QPointF from, QPointF to, const QColor& color, qreal width) {
  p.save();
  p.setPen(QPen(color, width, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(from, to);
  p.restore();
}

void Wire(QPainter& p, std::initializer_list<QPointF> points, const QColor& color, qreal width) {
  if (points.size() < 2) return;
  QPainterPath path(*points.begin());
  for (auto it = points.begin() + 1; it != points.end(); ++it) path.lineTo(*it);
  p.save();
  p.setPen(QPen(color, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  p.restore();
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& color, qreal width, qreal head) {
  const QLineF l(from, to);
  if (l.length() < 1) return;
  const QLineF unit = l.unitVector();
  const QPointF d(unit.dx(), unit.dy());
  const QPointF n(-d.y(), d.x());
  const QPointF base = to - d * head;
  Line(p, from, base, color, width);
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  const QPointF tri[3] = {to, base + n * (head * 0.5), base - n * (head * 0.5)};
  p.drawPolygon(tri, 3);
  p.restore();
}

void Dot(QPainter& p, QPointF at, const QColor& color, qreal r) {
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  p.drawEllipse(at, r, r);
  p.restore();
}

}  // namespace orrin::ui::art
