// The ordered repaint of the board and the console modules of the panels.
#include "base/signal_table.h"
#include "base/widget_groups.h"
#include "machine/panel_helpers.h"
#include "machine/panels.h"

namespace orrin {

using enum WidgetId;

void Panels::Refresh(const BoardParts& bp) {
  if (holds_ > 0 && !eagerView) {
    stale_ = true;
    return;
  }
  Repaint(bp);
}

void Panels::Release(const BoardParts& bp) {
  if (--holds_ > 0 || !stale_) return;
  stale_ = false;
  Repaint(bp);
}

void Panels::Repaint(const BoardParts& bp) {
  RefreshPowerButton(bp);
  RefreshBeatLines(bp);
  RefreshDP(bp);
  RefreshModeSwitches(bp);
  RefreshDataSwitches(bp);
  RefreshLevelSwitches(bp);
  RefreshQD(bp);
  RefreshSignalLamps(bp);
  RefreshSelLamps(bp);
  RefreshSourceLabels(bp);
  RefreshAluPanel(bp);
  RefreshRegisterFile(bp);
  RefreshMemory(bp);
  RefreshControllerPanel(bp);
  RefreshAr(bp);
  RefreshPc(bp);
  RefreshIr(bp);
  RefreshIar(bp);
  RefreshDataBus(bp);
  RefreshInterrupt(bp);
  RefreshStop(bp);
}

void Panels::RefreshPowerButton(const BoardParts& bp) {
  view_.SetPicture(SpeedButtonPOWER, bp.c.PowerOn ? Pic::SpeedButton_PowerON : Pic::SpeedButton_PowerOFF);
}

Pic LevelPicture(bool power, int32_t code) {
  if (!power) return Pic::Tx_PowerOFF;
  switch (code) {
    case LevelLow:
      return Pic::Tx_lowlevel;
    case LevelRising:
      return Pic::Tx_posedge;
    case LevelFalling:
      return Pic::Tx_negedge;
    case LevelHigh:
      return Pic::Tx_highlevel;
    default:
      return Pic::Tx_PowerOFF;
  }
}

void Panels::RefreshBeatLines(const BoardParts& bp) {
  const bool power = bp.c.PowerOn;
  const BeatRecord& b = bp.m.Beat.Shown;
  view_.SetPicture(Image_T3_OUT, LevelPicture(power, b.T3));
  view_.SetPicture(Image_T2_OUT, LevelPicture(power, b.T2));
  view_.SetPicture(Image_T1_OUT, LevelPicture(power, b.T1));
  if (power) {
    const int phase = b.BeatPhase >= 1 && b.BeatPhase <= 6 ? b.BeatPhase : 0;
    view_.SetPicture(Image_TSx, static_cast<Pic>(static_cast<int>(Pic::TS0) + phase));
    SmallText t = Dec(bp.m.Beat.ViewPos);
    t.buf[t.len++] = '/';
    const SmallText n = Dec(bp.m.Beat.StepCount);
    for (int i = 0; i < n.len; ++i) t.buf[t.len++] = n.buf[i];
    view_.SetText(Label_PK_StepNum, t.view());
  } else {
    view_.SetPicture(Image_TSx, Pic::TS0);
    view_.SetText(Label_PK_StepNum, "   ");
  }
}

void Panels::RefreshDP(const BoardParts& bp) {
  const bool power = bp.c.PowerOn;
  const bool single = bp.c.SingleBeat;
  view_.SetPicture(Image_DP, single ? Pic::BSWH : Pic::BSWL);
  view_.SetText(Label_KeyDPNote, single ? "单拍" : "连续");
  view_.SetText(Label_DP, power ? (single ? "1" : "0") : "");
}

const char* ModeNote(int32_t swc, int32_t swb, int32_t swa) {
  static constexpr const char* kNotes[8] = {"启动程序运行", "写存储器",   "读存储器",   "读寄存器",
                                            "写寄存器",     "运算器实验", "存储器实验", "数据通路实验"};
  auto ok = [](int32_t v) { return v == 0 || v == 1; };
  if (!ok(swc) || !ok(swb) || !ok(swa)) return nullptr;
  return kNotes[swc * 4 + swb * 2 + swa];
}

void Panels::RefreshModeSwitches(const BoardParts& bp) {
  const bool power = bp.c.PowerOn;
  const Console& c = bp.c;
  view_.SetPicture(Image_SWC, c.SWC == 1 ? Pic::BSWH : Pic::BSWL);
  view_.SetPicture(Image_SWB, c.SWB == 1 ? Pic::BSWH : Pic::BSWL);
  view_.SetPicture(Image_SWA, c.SWA == 1 ? Pic::BSWH : Pic::BSWL);
  if (const char* note = ModeNote(c.SWC, c.SWB, c.SWA)) view_.SetText(Label_KeySWCBANote, note);
  view_.SetText(Label_P4_SWC, power ? BitText(c.SWC) : "");
  view_.SetText(Label_P4_SWB, power ? BitText(c.SWB) : "");
  view_.SetText(Label_P4_SWA, power ? BitText(c.SWA) : "");
}

void Panels::RefreshDataSwitches(const BoardParts& bp) {
  const bool power = bp.c.PowerOn;
  const DataSwitches& ds = bp.m.DataSw;
  for (int i = 0; i < 8; ++i) view_.SetLamp(kSDLevers[i], ds.Shown.Bits[static_cast<size_t>(i)], Pic::GSWH, Pic::GSWL);
  const SmallText hex = Hex2(ds.Shown.Value);
  view_.SetText(Label_PKEY_SD, hex.view());
  if (power) {
    view_.SetText(Label_SBUS, BitText(ds.Shown.SBUS));
    view_.SetText(Label_SDNum, hex.view());
    view_.SetPicture(Image_SW_SBUS, ds.Shown.SBUS == 1 ? Pic::ToBG1 : Pic::ToBR1);
  } else {
    view_.SetPicture(Image_SW_SBUS, Pic::To_PowerOff);
    view_.SetText(Label_SBUS, "");
    view_.SetText(Label_SDNum, "");
  }
}

void Panels::RefreshLevelSwitches(const BoardParts& bp) {
  const LevelSwitches& ls = bp.m.Levels;
  for (int i = 0; i < 32; ++i)
    view_.SetLamp(kKLevers[i], ls.ShownPosition[static_cast<size_t>(i)], Pic::RSWH, Pic::RSWL);
}

void Panels::RefreshQD(const BoardParts& bp) {
  const bool power = bp.c.PowerOn;
  view_.SetPicture(SpeedButtonQD, power && bp.c.Running ? Pic::SpeedButtonQDON : Pic::SpeedButtonQDOFF);
}

void Panels::RefreshSignalLamps(const BoardParts& bp) {
  const bool power = bp.c.PowerOn;
  for (const SignalInfo& l : kSignalInfo) {
    if (l.lamp == LampColour::None) continue;
    const int32_t v = power ? bp.m.Signals.Shown[static_cast<size_t>(l.sig)] : 0;
    if (l.lamp == LampColour::Red)
      view_.SetLamp(l.lampWidget, v, Pic::LampRsH, Pic::LampRsL);
    else
      view_.SetLamp(l.lampWidget, v, Pic::LampGsH, Pic::LampGsL);
  }
}

void Panels::RefreshSelLamps(const BoardParts& bp) {
  const bool power = bp.c.PowerOn;
  static constexpr WidgetId kSel[4] = {Image_SEL3, Image_SEL2, Image_SEL1, Image_SEL0};
  if (!power) {
    for (WidgetId id : kSel) view_.SetPicture(id, Pic::LampRsL);
    view_.SetPicture(Image_SELCTL, Pic::LampGL);
    return;
  }
  // In the independent mode the lamps show the signals, else the word's SEL bits.
  const MicroDecode& d = bp.m.Micro.Decode;
  const auto& c = bp.m.Signals.Shown;
  const bool hand = bp.c.Independent();
  const int32_t v[4] = {hand ? c[RD1] : d.Bit(mbit::SEL3), hand ? c[RD0] : d.Bit(mbit::SEL2),
                        hand ? c[RS1] : d.Bit(mbit::SEL1), hand ? c[RS0] : d.Bit(mbit::SEL0)};
  for (int i = 0; i < 4; ++i) view_.SetLamp(kSel[i], v[i], Pic::LampRsH, Pic::LampRsL);
  view_.SetLamp(Image_SELCTL, d.Bit(mbit::SELCTL), Pic::LampGH, Pic::LampGL);
}

namespace {
// Value labels drawn over the board picture.
constexpr WidgetId kValueLabels[] = {
    Label_INTQ,    Label_P4_INTQ, Label_P4_SWC,  Label_P4_SWB,  Label_P4_SWA,  Label_P4_CI,   Label_P4_ZI,
    Label_P4_IR4I, Label_P4_IR5I, Label_P4_IR6I, Label_P4_IR7I, Label_P4_P0_1, Label_P4_P0_2, Label_P4_P0_3,
    Label_P4_P1_1, Label_P4_P1_2, Label_P4_P1_3, Label_P4_P1_4, Label_P4_P2,   Label_P4_P3,   Label_P4_P4,
};
}  // namespace

void Panels::ShowPower(bool on) {
  view_.SetEnabled(StringGrid_MEM, on);
  for (WidgetId id : kRegisterFields) view_.SetReadOnly(id, !on);
  for (WidgetId id : kValueLabels) view_.SetTransparent(id, !on);
}

void Panels::ShowControllerMode(ControllerMode mode, const Controllers& controllers) {
  struct Look {
    ControllerMode mode;
    WidgetId button;
    uint32_t color;
    Pic picture;
  };
  static constexpr Look kLooks[] = {
      {ControllerMode::HardWired, RadioButtonHdLine, color::Red, Pic::Image3_NOHand},
      {ControllerMode::Independent, RadioButtonHandLine, color::Yellow, Pic::Image3_Hand},
      {ControllerMode::Microprogram, RadioButtonMicroProgram, color::Lime, Pic::Image3_NOHand},
  };
  for (const Look& l : kLooks) {
    // A mode whose controller cannot be used has its button disabled.
    view_.SetEnabled(l.button, controllers.Of(l.mode).Available());
    view_.SetChecked(l.button, l.mode == mode);
    view_.SetColor(l.button, l.mode == mode ? l.color : color::ScrollBar);
    if (l.mode == mode) view_.SetPicture(Image2, l.picture);
  }
  if (mode == ControllerMode::HardWired) return;
  const bool micro = mode == ControllerMode::Microprogram;
  view_.SetVisible(Panel_NowHand, !micro);
  view_.SetVisible(Panel_NowMicro, micro);
  view_.SetPicture(Image10, micro ? Pic::Image10_Micro_ori : Pic::Image10_Hand_ori);
}

}  // namespace orrin
