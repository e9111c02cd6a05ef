// The datapath modules: ALU and flags, the register file, AR, PC, IR and IAR.
// Each register field's colour tells what its register did in the last beat.
#include "base/widget_groups.h"
#include "panels/panel_helpers.h"

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

void Simulator::RefreshAluPanel(uint8_t power) {
  const FlagRecord& f = machine.Flags.Shown;
  const AluRecord& a = machine.Alu.Shown;
  view.SetPicture(Image_P3_T3_ALU, LevelPicture(power, f.T3));
  if (power == 1) {
    view.SetLamp(Image_Z, f.Z, Pic::LampGH, Pic::LampGL);
    view.SetLamp(Image_C, f.C, Pic::LampRH, Pic::LampRL);
    view.SetText(Label_LDC, BitText(f.LDC));
    view.SetText(Label_LDZ, BitText(f.LDZ));
    view.SetText(Edit_Z, BitText(f.Z));
    view.SetText(Edit_C, BitText(f.C));
    view.SetColor(Edit_Z, FieldColor(Active(f.LDZ), f.ZLoaded == 1 ? 1 : 0));
    view.SetColor(Edit_C, FieldColor(Active(f.LDC), f.CLoaded == 1 ? 1 : 0));
    view.SetPicture(Image_SW_LDZ, Active(f.LDZ) ? Pic::SWT : Pic::SW0);
    view.SetPicture(Image_SW_LDC, Active(f.LDC) ? Pic::SWT : Pic::SW0);
    view.SetText(Label_181formula, a.Formula);
    view.SetText(Label_181Zero, a.F == 0 ? "1" : "0");
    view.SetText(Label_181Cn4, BitText(1 - (a.Cn4 & 1)));
    view.SetText(Label_181F, Hex2(a.F).view());
    view.SetText(Label_181A, Hex2(a.A).view());
    view.SetText(Label_181B, Hex2(a.B).view());
    view.SetText(Label_S3, BitText(a.S3));
    view.SetText(Label_S2, BitText(a.S2));
    view.SetText(Label_S1, BitText(a.S1));
    view.SetText(Label_S0, BitText(a.S0));
    view.SetText(Label_M, BitText(a.M));
    view.SetText(Label_Cin, BitText(a.CIN));
    view.SetPicture(Image_SW_ABUS, machine.Gate.Shown.ABUS != 0 ? Pic::ToBG1 : Pic::ToBR1);
    view.SetText(Label_ABUS, BitText(machine.Gate.Shown.ABUS));
  } else {
    view.SetPicture(Image_Z, Pic::LampGL);
    view.SetPicture(Image_C, Pic::LampRL);
    for (WidgetId id : {Label_LDC, Label_LDZ, Edit_Z, Edit_C, Label_181formula, Label_181Zero, Label_181Cn4, Label_181F,
                        Label_181A, Label_181B, Label_S3, Label_S2, Label_S1, Label_S0, Label_M, Label_Cin, Label_ABUS})
      view.SetText(id, "");
    view.SetColor(Edit_Z, color::Aqua);
    view.SetColor(Edit_C, color::Aqua);
    view.SetPicture(Image_SW_LDZ, Pic::SW_PowerOff);
    view.SetPicture(Image_SW_LDC, Pic::SW_PowerOff);
    view.SetPicture(Image_SW_ABUS, Pic::To_PowerOff);
  }
  view.CopyPicture(Image_P3_Z, Image_Z);
  view.CopyPicture(Image_P3_C, Image_C);
}

