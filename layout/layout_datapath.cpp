// The upper part of Panel3: ALU and flags, register file, memory, AR, PC,
// IR, IAR and the data bus, over the datapath drawing (Image2).
#include "layout/datapath_geometry.h"
#include "layout/layout.h"

namespace orrin::layout {

using enum WidgetId;
using namespace datapath;

namespace {
constexpr int kBit = 14, kHexW = 22, kHexH = 15;

void Bit(Layout& l, WidgetId id, int x, int y) { l.Place(id, x, y, kBit, kBit, Face::Bit); }
void Hex(Layout& l, WidgetId id, int x, int y) { l.Place(id, x, y, kHexW, kHexH, Face::Hex); }
void Gate(Layout& l, WidgetId id, int x, int y) { l.Place(id, x, y, kSwitchSize.width(), kSwitchSize.height()); }
void BusGate(Layout& l, WidgetId id, int x) {
  l.Place(id, x, kBusY - 3 - kGateSize.height(), kGateSize.width(), kGateSize.height());
}
void Beat(Layout& l, WidgetId id, int x, int y) { l.Place(id, x, y, kBeatSize.width(), kBeatSize.height()); }
// A printed caption on the datapath drawing.
void Print(Layout& l, int x, int y, int w, const char* text, Face face = Face::Small) {
  l.Text(Image2, x, y, w, 14, text, face);
}
void Lamps(Layout& l, const WidgetId (&bit7to0)[8], int left, int y) {
  for (int i = 0; i < 8; ++i) l.Place(bit7to0[i], RowX(left, i), y, kLampMedium, kLampMedium);
}

void Alu(Layout& l) {
  Print(l, 4, 2, 120, QT_TRANSLATE_NOOP("orrin", "运算器与标志"), Face::Plain);
  l.Place(Edit_Z, 208, 40, 17, 23, Face::Field);
  l.Place(Edit_C, 234, 40, 17, 23, Face::Field);
  Print(l, 208, 25, 17, "Z");
  Print(l, 234, 25, 17, "C");
  l.Place(Image_P3_Z, 188, 44, kLampLarge, kLampLarge);
  l.Place(Image_P3_C, 255, 44, kLampLarge, kLampLarge);
  Beat(l, Image_P3_T3_ALU, 140, 45);
  Print(l, 120, 45, 18, "T3");
  Gate(l, Image_SW_LDZ, 209, 68);
  Gate(l, Image_SW_LDC, 236, 68);
  Bit(l, Label_LDZ, 188, 68);
  Print(l, 160, 68, 26, "LDZ");
  Bit(l, Label_LDC, 253, 68);
  Print(l, 269, 68, 26, "LDC");
  Bit(l, Label_181Zero, 196, 90);
  Print(l, 166, 90, 28, "F=0");
  Bit(l, Label_181Cn4, 248, 90);
  Print(l, 264, 90, 28, "Cn4");
  Hex(l, Label_181F, 342, 90);
  Print(l, 366, 90, 40, QT_TRANSLATE_NOOP("orrin", "F 输出"));

  Print(l, 226, 118, 100, "74LS181 × 2");
  l.Place(Label_181formula, 176, 138, 200, 16, Face::Wide);
  Hex(l, Label_181A, 146, 184);
  Hex(l, Label_181B, 386, 184);
  const WidgetId fn[6] = {Label_S3, Label_S2, Label_S1, Label_S0, Label_M, Label_Cin};
  static const char* const kFnNames[6] = {"S3", "S2", "S1", "S0", "M", "CIN"};
  for (int i = 0; i < 6; ++i) {
    Bit(l, fn[i], 66, 118 + 15 * i);
    Print(l, 36, 118 + 15 * i, 28, kFnNames[i]);
  }

  // F reaches the bus through the ABUS gate at the far left.
  BusGate(l, Image_SW_ABUS, 3);
  Bit(l, Label_ABUS, 20, 482);
  Print(l, 36, 482, 34, "ABUS");

  Gate(l, Image_SW_Ain, kAluAX - 7, 220);
  Gate(l, Image_SW_Bin, kAluBX - 7, 220);
  Lamps(l, {Image_P3_A7, Image_P3_A6, Image_P3_A5, Image_P3_A4, Image_P3_A3, Image_P3_A2, Image_P3_A1, Image_P3_A0},
        104, 268);
  Lamps(l, {Image_P3_B7, Image_P3_B6, Image_P3_B5, Image_P3_B4, Image_P3_B3, Image_P3_B2, Image_P3_B1, Image_P3_B0},
        298, 268);
  Print(l, 104, 282, 60, QT_TRANSLATE_NOOP("orrin", "A 端口"));
  Print(l, 298, 282, 60, QT_TRANSLATE_NOOP("orrin", "B 端口"));
  Hex(l, Label_ChoiceANum, 222, 266);
  Hex(l, Label_ChoiceBNum, 270, 266);
}

void RegisterFile(Layout& l) {
  Print(l, 22, 378, 80, QT_TRANSLATE_NOOP("orrin", "寄存器堆"), Face::Plain);
  const WidgetId field[4] = {Edit_R0, Edit_R1, Edit_R2, Edit_R3};
  const WidgetId out[4] = {Image_SW_R0OUT, Image_SW_R1OUT, Image_SW_R2OUT, Image_SW_R3OUT};
  const WidgetId selA[4] = {Image_SW_SEL_A0, Image_SW_SEL_A1, Image_SW_SEL_A2, Image_SW_SEL_A3};
  const WidgetId selB[4] = {Image_SW_SEL_B0, Image_SW_SEL_B1, Image_SW_SEL_B2, Image_SW_SEL_B3};
  const WidgetId load[4] = {Image_SW_LR0, Image_SW_LR1, Image_SW_LR2, Image_SW_LR3};
  const WidgetId lr[4] = {Label_LR0_1, Label_LR1_1, Label_LR2_1, Label_LR3_1};
  const WidgetId drw[4] = {Label_DRW_1, Label_DRW_2, Label_DRW_3, Label_DRW_4};
  const WidgetId before[4] = {Label_P3_R0_1, Label_P3_R1_1, Label_P3_R2_1, Label_P3_R3_1};
  const WidgetId before2[4] = {Label_P3_R0_2, Label_P3_R1_2, Label_P3_R2_2, Label_P3_R3_2};
  const WidgetId t3[4] = {Image_P3_T3_R0, Image_P3_T3_R1, Image_P3_T3_R2, Image_P3_T3_R3};
  static const char* const kNames[4] = {"R0", "R1", "R2", "R3"};
  static const char* const kLoads[4] = {"LR0", "LR1", "LR2", "LR3"};
  for (int n = 0; n < 4; ++n) {
    const int x = kRegX[n], cx = RegCX(n);
    l.Place(field[n], x, kRegY, 23, 23, Face::Field);
    Print(l, x - 20, kRegY + 4, 18, kNames[n], Face::Plain);
    Gate(l, out[n], cx - 7, 344);
    Hex(l, before2[n], cx + 9, 343);
    Gate(l, selA[n], cx - 7, kSelAY - 7);
    Gate(l, selB[n], cx - 7, kSelBY - 7);
    Hex(l, before[n], x + 26, kRegY + 4);
    Gate(l, load[n], cx - 7, 396);
    Bit(l, lr[n], cx + 9, 396);
    Print(l, cx + 25, 396, 26, kLoads[n]);
    Bit(l, drw[n], cx + 9, 412);
    Print(l, cx + 25, 412, 30, "DRW");
    Beat(l, t3[n], cx + 9, 440);
    Print(l, cx + 45, 440, 16, "T3");
  }
  // Selects of the two ports, at the ends of their lines.
  Bit(l, Label_RD1_1, 44, kSelAY - 7);
  Print(l, 20, kSelAY - 7, 24, "RD1");
  Bit(l, Label_RD0_1, 44, kSelAY + 9);
  Print(l, 20, kSelAY + 9, 24, "RD0");
  Bit(l, Label_RS1, 446, 306);
  Print(l, 462, 306, 26, "RS1");
  Bit(l, Label_RS0, 446, 322);
  Print(l, 462, 322, 26, "RS0");
  // The write decoder: RD1 RD0 in, one load line per register out.
  Print(l, 30, 400, 60, QT_TRANSLATE_NOOP("orrin", "2-4 译码"));
  Bit(l, Label_RD1_2, 22, 418);
  Print(l, 38, 418, 24, "RD1");
  Bit(l, Label_RD0_2, 22, 434);
  Print(l, 38, 434, 24, "RD0");
  const WidgetId lr2[4] = {Label_LR0_2, Label_LR1_2, Label_LR2_2, Label_LR3_2};
  for (int n = 0; n < 4; ++n) {
    Print(l, 64, 414 + 14 * n, 22, kLoads[n]);
    l.Place(lr2[n], 88, 414 + 14 * n, 12, 13, Face::Bit);
  }
}

void Memory(Layout& l) {
  Print(l, kGridL, 48, 300, QT_TRANSLATE_NOOP("orrin", "存储器  RAM 256×8  (双端口)"), Face::Plain);
  Print(l, 862, 48, 90, QT_TRANSLATE_NOOP("orrin", "内存列表"), Face::Plain);
  l.Place(StringGrid_MEM, kGridL, kGridT, 364, 244);
  l.Place(Button_GridToMEM, 454, 276, 40, 25);
  l.Place(ListBox_MEM, 862, 66, 90, 469);

  Print(l, 442, 84, 24, "T2");
  Beat(l, Image_P3_T2_MEM, 442, 100);
  Print(l, 442, 124, 40, "MEMW");
  Gate(l, Image_SW_MEMW, 442, 140);
  Bit(l, Label_MEMW, 460, 140);
  Print(l, 442, 164, 40, "MBUS");
  Bit(l, Label_MBUS, 460, 180);
  l.Place(Label_MEMannounce, 428, 232, 66, 14, Face::Warn);

  Gate(l, Image_SW_MEMOR, kDataPortX - 7, 318);
  Hex(l, Label_MEMLONum, kDataPortX + 8, 318);
  BusGate(l, Image_SW_MBUS, kDataPortX - 7);
  Print(l, kDataPortX - 42, 482, 34, "MBUS");

  // The instruction port feeds IR through the instruction bus.
  Lamps(l,
        {Image_P3_INS7, Image_P3_INS6, Image_P3_INS5, Image_P3_INS4, Image_P3_INS3, Image_P3_INS2, Image_P3_INS1,
         Image_P3_INS0},
        736, 318);
  Print(l, 736, 332, 30, "INS");
  Hex(l, Label_INSBUSNum1, 768, 332);
  Hex(l, Label_INSBUSNum2, 812, 425);
}

void AddressRegisters(Layout& l) {
  // AR
  l.Place(Edit_AR, kArX, kArY, 23, 23, Face::Field);
  Print(l, kArX - 24, kArY + 4, 22, "AR", Face::Plain);
  Gate(l, Image_SW_AROUT, kArX + 4, 322);
  l.Place(Label_ARAdd1, kArX + 26, kArY + 4, 18, 14, Face::Warn);
  Lamps(
      l,
      {Image_P3_AR7, Image_P3_AR6, Image_P3_AR5, Image_P3_AR4, Image_P3_AR3, Image_P3_AR2, Image_P3_AR1, Image_P3_AR0},
      546, 372);
  Gate(l, Image_SW_LAR, kArX + 4, 392);
  Bit(l, Label_LAR, kArX - 18, 392);
  Print(l, kArX - 52, 392, 32, "LAR");
  Bit(l, Label_ARINC, kArX - 18, 408);
  Print(l, kArX - 58, 408, 38, "ARINC");
  Beat(l, Image_P3_T3_AR, kArX + 22, 392);
  Print(l, kArX + 58, 392, 16, "T3");
  l.Place(Label_ARannounce, kArX + 22, 410, 66, 14, Face::Warn);

  // PC
  l.Place(Edit_PC, kPcX, kPcY, 23, 23, Face::Field);
  Print(l, kPcX - 22, kPcY + 4, 20, "PC", Face::Plain);
  Gate(l, Image_SW_PCOUT, kPcX + 4, 322);
  Hex(l, Label_P3_PC, kPcX + 22, 321);
  l.Place(Label_PCAdd1, kPcX + 26, kPcY + 4, 18, 14, Face::Warn);
  Lamps(
      l,
      {Image_P3_PC7, Image_P3_PC6, Image_P3_PC5, Image_P3_PC4, Image_P3_PC3, Image_P3_PC2, Image_P3_PC1, Image_P3_PC0},
      662, 372);
  Gate(l, Image_SW_LPC, kPcX + 4, 392);
  Bit(l, Label_LPC, kPcX + 22, 392);
  Print(l, kPcX + 38, 392, 30, "LPC");
  Bit(l, Label_PCINC, kPcX + 22, 408);
  Print(l, kPcX + 38, 408, 36, "PCINC");
  Gate(l, Image_SW_PCADD, kPcX + 4, 424);
  Bit(l, Label_PCADD, kPcX + 22, 424);
  Print(l, kPcX + 38, 424, 36, "PCADD");
  Beat(l, Image_P3_T3_PC, kPcX + 78, 392);
  Print(l, kPcX + 114, 392, 16, "T3");
  l.Place(Label_PCannounce, 738, 354, 92, 14, Face::Warn);

  // IAR: loads PC, drives the bus through IABUS.
  l.Place(Edit_IAR, kIarX, kIarY, 23, 23, Face::Field);
  Print(l, kIarX - 26, kIarY + 4, 24, "IAR", Face::Plain);
  Gate(l, Image_SW_LIAR, kIarX + 4, kIarY - 18);
  Bit(l, Label_LIAR, kIarX - 14, kIarY - 18);
  Print(l, kIarX - 46, kIarY - 18, 30, "LIAR");
  Print(l, kIarX + 60, kIarY - 27, 18, "PC");
  BusGate(l, Image_SW_IABUS, kIarX + 4);
  Bit(l, Label_IABUS, kIarX - 14, 482);
  Print(l, kIarX - 52, 482, 36, "IABUS");
  Beat(l, Image_P3_T3_IAR, kIarX - 64, kIarY + 4);

  // IR: loads the instruction bus; its outputs go to the controller.
  l.Place(Edit_IR, kIrX, kIrY, 23, 23, Face::Field);
  Print(l, kIrX - 20, kIrY + 4, 18, "IR", Face::Plain);
  Gate(l, Image_SW_LIR, 768, kInsTurnY - 7);
  Bit(l, Label_LIR, 786, kInsTurnY + 6);
  Print(l, 802, kInsTurnY + 6, 24, "LIR");
  Beat(l, Image_P3_T3_IR, 786, kInsTurnY + 22);
  Print(l, 822, kInsTurnY + 22, 16, "T3");
  Bit(l, Label_P3_IR30, kIrX + 28, kIrY + 4);
  const WidgetId irOut[4] = {Image_SW_IROUT1, Image_SW_IROUT2, Image_SW_IROUT3, Image_SW_IROUT4};
  for (int i = 0; i < 4; ++i) Gate(l, irOut[i], 684 + 15 * i, 478);
  Lamps(
      l,
      {Image_P3_IR7, Image_P3_IR6, Image_P3_IR5, Image_P3_IR4, Image_P3_IR3, Image_P3_IR2, Image_P3_IR1, Image_P3_IR0},
      744, 480);
}

void Bus(Layout& l) {
  // Under the bus line, where no register line runs.
  Print(l, 14, 509, 110, QT_TRANSLATE_NOOP("orrin", "DBUS 数据总线"), Face::Plain);
  l.Place(Label_DBUSNum2, 166, 482, 118, 15, Face::Wide);
  Lamps(l, {Image_P3_D7, Image_P3_D6, Image_P3_D5, Image_P3_D4, Image_P3_D3, Image_P3_D2, Image_P3_D1, Image_P3_D0},
        582, 507);
  l.Place(Label_DBUSNum1, 700, 506, 118, 15, Face::Wide);
  l.Place(Label_P0_DBMultiWrite, 820, 506, 40, 15, Face::Warn);
  l.Place(Panel_NowHand, 126, 524, 437, 79);
  l.Place(Button_CloseNowHand, 378, 50, 52, 23);
}

}  // namespace

void LayoutDatapath(Layout& l) {
  l.Place(Image2, 0, 0, kDatapathSize.width(), kDatapathSize.height());
  Alu(l);
  RegisterFile(l);
  Memory(l);
  AddressRegisters(l);
  Bus(l);
}

}  // namespace orrin::layout
