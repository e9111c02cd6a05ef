// The console: power, CLR, QD, PULSE, PAUSE, single small beat, DP, the
// operating-mode switches and the controller-mode radio buttons.
#include "simulator/simulator.h"

namespace orrin {

using enum WidgetId;

void Simulator::SpeedButtonPOWERClick() {
  EndPlayback();
  ConsoleState& c = machine.Console;
  if (c.PowerOn == 1) {
    c.PowerOn = 0;
    PowerOffAction();
  } else if (machine.WireEditor.WireDrawing) {
    host.Warn("连线进行中，不能通电。");
  } else if (machine.WireEditor.WrongInputCount < 1) {
    c.PowerOn = 1;
    PowerOnAction();
  } else {
    host.Warn("检查连线！输入插孔不能接多个输出插孔。");
  }
  StyleValueLabels();
  BoardEvaluation();
}

void Simulator::PowerOnAction() {
  wires.ClearLevels();
  machine.Alu = AluUnit{};
  machine.Flags = FlagUnit{};
  machine.Regs = RegisterFile{};
  machine.Gate = AluBusGate{};
  machine.Ar = ArUnit{};
  machine.Pc = PcUnit{};
  machine.Ir = IrUnit{};
  machine.Iar = IarUnit{};
  machine.Mem = MemoryUnit{};
  ClearSequencer();
  machine.Bus = DataBus{};
  machine.Int = InterruptUnit{};
  // Positions restart at 0, so no entry recorded before this point can be
  // shown again: the trace rings need no wiping.
  machine.Beat = BeatGen{};
  ForgetEdits();
  LevelSwitchesPowerOn();
  DataSwitchesPowerOn();
  machine.Signals = ControlSignals{};
  ConsoleState& c = machine.Console;
  c.MemoryGridDirty = 1;
  Timer_RUN.enabled = false;
  c.TimerActive = c.KeepRunning = c.Running = 0;
  c.AfterReset = 1;
  c.StopCounter = 0;
  view.SetEnabled(StringGrid_MEM, true);
  SetRegisterFieldsReadOnly(false);
}

void Simulator::PowerOffAction() {
  LevelSwitchesPowerOff();
  machine.Beat = BeatGen{};
  ForgetEdits();
  Timer_RUN.enabled = false;
  machine.Console.TimerActive = machine.Console.KeepRunning = 0;
  view.SetEnabled(StringGrid_MEM, false);
  SetRegisterFieldsReadOnly(true);
}

void Simulator::SpeedButtonCLRClick() {
  EndPlayback();
  if (machine.Console.PowerOn == 1) ResetMachine();
}

void Simulator::SpeedButtonQDClick() {
  EndPlayback();
  ConsoleState& c = machine.Console;
  if (c.PowerOn != 1 || c.Running != 0) return;
  c.Running = 1;
  BoardEvaluation();
  if (c.SingleBeat == 1) {
    c.StepsPerTick = 1;
    Timer_RUN.intervalMs = 50;
  } else {
    c.StepsPerTick = 7;
    Timer_RUN.intervalMs = 5;
  }
  Timer_RUN.enabled = true;
  c.TimerActive = 1;
  c.KeepRunning = 1;
}

void Simulator::SpeedButton_PULSEClick() {
  EndPlayback();
  if (machine.Console.PowerOn != 1) return;
  InterruptUnit& in = machine.Int;
  if (in.INTQ != 1) {
    if (in.EN_INT == 1) in.INTQ = 1;
    in.Shown.INTQ = in.INTQ;
  }
  BoardEvaluation();
  if (machine.Console.TimerActive == 0) RecordTrace(machine.Beat.StepCount);
}

void Simulator::Button_PAUSEClick() {
  EndPlayback();
  ConsoleState& c = machine.Console;
  if (c.PowerOn != 1) return;
  if (c.Running == 1) {
    c.Running = 0;
    RefreshQD(c.PowerOn);
  }
  Timer_RUN.enabled = false;
  c.TimerActive = c.KeepRunning = 0;
}

void Simulator::Button_OneLittleStepClick() {
  EndPlayback();
  if (machine.Console.PowerOn != 1) return;
  Button_PAUSEClick();
  StepSmallBeat(machine.Console.PowerOn);
  // Where a run would have stopped at STOP, the count starts again, so a run
  // started after single beats through a STOP word is not cut short.
  if (StopWordHeld()) machine.Console.StopCounter = 0;
}

void Simulator::Image_DPClick() {
  EndPlayback();
  machine.Console.SingleBeat = machine.Console.SingleBeat ? 0 : 1;
  RefreshDP(machine.Console.PowerOn);
}

void Simulator::Image_SWCClick() {
  EndPlayback();
  machine.Console.SWC = 1 - machine.Console.SWC;
  RefreshModeSwitches(machine.Console.PowerOn);
  BoardEvaluation();
}

void Simulator::Image_SWBClick() {
  EndPlayback();
  machine.Console.SWB = 1 - machine.Console.SWB;
  RefreshModeSwitches(machine.Console.PowerOn);
  BoardEvaluation();
}

void Simulator::Image_SWAClick() {
  EndPlayback();
  machine.Console.SWA = 1 - machine.Console.SWA;
  RefreshModeSwitches(machine.Console.PowerOn);
  BoardEvaluation();
}

namespace {
void SelectRadio(BoardView& v, WidgetId chosen, uint32_t chosenColor) {
  for (WidgetId id : {RadioButtonHdLine, RadioButtonHandLine, RadioButtonMicroProgram}) {
    v.SetChecked(id, id == chosen);
    v.SetColor(id, id == chosen ? chosenColor : color::ScrollBar);
  }
}
}  // namespace

void Simulator::RadioButtonHdLineClick() {
  EndPlayback();
  // The hard-wired controller is not built; its button stays disabled.
  if (!view[RadioButtonHdLine].enabled) return;
  SelectRadio(view, RadioButtonHdLine, color::Red);
  view.SetPicture(Image2, Pic::Image3_NOHand);
  BoardEvaluation();
}

void Simulator::RadioButtonHandLineClick() {
  EndPlayback();
  SelectRadio(view, RadioButtonHandLine, color::Yellow);
  view.SetPicture(Image2, Pic::Image3_Hand);
  view.SetVisible(Panel_NowHand, true);
  view.SetVisible(Panel_NowMicro, false);
  view.SetPicture(Image10, Pic::Image10_Hand_ori);
  BoardEvaluation();
}

void Simulator::RadioButtonMicroProgramClick() {
  EndPlayback();
  SelectRadio(view, RadioButtonMicroProgram, color::Lime);
  view.SetPicture(Image2, Pic::Image3_NOHand);
  view.SetVisible(Panel_NowHand, false);
  view.SetVisible(Panel_NowMicro, true);
  view.SetPicture(Image10, Pic::Image10_Micro_ori);
  BoardEvaluation();
}

void Simulator::Button_CloseNowHandClick() {
  EndPlayback();
  view.SetVisible(Panel_NowHand, false);
}
void Simulator::Button_CloseNowMicroClick() {
  EndPlayback();
  view.SetVisible(Panel_NowMicro, false);
}

}  // namespace orrin
