// The microprogram controller drawing behind the lower part of Panel3
// (Image10_Micro_ori, and Image10_Hand_ori greyed for the independent mode,
// where these signals do not reach the datapath).
#include <QPainterPath>

#include "base/machine_state.h"
#include "layout/micro_geometry.h"
#include "ui/art_common.h"
#include "ui/artwork.h"
#include "ui/fonts.h"
#include "ui/layout.h"
#include "ui/translate.h"

namespace orrin::ui {

using namespace micro;
using art::Arrow;
using art::Wire;

namespace {

// Positions are given in Panel3 coordinates; the picture starts at Q(kMicroOrigin).
QPointF P(qreal x, qreal y) { return QPointF(x - kMicroOrigin.x(), y - kMicroOrigin.y()); }

void MicroWord(QPainter& p, const QColor& line) {
  // Shading per group of four bits, and the names written upwards.
  for (int g = 0; g < 10; ++g) {
    const QRectF band(MicroBitX(4 * g) - 2, kBitNamesY - kMicroOrigin.y() - 2, 4 * 14 + 1, 88);
    p.fillRect(band, g % 2 ? QColor(0xEE, 0xF3, 0xFA) : QColor(0xF8, 0xFA, 0xFD));
  }
  p.save();
  p.setFont(PrintFont(9, true));
  p.setPen(ink::kTitle);
  for (int k = 0; k < 40; ++k) {
    p.save();
    p.translate(MicroBitX(k) + kBitW / 2.0 + 4.5, kBitValuesY - kMicroOrigin.y() - 3);
    p.rotate(-90);
    p.drawText(QRectF(0, -9, 44, 11), Qt::AlignLeft | Qt::AlignVCenter, kMicrowordBitNames[k]);
    p.restore();
  }
  p.restore();
  p.save();
  p.setPen(QPen(line, 1.4));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(MicroBitX(0) - 3.5, kBitValuesY - kMicroOrigin.y() - 3.5, MicroBitX(39) + kBitW - MicroBitX(0) + 7,
                    kBitDigitsY - kBitValuesY + 22));
  p.restore();
  // The store outputs the word at μAR into the register above it.
  Arrow(p, P(390, 724), P(390, kBitDigitsY + 19), line, 2);
  Arrow(p, P(kUarX + 11.5, kUarY), P(kUarX + 11.5, 865), line, 2);
}

void AndGate(QPainter& p, QPointF at, const QColor& line) {
  // A small AND symbol: flat back, round front, 16 x 12.
  QPainterPath g;
  g.moveTo(at + QPointF(0, -6));
  g.lineTo(at + QPointF(8, -6));
  g.arcTo(QRectF(at + QPointF(2, -6), QSizeF(12, 12)), 90, -180);
  g.lineTo(at + QPointF(0, 6));
  g.closeSubpath();
  p.save();
  p.setPen(QPen(line, 1.1));
  p.setBrush(Qt::white);
  p.drawPath(g);
  p.restore();
}

void NextAddress(QPainter& p, const QColor& line) {
  const int termRows[10] = {kRowBit4,
                            kRowBit3,
                            kRowBit3 + kRowPitch,
                            kRowBit2,
                            kRowBit2 + kRowPitch,
                            kRowBit1,
                            kRowBit1 + kRowPitch,
                            kRowBit0,
                            kRowBit0 + kRowPitch,
                            kRowBit0 + 2 * kRowPitch};
  for (int y : termRows) {
    const qreal cy = y + 7;
    AndGate(p, P(kAndX, cy), line);
    art::Line(p, P(kIn2X + 14, cy), P(kAndX, cy), line, 1);
    Arrow(p, P(kAndX + 14, cy), P(kTermX - 1, cy), line, 1, 4);
  }
  // Each bit's terms meet in an OR with the base address bit NuA.
  const int rows[6] = {kRowBit5, kRowBit4, kRowBit3 + 7, kRowBit2 + 7, kRowBit1 + 7, kRowBit0 + 7};
  for (int i = 0; i < 6; ++i) {
    const qreal cy = rows[i] + 7;
    Arrow(p, P(kNuaX + 31, cy), P(kOkX - 1, cy), line, 1, 4);
    // μA bit i of the next address goes up to its gate into μAR.
    const qreal gx = UaLampX(i) + 7;
    Wire(p, {P(kOkX + 14, cy), P(gx, cy)}, line, 1.1);
    Arrow(p, P(gx, cy), P(gx, kGateRowY + 14), line, 1.1, 4);
  }
  for (int y : {kRowBit3, kRowBit2, kRowBit1}) {
    Wire(p, {P(kTermX + 14, y + 7), P(kOrX - 6, y + 7), P(kOrX - 1, y + 14)}, line, 1);
    Wire(p, {P(kTermX + 14, y + kRowPitch + 7), P(kOrX - 6, y + kRowPitch + 7), P(kOrX - 1, y + 14)}, line, 1);
    Arrow(p, P(kOrX + 14, y + 14), P(kNuaX - 36, y + 14), line, 1, 4);
  }
  Arrow(p, P(kTermX + 14, kRowBit4 + 7), P(kNuaX - 36, kRowBit4 + 7), line, 1, 4);
  Wire(p, {P(kTermX + 14, kRowBit0 + 7), P(kOrX - 6, kRowBit0 + 7), P(kOrX - 1, kRowBit0 + 14)}, line, 1);
  Wire(p, {P(kTermX + 14, kRowBit0 + 22), P(kOrX - 6, kRowBit0 + 22), P(kOrX - 1, kRowBit0 + 14)}, line, 1);
  Arrow(p, P(kTermX + 14, kRowBit0 + 37), P(kNuaX + 37, kRowBit0 + 37), line, 1, 4);
}

void Boxes(QPainter& p, const QColor& line) {
  p.save();
  p.setPen(QPen(line, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(P(684.5, 786.5), QSizeF(300, 98)), 4, 4);
  p.drawRoundedRect(QRectF(P(684.5, 894.5), QSizeF(300, 62)), 4, 4);
  p.drawRoundedRect(QRectF(P(474.5, 924.5), QSizeF(130, 110)), 4, 4);
  p.drawRoundedRect(QRectF(P(2.5, 1140.5), QSizeF(400, 72)), 4, 4);
  p.restore();
  Arrow(p, P(834, 821), P(848, 829), line, 1, 4);
  Arrow(p, P(834, 845), P(848, 837), line, 1, 4);
}

// The microword format, as a reference card.
void FormatCard(QPainter& p) {
  const QRect card = QRect(P(684, 966).toPoint(), QSize(300, 238));
  art::ModuleBox(p, card, QT_TRANSLATE_NOOP("orrin", "微指令格式 (40 位)"));
  static const char* const kRows[] = {
      "M39 PCADD    PC ← PC + IR3-0",
      QT_TRANSLATE_NOOP("orrin", "M38 SELCTL   1: RD/RS 取 SEL3-0"),
      "M37-34 SEL3-0",
      "M33 INTEN  M32 INTDI  M31 LIAR",
      "M30 IABUS  M29 MBUS  M28 SBUS",
      "M27 ABUS   M26 M   M25-22 S3-S0",
      "M21 CIN  M20 LDC  M19 LDZ",
      "M18 LIR  M17 STOP  M16 MEMW",
      "M15 LAR  M14 ARINC  M13 LPC",
      "M12 PCINC  M11 DRW",
      QT_TRANSLATE_NOOP("orrin", "M10-6 P4-P0 判别位"),
      QT_TRANSLATE_NOOP("orrin", "M5-0 NuA5-NuA0 下址"),
  };
  int y = card.y() + 22;
  for (const char* row : kRows) {
    art::Print(p, QRect(card.x() + 10, y, card.width() - 16, 17), row, Face::Small, Qt::AlignLeft | Qt::AlignVCenter);
    y += 17;
  }
}

}  // namespace

QPixmap PaintController(bool independent) {
  QPixmap pm(Q(kMicroSize));
  pm.fill(independent ? QColor(0xF4, 0xF4, 0xF2) : Qt::white);
  QPainter p(&pm);
  art::Smooth(p);
  const QColor line = independent ? ink::kMuted : ink::kLine;
  MicroWord(p, line);
  NextAddress(p, line);
  Boxes(p, line);
  FormatCard(p);
  art::PrintCaptions(p, WidgetId::Image10, Q(kMicroOrigin));
  if (independent) {
    QFont f = StyleOf(Face::Plain).font;
    f.setPixelSize(13);
    p.setFont(f);
    p.setPen(QColor(0xB0, 0x80, 0x00));
    p.drawText(QRect(P(410, 1140).toPoint(), QSize(270, 60)), Qt::AlignCenter | Qt::TextWordWrap,
               Tr(QT_TRANSLATE_NOOP("orrin", "独立方式：控制信号来自插孔，\n微程序控制器照常运行但不驱动数据通路")));
  }
  return pm;
}

}  // namespace orrin::ui
