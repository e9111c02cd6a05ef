// The template pictures: levers, lamps, beat-line and phase pictures, gate
// and bus symbols, and the button glyphs.
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include "ui/art_common.h"
#include "ui/artwork.h"
#include "ui/translate.h"

namespace orrin::ui {

using art::Smooth;

namespace {

QPixmap Blank(QSize size) {
  QPixmap pm(size);
  pm.fill(Qt::transparent);
  return pm;
}

// A toggle switch seen from above: a nut in the middle and the lever with its
// coloured cap pointing up (1) or down (0).
QPixmap Lever(const QColor& cap, bool up) {
  QPixmap pm = Blank(Q(kLeverSize));
  QPainter p(&pm);
  Smooth(p);
  const QRectF body(1.5, 5.5, 18, 20);
  p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
  p.setBrush(QColor(0x2B, 0x2E, 0x33));
  p.drawRoundedRect(body, 3, 3);
  QRadialGradient nut(QPointF(10.5, 15.5), 6.5);
  nut.setColorAt(0, QColor(0xF4, 0xF4, 0xF4));
  nut.setColorAt(1, QColor(0x8C, 0x90, 0x96));
  p.setBrush(nut);
  p.setPen(QPen(QColor(0x55, 0x55, 0x55), 0.8));
  p.drawEllipse(QPointF(10.5, 15.5), 6, 6);
  const qreal tipY = up ? 4.5 : 26.5;
  p.setPen(QPen(QColor(0xC8, 0xC8, 0xC8), 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(10.5, 15.5), QPointF(10.5, tipY));
  QRadialGradient g(QPointF(9, tipY - 1.5), 5);
  g.setColorAt(0, cap.lighter(170));
  g.setColorAt(1, cap);
  p.setPen(QPen(cap.darker(160), 0.8));
  p.setBrush(g);
  p.drawEllipse(QPointF(10.5, tipY), 4.2, 4.2);
  return pm;
}

// A round lamp; lit lamps glow, dark ones show the dull lens.
QPixmap Lamp(const QColor& color, int size, bool lit) {
  QPixmap pm = Blank(QSize(size, size));
  QPainter p(&pm);
  Smooth(p);
  const qreal c = size / 2.0, r = size / 2.0 - 0.7;
  QRadialGradient g(QPointF(c - r * 0.35, c - r * 0.35), r * 1.3);
  if (lit) {
    g.setColorAt(0, QColor(255, 255, 255));
    g.setColorAt(0.25, color.lighter(140));
    g.setColorAt(1, color);
  } else {
    const QColor dull = color.darker(310);
    g.setColorAt(0, dull.lighter(190));
    g.setColorAt(0.4, dull.lighter(120));
    g.setColorAt(1, dull);
  }
  p.setBrush(g);
  p.setPen(QPen(QColor(0x30, 0x30, 0x30), 0.9));
  p.drawEllipse(QPointF(c, c), r, r);
  return pm;
}

QColor LampColor(char c) {
  switch (c) {
    case 'R':
      return QColor(0xFF, 0x2A, 0x1A);
    case 'G':
      return QColor(0x2A, 0xE0, 0x2A);
    default:
      return QColor(0xFF, 0xD8, 0x10);
  }
}

// A beat line on a small scope screen.
QPixmap BeatLine(Pic p) {
  QPixmap pm(Q(kBeatSize));
  QPainter g(&pm);
  Smooth(g);
  const bool off = p == Pic::Tx_PowerOFF;
  pm.fill(off ? QColor(0x50, 0x50, 0x50) : QColor(0x10, 0x18, 0x10));
  const qreal lo = 11.5, hi = 2.5, mid = kBeatSize.width() / 2.0, w = kBeatSize.width();
  if (off) {
    g.setPen(QPen(QColor(0x90, 0x90, 0x90), 1, Qt::DashLine));
    g.drawLine(QPointF(2, 7), QPointF(w - 2, 7));
    return pm;
  }
  QPainterPath path;
  switch (p) {
    case Pic::Tx_lowlevel:
      path.moveTo(1, lo), path.lineTo(w - 1, lo);
      break;
    case Pic::Tx_highlevel:
      path.moveTo(1, hi), path.lineTo(w - 1, hi);
      break;
    case Pic::Tx_posedge:
      path.moveTo(1, lo), path.lineTo(mid, lo), path.lineTo(mid, hi), path.lineTo(w - 1, hi);
      break;
    default:
      path.moveTo(1, hi), path.lineTo(mid, hi), path.lineTo(mid, lo), path.lineTo(w - 1, lo);
      break;
  }
  g.setPen(QPen(QColor(0x40, 0xFF, 0x40), 1.6));
  g.drawPath(path);
  if (p == Pic::Tx_posedge || p == Pic::Tx_negedge) {
    const bool rise = p == Pic::Tx_posedge;
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(0xFF, 0xE0, 0x40));
    const QPointF tip(mid, rise ? 5.5 : 8.5);
    const qreal dy = rise ? 3.5 : -3.5;
    const QPointF tri[3] = {tip, QPointF(mid - 2.8, tip.y() + dy), QPointF(mid + 2.8, tip.y() + dy)};
    g.drawPolygon(tri, 3);
  }
  return pm;
}

// The six small beats of a machine cycle as a timing diagram, with the
// current one (1..6) marked; 0 marks none.
QPixmap Phase(int phase) {
  QPixmap pm(Q(kPhaseSize));
  pm.fill(QColor(0xC0, 0xC0, 0xC0));
  QPainter p(&pm);
  Smooth(p);
  const int x0 = 22, cw = 12, rowH = 22, top = 20;
  p.setFont(StyleOf(Face::Small).font);
  p.setPen(Qt::black);
  p.drawText(QRect(0, 1, kPhaseSize.width(), 16), Qt::AlignCenter,
             phase ? Tr(QT_TRANSLATE_NOOP("orrin", "第 %1 小拍")).arg(phase) : Tr(QT_TRANSLATE_NOOP("orrin", "停")));
  if (phase >= 1 && phase <= 6) {
    p.fillRect(QRect(x0 + (phase - 1) * cw, top - 2, cw, 3 * rowH + 2), QColor(0xFF, 0xF0, 0x70));
  }
  // Level of each line through the six phases: 1 high, 0 low; an edge sits at
  // the start of a phase whose level differs from the previous one.
  static const int kLevels[3][6] = {{1, 1, 0, 0, 0, 0}, {0, 0, 1, 1, 0, 0}, {0, 0, 0, 0, 1, 1}};
  static const char* const kNames[3] = {"T1", "T2", "T3"};
  for (int line = 0; line < 3; ++line) {
    const int base = top + line * rowH;
    p.setPen(Qt::black);
    p.drawText(QRect(0, base, x0 - 2, rowH - 4), Qt::AlignRight | Qt::AlignVCenter, kNames[line]);
    QPainterPath path;
    auto y = [&](int lvl) { return base + (lvl ? 3.5 : rowH - 6.5); };
    int prev = kLevels[line][5];
    path.moveTo(x0, y(prev));
    for (int k = 0; k < 6; ++k) {
      const int lvl = kLevels[line][k];
      if (lvl != prev) path.lineTo(x0 + k * cw, y(lvl));
      path.lineTo(x0 + (k + 1) * cw, y(lvl));
      prev = lvl;
    }
    p.setPen(QPen(QColor(0x10, 0x30, 0x90), 1.5));
    p.drawPath(path);
  }
  p.setPen(QColor(0x40, 0x40, 0x40));
  for (int k = 0; k < 6; ++k)
    p.drawText(QRect(x0 + k * cw, top + 3 * rowH, cw, 14), Qt::AlignCenter, QString::number(k + 1));
  p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1, Qt::DotLine));
  for (int k = 0; k <= 6; ++k) p.drawLine(x0 + k * cw, top - 2, x0 + k * cw, top + 3 * rowH);
  return pm;
}