void Simulator::RefreshRegisterFile(uint8_t power) {
  const RegisterRecord& r = machine.Regs.Shown;
  view.SetPicture(Image_P3_T3_R0, LevelPicture(power, r.T3));
  view.CopyPicture(Image_P3_T3_R1, Image_P3_T3_R0);
  view.CopyPicture(Image_P3_T3_R2, Image_P3_T3_R0);
  view.CopyPicture(Image_P3_T3_R3, Image_P3_T3_R0);
  if (power == 1) {
    const int rd = (r.RD1 & 1) * 2 + (r.RD0 & 1);
    const int rs = (r.RS1 & 1) * 2 + (r.RS0 & 1);
    for (int i = 0; i < 4; ++i) {
      const size_t k = static_cast<size_t>(i);
      const bool target = Active(r.DRW) && i == rd;
      view.SetText(After(kRegFields, i), Hex2(r.R[k]).view());
      view.SetColor(After(kRegFields, i), FieldColor(target, r.Written[k] == 1 ? 1 : 0));
      view.SetPicture(After(kLoadGates, i), target ? Pic::SWT : Pic::SW0);
      view.SetPicture(After(kSelA, i), i == rd ? Pic::SW1 : Pic::SW0);
      view.SetPicture(After(kSelA, 4 + i), i == rs ? Pic::SW1 : Pic::SW0);
      view.SetText(After(kLoadLines, i), BitText(r.Select[k]));
      view.SetText(After(kPrev1, i), Hex2(r.Prev[k]).view());
    }
    for (int i = 0; i < 6; ++i) view.SetPicture(After(kOutGates, i), Pic::SW1);
    view.SetText(Label_RD1_1, BitText(r.RD1));
    view.SetText(Label_RD0_1, BitText(r.RD0));
    view.SetText(Label_RS1, BitText(r.RS1));
    view.SetText(Label_RS0, BitText(r.RS0));
    view.SetText(Label_DRW_1, BitText(r.DRW));
    view.SetText(Label_ChoiceANum, Hex2(r.APort).view());
    view.SetText(Label_ChoiceBNum, Hex2(r.BPort).view());
  } else {
    for (int i = 0; i < 4; ++i) {
      view.SetText(After(kRegFields, i), "");
      view.SetColor(After(kRegFields, i), color::Aqua);
      view.SetPicture(After(kLoadGates, i), Pic::SW_PowerOff);
      view.SetText(After(kLoadLines, i), "");
      view.SetText(After(kPrev1, i), "");
    }
    for (int i = 0; i < 6; ++i) view.SetPicture(After(kOutGates, i), Pic::SW_PowerOff);
    for (int i = 0; i < 8; ++i) view.SetPicture(After(kSelA, i), Pic::SW_PowerOff);
    for (WidgetId id :
         {Label_RD1_1, Label_RD0_1, Label_RS1, Label_RS0, Label_DRW_1, Label_ChoiceANum, Label_ChoiceBNum})
      view.SetText(id, "");
  }
  view.CopyText(Label_RD1_2, Label_RD1_1);
  view.CopyText(Label_RD0_2, Label_RD0_1);
  for (int i = 0; i < 4; ++i) {
    view.CopyText(After(kLoadLines2, i), After(kLoadLines, i));
    view.CopyText(After(kPrev1, 4 + i), After(kPrev1, i));
  }
  view.CopyText(Label_DRW_2, Label_DRW_1);
  view.CopyText(Label_DRW_3, Label_DRW_1);
  view.CopyText(Label_DRW_4, Label_DRW_1);
  ShowByteLamps(view, kALamps, power == 1 ? r.APort : 0);
  ShowByteLamps(view, kBLamps, power == 1 ? r.BPort : 0);
  panels::CopyLampRow(view, kP3ALamps, kALamps);
  panels::CopyLampRow(view, kP3BLamps, kBLamps);
}

void Simulator::RefreshAr(uint8_t power) {
  const ArRecord& a = machine.Ar.Shown;
  view.SetPicture(Image_P3_T3_AR, LevelPicture(power, a.T3));
  if (power == 1) {
    const bool lar = Active(a.LAR), inc = Active(a.ARINC);
    view.SetText(Label_LAR, BitText(a.LAR));
    view.SetText(Label_ARINC, BitText(a.ARINC));
    view.SetText(Edit_AR, Hex2(a.AR).view());
    view.SetColor(Edit_AR, FieldColor(lar || inc, a.Mark));
    view.SetVisible(Label_ARAdd1, inc);
    view.SetVisible(Label_ARannounce, lar && inc);
    // Counting wins over loading, so the load gate only opens for a plain load.
    view.SetPicture(Image_SW_LAR, lar && !inc ? Pic::SWT : Pic::SW0);
    view.SetPicture(Image_SW_AROUT, Pic::SW1);
  } else {
    view.SetText(Label_LAR, "");
    view.SetText(Label_ARINC, "");
    view.SetText(Edit_AR, "");
    view.SetColor(Edit_AR, color::Aqua);
    view.SetVisible(Label_ARAdd1, false);
    view.SetVisible(Label_ARannounce, false);
    view.SetPicture(Image_SW_LAR, Pic::SW_PowerOff);
    view.SetPicture(Image_SW_AROUT, Pic::SW_PowerOff);
  }
  ShowByteLamps(view, kARLamps, power == 1 ? a.AR : 0);
  panels::CopyLampRow(view, kP3ARLamps, kARLamps);
}

