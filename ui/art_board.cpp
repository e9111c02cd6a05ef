// The clean board picture (Image1_ori): module outlines and captions, the
// printed names of the lamps, and the 76 jacks with their names.
#include <algorithm>

#include "base/canvas.h"
#include "base/signal_table.h"
#include "layout/board_geometry.h"
#include "ui/art_common.h"
#include "ui/artwork.h"
#include "ui/fonts.h"
#include "ui/layout.h"
#include "ui/translate.h"

namespace orrin::ui {

using namespace board;
using art::Print;

namespace {

QFont JackFont() { return PrintFont(10, true); }

void Jack(QPainter& p, const JackPrint& j) {
  const QColor ring = j.name == "GND" ? ink::kGroundJack : j.output ? ink::kOutputJack : ink::kInputJack;
  p.save();
  p.setPen(QPen(ring.darker(150), 1));
  p.setBrush(ring);
  p.drawEllipse(QPointF(j.x + 0.5, j.y + 0.5), 5.2, 5.2);
  p.setBrush(QColor(0x18, 0x18, 0x18));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(j.x + 0.5, j.y + 0.5), 2.4, 2.4);
  p.restore();
}

// Where a jack's name is printed: most rows above the jack; the lower row of
// level switches below it; the INTEN column to its right; the four IR
// outputs, 22 pixels apart, alternately above and below.
QRect NameRect(const JackPrint& j, int index) {
  const int w = 40, h = 11;
  if (j.x == 810 && j.y >= 405 && j.y <= 458) return QRect(817, j.y - 6, 36, h);
  if (j.y == 541) return QRect(j.x - w / 2, j.y + 7, w, h);
  if (j.y == 339) return (index % 2 == 0) ? QRect(j.x - w / 2, j.y - 18, w, h) : QRect(j.x - w / 2, j.y + 7, w, h);
  QRect r(j.x - w / 2, j.y - 18, w, h);
  // LPC, the last of the input row, is printed inside the row's box.
  if (Q(kInputs.r).contains(j.x, j.y)) r.setRight(std::min(r.right(), kInputs.r.right() - 3));
  return r;
}

void Jacks(QPainter& p, const std::vector<JackPrint>& jacks) {
  int irIndex = 0;
  for (const JackPrint& j : jacks) {
    Jack(p, j);
    const QRect r = NameRect(j, j.y == 339 ? irIndex++ : 0);
    p.save();
    p.setFont(JackFont());
    p.setPen(j.output ? QColor(0x90, 0x10, 0x10) : QColor(0x10, 0x2A, 0x70));
    const Qt::Alignment align = r.x() == 817 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter;
    p.drawText(r, static_cast<int>(align), QString::fromStdString(j.name));
    p.restore();
  }
}

void BitNumbers(QPainter& p, const Module& m) {
  for (int i = 0; i < 8; ++i)
    Print(p, QRect(RowLampX(m.r.x(), i) - 2, m.r.y() + kRowLampDy + 13, 16, 11), QString::number(7 - i), Face::Small,
          Qt::AlignCenter);
}

void LampRows(QPainter& p) {
  for (const Module* m : {&kA, &kB, &kD, &kAR, &kPC, &kINS, &kIR}) {
    art::ModuleBox(p, Q(m->r), m->caption);
    BitNumbers(p, *m);
  }
  art::ModuleBox(p, Q(kFlags.r), QT_TRANSLATE_NOOP("orrin", "标志"));
  Print(p, QRect(kFlags.r.x() + 16, kFlags.r.y() + 20, 22, 16), "Z", Face::Plain, Qt::AlignRight | Qt::AlignVCenter);
  Print(p, QRect(kFlags.r.x() + 88, kFlags.r.y() + 20, 22, 16), "C", Face::Plain, Qt::AlignRight | Qt::AlignVCenter);
}

void MicroLampNames(QPainter& p, const Module& m, std::initializer_list<const char*> names) {
  art::ModuleBox(p, Q(m.r), m.caption);
  int i = 0;
  for (const char* n : names) {
    Print(p, QRect(m.r.x() + 14 + kMicroLampPitch * i - 4, m.r.y() + 33, 19, 11), n, Face::Small, Qt::AlignCenter);
    ++i;
  }
}

void Controller(QPainter& p) {
  MicroLampNames(p, kUA, {"5", "4", "3", "2", "1", "0"});
  MicroLampNames(p, kNuA, {"5", "4", "3", "2", "1", "0"});
  MicroLampNames(p, kP, {"4", "3", "2", "1", "0"});
  art::ModuleBox(p, Q(kSel.r), kSel.caption);
  static const char* const kSel[4] = {"SEL3", "SEL2", "SEL1", "SEL0"};
  static const char* const kReg[4] = {"RD1", "RD0", "RS1", "RS0"};
  for (int i = 0; i < 4; ++i) {
    const int x = board::kSel.r.x() + 14 + 50 * i;
    Print(p, QRect(x - 10, board::kSel.r.y() + 33, 32, 10), kSel[i], Face::Small, Qt::AlignCenter);
    Print(p, QRect(x - 10, board::kSel.r.y() + 42, 32, 10), kReg[i], Face::Small, Qt::AlignCenter);
  }
  Print(p, QRect(board::kSel.r.x() + 196, board::kSel.r.y() + 36, 52, 12), "SELCTL", Face::Small, Qt::AlignCenter);

  art::ModuleBox(p, Q(kBeat.r), kBeat.caption);
  static const char* const kBeats[3] = {"T1", "T2", "T3"};
  for (int i = 0; i < 3; ++i)
    Print(p, QRect(kBeat.r.x() + 10, kBeat.r.y() + 28 + 34 * i, 36, 18), kBeats[i], Face::Plain,
          Qt::AlignRight | Qt::AlignVCenter);
}

void Signals(QPainter& p) {
  art::ModuleBox(p, Q(kSignals.r), kSignals.caption);
  for (int k = 0; k < kSignalLampCount; ++k)
    Print(p, QRect(SignalLampCenterX(k) - 16, kSignalLampY + 13, 32, 13),
          kSigNames[kSignalLampRow[static_cast<size_t>(k)]], Face::Small, Qt::AlignCenter);
  // Group rules under each set of four.
  p.save();
  p.setPen(QPen(ink::kModuleLine, 1));
  for (int g = 0; g < 6; ++g) {
    const int x0 = SignalLampCenterX(4 * g) - 12, x1 = SignalLampCenterX(4 * g + 3) + 12;
    p.drawLine(x0, kSignalLampY + 27, x1, kSignalLampY + 27);
  }
  p.restore();
}

void Texts(QPainter& p) {
  art::ModuleBox(p, Q(kLogo.r), nullptr, QColor(0x1E, 0x3A, 0x6E));
  QFont big = StyleOf(Face::Plain).font;
  big.setPixelSize(28);
  big.setBold(true);
  p.setFont(big);
  p.setPen(Qt::white);
  p.drawText(Q(kLogo.r).adjusted(12, 4, -8, -26), Qt::AlignLeft | Qt::AlignVCenter, "Orrin");
  Print(p, Q(kLogo.r).adjusted(120, 8, -6, -30), QT_TRANSLATE_NOOP("orrin", "8 位教学计算机"), Face::Plain,
        Qt::AlignLeft | Qt::AlignVCenter);
  p.setPen(QColor(0xC8, 0xD8, 0xF0));
  p.setFont(StyleOf(Face::Plain).font);
  p.drawText(Q(kLogo.r).adjusted(12, 40, -6, -6), Qt::AlignLeft | Qt::AlignVCenter,
             Tr(QT_TRANSLATE_NOOP("orrin", "计算机组成原理实验系统")));
  p.setPen(Qt::white);

  art::ModuleBox(p, Q(kLegend.r), kLegend.caption);
  const QRect lr = Q(kLegend.r);
  Jack(p, {"", lr.x() + 16, lr.y() + 30, true});
  Print(p, QRect(lr.x() + 26, lr.y() + 23, 80, 14), QT_TRANSLATE_NOOP("orrin", "输出插孔"), Face::Small,
        Qt::AlignLeft | Qt::AlignVCenter);
  Jack(p, {"", lr.x() + 16, lr.y() + 52, false});
  Print(p, QRect(lr.x() + 26, lr.y() + 45, 80, 14), QT_TRANSLATE_NOOP("orrin", "输入插孔"), Face::Small,
        Qt::AlignLeft | Qt::AlignVCenter);

  art::ModuleBox(p, Q(kHint.r), kHint.caption);
  const QRect hr = Q(kHint.r).adjusted(10, 16, -8, -2);
  Print(p, hr,
        QT_TRANSLATE_NOOP("orrin",
                          "在电源关闭时连线：单击一个插孔开始，在空白处单击留下折点，单击另一类插孔完成。\n"
                          "两孔之间再连一次即删除这根线；画线途中单击右键放弃。线总是从输出插孔连到输入插孔。"),
        Face::Small, Qt::AlignLeft | Qt::AlignTop);
}

}  // namespace

