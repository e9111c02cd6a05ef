// The datapath modules: ALU and flags, the register file, AR, PC, IR and IAR.
// Each register field's colour tells what its register did in the last beat.
#include "base/widget_groups.h"
#include "machine/panel_helpers.h"
#include "machine/panels.h"
#include "units/units.h"

namespace orrin {

using enum WidgetId;
using panels::After;
using panels::FieldColor;
using panels::ShowByteLamps;

namespace {
constexpr WidgetId kLoadGates = Image_SW_LR0;  // LR0 .. LR3
static_assert(After(kLoadGates, 3) == Image_SW_LR3);
constexpr WidgetId kOutGates = Image_SW_R0OUT;  // R0OUT .. R3OUT, Ain, Bin
static_assert(After(kOutGates, 5) == Image_SW_Bin);
constexpr WidgetId kSelA = Image_SW_SEL_A0;  // A0 .. A3, then B0 .. B3
static_assert(After(kSelA, 7) == Image_SW_SEL_B3);
constexpr WidgetId kRegFields = Edit_R0;  // R0 .. R3
static_assert(After(kRegFields, 3) == Edit_R3);
constexpr WidgetId kLoadLines = Label_LR0_1;  // LR0_1 .. LR3_1
static_assert(After(kLoadLines, 3) == Label_LR3_1);
constexpr WidgetId kLoadLines2 = Label_LR0_2;
static_assert(After(kLoadLines2, 3) == Label_LR3_2);
constexpr WidgetId kPrev1 = Label_P3_R0_1;  // R0_1 .. R3_1, then R0_2 .. R3_2
static_assert(After(kPrev1, 7) == Label_P3_R3_2);
}  // namespace

void Panels::RefreshAluPanel(const BoardParts& bp) {
  const bool power = bp.c.PowerOn;
  const FlagRecord& f = bp.m.Flags.Shown;
  const AluRecord& a = bp.m.Alu.Shown;
  view_.SetPicture(Image_P3_T3_ALU, LevelPicture(power, f.T3));
  if (power) {
    view_.SetLamp(Image_Z, f.Z, Pic::LampGH, Pic::LampGL);
    view_.SetLamp(Image_C, f.C, Pic::LampRH, Pic::LampRL);
    view_.SetText(Label_LDC, BitText(f.LDC));
    view_.SetText(Label_LDZ, BitText(f.LDZ));
    view_.SetText(Edit_Z, BitText(f.Z));
    view_.SetText(Edit_C, BitText(f.C));
    view_.SetColor(Edit_Z, FieldColor(Active(f.LDZ), panels::LoadedIf(f.ZLoaded)));
    view_.SetColor(Edit_C, FieldColor(Active(f.LDC), panels::LoadedIf(f.CLoaded)));
    view_.SetPicture(Image_SW_LDZ, Active(f.LDZ) ? Pic::SWT : Pic::SW0);
    view_.SetPicture(Image_SW_LDC, Active(f.LDC) ? Pic::SWT : Pic::SW0);
    view_.SetText(Label_181formula, a.Formula);
    view_.SetText(Label_181Zero, a.F == 0 ? "1" : "0");
    view_.SetText(Label_181Cn4, BitText(1 - (a.Cn4 & 1)));
    view_.SetText(Label_181F, Hex2(a.F).view());
    view_.SetText(Label_181A, Hex2(a.A).view());
    view_.SetText(Label_181B, Hex2(a.B).view());
    view_.SetText(Label_S3, BitText(a.S3));
    view_.SetText(Label_S2, BitText(a.S2));
    view_.SetText(Label_S1, BitText(a.S1));
    view_.SetText(Label_S0, BitText(a.S0));
    view_.SetText(Label_M, BitText(a.M));
    view_.SetText(Label_Cin, BitText(a.CIN));
    view_.SetPicture(Image_SW_ABUS, bp.m.Gate.Shown.ABUS != 0 ? Pic::ToBG1 : Pic::ToBR1);
    view_.SetText(Label_ABUS, BitText(bp.m.Gate.Shown.ABUS));
  } else {
    view_.SetPicture(Image_Z, Pic::LampGL);
    view_.SetPicture(Image_C, Pic::LampRL);
    for (WidgetId id : {Label_LDC, Label_LDZ, Edit_Z, Edit_C, Label_181formula, Label_181Zero, Label_181Cn4, Label_181F,
                        Label_181A, Label_181B, Label_S3, Label_S2, Label_S1, Label_S0, Label_M, Label_Cin, Label_ABUS})
      view_.SetText(id, "");
    view_.SetColor(Edit_Z, color::Aqua);
    view_.SetColor(Edit_C, color::Aqua);
    view_.SetPicture(Image_SW_LDZ, Pic::SW_PowerOff);
    view_.SetPicture(Image_SW_LDC, Pic::SW_PowerOff);
    view_.SetPicture(Image_SW_ABUS, Pic::To_PowerOff);
  }
  view_.CopyPicture(Image_P3_Z, Image_Z);
  view_.CopyPicture(Image_P3_C, Image_C);
}

void Panels::RefreshRegisterFile(const BoardParts& bp) {
  const bool power = bp.c.PowerOn;
  const RegisterRecord& r = bp.m.Regs.Shown;
  view_.SetPicture(Image_P3_T3_R0, LevelPicture(power, r.T3));
  view_.CopyPicture(Image_P3_T3_R1, Image_P3_T3_R0);
  view_.CopyPicture(Image_P3_T3_R2, Image_P3_T3_R0);
  view_.CopyPicture(Image_P3_T3_R3, Image_P3_T3_R0);
  if (power) {
    const int rd = (r.RD1 & 1) * 2 + (r.RD0 & 1);
    const int rs = (r.RS1 & 1) * 2 + (r.RS0 & 1);
    for (int i = 0; i < 4; ++i) {
      const size_t k = static_cast<size_t>(i);
      const bool target = Active(r.DRW) && i == rd;
      view_.SetText(After(kRegFields, i), Hex2(r.R[k]).view());
      view_.SetColor(After(kRegFields, i), FieldColor(target, panels::LoadedIf(r.Written[k])));
      view_.SetPicture(After(kLoadGates, i), target ? Pic::SWT : Pic::SW0);
      view_.SetPicture(After(kSelA, i), i == rd ? Pic::SW1 : Pic::SW0);
      view_.SetPicture(After(kSelA, 4 + i), i == rs ? Pic::SW1 : Pic::SW0);
      view_.SetText(After(kLoadLines, i), BitText(r.Select[k]));
      view_.SetText(After(kPrev1, i), Hex2(r.Prev[k]).view());
    }
    for (int i = 0; i < 6; ++i) view_.SetPicture(After(kOutGates, i), Pic::SW1);
    view_.SetText(Label_RD1_1, BitText(r.RD1));
    view_.SetText(Label_RD0_1, BitText(r.RD0));
    view_.SetText(Label_RS1, BitText(r.RS1));
    view_.SetText(Label_RS0, BitText(r.RS0));
    view_.SetText(Label_DRW_1, BitText(r.DRW));
    view_.SetText(Label_ChoiceANum, Hex2(r.APort).view());
    view_.SetText(Label_ChoiceBNum, Hex2(r.BPort).view());
  } else {
    for (int i = 0; i < 4; ++i) {
      view_.SetText(After(kRegFields, i), "");
      view_.SetColor(After(kRegFields, i), color::Aqua);
      view_.SetPicture(After(kLoadGates, i), Pic::SW_PowerOff);
      view_.SetText(After(kLoadLines, i), "");
      view_.SetText(After(kPrev1, i), "");
    }
    for (int i = 0; i < 6; ++i) view_.SetPicture(After(kOutGates, i), Pic::SW_PowerOff);
    for (int i = 0; i < 8; ++i) view_.SetPicture(After(kSelA, i), Pic::SW_PowerOff);
    for (WidgetId id :
         {Label_RD1_1, Label_RD0_1, Label_RS1, Label_RS0, Label_DRW_1, Label_ChoiceANum, Label_ChoiceBNum})
      view_.SetText(id, "");
  }
  view_.CopyText(Label_RD1_2, Label_RD1_1);
  view_.CopyText(Label_RD0_2, Label_RD0_1);
  for (int i = 0; i < 4; ++i) {
    view_.CopyText(After(kLoadLines2, i), After(kLoadLines, i));
    view_.CopyText(After(kPrev1, 4 + i), After(kPrev1, i));
  }
  view_.CopyText(Label_DRW_2, Label_DRW_1);
  view_.CopyText(Label_DRW_3, Label_DRW_1);
  view_.CopyText(Label_DRW_4, Label_DRW_1);
  ShowByteLamps(view_, kALamps, power ? r.APort : 0);
  ShowByteLamps(view_, kBLamps, power ? r.BPort : 0);
  panels::CopyLampRow(view_, kP3ALamps, kALamps);
  panels::CopyLampRow(view_, kP3BLamps, kBLamps);
}

void Panels::RefreshAr(const BoardParts& bp) {
  const bool power = bp.c.PowerOn;
  const ArRecord& a = bp.m.Ar.Shown;
  view_.SetPicture(Image_P3_T3_AR, LevelPicture(power, a.T3));
  if (power) {
    const bool lar = Active(a.LAR), inc = Active(a.ARINC);
    view_.SetText(Label_LAR, BitText(a.LAR));
    view_.SetText(Label_ARINC, BitText(a.ARINC));
    view_.SetText(Edit_AR, Hex2(a.AR).view());
    view_.SetColor(Edit_AR, FieldColor(lar || inc, a.Mark));
    view_.SetVisible(Label_ARAdd1, inc);
    view_.SetVisible(Label_ARannounce, lar && inc);
    // Counting wins over loading, so the load gate only opens for a plain load.
    view_.SetPicture(Image_SW_LAR, lar && !inc ? Pic::SWT : Pic::SW0);
    view_.SetPicture(Image_SW_AROUT, Pic::SW1);
  } else {
    view_.SetText(Label_LAR, "");
    view_.SetText(Label_ARINC, "");
    view_.SetText(Edit_AR, "");
    view_.SetColor(Edit_AR, color::Aqua);
    view_.SetVisible(Label_ARAdd1, false);
    view_.SetVisible(Label_ARannounce, false);
    view_.SetPicture(Image_SW_LAR, Pic::SW_PowerOff);
    view_.SetPicture(Image_SW_AROUT, Pic::SW_PowerOff);
  }
  ShowByteLamps(view_, kARLamps, power ? a.AR : 0);
  panels::CopyLampRow(view_, kP3ARLamps, kARLamps);
}

void Panels::RefreshPc(const BoardParts& bp) {
  const bool power = bp.c.PowerOn;
  const PcRecord& p = bp.m.Pc.Shown;
  view_.SetPicture(Image_P3_T3_PC, LevelPicture(power, p.T3));
  if (power) {
    const PcActions wins = WinningPcAction(p);
    view_.SetText(Label_LPC, BitText(p.LPC));
    view_.SetText(Label_PCINC, BitText(p.PCINC));
    view_.SetText(Label_PCADD, BitText(p.PCADD));
    view_.SetText(Edit_PC, Hex2(p.PC).view());
    view_.SetColor(Edit_PC, FieldColor(Active(p.PCINC) || Active(p.LPC) || Active(p.PCADD), p.Mark));
    view_.SetVisible(Label_PCAdd1, wins.count);
    view_.SetPicture(Image_SW_LPC, wins.load ? Pic::SWT : Pic::SW0);
    view_.SetPicture(Image_SW_PCADD, wins.add ? Pic::SWT : Pic::SW0);
    view_.SetVisible(Label_PCannounce, wins.conflict);
    view_.SetPicture(Image_SW_PCOUT, Pic::SW1);
    view_.SetText(Label_P3_PC, Hex2(p.PC).view());
  } else {
    for (WidgetId id : {Label_LPC, Label_PCINC, Label_PCADD, Edit_PC, Label_P3_PC}) view_.SetText(id, "");
    view_.SetColor(Edit_PC, color::Aqua);
    view_.SetVisible(Label_PCAdd1, false);
    view_.SetVisible(Label_PCannounce, false);
    view_.SetPicture(Image_SW_LPC, Pic::SW_PowerOff);
    view_.SetPicture(Image_SW_PCADD, Pic::SW_PowerOff);
    view_.SetPicture(Image_SW_PCOUT, Pic::SW_PowerOff);
  }
  ShowByteLamps(view_, kPCLamps, power ? p.PC : 0);
  panels::CopyLampRow(view_, kP3PCLamps, kPCLamps);
}

void Panels::RefreshIr(const BoardParts& bp) {
  const bool power = bp.c.PowerOn;
  const IrRecord& r = bp.m.Ir.Shown;
  view_.SetPicture(Image_P3_T3_IR, LevelPicture(power, r.T3));
  static constexpr WidgetId kOut[4] = {Image_SW_IROUT1, Image_SW_IROUT2, Image_SW_IROUT3, Image_SW_IROUT4};
  static constexpr Pic kOutPic[4] = {Pic::SW1, Pic::SW2, Pic::SW3, Pic::SW4};
  if (power) {
    view_.SetText(Label_LIR, BitText(r.LIR));
    view_.SetText(Edit_IR, Hex2(r.IR).view());
    view_.SetColor(Edit_IR, FieldColor(Active(r.LIR), r.Mark));
    view_.SetPicture(Image_SW_LIR, Active(r.LIR) ? Pic::SWT : Pic::SW0);
    for (int i = 0; i < 4; ++i) view_.SetPicture(kOut[i], kOutPic[i]);
    view_.SetText(Label_P3_IR30, Hex1(r.IR).view());
  } else {
    view_.SetText(Label_LIR, "");
    view_.SetText(Edit_IR, "");
    view_.SetColor(Edit_IR, color::Aqua);
    view_.SetPicture(Image_SW_LIR, Pic::SW_PowerOff);
    for (WidgetId id : kOut) view_.SetPicture(id, Pic::SW_PowerOff);
    view_.SetText(Label_P3_IR30, "");
  }
  ShowByteLamps(view_, kIRLamps, power ? r.IR : 0);
  panels::CopyLampRow(view_, kP3IRLamps, kIRLamps);
}

void Panels::RefreshIar(const BoardParts& bp) {
  const bool power = bp.c.PowerOn;
  const IarRecord& r = bp.m.Iar.Shown;
  view_.SetPicture(Image_P3_T3_IAR, LevelPicture(power, r.T3));
  if (power) {
    view_.SetText(Label_LIAR, BitText(r.LIAR));
    view_.SetText(Label_IABUS, BitText(r.IABUS));
    view_.SetText(Edit_IAR, Hex2(r.IAR).view());
    view_.SetColor(Edit_IAR, FieldColor(Active(r.LIAR), r.Mark));
    view_.SetPicture(Image_SW_LIAR, Active(r.LIAR) ? Pic::SWT : Pic::SW0);
    view_.SetPicture(Image_SW_IABUS, r.IABUS != 0 ? Pic::ToBG1 : Pic::ToBR1);
  } else {
    view_.SetText(Label_LIAR, "");
    view_.SetText(Label_IABUS, "");
    view_.SetText(Edit_IAR, "");
    view_.SetColor(Edit_IAR, color::Aqua);
    view_.SetPicture(Image_SW_LIAR, Pic::SW_PowerOff);
    view_.SetPicture(Image_SW_IABUS, Pic::To_PowerOff);
  }
}

}  // namespace orrin