// A three-state bus driver: a triangle pointing at the bus (down), or away
// from it (up) for a write into the memory.
QPixmap BusGate(const QColor& color, bool filled, bool up) {
  QPixmap pm = Blank(Q(kGateSize));
  QPainter p(&pm);
  Smooth(p);
  const qreal w = kGateSize.width(), h = kGateSize.height();
  QPolygonF poly;
  if (up)
    poly << QPointF(w / 2, 1.5) << QPointF(1.5, h - 4.5) << QPointF(w - 1.5, h - 4.5);
  else
    poly << QPointF(1.5, 3.5) << QPointF(w - 1.5, 3.5) << QPointF(w / 2, h - 1.5);
  p.setPen(QPen(color.darker(140), 1.2));
  p.setBrush(filled ? QBrush(color) : QBrush(QColor(255, 255, 255)));
  p.drawPolygon(poly);
  if (!filled) {
    p.setPen(QPen(color, 1.4));
    const qreal cy = up ? h - 8 : 7;
    p.drawLine(QPointF(w / 2 - 2.5, cy - 2.5), QPointF(w / 2 + 2.5, cy + 2.5));
    p.drawLine(QPointF(w / 2 + 2.5, cy - 2.5), QPointF(w / 2 - 2.5, cy + 2.5));
  }
  return pm;
}

