// The console's actions: power, CLR, QD, PULSE, PAUSE, the single small
// beat, DP, the operating-mode switches, the controller-mode buttons, the
// switch banks and the run timer's tick.
#include "simulator/commands.h"
#include "simulator/simulator.h"

namespace orrin {

using enum WidgetId;

void Simulator::SpeedButtonPOWERClick() {
  const auto recorded = Record([] { return CommandLine(Cmd::Power); });
  EndPlayback();
  if (console.PowerOn) {
    console.PowerOn = false;
    machine.PowerOff();
    trace.ForgetEdits();
    console.StopTimer();
  } else if (editor.WireDrawing) {
    host.Warn("连线进行中，不能通电。");
  } else if (editor.WrongInputCount < 1) {
    console.PowerOn = true;
    wires.ClearLevels();
    machine.PowerOn();
    controllers.Reset();
    trace.ForgetEdits();
    console.StopTimer();
    console.Running = false;
    panels.MemoryGridDirty = true;
  } else {
    host.Warn("检查连线！输入插孔不能接多个输出插孔。");
  }
  panels.ShowPower(console.PowerOn);
  BoardEvaluation();
}

void Simulator::SpeedButtonCLRClick() {
  const auto recorded = Record([] { return CommandLine(Cmd::Clr); });
  EndPlayback();
  if (!console.PowerOn) return;
  console.StopTimer();
  console.Running = false;
  machine.Clear();
  controllers.Reset();
  trace.ForgetEdits();
  BoardEvaluation();
}

void Simulator::SpeedButtonQDClick() {
  const auto recorded = Record([] { return CommandLine(Cmd::Qd); });
  EndPlayback();
  if (!console.PowerOn || console.Running) return;
  console.Running = true;
  BoardEvaluation();
  console.StartRun();
}

void Simulator::SpeedButton_PULSEClick() {
  const auto recorded = Record([] { return CommandLine(Cmd::Pulse); });
  EndPlayback();
  if (!console.PowerOn) return;
  InterruptUnit& in = machine.Int;
  if (in.INTQ != 1) {
    if (in.EN_INT == 1) in.INTQ = 1;
    in.Shown.INTQ = in.INTQ;
  }
  BoardEvaluation();
  // Between beats the request belongs to the newest position too.
  if (!console.TimerActive) trace.Record(machine, machine.Beat.StepCount);
}

void Simulator::Button_PAUSEClick() {
  const auto recorded = Record([] { return CommandLine(Cmd::Pause); });
  EndPlayback();
  if (!console.PowerOn) return;
  if (console.Running) {
    console.Running = false;
    panels.RefreshQD(Parts());
  }
  console.StopTimer();
}

void Simulator::Button_OneLittleStepClick() {
  const auto recorded = Record([] { return CommandLine(Cmd::Step); });
  EndPlayback();
  if (!console.PowerOn) return;
  Button_PAUSEClick();
  StepSmallBeat();
  // Where a run would have stopped at STOP, the count starts again, so a run
  // started after single beats through a STOP word is not cut short.
  if (machine.StopWordHeld()) machine.Beat.StopCounter = 0;
}

void Simulator::Image_DPClick() {
  const auto recorded = Record([] { return CommandLine(Cmd::Dp); });
  EndPlayback();
  console.SingleBeat = !console.SingleBeat;
  panels.RefreshDP(Parts());
}

namespace {
void Flip(int32_t& s) { s = 1 - s; }

void SelectMode(Simulator& sim, ControllerMode mode) {
  sim.EndPlayback();
  sim.console.Mode = mode;
  sim.panels.ShowControllerMode(mode, sim.controllers);
  sim.BoardEvaluation();
}
}  // namespace

void Simulator::Image_SWCClick() {
  const auto recorded = Record([] { return CommandLine(Cmd::Swc); });
  EndPlayback();
  Flip(console.SWC);
  BoardEvaluation();
}

void Simulator::Image_SWBClick() {
  const auto recorded = Record([] { return CommandLine(Cmd::Swb); });
  EndPlayback();
  Flip(console.SWB);
  BoardEvaluation();
}

void Simulator::Image_SWAClick() {
  const auto recorded = Record([] { return CommandLine(Cmd::Swa); });
  EndPlayback();
  Flip(console.SWA);
  BoardEvaluation();
}

void Simulator::RadioButtonHdLineClick() {
  const auto recorded = Record([] { return CommandLine(Cmd::Mode, "hardwired"); });
  // A controller that cannot be used has its button disabled, and a
  // disabled button does nothing, not even end a playback.
  if (!controllers.Of(ControllerMode::HardWired).Available()) return;
  SelectMode(*this, ControllerMode::HardWired);
}

void Simulator::RadioButtonHandLineClick() {
  const auto recorded = Record([] { return CommandLine(Cmd::Mode, "independent"); });
  SelectMode(*this, ControllerMode::Independent);
}
void Simulator::RadioButtonMicroProgramClick() {
  const auto recorded = Record([] { return CommandLine(Cmd::Mode, "microprogram"); });
  SelectMode(*this, ControllerMode::Microprogram);
}

void Simulator::ChooseAnswer(int n) {
  const auto recorded = Record([n] { return CommandLine(Cmd::Choose, n); });
  choice_ = std::to_string(n);
}

void Simulator::Button_CloseNowHandClick() {
  const auto recorded = Record([] { return CommandLine(Cmd::CloseNote, "independent"); });
  EndPlayback();
  view.SetVisible(Panel_NowHand, false);
}

void Simulator::Button_CloseNowMicroClick() {
  const auto recorded = Record([] { return CommandLine(Cmd::CloseNote, "microprogram"); });
  EndPlayback();
  view.SetVisible(Panel_NowMicro, false);
}

void Simulator::ToggleLevelSwitch(int n) {
  const auto recorded = Record([n] { return CommandLine(Cmd::K, n & 31); });
  EndPlayback();
  LevelSwitches& ls = machine.Levels;
  const size_t i = static_cast<size_t>(n & 31);
  ls.Position[i] = !ls.Position[i];
  ls.ShownPosition[i] = ls.Position[i];
  if (console.PowerOn) {
    ls.Output[i] = ls.ShownOutput[i] = ls.Position[i] ? 1 : 0;
    // During a run the new level reaches the jack at the next small beat.
    if (console.TimerActive) return Refresh();
  } else {
    ls.Output.fill(0);
    ls.ShownOutput.fill(0);
  }
  BoardEvaluation();
}

void Simulator::ToggleDataSwitch(int n) {
  const auto recorded = Record([n] { return CommandLine(Cmd::Sd, n & 7); });
  EndPlayback();
  DataSwitches& ds = machine.DataSw;
  const size_t i = static_cast<size_t>(n & 7);
  ds.Bits[i] = ds.Bits[i] ? 0 : 1;
  ds.Value = 0;
  for (size_t b = 0; b < 8; ++b) ds.Value |= ds.Bits[b] << b;
  ds.DrivenValue = ds.Value;
  ds.DrivenBits = ds.Bits;
  if (console.PowerOn && console.TimerActive) return Refresh();
  BoardEvaluation();
}

void Simulator::Timer_RUNTimer() {
  session.Tick();
  EndPlayback();
  if (!console.PowerOn) {
    console.Timer_RUN.enabled = false;
    console.TimerActive = console.Running = false;
    panels.RefreshQD(Parts());
    return;
  }
  console.Timer_RUN.enabled = false;
  console.TimerActive = true;
  const ViewHold hold(*this);  // one repaint for the tick's small beats
  for (int i = 0; i < console.StepsPerTick && console.KeepRunning; ++i) {
    StepSmallBeat();
    if (machine.AtCycleStart() && (console.SingleBeat || machine.StopWordHeld())) {
      machine.Beat.StopCounter = 0;
      console.KeepRunning = console.Running = false;
      panels.RefreshQD(Parts());
      break;
    }
  }
  console.Timer_RUN.enabled = console.TimerActive = console.KeepRunning;
}

}  // namespace orrin
