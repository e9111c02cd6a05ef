// The datapath drawing behind the upper part of Panel3 (Image3_Hand and
// Image3_NOHand): the ALU, the register file and its selectors, the memory
// ports, AR, PC, IR, IAR and the data bus that joins them.
#include "layout/datapath_geometry.h"
#include "ui/art_common.h"
#include "ui/artwork.h"
#include "ui/layout.h"
#include "ui/translate.h"

namespace orrin::ui {

using namespace datapath;
using art::Arrow;
using art::Wire;

namespace {

const QColor kLineColor = ink::kLine;

QRect R(WidgetId id) { return Q(TheLayout().Rect(id)); }

void Alu(QPainter& p) {
  QPolygonF alu;
  const qreal notch = 12;
  const qreal mid = (kAluBotL + kAluBotR) / 2.0;
  alu << QPointF(kAluTopL, kAluTop) << QPointF(kAluTopR, kAluTop) << QPointF(kAluBotR, kAluBottom)
      << QPointF(mid + notch, kAluBottom) << QPointF(mid, kAluBottom - notch) << QPointF(mid - notch, kAluBottom)
      << QPointF(kAluBotL, kAluBottom);
  p.save();
  p.setPen(QPen(kLineColor, 1.6));
  p.setBrush(QColor(0xFF, 0xF6, 0xD8));
  p.drawPolygon(alu);
  p.restore();

  // Function-select inputs into the left flank.
  for (int i = 0; i < 6; ++i) {
    const qreal y = 118 + 15 * i + 7;
    const qreal edge = kAluTopL - (kAluTopL - kAluBotL) * (y - kAluTop) / (kAluBottom - kAluTop);
    Arrow(p, QPointF(82, y), QPointF(edge, y), kLineColor, 1.2, 5);
  }
  // Zero detect and carry out up to the flags.
  const QRect z = R(WidgetId::Edit_Z), c = R(WidgetId::Edit_C);
  Arrow(p, QPointF(kAluZX, kAluTop), QPointF(kAluZX, z.bottom() + 1), kLineColor);
  Arrow(p, QPointF(kAluCX, kAluTop), QPointF(kAluCX, c.bottom() + 1), kLineColor);
  // F goes round the left edge to the ABUS gate above the bus.
  const QRect abus = R(WidgetId::Image_SW_ABUS);
  const qreal fx = abus.center().x() + 0.5;
  Wire(p, {QPointF(kAluFX, kAluTop), QPointF(kAluFX, 22), QPointF(fx, 22), QPointF(fx, abus.top())}, kLineColor);
  art::Dot(p, QPointF(kAluFX, kAluTop), kLineColor);
  // A and B from the select lines into the notched edge.
  Wire(p, {QPointF(kALineX, kSelAY), QPointF(kALineX, kPortY), QPointF(kAluAX, kPortY)}, kLineColor);
  Arrow(p, QPointF(kAluAX, kPortY), QPointF(kAluAX, kAluBottom), kLineColor);
  Wire(p, {QPointF(kBLineX, kSelBY), QPointF(kBLineX, kPortY), QPointF(kAluBX, kPortY)}, kLineColor);
  Arrow(p, QPointF(kAluBX, kPortY), QPointF(kAluBX, kAluBottom), kLineColor);
}

void Registers(QPainter& p) {
  art::Line(p, QPointF(kALineX, kSelAY), QPointF(RegCX(3), kSelAY), kLineColor);
  art::Line(p, QPointF(RegCX(0), kSelBY), QPointF(kBLineX, kSelBY), kLineColor);
  for (int n = 0; n < 4; ++n) {
    const qreal cx = RegCX(n);
    art::Line(p, QPointF(cx, kRegY), QPointF(cx, kSelBY), kLineColor);
    art::Dot(p, QPointF(cx, kSelAY), kLineColor);
    art::Dot(p, QPointF(cx, kSelBY), kLineColor);
    Arrow(p, QPointF(cx, kBusY - 3), QPointF(cx, kRegY + 24), kLineColor);
  }
  // The write decoder.
  p.save();
  p.setPen(QPen(kLineColor, 1.2));
  p.setBrush(QColor(0xF2, 0xF6, 0xFC));
  p.drawRoundedRect(QRectF(18.5, 398.5, 86, 74), 3, 3);
  p.restore();
}

void Memory(QPainter& p) {
  // Control inputs on the left edge of the memory.
  for (WidgetId id : {WidgetId::Image_P3_T2_MEM, WidgetId::Label_MEMW, WidgetId::Label_MBUS}) {
    const QRect r = R(id);
    Arrow(p, QPointF(r.right() + 2, r.center().y() + 0.5), QPointF(kGridL - 1, r.center().y() + 0.5), kLineColor, 1.2,
          5);
  }
  // The data port down to the bus.
  art::Line(p, QPointF(kDataPortX, kGridB + 1), QPointF(kDataPortX, kBusY - 3), kLineColor, 1.6);
  // AR and PC address the two ports; both load from the bus.
  for (int x : {kArX + 11, kPcX + 11}) {
    Arrow(p, QPointF(x, kArY), QPointF(x, kGridB + 1), kLineColor);
    Arrow(p, QPointF(x, kBusY - 3), QPointF(x, kArY + 24), kLineColor);
  }
  // IAR takes PC and drives the bus.
  const QRect iar = R(WidgetId::Edit_IAR);
  const qreal ix = iar.center().x() + 0.5;
  Wire(p, {QPointF(ix + 46, kIarY - 24), QPointF(ix, kIarY - 24)}, kLineColor);
  Arrow(p, QPointF(ix, kIarY - 24), QPointF(ix, kIarY), kLineColor);
  art::Line(p, QPointF(ix, iar.bottom() + 1), QPointF(ix, kBusY - 3), kLineColor);
  // The instruction bus from the instruction port into IR.
  const QRect ir = R(WidgetId::Edit_IR);
  const qreal rx = ir.center().x() + 0.5;
  Wire(p, {QPointF(kInsX, kGridB + 1), QPointF(kInsX, kInsTurnY), QPointF(rx, kInsTurnY)}, ink::kBus, 2);
  Arrow(p, QPointF(rx, kInsTurnY), QPointF(rx, kIrY), ink::kBus, 2);
}

void Bus(QPainter& p) {
  p.save();
  p.setPen(QPen(ink::kBus, 6, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(QPointF(kBusLeft, kBusY), QPointF(kBusRight, kBusY));
  p.restore();
}

void Banner(QPainter& p, bool independent) {
  const QRect r(560, 2, 300, 18);
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(independent ? QColor(0xFF, 0xF4, 0xB0) : QColor(0xD8, 0xF5, 0xD8));
  p.drawRoundedRect(r, 4, 4);
  p.restore();
  art::Print(p, r,
             independent ? Tr(QT_TRANSLATE_NOOP("orrin", "控制信号来自插孔 (独立方式)"))
                         : Tr(QT_TRANSLATE_NOOP("orrin", "控制信号来自微程序")),
             Face::Small, Qt::AlignCenter);
}

}  // namespace

QPixmap PaintDatapath(bool independent) {
  QPixmap pm(Q(kDatapathSize));
  pm.fill(Qt::white);
  QPainter p(&pm);
  art::Smooth(p);
  Alu(p);
  Registers(p);
  Memory(p);
  Bus(p);
  Banner(p, independent);
  art::PrintCaptions(p, WidgetId::Image2, QPoint(0, 0));
  return pm;
}

}  // namespace orrin::ui
