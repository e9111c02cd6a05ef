// The board picture (Panel0) and everything that sits on it.
#include <algorithm>

#include "base/signal_table.h"
#include "layout/board_geometry.h"
#include "layout/layout.h"

namespace orrin::layout {

using enum WidgetId;
using namespace board;

namespace {

void LampRow(Layout& l, const WidgetId (&bit7to0)[8], const Module& m) {
  for (int i = 0; i < 8; ++i) l.Place(bit7to0[i], RowLampX(m.r.x(), i), m.r.y() + kRowLampDy, kLampMedium, kLampMedium);
}

void MicroLamps(Layout& l, const WidgetId* ids, int n, const Module& m) {
  for (int i = 0; i < n; ++i) l.Place(ids[i], m.r.x() + 14 + kMicroLampPitch * i, m.r.y() + 20, kLampSmall, kLampSmall);
}

// The signal-source window above each control input jack, over its printed
// name, so the space below the jacks stays free for the wires coming up from
// the switch outputs. The jack positions are those of the board's jack table;
// the closest two are 25 pixels apart.
struct HandTag {
  WidgetId id;
  int jackX;
};
constexpr HandTag kRowTags[] = {
    {Label_Hand_RS1, 20},   {Label_Hand_RS0, 52},    {Label_Hand_RD1_1, 87},  {Label_Hand_RD0_1, 117},
    {Label_Hand_S3, 151},   {Label_Hand_S2, 183},    {Label_Hand_S1, 212},    {Label_Hand_S0, 240},
    {Label_Hand_M, 269},    {Label_Hand_ABUS, 373},  {Label_Hand_PCADD, 405}, {Label_Hand_SBUS, 443},
    {Label_Hand_STOP, 475}, {Label_Hand_DRW, 504},   {Label_Hand_PCINC, 536}, {Label_Hand_Cin, 569},
    {Label_Hand_LAR, 594},  {Label_Hand_LDC, 619},   {Label_Hand_LDZ, 645},   {Label_Hand_MBUS, 674},
    {Label_Hand_MEMW, 706}, {Label_Hand_ARINC, 740}, {Label_Hand_LPC, 771},
};
constexpr int kHandW = 31, kHandH = 12, kTagW = 24, kTagY = 381;
// The INTEN..LIR jacks stand in a column at x 810, 11 pixels apart; their
// windows stand to the left of them.
struct ColumnTag {
  WidgetId id;
  int jackY;
};
constexpr ColumnTag kColumnTags[] = {
    {Label_Hand_INTEN, 409}, {Label_Hand_INTDI, 420}, {Label_Hand_LIAR, 432},
    {Label_Hand_IABUS, 443}, {Label_Hand_LIR, 454},
};

}  // namespace

void LayoutBoard(Layout& l) {
  l.Place(Image_WireDraw, 0, 0, 856, 578);
  l.Place(Panel_SetCtl, 644, 10, 84, 97);
  l.Place(RadioButtonHdLine, 4, 26, 72, 17);
  l.Place(RadioButtonHandLine, 4, 50, 72, 17);
  l.Place(RadioButtonMicroProgram, 4, 74, 72, 17);
  l.Text(Panel_SetCtl, 4, 4, 76, 18, QT_TRANSLATE_NOOP("orrin", "控制器"), Face::Plain);

  // Hints that follow the mouse; the wire editor moves them.
  l.Place(Label_NowXY, 0, 0, 60, 14, Face::Hint);
  l.Place(Label_ThisHoleName, 0, 0, 80, 14, Face::HintTag);
  l.Place(Label_ThisHoleSign, 0, 0, 20, 14, Face::HintValue);

  LampRow(l, {Image_A7, Image_A6, Image_A5, Image_A4, Image_A3, Image_A2, Image_A1, Image_A0}, kA);
  LampRow(l, {Image_B7, Image_B6, Image_B5, Image_B4, Image_B3, Image_B2, Image_B1, Image_B0}, kB);
  LampRow(l, {Image_D7, Image_D6, Image_D5, Image_D4, Image_D3, Image_D2, Image_D1, Image_D0}, kD);
  LampRow(l, {Image_AR7, Image_AR6, Image_AR5, Image_AR4, Image_AR3, Image_AR2, Image_AR1, Image_AR0}, kAR);
  LampRow(l, {Image_PC7, Image_PC6, Image_PC5, Image_PC4, Image_PC3, Image_PC2, Image_PC1, Image_PC0}, kPC);
  LampRow(l, {Image_INS7, Image_INS6, Image_INS5, Image_INS4, Image_INS3, Image_INS2, Image_INS1, Image_INS0}, kINS);
  LampRow(l, {Image_IR7, Image_IR6, Image_IR5, Image_IR4, Image_IR3, Image_IR2, Image_IR1, Image_IR0}, kIR);
  l.Place(Image_Z, kFlags.r.x() + 40, kFlags.r.y() + 20, kLampLarge, kLampLarge);
  l.Place(Image_C, kFlags.r.x() + 112, kFlags.r.y() + 20, kLampLarge, kLampLarge);

  const WidgetId ua[] = {Image_uA5, Image_uA4, Image_uA3, Image_uA2, Image_uA1, Image_uA0};
  const WidgetId nua[] = {Image_NuA5, Image_NuA4, Image_NuA3, Image_NuA2, Image_NuA1, Image_NuA0};
  const WidgetId p[] = {Image_P4, Image_P3, Image_P2, Image_P1, Image_P0};
  MicroLamps(l, ua, 6, kUA);
  MicroLamps(l, nua, 6, kNuA);
  MicroLamps(l, p, 5, kP);
  const WidgetId sel[] = {Image_SEL3, Image_SEL2, Image_SEL1, Image_SEL0};
  for (int i = 0; i < 4; ++i) l.Place(sel[i], kSel.r.x() + 14 + 50 * i, kSel.r.y() + 20, kLampSmall, kLampSmall);
  l.Place(Label_Hand_RD1_2, kSel.r.x() + 28, kSel.r.y() + 19, kHandW, kHandH, Face::Hand);
  l.Place(Label_Hand_RD0_2, kSel.r.x() + 78, kSel.r.y() + 19, kHandW, kHandH, Face::Hand);
  l.Place(Image_SELCTL, kSel.r.x() + 214, kSel.r.y() + 18, kLampLarge, kLampLarge);

  const WidgetId beats[] = {Image_T1_OUT, Image_T2_OUT, Image_T3_OUT};
  for (int i = 0; i < 3; ++i)
    l.Place(beats[i], kBeat.r.x() + 52, kBeat.r.y() + 30 + 34 * i, kBeatSize.width(), kBeatSize.height());

  // The 24 control-signal lamps, in the board's groups of four.
  for (int k = 0; k < kSignalLampCount; ++k)
    l.Place(kSignalInfo[kSignalLampRow[static_cast<size_t>(k)]].lampWidget, SignalLampCenterX(k) - kLampSmall / 2,
            kSignalLampY, kLampSmall, kLampSmall);

  // Centred over their jacks, except LPC's, the last: kept inside the box.
  const int rowEnd = kInputs.r.right() - 2;
  for (const HandTag& t : kRowTags)
    l.Place(t.id, std::min(t.jackX - kTagW / 2, rowEnd - kTagW), kTagY, kTagW, kHandH, Face::Hand);
  for (const ColumnTag& t : kColumnTags) l.Place(t.id, kIntInputs.r.x() + 2, t.jackY - 5, 20, 11, Face::Hand);
}

}  // namespace orrin::layout
