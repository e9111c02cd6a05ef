// The ordered repaint of the board and the console modules it owns.
#include "base/widget_groups.h"
#include "simulator/simulator.h"

namespace orrin {

using enum WidgetId;

void Simulator::OrderedDisplayRefresh(uint8_t power, uint8_t fromRecording) {
  CommitSwitchCopies(fromRecording);
  if (viewHolds_ > 0 && !eagerView) {
    viewStale_ = true;
    return;
  }
  RepaintBoard(power);
}

void Simulator::ReleaseView() {
  if (--viewHolds_ > 0 || !viewStale_) return;
  viewStale_ = false;
  RepaintBoard(machine.Console.PowerOn);
}

// A refresh also commits the switches' shown copies (not while a recorded
// position is shown): what the levers show and what the SD gate offers.
void Simulator::CommitSwitchCopies(uint8_t fromRecording) {
  if (fromRecording != 0) return;
  DataSwitches& ds = machine.DataSw;
  ds.DrivenValue = ds.Value;
  ds.DrivenBits = ds.Bits;
  ds.Shown.Value = ds.DrivenValue;
  ds.Shown.Bits = ds.DrivenBits;
  machine.Levels.ShownPosition = machine.Levels.Position;
  machine.Levels.ShownOutput = machine.Levels.Output;
}

void Simulator::RepaintBoard(uint8_t power) {
  RefreshPowerButton();
  RefreshBeatLines(power);
  RefreshDP(power);
  RefreshModeSwitches(power);
  RefreshDataSwitches(power);
  RefreshLevelSwitches();
  RefreshQD(power);
  RefreshSignalLamps(power);
  RefreshSelLamps(power);
  RefreshSourceLabels(power);
  RefreshAluPanel(power);
  RefreshRegisterFile(power);
  RefreshMemory(power);
  RefreshControllerPanel(power);
  RefreshAr(power);
  RefreshPc(power);
  RefreshIr(power);
  RefreshIar(power);
  RefreshDataBus(power);
  RefreshInterrupt(power);
  RefreshStop(power);
}

void Simulator::RefreshPowerButton() {
  view.SetPicture(SpeedButtonPOWER,
                  machine.Console.PowerOn == 1 ? Pic::SpeedButton_PowerON : Pic::SpeedButton_PowerOFF);
}

Pic LevelPicture(uint8_t power, int32_t code) {
  if (power != 1) return Pic::Tx_PowerOFF;
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

void Simulator::RefreshBeatLines(uint8_t power) {
  const BeatRecord& b = machine.Beat.Shown;
  view.SetPicture(Image_T3_OUT, LevelPicture(power, b.T3));
  view.SetPicture(Image_T2_OUT, LevelPicture(power, b.T2));
  view.SetPicture(Image_T1_OUT, LevelPicture(power, b.T1));
  if (power == 1) {
    const int phase = b.BeatPhase >= 1 && b.BeatPhase <= 6 ? b.BeatPhase : 0;
    view.SetPicture(Image_TSx, static_cast<Pic>(static_cast<int>(Pic::TS0) + phase));
    SmallText t = Dec(machine.Beat.ViewPos);
    t.buf[t.len++] = '/';
    const SmallText n = Dec(machine.Beat.StepCount);
    for (int i = 0; i < n.len; ++i) t.buf[t.len++] = n.buf[i];
    view.SetText(Label_PK_StepNum, t.view());
  } else {
    view.SetPicture(Image_TSx, Pic::TS0);
    view.SetText(Label_PK_StepNum, "   ");
  }
}

void Simulator::RefreshDP(uint8_t power) {
  const bool single = machine.Console.SingleBeat == 1;
  view.SetPicture(Image_DP, single ? Pic::BSWH : Pic::BSWL);
  view.SetText(Label_KeyDPNote, single ? "单拍" : "连续");
  view.SetText(Label_DP, power == 1 ? (single ? "1" : "0") : "");
}

const char* ModeNote(int32_t swc, int32_t swb, int32_t swa) {
  static constexpr const char* kNotes[8] = {"启动程序运行", "写存储器",   "读存储器",   "读寄存器",
                                            "写寄存器",     "运算器实验", "存储器实验", "数据通路实验"};
  auto ok = [](int32_t v) { return v == 0 || v == 1; };
  if (!ok(swc) || !ok(swb) || !ok(swa)) return nullptr;
  return kNotes[swc * 4 + swb * 2 + swa];
}

void Simulator::RefreshModeSwitches(uint8_t power) {
  const ConsoleState& c = machine.Console;
  view.SetPicture(Image_SWC, c.SWC == 1 ? Pic::BSWH : Pic::BSWL);
  view.SetPicture(Image_SWB, c.SWB == 1 ? Pic::BSWH : Pic::BSWL);
  view.SetPicture(Image_SWA, c.SWA == 1 ? Pic::BSWH : Pic::BSWL);
  if (const char* note = ModeNote(c.SWC, c.SWB, c.SWA)) view.SetText(Label_KeySWCBANote, note);
  view.SetText(Label_P4_SWC, power == 1 ? BitText(c.SWC) : "");
  view.SetText(Label_P4_SWB, power == 1 ? BitText(c.SWB) : "");
  view.SetText(Label_P4_SWA, power == 1 ? BitText(c.SWA) : "");
}

void Simulator::RefreshDataSwitches(uint8_t power) {
  const DataSwitches& ds = machine.DataSw;
  for (int i = 0; i < 8; ++i) view.SetLamp(kSDLevers[i], ds.Shown.Bits[static_cast<size_t>(i)], Pic::GSWH, Pic::GSWL);
  const SmallText hex = Hex2(ds.Shown.Value);
  view.SetText(Label_PKEY_SD, hex.view());
  if (power == 1) {
    view.SetText(Label_SBUS, BitText(ds.Shown.SBUS));
    view.SetText(Label_SDNum, hex.view());
    view.SetPicture(Image_SW_SBUS, ds.Shown.SBUS == 1 ? Pic::ToBG1 : Pic::ToBR1);
  } else {
    view.SetPicture(Image_SW_SBUS, Pic::To_PowerOff);
    view.SetText(Label_SBUS, "");
    view.SetText(Label_SDNum, "");
  }
}

void Simulator::RefreshLevelSwitches() {
  const LevelSwitches& ls = machine.Levels;
  for (int i = 0; i < 32; ++i) {
    view.SetLamp(kKLevers[i], ls.ShownPosition[static_cast<size_t>(i)], Pic::RSWH, Pic::RSWL);
  }
}

void Simulator::RefreshQD(uint8_t power) {
  view.SetPicture(SpeedButtonQD,
                  power == 1 && machine.Console.Running == 1 ? Pic::SpeedButtonQDON : Pic::SpeedButtonQDOFF);
}

namespace {
struct SignalLamp {
  WidgetId id;
  Sig sig;
  bool red;
};
constexpr SignalLamp kSignalLamps[] = {
    {Image_M, M, true},          {Image_S3, S3, true},       {Image_S2, S2, true},        {Image_S1, S1, true},
    {Image_S0, S0, false},       {Image_CIN, CIN, false},    {Image_LDC, LDC, false},     {Image_LDZ, LDZ, false},
    {Image_PCADD, PCADD, true},  {Image_INTEN, INTEN, true}, {Image_INTDI, INTDI, true},  {Image_LIAR, LIAR, true},
    {Image_IABUS, IABUS, false}, {Image_MBUS, MBUS, false},  {Image_SBUS, SBUS, false},   {Image_ABUS, ABUS, false},
    {Image_LIR, LIR, true},      {Image_STOP, STOP, true},   {Image_MEMW, MEMW, true},    {Image_LAR, LAR, true},
    {Image_ARINC, ARINC, false}, {Image_LPC, LPC, false},    {Image_PCINC, PCINC, false}, {Image_DRW, DRW, false},
};
}  // namespace

void Simulator::RefreshSignalLamps(uint8_t power) {
  for (const SignalLamp& l : kSignalLamps) {
    const int32_t v = power == 1 ? machine.Signals.Copy[static_cast<size_t>(l.sig)] : 0;
    if (l.red)
      view.SetLamp(l.id, v, Pic::LampRsH, Pic::LampRsL);
    else
      view.SetLamp(l.id, v, Pic::LampGsH, Pic::LampGsL);
  }
}

void Simulator::RefreshSelLamps(uint8_t power) {
  static constexpr WidgetId kSel[4] = {Image_SEL3, Image_SEL2, Image_SEL1, Image_SEL0};
  if (power != 1) {
    for (WidgetId id : kSel) view.SetPicture(id, Pic::LampRsL);
    view.SetPicture(Image_SELCTL, Pic::LampGL);
    return;
  }
  const auto& M = machine.Micro.Decode.Bits;
  const auto& c = machine.Signals.Copy;
  const bool hand = view[RadioButtonHandLine].checked;
  const int32_t v[4] = {hand ? c[RD1] : M[37], hand ? c[RD0] : M[36], hand ? c[RS1] : M[35], hand ? c[RS0] : M[34]};
  for (int i = 0; i < 4; ++i) view.SetLamp(kSel[i], v[i], Pic::LampRsH, Pic::LampRsL);
  view.SetLamp(Image_SELCTL, M[38], Pic::LampGH, Pic::LampGL);
}

}  // namespace orrin