QImage PaintBoard(const std::vector<JackPrint>& jacks) {
  QImage img(Canvas::Width, Canvas::Height, QImage::Format_RGBX8888);
  img.fill(ink::kBoard);
  QPainter p(&img);
  art::Smooth(p);
  p.setPen(QPen(QColor(0xB0, 0xB8, 0xC4), 1));
  p.drawRect(QRectF(0.5, 0.5, Canvas::Width - 1, Canvas::Height - 1));
  LampRows(p);
  Controller(p);
  Signals(p);
  Texts(p);
  art::ModuleBox(p, Q(kTestJacks.r), kTestJacks.caption);
  art::ModuleBox(p, Q(kIrOut.r), nullptr);
  Print(p, QRect(kIrOut.r.x() + 4, kIrOut.r.y() + 6, 46, 40), Tr(QT_TRANSLATE_NOOP("orrin", "IR7-IR4\n输出")),
        Face::Small, Qt::AlignCenter);
  art::ModuleBox(p, Q(kInputs.r), kInputs.caption);
  art::ModuleBox(p, Q(kIntInputs.r), nullptr);
  art::ModuleBox(p, Q(kPowerL.r), kPowerL.caption);
  art::ModuleBox(p, Q(kLevels.r), kLevels.caption);
  art::ModuleBox(p, Q(kPowerR.r), kPowerR.caption);
  Jacks(p, jacks);
  return img;
}

}  // namespace orrin::ui