// A gate on a signal line: open (0), closed (1..4, the closed ones with the
// direction their data takes), loading on the beat (T), or unpowered.
QPixmap Switch(Pic role) {
  QPixmap pm = Blank(Q(kSwitchSize));
  QPainter p(&pm);
  Smooth(p);
  const QPointF c(7, 7);
  switch (role) {
    case Pic::SW_PowerOff:
      p.setPen(QPen(QColor(0xB0, 0xB0, 0xB0), 1));
      p.setBrush(QColor(0xEE, 0xEE, 0xEE));
      p.drawEllipse(c, 5.5, 5.5);
      break;
    case Pic::SW0:
      p.setPen(QPen(QColor(0x70, 0x70, 0x70), 1.2));
      p.setBrush(Qt::white);
      p.drawEllipse(c, 5.5, 5.5);
      p.drawLine(QPointF(3.5, 9.5), QPointF(10.5, 4.5));
      break;
    case Pic::SWT: {
      p.setPen(QPen(QColor(0xA0, 0x50, 0x00), 1));
      p.setBrush(QColor(0xFF, 0x9A, 0x10));
      p.drawEllipse(c, 6, 6);
      p.setPen(QPen(Qt::white, 1.4));
      p.drawLine(QPointF(7, 10.5), QPointF(7, 3.5));
      p.drawLine(QPointF(7, 3.5), QPointF(4.5, 6));
      p.drawLine(QPointF(7, 3.5), QPointF(9.5, 6));
      break;
    }
    default: {
      p.setPen(QPen(QColor(0x10, 0x70, 0x10), 1));
      p.setBrush(QColor(0x30, 0xC0, 0x30));
      p.drawEllipse(c, 6, 6);
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::white);
      if (role == Pic::SW1) {
        p.drawEllipse(c, 2, 2);
        break;
      }
      const int turns = role == Pic::SW2 ? 0 : role == Pic::SW3 ? 1 : 2;  // right, down, left
      p.translate(c);
      p.rotate(90.0 * turns);
      const QPointF tri[3] = {QPointF(3.5, 0), QPointF(-2.5, -3), QPointF(-2.5, 3)};
      p.drawPolygon(tri, 3);
      break;
    }
  }
  return pm;
}

// The power rocker switch of the console.
QPixmap PowerSwitch(bool on) {
  QPixmap pm = Blank(QSize(35, 66));
  QPainter p(&pm);
  Smooth(p);
  p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
  p.setBrush(QColor(0x2A, 0x2A, 0x2A));
  p.drawRoundedRect(QRectF(1.5, 1.5, 32, 63), 5, 5);
  const QRectF rocker(5.5, 6.5, 24, 53);
  QLinearGradient g(rocker.topLeft(), rocker.bottomLeft());
  const QColor red(0xD0, 0x20, 0x20);
  if (on) {
    g.setColorAt(0, red.lighter(150));
    g.setColorAt(0.5, red);
    g.setColorAt(1, red.darker(180));
  } else {
    g.setColorAt(0, red.darker(200));
    g.setColorAt(0.5, red.darker(130));
    g.setColorAt(1, red.lighter(120));
  }
  p.setBrush(g);
  p.setPen(QPen(QColor(0x60, 0x10, 0x10), 1));
  p.drawRoundedRect(rocker, 3, 3);
  p.setPen(QPen(Qt::white, 2));
  p.drawLine(QPointF(17.5, 13), QPointF(17.5, 23));  // "I"
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(17.5, 46), 4.5, 4.5);  // "O"
  if (on) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xF0, 0x80));
    p.drawEllipse(QPointF(17.5, 31), 2.5, 2.5);
  }
  return pm;
}

// A round push button with a coloured cap; lit while the machine runs.
QPixmap PushButton(QSize size, const QColor& cap, bool lit, const char* text = nullptr) {
  QPixmap pm = Blank(size);
  QPainter p(&pm);
  Smooth(p);
  const QRectF outer(1.5, 1.5, size.width() - 3, size.height() - 3);
  p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
  p.setBrush(QColor(0x50, 0x54, 0x5A));
  p.drawRoundedRect(outer, 6, 6);
  const qreal d = std::min(size.width(), size.height()) - 9;
  const QPointF c(size.width() / 2.0, size.height() / 2.0);
  QRadialGradient g(c - QPointF(d * 0.2, d * 0.2), d * 0.8);
  g.setColorAt(0, lit ? QColor(255, 255, 255) : cap.lighter(150));
  g.setColorAt(0.4, lit ? cap.lighter(130) : cap);
  g.setColorAt(1, cap.darker(lit ? 110 : 170));
  p.setBrush(g);
  p.setPen(QPen(cap.darker(200), 1));
  p.drawEllipse(c, d / 2, d / 2);
  if (text) {
    p.setPen(Qt::white);
    p.setFont(StyleOf(Face::Small).font);
    p.drawText(outer, Qt::AlignCenter, text);
  }
  return pm;
}

}  // namespace