void Simulator::RefreshPc(uint8_t power) {
  const PcRecord& p = machine.Pc.Shown;
  view.SetPicture(Image_P3_T3_PC, LevelPicture(power, p.T3));
  if (power == 1) {
    const bool inc = Active(p.PCINC), load = Active(p.LPC), add = Active(p.PCADD);
    view.SetText(Label_LPC, BitText(p.LPC));
    view.SetText(Label_PCINC, BitText(p.PCINC));
    view.SetText(Label_PCADD, BitText(p.PCADD));
    view.SetText(Edit_PC, Hex2(p.PC).view());
    view.SetColor(Edit_PC, FieldColor(inc || load || add, p.Mark));
    // Only the action that wins is drawn: count, then load, then add.
    view.SetVisible(Label_PCAdd1, inc);
    view.SetPicture(Image_SW_LPC, !inc && load ? Pic::SWT : Pic::SW0);
    view.SetPicture(Image_SW_PCADD, !inc && !load && add ? Pic::SWT : Pic::SW0);
    view.SetVisible(Label_PCannounce, int{inc} + int{load} + int{add} >= 2);
    view.SetPicture(Image_SW_PCOUT, Pic::SW1);
    view.SetText(Label_P3_PC, Hex2(p.PC).view());
  } else {
    for (WidgetId id : {Label_LPC, Label_PCINC, Label_PCADD, Edit_PC, Label_P3_PC}) view.SetText(id, "");
    view.SetColor(Edit_PC, color::Aqua);
    view.SetVisible(Label_PCAdd1, false);
    view.SetVisible(Label_PCannounce, false);
    view.SetPicture(Image_SW_LPC, Pic::SW_PowerOff);
    view.SetPicture(Image_SW_PCADD, Pic::SW_PowerOff);
    view.SetPicture(Image_SW_PCOUT, Pic::SW_PowerOff);
  }
  ShowByteLamps(view, kPCLamps, power == 1 ? p.PC : 0);
  panels::CopyLampRow(view, kP3PCLamps, kPCLamps);
}

void Simulator::RefreshIr(uint8_t power) {
  const IrRecord& r = machine.Ir.Shown;
  view.SetPicture(Image_P3_T3_IR, LevelPicture(power, r.T3));
  static constexpr WidgetId kOut[4] = {Image_SW_IROUT1, Image_SW_IROUT2, Image_SW_IROUT3, Image_SW_IROUT4};
  static constexpr Pic kOutPic[4] = {Pic::SW1, Pic::SW2, Pic::SW3, Pic::SW4};
  if (power == 1) {
    view.SetText(Label_LIR, BitText(r.LIR));
    view.SetText(Edit_IR, Hex2(r.IR).view());
    view.SetColor(Edit_IR, FieldColor(Active(r.LIR), r.Mark == 1 ? 1 : 0));
    view.SetPicture(Image_SW_LIR, Active(r.LIR) ? Pic::SWT : Pic::SW0);
    for (int i = 0; i < 4; ++i) view.SetPicture(kOut[i], kOutPic[i]);
    view.SetText(Label_P3_IR30, Hex1(r.IR).view());
  } else {
    view.SetText(Label_LIR, "");
    view.SetText(Edit_IR, "");
    view.SetColor(Edit_IR, color::Aqua);
    view.SetPicture(Image_SW_LIR, Pic::SW_PowerOff);
    for (WidgetId id : kOut) view.SetPicture(id, Pic::SW_PowerOff);
    view.SetText(Label_P3_IR30, "");
  }
  ShowByteLamps(view, kIRLamps, power == 1 ? r.IR : 0);
  panels::CopyLampRow(view, kP3IRLamps, kIRLamps);
}

void Simulator::RefreshIar(uint8_t power) {
  const IarRecord& r = machine.Iar.Shown;
  view.SetPicture(Image_P3_T3_IAR, LevelPicture(power, r.T3));
  if (power == 1) {
    view.SetText(Label_LIAR, BitText(r.LIAR));
    view.SetText(Label_IABUS, BitText(r.IABUS));
    view.SetText(Edit_IAR, Hex2(r.IAR).view());
    view.SetColor(Edit_IAR, FieldColor(Active(r.LIAR), r.Mark == 1 ? 1 : 0));
    view.SetPicture(Image_SW_LIAR, Active(r.LIAR) ? Pic::SWT : Pic::SW0);
    view.SetPicture(Image_SW_IABUS, r.IABUS != 0 ? Pic::ToBG1 : Pic::ToBR1);
  } else {
    view.SetText(Label_LIAR, "");
    view.SetText(Label_IABUS, "");
    view.SetText(Edit_IAR, "");
    view.SetColor(Edit_IAR, color::Aqua);
    view.SetPicture(Image_SW_LIAR, Pic::SW_PowerOff);
    view.SetPicture(Image_SW_IABUS, Pic::To_PowerOff);
  }
}

}  // namespace orrin
