// The lower part of Panel3: the microprogram controller (Image10) with the
// control-store grid, the microinstruction register, the next-address logic,
// the register-select multiplexer and the interrupt flip-flop.
#include "layout/layout.h"
#include "layout/micro_geometry.h"

namespace orrin::layout {

using enum WidgetId;
using namespace micro;

namespace {
constexpr int kBit = 14;

void Bit(Layout& l, WidgetId id, int x, int y) { l.Place(id, x, y, kBit, kBit, Face::Bit); }
void Print(Layout& l, int x, int y, int w, const char* text, Face face = Face::Small) {
  l.Text(Image10, x, y, w, 14, text, face);
}

constexpr WidgetId kMirOut[40] = {
    Label_P4_MIROut_M39, Label_P4_MIROut_M38, Label_P4_MIROut_M37, Label_P4_MIROut_M36, Label_P4_MIROut_M35,
    Label_P4_MIROut_M34, Label_P4_MIROut_M33, Label_P4_MIROut_M32, Label_P4_MIROut_M31, Label_P4_MIROut_M30,
    Label_P4_MIROut_M29, Label_P4_MIROut_M28, Label_P4_MIROut_M27, Label_P4_MIROut_M26, Label_P4_MIROut_M25,
    Label_P4_MIROut_M24, Label_P4_MIROut_M23, Label_P4_MIROut_M22, Label_P4_MIROut_M21, Label_P4_MIROut_M20,
    Label_P4_MIROut_M19, Label_P4_MIROut_M18, Label_P4_MIROut_M17, Label_P4_MIROut_M16, Label_P4_MIROut_M15,
    Label_P4_MIROut_M14, Label_P4_MIROut_M13, Label_P4_MIROut_M12, Label_P4_MIROut_M11, Label_P4_MIROut_M10,
    Label_P4_MIROut_M09, Label_P4_MIROut_M08, Label_P4_MIROut_M07, Label_P4_MIROut_M06, Label_P4_MIROut_M05,
    Label_P4_MIROut_M04, Label_P4_MIROut_M03, Label_P4_MIROut_M02, Label_P4_MIROut_M01, Label_P4_MIROut_M00,
};
constexpr WidgetId kDigits[10] = {
    Label_P4_MicroProChar_9, Label_P4_MicroProChar_8, Label_P4_MicroProChar_7, Label_P4_MicroProChar_6,
    Label_P4_MicroProChar_5, Label_P4_MicroProChar_4, Label_P4_MicroProChar_3, Label_P4_MicroProChar_2,
    Label_P4_MicroProChar_1, Label_P4_MicroProChar_0,
};

void MicroWord(Layout& l) {
  Print(l, 4, 612, 100, QT_TRANSLATE_NOOP("orrin", "微程序控制器"), Face::Plain);
  Print(l, 4, 640, 100, QT_TRANSLATE_NOOP("orrin", "当前微指令"));
  l.Place(Label_P4_MicroProStr, 4, 656, 100, 15, Face::Wide);
  Print(l, 60, kBitValuesY, 44, "μIR");
  for (int k = 0; k < 40; ++k) l.Place(kMirOut[k], MicroBitX(k), kBitValuesY, kBitW, kBit, Face::Bit);
  for (int g = 0; g < 10; ++g) l.Place(kDigits[g], MicroBitX(4 * g) + 17, kBitDigitsY, 20, 15, Face::Hex);

  l.Place(Panel_MicroGrid, 106, 724, 568, 140);
  l.Place(StringGrid_MicroMem, -40, 0, 606, 140);
  l.Place(Button_GridToMicro, 55, 828, 49, 25);
  // The word at the table's current cell (uAR while the power is on) as a
  // source names it, right of the arrow from the table to uAR.
  l.Place(Label_MicroSource, 360, 866, 314, 14, Face::Small);
  Print(l, 4, 730, 100, QT_TRANSLATE_NOOP("orrin", "控制存储器"), Face::Plain);
  Print(l, 4, 748, 100, QT_TRANSLATE_NOOP("orrin", "64 × 40 位"));

  l.Place(Panel_TSx, 810, 652, 108, 129);
  l.Place(Image_TSx, 4, 5, kPhaseSize.width(), kPhaseSize.height());
  Print(l, 810, 636, 108, QT_TRANSLATE_NOOP("orrin", "节拍相位"));
}

void Sequencer(Layout& l) {
  l.Place(Edit_uAR, kUarX, kUarY, 23, 23, Face::Field);
  Print(l, kUarX - 34, kUarY + 4, 32, "μAR", Face::Plain);
  l.Place(Image_P4_T3_uAR, 226, 880, kBeatSize.width(), kBeatSize.height());
  Print(l, 196, 880, 28, "T3");
  l.Place(Image_P4_T3uARFan, 226, 898, kBeatSize.width(), kBeatSize.height());
  Print(l, 196, 898, 28, "/T3");
  const WidgetId ua[6] = {Image_P4_uA5, Image_P4_uA4, Image_P4_uA3, Image_P4_uA2, Image_P4_uA1, Image_P4_uA0};
  const WidgetId gate[6] = {Image_P4_SW5, Image_P4_SW4, Image_P4_SW3, Image_P4_SW2, Image_P4_SW1, Image_P4_SW0};
  for (int i = 0; i < 6; ++i) {
    l.Place(ua[i], UaLampX(i) + 1, kUarY + 6, kLampSmall, kLampSmall);
    l.Place(gate[i], UaLampX(i), kGateRowY, kSwitchSize.width(), kSwitchSize.height());
  }
  Print(l, UaLampX(6) + 4, kUarY + 4, 60, "μA5-μA0");

  // One row per address bit; the test terms are AND gates feeding an OR.
  Print(l, 4, 926, 160, QT_TRANSLATE_NOOP("orrin", "下址逻辑"), Face::Plain);
  struct Term {
    const char* in1;
    WidgetId v1;
    const char* in2;
    WidgetId v2;
    WidgetId term;
    int y;
  };
  const Term terms[] = {
      {"INTQ", Label_P4_INTQ, "P4", Label_P4_P4, Label_P4_temp11, kRowBit4},
      {"SWC", Label_P4_SWC, "P0", Label_P4_P0_1, Label_P4_temp01, kRowBit3},
      {"IR7", Label_P4_IR7I, "P1", Label_P4_P1_1, Label_P4_temp02, kRowBit3 + kRowPitch},
      {"SWB", Label_P4_SWB, "P0", Label_P4_P0_2, Label_P4_temp03, kRowBit2},
      {"IR6", Label_P4_IR6I, "P1", Label_P4_P1_2, Label_P4_temp04, kRowBit2 + kRowPitch},
      {"SWA", Label_P4_SWA, "P0", Label_P4_P0_3, Label_P4_temp05, kRowBit1},
      {"IR5", Label_P4_IR5I, "P1", Label_P4_P1_3, Label_P4_temp06, kRowBit1 + kRowPitch},
      {"Z-I", Label_P4_ZI, "P3", Label_P4_P3, Label_P4_temp07, kRowBit0},
      {"C-I", Label_P4_CI, "P2", Label_P4_P2, Label_P4_temp08, kRowBit0 + kRowPitch},
      {"IR4", Label_P4_IR4I, "P1", Label_P4_P1_4, Label_P4_temp09, kRowBit0 + 2 * kRowPitch},
  };
  for (const Term& t : terms) {
    Print(l, kIn1X - 32, t.y, 30, t.in1);
    Bit(l, t.v1, kIn1X, t.y);
    Print(l, kIn2X - 24, t.y, 22, t.in2);
    Bit(l, t.v2, kIn2X, t.y);
    Bit(l, t.term, kTermX, t.y);
  }
  Bit(l, Label_P4_temp12, kOrX, kRowBit3 + 7);
  Bit(l, Label_P4_temp13, kOrX, kRowBit2 + 7);
  Bit(l, Label_P4_temp14, kOrX, kRowBit1 + 7);
  Bit(l, Label_P4_temp15, kOrX, kRowBit0 + 7);
  Bit(l, Label_P4_temp16, kNuaX + 38, kRowBit0 + 2 * kRowPitch);

  const int rows[6] = {kRowBit5, kRowBit4, kRowBit3 + 7, kRowBit2 + 7, kRowBit1 + 7, kRowBit0 + 7};
  const WidgetId nua[6] = {Label_P4_NuA5, Label_P4_NuA4, Label_P4_NuA3, Label_P4_NuA2, Label_P4_NuA1, Label_P4_NuA0};
  const WidgetId nuaLamp[6] = {Image_P4_NuA5, Image_P4_NuA4, Image_P4_NuA3,
                               Image_P4_NuA2, Image_P4_NuA1, Image_P4_NuA0};
  const WidgetId ok[6] = {Label_P4_OKNuA5, Label_P4_OKNuA4, Label_P4_OKNuA3,
                          Label_P4_OKNuA2, Label_P4_OKNuA1, Label_P4_OKNuA0};
  static const char* const kNuaNames[6] = {"NuA5", "NuA4", "NuA3", "NuA2", "NuA1", "NuA0"};
  for (int i = 0; i < 6; ++i) {
    Print(l, kNuaX - 34, rows[i], 32, kNuaNames[i]);
    Bit(l, nua[i], kNuaX, rows[i]);
    l.Place(nuaLamp[i], kNuaX + 18, rows[i] + 1, kLampSmall, kLampSmall);
    Bit(l, ok[i], kOkX, rows[i]);
  }

  // The test bits and the resulting next address.
  Print(l, 480, 930, 120, QT_TRANSLATE_NOOP("orrin", "判别位 P4-P0"));
  const WidgetId pLamp[5] = {Image_P4_P4, Image_P4_P3, Image_P4_P2, Image_P4_P1, Image_P4_P0};
  static const char* const kPNames[5] = {"P4", "P3", "P2", "P1", "P0"};
  for (int i = 0; i < 5; ++i) {
    l.Place(pLamp[i], 488 + 24 * i, 950, kLampSmall, kLampSmall);
    Print(l, 482 + 24 * i, 964, 22, kPNames[i]);
  }
  Print(l, 480, 996, 120, QT_TRANSLATE_NOOP("orrin", "下一微地址"));
  l.Place(Label_P0_RealNuA, 480, 1014, 56, 15, Face::Wide);
  l.Place(Label_P4_OKNuA, 546, 1014, 22, 15, Face::Hex);
  Print(l, 572, 1014, 16, "H");
}

void SelectAndOutputs(Layout& l) {
  Print(l, 690, 792, 220, QT_TRANSLATE_NOOP("orrin", "寄存器选择  (SELCTL=1 取 SEL3-0)"), Face::Plain);
  const WidgetId sel[4] = {Label_P4_SEL3, Label_P4_SEL2, Label_P4_SEL1, Label_P4_SEL0};
  const WidgetId ir[4] = {Label_P4_IR3, Label_P4_IR2, Label_P4_IR1, Label_P4_IR0};
  Print(l, 690, 814, 46, "SEL3-0");
  Print(l, 690, 838, 46, "IR3-0");
  for (int i = 0; i < 4; ++i) {
    Bit(l, sel[i], 740 + 18 * i, 814);
    Bit(l, ir[i], 740 + 18 * i, 838);
  }
  l.Place(Image_SW_SEL30, 818, 814, kSwitchSize.width(), kSwitchSize.height());
  l.Place(Image_SW_IR30, 818, 838, kSwitchSize.width(), kSwitchSize.height());
  Print(l, 690, 862, 46, "SELCTL");
  Bit(l, Label_P4_SELCTL, 740, 862);
  const WidgetId out[4] = {Label_P4_RD1, Label_P4_RD0, Label_P4_RS1, Label_P4_RS0};
  static const char* const kOutNames[4] = {"RD1", "RD0", "RS1", "RS0"};
  for (int i = 0; i < 4; ++i) {
    Print(l, 852 + 30 * i, 814, 28, kOutNames[i]);
    Bit(l, out[i], 859 + 30 * i, 832);
  }

  Print(l, 690, 900, 240, QT_TRANSLATE_NOOP("orrin", "送往插孔 IR7-O … IR4-O、Z-O、C-O"), Face::Plain);
  const WidgetId jackOut[6] = {Label_P4_IR7O, Label_P4_IR6O, Label_P4_IR5O, Label_P4_IR4O, Label_P4_ZO, Label_P4_CO};
  static const char* const kJackNames[6] = {"IR7", "IR6", "IR5", "IR4", "Z", "C"};
  for (int i = 0; i < 6; ++i) {
    Print(l, 696 + 34 * i, 920, 30, kJackNames[i]);
    Bit(l, jackOut[i], 704 + 34 * i, 936);
  }
}

void InterruptAndStop(Layout& l) {
  Print(l, 4, 1144, 120, QT_TRANSLATE_NOOP("orrin", "中断与停机"), Face::Plain);
  l.Place(Edit_EN_INT, 110, 1160, 17, 23, Face::Field);
  Print(l, 60, 1164, 48, "EN_INT");
  Bit(l, Label_INTEN, 160, 1156);
  Print(l, 176, 1156, 40, "INTEN");
  Bit(l, Label_INTDI, 160, 1172);
  Print(l, 176, 1172, 40, "INTDI");
  l.Place(Label_INTannounce, 160, 1190, 80, 14, Face::Warn);
  Bit(l, Label_INTQ, 240, 1164);
  Print(l, 256, 1164, 34, "INTQ");
  Bit(l, Label_STOP, 320, 1164);
  Print(l, 336, 1164, 34, "STOP");
}

}  // namespace

void LayoutMicro(Layout& l) {
  l.Place(Image10, kMicroOrigin.x(), kMicroOrigin.y(), kMicroSize.width(), kMicroSize.height());
  MicroWord(l);
  Sequencer(l);
  SelectAndOutputs(l);
  InterruptAndStop(l);
}

}  // namespace orrin::layout