QPixmap PaintTemplate(Pic p) {
  using enum Pic;
  switch (p) {
    case RSWH:
      return Lever(QColor(0xE0, 0x20, 0x20), true);
    case RSWL:
      return Lever(QColor(0xE0, 0x20, 0x20), false);
    case GSWH:
      return Lever(QColor(0x20, 0xB0, 0x30), true);
    case GSWL:
      return Lever(QColor(0x20, 0xB0, 0x30), false);
    case BSWH:
      return Lever(QColor(0x20, 0x60, 0xE0), true);
    case BSWL:
      return Lever(QColor(0x20, 0x60, 0xE0), false);
    case LampRH:
      return Lamp(LampColor('R'), kLampLarge, true);
    case LampRL:
      return Lamp(LampColor('R'), kLampLarge, false);
    case LampGH:
      return Lamp(LampColor('G'), kLampLarge, true);
    case LampGL:
      return Lamp(LampColor('G'), kLampLarge, false);
    case LampYH:
      return Lamp(LampColor('Y'), kLampLarge, true);
    case LampYL:
      return Lamp(LampColor('Y'), kLampLarge, false);
    case LampRsH:
      return Lamp(LampColor('R'), kLampSmall, true);
    case LampRsL:
      return Lamp(LampColor('R'), kLampSmall, false);
    case LampGsH:
      return Lamp(LampColor('G'), kLampSmall, true);
    case LampGsL:
      return Lamp(LampColor('G'), kLampSmall, false);
    case LampYsH:
      return Lamp(LampColor('Y'), kLampSmall, true);
    case LampYsL:
      return Lamp(LampColor('Y'), kLampSmall, false);
    case LampRmH:
      return Lamp(LampColor('R'), kLampMedium, true);
    case LampRmL:
      return Lamp(LampColor('R'), kLampMedium, false);
    case LampGmH:
      return Lamp(LampColor('G'), kLampMedium, true);
    case LampGmL:
      return Lamp(LampColor('G'), kLampMedium, false);
    case Tx_lowlevel:
    case Tx_posedge:
    case Tx_negedge:
    case Tx_highlevel:
    case Tx_PowerOFF:
      return BeatLine(p);
    case TS0:
      return Phase(0);
    case TS1:
      return Phase(1);
    case TS2:
      return Phase(2);
    case TS3:
      return Phase(3);
    case TS4:
      return Phase(4);
    case TS5:
      return Phase(5);
    case TS6:
      return Phase(6);
    case ToBG1:
      return BusGate(QColor(0x20, 0xB0, 0x20), true, false);
    case ToBR1:
      return BusGate(QColor(0xD0, 0x20, 0x20), false, false);
    case ToBG3:
      return BusGate(QColor(0x20, 0xB0, 0x20), true, true);
    case ToBR0:
      return BusGate(QColor(0xD0, 0x20, 0x20), false, false);
    case To_PowerOff:
      return BusGate(QColor(0xA8, 0xA8, 0xA8), false, false);
    case SW0:
    case SW1:
    case SW2:
    case SW3:
    case SW4:
    case SWT:
    case SW_PowerOff:
      return Switch(p);
    case ENINTON:
      return Lamp(LampColor('Y'), kLampLarge, true);
    case ENINTOFF:
      return Lamp(LampColor('Y'), kLampLarge, false);
    case SpeedButton_PowerON:
      return PowerSwitch(true);
    case SpeedButton_PowerOFF:
      return PowerSwitch(false);
    case SpeedButtonQDON:
      return PushButton(QSize(30, 30), QColor(0x20, 0xA0, 0x30), true);
    case SpeedButtonQDOFF:
      return PushButton(QSize(30, 30), QColor(0x20, 0xA0, 0x30), false);
    default:
      return QPixmap();
  }
}

QPixmap PaintGlyph(Glyph g) {
  switch (g) {
    case Glyph::Clear:
      return PushButton(QSize(30, 60), QColor(0xE0, 0x60, 0x10), false);
    case Glyph::Pulse:
      return PushButton(QSize(30, 30), QColor(0xE0, 0xB0, 0x10), false);
    default: {
      QPixmap pm = Blank(QSize(20, 20));
      QPainter p(&pm);
      Smooth(p);
      p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1));
      p.setBrush(QColor(0xF4, 0xF4, 0xF4));
      p.drawRoundedRect(QRectF(0.5, 0.5, 19, 19), 3, 3);
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(0x20, 0x40, 0x90));
      const bool left = g == Glyph::BackLeft;
      const QPointF tri[3] = {QPointF(left ? 5 : 15, 10), QPointF(left ? 14 : 6, 4.5), QPointF(left ? 14 : 6, 15.5)};
      p.drawPolygon(tri, 3);
      return pm;
    }
  }
}

}  // namespace orrin::ui
