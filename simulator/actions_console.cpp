// The console's actions: power, CLR, QD, PULSE, PAUSE, the single small
// beat, DP, the operating-mode switches, the controller-mode buttons, the
// switch banks and the run timer's tick.
#include "simulator/access.h"
#include "simulator/commands.h"
#include "simulator/simulator.h"
#include "units/units.h"

namespace orrin {

using enum WidgetId;

void Simulator::SpeedButtonPOWERClick() {
  const auto recorded = Record([] { return CommandLine(Cmd::Power); });
  EndPlayback();
  if (console_.PowerOn) {
    console_.PowerOn = false;
    machine_.PowerOff();
    trace_.ForgetEdits();
    console_.StopTimer();
  } else if (editor_.WireDrawing) {
    host.Warn("连线进行中，不能通电。");
  } else if (editor_.WrongInputCount < 1) {
    console_.PowerOn = true;
    wires_.ClearLevels();
    machine_.PowerOn();
    controllers_.Reset();
    trace_.ForgetEdits();
    console_.StopTimer();
    console_.Running = false;
    panels_.MemoryGridDirty = true;
  } else {
    host.Warn("检查连线！输入插孔不能接多个输出插孔。");
  }
  panels_.ShowPower(console_.PowerOn);
  BoardEvaluation();
}

void Simulator::SpeedButtonCLRClick() {
  const auto recorded = Record([] { return CommandLine(Cmd::Clr); });
  EndPlayback();
  if (!console_.PowerOn) return;
  console_.StopTimer();
  console_.Running = false;
  machine_.Clear();
  controllers_.Reset();
  trace_.ForgetEdits();
  BoardEvaluation();
}

void Simulator::SpeedButtonQDClick() {
  const auto recorded = Record([] { return CommandLine(Cmd::Qd); });
  EndPlayback();
  if (!console_.PowerOn || console_.Running) return;
  console_.Running = true;
  BoardEvaluation();
  console_.StartRun();
}

void Simulator::SpeedButton_PULSEClick() {
  const auto recorded = Record([] { return CommandLine(Cmd::Pulse); });
  EndPlayback();
  if (!console_.PowerOn) return;
  RequestInterrupt(machine_.Int);
  BoardEvaluation();
  // Between beats the request belongs to the newest position too.
  if (!console_.TimerActive) trace_.Record(machine_, machine_.Beat.StepCount);
}

void Simulator::Button_PAUSEClick() {
  const auto recorded = Record([] { return CommandLine(Cmd::Pause); });
  EndPlayback();
  if (!console_.PowerOn) return;
  if (console_.Running) {
    console_.Running = false;
    panels_.RefreshQD(Parts());
  }
  console_.StopTimer();
}

void Simulator::Button_OneLittleStepClick() {
  const auto recorded = Record([] { return CommandLine(Cmd::Step); });
  EndPlayback();
  if (!console_.PowerOn) return;
  Button_PAUSEClick();
  StepSmallBeat();
  // Where a run would have stopped at STOP, the count starts again, so a run
  // started after single beats through a STOP word is not cut short.
  if (machine_.StopWordHeld()) machine_.Beat.StopCounter = 0;
}

void Simulator::Image_DPClick() {
  const auto recorded = Record([] { return CommandLine(Cmd::Dp); });
  EndPlayback();
  console_.SingleBeat = !console_.SingleBeat;
  panels_.RefreshDP(Parts());
}

namespace {
void Flip(int32_t& s) { s = 1 - s; }

void SelectMode(Simulator& sim, ControllerMode mode) {
  sim.EndPlayback();
  Access(sim).console.Mode = mode;
  Access(sim).panels.ShowControllerMode(mode, Access(sim).controllers);
  sim.BoardEvaluation();
}
}  // namespace

void Simulator::Image_SWCClick() {
  const auto recorded = Record([] { return CommandLine(Cmd::Swc); });
  EndPlayback();
  Flip(console_.SWC);
  BoardEvaluation();
}

void Simulator::Image_SWBClick() {
  const auto recorded = Record([] { return CommandLine(Cmd::Swb); });
  EndPlayback();
  Flip(console_.SWB);
  BoardEvaluation();
}

void Simulator::Image_SWAClick() {
  const auto recorded = Record([] { return CommandLine(Cmd::Swa); });
  EndPlayback();
  Flip(console_.SWA);
  BoardEvaluation();
}

void Simulator::RadioButtonHdLineClick() {
  const auto recorded = Record([] { return CommandLine(Cmd::Mode, "hardwired"); });
  // A controller that cannot be used has its button disabled, and a
  // disabled button does nothing, not even end a playback.
  if (!controllers_.Of(ControllerMode::HardWired).Available()) return;
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
  FlipLevelSwitch(machine_.Levels, static_cast<size_t>(n & 31), console_.PowerOn);
  // During a run the new level reaches the jack at the next small beat.
  if (console_.PowerOn && console_.TimerActive) return Refresh();
  BoardEvaluation();
}

void Simulator::ToggleDataSwitch(int n) {
  const auto recorded = Record([n] { return CommandLine(Cmd::Sd, n & 7); });
  EndPlayback();
  FlipDataSwitch(machine_.DataSw, static_cast<size_t>(n & 7));
  if (console_.PowerOn && console_.TimerActive) return Refresh();
  BoardEvaluation();
}

void Simulator::Timer_RUNTimer() {
  session.Tick();
  EndPlayback();
  if (!console_.PowerOn) {
    console_.Timer_RUN.enabled = false;
    console_.TimerActive = console_.Running = false;
    panels_.RefreshQD(Parts());
    return;
  }
  console_.Timer_RUN.enabled = false;
  console_.TimerActive = true;
  const ViewHold hold(*this);  // one repaint for the tick's small beats
  for (int i = 0; i < console_.StepsPerTick && console_.KeepRunning; ++i) {
    StepSmallBeat();
    if (machine_.AtCycleStart() && (console_.SingleBeat || machine_.StopWordHeld())) {
      machine_.Beat.StopCounter = 0;
      console_.KeepRunning = console_.Running = false;
      panels_.RefreshQD(Parts());
      break;
    }
  }
  console_.Timer_RUN.enabled = console_.TimerActive = console_.KeepRunning;
}

}  // namespace orrin
